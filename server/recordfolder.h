#pragma once

#include <QString>

// Where RECord:STARt writes: one folder the server is given, and in it only
// plain names, so a client never writes anywhere else.
namespace RecordFolder {

// The user's data folder for recordings, the same for every front end.
QString defaultPath();

// The file `name` in `folder`, or empty with `why` when the name leaves it
// (a path, "..", nothing) or names something there that is no plain file (a
// pipe, a link, a folder) that writing would block on or reach through.
QString fileIn(const QString &folder, const QString &name, QString *why);

} // namespace RecordFolder
