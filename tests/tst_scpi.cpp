// The remote-control server: its command table read without a socket or a
// board, then the real boardpanel-serve over TCP against the virtual board.
#include "instrumentprotocol.h"
#include "remoteboard.h"
#include "scpisession.h"
#include "testsupport.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QtTest>

#include <csignal>
#include <memory>
#include <vector>
#include <sys/stat.h>

using namespace TestSupport;

namespace {

// The server in a process of its own, on a free port it names on stderr.
class Server
{
public:
    explicit Server(const QString &boardPath, const QStringList &more = {})
    {
        m_process.start(QStringLiteral(SERVER_PATH),
                        QStringList{"--port", boardPath, "--listen", "127.0.0.1:0"} + more);
    }
    ~Server()
    {
        m_process.kill();
        m_process.waitForFinished();
    }
    quint16 port()
    {
        const QRegularExpression said(QStringLiteral("listening on 127.0.0.1:(\\d+)"));
        if (!QTest::qWaitFor([&] { return said.match(errors()).hasMatch(); }, 20000))
            return 0;
        return quint16(said.match(errors()).captured(1).toUInt());
    }
    QString errors()
    {
        m_errors += QString::fromLocal8Bit(m_process.readAllStandardError());
        return m_errors;
    }
    // The server's resident memory in kB, as /proc has it.
    qint64 residentKb() const
    {
        QFile status(QStringLiteral("/proc/%1/status").arg(m_process.processId()));
        if (!status.open(QIODevice::ReadOnly))
            return -1;
        const QRegularExpression resident(QStringLiteral("VmRSS:\\s+(\\d+)"));
        return resident.match(QString::fromLatin1(status.readAll())).captured(1).toLongLong();
    }
    int stop()
    {
        ::kill(pid_t(m_process.processId()), SIGTERM);
        return QTest::qWaitFor([this] { return m_process.state() == QProcess::NotRunning; }, 20000)
                   ? m_process.exitCode() : -1;
    }

private:
    QProcess m_process;
    QString m_errors;
};

// One line's answer, waited for as it comes.
QByteArray ask(QTcpSocket &client, const QByteArray &line)
{
    client.write(line + '\n');
    if (!QTest::qWaitFor([&] { return client.canReadLine(); }, 20000))
        return "(no answer)";
    return client.readLine().trimmed();
}

} // namespace

class TestScpi : public QObject
{
    Q_OBJECT

private slots:
    void commands_data();
    void commands();
    void serverDrivesTheBoard();
    void manyClientsBadClientsAndAReplug();
};

void TestScpi::commands_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QByteArray>("errors");
    QTest::newRow("idn without a board") << QByteArray("*idn?") << QByteArray("tst_scpi,none,0,") << QByteArray();
    QTest::newRow("short and long forms") << QByteArray("SOUR2:PWM:FREQ 1.25kHz;:source2:pwm:frequency?")
                                          << QByteArray("1250") << QByteArray();
    QTest::newRow("branch kept after ;") << QByteArray("SOUR1:PWM:FREQ 2MHZ;DCYC 40PCT;DCYC?;FREQ?")
                                         << QByteArray("40;0") << QByteArray("-222,\"Data out of range\"");
    QTest::newRow("optional nodes") << QByteArray("PWM:FREQ 7;:OUTP1:STAT?;:OUTP2?;:SYST:ERR:NEXT?;:FORM:DATA?")
                                    << QByteArray("0;0;0,\"No error\";ASC,0") << QByteArray();
    QTest::newRow("MIN and MAX") << QByteArray("SOUR2:PWM:DCYC MAX;DCYC?;FREQ MIN;FREQ?") << QByteArray("99;0") << QByteArray();
    QTest::newRow("out of range, unchanged") << QByteArray("SOUR1:PWM:DCYC 0;DCYC 100;DCYC?") << QByteArray("1")
                                             << QByteArray("-222,\"Data out of range\"|-222,\"Data out of range\"");
    QTest::newRow("undefined header") << QByteArray("MEAS:CURR?;*IDN") << QByteArray()
                                      << QByteArray("-113,\"Undefined header;MEAS:CURR?\"|-113,\"Undefined header;*IDN\"");
    QTest::newRow("suffix out of range") << QByteArray("OUTP3 ON;SOUR0:PWM:FREQ?") << QByteArray()
                                         << QByteArray("-114,\"Header suffix out of range\"|-114,\"Header suffix out of range\"");
    QTest::newRow("parameters") << QByteArray("OUTP1;OUTP1 ON,OFF;*RST 1;OUTP1 MAYBE;PWM:FREQ 5 parsec")
                                << QByteArray()
                                << QByteArray("-109,\"Missing parameter\"|-108,\"Parameter not allowed\"|"
                                              "-108,\"Parameter not allowed\"|-104,\"Data type error\"|-131,\"Invalid suffix\"");
    QTest::newRow("board gone") << QByteArray("OUTP1 ON;OUTP1?;MEAS:VOLT? (@0:2)") << QByteArray("0")
                                << QByteArray("-240,\"Hardware error;Could not connect to your device.\"|"
                                              "-240,\"Hardware error;Could not connect to your device.\"");
    QTest::newRow("strings and lists") << QByteArray("SYST:BOAR \"ttyACM9;x\";MEAS:VOLT? (@0:5);MEAS:VOLT? (@1:)") << QByteArray()
                                       << QByteArray("-224,\"Illegal parameter value;no board ttyACM9;x\"|"
                                                     "-222,\"Data out of range\"|-102,\"Syntax error\"");
    // A message with a string left open runs none of its commands.
    QTest::newRow("string left open") << QByteArray("OUTP1 ON;SYST:BOAR \"a") << QByteArray()
                                      << QByteArray("-151,\"Invalid string data\"");
    QTest::newRow("fetch and format") << QByteArray("ACQ:INST ACC;INST?;:FETC:HEAD?;:FORM REAL,64;FETC? 10;:FORM REAL;FORM?")
                                      << QByteArray("ACC;\"X\",\"Y\",\"Z\";REAL,32")
                                      << QByteArray("-224,\"Illegal parameter value;REAL,32 only\"|"
                                                    "-230,\"Data corrupt or stale;no samples; INITiate first\"");
    // Names only, and nothing that is there but no plain file.
    QTest::newRow("record names") << QByteArray("REC:STAR \"../x.csv\";STAR \"/tmp/x.csv\";STAR \"a/../../x.csv\";"
                                                "STAR \"\";STAR \"pipe.csv\";STAR \"link.csv\";STAR \"x.csv\",PWM;STAT?")
                                  << QByteArray("0")
                                  << QByteArray("-220,\"Parameter error;a name only, no folder\"|"
                                                "-220,\"Parameter error;a name only, no folder\"|"
                                                "-220,\"Parameter error;a name only, no folder\"|"
                                                "-220,\"Parameter error;a file name is needed\"|"
                                                "-220,\"Parameter error;pipe.csv is there and is no plain file\"|"
                                                "-220,\"Parameter error;link.csv is there and is no plain file\"|"
                                                "-224,\"Illegal parameter value\"");
    QTest::newRow("record without a board") << QByteArray("REC:STAR \"x.csv\",VOLT;STAT?;STOP")
                                            << QByteArray("0")
                                            << QByteArray("-240,\"Hardware error;Could not connect to your device.\"");
    QTest::newRow("trigger") << QByteArray("TRIG:MODE NORM;MODE?;POS 50;POS?;HOLD 0.5;HOLD?;SOUR 3;SOUR?;STAT?")
                             << QByteArray("NORM;50;0.5;3;ARM") << QByteArray();
    QTest::newRow("trigger level in g") << QByteArray("ACQ:INST ACC;:TRIG:LEV 1.5;LEV?;LEV AUTO;LEV?")
                                        << QByteArray("1.5;9.91E+37") << QByteArray();
    QTest::newRow("trigger refused") << QByteArray("TRIG:POS 95;HOLD 11;SOUR 4;MODE SOMETIMES;POS?;:FETC:CAPT?")
                                     << QByteArray("20")
                                     << QByteArray("-222,\"Data out of range\"|-222,\"Data out of range\"|"
                                                   "-222,\"Data out of range\"|-224,\"Illegal parameter value\"|"
                                                   "-230,\"Data corrupt or stale;no capture held\"");
    QTest::newRow("status") << QByteArray("*ESE 32;BAD;*STB?;*ESR?;*ESR?;*CLS;*STB?;*OPC;*ESR?;*OPC?")
                            << QByteArray("36;32;0;0;1;1") << QByteArray();
    QByteArray many;
    for (int i = 0; i < 20; ++i)
        many += "X;";
    QByteArray overflow;
    for (int i = 0; i < 15; ++i)
        overflow += "-113,\"Undefined header;X\"|";
    QTest::newRow("queue overflow") << many << QByteArray() << overflow + "-350,\"Queue overflow\"";
}

void TestScpi::commands()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, answer);
    QFETCH(QByteArray, errors);
    const PortList noPorts({});
    QTemporaryDir folder;
    QVERIFY(::mkfifo(qPrintable(folder.filePath("pipe.csv")), 0600) == 0);
    QVERIFY(QFile::link(QStringLiteral("/tmp"), folder.filePath("link.csv")));
    RemoteBoard board;
    board.setRecordFolder(folder.path());
    ScpiSession session(board);
    QByteArrayList answers;
    connect(&session, &ScpiSession::answered, this, [&](const QByteArray &text) { answers.append(text); });
    session.takeLine(line);
    QTRY_VERIFY(!session.isBusy());
    QCOMPARE(answers.size(), answer.isEmpty() ? 0 : 1);
    if (!answer.isEmpty()) {
        QVERIFY2(answers.first().endsWith('\n'), answers.first().constData());
        QVERIFY2(answers.first().startsWith(answer), answers.first().constData());
    }
    QByteArrayList queued;
    while (session.errors().size() > 0)
        queued.append(session.errors().takeOldest());
    QCOMPARE(queued.join('|'), errors);
}

void TestScpi::serverDrivesTheBoard()
{
    BoardFixture fixture;
    QVERIFY(fixture.isReady());
    fixture.board.setVoltages(1650, 3300, 12);
    fixture.board.setCounterInterval(50);
    QTemporaryDir folder;
    Server server(fixture.board.devicePath(), {"--record-dir", folder.path()});
    const quint16 port = server.port();
    QVERIFY2(port != 0, qPrintable(server.errors()));
    QTcpSocket client;
    QTcpSocket other;
    client.connectToHost(QHostAddress::LocalHost, port);
    other.connectToHost(QHostAddress::LocalHost, port);
    QVERIFY(client.waitForConnected(20000) && other.waitForConnected(20000));

    QVERIFY(ask(client, "*IDN?").startsWith("boardpanel-serve,"));
    QCOMPARE(ask(client, "MEAS:VOLT?"), QByteArray("1.650,3.300,0.012"));
    QCOMPARE(ask(other, "MEAS:VOLT? PAD1"), QByteArray("3.300"));
    // The window's bytes for the setting; out of range sends nothing.
    QCOMPARE(ask(client, "SOUR1:PWM:FREQ 1250;DCYC 30;FREQ 50001;:OUTP1 ON;*OPC?"), QByteArray("1"));
    QCOMPARE(fixture.board.channelSettings(), (QList<VirtualBoard::ChannelSetting>{{0, 1250, 30}}));
    QVERIFY(fixture.board.received().contains("p\nm\n0\n1250\n30\n"));
    // A recording of readings, the voltmeter's columns, ended by another instrument.
    QCOMPARE(ask(client, "REC:STAR \"volts.csv\",VOLT;STAT?"), QByteArray("1"));
    QFile volts(folder.filePath("volts.csv"));
    QTRY_VERIFY_WITH_TIMEOUT(volts.size() > 100, 20000);
    QCOMPARE(ask(client, "MEAS:FREQ?"), QByteArray("1250"));
    QCOMPARE(ask(other, "REC:STAT?"), QByteArray("0"));
    QVERIFY(volts.open(QIODevice::ReadOnly));
    QCOMPARE(volts.readLine().trimmed(), InstrumentProtocol::voltmeter().header.join(',').toUtf8());
    QVERIFY(volts.readLine().startsWith("1,"));
    // Each client its own errors.
    QCOMPARE(ask(other, "SYST:ERR?"), QByteArray("0,\"No error\""));
    QCOMPARE(ask(client, "SYST:ERR?"), QByteArray("-222,\"Data out of range\""));
    // A client that never ends its line holds up nobody.
    other.write(QByteArray(70000, 'x'));
    QCOMPARE(ask(client, "INIT;:FETC? 3;:FETC:HEAD?").count(','), 8 + 2);
    QCOMPARE(ask(other, "\nSYST:ERR?"), QByteArray("-363,\"Input buffer overrun;line over 64 KiB\""));
    // One Single capture of the stream, then the samples stand still.
    QCOMPARE(ask(client, "SING;:TRIG:MODE?"), QByteArray("SING"));
    QTRY_COMPARE_WITH_TIMEOUT(ask(client, "TRIG:STAT?"), QByteArray("STOP"), 20000);
    QCOMPARE(ask(client, "FETC:CAPT?").count(','), 501 * 3 - 1);

    QCOMPARE(server.stop(), 0);
    QVERIFY(fixture.board.received().endsWith("r\n"));
    QCOMPARE(fixture.board.mode(), VirtualBoard::Mode::Idle);
}

void TestScpi::manyClientsBadClientsAndAReplug()
{
    BoardFixture fixture;
    QVERIFY(fixture.isReady());
    QTemporaryDir folder;
    QVERIFY(fixture.board.setLinkPath(folder.filePath("board")));
    fixture.board.setVoltages(1650, 3300, 12);
    Server server(fixture.board.devicePath());
    const quint16 port = server.port();
    QVERIFY2(port != 0, qPrintable(server.errors()));
    std::vector<std::unique_ptr<QTcpSocket>> clients;
    for (int i = 0; i < 19; ++i) {
        clients.push_back(std::make_unique<QTcpSocket>());
        clients.back()->connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(clients.back()->waitForConnected(20000));
    }
    // Half a line and silence; 16 MB without a line end; a long answer nobody waits for.
    QTcpSocket &half = *clients[16];
    QTcpSocket &flood = *clients[17];
    half.write("MEAS:VOLT");
    const qint64 residentBefore = server.residentKb();
    flood.write(QByteArray(16 << 20, 'x'));
    QTRY_VERIFY_WITH_TIMEOUT(flood.bytesToWrite() == 0, 60000);
    clients[18]->write(QByteArray("*IDN?;").repeated(2000) + "*IDN?\n");
    QTRY_VERIFY(clients[18]->bytesAvailable() > 0);
    clients[18]->abort();
    // Sixteen at once, each with its own errors.
    for (int i = 0; i < 16; ++i)
        clients[size_t(i)]->write("BAD" + QByteArray::number(i) + ";:MEAS:VOLT?;:SYST:ERR?\n");
    for (int i = 0; i < 16; ++i) {
        QTcpSocket &client = *clients[size_t(i)];
        QVERIFY(QTest::qWaitFor([&] { return client.canReadLine(); }, 20000));
        QCOMPARE(client.readLine(), "1.650,3.300,0.012;-113,\"Undefined header;BAD" + QByteArray::number(i) + "\"\n");
    }
    QCOMPARE(ask(flood, "\nSYST:ERR?;ERR?"), QByteArray("-363,\"Input buffer overrun;line over 64 KiB\";0,\"No error\""));
#ifndef UNDER_ADDRESS_SANITIZER
    QVERIFY2(server.residentKb() - residentBefore < 4096, qPrintable(QString::number(server.residentKb() - residentBefore)));
#else
    Q_UNUSED(residentBefore)
#endif
    QCOMPARE(ask(half, "? PAD0"), QByteArray("1.650"));

    // Unplugged under a client: an error at once, never a hang; the board back after a replug.
    QTcpSocket &client = *clients[0];
    fixture.board.replug(1000);
    QVERIFY(ask(client, "MEAS:VOLT?;:SYST:ERR?").startsWith("-240,"));
    QTRY_COMPARE_WITH_TIMEOUT(ask(client, "MEAS:VOLT? PAD2;:SYST:ERR?"), QByteArray("0.012;0,\"No error\""), 30000);

    // Every client gone: the voltmeter stops as a window's Quit stops it, and starts for the next.
    clients.clear();
    QTRY_VERIFY_WITH_TIMEOUT(fixture.board.received().endsWith(QByteArray("r\n").repeated(InstrumentProtocol::voltmeter().stopCopies)), 20000);
    QTcpSocket next;
    next.connectToHost(QHostAddress::LocalHost, port);
    QVERIFY(next.waitForConnected(20000));
    QCOMPARE(ask(next, "MEAS:VOLT? PAD2"), QByteArray("0.012"));
}

QTEST_MAIN(TestScpi)
#include "tst_scpi.moc"
