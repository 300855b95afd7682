#pragma once

#include <QDir>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <functional>

class QDialog;
class QKeySequence;
class QWidget;
class MainWindow;

// Opens every instrument from the launcher the way a user would, waits until
// each shows live data from the board, and saves a picture of each window.
// The README's screenshots come from here, and the tests use it to check
// that every instrument of the demo gets data.
class ScreenshotTour : public QObject
{
    Q_OBJECT

public:
    ScreenshotTour(MainWindow *launcher, const QString &directory, QObject *parent = nullptr);

    // Runs the whole tour with the event loop turning. Returns what went
    // wrong; empty when every window showed data and was saved.
    QStringList run();

private:
    // Long enough for slow machines, short enough that a broken demo ends soon.
    static constexpr int dataTimeoutMs = 10000;

    void showLauncher();
    void showVoltmeter();
    // Its chart, zoomed in on the seconds of readings it has.
    void showVoltmeterChart(QDialog *window);
    void showOsciloscope();
    // The scope triggered, measuring and recording.
    void showScopeAtWork(QDialog *window);
    // Stopped, zoomed in with the wheel, the cursors shown.
    void showZoomWithCursors(QDialog *window);
    // The same signals as spectra and as an XY figure.
    void showOtherViews(QDialog *window);
    void showMathChannels(QDialog *window);
    // A noisy sine and its low-pass.
    void showFilter(QDialog *window);
    // Runs the window's command with these keys; false when it has none.
    bool pressShortcut(QWidget *window, const QKeySequence &keys);
    void showAccelerometer();
    // A recording of the live Osciloscope, opened in its own window beside it.
    void showRecordingBesideLive();
    void showPwm();
    void showCounter();
    // Two Osciloscopes on two boards, side by side; last, as it changes the
    // list of ports (twoboardsshot.cpp).
    void showTwoBoards();

    // Presses the launcher's button and returns the window it opened.
    QDialog *open(const char *buttonName, const char *className);
    // Presses the window's quit button and waits until the window is gone.
    void quit(QDialog *window, const char *quitButtonName);
    void waitForPlot(QDialog *window, const QString &name);
    void save(QWidget *window, const QString &fileName);

    // Runs the event loop until `done` holds or `timeoutMs` have passed.
    bool waitUntil(const std::function<bool()> &done, int timeoutMs);
    void pause(int ms);
    // A message box means something failed; note it and answer it so the
    // tour goes on.
    void answerMessageBoxes();

    MainWindow *const m_launcher;
    const QDir m_directory;
    QStringList m_failures;
    QTimer m_boxWatch;
};
