// Time from process start to the launcher on screen. The benchmark starts
// itself again as the panel (same start-up code as boardpanel: QApplication,
// MainWindow, show); the child reports the moment its launcher has been
// painted, on the system-wide monotonic clock.
#include "benchreport.h"
#include "mainwindow.h"

#include <QApplication>
#include <QEvent>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

double monotonicSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// Quits the panel after the launcher's first paint, printing when that was.
class FirstPaint : public QObject
{
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_done) {
            m_done = true;
            // Once the paint event has been handled: the launcher is drawn.
            QMetaObject::invokeMethod(
                watched,
                [] {
                    std::printf("%.6f\n", monotonicSeconds());
                    std::fflush(stdout);
                    QCoreApplication::quit();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool m_done = false;
};

int runPanel(int argc, char *argv[])
{
    QApplication app(argc, argv);
    MainWindow window;
    FirstPaint firstPaint;
    window.installEventFilter(&firstPaint);
    window.show();
    return app.exec();
}

// Starts this program as the panel and returns the seconds until its
// launcher was painted.
double startOnce(const char *self)
{
    int out[2];
    if (pipe(out) != 0)
        qFatal("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    char child[] = "--panel";
    char *args[] = {const_cast<char *>(self), child, nullptr};
    pid_t pid = 0;
    const double start = monotonicSeconds();
    if (posix_spawn(&pid, self, &actions, nullptr, args, environ) != 0)
        qFatal("cannot start %s", self);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    QByteArray text;
    char buffer[64];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, int(n));
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    bool ok = false;
    const double shown = text.trimmed().toDouble(&ok);
    if (!ok || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        qFatal("the panel did not start cleanly");
    return shown - start;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 1 && qstrcmp(argv[1], "--panel") == 0)
        return runPanel(argc, argv);

    std::vector<double> times;
    for (int i = 0; i < 11; ++i)
        times.push_back(startOnce(argv[0]));
    const double ms = 1000 * Bench::median(times);
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("default"));
    Bench::row(QStringLiteral("Start-up to launcher shown, %1 (median of 11)").arg(platform),
               QStringLiteral("<= 300 ms"), Bench::number(ms, 0) + QStringLiteral(" ms"), 300 / ms);
    return 0;
}
