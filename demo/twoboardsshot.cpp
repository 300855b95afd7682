// The tour's last picture: two Osciloscopes on two boards, the demo's own
// and a second virtual board started for it, each window captioned with its
// title, which names its board's port.
#include "screenshottour.h"

#include "portlisting.h"
#include "settingsfile.h"
#include "virtualboardthread.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPointer>

#include <qcustomplot.h>

#include <array>

namespace {
constexpr int margin = 12;
constexpr int waitForPlotsMs = 10000;
} // namespace

void ScreenshotTour::showTwoBoards()
{
    VirtualBoardThread second(720);
    if (!second.startBoard()) {
        m_failures << tr("two boards: %1").arg(second.errorString());
        return;
    }
    // The demo's board first, as listed now, then the second; both with the
    // serial numbers real boards have. The list stays so to the end.
    QList<PortCandidate> ports = PortListing::availablePorts();
    if (ports.isEmpty())
        return;
    ports[0].serialNumber = QStringLiteral("VB-0001");
    ports.insert(1, PortListing::boardAt(second.devicePath(), 1, QStringLiteral("VB-0002")));
    PortListing::setSource([ports] { return ports; });
    // As they first open, not as the tour left the last one.
    SettingsFile::writeGroup(QStringLiteral("osciloscope"), QVariantMap());

    const std::array<QPointer<QDialog>, 2> windows{open("pushButtonOsciloscope", "Osciloscope"),
                                                   open("pushButtonOsciloscope", "Osciloscope")};
    for (const QPointer<QDialog> &window : windows) {
        if (!window)
            return;
    }
    windows[1]->move(windows[0]->frameGeometry().topRight() + QPoint(margin, 0));
    const bool full = waitUntil(
        [&] {
            for (const QPointer<QDialog> &window : windows) {
                const auto *plot = window ? window->findChild<QCustomPlot *>(QStringLiteral("plot")) : nullptr;
                if (!plot || plot->graphCount() < 1 || plot->graph(0)->dataCount() < 500)
                    return false;
            }
            return true;
        },
        waitForPlotsMs);
    if (!full) {
        m_failures << tr("two boards: the plots did not fill with samples");
    } else {
        pause(100); // the next redraw
        const QFontMetrics metrics(QApplication::font());
        const int caption = metrics.height() + margin;
        const QPixmap left = windows[0]->grab();
        const QPixmap right = windows[1]->grab();
        QImage picture(left.width() + right.width() + 3 * margin,
                       caption + qMax(left.height(), right.height()) + 2 * margin, QImage::Format_RGB32);
        picture.fill(windows[0]->palette().window().color());
        QPainter painter(&picture);
        painter.setFont(QApplication::font());
        int x = margin;
        for (int i = 0; i < 2; ++i) {
            const QPixmap &shot = i == 0 ? left : right;
            painter.drawText(QRect(x, margin, shot.width(), caption), Qt::AlignHCenter | Qt::AlignTop,
                             windows[i]->windowTitle());
            painter.drawPixmap(x, margin + caption, shot);
            x += shot.width() + margin;
        }
        painter.end();
        const QString path = m_directory.filePath(QStringLiteral("osciloscope-two-boards.png"));
        if (!picture.save(path))
            m_failures << tr("cannot write %1").arg(path);
    }
    for (const QPointer<QDialog> &window : windows) {
        if (window)
            quit(window, "quitButton");
    }
}
