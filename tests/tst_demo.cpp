// The demo program as a user starts it: its built-in virtual board feeds
// every instrument, --port puts another device in the board's place, and the
// install tree carries what a Linux desktop needs for a real board.
#include "testsupport.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <csignal>

namespace {

const QString demoPath = QStringLiteral(DEMO_PATH);
const QString panelPath = QStringLiteral(PANEL_PATH);
const QString version = QStringLiteral(PROJECT_VERSION);
const QStringList pictures = {QStringLiteral("launcher.png"),    QStringLiteral("voltmeter.png"),
                              QStringLiteral("osciloscope.png"), QStringLiteral("accelerometer.png"),
                              QStringLiteral("pwm.png"),         QStringLiteral("counter.png"),
                              QStringLiteral("voltmeter-chart.png"), QStringLiteral("osciloscope-zoom.png"),
                              QStringLiteral("osciloscope-spectrum.png"),
                              QStringLiteral("osciloscope-xy.png"),
                              QStringLiteral("osciloscope-replay.png"),
                              QStringLiteral("osciloscope-two-boards.png"),
                              QStringLiteral("osciloscope-math.png"), QStringLiteral("osciloscope-filter.png"),
                              QStringLiteral("osciloscope-lanes.png")};
// A whole tour takes a few seconds (minutes in a sanitizer build on a loaded
// machine); this only catches a hung demo.
constexpr int tourTimeoutMs = 360000;

struct Run
{
    bool finished = false;
    int exitCode = -1;
    QString output;
    QString errors;
};

// Runs `program` while this process's event loop keeps turning, so a
// virtual board of the test can answer it.
Run run(const QString &program, const QStringList &arguments,
        const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    QSignalSpy finished(&process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished));
    process.start(program, arguments);
    Run result;
    result.finished = process.waitForStarted() && finished.wait(tourTimeoutMs);
    if (!result.finished) {
        process.kill();
        process.waitForFinished();
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.output = QString::fromLocal8Bit(process.readAllStandardOutput());
    result.errors = QString::fromLocal8Bit(process.readAllStandardError());
    return result;
}

// No display of any kind: a program that opened one would fail here.
QProcessEnvironment noDisplay()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QLatin1String(name));
    return environment;
}

// The tour's environment: headless, without the panel's reading trace.
QProcessEnvironment headless()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.remove(QStringLiteral("QT_LOGGING_RULES"));
    return environment;
}

// Pixels of exactly `color` in the top `fraction` of the picture, where the
// plots are (their legends below use the same colours).
int pixelsOf(const QImage &image, QColor color, double fraction)
{
    int count = 0;
    const int rows = int(image.height() * fraction);
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == color)
                ++count;
        }
    }
    return count;
}

int distinctColours(const QImage &image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2)
            colours.insert(image.pixel(x, y));
    }
    return colours.size();
}

QString readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    return QString::fromUtf8(file.readAll());
}

} // namespace

class DemoTest : public QObject
{
    Q_OBJECT

private slots:
    void builtInBoardFeedsEveryInstrument();
    void portOptionTakesTheGivenDeviceAsTheBoard();
    void portOptionRefusesAMissingDevice();
    void virtualBoardPrintsItsNewPathOnAReplug();
    void helpNeedsNoDisplayAndShowsThePortOption();
    void commandLineIsAnsweredWithoutDisplay_data();
    void commandLineIsAnsweredWithoutDisplay();
    void installTreeHasPanelDesktopEntryIconAndRule();
    void udevRuleVerifies();
};

void DemoTest::builtInBoardFeedsEveryInstrument()
{
    QTemporaryDir out;
    QVERIFY(out.isValid());
    // The tour fails unless every window shows data from the board: numbers
    // in the voltmeter, full plots, and the counter reading back the PWM
    // frequency it set on PAD0.
    const Run tour = run(demoPath, {QStringLiteral("--screenshots"), out.path()}, headless());
    QVERIFY2(tour.finished, qPrintable(tour.errors));
    QVERIFY2(tour.exitCode == 0, qPrintable(tour.errors));

    for (const QString &name : pictures) {
        const QImage image(QDir(out.path()).filePath(name));
        QVERIFY2(!image.isNull(), qPrintable(name));
        QVERIFY2(image.width() >= 300 && image.height() >= 200, qPrintable(name));
        QVERIFY2(distinctColours(image) > 20, qPrintable(name));
    }
    // The plots show the three signals, drawn in red, blue and black.
    for (const QString &name : {QStringLiteral("osciloscope.png"), QStringLiteral("accelerometer.png")}) {
        const QImage image = QImage(QDir(out.path()).filePath(name)).convertToFormat(QImage::Format_RGB32);
        QVERIFY2(pixelsOf(image, Qt::red, 0.7) > 300, qPrintable(name));
        QVERIFY2(pixelsOf(image, Qt::blue, 0.7) > 300, qPrintable(name));
    }
}

void DemoTest::portOptionTakesTheGivenDeviceAsTheBoard()
{
    VirtualBoard board;
    QVERIFY2(board.start(), qPrintable(board.errorString()));
    QTemporaryDir out;
    QVERIFY(out.isValid());

    const Run tour = run(demoPath,
                         {QStringLiteral("--port"), board.devicePath(), QStringLiteral("--screenshots"),
                          out.path()},
                         headless());
    QVERIFY2(tour.finished, qPrintable(tour.errors));
    QVERIFY2(tour.exitCode == 0, qPrintable(tour.errors));

    // Every instrument ran on this board, and nothing else answered: the
    // counter read the frequency this board was given for PAD0.
    const QByteArray received = board.received();
    for (const QByteArray start : {"v\n", "o\n", "a\n", "p\n", "c\ng\n"})
        QVERIFY2(received.contains(start), start.constData());
    QVERIFY(received.contains("r\n"));
    QCOMPARE(board.channelSettings().value(0), (VirtualBoard::ChannelSetting{0, 1250, 50}));
    QTRY_COMPARE(board.mode(), VirtualBoard::Mode::Idle);
}

void DemoTest::portOptionRefusesAMissingDevice()
{
    QTemporaryDir dir;
    const QString missing = QDir(dir.path()).filePath(QStringLiteral("ttyNothing"));
    const Run demo = run(demoPath, {QStringLiteral("--port"), missing}, headless());
    QVERIFY(demo.finished);
    QCOMPARE(demo.exitCode, 1);
    QVERIFY2(demo.errors.contains(missing), qPrintable(demo.errors));
}

// The standalone virtual board under --link: the link first, then, after
// SIGUSR1, the new pseudo-terminal (its number may come again), which the
// link follows.
void DemoTest::virtualBoardPrintsItsNewPathOnAReplug()
{
    QTemporaryDir dir;
    const QString link = QDir(dir.path()).filePath(QStringLiteral("board"));
    QProcess board;
    board.start(QStringLiteral(VIRTUALBOARD_PATH),
                {QStringLiteral("--link"), link, QStringLiteral("--replug-delay"), QStringLiteral("10")});
    QVERIFY(board.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(board.canReadLine(), 30000);
    QCOMPARE(board.readLine().trimmed(), link.toLocal8Bit());
    QVERIFY(QFileInfo(link).symLinkTarget().startsWith(QStringLiteral("/dev/pts/")));
    ::kill(pid_t(board.processId()), SIGUSR1);
    QByteArray said;
    QTRY_VERIFY_WITH_TIMEOUT((said += board.readAll()).count('\n') >= 2, 30000);
    const QList<QByteArray> lines = said.trimmed().split('\n');
    QCOMPARE(lines.first(), QByteArray("unplugged"));
    const QString replugged = QString::fromLocal8Bit(lines.at(1));
    QVERIFY2(replugged.startsWith(QStringLiteral("/dev/pts/")), qPrintable(replugged));
    QCOMPARE(QFileInfo(link).symLinkTarget(), replugged);
    board.terminate();
    QVERIFY(board.waitForFinished());
}

void DemoTest::helpNeedsNoDisplayAndShowsThePortOption()
{
    const Run help = run(demoPath, {QStringLiteral("--help")}, noDisplay());
    QVERIFY(help.finished);
    QCOMPARE(help.exitCode, 0);
    QVERIFY2(help.output.contains(QStringLiteral("--port <PATH>")), qPrintable(help.output));
    QVERIFY2(help.output.contains(QStringLiteral("virtual board")), qPrintable(help.output));
    // The screenshot tour is for the scripts, not for users.
    QVERIFY(!help.output.contains(QStringLiteral("--screenshots")));
}

void DemoTest::commandLineIsAnsweredWithoutDisplay_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("errors");

    const QString panelVersion = QStringLiteral("boardpanel %1\n").arg(version);
    QTest::newRow("panel help") << panelPath << QStringList{QStringLiteral("--help")} << 0
                                << QStringLiteral("-v, --version") << QString();
    QTest::newRow("panel help names --replay") << panelPath << QStringList{QStringLiteral("--help")} << 0
                                               << QStringLiteral("--replay <FILE>") << QString();
    QTest::newRow("panel help-all") << panelPath << QStringList{QStringLiteral("--help-all")} << 0
                                    << QStringLiteral("-session <value>") << QString();
    QTest::newRow("panel version") << panelPath << QStringList{QStringLiteral("--version")} << 0
                                   << panelVersion << QString();
    QTest::newRow("panel -v") << panelPath << QStringList{QStringLiteral("-v")} << 0 << panelVersion
                              << QString();
    // A session manager restarts programs with the toolkit's -session.
    QTest::newRow("toolkit options pass")
        << panelPath
        << QStringList{QStringLiteral("-session"), QStringLiteral("1a2b"), QStringLiteral("-style=Fusion"),
                       QStringLiteral("-name"), QStringLiteral("panel"), QStringLiteral("--version")}
        << 0 << panelVersion << QString();
    QTest::newRow("panel unknown option")
        << panelPath << QStringList{QStringLiteral("--port"), QStringLiteral("/dev/ttyACM0")} << 2 << QString()
        << QStringLiteral("boardpanel: Unknown option 'port'.");
    // A bare argument is a file to open; --replay wants one.
    QTest::newRow("panel replay without a file") << panelPath << QStringList{QStringLiteral("--replay")} << 2
                                                 << QString() << QStringLiteral("'--replay'");
    QTest::newRow("mistake before help")
        << panelPath << QStringList{QStringLiteral("--help"), QStringLiteral("-x")} << 2 << QString()
        << QStringLiteral("Unknown option 'x'.");
    QTest::newRow("open unknown instrument")
        << panelPath << QStringList{QStringLiteral("--open"), QStringLiteral("osciloscope"),
                                    QStringLiteral("--open"), QStringLiteral("scope")}
        << 2 << QString()
        << QStringLiteral("Unknown instrument 'scope' after '--open'. Instruments: voltmeter, "
                          "accelerometer, osciloscope, pwm, counter.");
    QTest::newRow("open by the usual spellings")
        << panelPath << QStringList{QStringLiteral("--open"), QStringLiteral("oscilloscope"),
                                    QStringLiteral("--open"), QStringLiteral("pwm-generator"),
                                    QStringLiteral("--version")}
        << 0 << panelVersion << QString();
    QTest::newRow("open without name") << panelPath << QStringList{QStringLiteral("--open")} << 2
                                       << QString() << QStringLiteral("Missing value after '--open'.");
    QTest::newRow("open in help") << panelPath << QStringList{QStringLiteral("--help")} << 0
                                  << QStringLiteral("--open <NAME>") << QString();
    QTest::newRow("demo version") << demoPath << QStringList{QStringLiteral("--version")} << 0
                                  << QStringLiteral("boardpanel-demo %1\n").arg(version) << QString();
    QTest::newRow("demo unknown option") << demoPath << QStringList{QStringLiteral("--rate=5")} << 2
                                         << QString() << QStringLiteral("Unknown option 'rate'.");
    QTest::newRow("demo port without path") << demoPath << QStringList{QStringLiteral("--port")} << 2
                                            << QString() << QStringLiteral("Missing value after '--port'.");
}

// Each row names what standard output and standard error contain; an empty
// column means nothing may be printed there.
void DemoTest::commandLineIsAnsweredWithoutDisplay()
{
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QFETCH(QString, errors);

    const Run answer = run(program, arguments, noDisplay());
    QVERIFY(answer.finished);
    QCOMPARE(answer.exitCode, exitCode);
    if (output.isEmpty())
        QCOMPARE(answer.output, QString());
    else
        QVERIFY2(answer.output.contains(output), qPrintable(answer.output));
    if (errors.isEmpty())
        QCOMPARE(answer.errors, QString());
    else
        QVERIFY2(answer.errors.contains(errors), qPrintable(answer.errors));
}

void DemoTest::installTreeHasPanelDesktopEntryIconAndRule()
{
    QTemporaryDir prefix;
    QVERIFY(prefix.isValid());
    const Run install = run(QStringLiteral(CMAKE_COMMAND_PATH),
                            {QStringLiteral("--install"), QStringLiteral(BUILD_DIR),
                             QStringLiteral("--prefix"), prefix.path()});
    QVERIFY(install.finished);
    QVERIFY2(install.exitCode == 0, qPrintable(install.errors));
    const QDir root(prefix.path());

    const QFileInfo panel(root.filePath(QStringLiteral("bin/boardpanel")));
    QVERIFY(panel.isFile());
    QVERIFY(panel.isExecutable());

    // The menu entry starts the installed program and names the icon.
    const QString entry = readAll(root.filePath(QStringLiteral("share/applications/boardpanel.desktop")));
    QVERIFY(entry.startsWith(QStringLiteral("[Desktop Entry]\n")));
    const QStringList lines = entry.split(QLatin1Char('\n'));
    for (const QString line : {"Type=Application", "Exec=boardpanel %F", "Icon=boardpanel", "Terminal=false"})
        QVERIFY2(lines.contains(line), qPrintable(line));
    QVERIFY(entry.contains(QStringLiteral("\nName=")));
    // One action per instrument, each starting the panel with that window open.
    QVERIFY(lines.contains(QStringLiteral("Actions=voltmeter;accelerometer;osciloscope;pwm;counter;")));
    QVERIFY(entry.contains(QStringLiteral("[Desktop Action osciloscope]\nName=Open Osciloscope\n"
                                          "Exec=boardpanel --open osciloscope\n")));
    QVERIFY(entry.contains(QStringLiteral("[Desktop Action pwm]\nName=Open PWM Generator\n"
                                          "Exec=boardpanel --open pwm\n")));

    // The icon is a well-formed picture under the name the entry gives.
    QFile icon(root.filePath(QStringLiteral("share/icons/hicolor/scalable/apps/boardpanel.svg")));
    QVERIFY(icon.open(QIODevice::ReadOnly));
    QXmlStreamReader svg(&icon);
    QVERIFY(svg.readNextStartElement());
    QCOMPARE(svg.name().toString(), QStringLiteral("svg"));
    while (!svg.atEnd())
        svg.readNext();
    QVERIFY2(!svg.hasError(), qPrintable(svg.errorString()));

    // Software centres find the menu entry and the board's vendor id in the
    // metadata.
    const QString metainfo = readAll(
        root.filePath(QStringLiteral("share/metainfo/example.boardpanel.BoardPanel.metainfo.xml")));
    QVERIFY(metainfo.contains(QStringLiteral("<launchable type=\"desktop-id\">boardpanel.desktop</launchable>")));
    QVERIFY(metainfo.contains(QStringLiteral("<modalias>usb:v0D28p*</modalias>")));

    // The rule gives the user at the seat the board's port, and nobody else.
    const QString rule = readAll(root.filePath(QStringLiteral("lib/udev/rules.d/60-boardpanel.rules")));
    QVERIFY(rule.contains(QStringLiteral("SUBSYSTEM==\"tty\", ATTRS{idVendor}==\"0d28\", TAG+=\"uaccess\"")));
    QVERIFY(!rule.contains(QStringLiteral("MODE")));
    QVERIFY(!rule.contains(QStringLiteral("GROUP")));
}

void DemoTest::udevRuleVerifies()
{
    QString udevadm = QStandardPaths::findExecutable(QStringLiteral("udevadm"));
    if (udevadm.isEmpty()) {
        udevadm = QStandardPaths::findExecutable(
            QStringLiteral("udevadm"), {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin"),
                                        QStringLiteral("/usr/bin"), QStringLiteral("/bin")});
    }
    if (udevadm.isEmpty())
        QSKIP("udevadm is not installed");
    if (run(udevadm, {QStringLiteral("verify"), QStringLiteral("--help")}).exitCode != 0)
        QSKIP("this udevadm cannot verify rule files");
    const Run verify = run(udevadm, {QStringLiteral("verify"), QStringLiteral(UDEV_RULE_PATH)});
    QVERIFY(verify.finished);
    QVERIFY2(verify.exitCode == 0, qPrintable(verify.output + verify.errors));
}

QTEST_GUILESS_MAIN(DemoTest)
#include "tst_demo.moc"
