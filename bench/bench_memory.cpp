// Resident memory after many open/close cycles of each instrument window
// against a virtual board: closed windows must leave nothing behind.
#include "benchboard.h"
#include "benchreport.h"
#include "mainwindow.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <malloc.h>
#include <unistd.h>

namespace {

void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Resident set size in bytes, after handing freed heap pages back, so what
// remains is memory still in use.
qint64 residentBytes()
{
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    malloc_trim(0);
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        qFatal("cannot read /proc/self/statm");
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toLongLong() * sysconf(_SC_PAGESIZE);
}

// Opens the instrument from the launcher, lets it run a little, closes it
// and waits until the window is gone.
void cycle(MainWindow &launcher, const char *button, const char *className, VirtualBoard &board)
{
    const QList<QWidget *> before = QApplication::topLevelWidgets();
    launcher.findChild<QPushButton *>(QLatin1String(button))->click();
    QPointer<QWidget> window;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (!before.contains(widget) && widget->inherits(className))
            window = widget;
    if (!window)
        qFatal("%s did not open", className);
    runFor(30);
    window->close();
    for (int i = 0; window && i < 500; ++i) {
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        runFor(5);
    }
    if (window)
        qFatal("%s was not destroyed after closing", className);
    // The board records what it receives; that is not the panel's memory.
    board.clearReceived();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    ListedBoard listed;
    MainWindow launcher;
    launcher.show();

    const int cycles = qEnvironmentVariableIsSet("BENCH_CYCLES")
                           ? qEnvironmentVariableIntValue("BENCH_CYCLES")
                           : 100;
    const struct
    {
        const char *button;
        const char *className;
    } instruments[] = {
        {"pushButtonVoltmeter", "Voltmeter"},     {"pushButtonCounter", "Counter"},
        {"pushButtonPwm", "Pwm"},                 {"pushButtonAccelerometer", "Accelerometer"},
        {"pushButtonOsciloscope", "Osciloscope"},
    };
    constexpr double target = 2 * 1024 * 1024;
    for (const auto &instrument : instruments) {
        // The first windows load fonts, styles and plugins once for good.
        for (int i = 0; i < 3; ++i)
            cycle(launcher, instrument.button, instrument.className, listed.board);
        const qint64 start = residentBytes();
        for (int i = 0; i < cycles; ++i)
            cycle(launcher, instrument.button, instrument.className, listed.board);
        const qint64 growth = residentBytes() - start;
        Bench::row(QStringLiteral("Memory growth, %1 open/close cycles of the %2")
                       .arg(cycles)
                       .arg(QLatin1String(instrument.className)),
                   QStringLiteral("< 2 MB"),
                   Bench::number(growth / 1024.0, 0) + QStringLiteral(" KiB"),
                   target / std::max<double>(double(growth), 4096));
    }
    return 0;
}
