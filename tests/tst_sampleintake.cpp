// The intake without a window: bytes become samples in the store, with
// gaps, pauses and replugs, and go to the recording.
#include "csvrecorder.h"
#include "sampleintake.h"
#include "testsupport.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace TestSupport;

class TestSampleIntake : public QObject
{
    Q_OBJECT

private slots:
    void intakeGapsPausesAndReplugs_data();
    void intakeGapsPausesAndReplugs();
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
    intake.setRecorder(&recorder);
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

QTEST_MAIN(TestSampleIntake)
#include "tst_sampleintake.moc"
