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

namespace {

// PAD0's PWM frequency: the counter must read this one back, so it differs
// from what the board reports while no PWM output is set.
constexpr int pad0Frequency = 1250;
// The plots keep the last 500 samples; a full window looks like a live plot.
constexpr int fullPlot = 500;
// Readings in the chart's picture: one and a half periods of PAD0's sine.
constexpr int chartSeconds = 8;
const QSize launcherSize(860, 520);

bool isNumber(const QString &text)
{
    bool ok = false;
    text.trimmed().toInt(&ok);
    return ok;
}

} // namespace

ScreenshotTour::ScreenshotTour(MainWindow *launcher, const QString &directory, QObject *parent)
    : QObject(parent), m_launcher(launcher), m_directory(directory)
{
    m_boxWatch.setInterval(50);
    connect(&m_boxWatch, &QTimer::timeout, this, &ScreenshotTour::answerMessageBoxes);
}

QStringList ScreenshotTour::run()
{
    m_failures.clear();
    if (!m_directory.mkpath(QStringLiteral("."))) {
        return {tr("cannot create %1").arg(m_directory.path())};
    }
    m_boxWatch.start();
    showLauncher();
    showVoltmeter();
    showOsciloscope();
    showAccelerometer();
    showRecordingBesideLive();
    showPwm();
    showCounter();
    showTwoBoards();
    m_boxWatch.stop();
    return m_failures;
}

void ScreenshotTour::showLauncher()
{
    // At its smallest the launcher clips the longer button texts under
    // common fonts; a user widens it, and so does the picture.
    m_launcher->resize(launcherSize);
    pause(300); // the first paint
    save(m_launcher, QStringLiteral("launcher.png"));
}

void ScreenshotTour::showVoltmeter()
{
    QDialog *window = open("pushButtonVoltmeter", "Voltmeter");
    if (!window)
        return;
    const QList<QLabel *> readings = {window->findChild<QLabel *>(QStringLiteral("labelVolt0")),
                                      window->findChild<QLabel *>(QStringLiteral("labelVolt1")),
                                      window->findChild<QLabel *>(QStringLiteral("labelVolt2"))};
    const bool shown = waitUntil(
        [&] {
            for (QLabel *label : readings) {
                if (!label || !isNumber(label->text()))
                    return false;
            }
            return true;
        },
        dataTimeoutMs);
    if (shown) {
        save(window, QStringLiteral("voltmeter.png"));
        showVoltmeterChart(window);
    } else {
        m_failures << tr("Voltmeter: no readings arrived");
    }
    quit(window, "pushButtonQuit");
}

void ScreenshotTour::showVoltmeterChart(QDialog *window)
{
    auto *chart = pressShortcut(window, QKeySequence(Qt::CTRL + Qt::Key_G))
                      ? window->findChild<ChartWindow *>()
                      : nullptr;
    auto *plot = chart ? chart->findChild<QCustomPlot *>() : nullptr;
    if (!plot) {
        m_failures << tr("Voltmeter: no chart");
        return;
    }
    chart->move(window->frameGeometry().topRight() + QPoint(10, 0));
    pause(chartSeconds * 1000);
    // The readings fill a few seconds of the 10 min span: zoom in on them
    // with the wheel at the newest end, as a user would.
    const QPointF at(plot->axisRect()->right() - 1, plot->axisRect()->center().y());
    QWheelEvent wheel(at, plot->mapToGlobal(at.toPoint()), QPoint(), QPoint(0, 120 * 26),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(plot, &wheel);
    pause(300);
    save(chart, QStringLiteral("voltmeter-chart.png"));
}

void ScreenshotTour::showOsciloscope()
{
    QDialog *window = open("pushButtonOsciloscope", "Osciloscope");
    if (!window)
        return;
    waitForPlot(window, QStringLiteral("osciloscope.png"));
    showOnADarkDesktop(window);
    showScopeAtWork(window);
    showZoomWithCursors(window);
    showOtherViews(window);
    showMathChannels(window);
    showFilter(window);
    quit(window, "quitButton");
}

void ScreenshotTour::showOnADarkDesktop(QDialog *window)
{
    // A desktop's dark palette, as a dark theme gives it; the plot follows
    // the desktop.
    const QPalette light = QApplication::palette();
    QPalette dark = light;
    const QColor surface(45, 45, 48);
    const QColor base(30, 30, 32);
    for (const auto role : {QPalette::Window, QPalette::Button, QPalette::AlternateBase})
        dark.setColor(role, surface);
    dark.setColor(QPalette::Base, base);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(role, QColor(230, 230, 230));
    QApplication::setPalette(dark);
    pause(300);
    save(window, QStringLiteral("osciloscope-dark.png"));
    QApplication::setPalette(light);
}

void ScreenshotTour::showScopeAtWork(QDialog *window)
{
    // Triggered on the rising edge of PAD0, with its measurements, while
    // recording into a file that is thrown away.
    QTemporaryDir scratch;
    FileSaving::setFileNameSource(
        [&](const QString &, const QString &suggested) {
            return scratch.filePath(QFileInfo(suggested).fileName());
        });
    if (!pressShortcut(window, QKeySequence(Qt::CTRL + Qt::Key_T))
        || !pressShortcut(window, QKeySequence(Qt::CTRL + Qt::Key_M))
        || !pressShortcut(window, QKeySequence(Qt::CTRL + Qt::Key_R))) {
        m_failures << tr("Osciloscope: no trigger, measurement or recording command");
    }
    pause(1500); // a trigger, two seconds of rate, samples in the file
    save(window, QStringLiteral("osciloscope-triggered.png"));
    pressShortcut(window, QKeySequence(Qt::CTRL + Qt::Key_R));
    FileSaving::setFileNameSource({});

    // One Single capture, the plot stopped on it; then Auto, running again.
    auto *plotter = qobject_cast<Plotter *>(window);
    if (!plotter || !pressShortcut(window, QKeySequence(Qt::CTRL + Qt::SHIFT + Qt::Key_T))
        || !waitUntil([&] { return !plotter->isPlotting(); }, dataTimeoutMs)) {
        m_failures << tr("Osciloscope: no Single capture");
        return;
    }
    save(window, QStringLiteral("osciloscope-single.png"));
    for (QAction *action : window->findChildren<QAction *>())
        if (action->text() == QLatin1String("Auto"))
            action->trigger();
    plotter->setPlotting(true);
}

bool ScreenshotTour::pressShortcut(QWidget *window, const QKeySequence &keys)
{
    for (QAction *action : window->actions()) {
        if (action->shortcut() == keys) {
            action->trigger();
            return true;
        }
    }
    return false;
}

void ScreenshotTour::showAccelerometer()
{
    QDialog *window = open("pushButtonAccelerometer", "Accelerometer");
    if (!window)
        return;
    waitForPlot(window, QStringLiteral("accelerometer.png"));
    quit(window, "quitButton");
}

void ScreenshotTour::showPwm()
{
    QDialog *window = open("pushButtonPwm", "Pwm");
    if (!window)
        return;
    const struct
    {
        const char *name;
        int value;
    } settings[] = {{"freq0", pad0Frequency}, {"duty0", 50}, {"freq1", 440}, {"duty1", 25}};
    for (const auto &setting : settings) {
        auto *box = window->findChild<QSpinBox *>(QLatin1String(setting.name));
        if (!box) {
            m_failures << tr("PWM generator: no spin box %1").arg(QLatin1String(setting.name));
            quit(window, "pushButtonQuit");
            return;
        }
        box->setValue(setting.value);
    }
    // Sends PAD0's setting, which the counter measures next; returns once
    // all four lines are out.
    if (auto *enable = window->findChild<QPushButton *>(QStringLiteral("pushButtonEnable0")))
        enable->click();
    else
        m_failures << tr("PWM generator: no Enable button for PAD0");
    pause(100);
    save(window, QStringLiteral("pwm.png"));
    quit(window, "pushButtonQuit");
}

void ScreenshotTour::showCounter()
{
    QDialog *window = open("pushButtonCounter", "Counter");
    if (!window)
        return;
    auto *reading = window->findChild<QLabel *>(QStringLiteral("countLabel"));
    const QString expected = QString::number(pad0Frequency);
    if (waitUntil([&] { return reading && reading->text().trimmed() == expected; },
                  dataTimeoutMs)) {
        save(window, QStringLiteral("counter.png"));
    } else {
        m_failures << tr("Counter: did not read PAD0's %1 Hz (shows \"%2\")")
                          .arg(expected, reading ? reading->text().trimmed() : QString());
    }
    quit(window, "quitButton");
}

QDialog *ScreenshotTour::open(const char *buttonName, const char *className)
{
    auto *button = m_launcher->findChild<QPushButton *>(QLatin1String(buttonName));
    if (!button) {
        m_failures << tr("launcher: no button %1").arg(QLatin1String(buttonName));
        return nullptr;
    }
    const QWidgetList before = QApplication::topLevelWidgets();
    const QSet<QWidget *> existing(before.begin(), before.end());
    // The window finds and starts the board before this returns.
    button->click();
    const QWidgetList after = QApplication::topLevelWidgets();
    for (QWidget *widget : after) {
        if (!existing.contains(widget) && widget->isVisible()
            && qstrcmp(widget->metaObject()->className(), className) == 0) {
            return qobject_cast<QDialog *>(widget);
        }
    }
    m_failures << tr("%1 did not open").arg(QLatin1String(className));
    return nullptr;
}

void ScreenshotTour::quit(QDialog *window, const char *quitButtonName)
{
    QPointer<QDialog> guard(window);
    auto *button = window->findChild<QPushButton *>(QLatin1String(quitButtonName));
    if (button)
        button->click();
    else
        window->close();
    // The window stops the board, closes its port and hides; the next window
    // can open the port only after that. It is destroyed later, once the
    // event loop is back at the level the quit ran on.
    if (!waitUntil([&] { return guard.isNull() || !guard->isVisible(); }, dataTimeoutMs))
        m_failures << tr("%1 did not close").arg(QLatin1String(window->metaObject()->className()));
}

void ScreenshotTour::waitForPlot(QDialog *window, const QString &fileName)
{
    const QString name = QLatin1String(window->metaObject()->className());
    auto *plot = window->findChild<QCustomPlot *>(QStringLiteral("plot"));
    if (!plot) {
        m_failures << tr("%1: no plot").arg(name);
        return;
    }
    const bool full = waitUntil(
        [&] {
            if (plot->graphCount() < 3)
                return false;
            for (int i = 0; i < 3; ++i) {
                if (plot->graph(i)->dataCount() < fullPlot)
                    return false;
            }
            return true;
        },
        dataTimeoutMs);
    if (!full) {
        m_failures << tr("%1: the plot did not fill with samples").arg(name);
        return;
    }
    pause(100); // the next redraw
    save(window, fileName);
}

void ScreenshotTour::save(QWidget *window, const QString &fileName)
{
    const QString path = m_directory.filePath(fileName);
    if (!window->grab().save(path))
        m_failures << tr("cannot write %1").arg(path);
}

bool ScreenshotTour::waitUntil(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        pause(20);
    }
    return true;
}

void ScreenshotTour::pause(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void ScreenshotTour::answerMessageBoxes()
{
    const QWidgetList widgets = QApplication::topLevelWidgets();
    for (QWidget *widget : widgets) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        if (!box || !box->isVisible())
            continue;
        m_failures << tr("message \"%1\": %2").arg(box->windowTitle(), box->text());
        box->done(QMessageBox::Ok);
    }
}
