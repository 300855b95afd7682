// What every instrument window does alike: how it starts the board, what it
// says when there is no board, and how any close stops the board, destroys
// the window and frees the port.
#include "instrumentkinds.h"
#include "testsupport.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QSerialPort>
#include <QSignalSpy>
#include <QtTest>

using namespace TestSupport;

class TestInstrumentWindows : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<QSerialPort::SerialPortError>(); }
    void cleanup() { destroyTopLevelWindows(); }
    void startsTheBoard_data() { addInstrumentRows(); }
    void startsTheBoard();
    void noBoard_data() { addInstrumentRows(); }
    void noBoard();
    void anyCloseStopsTheBoardAndFreesThePort_data() { addInstrumentCloseRows(); }
    void anyCloseStopsTheBoardAndFreesThePort();
};

void TestInstrumentWindows::startsTheBoard()
{
    const InstrumentKind kind = fetchInstrumentKind();
    BoardFixture fixture;
    fixture.board.setSilent(true);
    QElapsedTimer clock;
    qint64 firstByteAt = -1;
    QObject::connect(&fixture.board, &VirtualBoard::bytesReceived, [&] {
        if (firstByteAt < 0)
            firstByteAt = clock.elapsed();
    });
    ModalBoxCatcher catcher;
    MessageCapture capture;
    clock.start();
    QScopedPointer<QDialog> window(kind.create());

    QCOMPARE(catcher.boxes.size(), 0);
    QTRY_COMPARE(fixture.board.received(), kind.startCommands);
    if (kind.waitsBeforeStart)
        QVERIFY2(firstByteAt >= 140, qPrintable(QString::number(firstByteAt)));
    QCOMPARE(fixture.board.mode(), kind.mode);
    QCOMPARE(capture.count("connected maked true"), 1);
    const QIODevice::OpenMode mode = kind.reads ? QIODevice::ReadWrite : QIODevice::WriteOnly;
    QCOMPARE(window->findChild<QSerialPort *>()->openMode(), mode);
}

void TestInstrumentWindows::noBoard()
{
    const InstrumentKind kind = fetchInstrumentKind();
    // A board on a line the system does not list: the window must not use it.
    BoardFixture unlisted;
    PortList none({});
    ModalBoxCatcher catcher;
    MessageCapture capture;
    QPointer<QDialog> window(kind.create());
    // The box came and went inside the constructor, before the window shows.
    QCOMPARE(catcher.boxes.size(), 1);
    QCOMPARE(catcher.boxes[0].title, QString("Serial port error"));
    QCOMPARE(catcher.boxes[0].text, QString("Could not connect to your device."));
    QCOMPARE(capture.count("connected maked true"), 0);
    QVERIFY(!window->findChild<QSerialPort *>()->isOpen());

    window->show();
    closeWindow(window, kind.quitButton, "quit button");
    QTRY_VERIFY(window.isNull());
    spin(50);
    QCOMPARE(catcher.boxes.size(), 1);
    // Nothing tried to write to the closed port, and nothing reached the line.
    QCOMPARE(capture.warnings().filter("QSerialPort"), QStringList());
    QCOMPARE(unlisted.board.received(), QByteArray());
}

void TestInstrumentWindows::anyCloseStopsTheBoardAndFreesThePort()
{
    const InstrumentKind kind = fetchInstrumentKind();
    QFETCH(QString, how);
    BoardFixture fixture;
    fixture.board.setSilent(true);
    ModalBoxCatcher catcher;
    QPointer<QDialog> window(kind.create());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTRY_COMPARE(fixture.board.received(), kind.startCommands);
    QPointer<QSerialPort> serial = window->findChild<QSerialPort *>();
    QSignalSpy reads(serial.data(), &QSerialPort::readyRead);

    // The stop commands go out while the port is still open, and what the
    // board says in the wait after them gets no answer.
    bool stopsArrived = false;
    bool openAtStops = false;
    QObject::connect(&fixture.board, &VirtualBoard::bytesReceived, [&] {
        if (stopsArrived || !fixture.board.received().endsWith(kind.stopCommands()))
            return;
        stopsArrived = true;
        openAtStops = serial && serial->isOpen();
        if (kind.reads)
            fixture.board.sendRaw(kind.reply);
    });

    QElapsedTimer clock;
    clock.start();
    closeWindow(window, kind.quitButton, how);
    if (how == "quit button") {
        // The stop and its wait ran inside the click; the window is on its way out.
        QVERIFY2(clock.elapsed() >= 140, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(window);
        QVERIFY(!window->isVisible());
        QVERIFY(!serial->isOpen());
    }
    QTRY_VERIFY(window.isNull());
    QVERIFY(serial.isNull());
    QVERIFY(openAtStops);
    if (kind.reads)
        QVERIFY(reads.count() > 0);
    spin(50);
    QCOMPARE(fixture.board.received(), kind.startCommands + kind.stopCommands());
    QCOMPARE(fixture.board.mode(), VirtualBoard::Mode::Idle);

    // The port is free for the next window.
    QScopedPointer<QDialog> next(kind.create());
    QVERIFY(next->findChild<QSerialPort *>()->isOpen());
    QCOMPARE(catcher.boxes.size(), 0);
}

QTEST_MAIN(TestInstrumentWindows)
#include "tst_instrumentwindows.moc"
