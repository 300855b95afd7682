#include "pwm.h"
#include "ui_pwm.h"

#include "instrumentprotocol.h"
#include "boardtrace.h"
#include "opensession.h"
#include "pwmsetting.h"

#include <QDebug>

Pwm::Pwm(QWidget *parent)
    : InstrumentDialog(InstrumentProtocol::pwm().stopCopies, parent), ui(new Ui::Pwm)
{
    ui->setupUi(this);
    fitWarning();
    // Its only context menu item: "Show Raw Data".
    setContextMenuPolicy(Qt::ActionsContextMenu);
    // A client's setting shows in the boxes and goes out as Enable sends it;
    // queued, so its waits run from the event loop, not inside the server.
    auto *open = new OpenSession(InstrumentProtocol::pwm(), this);
    connect(open, &OpenSession::pwmRequested, this, [this](int output, int frequencyHz, int dutyPercent, bool send) {
        (output == 0 ? ui->freq0 : ui->freq1)->setValue(frequencyHz);
        (output == 0 ? ui->duty0 : ui->duty1)->setValue(dutyPercent);
        if (send)
            enableOutput(output);
    }, Qt::QueuedConnection);
    const auto show = [open](int output, const QSpinBox *frequency, const QSpinBox *duty) {
        const auto update = [open, output, frequency, duty] { open->showPwm(output, frequency->value(), duty->value()); };
        update();
        for (const QSpinBox *box : {frequency, duty})
            connect(box, QOverload<int>::of(&QSpinBox::valueChanged), open, update);
    };
    show(0, ui->freq0, ui->duty0);
    show(1, ui->freq1, ui->duty1);

    // The window stays usable without a board; the box has told the user.
    // The wait of the start sequence is kept, and its command goes nowhere.
    if (!connectBoard(QIODevice::WriteOnly))
        delay();
}

void Pwm::startInstrument()
{
    delay();
    board.send("p");
}

void Pwm::onReconnected()
{
    // A board that was away has its outputs off; only the user knows whether
    // they should be on again.
    showPortMessage(tr("Board reconnected. Press Enable to set the outputs again."));
}

Pwm::~Pwm()
{
    delete ui;
}

void Pwm::fitWarning()
{
    // The warning's box is drawn for smaller fonts than most desktops use;
    // rather than cut the warning off, let it take the free band under the
    // PAD1 group, as wide as the window allows.
    QLabel *const warning = ui->label_5;
    const QSize needed = warning->sizeHint();
    if (warning->width() >= needed.width() && warning->height() >= needed.height())
        return;
    const int left = qMin(ui->groupBox_2->x(), (width() - needed.width()) / 2);
    const QRect room(qMax(left, 0), ui->groupBox_2->geometry().bottom() + 2,
                     qMin(needed.width(), width()), needed.height());
    warning->setGeometry(room.united(warning->geometry()));
    // The band may reach the Quit button's top edge; the button stays clickable.
    ui->pushButtonQuit->raise();
}

void Pwm::on_pushButtonEnable0_clicked()
{
    enableOutput(0);
}

void Pwm::on_pushButtonEnable1_clicked()
{
    enableOutput(1);
}

void Pwm::on_pushButtonQuit_clicked()
{
    requestQuit();
}

void Pwm::enableOutput(int output)
{
    if (isQuitting() || isQuitPending())
        return;
    pendingOutputs.enqueue(output);
    // A press during the waits of a running setting lands here; its lines
    // must not end up between the running setting's lines.
    if (sendingSetting)
        return;

    sendingSetting = true;
    {
        // A quit pressed meanwhile waits until the setting is complete.
        BusyScope busy(this);
        while (!pendingOutputs.isEmpty() && !isQuitPending())
            sendChannelSetting(pendingOutputs.dequeue());
        // What was pressed after Quit is not sent.
        pendingOutputs.clear();
        sendingSetting = false;
    }
}

void Pwm::sendChannelSetting(int output)
{
    QSpinBox *const frequency = output == 0 ? ui->freq0 : ui->freq1;
    QSpinBox *const duty = output == 0 ? ui->duty0 : ui->duty1;

    for (int line = 0; line < PwmSetting::lineCount; ++line) {
        // Each box is read when its line goes out: edits made meanwhile count.
        // The values, not the shown text: the board reads ASCII digits whatever
        // the desktop's language.
        sendLine(PwmSetting::line(line, output, frequency->value(), duty->value()));
        // Every line but the announcement is traced.
        if (line > 0)
            qCDebug(boardTrace) << commandBuffer;
    }
}

void Pwm::sendLine(const QByteArray &text)
{
    commandBuffer = text + '\n';
    board.send(text);
    delay();
}
