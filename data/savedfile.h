#pragma once

#include <QByteArray>
#include <QString>

// The one way a file the user asked for is written (an export, an image):
// whole or not at all.
namespace SavedFile {

// Replaces `path` with `bytes`. The earlier file of that name stays exactly
// as it was unless every byte reached the disk. Returns an empty string on
// success, else the system's reason ("No space left on device").
QString replace(const QString &path, const QByteArray &bytes);

} // namespace SavedFile
