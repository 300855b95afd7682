#include "instrumentkinds.h"
#include "instrumentprotocol.h"
#include "mainwindow.h"
#include "plotter.h"
#include "remotecontrol.h"
#include "testsupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QTcpSocket>
#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QSerialPort>
#include <QStatusBar>
#include <QToolBar>
#include <QFile>
#include <QHash>
#include <QtTest>

using namespace TestSupport;

namespace {

// The instrument windows that are open now (not message boxes).
QList<QDialog *> instrumentWindows()
{
    QList<QDialog *> windows;
    const QWidgetList widgets = QApplication::topLevelWidgets();
    for (QWidget *widget : widgets) {
        auto *dialog = qobject_cast<QDialog *>(widget);
        if (dialog && !dialog->inherits("QMessageBox") && dialog->isVisible())
            windows.append(dialog);
    }
    return windows;
}

// The titles of the instrument windows shown, sorted.
QStringList instrumentTitles()
{
    QStringList titles;
    for (QDialog *window : instrumentWindows())
        titles << window->windowTitle();
    titles.sort();
    return titles;
}

// The launcher shown on a board that says nothing, its boxes answered.
struct QuietLauncher
{
    QuietLauncher() { launcher.show(); }
    QuietBoard fixture;
    ModalBoxCatcher catcher;
    MainWindow launcher;
};

// One line's answer from the panel's SCPI server.
QByteArray ask(QTcpSocket &client, const QByteArray &line)
{
    client.write(line + '\n');
    if (!QTest::qWaitFor([&] { return client.canReadLine(); }, 20000))
        return "(no answer)";
    return client.readLine().trimmed();
}

void closeAll()
{
    for (QDialog *window : instrumentWindows())
        window->close();
    QTRY_VERIFY(instrumentWindows().isEmpty());
    // Let the closed windows go.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestLauncher : public QObject
{
    Q_OBJECT

private slots:
    void form();
    void boxes_data();
    void boxes();
    void eachButtonWithoutBoard_data() { addInstrumentRows(); }
    void eachButtonWithoutBoard();
    void twoPressesGiveTwoWindows();
    void pressDuringAnotherWindowsStart();
    void openByName();
    void desktopActionsOpenEveryInstrument();
    void placeAndSizeComeBack();
    void remoteClientsYieldTheBoardToWindows();
    void remoteClientsReadAndDriveTheOpenWindows();
    void cleanup() { closeAll(); }
};

void TestLauncher::form()
{
    MainWindow window;
    QCOMPARE(window.windowTitle(), QString("MainWindow"));
    // 640 x 480 at least, more where the fonts need it to show every text whole.
    QCOMPARE(window.minimumSize(), QSize(640, 480));
    QCOMPARE(window.size(), QSize(640, 480).expandedTo(window.minimumSizeHint()).boundedTo(window.maximumSize()));
    QVERIFY(window.size().width() >= window.centralWidget()->minimumSizeHint().width());
    QCOMPARE(window.maximumSize(), QSize(1024, 768));

    // Left to right: the five instruments, then the empty "General" box.
    auto *row = window.findChild<QHBoxLayout *>("horizontalLayout");
    QVERIFY(row);
    QStringList titles;
    for (int i = 0; i < row->count(); ++i)
        titles << qobject_cast<QGroupBox *>(row->itemAt(i)->widget())->title();
    QCOMPARE(titles, (QStringList{"Voltmeter", "Accelerometer", "Osciloscope", "PWM", "Counter",
                                  "General"}));
    auto *general = window.findChild<QGroupBox *>("groupBox");
    QVERIFY(!general->layout());
    QVERIFY(general->children().isEmpty());

    QVERIFY(window.findChild<QMenuBar *>("menuBar"));
    QVERIFY(window.findChild<QMenuBar *>("menuBar")->actions().isEmpty());
    QVERIFY(window.findChild<QToolBar *>("mainToolBar"));
    QVERIFY(window.findChild<QToolBar *>("mainToolBar")->actions().isEmpty());
    QVERIFY(!window.findChild<QStatusBar *>());
    QVERIFY(!window.findChild<QGroupBox *>("groupBox_3")->font().bold());
    QVERIFY(!window.findChild<QGroupBox *>("groupBox_6")->font().bold());
}

void TestLauncher::boxes_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("buttonText");
    QTest::addColumn<QString>("description");

    QTest::newRow("voltmeter") << "label_5" << "pushButtonVoltmeter" << "Voltmeter"
        << "<html><head/><body><p>Chanels: <br/>PAD0<br/>PAD1<br/>PAD2</p><p>Range:<br/>0 mV<br/>-<br/>3300 mV</p><p>Averaging:<br/>8x times<br/></p></body></html>";
    QTest::newRow("accelerometer") << "label_4" << "pushButtonAccelerometer" << "Accelerometer"
        << "<html><head/><body><p>HW:<br/><span style=\" color:#000000;\">MMA8652</span></p><p><span style=\" color:#000000;\">Range:<br/>(-2 g) - 2 g</span></p><p><span style=\" color:#000000;\">Plotting tool</span></p></body></html>";
    QTest::newRow("osciloscope") << "label_3" << "pushButtonOsciloscope" << "Osciloscope"
        << "<html><head/><body><p>Chanels:<br/>PAD0<br/>PAD1<br/>PAD2</p><p>Resolution:<br/>1 mV</p><p>Plotting tool</p></body></html>";
    QTest::newRow("pwm") << "label_2" << "pushButtonPwm" << "PWM generator"
        << "<html><head/><body><p>Chanels:<br/>PAD0<br/>PAD1</p><p>Resolution:<br/>1 Hz</p><p>Range:<br/>1 Hz - 39 kHz</p><p>One chanel<br/>at time only!</p></body></html>";
    QTest::newRow("counter") << "label" << "pushButtonCounter" << "Counter"
        << "<html><head/><body><p>Chanels:<br/>PAD0</p><p>Range:<br/>1 Hz - 2 kHz</p><p>Suitable for:<br/>sine<br/>square<br/>saw</p></body></html>";
}

void TestLauncher::boxes()
{
    QFETCH(QString, label);
    QFETCH(QString, button);
    QFETCH(QString, buttonText);
    QFETCH(QString, description);
    MainWindow window;
    QCOMPARE(window.findChild<QLabel *>(label)->text(), description);
    QCOMPARE(window.findChild<QPushButton *>(button)->text(), buttonText);
}

void TestLauncher::eachButtonWithoutBoard()
{
    const InstrumentKind kind = fetchInstrumentKind();
    PortList none({});
    MainWindow launcher;
    launcher.show();

    // The box comes while the window is still being built, before it shows.
    int windowsAtBox = -1;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (windowsAtBox < 0 && QApplication::activeModalWidget())
            windowsAtBox = instrumentWindows().size();
    });
    probe.start(5);
    ModalBoxCatcher catcher;
    launcher.findChild<QPushButton *>(kind.launcherButton)->click();

    QCOMPARE(catcher.boxes.size(), 1);
    QCOMPARE(catcher.boxes[0].title, QString("Serial port error"));
    QCOMPARE(catcher.boxes[0].text, QString("Could not connect to your device."));
    QCOMPARE(windowsAtBox, 0);
    const QList<QDialog *> windows = instrumentWindows();
    QCOMPARE(windows.size(), 1);
    QCOMPARE(windows[0]->windowTitle(), kind.launcherTitle);
}

void TestLauncher::twoPressesGiveTwoWindows()
{
    QuietBoard fixture;
    MainWindow launcher;
    launcher.show();
    ModalBoxCatcher catcher;
    auto *button = launcher.findChild<QPushButton *>("pushButtonOsciloscope");
    button->click();
    button->click();
    const QList<QDialog *> windows = instrumentWindows();
    QCOMPARE(windows.size(), 2);
    QCOMPARE(windows[0]->windowTitle(), QString("Osciloscope"));
    QCOMPARE(windows[1]->windowTitle(), QString("Osciloscope"));
    // The second finds the board held by the first and says so.
    QCOMPARE(catcher.boxes.size(), 1);
    QVERIFY(catcher.boxes[0].text.contains(fixture.board.devicePath()));
    QTRY_COMPARE(fixture.board.received(), QByteArray("o\n"));
}

void TestLauncher::pressDuringAnotherWindowsStart()
{
    QuietLauncher bench;
    // The voltmeter waits before its start command; a press in that wait
    // builds a counter inside it. The counter finds the port taken.
    QTimer::singleShot(0, [&] { bench.launcher.findChild<QPushButton *>("pushButtonCounter")->click(); });
    bench.launcher.findChild<QPushButton *>("pushButtonVoltmeter")->click();

    QCOMPARE(instrumentTitles(), (QStringList{"Counter", "Voltmeter"}));
    QCOMPARE(bench.catcher.boxes.size(), 1);
    QVERIFY(bench.catcher.boxes[0].text.contains("another window"));
    QTRY_COMPARE(bench.fixture.board.received(), QByteArray("v\n"));
}

// What --open does after the launcher is shown: the buttons pressed in the
// order named, each window built before the next press.
void TestLauncher::openByName()
{
    QuietLauncher bench;
    bench.launcher.openInstruments({"pwm", "unknown", "counter", "pwm"});

    QCOMPARE(instrumentTitles(), (QStringList{"Counter", "PWM Generator", "PWM Generator"}));
    // The generator was built first and took the board; the others found it
    // held.
    QCOMPARE(bench.catcher.boxes.size(), 2);
    QVERIFY(bench.catcher.boxes[0].text.contains("another window"));
    QTRY_COMPARE(bench.fixture.board.received(), QByteArray("p\n"));
}

void TestLauncher::desktopActionsOpenEveryInstrument()
{
    // The menu entry's actions are the launcher's instruments, in its order.
    QFile file(QStringLiteral(DESKTOP_FILE_PATH));
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QHash<QString, QString> desktop; // "group/key" to value
    QString group;
    for (const QString &line : QString::fromUtf8(file.readAll()).split('\n')) {
        if (line.startsWith('['))
            group = line.mid(1, line.size() - 2);
        else if (line.contains('='))
            desktop.insert(group + '/' + line.section('=', 0, 0), line.section('=', 1));
    }
    QStringList names;
    for (const InstrumentProtocol &entry : InstrumentProtocol::all()) {
        names << entry.name;
        const QString action = "Desktop Action " + entry.name + '/';
        QCOMPARE(desktop.value(action + "Name"), "Open " + entry.title());
        QCOMPARE(desktop.value(action + "Exec"), "boardpanel --open " + entry.name);
    }
    QCOMPARE(desktop.value("Desktop Entry/Actions"), names.join(';') + ';');
}

void TestLauncher::placeAndSizeComeBack()
{
    QRect moved;
    {
        MainWindow window;
        window.show();
        window.setGeometry(window.geometry().translated(31, 17).adjusted(0, 0, 24, 12));
        moved = window.geometry();
        window.close();
    }
    MainWindow next;
    next.show();
    QCOMPARE(next.geometry(), moved);
}

// The launcher serving on a free port of this computer, `client` connected to it.
static bool serveAndConnect(MainWindow &launcher, QTcpSocket &client)
{
    if (!launcher.remoteControl().apply({QHostAddress::LocalHost, 0, true}).isEmpty())
        return false;
    client.connectToHost(QHostAddress::LocalHost, launcher.remoteControl().listeningPort());
    return client.waitForConnected(20000);
}

void TestLauncher::remoteClientsYieldTheBoardToWindows()
{
    BoardFixture fixture;
    QVERIFY(fixture.isReady());
    fixture.board.setVoltages(1650, 3300, 12);
    ModalBoxCatcher catcher;
    MainWindow launcher;
    launcher.show();
    QTcpSocket client;
    QVERIFY(serveAndConnect(launcher, client));
    QCOMPARE(ask(client, "*IDN?;:MEAS:VOLT?").mid(0, 10) + ask(client, "MEAS:VOLT?"),
             QByteArray("tst_launch1.650,3.300,0.012"));
    // A window takes the board from the clients, who are told, never left waiting.
    launcher.findChild<QPushButton *>("pushButtonVoltmeter")->click();
    QCOMPARE(instrumentWindows().size(), 1);
    QVERIFY(catcher.boxes.isEmpty());
    QVERIFY(ask(client, "MEAS:FREQ?;:SYST:ERR?").startsWith("-240,"));
    closeAll();
    QCOMPARE(ask(client, "MEAS:VOLT?"), QByteArray("1.650,3.300,0.012"));

    // The context menu's dialog says what another address exposes, and keeps what it applies.
    QCOMPARE(launcher.contextMenuPolicy(), Qt::ActionsContextMenu);
    launcher.actions().first()->trigger();
    auto *dialog = launcher.findChild<QDialog *>();
    QVERIFY(dialog && dialog->isVisible());
    dialog->findChild<QLineEdit *>()->setText("0.0.0.0");
    QVERIFY(dialog->findChild<QLabel *>(QString(), Qt::FindDirectChildrenOnly)->text().contains("without authentication"));
    dialog->findChild<QLineEdit *>()->setText("::1");
    dialog->findChild<QCheckBox *>()->setChecked(false);
    dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    QTRY_VERIFY(client.state() == QAbstractSocket::UnconnectedState);
    QCOMPARE(RemoteControl::remembered().address, QHostAddress("::1"));
    QVERIFY(!RemoteControl::remembered().on);
}

void TestLauncher::remoteClientsReadAndDriveTheOpenWindows()
{
    BoardFixture fixture;
    QVERIFY(fixture.isReady());
    fixture.board.setVoltages(1650, 3300, 12);
    ModalBoxCatcher catcher;
    MainWindow launcher;
    launcher.show();
    QTcpSocket client;
    QVERIFY(serveAndConnect(launcher, client));

    // The voltmeter window's own reading; closing it under a waiting client is an error.
    launcher.findChild<QPushButton *>("pushButtonVoltmeter")->click();
    QCOMPARE(ask(client, "MEAS:VOLT? PAD1"), QByteArray("3.300"));
    fixture.board.setSilent(true);
    client.write("MEAS:VOLT?\n");
    closeAll();
    QCOMPARE(ask(client, "SYST:ERR?"), QByteArray("-240,\"Hardware error;the instrument's window was closed\""));
    fixture.board.setSilent(false);

    // The PWM window shows a client's setting and sends it as its Enable does.
    launcher.findChild<QPushButton *>("pushButtonPwm")->click();
    QDialog *pwm = instrumentWindows().value(0);
    QCOMPARE(ask(client, "SOUR2:PWM:FREQ 1250;DCYC 30;:OUTP2 ON;:SYST:ERR?"), QByteArray("0,\"No error\""));
    QTRY_COMPARE(pwm->findChild<QSpinBox *>("freq1")->value(), 1250);
    QCOMPARE(pwm->findChild<QSpinBox *>("duty1")->value(), 30);
    QTRY_VERIFY(fixture.board.received().contains("m\n1\n1250\n30\n"));
    pwm->findChild<QSpinBox *>("duty1")->setValue(45);
    QCOMPARE(ask(client, "SOUR2:PWM:DCYC?;:OUTP2 OFF;:SOUR2:PWM:FREQ?"), QByteArray("45;1250"));
    QTRY_COMPARE(pwm->findChild<QSpinBox *>("freq1")->value(), 0);
    closeAll();

    // The plot's samples with its computed channel; ABORt and INITiate stop and run it.
    launcher.findChild<QPushButton *>("pushButtonOsciloscope")->click();
    auto *scope = qobject_cast<Plotter *>(instrumentWindows().value(0));
    QVERIFY(scope && scope->setMathChannels({MathChannel("Sum", "PAD0 + PAD1", "V")}));
    QTRY_VERIFY(scope->intake().store().size() >= 5);
    QCOMPARE(ask(client, "FETC:HEAD?").count(','), 3);
    QCOMPARE(ask(client, "FETC? 5").count(','), 5 * 4 - 1);
    ask(client, "ABOR;*OPC?");
    QTRY_VERIFY(!scope->isPlotting());
    ask(client, "INIT;*OPC?");
    QTRY_VERIFY(scope->isPlotting());
}

QTEST_MAIN(TestLauncher)
#include "tst_launcher.moc"
