#include "pwm.h"
#include "testsupport.h"

#include <QElapsedTimer>
#include <QGroupBox>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

#include <functional>
#include <memory>

using namespace TestSupport;

using Setting = VirtualBoard::ChannelSetting;

namespace {

QSpinBox *spinBox(QWidget *window, const QString &name)
{
    return window->findChild<QSpinBox *>(name);
}

QPushButton *button(QWidget *window, const QString &name)
{
    return window->findChild<QPushButton *>(name);
}

// Runs `action` once the board has received `lines` complete lines, i.e.
// during the wait that follows the window's line number `lines`.
void atLine(VirtualBoard &board, int lines, std::function<void()> action)
{
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = QObject::connect(&board, &VirtualBoard::bytesReceived, &board, [=, &board] {
        if (board.received().count('\n') >= lines) {
            QObject::disconnect(*connection);
            action();
        }
    });
}

// Notes when a message box is answered, however soon that happens.
class BoxCloseClock : public QObject
{
public:
    BoxCloseClock() { qApp->installEventFilter(this); clock.start(); }
    qint64 elapsed() const { return clock.elapsed(); }
    qint64 closedAt = -1;

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            if (auto *box = qobject_cast<QMessageBox *>(object))
                connect(box, &QDialog::finished, this, [this] { closedAt = clock.elapsed(); });
        return false;
    }

private:
    QElapsedTimer clock;
};

// The debug messages of the channel-setting traces, as QDebug prints them.
QStringList traces(const MessageCapture &capture)
{
    QStringList found;
    for (const QString &message : capture.messages())
        if (message.startsWith('"') && message.endsWith("\\n\""))
            found.append(message);
    return found;
}

} // namespace

class TestPwm : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<QSerialPort::SerialPortError>(); }
    void form();
    void spinBoxLimits_data();
    void spinBoxLimits();
    void enterInASpinBoxKeepsTheWindow();
    void enableSendsOneSetting_data();
    void enableSendsOneSetting();
    void spinBoxesAreReadLineByLine();
    void pressesDuringASettingAreQueued();
    void quitDuringASettingCompletesIt();
    void pressDuringTheStopWaitSendsNothing_data() { addCloseRows(); }
    void pressDuringTheStopWaitSendsNothing();
    void portTakenStillWaitsAndSendsNothing();
    void cleanupTestCase() { delete boardlessWindow; }

private:
    // One window without a board, shared by the rows that only look at widgets.
    Pwm *windowWithoutBoard();
    QPointer<Pwm> boardlessWindow;
};

Pwm *TestPwm::windowWithoutBoard()
{
    if (!boardlessWindow) {
        NoBoard none;
        boardlessWindow = new Pwm;
        boardlessWindow->show();
    }
    return boardlessWindow;
}

void TestPwm::form()
{
    NoBoard none;
    QScopedPointer<Pwm> window(new Pwm);
    QCOMPARE(window->objectName(), QString("Pwm"));
    QCOMPARE(window->windowTitle(), QString("Dialog"));
    QCOMPARE(window->size(), QSize(376, 424));
    QCOMPARE(window->minimumSize(), QSize(376, 424));
    QCOMPARE(window->maximumSize(), QSize(376, 424));
    QVERIFY(!window->layout());

    QCOMPARE(button(window.get(), "pushButtonQuit")->geometry(), QRect(270, 380, 75, 23));
    QCOMPARE(button(window.get(), "pushButtonQuit")->text(), QString("Quit"));
    auto *label5 = window->findChild<QLabel *>("label_5");
    // The warning keeps at least its drawn box, grows to show all of itself
    // where the font needs it, and stays inside the window.
    QVERIFY(label5->geometry().contains(QRect(60, 330, 261, 41)));
    QVERIFY(QRect(QPoint(), window->size()).contains(label5->geometry()));
    QVERIFY(label5->height() >= label5->sizeHint().height());
    QVERIFY(label5->width() >= qMin(label5->sizeHint().width(), window->width()));
    QCOMPARE(label5->text(),
             QString("<html><head/><body><p><span style=\" font-weight:600; "
                     "color:#ff0000;\">WARNING: <br/></span><span style=\" "
                     "color:#000000;\">Using both chanels at the seame time causes fails "
                     "in<br/>frequency and duty settings. Please use only one<br/>chanel at "
                     "once.</span></p></body></html>"));

    struct Group
    {
        const char *box, *grid, *title, *dutyLabel, *duty, *freqLabel, *freq, *enable;
        QRect geometry;
    };
    const Group groups[] = {
        {"groupBox", "gridLayoutWidget", "PWM generator - PAD0", "label", "duty0", "label_2",
         "freq0", "pushButtonEnable0", QRect(30, 40, 311, 131)},
        {"groupBox_2", "gridLayoutWidget_2", "PWM generator - PAD1", "label_3", "duty1",
         "label_4", "freq1", "pushButtonEnable1", QRect(30, 180, 311, 141)},
    };
    for (const Group &group : groups) {
        auto *box = window->findChild<QGroupBox *>(group.box);
        QCOMPARE(box->title(), QString(group.title));
        QCOMPARE(box->geometry(), group.geometry);
        auto *holder = box->findChild<QWidget *>(group.grid);
        QCOMPARE(holder->geometry(), QRect(20, 20, 281, 101));
        auto *grid = qobject_cast<QGridLayout *>(holder->layout());
        QVERIFY(grid);
        QCOMPARE(grid->contentsMargins(), QMargins(0, 0, 0, 0));
        QCOMPARE(grid->itemAtPosition(0, 0)->widget()->objectName(), QString(group.dutyLabel));
        QCOMPARE(grid->itemAtPosition(0, 1)->widget()->objectName(), QString(group.duty));
        QCOMPARE(grid->itemAtPosition(1, 0)->widget()->objectName(), QString(group.freqLabel));
        QCOMPARE(grid->itemAtPosition(1, 1)->widget()->objectName(), QString(group.freq));
        QVERIFY(!grid->itemAtPosition(2, 0));
        QCOMPARE(grid->itemAtPosition(2, 1)->widget()->objectName(), QString(group.enable));
        QCOMPARE(box->findChild<QLabel *>(group.dutyLabel)->text(), QString("Duty cycle (0 - 100%)"));
        QCOMPARE(box->findChild<QLabel *>(group.freqLabel)->text(), QString("Frequency (Hz)"));
        QCOMPARE(box->findChild<QPushButton *>(group.enable)->text(), QString("Enable"));
        QCOMPARE(spinBox(window.get(), group.duty)->value(), 1);
        QCOMPARE(spinBox(window.get(), group.freq)->value(), 0);
    }
}

void TestPwm::spinBoxLimits_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("expected");

    struct Typed
    {
        const char *what;
        const char *typed;
        int expected;
    };
    // The same cases for both channels' boxes.
    const auto addRows = [](std::initializer_list<const char *> boxes, const QVector<Typed> &rows) {
        for (const char *box : boxes)
            for (const Typed &row : rows)
                QTest::addRow("%s %s", box, row.what) << box << row.typed << row.expected;
    };
    addRows({"duty0", "duty1"}, {{"below", "0", 1}, {"low end", "1", 1}, {"high end", "99", 99},
                                 {"above", "100", 99}, {"negative", "-5", 1}});
    addRows({"freq0", "freq1"}, {{"zero", "0", 0}, {"negative", "-1", 0}, {"high end", "50000", 50000},
                                 {"above", "50001", 50000}, {"far above", "999999", 50000}});
}

void TestPwm::enterInASpinBoxKeepsTheWindow()
{
    BoardFixture fixture;
    QPointer<Pwm> window(new Pwm);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTRY_COMPARE(fixture.board.received(), QByteArray("p\n"));
    // Typing a value and pressing Enter must not press Quit for the user.
    QSpinBox *frequency = spinBox(window, "freq0");
    frequency->setFocus();
    QTest::keyClicks(frequency, "440");
    QTest::keyClick(frequency, Qt::Key_Return);
    QTest::keyClick(frequency, Qt::Key_Enter);
    spin(300);
    QVERIFY(!window.isNull());
    QVERIFY(window->isVisible());
    QCOMPARE(fixture.board.received(), QByteArray("p\n"));
    delete window;
}

void TestPwm::spinBoxLimits()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(int, expected);
    QSpinBox *spin = spinBox(windowWithoutBoard(), box);
    QVERIFY(spin);
    spin->setFocus();
    spin->selectAll();
    QTest::keyClicks(spin, typed);
    // What leaving the box does (Enter would press the dialog's default button).
    spin->interpretText();
    // Out-of-range text is refused or clamped; the box never leaves its range.
    QVERIFY(spin->value() >= spin->minimum() && spin->value() <= spin->maximum());
    spin->setValue(typed.toInt());
    QCOMPARE(spin->value(), expected);
    QCOMPARE(spin->cleanText(), QString::number(expected));
}

void TestPwm::enableSendsOneSetting_data()
{
    QTest::addColumn<int>("output");
    QTest::addColumn<int>("frequency"); // -1: leave the initial value
    QTest::addColumn<int>("duty");
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<QStringList>("traced");
    // The desktop's language: the board reads ASCII digits whatever it is.
    QTest::addColumn<QString>("locale");

    QTest::newRow("PAD1 of a new window") << 1 << -1 << -1 << QByteArray("m\n1\n0\n1\n")
                                          << QStringList{"\"1\\n\"", "\"0\\n\"", "\"1\\n\""} << "C";
    QTest::newRow("PAD0 1000 Hz 50 %") << 0 << 1000 << 50 << QByteArray("m\n0\n1000\n50\n")
                                       << QStringList{"\"0\\n\"", "\"1000\\n\"", "\"50\\n\""} << "C";
    QTest::newRow("PAD1 at the top") << 1 << 50000 << 12 << QByteArray("m\n1\n50000\n12\n")
                                     << QStringList{"\"1\\n\"", "\"50000\\n\"", "\"12\\n\""} << "C";
    QTest::newRow("Arabic (Egypt) digits")
        << 0 << 1000 << 50 << QByteArray("m\n0\n1000\n50\n")
        << QStringList{"\"0\\n\"", "\"1000\\n\"", "\"50\\n\""} << "ar_EG";
    QTest::newRow("German group separators")
        << 1 << 25000 << 75 << QByteArray("m\n1\n25000\n75\n")
        << QStringList{"\"1\\n\"", "\"25000\\n\"", "\"75\\n\""} << "de_DE";
}

void TestPwm::enableSendsOneSetting()
{
    QFETCH(int, output);
    QFETCH(int, frequency);
    QFETCH(int, duty);
    QFETCH(QByteArray, lines);
    QFETCH(QStringList, traced);
    QFETCH(QString, locale);

    const DefaultLocale chosen{QLocale(locale)};
    BoardFixture fixture;
    QScopedPointer<Pwm> window(new Pwm);
    QTRY_COMPARE(fixture.board.received(), QByteArray("p\n"));
    const QString n = QString::number(output);
    if (frequency >= 0)
        spinBox(window.get(), "freq" + n)->setValue(frequency);
    if (duty >= 0)
        spinBox(window.get(), "duty" + n)->setValue(duty);

    MessageCapture capture;
    if (locale == "ar_EG") // the case that matters: other digits on screen
        QVERIFY(!spinBox(window.get(), "freq" + n)->text().contains('1'));
    button(window.get(), "pushButtonEnable" + n)->click();
    QTRY_COMPARE(fixture.board.received(), "p\n" + lines);
    QCOMPARE(traces(capture), traced);

    const QList<QByteArray> values = lines.split('\n');
    const Setting expected{output, values[2].toInt(), values[3].toInt()};
    QCOMPARE(fixture.board.channelSettings(), QList<Setting>{expected});
}

void TestPwm::spinBoxesAreReadLineByLine()
{
    BoardFixture fixture;
    QScopedPointer<Pwm> window(new Pwm);
    spinBox(window.get(), "freq0")->setValue(100);
    spinBox(window.get(), "duty0")->setValue(10);
    // Edited while "m" is out: both new values go; edited after the
    // frequency line: only the duty cycle changes.
    atLine(fixture.board, 2, [&] { spinBox(window.get(), "freq0")->setValue(200); });
    atLine(fixture.board, 4, [&] {
        spinBox(window.get(), "freq0")->setValue(300);
        spinBox(window.get(), "duty0")->setValue(20);
    });
    button(window.get(), "pushButtonEnable0")->click();
    QTRY_COMPARE(fixture.board.received(), QByteArray("p\nm\n0\n200\n20\n"));
}

void TestPwm::pressesDuringASettingAreQueued()
{
    BoardFixture fixture;
    QScopedPointer<Pwm> window(new Pwm);
    QTRY_COMPARE(fixture.board.received(), QByteArray("p\n"));
    spinBox(window.get(), "freq0")->setValue(1000);
    spinBox(window.get(), "duty0")->setValue(50);
    spinBox(window.get(), "freq1")->setValue(2000);
    spinBox(window.get(), "duty1")->setValue(20);

    // Presses in the waits of the first setting: after its first and its last line.
    atLine(fixture.board, 2, [&] { button(window.get(), "pushButtonEnable1")->click(); });
    atLine(fixture.board, 5, [&] { button(window.get(), "pushButtonEnable0")->click(); });
    MessageCapture capture;
    button(window.get(), "pushButtonEnable0")->click();

    const QByteArray pad0 = "m\n0\n1000\n50\n", pad1 = "m\n1\n2000\n20\n";
    QTRY_COMPARE(fixture.board.received(), "p\n" + pad0 + pad1 + pad0);
    const Setting first{0, 1000, 50}, second{1, 2000, 20};
    QCOMPARE(fixture.board.channelSettings(), (QList<Setting>{first, second, first}));
    QCOMPARE(traces(capture).size(), 9);
}

void TestPwm::quitDuringASettingCompletesIt()
{
    BoardFixture fixture;
    QPointer<Pwm> window(new Pwm);
    window->show();
    QTRY_COMPARE(fixture.board.received(), QByteArray("p\n"));
    spinBox(window, "freq0")->setValue(1000);
    spinBox(window, "duty0")->setValue(50);
    QPointer<QSerialPort> serial = window->findChild<QSerialPort *>();

    // Enable before Quit is queued and dropped; Enable after Quit is ignored.
    atLine(fixture.board, 2, [&] { button(window, "pushButtonEnable1")->click(); });
    atLine(fixture.board, 3, [&] { button(window, "pushButtonQuit")->click(); });
    atLine(fixture.board, 4, [&] { button(window, "pushButtonEnable1")->click(); });
    button(window, "pushButtonEnable0")->click();

    QTRY_VERIFY(window.isNull());
    QVERIFY(serial.isNull());
    spin(50);
    QCOMPARE(fixture.board.received(), QByteArray("p\nm\n0\n1000\n50\nr\n"));
    QCOMPARE(fixture.board.channelSettings(), QList<Setting>{(Setting{0, 1000, 50})});
    QCOMPARE(fixture.board.mode(), VirtualBoard::Mode::Idle);
}

void TestPwm::pressDuringTheStopWaitSendsNothing()
{
    QFETCH(QString, how);
    BoardFixture fixture;
    QPointer<Pwm> window(new Pwm);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTRY_COMPARE(fixture.board.received(), QByteArray("p\n"));

    MessageCapture capture;
    bool pressed = false;
    atLine(fixture.board, 2, [&] {
        button(window, "pushButtonEnable0")->click();
        pressed = true;
    });
    closeWindow(window, "pushButtonQuit", how);
    QTRY_VERIFY(window.isNull());
    QVERIFY(pressed);
    spin(50);
    QCOMPARE(fixture.board.received(), QByteArray("p\nr\n"));
    QVERIFY(fixture.board.channelSettings().isEmpty());
    QCOMPARE(traces(capture), QStringList());
}

void TestPwm::portTakenStillWaitsAndSendsNothing()
{
    BoardFixture fixture;
    QScopedPointer<Pwm> first(new Pwm);
    QTRY_COMPARE(fixture.board.received(), QByteArray("p\n"));

    ModalBoxCatcher catcher;
    BoxCloseClock boxClock;
    QScopedPointer<Pwm> second(new Pwm);
    const qint64 constructedAt = boxClock.elapsed();

    QCOMPARE(catcher.boxes.size(), 1);
    QVERIFY(catcher.boxes[0].text.contains("another window"));
    // The start wait came after the box, as with a board.
    QVERIFY(boxClock.closedAt >= 0);
    QVERIFY2(constructedAt - boxClock.closedAt >= 140,
             qPrintable(QString::number(constructedAt - boxClock.closedAt)));

    button(second.get(), "pushButtonEnable0")->click();
    spin(50);
    QCOMPARE(fixture.board.received(), QByteArray("p\n"));
    QVERIFY(fixture.board.channelSettings().isEmpty());
}

QTEST_MAIN(TestPwm)
#include "tst_pwm.moc"
