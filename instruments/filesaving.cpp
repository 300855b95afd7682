#include "filesaving.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>

namespace FileSaving {

namespace {

FileNameSource &fileNameSource()
{
    static FileNameSource source;
    return source;
}

QString &rememberedFolder(Folder folder)
{
    static QString images;
    static QString data;
    return folder == Folder::Images ? images : data;
}

QString tr(const char *text)
{
    return QCoreApplication::translate("FileSaving", text);
}

} // namespace

QString suggestedName(const QString &kind, const QString &extension, const QDateTime &when)
{
    return kind + QLatin1Char('-') + when.toString(QStringLiteral("yyyyMMdd-HHmmss"))
           + QLatin1Char('.') + extension;
}

QString lastFolder(Folder folder)
{
    const QString &remembered = rememberedFolder(folder);
    if (!remembered.isEmpty())
        return remembered;
    const QString standard = QStandardPaths::writableLocation(
        folder == Folder::Images ? QStandardPaths::PicturesLocation
                                 : QStandardPaths::DocumentsLocation);
    if (!standard.isEmpty() && QDir(standard).exists())
        return standard;
    return QDir::homePath();
}

void rememberFolder(Folder folder, const QString &chosenFile)
{
    rememberedFolder(folder) = QFileInfo(chosenFile).absolutePath();
}

QString withKnownExtension(const QString &path, const QStringList &knownExtensions,
                           const QString &fallback)
{
    const QString suffix = QFileInfo(path).suffix();
    for (const QString &known : knownExtensions) {
        if (suffix.compare(known, Qt::CaseInsensitive) == 0)
            return path;
    }
    return path + QLatin1Char('.') + fallback;
}

QString askSaveFileName(QWidget *parent, const QString &title, Folder folder,
                        const QString &suggestedFileName, const QString &filter)
{
    const QString suggestedPath = QDir(lastFolder(folder)).filePath(suggestedFileName);
    const QString chosen = fileNameSource()
                               ? fileNameSource()(title, suggestedPath)
                               : QFileDialog::getSaveFileName(parent, title, suggestedPath, filter);
    if (!chosen.isEmpty())
        rememberFolder(folder, chosen);
    return chosen;
}

void setFileNameSource(FileNameSource source)
{
    fileNameSource() = std::move(source);
}

void showCouldNotSave(QWidget *parent, const QString &path, const QString &reason,
                      const QString &detail)
{
    QString text = tr("Could not write %1: %2.").arg(QDir::toNativeSeparators(path), reason);
    if (!detail.isEmpty())
        text += QLatin1Char(' ') + detail;
    // Not exec(): the board's bytes must keep flowing while the box is up.
    auto *box = new QMessageBox(QMessageBox::Warning, tr("Could not save"), text, QMessageBox::Ok,
                                parent);
    box->setTextFormat(Qt::PlainText); // a file name is never markup
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

} // namespace FileSaving
