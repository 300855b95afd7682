#include "linesplitter.h"
#include "readingaccumulator.h"

#include <QtTest>

class TestLineParsing : public QObject
{
    Q_OBJECT

private slots:
    void lineSplitterShowsOnlyCompleteLines();
    void lineSplitterDropsOverlongText();
    void accumulator_data();
    void accumulator();
    void accumulatorDropsOverlongText();
    void accumulatorDecodesWholeLines();
    void lineEndsAreNotShown_data();
    void lineEndsAreNotShown();
};

void TestLineParsing::lineSplitterShowsOnlyCompleteLines()
{
    LineSplitter splitter;
    QCOMPARE(splitter.feed("12"), QList<QByteArray>{});
    QCOMPARE(splitter.feed("34\n5"), QList<QByteArray>{"1234\n"});
    QCOMPARE(splitter.feed("6\n7\n"), (QList<QByteArray>{"56\n", "7\n"}));
    QCOMPARE(splitter.feed("\n"), QList<QByteArray>{"\n"});
    QCOMPARE(splitter.pendingLength(), 0);
}

void TestLineParsing::lineSplitterDropsOverlongText()
{
    LineSplitter splitter(16);
    // Garbage without a line feed, in pieces: nothing of it comes out, and
    // reading picks up after the next line feed.
    QCOMPARE(splitter.feed(QByteArray(10, 'x')), QList<QByteArray>{});
    QCOMPARE(splitter.feed(QByteArray(10, 'x')), QList<QByteArray>{});
    QVERIFY(splitter.pendingLength() <= 16);
    QCOMPARE(splitter.feed(QByteArray(1000, 'y')), QList<QByteArray>{});
    QVERIFY(splitter.pendingLength() <= 16);
    QCOMPARE(splitter.feed("tail\n1,2,3\n"), QList<QByteArray>{"1,2,3\n"});
    // A line of exactly the limit still passes.
    QCOMPARE(splitter.feed("123456789012345\n"), QList<QByteArray>{"123456789012345\n"});
}

void TestLineParsing::accumulator_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QList<QStringList>>("readings");

    QTest::newRow("one line") << QStringList{"1200,1300,1400\n"}
                              << QList<QStringList>{{"1200", "1300", "1400\n"}};
    QTest::newRow("four fields") << QStringList{"1,2,3,4\n"}
                                 << QList<QStringList>{{"1", "2", "3", "4\n"}};
    QTest::newRow("empty second field") << QStringList{"1,,3\n"}
                                        << QList<QStringList>{{"1", "", "3\n"}};
    QTest::newRow("short lines are dropped") << QStringList{"1,2\n", "3,4\n"} << QList<QStringList>{};
    QTest::newRow("short line spares the next")
        << QStringList{"1200,1300\n", "1210,1310,1410\n"}
        << QList<QStringList>{{"1210", "1310", "1410\n"}};
    QTest::newRow("pieces of a line") << QStringList{"1,2", ",3", "\n"}
                                      << QList<QStringList>{{"1", "2", "3\n"}};
    QTest::newRow("carriage return kept") << QStringList{"1,2,3\r\n"}
                                          << QList<QStringList>{{"1", "2", "3\r\n"}};
    QTest::newRow("reading after reading")
        << QStringList{"1,2,3\n", "4,5,6\n"} << QList<QStringList>{{"1", "2", "3\n"}, {"4", "5", "6\n"}};
    QTest::newRow("no commas") << QStringList{"hello\n"} << QList<QStringList>{};
}

void TestLineParsing::accumulator()
{
    QFETCH(QStringList, lines);
    QFETCH(QList<QStringList>, readings);
    ReadingAccumulator accumulator;
    QList<QStringList> got;
    for (const QString &line : lines) {
        if (auto reading = accumulator.add(line))
            got.append(*reading);
    }
    QCOMPARE(got, readings);
}

void TestLineParsing::accumulatorDropsOverlongText()
{
    ReadingAccumulator accumulator(32);
    const QString noise = QStringLiteral("no commas at all here\n"); // 22 characters
    for (int i = 0; i < 100; ++i) {
        QVERIFY(!accumulator.add(noise));
        QVERIFY(accumulator.text().size() <= 32);
    }
    // The text was dropped as it overflowed, so the next reading stands alone.
    QVERIFY(accumulator.text().isEmpty());
    QCOMPARE(*accumulator.add(QStringLiteral("7,8,9\n")), (QStringList{"7", "8", "9\n"}));
}

void TestLineParsing::accumulatorDecodesWholeLines()
{
    ReadingAccumulator accumulator;
    // A NUL inside a line cuts off neither the rest nor its line end.
    const std::optional<QStringList> reading = accumulator.addLine(QByteArray("1\0x,2,3\n", 8));
    QVERIFY(reading);
    QCOMPARE(*reading, (QStringList{QString::fromLatin1("1\0x", 3), "2", "3\n"}));
    QVERIFY(accumulator.text().isEmpty());

    const std::optional<QStringList> decoded = accumulator.addLine("\xc3\xa9,\xff,9\n");
    QVERIFY(decoded);
    QCOMPARE(*decoded, (QStringList{QString(QChar(0xe9)), QString(QChar::ReplacementCharacter), "9\n"}));
}

void TestLineParsing::lineEndsAreNotShown_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("shown");
    QTest::newRow("line feed") << "3456\n" << "3456";
    QTest::newRow("carriage return and line feed") << "3456\r\n" << "3456";
    QTest::newRow("several") << "1\n\r\n" << "1";
    QTest::newRow("inner ones stay") << "a\nb\n" << "a\nb";
    QTest::newRow("none") << " 12 kHz " << " 12 kHz ";
    QTest::newRow("only a line end") << "\r\n" << "";
}

void TestLineParsing::lineEndsAreNotShown()
{
    QFETCH(QString, field);
    QFETCH(QString, shown);
    QCOMPARE(ReadingAccumulator::withoutLineEnd(field), shown);
}

QTEST_APPLESS_MAIN(TestLineParsing)
#include "tst_lineparsing.moc"
