// Every instrument window after its board went away: it waits, says so, and
// picks the board up again when it is back, under the same or another path.
#include "instrumentkinds.h"
#include "testsupport.h"

#include <QAction>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QtTest>

using namespace TestSupport;

namespace {

// The window's "Serial port error" box, if one is up.
QMessageBox *portBox(QWidget *window)
{
    for (QMessageBox *box : window->findChildren<QMessageBox *>())
        if (box->isVisible() && box->windowTitle() == "Serial port error")
            return box;
    return nullptr;
}

QString portBoxText(QWidget *window)
{
    QMessageBox *box = portBox(window);
    return box ? box->text() : QString();
}

} // namespace

class TestReconnection : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { destroyTopLevelWindows(); }
    void replug_data();
    void replug();
    void quitWhileWaiting_data() { addInstrumentRows(); }
    void quitWhileWaiting();
    void takenPortIsNotForced_data() { addInstrumentRows(); }
    void takenPortIsNotForced();
    void recordingGoesOnAcrossTheGap();

private:
    // Opens the window and waits for its start commands; the board goes
    // away under it. A write-only window is made to write once when
    // `pressEnable` is set; it has to notice the loss by itself otherwise.
    static QDialog *openAndUnplug(const InstrumentKind &kind, BoardFixture &fixture, int backAfterMs,
                                  const QString &linkPath = QString(), bool pressEnable = true);
};

QDialog *TestReconnection::openAndUnplug(const InstrumentKind &kind, BoardFixture &fixture,
                                         int backAfterMs, const QString &linkPath, bool pressEnable)
{
    fixture.board.setSilent(true);
    QDialog *window = kind.create();
    window->show();
    if (!QTest::qWaitFor([&] { return fixture.board.received() == kind.startCommands; }))
        return window;
    fixture.board.replug(backAfterMs, linkPath);
    fixture.board.clearReceived();
    if (!kind.reads && pressEnable)
        window->findChild<QPushButton *>("pushButtonEnable0")->click();
    return window;
}

void TestReconnection::replug_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("anotherPath");
    QTest::addColumn<bool>("pressEnable");
    for (const InstrumentKind &kind : instrumentKinds()) {
        QTest::newRow(qPrintable(kind.name + " same path")) << kind.name << false << true;
        QTest::newRow(qPrintable(kind.name + " another path")) << kind.name << true << true;
        if (!kind.reads) {
            // Nothing written while the board is away: the hang-up alone tells.
            QTest::newRow(qPrintable(kind.name + " same path, untouched"))
                << kind.name << false << false;
            QTest::newRow(qPrintable(kind.name + " another path, untouched"))
                << kind.name << true << false;
        }
    }
}

void TestReconnection::replug()
{
    QFETCH(QString, kind);
    QFETCH(bool, anotherPath);
    QFETCH(bool, pressEnable);
    const InstrumentKind k = instrumentKind(kind);
    QTemporaryDir dir;
    BoardFixture fixture;
    // A real board keeps its device name across a reset, or gets the next one.
    QVERIFY(fixture.board.setLinkPath(dir.filePath("ttyACM0")));
    const QString firstPath = fixture.board.devicePath();
    QPointer<QDialog> window(openAndUnplug(k, fixture, 1200,
                                           anotherPath ? dir.filePath("ttyACM1") : QString(),
                                           pressEnable));

    // While the board is away: the box says so, in plain words.
    QTRY_VERIFY(portBox(window));
    const QString lost = portBoxText(window);
    QVERIFY2(lost.startsWith("The connection to the board on " + firstPath + " was lost."),
             qPrintable(lost));
    QVERIFY2(lost.contains("unplugged or reset"), qPrintable(lost));
    QVERIFY2(lost.endsWith("Waiting for it to come back…"), qPrintable(lost));
    QVERIFY(!lost.contains("Unknown error"));
    QVERIFY(!window->findChild<QSerialPort *>()->isOpen());

    // Back: the same start as when the window opened, on the board's new line.
    QTRY_COMPARE_WITH_TIMEOUT(fixture.board.received(), k.startCommands, 5000);
    QCOMPARE(fixture.board.devicePath(), anotherPath ? dir.filePath("ttyACM1") : firstPath);
    QTRY_COMPARE(fixture.board.mode(), k.mode);
    if (k.reads) {
        QTRY_VERIFY(!portBox(window));
    } else {
        // Its outputs are off after a reset, and only the user knows whether
        // they should be on: nothing is set by itself.
        QTRY_COMPARE(portBoxText(window),
                     QString("Board reconnected. Press Enable to set the outputs again."));
        QVERIFY(fixture.board.channelSettings().isEmpty());
    }

    // And it still stops the board when it quits.
    portBox(window) ? portBox(window)->done(QMessageBox::Ok) : void();
    window->findChild<QPushButton *>(k.quitButton)->click();
    QTRY_VERIFY(window.isNull());
    QCOMPARE(fixture.board.received(), k.startCommands + k.stopCommands());
}

void TestReconnection::quitWhileWaiting()
{
    const InstrumentKind k = fetchInstrumentKind();
    BoardFixture fixture;
    QPointer<QDialog> window(openAndUnplug(k, fixture, 60 * 1000));
    QTRY_VERIFY(portBox(window));
    window->findChild<QPushButton *>(k.quitButton)->click();
    // At once: no stop command for a board that is not there, no wait.
    QVERIFY(!window || !window->isVisible());
    QTRY_VERIFY(window.isNull());

    // Nothing of the window looks for the board any more.
    fixture.board.replug(0);
    QTRY_VERIFY(fixture.board.isPlugged());
    spin(1200);
    QCOMPARE(fixture.board.received(), QByteArray());
}

void TestReconnection::takenPortIsNotForced()
{
    const InstrumentKind k = fetchInstrumentKind();
    BoardFixture fixture;
    // Another program takes the board the moment it is back.
    QSerialPort other;
    QObject::connect(&fixture.board, &VirtualBoard::plugged, &other, [&](const QString &path) {
        other.setPortName(path);
        other.open(QIODevice::ReadWrite);
    });
    QPointer<QDialog> window(openAndUnplug(k, fixture, 100));
    QTRY_VERIFY(portBox(window));
    QTRY_VERIFY(other.isOpen());
    QTRY_VERIFY_WITH_TIMEOUT(portBoxText(window).contains("another program is using it"), 3000);
    QVERIFY(portBoxText(window).contains("Waiting for it to come back…"));
    QCOMPARE(fixture.board.received(), QByteArray());

    // Once it is free, the window takes it.
    other.close();
    QTRY_COMPARE_WITH_TIMEOUT(fixture.board.received(), k.startCommands, 3000);
}

void TestReconnection::recordingGoesOnAcrossTheGap()
{
    QuietBoard fixture;
    // One file, both sides of the gap, and the gap in its times.
    recordCountsAcrossAGap(
        fixture.board,
        [&](QDialog *) -> VirtualBoard & {
            fixture.board.clearReceived();
            fixture.board.replug(1000);
            return fixture.board;
        },
        1.0);
}

QTEST_MAIN(TestReconnection)
#include "tst_reconnection.moc"
