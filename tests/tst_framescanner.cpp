#include "framescanner.h"

#include <QtTest>

// Feeds the reads in order and collects the fields of every frame.
static QList<QStringList> scan(FrameScanner &scanner, const QList<QByteArray> &reads)
{
    QList<QStringList> frames;
    for (const QByteArray &read : reads)
        scanner.feed(read.constData(), read.size(),
                     [&](QLatin1String text) { frames.append(FrameScanner::fields(text)); });
    return frames;
}

class TestFrameScanner : public QObject
{
    Q_OBJECT

private slots:
    void frames_data();
    void frames();
    void nulEndsTheRead();
    void overlongFrameIsDroppedUntilNextStart();
    void randomChunkingGivesTheSameFrames();
};

void TestFrameScanner::frames_data()
{
    QTest::addColumn<QList<QByteArray>>("reads");
    QTest::addColumn<QList<QStringList>>("expected");

    using Reads = QList<QByteArray>;
    using Frames = QList<QStringList>;
    QTest::newRow("three fields") << Reads{"$12 34 56;"} << Frames{{"12", "34", "56"}};
    QTest::newRow("minus sign kept") << Reads{"$-300 2000 2300;"} << Frames{{"-300", "2000", "2300"}};
    QTest::newRow("letters and dots dropped") << Reads{"$1a.2 3;"} << Frames{{"12", "3"}};
    QTest::newRow("space after start") << Reads{"$ 5 6 7;"} << Frames{{"", "5", "6", "7"}};
    QTest::newRow("two spaces") << Reads{"$12  34;"} << Frames{{"12", "", "34"}};
    QTest::newRow("inner start restarts the frame") << Reads{"$1 2$3 4;"} << Frames{{"3", "4"}};
    QTest::newRow("CR LF inside a field") << Reads{"$1 2\r\n;"} << Frames{{"1", "2\r\n"}};
    QTest::newRow("empty frame") << Reads{"$;"} << Frames{{""}};
    QTest::newRow("bytes before start ignored, frame spans reads")
        << Reads{"99;$7 8", " 9;"} << Frames{{"7", "8", "9"}};
    QTest::newRow("several frames in one read")
        << Reads{"$1 2 3;$4 5 6;junk$7;"} << Frames{{"1", "2", "3"}, {"4", "5", "6"}, {"7"}};
    QTest::newRow("high bytes dropped") << Reads{QByteArray("$1\xff\x80" "2 3;")} << Frames{{"12", "3"}};
    QTest::newRow("semicolon outside a frame") << Reads{";;;"} << Frames{};
    QTest::newRow("unfinished frame") << Reads{"$1 2 3"} << Frames{};
}

void TestFrameScanner::frames()
{
    QFETCH(QList<QByteArray>, reads);
    QFETCH(QList<QStringList>, expected);
    FrameScanner scanner;
    QCOMPARE(scan(scanner, reads), expected);
}

void TestFrameScanner::nulEndsTheRead()
{
    FrameScanner scanner;
    const QByteArray read("$1 2\0" "3;$4;", 10);
    QCOMPARE(scan(scanner, {read}), QList<QStringList>{});
    // The frame stays open with what came before the NUL.
    QVERIFY(scanner.isInsideFrame());
    QCOMPARE(scanner.frameText(), QLatin1String("1 2"));
    QCOMPARE(scan(scanner, {" 5;"}), (QList<QStringList>{{"1", "2", "5"}}));
}

void TestFrameScanner::overlongFrameIsDroppedUntilNextStart()
{
    FrameScanner scanner;
    const QByteArray endless = "$" + QByteArray(FrameScanner::maxFrameLength * 4, '7');
    QCOMPARE(scan(scanner, {endless, " 1 2;"}), QList<QStringList>{});
    QVERIFY(!scanner.isInsideFrame());
    QCOMPARE(scanner.droppedFrames(), quint64(1));
    QCOMPARE(scan(scanner, {"$10 20 30;"}), (QList<QStringList>{{"10", "20", "30"}}));

    // The longest frame that fits still comes through, and is not counted.
    const QByteArray longest = "$" + QByteArray(FrameScanner::maxFrameLength, '1') + ";";
    QCOMPARE(scan(scanner, {longest}).size(), 1);
    QCOMPARE(scan(scanner, {endless, "$", endless}).size(), 0);
    QCOMPARE(scanner.droppedFrames(), quint64(3));
}

void TestFrameScanner::randomChunkingGivesTheSameFrames()
{
    QByteArray stream;
    QList<QStringList> expected;
    for (int i = 0; i < 500; ++i) {
        const QStringList fields{QString::number(i), QString::number(-i), QString::number(3 * i)};
        stream += "\r\n$" + fields.join(' ').toLatin1() + ";";
        expected.append(fields);
    }
    QRandomGenerator random(7);
    for (int round = 0; round < 20; ++round) {
        QList<QByteArray> reads;
        for (int at = 0; at < stream.size();) {
            const int length = random.bounded(1, 40);
            reads.append(stream.mid(at, length));
            at += length;
        }
        FrameScanner scanner;
        QCOMPARE(scan(scanner, reads), expected);
    }
}

QTEST_APPLESS_MAIN(TestFrameScanner)
#include "tst_framescanner.moc"
