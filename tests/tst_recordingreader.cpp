// Files the panel writes read back into samples and readings, without
// windows: every format round trips with its times and gaps, and any damage
// gives a message naming its line. Playback paces a file by its times.
#include "csv.h"
#include "csvrecorder.h"
#include "instrumentprotocol.h"
#include "playback.h"
#include "recordingreader.h"
#include "sampleintake.h"
#include "savedfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

// A stream as the intake stores it: every seventh sample misses its second
// value, and the board was away for 1.5 s before sample 40.
std::vector<Sample> someSamples(int count, qint64 originNs)
{
    std::vector<Sample> samples;
    qint64 timeNs = originNs;
    for (int i = 1; i <= count; ++i) {
        Sample sample;
        sample.index = i;
        timeNs += i == 40 ? 1500000000 : (i % 3 == 0 ? 4000000 : 0);
        sample.timeNs = timeNs;
        sample.values = {i * 11, -i, 3300 - i};
        sample.validMask = i % 7 == 0 ? 0b101 : 0b111;
        sample.gapBefore = i == 40;
        samples.push_back(sample);
    }
    return samples;
}

QString writeRecording(const QString &path, const QStringList &header,
                       const std::function<void(CsvRecorder &, qint64)> &rows)
{
    CsvRecorder recorder;
    const qint64 originNs = 5000000000;
    recorder.start(path, header, originNs);
    rows(recorder, originNs);
    recorder.stop();
    return path;
}

std::optional<Recording> read(const QString &path, QString *error)
{
    ReadProgress progress;
    return readRecordingFile(path, &progress, error);
}

std::optional<Recording> readBytes(const QByteArray &bytes, QString *error)
{
    RecordingReader reader;
    // Two pieces, split mid-line, as blocks from the disk come.
    const int half = bytes.size() / 2;
    if (!reader.feed(bytes.constData(), size_t(half))
        || !reader.feed(bytes.constData() + half, size_t(bytes.size() - half))) {
        *error = reader.error();
        return std::nullopt;
    }
    std::optional<Recording> recording = reader.finish();
    *error = reader.error();
    return recording;
}

void compareSamples(const std::vector<Sample> &read, const std::vector<Sample> &written,
                    bool withTimes)
{
    QCOMPARE(read.size(), written.size());
    for (size_t i = 0; i < read.size(); ++i) {
        QCOMPARE(read[i].index, written[i].index);
        QCOMPARE(read[i].validMask, written[i].validMask);
        for (int channel = 0; channel < Sample::channelCount; ++channel) {
            if (written[i].hasValue(channel))
                QCOMPARE(read[i].values[size_t(channel)], written[i].values[size_t(channel)]);
        }
        if (withTimes) {
            QCOMPARE(read[i].timeNs - read[0].timeNs, written[i].timeNs - written[0].timeNs);
            QCOMPARE(read[i].gapBefore, written[i].gapBefore);
        }
    }
}

} // namespace

class TestRecordingReader : public QObject
{
    Q_OBJECT

private slots:
    void plotterRecordingsRoundTrip_data();
    void plotterRecordingsRoundTrip();
    void plotterExportRoundTrips();
    void readingRecordingsRoundTrip_data();
    void readingRecordingsRoundTrip();
    void chartExportIsRead();
    void everyWrittenHeaderReadsBack_data();
    void everyWrittenHeaderReadsBack();
    void damagedInput_data();
    void damagedInput();
    void keepsTheNewestRowsOfALongFile();
    void filesThatAreNoPlainFiles();
    void aRecordingGoingOnInANewFile();
    void aCancelledReadingGivesNothing();
    void playbackPacesByTheFilesTimes();
    void aGapPlaysForASecondAtMost_data();
    void aGapPlaysForASecondAtMost();

private:
    QTemporaryDir m_dir;
};

void TestRecordingReader::plotterRecordingsRoundTrip_data()
{
    QTest::addColumn<QString>("instrument");
    QTest::newRow("osciloscope") << "osciloscope";
    QTest::newRow("accelerometer") << "accelerometer";
}

void TestRecordingReader::plotterRecordingsRoundTrip()
{
    QFETCH(QString, instrument);
    const InstrumentProtocol &protocol = InstrumentProtocol::named(instrument);
    std::vector<Sample> written;
    const QString path = writeRecording(m_dir.filePath(instrument + ".csv"), protocol.header,
                                        [&](CsvRecorder &recorder, qint64 originNs) {
                                            written = someSamples(100, originNs);
                                            for (const Sample &sample : written)
                                                recorder.appendSample(sample);
                                        });
    QString error;
    const std::optional<Recording> recording = read(path, &error);
    QVERIFY2(recording, qPrintable(error));
    QCOMPARE(recording->instrument, instrument);
    QVERIFY(recording->hasTimes);
    QVERIFY(!recording->lastRowIncomplete);
    compareSamples(recording->samples, written, true);
    QCOMPARE(recording->samples.front().timeNs, qint64(0));
}

void TestRecordingReader::plotterExportRoundTrips()
{
    // The shown data as Export Shown Data writes it: the store's indexes,
    // with computed channels' columns after the inputs.
    SampleStore store(256);
    const std::vector<Sample> written = someSamples(100, 0);
    for (const Sample &sample : written)
        store.append(sample);
    const QStringList header{"sample", "X", "Y", "Z"};
    const QString path = m_dir.filePath("export.csv");
    QCOMPARE(SavedFile::write(path, Csv::sampleTable(store, header, 20, 80)), QString());
    QString error;
    std::optional<Recording> recording = read(path, &error);
    QVERIFY2(recording, qPrintable(error));
    QCOMPARE(recording->instrument, QStringLiteral("accelerometer"));
    QVERIFY(!recording->hasTimes);
    compareSamples(recording->samples, {written.begin() + 19, written.begin() + 80}, false);

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = file.readAll().split('\n');
    lines.removeLast();
    for (QByteArray &line : lines)
        line += &line == &lines.first() ? ",M1" : ",7";
    recording = readBytes(lines.join('\n') + '\n', &error);
    QVERIFY2(recording, qPrintable(error));
    compareSamples(recording->samples, {written.begin() + 19, written.begin() + 80}, false);
    QCOMPARE(recording->extraColumns, QStringList{"M1"});
}

void TestRecordingReader::readingRecordingsRoundTrip_data()
{
    QTest::addColumn<QString>("instrument");
    QTest::addColumn<QStringList>("values");
    QTest::newRow("voltmeter") << "voltmeter" << QStringList{"1650", "", "-12"};
    QTest::newRow("counter") << "counter" << QStringList{"1000.5"};
}

void TestRecordingReader::readingRecordingsRoundTrip()
{
    QFETCH(QString, instrument);
    QFETCH(QStringList, values);
    const InstrumentProtocol &protocol = InstrumentProtocol::named(instrument);
    const QString path = writeRecording(m_dir.filePath(instrument + ".csv"), protocol.header,
                                        [&](CsvRecorder &recorder, qint64 originNs) {
                                            for (int i = 0; i < 30; ++i)
                                                recorder.appendRow(originNs + qint64(i) * 100000000
                                                                       + (i >= 20 ? 2000000000 : 0),
                                                                   values);
                                        });
    QString error;
    const std::optional<Recording> recording = read(path, &error);
    QVERIFY2(recording, qPrintable(error));
    QCOMPARE(recording->instrument, instrument);
    QCOMPARE(recording->readings.size(), size_t(30));
    QCOMPARE(recording->valueCount, int(values.size()));
    for (size_t i = 0; i < recording->readings.size(); ++i) {
        const Recording::Reading &reading = recording->readings[i];
        QCOMPARE(reading.timeNs, qint64(i) * 100000000 + (i >= 20 ? 2000000000 : 0));
        QCOMPARE(reading.gapBefore, i == 20);
        for (int v = 0; v < values.size(); ++v) {
            if (values[v].isEmpty())
                QVERIFY(std::isnan(reading.values[size_t(v)]));
            else
                QCOMPARE(reading.values[size_t(v)], values[v].toDouble());
        }
    }
}

void TestRecordingReader::chartExportIsRead()
{
    const QByteArray file = "time_iso,time_s,frequency_hz,readings\n"
                            "2026-12-08T04:00:00.000Z,0.000000,1000,1\n"
                            "2026-12-08T04:00:01.500Z,1.500000,,4\n";
    QString error;
    const std::optional<Recording> recording = readBytes(file, &error);
    QVERIFY2(recording, qPrintable(error));
    QCOMPARE(recording->instrument, QStringLiteral("counter"));
    QVERIFY(recording->isChartExport);
    QCOMPARE(recording->readings.size(), size_t(2));
    QCOMPARE(recording->readings[1].wallMs - recording->readings[0].wallMs, qint64(1500));
    QCOMPARE(recording->readings[0].values[0], 1000.0);
    QVERIFY(std::isnan(recording->readings[1].values[0]));
}

void TestRecordingReader::everyWrittenHeaderReadsBack_data()
{
    // As the recordings, the recorder and the windows' exports write them.
    QTest::addColumn<QString>("instrument");
    QTest::addColumn<QStringList>("header");
    for (const InstrumentProtocol &instrument : InstrumentProtocol::all()) {
        if (!instrument.sendsData())
            continue;
        const QByteArray name = instrument.name.toUtf8();
        QTest::addRow("%s recording", name.constData()) << instrument.name << instrument.header;
        QTest::addRow("%s export", name.constData())
            << instrument.name
            << (instrument.sendsSamples() ? instrument.exportHeader() : instrument.chartExportHeader());
    }
}

void TestRecordingReader::everyWrittenHeaderReadsBack()
{
    QFETCH(QString, instrument);
    QFETCH(QStringList, header);
    const QHash<QString, QString> cells{{"sample", "1"}, {"reading", "1"}, {"time_s", "0.5"},
                                        {"time_iso", "2026-12-08T04:00:00.000Z"}, {"readings", "1"}};
    QStringList row;
    for (const QString &column : header)
        row << cells.value(column, "7");
    QString error;
    const std::optional<Recording> recording = readBytes(Csv::line(header) + Csv::line(row), &error);
    QVERIFY2(recording, qPrintable(error));
    QCOMPARE(recording->instrument, instrument);
    QCOMPARE(recording->valueNames, InstrumentProtocol::named(instrument).columns);
    QCOMPARE(recording->hasTimes, header.contains("time_s"));
    QCOMPARE(recording->isChartExport, header.contains("time_iso"));
    if (recording->isChart())
        QCOMPARE(recording->readings.at(0).values[0], 7.0);
    else
        QCOMPARE(recording->samples.at(0).values[0], 7);
}

void TestRecordingReader::damagedInput_data()
{
    QTest::addColumn<QByteArray>("bytes");
    // The message, or "" where the rows before the damage open.
    QTest::addColumn<QString>("error");
    QTest::addColumn<int>("rows");
    const QByteArray header = "sample,time_s,PAD0,PAD1,PAD2\n";
    const QByteArray row = "1,0.001000,10,20,30\n";
    QTest::newRow("empty") << QByteArray() << "the file is empty" << 0;
    QTest::newRow("header only") << header << "no rows" << 0;
    QTest::newRow("another program's") << QByteArray("Name,Age\nx,1\n") << "line 1: not a recording" << 0;
    QTest::newRow("cut off in a row") << header + row + "2,0.002000,1" << "" << 1;
    QTest::newRow("semicolons") << QByteArray("sample;time_s;PAD0;PAD1;PAD2\n1;0;1;2;3\n")
                                << "line 1: not a recording" << 0;
    QTest::newRow("decimal comma") << header + row + "2,0,002000,1,2,3\n"
                                   << "line 3: 6 fields, 5 expected" << 0;
    QTest::newRow("too few fields") << header + row + "2,0.002,1,2\n"
                                    << "line 3: 4 fields, 5 expected" << 0;
    QTest::newRow("value out of range") << header + "1,0,99999999999,1,2\n"
                                        << "line 2: PAD0" << 0;
    QTest::newRow("NaN value") << header + "1,0,nan,1,2\n" << "line 2: PAD0" << 0;
    QTest::newRow("infinite time") << header + "1,inf,1,1,2\n" << "line 2: time_s" << 0;
    QTest::newRow("huge time") << header + "1,1e300,1,1,2\n" << "line 2: time_s" << 0;
    QTest::newRow("numbers go back") << header + row + row << "line 3: sample 1 comes after" << 0;
    QTest::newRow("long line") << header + QByteArray(100000, '7') + '\n'
                               << "line 2: longer than 4,096" << 0;
    QTest::newRow("binary") << QByteArray("\x7f" "ELF\x02\x01\x00\x00\n\xff\xfe", 11)
                            << "line 1: not a recording" << 0;
    QTest::newRow("CRLF and BOM") << QByteArray("\xEF\xBB\xBFsample,PAD0,PAD1,PAD2\r\n7,1,2,3\r\n")
                                  << "" << 1;
    QTest::newRow("line 1,234") << header + [&] {
        QByteArray rows;
        for (int i = 1; i < 1233; ++i)
            rows += QByteArray::number(i) + ",0,1,2,3\n";
        return rows + "1233,0,1,2,3,4\n";
    }() << "line 1,234: 6 fields, 5 expected" << 0;
}

void TestRecordingReader::damagedInput()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    QFETCH(int, rows);
    QString said;
    const std::optional<Recording> recording = readBytes(bytes, &said);
    if (!error.isEmpty()) {
        QVERIFY(!recording);
        QVERIFY2(said.contains(error), qPrintable(said));
        return;
    }
    QVERIFY2(recording, qPrintable(said));
    QCOMPARE(recording->samples.size(), size_t(rows));
    QCOMPARE(recording->lastRowIncomplete, !bytes.endsWith('\n'));
}

void TestRecordingReader::keepsTheNewestRowsOfALongFile()
{
    QByteArray file = "sample,PAD0,PAD1,PAD2\n";
    for (int i = 1; i <= 1000; ++i)
        file += QByteArray::number(i) + ",1,2,3\n";
    RecordingReader reader(300);
    QVERIFY(reader.feed(file.constData(), size_t(file.size())));
    const std::optional<Recording> recording = reader.finish();
    QVERIFY(recording);
    QCOMPARE(recording->samples.size(), size_t(300));
    QCOMPARE(recording->samples.front().index, qint64(701));
    QCOMPARE(recording->samples.back().index, qint64(1000));
    QCOMPARE(recording->rowsLeftOut, qint64(700));
}

void TestRecordingReader::filesThatAreNoPlainFiles()
{
    QString error;
    QVERIFY(!read(m_dir.path(), &error));
    QCOMPARE(error, QStringLiteral("it is a folder"));
    const QString fifo = m_dir.filePath("fifo.csv");
    QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QVERIFY(!read(fifo, &error));
    QCOMPARE(error, QStringLiteral("it is not a plain file"));
    // Plain, though its size says 0.
    QVERIFY(!read("/proc/meminfo", &error));
    QVERIFY2(error.contains("not a recording"), qPrintable(error));
    QVERIFY(!read(m_dir.filePath("missing.csv"), &error));
    QVERIFY(!error.isEmpty());
}

void TestRecordingReader::aRecordingGoingOnInANewFile()
{
    // The recorder's next file numbers its rows on from the last one's.
    const QString path = m_dir.filePath("rotated.csv");
    CsvRecorder recorder;
    recorder.start(path, InstrumentProtocol::named("osciloscope").header, 0, 500);
    const std::vector<Sample> written = someSamples(30, 0);
    for (const Sample &sample : written)
        recorder.appendSample(sample);
    recorder.stop();
    QString error;
    const std::optional<Recording> recording = read(path, &error);
    QVERIFY2(recording, qPrintable(error));
    QCOMPARE(recording->samples.front().index, qint64(501));
    QCOMPARE(recording->samples.back().index, qint64(530));
    QVERIFY(!recording->samples.front().gapBefore);
}

void TestRecordingReader::aCancelledReadingGivesNothing()
{
    const QString path = m_dir.filePath("cancelled.csv");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("sample,PAD0,PAD1,PAD2\n1,1,2,3\n");
    file.close();
    ReadProgress progress;
    progress.cancelled = true;
    QString error;
    QVERIFY(!readRecordingFile(path, &progress, &error));
    QCOMPARE(error, QString());
    progress.cancelled = false;
    QVERIFY(readRecordingFile(path, &progress, &error));
    QCOMPARE(progress.bytesRead.load(), file.size());
    QCOMPARE(progress.instrument, QStringLiteral("osciloscope"));
}

void TestRecordingReader::playbackPacesByTheFilesTimes()
{
    // 100 samples 4 ms apart in threes, with a 1.5 s silence before the 40th.
    auto recording = std::make_shared<Recording>();
    recording->hasTimes = true;
    recording->samples = someSamples(100, 0);
    SampleIntake intake(1024);
    intake.takeSamples(recording->samples.data(), 10);
    Playback playback(recording, intake);
    playback.play();
    // Samples 1 to 11 are due by 14 ms; the run goes on after what was there.
    QCOMPARE(playback.advance(14000000), size_t(11));
    QCOMPARE(intake.lastIndex(), qint64(21));
    QVERIFY(intake.store().at(10).gapBefore);
    QVERIFY(!intake.store().at(11).gapBefore);
    // Four times the pace: 150 ms of the file in 37.5 ms, up to the silence.
    playback.setSpeed(4);
    playback.advance(14000000 + 150000000 / 4);
    QCOMPARE(playback.position(), size_t(39));
    // The silence, 0.375 s at that pace, is not cut: by 1.581 s of the
    // file, samples up to 1.581 s have come.
    playback.advance(14000000 + 1565000000 / 4);
    QCOMPARE(playback.position(), size_t(62));
    QVERIFY(intake.store().at(10 + 39).gapBefore);
    playback.setSpeed(Playback::asFastAsPossible);
    QSignalSpy ended(&playback, &Playback::ended);
    playback.advance(0);
    QCOMPARE(playback.position(), size_t(100));
    QCOMPARE(intake.lastIndex(), qint64(110));
    QCOMPARE(ended.count(), 1);
}

void TestRecordingReader::aGapPlaysForASecondAtMost_data()
{
    QTest::addColumn<double>("speed");
    // The silence follows this row of twenty, 4 ms apart.
    QTest::addColumn<int>("before");
    QTest::addColumn<double>("silenceS");
    QTest::addColumn<int>("playsMs");
    QTest::newRow("1.5 s at 1/4x") << 0.25 << 10 << 1.5 << 1000;
    QTest::newRow("0.5 s at 1/4x") << 0.25 << 10 << 0.5 << 1000;
    QTest::newRow("1.5 s at 4x, under a second") << 4.0 << 10 << 1.5 << 375;
    QTest::newRow("60 s after the first row") << 1.0 << 0 << 60.0 << 1000;
    QTest::newRow("60 s after the first row at 1/4x") << 0.25 << 0 << 60.0 << 1000;
}

void TestRecordingReader::aGapPlaysForASecondAtMost()
{
    QFETCH(double, speed);
    QFETCH(int, before);
    QFETCH(double, silenceS);
    QFETCH(int, playsMs);

    QByteArray file = "sample,time_s,PAD0,PAD1,PAD2\n";
    for (int row = 0; row < 20; ++row) {
        const double timeS = row * 0.004 + (row > before ? silenceS - 0.004 : 0);
        file += QByteArray::number(row + 1) + ',' + QByteArray::number(timeS, 'f', 6) + ",1,2,3\n";
    }
    QString error;
    const std::optional<Recording> read = readBytes(file, &error);
    QVERIFY2(read, qPrintable(error));
    SampleIntake intake(1024);
    Playback playback(std::make_shared<Recording>(*read), intake);
    playback.setSpeed(speed);
    playback.play();
    // Played from the row before the silence; the next comes playsMs later.
    const qint64 beforeNs = qint64(before * 4000000 / speed);
    const qint64 nextNs = beforeNs + playsMs * qint64(1000000);
    playback.advance(nextNs - 500000);
    QCOMPARE(playback.position(), size_t(before + 1));
    playback.advance(nextNs + 500000);
    QCOMPARE(playback.position(), size_t(before + 2));
    QVERIFY(intake.store().at(before + 1).gapBefore);
}

QTEST_GUILESS_MAIN(TestRecordingReader)
#include "tst_recordingreader.moc"
