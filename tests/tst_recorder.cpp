// The recorder without a window, as its own process against the virtual
// board over a real pseudo-terminal: the file a window's recording writes,
// the bytes on the line, signals, an unplug, rotation, mistakes, and the
// broker it publishes to going away.
#include "brokerfixture.h"
#include "instrumentkinds.h"
#include "testsupport.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "filesaving.h"
#include "plotter.h"
#include "recorderoptions.h"
#include "settingsfile.h"

#include <csignal>
#include <sys/mount.h>
#include <unistd.h>

using namespace TestSupport;

namespace {

QList<QByteArray> lines(const QString &path)
{
    QList<QByteArray> all = contents(path).split('\n');
    if (!all.isEmpty() && all.constLast().isEmpty())
        all.removeLast();
    return all;
}

// The rows without time_s, which differs from run to run.
QList<QByteArray> withoutTimes(const QList<QByteArray> &rows)
{
    QList<QByteArray> kept;
    for (const QByteArray &row : rows) {
        QList<QByteArray> cells = row.split(',');
        if (cells.size() > 1)
            cells.removeAt(1);
        kept.append(cells.join(','));
    }
    return kept;
}

// Every line a row of `cells` numbers, numbered 1, 2, 3… Returns the first
// difference, or an empty string.
QString checkWholeRows(const QList<QByteArray> &rows, int valueCells)
{
    const QRegularExpression form(QStringLiteral("^\\d+,\\d+\\.\\d{6}(,-?\\d*){%1}$").arg(valueCells));
    for (int i = 0; i < rows.size(); ++i) {
        if (!form.match(QString::fromLatin1(rows[i])).hasMatch() || rows[i].split(',')[0].toLongLong() != i + 1)
            return QStringLiteral("row %1: %2").arg(i + 1).arg(QString::fromLatin1(rows[i]));
    }
    return QString();
}

// The longest pause between rows, in seconds.
double longestPause(const QList<QByteArray> &rows)
{
    double longest = 0;
    for (int i = 1; i < rows.size(); ++i)
        longest = qMax(longest, rows[i].split(',')[1].toDouble() - rows[i - 1].split(',')[1].toDouble());
    return longest;
}

// The recorder in a process of its own; the board in this one runs while
// the test waits for it.
class Recorder
{
public:
    explicit Recorder(const QString &folder) { m_process.setWorkingDirectory(folder); }
    ~Recorder()
    {
        m_process.kill();
        m_process.waitForFinished();
    }
    // Where it finds the panel's settings file.
    void setConfigHome(const QString &folder)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CONFIG_HOME", folder);
        m_process.setProcessEnvironment(environment);
    }
    void start(const QStringList &arguments)
    {
        m_process.start(QStringLiteral(RECORDER_PATH), arguments);
        m_process.waitForStarted();
    }
    bool hasEnded(int ms = 10000)
    {
        return QTest::qWaitFor([this] { return m_process.state() == QProcess::NotRunning; }, ms);
    }
    // Its exit status, or -1 when it did not end by itself.
    int exitCode(int ms = 10000)
    {
        return hasEnded(ms) && m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }
    int stop(int signalNumber = SIGTERM)
    {
        ::kill(pid_t(m_process.processId()), signalNumber);
        return exitCode();
    }
    QString errors()
    {
        m_errors += QString::fromLocal8Bit(m_process.readAllStandardError());
        return m_errors;
    }

private:
    QProcess m_process;
    QString m_errors;
};

// A small file system of its own that fills up: a tmpfs of `bytes`, for
// as long as it lives. Needs root.
class SmallDisk
{
public:
    explicit SmallDisk(qint64 bytes)
    {
        m_error = geteuid() != 0 ? QStringLiteral("mounting a tmpfs needs root")
                  : ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0,
                            qPrintable(QStringLiteral("size=%1").arg(bytes))) != 0
                      ? QStringLiteral("cannot mount a tmpfs: ") + qt_error_string(errno)
                      : QString();
    }
    ~SmallDisk()
    {
        if (m_error.isEmpty())
            ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }
    QString error() const { return m_error; }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QString m_error;
};

bool startsWell(const QByteArray &received, const InstrumentKind &kind)
{
    return received.startsWith(kind.startCommands);
}

} // namespace

// A recorder built with the sanitizers takes seconds to start on a loaded
// machine: an upper bound for a hang, not a measure of speed.
constexpr int startTimeoutMs = 20000;

class TestRecorder : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { destroyTopLevelWindows(); }
    void sameFileAndBytesAsTheWindow_data();
    void sameFileAndBytesAsTheWindow();
    void endsWithWholeRowsAndTheBoardStopped_data();
    void endsWithWholeRowsAndTheBoardStopped();
    void unplugGoesOnInTheSameFile();
    void rotatesBySize();
    void fullDiskEndsWithStatus3_data();
    void fullDiskEndsWithStatus3();
    void mistakesEndWithStatus2_data();
    void mistakesEndWithStatus2();
    void missingBoardEndsWithStatus1_data();
    void missingBoardEndsWithStatus1();
    void publishedMessagesMatchTheFile_data();
    void publishedMessagesMatchTheFile();
    void brokerAwayLosesNoRow();
    void brokerAwayFromTheStartIsSaid();

private:
    QTemporaryDir m_dir;
};

void TestRecorder::sameFileAndBytesAsTheWindow_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("replies");
    QTest::addColumn<int>("rows");
    // Computed channels, as --math takes them; or as the window keeps them.
    QTest::addColumn<QStringList>("math");
    QTest::addColumn<bool>("kept");
    // Damaged text, missing fields and fields past the third among good ones.
    QTest::newRow("voltmeter") << "Voltmeter"
                               << QByteArray("1650,3300,12\n1,,3\n7,8,x9\n2,3\n4,5,6,7\n-5,+6,7.5\r\n") << 5
                               << QStringList() << false;
    QTest::newRow("counter") << "Counter" << QByteArray("1250\n12,5 kHz\n=1+2\n0.5\n") << 4 << QStringList()
                             << false;
    const QByteArray frames("$12 34 56;$7;$ 1 2 3;$1 x 3;$-5 0 99999;");
    QTest::newRow("osciloscope") << "Osciloscope" << frames << 5 << QStringList() << false;
    QTest::newRow("accelerometer") << "Accelerometer" << QByteArray("$2000 3000 1000;junk$1  3;") << 2
                                   << QStringList() << false;
    // Missing inputs, a past over them, a unit and thirds: the same cells.
    QTest::newRow("osciloscope, computed")
        << "Osciloscope" << frames << 5 << QStringList{"D[mV]=PAD0-PAD1", "A=avg(D, 2)/3", "R=sqrt(PAD2)"}
        << false;
    // Filters that need no rate: the same in both, whatever the reads' times.
    QTest::newRow("osciloscope, filters")
        << "Osciloscope" << frames << 5 << QStringList{"H=hold(PAD1)", "M=median(PAD0 + PAD2, 3)"} << false;
    QTest::newRow("osciloscope, the window's kept channels")
        << "Osciloscope" << frames << 5 << QStringList{"D[mV]=PAD0-PAD1", "A=avg(D, 2)/3"} << true;
    // The formulas see g, the file keeps the counts.
    QTest::newRow("accelerometer, computed in g")
        << "Accelerometer" << QByteArray("$2000 3000 1000;$2500 1 7;junk$1  3;") << 3
        << QStringList{"G=sqrt(X^2+Y^2+Z^2)", "H=G/3"} << false;
}

void TestRecorder::sameFileAndBytesAsTheWindow()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, replies);
    QFETCH(int, rows);
    QFETCH(QStringList, math);
    QFETCH(bool, kept);
    // Each window as specified, whatever a row before kept.
    QVERIFY(SettingsFile::forgetAll());
    const InstrumentKind k = instrumentKind(kind);
    QVector<MathChannel> channels;
    QStringList mathArguments;
    for (const QString &text : math) {
        channels.append(*RecorderCommandLine::mathChannel(text));
        mathArguments << "--math" << text;
    }
    QuietBoard fixture;
    QVERIFY(fixture.board.setLinkPath(m_dir.filePath("board")));

    // The window's recording, of the same replies.
    const QString windowFile = m_dir.filePath(QTest::currentDataTag() + QStringLiteral("-window.csv"));
    FileSaving::setFileNameSource([&](const QString &, const QString &) { return windowFile; });
    const auto restore = qScopeGuard([] { FileSaving::setFileNameSource({}); });
    QPointer<QDialog> window(k.open());
    QTRY_VERIFY(startsWell(fixture.board.received(), k));
    if (!channels.isEmpty())
        QVERIFY(qobject_cast<Plotter *>(window.data())->setMathChannels(channels));
    for (QAction *action : window->actions())
        if (action->shortcut() == QKeySequence(Qt::CTRL + Qt::Key_R))
            action->trigger();
    fixture.board.sendRaw(replies);
    QTRY_COMPARE(lines(windowFile).size(), rows + 1);
    const QByteArray windowBytes = fixture.board.received();
    window->findChild<QPushButton *>(k.quitButton)->click();
    QTRY_VERIFY(window.isNull());
    fixture.board.clearReceived();

    const QString file = m_dir.filePath(QTest::currentDataTag() + QStringLiteral(".csv"));
    Recorder recorder(m_dir.path());
    if (kept) {
        // What the window kept, as the panel's own file.
        const QString configHome = m_dir.filePath("config-home");
        QVERIFY(QDir(configHome).mkpath("boardpanel"));
        QVERIFY(QFile::copy(SettingsFile::path(), configHome + "/boardpanel/boardpanel.conf"));
        recorder.setConfigHome(configHome);
        mathArguments = QStringList{"--math-from-settings"};
    }
    recorder.start(QStringList{"--instrument", kind.toLower(), "--port", fixture.board.devicePath(), "--out",
                               file} + mathArguments);
    QTRY_VERIFY(startsWell(fixture.board.received(), k));
    fixture.board.sendRaw(replies);
    QTRY_COMPARE(lines(file).size(), rows + 1);
    QCOMPARE(recorder.stop(), 0);

    QCOMPARE(lines(file).first(), lines(windowFile).first());
    QCOMPARE(withoutTimes(lines(file)), withoutTimes(lines(windowFile)));
    // Started and stopped as the window does, and nothing else but its requests.
    const QByteArray received = fixture.board.received();
    QVERIFY2(received.endsWith(k.stopCommands()), received.right(60).constData());
    QCOMPARE(received.left(k.startCommands.size()), windowBytes.left(k.startCommands.size()));
    for (const QByteArray &line : received.split('\n').mid(0, received.count('\n')))
        QVERIFY2(k.commands.contains(line), line.constData());
}

void TestRecorder::endsWithWholeRowsAndTheBoardStopped_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGTERM") << QStringList() << int(SIGTERM);
    QTest::newRow("SIGHUP") << QStringList() << int(SIGHUP);
    QTest::newRow("--duration") << QStringList{"--duration", "1.5s"} << 0;
}

void TestRecorder::endsWithWholeRowsAndTheBoardStopped()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, signalNumber);
    BoardFixture fixture;
    fixture.board.setFrameRate(20000);
    fixture.board.setWriteInterval(1);
    // A file of its own: a previous case's rows must not count.
    const QString file = m_dir.filePath(QStringLiteral("stream-%1.csv").arg(QTest::currentDataTag()));
    Recorder recorder(m_dir.path());
    recorder.start(QStringList{"--instrument", "osciloscope", "--port", fixture.board.devicePath(),
                               "--out", file} + arguments);
    if (arguments.isEmpty()) {
        QTRY_VERIFY_WITH_TIMEOUT(lines(file).size() > 1000, startTimeoutMs);
        QCOMPARE(recorder.stop(signalNumber), 0);
    } else {
        // The run's length counts from the program's start, which a loaded
        // machine may spend mostly opening the board: rows, not how many.
        QCOMPARE(recorder.exitCode(startTimeoutMs), 0);
        QVERIFY(lines(file).size() > 1);
    }

    QVERIFY(contents(file).endsWith('\n'));
    const QList<QByteArray> rows = lines(file).mid(1);
    QCOMPARE(checkWholeRows(rows, 3), QString());
    QVERIFY2(recorder.errors().contains(QStringLiteral("holds %1 rows").arg(rows.size())),
             qPrintable(recorder.errors()));
    QVERIFY(fixture.board.received().startsWith("o\n"));
    QVERIFY(fixture.board.received().endsWith("r\n"));
    QCOMPARE(fixture.board.mode(), VirtualBoard::Mode::Idle);
}

void TestRecorder::unplugGoesOnInTheSameFile()
{
    BoardFixture fixture;
    QVERIFY(fixture.board.setLinkPath(m_dir.filePath("replugged")));
    const QString file = m_dir.filePath("unplug.csv");
    Recorder recorder(m_dir.path());
    recorder.start({"--instrument", "osciloscope", "--port", fixture.board.devicePath(), "--out", file});
    QTRY_VERIFY_WITH_TIMEOUT(lines(file).size() > 100, startTimeoutMs);
    fixture.board.clearReceived();
    fixture.board.replug(1000);
    QTRY_VERIFY2_WITH_TIMEOUT(recorder.errors().contains("was lost"), qPrintable(recorder.errors()), startTimeoutMs);
    // Back under the same name, started afresh, and on in the same file.
    QTRY_COMPARE_WITH_TIMEOUT(fixture.board.received(), QByteArray("o\n"), startTimeoutMs);
    QTRY_VERIFY(recorder.errors().contains("the board is back"));
    const int rowsAtReturn = lines(file).size();
    QTRY_VERIFY(lines(file).size() > rowsAtReturn + 100);
    QCOMPARE(recorder.stop(), 0);

    const QList<QByteArray> rows = lines(file).mid(1);
    QCOMPARE(checkWholeRows(rows, 3), QString());
    QVERIFY2(longestPause(rows) >= 0.9, qPrintable(QString::number(longestPause(rows))));
    QVERIFY(fixture.board.received().endsWith("r\n"));
}

void TestRecorder::rotatesBySize()
{
    constexpr int limit = 4096;
    QTemporaryDir dir;
    BoardFixture fixture;
    Recorder recorder(dir.path());
    recorder.start({"--instrument", "osciloscope", "--port", fixture.board.devicePath(), "--out",
                    "run.csv", "--rotate", "4K"});
    QTRY_VERIFY_WITH_TIMEOUT(QDir(dir.path()).entryList({"run-*.csv"}).size() >= 4, 10000);
    QCOMPARE(recorder.stop(), 0);

    // Ordered by their first rows, the files hold every row once, each file
    // begins with the header and ends at the first row that reaches the size.
    QMap<qint64, QString> byFirstRow;
    const QRegularExpression name(QStringLiteral("^run-\\d{4}-\\d\\d-\\d\\dT\\d\\d-\\d\\d-\\d\\d(-\\d+)?\\.csv$"));
    for (const QString &fileName : QDir(dir.path()).entryList({"*.csv"})) {
        QVERIFY2(name.match(fileName).hasMatch(), qPrintable(fileName));
        const QList<QByteArray> fileLines = lines(dir.filePath(fileName));
        QCOMPARE(fileLines.first(), QByteArray("sample,time_s,PAD0,PAD1,PAD2"));
        byFirstRow.insert(fileLines.size() > 1 ? fileLines[1].split(',')[0].toLongLong() : 0, fileName);
    }
    QList<QByteArray> rows;
    for (const QString &fileName : byFirstRow) {
        const qint64 size = QFileInfo(dir.filePath(fileName)).size();
        const QList<QByteArray> fileLines = lines(dir.filePath(fileName));
        QVERIFY2(size - fileLines.constLast().size() - 1 < limit, qPrintable(fileName));
        if (fileName != byFirstRow.last())
            QVERIFY2(size >= limit, qPrintable(fileName));
        rows += fileLines.mid(1);
    }
    QCOMPARE(checkWholeRows(rows, 3), QString());
}

void TestRecorder::fullDiskEndsWithStatus3_data()
{
    QTest::addColumn<bool>("atFirstWrite");
    QTest::newRow("full from the first write: /dev/full") << true;
    QTest::newRow("filling up while recording: a small tmpfs") << false;
}

void TestRecorder::fullDiskEndsWithStatus3()
{
    QFETCH(bool, atFirstWrite);
    // Some 8,000 rows: filled within a second at this rate, in the middle
    // of a hand-over, so that a row is cut by the disk.
    const SmallDisk disk(256 * 1024);
    if (!atFirstWrite && !disk.error().isEmpty())
        QSKIP(qPrintable(disk.error()));
    const QString file = atFirstWrite ? QStringLiteral("/dev/full") : disk.filePath("full.csv");
    BoardFixture fixture;
    fixture.board.setFrameRate(20000);
    fixture.board.setWriteInterval(1);
    Recorder recorder(m_dir.path());
    recorder.start({"--instrument", "osciloscope", "--port", fixture.board.devicePath(), "--out", file});
    // 3: the file cannot be written, as --help lists.
    QCOMPARE(recorder.exitCode(startTimeoutMs), 3);

    const QList<QByteArray> rows = atFirstWrite ? QList<QByteArray>() : lines(file).mid(1);
    if (!atFirstWrite) {
        QVERIFY(rows.size() > 1000);
        QVERIFY(contents(file).endsWith('\n'));
        QCOMPARE(checkWholeRows(rows, 3), QString());
    }
    const QString expected = QStringLiteral("cannot write %1: No space left on device. The file holds %2 rows.")
                                 .arg(file)
                                 .arg(rows.size());
    QVERIFY2(recorder.errors().contains(expected), qPrintable(recorder.errors()));
    // Stopped as at any other end.
    QTRY_VERIFY(fixture.board.received().endsWith("r\n"));
    QCOMPARE(fixture.board.mode(), VirtualBoard::Mode::Idle);
}

void TestRecorder::mistakesEndWithStatus2_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("no instrument") << QStringList{};
    QTest::newRow("unknown instrument") << QStringList{"--instrument", "pwm"};
    QTest::newRow("no value") << QStringList{"--instrument"};
    QTest::newRow("unknown option") << QStringList{"--instrument", "counter", "--colour"};
    QTest::newRow("extra argument") << QStringList{"--instrument", "counter", "file.csv"};
    QTest::newRow("duration") << QStringList{"--instrument", "counter", "--duration", "5x"};
    QTest::newRow("no duration") << QStringList{"--instrument", "counter", "--duration", "0s"};
    QTest::newRow("rotation") << QStringList{"--instrument", "counter", "--rotate", "weekly"};
    QTest::newRow("rotated output")
        << QStringList{"--instrument", "counter", "--out", "-", "--rotate", "daily"};
    QTest::newRow("board and port") << QStringList{"--instrument", "counter", "--board", "a", "--port", "b"};
    QTest::newRow("rate") << QStringList{"--instrument", "counter", "--rate-limit", "0/s"};
    QTest::newRow("not mqtt") << QStringList{"--instrument", "counter", "--mqtt", "http://h/t"};
    QTest::newRow("qos") << QStringList{"--instrument", "counter", "--mqtt", "mqtt://h/t?qos=3"};
    QTest::newRow("wildcard") << QStringList{"--instrument", "counter", "--mqtt", "mqtt://h/lab/#"};
    QTest::newRow("topic too long")
        << QStringList{"--instrument", "counter", "--mqtt", "mqtt://h/" + QString(65530, 'a')};
    QTest::newRow("credentials alone")
        << QStringList{"--instrument", "counter", "--mqtt-credentials", "secret"};
}

void TestRecorder::mistakesEndWithStatus2()
{
    QFETCH(QStringList, arguments);
    QTemporaryDir dir;
    Recorder recorder(dir.path());
    recorder.start(arguments);
    QCOMPARE(recorder.exitCode(), 2);
    QVERIFY2(recorder.errors().contains("--help"), qPrintable(recorder.errors()));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
}

void TestRecorder::missingBoardEndsWithStatus1_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown board") << QStringList{"--board", "ttyACM99"} << "there is no board ttyACM99";
    QTest::newRow("no device") << QStringList{"--port", "/dev/nothing-here"}
                               << "there is no device /dev/nothing-here";
}

void TestRecorder::missingBoardEndsWithStatus1()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    QTemporaryDir dir;
    Recorder recorder(dir.path());
    recorder.start(QStringList{"--instrument", "voltmeter"} + arguments);
    QCOMPARE(recorder.exitCode(), 1);
    QVERIFY2(recorder.errors().contains(message), qPrintable(recorder.errors()));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
}

namespace {

// The rows that the messages carry, by row number: the cells after time_s
// (the file's `channels`), time_s itself last. A row in two messages is
// there twice.
QMap<qint64, QStringList> rowsOfMessages(const QList<Subscriber::Message> &messages,
                                         const QStringList &channels, int *copies)
{
    QMap<qint64, QStringList> rows;
    const auto cell = [](const QJsonValue &value) {
        return value.isNull() ? QString() : QString::number(value.toDouble(), 'g', 17);
    };
    for (const Subscriber::Message &message : messages) {
        const QJsonObject object = QJsonDocument::fromJson(message.payload).object();
        const double seconds = object.value("time_s").toDouble();
        if (object.contains("first_sample")) {
            const qint64 first = object.value("first_sample").toVariant().toLongLong();
            for (int i = 0; i < object.value("count").toInt(); ++i) {
                QStringList row;
                for (const QString &channel : channels)
                    row.append(cell(object.value(channel).toArray().at(i)));
                *copies += rows.contains(first + i);
                rows.insert(first + i, row << (i == 0 ? QString::number(seconds, 'f', 6) : QString()));
            }
        } else {
            QStringList row;
            for (const QString &key : channels)
                row.append(cell(object.value(key)));
            const qint64 number = object.value("reading").toVariant().toLongLong();
            *copies += rows.contains(number);
            rows.insert(number, row << QString::number(seconds, 'f', 6));
        }
    }
    return rows;
}

// The same of the file's row `line`.
QStringList rowOfFile(const QByteArray &line, bool withTime)
{
    const QList<QByteArray> cells = line.split(',');
    QStringList row;
    for (const QByteArray &cell : cells.mid(2))
        row.append(cell.isEmpty() ? QString() : QString::number(cell.toDouble(), 'g', 17));
    return row << (withTime ? QString::fromLatin1(cells[1]) : QString());
}

} // namespace

void TestRecorder::publishedMessagesMatchTheFile_data()
{
    QTest::addColumn<QString>("instrument");
    QTest::addColumn<QStringList>("math");
    QTest::newRow("voltmeter: a message per reading") << "voltmeter" << QStringList();
    QTest::newRow("osciloscope: blocks of samples") << "osciloscope" << QStringList();
    QTest::newRow("osciloscope: computed channels in the blocks")
        << "osciloscope" << QStringList{"--math", "D=PAD0-PAD1", "--math", "S=sqrt(PAD2)"};
}

void TestRecorder::publishedMessagesMatchTheFile()
{
    QFETCH(QString, instrument);
    QFETCH(QStringList, math);
    SKIP_WITHOUT_BROKER();
    BrokerFixture broker;
    QVERIFY(broker.startSubscribed("lab/#"));
    BoardFixture fixture;
    const QString file = m_dir.filePath(QTest::currentDataTag() + QStringLiteral(".csv"));
    Recorder recorder(m_dir.path());
    recorder.start(QStringList{"--instrument", instrument, "--port", fixture.board.devicePath(), "--out", file,
                               "--mqtt", broker.url("lab/bench3")} + math);
    // The board here answers between the test's checks, some 100 readings a second.
    QTRY_VERIFY_WITH_TIMEOUT(lines(file).size() > 200, startTimeoutMs);
    QCOMPARE(recorder.stop(), 0);

    const QList<QByteArray> rows = lines(file).mid(1);
    QTRY_VERIFY_WITH_TIMEOUT(broker.subscriber().messages().size() > 0, startTimeoutMs);
    int copies = 0;
    QMap<qint64, QStringList> published;
    const QStringList channels = QString::fromLatin1(lines(file).first()).split(',').mid(2);
    QCOMPARE(channels.size(), 3 + math.size() / 2);
    QTRY_COMPARE((published = rowsOfMessages(broker.subscriber().messages(), channels, &copies)).size(),
                 rows.size());
    QCOMPARE(copies, 0);
    for (const Subscriber::Message &message : broker.subscriber().messages())
        QCOMPARE(message.topic, "lab/bench3/" + instrument.toUtf8());
    for (const QByteArray &row : rows) {
        const qint64 number = row.split(',')[0].toLongLong();
        const bool timed = !published.value(number).constLast().isEmpty();
        QCOMPARE(published.value(number), rowOfFile(row, timed));
    }
    // Samples go in blocks, at most 20 a second.
    if (instrument == "osciloscope") {
        const double seconds = rows.constLast().split(',')[1].toDouble();
        QVERIFY2(broker.subscriber().messages().size() <= 20 * seconds + 2,
                 qPrintable(QString::number(broker.subscriber().messages().size())));
    }
}

void TestRecorder::brokerAwayLosesNoRow()
{
    SKIP_WITHOUT_BROKER();
    BrokerFixture broker;
    QVERIFY(broker.startSubscribed("lab/#"));
    BoardFixture fixture;
    fixture.board.setWriteInterval(1);
    const QString file = m_dir.filePath("broker-away.csv");
    Recorder recorder(m_dir.path());
    recorder.start({"--instrument", "osciloscope", "--port", fixture.board.devicePath(), "--out", file,
                    "--mqtt", broker.url("lab")});
    QTRY_VERIFY(broker.subscriber().messages().size() > 5);

    broker.kill();
    QTRY_VERIFY(recorder.errors().contains("unreachable"));
    const int rowsWhileAway = lines(file).size();
    QTRY_VERIFY(lines(file).size() > rowsWhileAway + 1000);
    QVERIFY(broker.start());
    // Connected again by itself, and publishing what comes now.
    QTRY_VERIFY_WITH_TIMEOUT(recorder.errors().count("connected to") == 2, 15000);
    const int rowsBack = lines(file).size();
    int copies = 0;
    const QStringList channels{"PAD0", "PAD1", "PAD2"};
    QTRY_VERIFY_WITH_TIMEOUT(rowsOfMessages(broker.subscriber().messages(), channels, &copies).lastKey() > rowsBack,
                             5000);
    QCOMPARE(recorder.stop(), 0);

    QCOMPARE(checkWholeRows(lines(file).mid(1), 3), QString());
    // The board never had to drop a byte for want of a reader.
    QCOMPARE(fixture.board.droppedBytes(), 0);
    const QRegularExpression tally(QStringLiteral("(\\d+) messages published, (\\d+) dropped"));
    QVERIFY2(tally.match(recorder.errors()).hasMatch(), qPrintable(recorder.errors()));
}

void TestRecorder::brokerAwayFromTheStartIsSaid()
{
    SKIP_WITHOUT_BROKER();
    const BrokerFixture neverStarted;
    BoardFixture fixture;
    Recorder recorder(m_dir.path());
    recorder.start({"--instrument", "counter", "--port", fixture.board.devicePath(), "--out",
                    m_dir.filePath("broker-never.csv"), "--mqtt", neverStarted.url("lab")});
    QTRY_VERIFY2_WITH_TIMEOUT(recorder.errors().contains("is unreachable (connection refused); trying again."),
                              qPrintable(recorder.errors()), startTimeoutMs);
    QCOMPARE(recorder.stop(), 0);
}

QTEST_MAIN(TestRecorder)
#include "tst_recorder.moc"
