// Two boards at once, on two pseudo-terminals: each window says which one
// it talks to, a second window takes the free one, a window moves from one
// to the other, and each finds its own again after both were unplugged.
#include "boarddiscovery.h"
#include "boardlink.h"
#include "instrumentkinds.h"
#include "osciloscope.h"
#include "publishcontrol.h"
#include "testsupport.h"

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

using namespace TestSupport;

namespace {

QDialog *openWindow(const InstrumentKind &kind)
{
    QDialog *window = kind.create();
    window->show();
    window->setWindowTitle(kind.launcherTitle);
    return window;
}

QString titleOn(const InstrumentKind &kind, const VirtualBoard &board)
{
    return kind.launcherTitle + " – " + portLabel(board.devicePath());
}

// The Board menu's entry that names `serialNumber`, as the user sees it.
QAction *boardEntry(QDialog *window, const QString &serialNumber)
{
    for (QAction *action : window->actions()) {
        if (action->text() != "Board" || !action->menu())
            continue;
        emit action->menu()->aboutToShow();
        for (QAction *entry : action->menu()->actions())
            if (entry->text().contains(serialNumber))
                return entry;
    }
    return nullptr;
}

} // namespace

class TestBoards : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { destroyTopLevelWindows(); }
    void secondWindowTakesTheFreeBoard_data() { addInstrumentRows(); }
    void secondWindowTakesTheFreeBoard();
    void boardMenuMovesTheWindow_data() { addInstrumentRows(); }
    void boardMenuMovesTheWindow();
    void replugInTheOtherOrderKeepsEachWindowOnItsBoard();
    void recordingGoesOnAcrossAMove();
    void namedBoardIsTakenFirst();
    void computedChannelsBelongToTheirBoard();
    void hiddenWindowLeavesThePortsAlone();
};

void TestBoards::secondWindowTakesTheFreeBoard()
{
    const InstrumentKind k = fetchInstrumentKind();
    BoardPair boards;
    QVERIFY(boards.isReady());
    QPointer<QDialog> one(openWindow(k));
    QTRY_VERIFY(boards.first.received().startsWith(k.startCommands));
    QPointer<QDialog> two(openWindow(k));
    QTRY_VERIFY(boards.second.received().startsWith(k.startCommands));

    // Each names its board after the specified title.
    QTRY_COMPARE(one->windowTitle(), titleOn(k, boards.first));
    QTRY_COMPARE(two->windowTitle(), titleOn(k, boards.second));
    QAction *entry = boardEntry(one, "BOARD-B");
    QVERIFY(entry);
    QVERIFY(entry->text().endsWith("used by another window"));
    QVERIFY(!entry->isEnabled());
    QVERIFY(boardEntry(one, "BOARD-A")->isChecked());
    // Publishing adds its part to the title, the board named once, and takes it away.
    if (auto *publishing = one->findChild<PublishControl *>()) {
        QVERIFY(publishing->startPublishing("mqtt://127.0.0.1:1/bench"));
        QVERIFY(one->windowTitle().startsWith(titleOn(k, boards.first)));
        QTRY_COMPARE(one->windowTitle().count(portLabel(boards.first.devicePath())), 1);
        publishing->stop();
        QCOMPARE(one->windowTitle(), titleOn(k, boards.first));
    }

    // With one board left, the title is the specified one again.
    two->findChild<QPushButton *>(k.quitButton)->click();
    QTRY_VERIFY(two.isNull());
    boards.second.unplug();
    QTRY_COMPARE_WITH_TIMEOUT(one->windowTitle(), k.launcherTitle, 3000);
}

void TestBoards::boardMenuMovesTheWindow()
{
    const InstrumentKind k = fetchInstrumentKind();
    BoardPair boards;
    QVERIFY(boards.isReady());
    QPointer<QDialog> window(openWindow(k));
    QTRY_VERIFY(boards.first.received().startsWith(k.startCommands));

    boardEntry(window, "BOARD-B")->trigger();
    // Stopped on the old board as a quit does, started on the new one.
    QTRY_VERIFY(boards.second.received().startsWith(k.startCommands));
    QVERIFY(boards.first.received().endsWith(k.stopCommands()));
    const QByteArray leftOnFirst = boards.first.received();
    QTRY_COMPARE(window->windowTitle(), titleOn(k, boards.second));
    QVERIFY(boardEntry(window, "BOARD-B")->isChecked());
    QVERIFY(boardEntry(window, "BOARD-A")->isEnabled());

    // And it quits on the board it moved to.
    window->findChild<QPushButton *>(k.quitButton)->click();
    QTRY_VERIFY(window.isNull());
    QVERIFY(boards.second.received().endsWith(k.stopCommands()));
    QCOMPARE(boards.first.received(), leftOnFirst);
}

void TestBoards::replugInTheOtherOrderKeepsEachWindowOnItsBoard()
{
    const InstrumentKind k = instrumentKind("Osciloscope");
    BoardPair boards;
    QVERIFY(boards.isReady());
    QPointer<QDialog> one(openWindow(k));
    QTRY_COMPARE(boards.first.received(), k.startCommands);
    QPointer<QDialog> two(openWindow(k));
    QTRY_COMPARE(boards.second.received(), k.startCommands);
    boards.first.clearReceived();
    boards.second.clearReceived();

    // Both go away; the second comes back first, and both are listed the
    // other way round.
    boards.setReversed(true);
    boards.first.replug(1500);
    boards.second.replug(600);
    QTRY_COMPARE_WITH_TIMEOUT(boards.second.received(), k.startCommands, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(boards.first.received(), k.startCommands, 5000);
    QTRY_COMPARE(one->windowTitle(), titleOn(k, boards.first));
    QTRY_COMPARE(two->windowTitle(), titleOn(k, boards.second));
}

void TestBoards::recordingGoesOnAcrossAMove()
{
    BoardPair boards;
    boards.first.setSilent(true);
    boards.second.setSilent(true);
    // One file: the first board's reading, then the second's, after the
    // stop's wait.
    recordCountsAcrossAGap(
        boards.first,
        [&](QDialog *window) -> VirtualBoard & {
            boardEntry(window, "BOARD-B")->trigger();
            return boards.second;
        },
        0.1);
}

void TestBoards::namedBoardIsTakenFirst()
{
    const InstrumentKind k = instrumentKind("Osciloscope");
    BoardPair boards;
    const auto restore = qScopeGuard([] { BoardLink::setPreferredBoard(QString()); });
    // As --board BOARD-B gives it.
    BoardLink::setPreferredBoard("BOARD-B");
    QPointer<QDialog> window(openWindow(k));
    QTRY_COMPARE(boards.second.received(), k.startCommands);
    QCOMPARE(boards.first.received(), QByteArray());

    // A name no board has: the windows open as without a board.
    BoardLink::setPreferredBoard("ttyACM9");
    ModalBoxCatcher boxes;
    QPointer<QDialog> other(openWindow(k));
    QTRY_COMPARE(boxes.boxes.size(), 1);
    QCOMPARE(boxes.boxes[0].text, QString("Could not connect to your device."));
    QCOMPARE(boards.first.received(), QByteArray());
}

void TestBoards::computedChannelsBelongToTheirBoard()
{
    const InstrumentKind k = instrumentKind("Osciloscope");
    BoardPair boards;
    QVERIFY(boards.isReady());
    QPointer<Osciloscope> window(new Osciloscope);
    window->show();
    QTRY_VERIFY(boards.first.received().startsWith(k.startCommands));
    const QVector<MathChannel> calibration{MathChannel("Temp", "0.1 * PAD2 - 50", "°C")};
    QVERIFY(window->setMathChannels(calibration));

    // B, a board the panel has not seen: the window's channels; then B's own.
    boardEntry(window, "BOARD-B")->trigger();
    QTRY_VERIFY(boards.second.received().startsWith(k.startCommands));
    QVERIFY(window->setMathChannels({}));
    // Each board brings back its own.
    boardEntry(window, "BOARD-A")->trigger();
    QTRY_COMPARE(window->mathChannels(), calibration);
    boardEntry(window, "BOARD-B")->trigger();
    QTRY_VERIFY(window->mathChannels().isEmpty());
}

void TestBoards::hiddenWindowLeavesThePortsAlone()
{
    BoardPair boards;
    QVERIFY(boards.isReady());
    QPointer<QDialog> window(openWindow(instrumentKinds().first()));
    QTRY_VERIFY(!boards.first.received().isEmpty());
    // A hidden window (a quit one waits hidden for its deletion while a
    // loop runs) must not go on reading the list of ports every second.
    window->hide();
    int lists = 0;
    PortListing::setSource([&lists, ports = PortListing::availablePorts()] {
        ++lists;
        return ports;
    });
    spin(2500);
    QCOMPARE(lists, 0);
}

QTEST_MAIN(TestBoards)
#include "tst_boards.moc"
