#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "accelerometer.h"
#include "counter.h"
#include "instrumentprotocol.h"
#include "instrumentwindows.h"
#include "languagemenu.h"
#include "recordingwindows.h"
#include "osciloscope.h"
#include "pwm.h"
#include "remotecontrol.h"
#include "remotecontroldialog.h"
#include "voltmeter.h"
#include "windowmemory.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QPushButton>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent), ui(new Ui::MainWindow),
      // Only its place and size: the launcher has no choices of its own.
      m_memory(new WindowMemory(this, [] { return QVariantMap(); }, [](const QVariantMap &) {})),
      m_remote(new RemoteControl(this))
{
    ui->setupUi(this);
    // Beside the specified form: its context menu.
    auto *remote = new QAction(tr("Remote Control…"), this);
    connect(remote, &QAction::triggered, this, &MainWindow::showRemoteControl);
    addAction(remote);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    // The boxes' texts need more than the first size with most desktop
    // fonts; open large enough that no button or description is cut off.
    resize(size().expandedTo(minimumSizeHint()).boundedTo(maximumSize()));
}

MainWindow::~MainWindow()
{
    delete ui;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    m_memory->save();
    QMainWindow::closeEvent(event);
}

void MainWindow::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    LanguageMenu::addTo(&menu, this);
    menu.exec(event->globalPos());
}

void MainWindow::openInstruments(const QStringList &names)
{
    // A window's start may run the event loop (its waits, an error box),
    // and the launcher may be closed in it.
    const QPointer<MainWindow> self(this);
    for (const QString &name : names) {
        if (!self)
            return;
        if (const InstrumentProtocol *instrument = InstrumentProtocol::find(name))
            findChild<QPushButton *>(QStringLiteral("pushButton%1").arg(buttonSuffix(*instrument)))->click();
    }
}

QString MainWindow::buttonSuffix(const InstrumentProtocol &instrument)
{
    // The form names its buttons after the instruments: pushButtonPwm.
    return instrument.name.left(1).toUpper() + instrument.name.mid(1);
}

void MainWindow::showRemoteControl()
{
    auto *dialog = new RemoteControlDialog(*m_remote, this);
    dialog->open();
}

QDialog *MainWindow::open(const InstrumentProtocol &instrument)
{
    m_remote->yieldBoard();
    QDialog *window = InstrumentWindows::create(instrument);
    RecordingWindows::offerOpening(window);
    window->show();
    window->setWindowTitle(instrument.title());
    return window;
}

// Each window finds and starts the board in its constructor, which may wait
// with the event loop running; the pointer is set only once it returns. The
// five slots and pointers are the launcher's as specified, kept on purpose.

void MainWindow::on_pushButtonVoltmeter_clicked()
{
    voltmeter = static_cast<Voltmeter *>(open(InstrumentProtocol::voltmeter()));
}

void MainWindow::on_pushButtonAccelerometer_clicked()
{
    accelerometer = static_cast<Accelerometer *>(open(InstrumentProtocol::accelerometer()));
}

void MainWindow::on_pushButtonOsciloscope_clicked()
{
    osciloscope = static_cast<Osciloscope *>(open(InstrumentProtocol::osciloscope()));
}

void MainWindow::on_pushButtonCounter_clicked()
{
    counter = static_cast<Counter *>(open(InstrumentProtocol::counter()));
}

void MainWindow::on_pushButtonPwm_clicked()
{
    pwm = static_cast<Pwm *>(open(InstrumentProtocol::pwm()));
}
