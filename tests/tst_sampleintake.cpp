// The intake without a window: bytes become samples in the store, with
// gaps, pauses and replugs, and go to the recording and the publisher.
#include "csvrecorder.h"
#include "mathchannels.h"
#include "sampleintake.h"
#include "testsupport.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace TestSupport;

// What a window's publisher is given: each sample with its computed values.
class SampleList : public DataSink
{
public:
    void takeSample(const Sample &sample, const double *computed, const QStringList &names) override
    {
        QString text = describe(sample);
        for (int column = 0; column < names.size(); ++column)
            text += std::isnan(computed[column]) ? " -" : " " + QString::number(computed[column]);
        samples.append(text);
    }
    QStringList samples;
};

class TestSampleIntake : public QObject
{
    Q_OBJECT

private slots:
    void intakeGapsPausesAndReplugs_data();
    void intakeGapsPausesAndReplugs();
    void pausedFramesAreComputed();
};

void TestSampleIntake::intakeGapsPausesAndReplugs_data()
{
    // Steps: bytes to read, or "[gap]", "[pause]", "[resume]", "[replug]"
    // (the loss, then the fresh connection).
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("samples");
    QTest::addColumn<int>("recorded");
    QTest::addColumn<int>("damaged");

    QTest::newRow("gap marks the next sample only")
        << QStringList{"$1;$2;", "[gap]", "$3;$4;"} << QStringList{"1 1 - -", "2 2 - -",
                                                                   "|3 3 - -", "4 4 - -"}
        << 4 << 0;
    QTest::newRow("two gaps in a row are one")
        << QStringList{"$1;", "[gap]", "[gap]", "$2;"} << QStringList{"1 1 - -", "|2 2 - -"} << 2
        << 0;
    QTest::newRow("paused frames are recorded, not stored; resuming is a gap")
        << QStringList{"$1 1 1;", "[pause]", "$2 2 2;$x;", "[resume]", "$3 3 3;"}
        << QStringList{"1 1 1 1", "|2 3 3 3"} << 4 << 1;
    QTest::newRow("frame split across the pause")
        << QStringList{"$1 2", "[pause]", " 3;$4", "[resume]", " 5;"}
        << QStringList{"|1 4 5 -"} << 2 << 0;
    QTest::newRow("index goes on across a replug; a cut frame is dropped")
        << QStringList{"$1 2 3;$4 5", "[replug]", " 6;$7 8 9;"}
        << QStringList{"1 1 2 3", "|2 7 8 9"} << 2 << 0;
    QTest::newRow("damaged field after a replug")
        << QStringList{"$1;", "[replug]", "$1 - 3;"} << QStringList{"1 1 - -", "|2 1 - 3"} << 2
        << 1;
}

void TestSampleIntake::intakeGapsPausesAndReplugs()
{
    QFETCH(QStringList, steps);
    QTemporaryDir folder;
    CsvRecorder recorder;
    recorder.start(folder.filePath("rows.csv"), {"sample", "time_s", "a", "b", "c"});
    SampleIntake intake;
    intake.sinks().add(&recorder);
    for (const QString &step : steps) {
        if (step == "[gap]") {
            intake.markGap();
        } else if (step == "[pause]" || step == "[resume]") {
            intake.setPaused(step == "[pause]");
            QCOMPARE(intake.isPaused(), step == "[pause]");
        } else if (step == "[replug]") {
            intake.markGap();
            intake.dropPartialFrame();
        } else {
            const QByteArray bytes = step.toLatin1();
            intake.takeBytes(bytes.constData(), bytes.size());
        }
    }
    QTEST(describe(intake.store()), "samples");
    QFETCH(int, recorded);
    QCOMPARE(recorder.stop(), qint64(recorded));
    QTEST(int(intake.damagedFrames()), "damaged");
}

void TestSampleIntake::pausedFramesAreComputed()
{
    QTemporaryDir folder;
    CsvRecorder recorder;
    SampleIntake intake;
    MathChannels channels({"PAD0", "PAD1", "PAD2"});
    SampleList published;
    intake.sinks().add(&recorder);
    intake.sinks().add(&published);
    intake.setComputedColumns(&channels);
    QVERIFY(channels.setChannels({MathChannel("M1", "PAD0 - PAD1"), MathChannel("M2", "avg(PAD0, 2)")},
                                 intake.columnStore()));
    recorder.start(folder.filePath("rows.csv"), {"sample", "time_s", "PAD0", "PAD1", "PAD2", "M1", "M2"}, 0);
    intake.takeBytes("$9 4 0;", 7, 0);
    intake.setPaused(true);
    intake.takeBytes("$5 1 0;$7 x 0;", 14, 0);
    intake.setPaused(false);
    intake.takeBytes("$3 3 0;", 7, 0);
    QCOMPARE(recorder.stop(), qint64(4));
    QFile file(folder.filePath("rows.csv"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    // The mean goes on through the pause, as the samples came.
    QCOMPARE(QString(file.readAll()).split('\n').mid(1, 4),
             (QStringList{"1,0.000000,9,4,0,5,9", "2,0.000000,5,1,0,4,7", "3,0.000000,7,,0,,6",
                          "4,0.000000,3,3,0,0,5"}));
    QCOMPARE(published.samples,
             (QStringList{"1 9 4 0 5 9", "0 5 1 0 4 7", "0 7 - 0 - 6", "|2 3 3 0 0 5"}));
    QCOMPARE(describe(intake.store()), (QStringList{"1 9 4 0", "|2 3 3 0"}));
}

QTEST_MAIN(TestSampleIntake)
#include "tst_sampleintake.moc"
