#pragma once

#include <QString>
#include <QVariantMap>

// The panel's settings file: QSettings' INI file of the application under
// the user's config folder (~/.config/boardpanel/boardpanel.conf). Each
// window keeps its values under a group of its own. A change is written as
// a whole new file that replaces the old one in one rename, so two panels
// writing at once leave the file of one of them, never a mix, and a failed
// write leaves the old file as it was. Nothing is written where the folder
// is read-only; what cannot be read counts as not there. The file is the
// user's alone (0600), and no password is ever written to it: a URL's is
// left out.
namespace SettingsFile {

// Where the file is, as QSettings places it.
QString path();

// The values under `group`, keyed without the group ("trigger/mode").
QVariantMap readGroup(const QString &group);

// The same from the panel's own file, whichever program reads it: a program
// beside the panel (the recorder) takes what the windows keep.
QVariantMap readPanelGroup(const QString &group);

// Replaces everything under `group` with `values` (nothing: forgets the
// group). False when the file could not be written.
bool writeGroup(const QString &group, const QVariantMap &values);

// Forgets everything the panel stored. False when the file stays.
bool forgetAll();

} // namespace SettingsFile
