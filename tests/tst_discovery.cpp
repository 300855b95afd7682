#include "boarddiscovery.h"
#include "board.h"
#include "boardlink.h"
#include "boardtrace.h"
#include "testsupport.h"

#include <QSignalSpy>
#include <QtTest>

#include <cerrno>
#include <cstring>

#include <pty.h>
#include <unistd.h>

using namespace TestSupport;

static PortCandidate port(const QString &name, bool hasVendor, quint16 vendor, bool hasProduct,
                          quint16 product = 1, const QString &serial = QString())
{
    return {name, hasVendor, vendor, hasProduct, product, serial};
}

// A link to the board, once open listening, that gathers all it receives.
struct ListeningLink
{
    QSerialPort serial;
    BoardLink link{&serial, 1};
    QByteArray taken;
    bool open()
    {
        QObject::connect(&link, &BoardLink::received, &link,
                         [this](const QByteArray &bytes, qint64) { taken.append(bytes); });
        if (link.connectBoard(QIODevice::ReadWrite) != BoardLink::Outcome::Opened)
            return false;
        link.startListening();
        return true;
    }
};

class TestDiscovery : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<QSerialPort::SerialPortError>(); }
    void firstMatch_data();
    void firstMatch();
    void boardForANewWindow_data();
    void boardForANewWindow();
    void traceOncePerSuccess();
    void traceShownOnlyOnATerminal_data();
    void traceShownOnlyOnATerminal();
    void opensAndSetsUpTheFirstBoard();
    void portHeldByAnotherWindow();
    void openFailureTexts();
    void stopWritesOnlyTheStopCommands();
    void unplugEndsTheConnectionOnce_data();
    void unplugEndsTheConnectionOnce();
    void takesEveryByteInOrder_data();
    void takesEveryByteInOrder();
    void replyInPiecesIsTakenWithinTheWait_data();
    void replyInPiecesIsTakenWithinTheWait();
    void lossTexts_data();
    void lossTexts();
    void writesDoNotPileUp();
};

void TestDiscovery::firstMatch_data()
{
    QTest::addColumn<QList<PortCandidate>>("ports");
    QTest::addColumn<QString>("wanted");
    QTest::addColumn<QString>("expected");

    const PortCandidate board1 = port("ttyACM0", true, 0x0D28, true, 0x0204, "A1B2");
    const PortCandidate board2 = port("ttyACM1", true, 0x0D28, true, 0x0999, "C3D4");
    const PortCandidate noProduct = port("ttyACM7", true, 0x0D28, false);
    const PortCandidate otherVendor = port("ttyUSB0", true, 0x0403, true);
    const PortCandidate noIds = port("ttyS0", false, 0, false);

    const QString any;
    QTest::newRow("empty list") << QList<PortCandidate>{} << any << QString();
    QTest::newRow("only other devices") << QList<PortCandidate>{noIds, otherVendor} << any << QString();
    QTest::newRow("decoy without product id skipped")
        << QList<PortCandidate>{noProduct, board2} << any << "ttyACM1";
    QTest::newRow("two boards: the first listed")
        << QList<PortCandidate>{noIds, board1, board2} << any << "ttyACM0";
    QTest::newRow("two boards, other order") << QList<PortCandidate>{board2, board1} << any << "ttyACM1";
    QTest::newRow("any product id") << QList<PortCandidate>{port("x", true, 0x0D28, true, 0)} << any << "x";
    // One board of several, by name, path or serial number; never another device.
    const QList<PortCandidate> all{noIds, otherVendor, noProduct, board1, board2};
    QTest::newRow("wanted by name") << all << "ttyACM1" << "ttyACM1";
    QTest::newRow("wanted by path") << all << "/dev/ttyACM1" << "ttyACM1";
    QTest::newRow("wanted by serial") << all << "C3D4" << "ttyACM1";
    QTest::newRow("wanted, not there") << all << "ttyACM2" << QString();
    QTest::newRow("wanted, not a board") << all << "ttyUSB0" << QString();
    QTest::newRow("wanted, no product id") << all << "ttyACM7" << QString();
}

void TestDiscovery::firstMatch()
{
    QFETCH(QList<PortCandidate>, ports);
    QFETCH(QString, wanted);
    QFETCH(QString, expected);
    const std::optional<PortCandidate> found = findBoard(ports, wanted);
    QCOMPARE(found ? found->portName : QString(), expected);
}

void TestDiscovery::boardForANewWindow_data()
{
    QTest::addColumn<QList<PortCandidate>>("ports");
    QTest::addColumn<QString>("preferred");
    QTest::addColumn<QStringList>("heldByPanel");
    QTest::addColumn<QString>("expected");

    const PortCandidate board1 = port("ttyACM0", true, 0x0D28, true, 0x0204, "A1B2");
    const PortCandidate board2 = port("ttyACM1", true, 0x0D28, true, 0x0204, "C3D4");
    const PortCandidate unnamed = port("ttyACM2", true, 0x0D28, true, 0x0204);
    const PortCandidate noProduct = port("ttyACM7", true, 0x0D28, false);
    const QList<PortCandidate> two{noProduct, board1, board2};
    const QStringList none;

    QTest::newRow("free: the first") << two << QString() << none << "ttyACM0";
    QTest::newRow("first held: the next") << two << QString() << QStringList{"ttyACM0"} << "ttyACM1";
    QTest::newRow("second held: the first") << two << QString() << QStringList{"ttyACM1"} << "ttyACM0";
    // Its open then fails with the panel's own message, as with one board.
    QTest::newRow("all held: the first") << two << QString() << QStringList{"ttyACM0", "ttyACM1"}
                                         << "ttyACM0";
    QTest::newRow("one board, held") << QList<PortCandidate>{board1} << QString()
                                     << QStringList{"ttyACM0"} << "ttyACM0";
    QTest::newRow("no serial number") << QList<PortCandidate>{unnamed, board2} << QString()
                                      << QStringList{"ttyACM2"} << "ttyACM1";
    QTest::newRow("preferred by serial") << two << "C3D4" << none << "ttyACM1";
    QTest::newRow("preferred by path") << two << "/dev/ttyACM1" << none << "ttyACM1";
    QTest::newRow("preferred, held: the next") << two << "ttyACM1" << QStringList{"ttyACM1"} << "ttyACM0";
    QTest::newRow("preferred, not there") << two << "E5F6" << none << QString();
    QTest::newRow("preferred, not a board") << two << "ttyACM7" << none << QString();
    QTest::newRow("none") << QList<PortCandidate>{noProduct} << QString() << none << QString();
}

void TestDiscovery::boardForANewWindow()
{
    QFETCH(QList<PortCandidate>, ports);
    QFETCH(QString, preferred);
    QFETCH(QStringList, heldByPanel);
    QFETCH(QString, expected);
    const std::optional<PortCandidate> found = chooseBoard(
        ports, preferred, [&](const PortCandidate &board) { return heldByPanel.contains(board.portName); });
    QCOMPARE(found ? found->portName : QString(), expected);
}

void TestDiscovery::traceOncePerSuccess()
{
    MessageCapture capture;
    findBoard({port("a", true, 0x0D28, true), port("b", true, 0x0D28, true)});
    QCOMPARE(capture.count("connected maked true"), 1);
    findBoard({port("c", true, 0x0D28, false)});
    findBoard({});
    QCOMPARE(capture.count("connected maked true"), 1);
}

void TestDiscovery::traceShownOnlyOnATerminal_data()
{
    QTest::addColumn<bool>("terminal");
    QTest::addColumn<int>("traces");
    QTest::newRow("started in a terminal") << true << 1;
    QTest::newRow("started from the desktop: a log") << false << 0;
}

void TestDiscovery::traceShownOnlyOnATerminal()
{
    QFETCH(bool, terminal);
    QFETCH(int, traces);
    int ends[2];
    QVERIFY(terminal ? ::openpty(&ends[0], &ends[1], nullptr, nullptr, nullptr) == 0 : ::pipe(ends) == 0);
    const int standardError = ::dup(STDERR_FILENO);
    ::dup2(ends[1], STDERR_FILENO);
    BoardTrace::showOnlyOnATerminal();
    ::dup2(standardError, STDERR_FILENO);
    for (const int fd : {standardError, ends[0], ends[1]})
        ::close(fd);

    MessageCapture capture;
    findBoard({port("a", true, 0x0D28, true)});
    QLoggingCategory::setFilterRules(QString());
    QCOMPARE(capture.count("connected maked true"), traces);
}

void TestDiscovery::opensAndSetsUpTheFirstBoard()
{
    BoardFixture fixture({port("ttyACM9", true, 0x0D28, false)});
    QVERIFY(fixture.isReady());
    QSerialPort serial;
    BoardLink link(&serial, 1);
    QCOMPARE(link.connectBoard(QIODevice::ReadWrite), BoardLink::Outcome::Opened);
    QVERIFY(serial.isOpen());
    QCOMPARE(link.location(), fixture.board.devicePath());
    QCOMPARE(serial.baudRate(), 115200);
    QCOMPARE(serial.dataBits(), QSerialPort::Data8);
    QCOMPARE(serial.parity(), QSerialPort::NoParity);
    QCOMPARE(serial.stopBits(), QSerialPort::OneStop);
    QCOMPARE(serial.flowControl(), QSerialPort::NoFlowControl);

    link.send("v");
    QTRY_COMPARE(fixture.board.received(), QByteArray("v\n"));
}

void TestDiscovery::portHeldByAnotherWindow()
{
    BoardFixture fixture;
    QSerialPort first, second, third;
    BoardLink firstLink(&first, 1), secondLink(&second, 1);
    QCOMPARE(firstLink.connectBoard(QIODevice::ReadWrite), BoardLink::Outcome::Opened);

    QCOMPARE(secondLink.connectBoard(QIODevice::ReadWrite), BoardLink::Outcome::OpenFailed);
    QVERIFY(!second.isOpen());
    QVERIFY2(secondLink.failureText().contains(fixture.board.devicePath()),
             qPrintable(secondLink.failureText()));
    QVERIFY(secondLink.failureText().contains("another window"));
    secondLink.send("x");

    firstLink.stop();
    QVERIFY(!first.isOpen());
    BoardLink thirdLink(&third, 1);
    QCOMPARE(thirdLink.connectBoard(QIODevice::ReadWrite), BoardLink::Outcome::Opened);
    // Nothing from the window that failed to open reached the line.
    QCOMPARE(fixture.board.received(), QByteArray("r\n"));
}

void TestDiscovery::openFailureTexts()
{
    const QString denied = BoardLink::openFailureText(
        "/dev/ttyACM0", QSerialPort::PermissionError, QString::fromLocal8Bit(std::strerror(EACCES)));
    QVERIFY(denied.contains("/dev/ttyACM0"));
    QVERIFY(denied.contains(QString::fromLocal8Bit(std::strerror(EACCES))));
    QVERIFY(denied.contains("dialout"));
    QVERIFY(denied.contains("udev"));

    const QString busy = BoardLink::openFailureText("/dev/ttyACM0", QSerialPort::PermissionError,
                                                    "Permission error while locking the device");
    QVERIFY(busy.contains("another program"));
    QVERIFY(!busy.contains("dialout"));

    const QString gone = BoardLink::openFailureText("/dev/ttyACM3", QSerialPort::DeviceNotFoundError,
                                                    "No such file or directory");
    QVERIFY(gone.contains("/dev/ttyACM3"));
    QVERIFY(gone.contains("No such file or directory"));

    // Not found at all: the one sentence the user knows.
    PortList none({});
    QSerialPort serial;
    BoardLink link(&serial, 1);
    QCOMPARE(link.connectBoard(QIODevice::ReadWrite), BoardLink::Outcome::NotFound);
    QCOMPARE(link.failureText(), QString("Could not connect to your device."));
}

void TestDiscovery::stopWritesOnlyTheStopCommands()
{
    BoardFixture fixture;
    QSerialPort serial;
    BoardLink link(&serial, 20);
    QCOMPARE(link.connectBoard(QIODevice::ReadWrite), BoardLink::Outcome::Opened);
    // Commands that come during the stop's wait (from a notification, say) are not written.
    QTimer::singleShot(50, &link, [&] { link.send("c"); });
    link.stop();
    QVERIFY(link.isStopping());
    QVERIFY(!serial.isOpen());
    link.send("c");
    QTRY_COMPARE(fixture.board.received().size(), 40);
    spin(50);
    QCOMPARE(fixture.board.received(), QByteArray("r\n").repeated(20));
}

void TestDiscovery::unplugEndsTheConnectionOnce_data()
{
    QTest::addColumn<bool>("writeOnly");
    QTest::newRow("read and write") << false;
    // No read notification tells a port that is only written to; nothing is
    // written here either.
    QTest::newRow("write only") << true;
}

void TestDiscovery::unplugEndsTheConnectionOnce()
{
    QFETCH(bool, writeOnly);
    BoardFixture fixture;
    QSerialPort serial;
    BoardLink link(&serial, 1);
    QCOMPARE(link.connectBoard(writeOnly ? QIODevice::WriteOnly : QIODevice::ReadWrite),
             BoardLink::Outcome::Opened);
    QSignalSpy lost(&link, &BoardLink::connectionLost);
    QSignalSpy errors(&serial, &QSerialPort::errorOccurred);

    fixture.board.unplug();
    QTRY_COMPARE(lost.count(), 1);
    QVERIFY(!serial.isOpen());
    QVERIFY(lost.at(0).at(0).toString().contains(fixture.board.devicePath()));
    // A closed port raises no more errors: nothing spins.
    const int errorsSoFar = errors.count();
    spin(300);
    QCOMPARE(errors.count(), errorsSoFar);
    QCOMPARE(lost.count(), 1);
}

// A stream in pieces a millisecond apart is gathered into fewer reads; not a
// byte may go missing or change places, whatever the pieces' size.
void TestDiscovery::takesEveryByteInOrder_data()
{
    QTest::addColumn<int>("pieceBytes");
    QTest::addColumn<int>("totalBytes");
    QTest::newRow("a frame at a time") << 17 << 4000;
    QTest::newRow("a millisecond of a fast stream") << 1200 << 120000;
    QTest::newRow("more than the system's buffer") << 6000 << 240000;
}

void TestDiscovery::takesEveryByteInOrder()
{
    QFETCH(int, pieceBytes);
    QFETCH(int, totalBytes);
    BoardFixture fixture;
    ListeningLink listening;
    QVERIFY(listening.open());

    QByteArray sent(totalBytes, Qt::Uninitialized);
    for (int i = 0; i < totalBytes; ++i)
        sent[i] = char(i % 251);
    fixture.board.setChunkSize(pieceBytes, 1);
    fixture.board.sendRaw(sent);
    QTRY_COMPARE_WITH_TIMEOUT(listening.taken.size(), totalBytes, 30000);
    QVERIFY(listening.taken == sent);
}

// A reply that comes in pieces while the link gathers a stream is still
// complete within the window's own wait after its request, cycle after cycle.
void TestDiscovery::replyInPiecesIsTakenWithinTheWait_data()
{
    QTest::addColumn<int>("pieceBytes");
    QTest::newRow("a byte at a time") << 1;
    QTest::newRow("two bytes at a time") << 2;
    QTest::newRow("whole") << 0;
}

void TestDiscovery::replyInPiecesIsTakenWithinTheWait()
{
    QFETCH(int, pieceBytes);
    BoardFixture fixture;
    fixture.board.setVoltages(1234, 2345, 3456);
    fixture.board.setChunkSize(pieceBytes, 1);
    ListeningLink listening;
    QVERIFY(listening.open());

    const QByteArray reply = "1234,2345,3456\n";
    for (const QByteArray request : {"v", "c", "c"}) {
        listening.taken.clear();
        listening.link.send(request);
        listening.link.wait(Board::waitMs);
        QCOMPARE(listening.taken, reply);
    }
}

void TestDiscovery::lossTexts_data()
{
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("text");
    const QString start = "The connection to the board on /dev/ttyACM0 was lost. The board was "
                          "unplugged or reset, or it stopped answering";
    const QString end = " Waiting for it to come back…";
    QTest::newRow("no reason") << QString() << start + "." + end;
    QTest::newRow("Qt's unknown error") << "Unknown error" << start + "." + end;
    QTest::newRow("a reason worth saying")
        << "Input/output error" << start + " (Input/output error)." + end;
}

void TestDiscovery::lossTexts()
{
    QFETCH(QString, reason);
    QFETCH(QString, text);
    QCOMPARE(BoardLink::lossText("/dev/ttyACM0", reason), text);
}

void TestDiscovery::writesDoNotPileUp()
{
    BoardFixture fixture;
    QSerialPort serial;
    BoardLink link(&serial, 1);
    QCOMPARE(link.connectBoard(QIODevice::ReadWrite), BoardLink::Outcome::Opened);
    // Nothing leaves while the event loop does not run, as with a board
    // that stopped reading: one request waits, the rest are skipped.
    for (int i = 0; i < 10000; ++i)
        link.sendRequest("c");
    QCOMPARE(serial.bytesToWrite(), qint64(2));
    // Commands are not skipped, but output never grows past a few KiB: the
    // board is taken for gone instead.
    QSignalSpy lost(&link, &BoardLink::connectionLost);
    for (int i = 0; i < 10000 && link.state() == BoardLink::State::Open; ++i)
        link.send("m");
    QCOMPARE(lost.count(), 1);
    QCOMPARE(link.state(), BoardLink::State::Lost);
    QVERIFY(!serial.isOpen());
    QVERIFY(lost.at(0).at(0).toString().contains("stopped answering"));
}

QTEST_MAIN(TestDiscovery)
#include "tst_discovery.moc"
