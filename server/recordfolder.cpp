#include "recordfolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// The longest name most file systems take, in bytes.
constexpr int longestName = 255;

} // namespace

QString RecordFolder::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
           + QStringLiteral("/boardpanel/recordings");
}

QString RecordFolder::fileIn(const QString &folder, const QString &name, QString *why)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) {
        *why = QStringLiteral("a file name is needed");
        return QString();
    }
    if (name.contains(QLatin1Char('/')) || name.contains(QChar(0))) {
        *why = QStringLiteral("a name only, no folder");
        return QString();
    }
    if (name.toUtf8().size() > longestName) {
        *why = QStringLiteral("the name is too long");
        return QString();
    }
    const QString path = QDir(folder).absoluteFilePath(name);
    // A stat, not an open: it never waits on a pipe's reader.
    const QFileInfo there(path);
    if (there.isSymLink() || (there.exists() && !there.isFile())) {
        *why = QStringLiteral("%1 is there and is no plain file").arg(name);
        return QString();
    }
    return path;
}
