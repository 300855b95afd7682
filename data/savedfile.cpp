#include "savedfile.h"

#include <QSaveFile>

#include <cerrno>
#include <cstring>

namespace {

// What the file says went wrong; where it says nothing useful, what the
// system said last (`error`, errno right after the failing call).
QString reasonOf(const QSaveFile &file, int error)
{
    if (file.error() != QFileDevice::NoError && !file.errorString().isEmpty()
        && file.errorString() != QLatin1String("Unknown error"))
        return file.errorString();
    return QString::fromLocal8Bit(std::strerror(error != 0 ? error : EIO));
}

} // namespace

namespace SavedFile {

QString replace(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return reasonOf(file, errno);
    // flush() before commit(): commit() takes no notice of a failed last
    // flush, and would put a cut-off file in place of the earlier one. The
    // unfinished file goes with `file` on every early return.
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.flush())
        return reasonOf(file, errno);
    errno = 0;
    if (!file.commit())
        return reasonOf(file, errno);
    return {};
}

} // namespace SavedFile
