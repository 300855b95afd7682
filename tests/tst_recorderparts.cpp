// The recorder's plain parts: what its options take, the names of rotated
// files and their boundaries, the rate limit and the status line.
#include "instrumentprotocol.h"
#include "ratelimit.h"
#include "recorderoptions.h"
#include "recordingfiles.h"
#include "statusline.h"

#include <QTemporaryDir>
#include <QtTest>

using Rotation = RecorderOptions::Rotation;

class TestRecorderParts : public QObject
{
    Q_OBJECT

private slots:
    void amounts_data();
    void amounts();
    void commandLine_data();
    void commandLine();
    void mathOptions_data();
    void mathOptions();
    void rotatedNames_data();
    void rotatedNames();
    void freeNamesNeverOverwrite();
    void rateLimit_data();
    void rateLimit();
    void statusText();
};

void TestRecorderParts::amounts_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected"); // -1: refused
    QTest::newRow("seconds") << "duration" << "90s" << 90e3;
    QTest::newRow("bare seconds") << "duration" << "2.5" << 2.5e3;
    QTest::newRow("minutes") << "duration" << "15m" << 900e3;
    QTest::newRow("hours") << "duration" << "8h" << 8 * 3600e3;
    QTest::newRow("days") << "duration" << "2d" << 2 * 86400e3;
    QTest::newRow("no time") << "duration" << "0s" << -1.0;
    QTest::newRow("unit unknown") << "duration" << "5w" << -1.0;
    QTest::newRow("negative") << "duration" << "-5s" << -1.0;
    QTest::newRow("past 64 bits") << "duration" << "1e300d" << -1.0;
    QTest::newRow("megabytes") << "size" << "10M" << 10.0 * 1024 * 1024;
    QTest::newRow("kilobytes") << "size" << "512k" << 512.0 * 1024;
    QTest::newRow("gigabytes") << "size" << "1.5G" << 1.5 * 1024 * 1024 * 1024;
    QTest::newRow("bytes") << "size" << "4096" << 4096.0;
    QTest::newRow("size unit unknown") << "size" << "10MB" << -1.0;
    QTest::newRow("rate") << "rate" << "10/s" << 10.0;
    QTest::newRow("bare rate") << "rate" << "0.5" << 0.5;
    QTest::newRow("no rate") << "rate" << "0/s" << -1.0;
    QTest::newRow("rate per minute") << "rate" << "10/m" << -1.0;
}

void TestRecorderParts::amounts()
{
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(double, expected);
    std::optional<double> found;
    if (kind == "duration") {
        if (const auto ms = RecorderCommandLine::durationMs(text))
            found = double(*ms);
    } else if (kind == "size") {
        if (const auto bytes = RecorderCommandLine::sizeBytes(text))
            found = double(*bytes);
    } else {
        found = RecorderCommandLine::ratePerSecond(text);
    }
    QCOMPARE(found.value_or(-1.0), expected);
}

// What the command line names, with a service's credentials directory
// holding "mqtt" (ann) and "lab" (bob); the user found, or the exit status.
void TestRecorderParts::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("asService");
    QTest::addColumn<QString>("instrument");
    QTest::addColumn<QString>("userOrStatus");
    const QStringList mqtt{"--mqtt", "mqtt://h/t"};
    QTest::newRow("usual spelling") << QStringList{"--instrument", "oscilloscope"} << false << "osciloscope" << "";
    QTest::newRow("specified name") << QStringList{"--instrument", "osciloscope"} << false << "osciloscope" << "";
    QTest::newRow("no such spelling") << QStringList{"--instrument", "pwm-generator"} << false << "" << "2";
    QTest::newRow("credential by default") << mqtt << true << "counter" << "ann";
    QTest::newRow("credential by name") << mqtt + QStringList{"--mqtt-credentials", "lab"} << true << "counter" << "bob";
    QTest::newRow("missing credential") << mqtt + QStringList{"--mqtt-credentials", "none"} << true << "counter" << "4";
    QTest::newRow("no publishing, no credential") << QStringList{} << true << "counter" << "";
    QTest::newRow("not a service") << mqtt << false << "counter" << "";
}

void TestRecorderParts::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, asService);
    QFETCH(QString, instrument);
    QFETCH(QString, userOrStatus);
    QTemporaryDir credentials;
    for (const auto &[name, user] : {std::pair{"mqtt", "ann"}, std::pair{"lab", "bob"}}) {
        QFile file(credentials.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(user) + "\nsecret\n");
    }
    if (asService)
        qputenv("CREDENTIALS_DIRECTORY", QFile::encodeName(credentials.path()));
    else
        qunsetenv("CREDENTIALS_DIRECTORY");
    if (!arguments.contains("--instrument"))
        arguments = QStringList{"--instrument", "counter"} + arguments;

    RecorderOptions options;
    QString output;
    QString errors;
    const std::optional<int> status =
        RecorderCommandLine::parse(QStringList{"boardpanel-record"} + arguments, options, &output, &errors);
    qunsetenv("CREDENTIALS_DIRECTORY");
    if (status) {
        QCOMPARE(QString::number(*status), userOrStatus);
        return;
    }
    QVERIFY2(options.instrument, qPrintable(errors));
    QCOMPARE(options.instrument->name, instrument);
    QCOMPARE(options.mqtt ? options.mqtt->user : QString(), userOrStatus);
}

void TestRecorderParts::mathOptions_data()
{
    QTest::addColumn<QStringList>("arguments");
    // The channels as "name|unit|formula", or the error's words.
    QTest::addColumn<QString>("channelsOrError");
    const QStringList scope{"--instrument", "osciloscope"};
    QTest::newRow("two, the second reading the first")
        << scope + QStringList{"--math", "D=PAD0-PAD1", "--math", "A=avg(D, 8)"}
        << "D||PAD0-PAD1;A||avg(D, 8)";
    QTest::newRow("a unit") << scope + QStringList{"--math", " T [°C] = PAD2/10"} << "T|°C| PAD2/10";
    QTest::newRow("accelerometer") << QStringList{"--instrument", "accelerometer", "--math", "G=X+Y+Z"}
                                   << "G||X+Y+Z";
    QTest::newRow("no formula") << scope + QStringList{"--math", "M1"} << "NAME=FORMULA";
    QTest::newRow("a bad formula, in its own words")
        << scope + QStringList{"--math", "M1=PAD0-PAD9"} << "M1: unknown name “PAD9” (at character 6)";
    QTest::newRow("a bad name") << scope + QStringList{"--math", "1M=PAD0"} << "a name is a letter";
    QTest::newRow("an accelerometer's input on the scope") << scope + QStringList{"--math", "M=X"}
                                                           << "unknown name “X”";
    QTest::newRow("five") << scope + QStringList{"--math", "A=1", "--math", "B=2", "--math", "C=3",
                                                 "--math", "D=4", "--math", "E=5"} << "at most 4";
    QTest::newRow("not a sample instrument")
        << QStringList{"--instrument", "voltmeter", "--math", "M=PAD0_mV"} << "accelerometer, osciloscope";
    QTest::newRow("kept ones not a sample instrument")
        << QStringList{"--instrument", "counter", "--math-from-settings"} << "no computed channels";
    QTest::newRow("both") << scope + QStringList{"--math", "M=PAD0", "--math-from-settings"} << "not both";
}

void TestRecorderParts::mathOptions()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, channelsOrError);
    RecorderOptions options;
    QString output;
    QString errors;
    const std::optional<int> status =
        RecorderCommandLine::parse(QStringList{"boardpanel-record"} + arguments, options, &output, &errors);
    if (status) {
        QCOMPARE(*status, 2);
        QVERIFY2(errors.contains(channelsOrError), qPrintable(errors));
        return;
    }
    QStringList channels;
    for (const MathChannel &channel : options.mathChannels)
        channels.append(QStringList{channel.name(), channel.unit(), channel.formula()}.join('|'));
    QCOMPARE(channels.join(';'), channelsOrError);
}

void TestRecorderParts::rotatedNames_data()
{
    QTest::addColumn<int>("rotation");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("boundary");
    QTest::newRow("daily") << int(Rotation::Daily) << "run.csv" << "run-2026-12-08.csv"
                           << "2026-12-09T00:00:00";
    QTest::newRow("daily, new year") << int(Rotation::Daily) << "/data/x.csv" << "/data/x-2026-12-31.csv"
                                     << "2027-01-01T00:00:00";
    QTest::newRow("hourly") << int(Rotation::Hourly) << "run.csv" << "run-2026-12-08T14.csv"
                            << "2026-12-08T15:00:00";
    QTest::newRow("hourly, last hour") << int(Rotation::Hourly) << "run" << "run-2026-12-08T23"
                                       << "2026-12-09T00:00:00";
    QTest::newRow("by size") << int(Rotation::Size) << "a.b/run.csv" << "a.b/run-2026-12-08T14-03-05.csv"
                             << "";
}

void TestRecorderParts::rotatedNames()
{
    QFETCH(int, rotation);
    QFETCH(QString, path);
    QFETCH(QString, name);
    QFETCH(QString, boundary);
    const QDate day = name.contains("12-31") ? QDate(2026, 12, 31) : QDate(2026, 12, 8);
    const QDateTime at(day, name.contains("T23") ? QTime(23, 59, 59) : QTime(14, 3, 5));
    QCOMPARE(RecordingFiles::rotatedName(path, Rotation(rotation), at), name);
    QCOMPARE(RecordingFiles::nextBoundary(Rotation(rotation), at).toString(Qt::ISODate), boundary);
}

void TestRecorderParts::freeNamesNeverOverwrite()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("run-2026-12-08.csv");
    QCOMPARE(RecordingFiles::freeName(path), path);
    for (const QString &taken : {path, dir.filePath("run-2026-12-08-2.csv")}) {
        QFile file(taken);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QCOMPARE(RecordingFiles::freeName(path), dir.filePath("run-2026-12-08-3.csv"));
    QCOMPARE(RecordingFiles::defaultName("counter", true, QDateTime()), QString("counter.csv"));
    QCOMPARE(RecordingFiles::defaultName("counter", false, QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5))),
             QString("counter-20260102-030405.csv"));
}

void TestRecorderParts::rateLimit_data()
{
    QTest::addColumn<double>("perSecond");
    QTest::addColumn<int>("spacingUs");  // between rows
    QTest::addColumn<int>("bunch");      // rows sharing one time
    QTest::addColumn<int>("expected");   // rows taken of 10,000
    QTest::newRow("no limit") << 0.0 << 1000 << 1 << 10000;
    QTest::newRow("10/s of 1000/s") << 10.0 << 1000 << 1 << 100;
    QTest::newRow("in bunches of 36") << 10.0 << 1000 << 36 << 100;
    QTest::newRow("slower than the limit") << 2000.0 << 1000 << 1 << 10000;
}

void TestRecorderParts::rateLimit()
{
    QFETCH(double, perSecond);
    QFETCH(int, spacingUs);
    QFETCH(int, bunch);
    QFETCH(int, expected);
    RateLimit limit(perSecond);
    int taken = 0;
    for (int i = 0; i < 10000; ++i)
        taken += limit.admit(qint64(i / bunch * bunch) * spacingUs * 1000) ? 1 : 0;
    // Within one row of the rate over the time the rows span.
    QVERIFY2(qAbs(taken - expected) <= 1, qPrintable(QString::number(taken)));
    // After a pause, the rate again at once: no burst.
    const qint64 later = qint64(1000) * 1000000000;
    int afterPause = 0;
    for (int i = 0; i < 1000; ++i)
        afterPause += limit.admit(later + qint64(i) * 1000000) ? 1 : 0;
    QVERIFY2(afterPause <= (perSecond > 0 ? qMin(1000, int(perSecond) + 1) : 1000), qPrintable(QString::number(afterPause)));
}

void TestRecorderParts::statusText()
{
    StatusFigures figures;
    figures.rows = 1234567;
    figures.rowsPerSecond = 719.6;
    figures.damaged = 3;
    figures.fileBytes = 35123456;
    figures.elapsedMs = 3725999;
    QCOMPARE(StatusLine::text(figures), QString("1,234,567 rows  720/s  3 damaged  35.1 MB  1:02:05"));
    figures.boardAway = true;
    figures.publishing = true;
    figures.messagesDropped = 12;
    QVERIFY(StatusLine::text(figures).endsWith("waiting for the board  broker unreachable, 12 messages dropped"));
    QCOMPARE(StatusLine::sizeText(999), QString("999 B"));
    QCOMPARE(StatusLine::sizeText(999999), QString("1.0 MB"));
}

QTEST_GUILESS_MAIN(TestRecorderParts)
#include "tst_recorderparts.moc"
