#pragma once

#include "savedfile.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// What the windows share when they save something: the names they suggest,
// the folder used last, the save dialog, the writing itself, and the box
// that says a file could not be written.
namespace FileSaving {

// Images and data each remember their own folder.
enum class Folder { Images, Data };

// "<kind>-YYYYMMDD-HHMMSS.<extension>", in local time.
QString suggestedName(const QString &kind, const QString &extension,
                      const QDateTime &when = QDateTime::currentDateTime());

// The folder used last for this kind of file, in this run of the panel or
// the one before; at first the user's Pictures (images) or Documents (data)
// folder, or home where that does not exist.
QString lastFolder(Folder folder);
// Remembers the folder of `chosenFile` as the last one.
void rememberFolder(Folder folder, const QString &chosenFile);

// Asks for a file to write with the save dialog titled `title`, which asks
// before overwriting. It opens on `suggestedFileName` in the folder used
// last. A name typed without a suffix gets the one of the chosen filter
// (";;" between filters), before the dialog asks about overwriting: the
// question is about the file that will be written. Returns the chosen path,
// or an empty string when cancelled; the folder of a chosen path is
// remembered, and `chosenFilter` (when given) is set to the filter chosen.
QString askSaveFileName(QWidget *parent, const QString &title, Folder folder,
                        const QString &suggestedFileName, const QString &filters,
                        QString *chosenFilter = nullptr);

// Asks for a folder to write into, titled `title`, opening on the one used
// last for `folder`; empty when cancelled, else remembered.
QString askFolder(QWidget *parent, const QString &title, Folder folder);

// The format an image saved as `path` is written in: the one its suffix
// names ("pdf", or any the image writer knows: "x.jpg" is a JPEG), else the
// one `chosenFilter` names ("PNG image (*.png)" gives "png").
QString imageFormat(const QString &path, const QString &chosenFilter);

// For tests only: supplies the file name instead of the dialog, given the
// dialog's title and the path it would suggest. An empty function brings
// the dialog back.
using FileNameSource = std::function<QString(const QString &title, const QString &suggestedPath)>;
void setFileNameSource(FileNameSource source);

// Writes `path` from `source` (see SavedFile) while the events keep
// running, with a progress dialog on `parent` once it takes longer than half
// a second, and tells in the "Could not save" box why it failed. Returns
// true when the file is written; false also when the user cancelled. Runs
// a loop of its own: call it where the window holds a close until it is
// done.
bool save(QWidget *parent, const QString &path, SavedFile::Source source);

// The box titled "Could not save", naming the file and the reason (plus
// `detail`, when given). It does not block: the event loop keeps running.
// Without a `parent` it belongs to no window and outlives the one that
// failed, which may be closing.
void showCouldNotSave(QWidget *parent, const QString &path, const QString &reason,
                      const QString &detail = QString());

} // namespace FileSaving
