#include "recordingopening.h"

#include "closeguard.h"
#include "filesaving.h"

#include <QAction>
#include <QFileDialog>
#include <QPointer>

namespace {

RecordingOpening::Opener &opener()
{
    static RecordingOpening::Opener installed;
    return installed;
}

const QString actionName = QStringLiteral("openRecordingAction");

} // namespace

namespace RecordingOpening {

void setOpener(Opener newOpener)
{
    opener() = std::move(newOpener);
}

QAction *action(QWidget *window)
{
    if (auto *made = window->findChild<QAction *>(actionName, Qt::FindDirectChildrenOnly))
        return made;
    auto *open = new QAction(QAction::tr("Open Recording…"), window);
    open->setObjectName(actionName);
    open->setShortcut(QKeySequence::Open);
    open->setVisible(bool(opener()));
    QObject::connect(open, &QAction::triggered, window, [window] {
        QString path;
        const auto ask = [&] {
            path = QFileDialog::getOpenFileName(
                window, QAction::tr("Open Recording"), FileSaving::lastFolder(FileSaving::Folder::Data),
                QAction::tr("CSV files (*.csv);;All files (*)"));
        };
        // The dialog runs a loop of its own: the window must outlive it.
        if (auto *guard = window->findChild<CloseGuard *>(QString(), Qt::FindDirectChildrenOnly))
            guard->run(ask);
        else
            ask();
        if (path.isEmpty())
            return;
        FileSaving::rememberFolder(FileSaving::Folder::Data, path);
        RecordingOpening::open(path, window);
    });
    return open;
}

void open(const QString &path, QWidget *from)
{
    if (opener())
        opener()(path, from);
}

} // namespace RecordingOpening
