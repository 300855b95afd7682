#include "filesaving.h"

#include "settingsfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageWriter>
#include <QMessageBox>
#include <QPointer>
#include <QProgressBar>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QTimer>

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

// Where translators find these texts.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(FileSaving)
};

// Kept in the settings file for the next run, by these keys.
const QString foldersGroup = QStringLiteral("folders");
QString folderKey(Folder folder)
{
    return folder == Folder::Images ? QStringLiteral("images") : QStringLiteral("data");
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
    const QString kept = SettingsFile::readGroup(foldersGroup).value(folderKey(folder)).toString();
    if (!kept.isEmpty() && QDir::isAbsolutePath(kept) && QDir(kept).exists())
        return kept;
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
    QVariantMap kept = SettingsFile::readGroup(foldersGroup);
    kept.insert(folderKey(folder), rememberedFolder(folder));
    SettingsFile::writeGroup(foldersGroup, kept);
}

namespace {

// "PNG image (*.png)" gives "png"; a filter without a pattern of that kind, "".
QString suffixOf(const QString &filter)
{
    const int star = filter.indexOf(QLatin1String("*."));
    if (star < 0)
        return QString();
    int end = star + 2;
    while (end < filter.size() && filter.at(end).isLetterOrNumber())
        ++end;
    return filter.mid(star + 2, end - star - 2).toLower();
}

} // namespace

QString askSaveFileName(QWidget *parent, const QString &title, Folder folder,
                        const QString &suggestedFileName, const QString &filters,
                        QString *chosenFilter)
{
    const QString suggestedPath = QDir(lastFolder(folder)).filePath(suggestedFileName);
    QString chosen;
    QString filter = filters.section(QLatin1String(";;"), 0, 0);
    if (fileNameSource()) {
        chosen = fileNameSource()(title, suggestedPath);
    } else {
        QFileDialog dialog(parent, title, suggestedPath, filters);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(suffixOf(filter));
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog](const QString &selected) {
                             dialog.setDefaultSuffix(suffixOf(selected));
                         });
        if (dialog.exec() == QDialog::Accepted) {
            chosen = dialog.selectedFiles().value(0);
            filter = dialog.selectedNameFilter();
        }
    }
    if (!chosen.isEmpty())
        rememberFolder(folder, chosen);
    if (chosenFilter)
        *chosenFilter = filter;
    return chosen;
}

QString askFolder(QWidget *parent, const QString &title, Folder folder)
{
    const QString chosen = fileNameSource()
                               ? fileNameSource()(title, lastFolder(folder))
                               : QFileDialog::getExistingDirectory(parent, title, lastFolder(folder));
    // Remembered as the folder of a file in it.
    if (!chosen.isEmpty())
        rememberFolder(folder, QDir(chosen).filePath(QStringLiteral("capture")));
    return chosen;
}

QString imageFormat(const QString &path, const QString &chosenFilter)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("pdf")
        || QImageWriter::supportedImageFormats().contains(suffix.toLatin1()))
        return suffix;
    return suffixOf(chosenFilter);
}

void setFileNameSource(FileNameSource source)
{
    fileNameSource() = std::move(source);
}

bool save(QWidget *parent, const QString &path, SavedFile::Source source)
{
    SavedFile file(path, std::move(source));
    QEventLoop loop;
    QString failure;
    bool cancelled = false;
    QObject::connect(&file, &SavedFile::finished, &loop, [&](const QString &reason) {
        failure = reason;
        loop.quit();
    });

    // Only where the wait is felt.
    QPointer<QProgressDialog> progress;
    QPointer<QProgressBar> bar;
    double share = 0;
    QTimer showProgress;
    showProgress.setSingleShot(true);
    QObject::connect(&showProgress, &QTimer::timeout, &loop, [&] {
        progress = new QProgressDialog(parent);
        progress->setWindowTitle(Text::tr("Saving"));
        progress->setLabelText(Text::tr("Writing %1…").arg(QFileInfo(path).fileName()));
        // A bar of its own: the dialog's setValue() would run the events
        // from inside this loop's handlers.
        bar = new QProgressBar;
        bar->setRange(0, 1000);
        bar->setValue(int(share * 1000));
        progress->setBar(bar);
        progress->setWindowModality(Qt::WindowModal);
        QObject::connect(progress, &QProgressDialog::canceled, &loop, [&] {
            file.cancel();
            cancelled = true;
            loop.quit();
        });
        progress->show();
    });
    QObject::connect(&file, &SavedFile::progressed, &loop, [&](double made) {
        share = made;
        if (bar)
            bar->setValue(int(made * 1000));
    });

    file.start();
    showProgress.start(500);
    loop.exec();
    delete progress.data();
    if (!cancelled && !failure.isEmpty())
        showCouldNotSave(parent, path, failure);
    return !cancelled && failure.isEmpty();
}

void showCouldNotSave(QWidget *parent, const QString &path, const QString &reason,
                      const QString &detail)
{
    QString text = Text::tr("Could not write %1: %2.").arg(QDir::toNativeSeparators(path), reason);
    if (!detail.isEmpty())
        text += QLatin1Char(' ') + detail;
    // Not exec(): the board's bytes must keep flowing while the box is up.
    auto *box = new QMessageBox(QMessageBox::Warning, Text::tr("Could not save"), text, QMessageBox::Ok,
                                parent);
    box->setTextFormat(Qt::PlainText); // a file name is never markup
    box->setAttribute(Qt::WA_DeleteOnClose);
    if (parent)
        box->open();
    else
        box->show();
}

} // namespace FileSaving
