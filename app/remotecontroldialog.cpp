#include "remotecontroldialog.h"

#include "closeguard.h"
#include "listenaddress.h"
#include "remotecontrol.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

RemoteControlDialog::RemoteControlDialog(RemoteControl &control, QWidget *parent)
    : QDialog(parent), m_control(control), m_on(new QCheckBox(tr("Serve SCPI clients"), this)),
      m_address(new QLineEdit(this)), m_port(new QSpinBox(this)), m_note(new QLabel(this))
{
    setWindowTitle(tr("Remote Control"));
    setAttribute(Qt::WA_DeleteOnClose);
    new CloseGuard(this);
    const RemoteControl::Setting &setting = control.setting();
    m_on->setChecked(setting.on);
    m_address->setText(setting.address.toString());
    m_port->setRange(1, 65535);
    m_port->setValue(setting.port);
    m_note->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto *form = new QFormLayout(this);
    form->addRow(m_on);
    form->addRow(tr("Address:"), m_address);
    form->addRow(tr("Port:"), m_port);
    form->addRow(m_note);
    form->addRow(buttons);
    connect(m_address, &QLineEdit::textChanged, this, &RemoteControlDialog::showExposure);
    connect(m_port, QOverload<int>::of(&QSpinBox::valueChanged), this, &RemoteControlDialog::showExposure);
    connect(buttons, &QDialogButtonBox::accepted, this, &RemoteControlDialog::apply);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showExposure();
}

void RemoteControlDialog::showExposure()
{
    QHostAddress address;
    quint16 port = 0;
    const bool valid = ListenAddress::read(QStringLiteral("%1:%2").arg(m_address->text()).arg(m_port->value()),
                                           &address, &port);
    m_note->setText(valid ? ListenAddress::exposure(address, port) : tr("This is no address."));
}

void RemoteControlDialog::apply()
{
    RemoteControl::Setting setting;
    quint16 port = 0;
    if (!ListenAddress::read(QStringLiteral("%1:%2").arg(m_address->text()).arg(m_port->value()),
                             &setting.address, &port)) {
        return;
    }
    setting.port = port;
    setting.on = m_on->isChecked();
    const QString failure = m_control.apply(setting);
    if (!failure.isEmpty()) {
        m_note->setText(failure);
        return;
    }
    RemoteControl::remember(setting);
    accept();
}
