#include "recordingopening.h"

#include "closeguard.h"
#include "filesaving.h"

#include <QFileDialog>

namespace {

const QString actionName = QStringLiteral("openRecordingAction");

} // namespace

RecordingOpenAction::RecordingOpenAction(QWidget *window)
    : QAction(QAction::tr("Open Recording…"), window)
{
    setObjectName(actionName);
    setShortcut(QKeySequence::Open);
    setVisible(false);
    connect(this, &QAction::triggered, window, [this, window] {
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
        emit fileChosen(path, window);
    });
}

namespace RecordingOpening {

RecordingOpenAction *action(QWidget *window)
{
    if (auto *made = window->findChild<RecordingOpenAction *>(actionName, Qt::FindDirectChildrenOnly))
        return made;
    return new RecordingOpenAction(window);
}

void follow(QWidget *companion, QWidget *window)
{
    RecordingOpenAction *own = action(companion);
    RecordingOpenAction *leader = action(window);
    own->setVisible(leader->isVisible());
    QObject::connect(own, &RecordingOpenAction::fileChosen, leader, &RecordingOpenAction::fileChosen);
}

} // namespace RecordingOpening
