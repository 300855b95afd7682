#include "screenshottour.h"

#include "filesaving.h"
#include "instrumentprotocol.h"
#include "plotter.h"
#include "recordingwindows.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QTemporaryDir>

#include <algorithm>

void ScreenshotTour::showRecordingBesideLive()
{
    QDialog *live = open("pushButtonOsciloscope", "Osciloscope");
    if (!live)
        return;
    // Two seconds recorded from the live window, then opened beside it.
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("run3.csv"));
    FileSaving::setFileNameSource([path](const QString &, const QString &) { return path; });
    QAction *record = nullptr;
    for (QAction *action : live->actions()) {
        if (action->shortcut() == QKeySequence(Qt::CTRL + Qt::Key_R))
            record = action;
    }
    if (record) {
        record->trigger();
        pause(2000);
        record->trigger();
    }
    FileSaving::setFileNameSource({});
    RecordingWindows::open(path, live);
    QPointer<Plotter> replayed;
    waitUntil(
        [&] {
            for (QWidget *widget : QApplication::topLevelWidgets()) {
                if (widget != live && widget->windowTitle().startsWith(InstrumentProtocol::osciloscope().title() + QStringLiteral(" – ")))
                    replayed = qobject_cast<Plotter *>(widget);
            }
            return replayed && replayed->intake().lastIndex() > 0;
        },
        dataTimeoutMs);
    if (!replayed) {
        m_failures << tr("the recording did not open");
        quit(live, "quitButton");
        return;
    }
    pause(300); // the first paint
    // Side by side, as on a desk: the live window left, the file right.
    const QPixmap left = live->grab();
    const QPixmap right = replayed->grab();
    QImage both(left.width() + right.width() + 16, std::max(left.height(), right.height()),
                QImage::Format_RGB32);
    both.fill(Qt::white);
    QPainter painter(&both);
    painter.drawPixmap(0, 0, left);
    painter.drawPixmap(left.width() + 16, 0, right);
    painter.end();
    const QString picture = m_directory.filePath(QStringLiteral("osciloscope-replay.png"));
    if (!both.save(picture))
        m_failures << tr("cannot write %1").arg(picture);
    replayed->close();
    quit(live, "quitButton");
}
