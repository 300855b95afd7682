#include "testsupport.h"
#include "voltmeter.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <optional>

using namespace TestSupport;

static QByteArray readings(int count, const QByteArray &reading)
{
    return reading.repeated(count);
}

class TestVoltmeter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<QSerialPort::SerialPortError>(); }
    void showsPlaceholders_data();
    void showsPlaceholders();
    void oneRequestPerNotification();
    void everyHundredAndFirstReadingIsShown();
    void keepsUpWithAFastBoard();
    void readingsSplitAnywhere();

private:
    static QString text(Voltmeter *window, const char *label)
    {
        return window->findChild<QLabel *>(label)->text();
    }
};

void TestVoltmeter::showsPlaceholders_data()
{
    QTest::addColumn<bool>("board");
    QTest::newRow("silent board") << true;
    QTest::newRow("no board") << false;
}

void TestVoltmeter::showsPlaceholders()
{
    QFETCH(bool, board);
    QuietBoard fixture;
    std::optional<PortList> none;
    if (!board)
        none.emplace(QList<PortCandidate>{});
    ModalBoxCatcher catcher;
    QScopedPointer<Voltmeter> window(new Voltmeter);
    QCOMPARE(catcher.boxes.size(), board ? 0 : 1);

    QCOMPARE(window->windowTitle(), QString("Dialog"));
    QCOMPARE(text(window.get(), "labelVolt0"), QString("0"));
    QVERIFY(text(window.get(), "labelVolt1").contains(">0000<"));
    QVERIFY(text(window.get(), "labelVolt2").contains(">0000<"));
    QCOMPARE(window->findChild<QPushButton *>("pushButtonQuit")->text(), QString("Close"));
    QCOMPARE(window->size(), QSize(397, 250));
    QCOMPARE(window->minimumSize(), QSize(250, 160));
    QCOMPARE(window->maximumSize(), QSize(500, 250));
}

void TestVoltmeter::oneRequestPerNotification()
{
    BoardFixture fixture;
    fixture.board.setVoltages(1000, 2000, 3000);
    QScopedPointer<Voltmeter> window(new Voltmeter);
    int notifications = 0;
    QObject::connect(window->findChild<QSerialPort *>(), &QSerialPort::readyRead,
                     [&] { ++notifications; });
    // The board answers each "c" with a reading, so the loop keeps itself going.
    QTRY_VERIFY(notifications > 20);
    fixture.board.setSilent(true);
    spin(100);
    QCOMPARE(occurrences(fixture.board.received(), "c\n"), notifications);
    QVERIFY(fixture.board.received().startsWith("v\nc\n"));
}

void TestVoltmeter::everyHundredAndFirstReadingIsShown()
{
    QuietBoard fixture;
    MessageCapture capture;
    QScopedPointer<Voltmeter> window(new Voltmeter);

    fixture.board.sendRaw(readings(100, "5,6,7\n"));
    QTRY_COMPARE(capture.count("(\"5\", \"6\", \"7\\n\")"), 100);
    QCOMPARE(text(window.get(), "labelVolt0"), QString("0"));

    // A damaged short line neither shows, nor counts, nor spoils the next.
    fixture.board.sendRaw("1200,1300\n<b>1111</b>,,3333,4444\n");
    QTRY_COMPARE(text(window.get(), "labelVolt0"), QString("<b>1111</b>"));
    // Shown as the board sent it, not as markup.
    QCOMPARE(window->findChild<QLabel *>("labelVolt0")->textFormat(), Qt::PlainText);
    QCOMPARE(text(window.get(), "labelVolt1"), QString());
    QCOMPARE(text(window.get(), "labelVolt2"), QString("3333"));

    fixture.board.sendRaw(readings(100, "8,8,8\n"));
    QTRY_COMPARE(capture.count("(\"8\", \"8\", \"8\\n\")"), 100);
    QCOMPARE(text(window.get(), "labelVolt0"), QString("<b>1111</b>"));
    fixture.board.sendRaw("9,9,9\r\n");
    QTRY_COMPARE(text(window.get(), "labelVolt2"), QString("9"));
}

void TestVoltmeter::keepsUpWithAFastBoard()
{
    QuietBoard fixture;
    QScopedPointer<Voltmeter> window(new Voltmeter);
    // 303 readings in one burst: the 101st, 202nd and 303rd are shown, and
    // the last one shows at once, not hundreds of notifications later.
    fixture.board.sendRaw(readings(302, "1,1,1\n") + "42,43,44\n");
    QTRY_COMPARE(text(window.get(), "labelVolt0"), QString("42"));
    QCOMPARE(text(window.get(), "labelVolt2"), QString("44"));
}

void TestVoltmeter::readingsSplitAnywhere()
{
    QuietBoard fixture;
    fixture.board.setChunkSize(4);
    MessageCapture capture;
    QScopedPointer<Voltmeter> window(new Voltmeter);
    fixture.board.sendRaw(readings(101, "1234,2345,3456\n"));
    QTRY_COMPARE_WITH_TIMEOUT(text(window.get(), "labelVolt1"), QString("2345"), 15000);
    // Pieces never reach the screen or the log as readings of their own.
    QStringList logged = capture.messages().filter("(\"");
    QCOMPARE(logged.size(), 101);
    QCOMPARE(QSet<QString>(logged.begin(), logged.end()).size(), 1);
}

QTEST_MAIN(TestVoltmeter)
#include "tst_voltmeter.moc"
