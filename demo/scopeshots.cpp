// The Osciloscope's pictures beyond its first: zoom and cursors, the other
// views, computed channels and a filter.
#include "screenshottour.h"

#include "chartwindow.h"
#include "filesaving.h"
#include "mainwindow.h"
#include "plotter.h"
#include "spectrumview.h"
#include "xyview.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>
#include <QSpinBox>
#include <QSet>
#include <QTemporaryDir>
#include <QWheelEvent>

#include <qcustomplot.h>

void ScreenshotTour::showZoomWithCursors(QDialog *window)
{
    // The trigger steps on from Rising Edge to Falling Edge to Off; the
    // measurements go.
    pressShortcut(window, QKeySequence(Qt::CTRL + Qt::Key_T));
    pressShortcut(window, QKeySequence(Qt::CTRL + Qt::Key_T));
    pressShortcut(window, QKeySequence(Qt::CTRL + Qt::Key_M));
    pause(300);
    auto *stop = window->findChild<QPushButton *>(QStringLiteral("stopButton"));
    auto *plot = window->findChild<QCustomPlot *>(QStringLiteral("plot"));
    if (!stop || !plot) {
        m_failures << tr("Osciloscope: no Stop button or plot");
        return;
    }
    stop->click();
    // Two notches in, around a point two thirds across.
    const QPointF at(plot->axisRect()->left() + plot->axisRect()->width() * 2 / 3.0,
                     plot->axisRect()->center().y());
    QWheelEvent wheel(at, QPointF(plot->mapToGlobal(at.toPoint())), QPoint(), QPoint(0, 240),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(plot, &wheel);
    if (!pressShortcut(window, QKeySequence(Qt::CTRL + Qt::Key_K)))
        m_failures << tr("Osciloscope: no cursors command");
    pause(100);
    save(window, QStringLiteral("osciloscope-zoom.png"));
}

void ScreenshotTour::showOtherViews(QDialog *window)
{
    // The spectra once the sample rate is known and the peaks are labelled;
    // then the sine on PAD0 against the saw on PAD2, held by the trigger.
    auto *plotter = qobject_cast<Plotter *>(window);
    if (!plotter || !pressShortcut(window, QKeySequence(Qt::CTRL + Qt::Key_F))) {
        m_failures << tr("Osciloscope: no Spectrum view");
        return;
    }
    const SpectrumView &spectrum = plotter->viewSwitch().spectrum();
    if (waitUntil([&] { return spectrum.peakTexts().size() == 3 && spectrum.knowsRate(); },
                  dataTimeoutMs)) {
        pause(100);
        save(window, QStringLiteral("osciloscope-spectrum.png"));
    } else {
        m_failures << tr("Osciloscope: no spectrum peaks");
    }
    plotter->viewSwitch().xy().setChannels(0, 2);
    pressShortcut(window, QKeySequence(Qt::CTRL + Qt::Key_Y));
    pause(300);
    save(window, QStringLiteral("osciloscope-xy.png"));
    pressShortcut(window, QKeySequence(Qt::CTRL + Qt::Key_Y));
}

void ScreenshotTour::showMathChannels(QDialog *window)
{
    // Running again over the whole width, without cursors: a calibrated
    // channel in °C and a difference, with the plot's colour key.
    auto *plotter = qobject_cast<Plotter *>(window);
    const QVector<MathChannel> channels{
        MathChannel(QStringLiteral("Temp"), QStringLiteral("0.1 * PAD2 - 50"), QStringLiteral("°C")),
        MathChannel(QStringLiteral("Diff"), QStringLiteral("PAD0 - PAD1"))};
    if (!plotter || !plotter->setMathChannels(channels)) {
        m_failures << tr("Osciloscope: no math channels");
        return;
    }
    pressShortcut(window, QKeySequence(Qt::CTRL + Qt::Key_K));
    pressShortcut(window, QKeySequence(Qt::CTRL + Qt::Key_0));
    if (auto *start = window->findChild<QPushButton *>(QStringLiteral("stopButton")))
        start->click();
    pause(800);
    save(window, QStringLiteral("osciloscope-math.png"));
    // The same five channels, each in a lane of its own, in a taller window.
    window->resize(window->width(), window->height() * 3 / 2);
    if (!pressShortcut(window, QKeySequence(Qt::CTRL + Qt::Key_L))) {
        m_failures << tr("Osciloscope: no Lanes view");
        return;
    }
    pause(500);
    save(window, QStringLiteral("osciloscope-lanes.png"));
    pressShortcut(window, QKeySequence(Qt::CTRL + Qt::Key_L));
}

void ScreenshotTour::showFilter(QDialog *window)
{
    // The demo board's signals are clean: the noise is made from its saw,
    // which differs at every sample. The inputs hidden.
    auto *plotter = qobject_cast<Plotter *>(window);
    const QVector<MathChannel> channels{
        MathChannel(QStringLiteral("Noisy"), QStringLiteral("PAD0 + 300 * sin(1000 * PAD2)")),
        MathChannel(QStringLiteral("Smooth"), QStringLiteral("lowpass(Noisy, 10)"))};
    if (!plotter || !plotter->setMathChannels(channels)) {
        m_failures << tr("Osciloscope: no filter");
        return;
    }
    for (QAction *action : window->findChildren<QAction *>()) {
        if (action->isCheckable() && action->text().startsWith(QLatin1String("Show PAD")))
            action->setChecked(false);
    }
    pause(800);
    save(window, QStringLiteral("osciloscope-filter.png"));
}
