#include "publishcontrol.h"

#include "windowtitle.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>
#include <QWidget>

PublishControl::PublishControl(QWidget *window, const InstrumentProtocol &instrument)
    : QObject(window), m_window(window), m_action(new QAction(this)),
      m_instrument(instrument.name), m_publisher(instrument)
{
    m_action->setObjectName(QStringLiteral("publishAction"));
    connect(m_action, &QAction::triggered, this, &PublishControl::toggle);
    connect(&m_publisher, &WindowPublisher::statusChanged, this, &PublishControl::updateTitle);
    updateAction();
}

void PublishControl::toggle()
{
    if (isPublishing()) {
        stop();
        return;
    }
    if (m_guard)
        m_guard([this] { ask(); });
    else
        ask();
}

void PublishControl::ask()
{
    QDialog dialog(m_window);
    dialog.setObjectName(QStringLiteral("publishDialog"));
    dialog.setWindowTitle(tr("Publish"));
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(tr("Broker URL (mqtt://host[:port]/topic-prefix, "
                                    "mqtts://…, ?qos=1):"),
                                 &dialog));
    auto *url = new QLineEdit(WindowPublisher::lastUrl(), &dialog);
    url->setObjectName(QStringLiteral("brokerUrl"));
    url->setPlaceholderText(QStringLiteral("mqtt://localhost/lab"));
    url->setMinimumWidth(360);
    layout->addWidget(url);
    // Asked for each time: the settings file keeps no password.
    layout->addWidget(new QLabel(tr("Password, if the broker wants one (it is not kept):"), &dialog));
    auto *password = new QLineEdit(&dialog);
    password->setObjectName(QStringLiteral("brokerPassword"));
    password->setEchoMode(QLineEdit::Password);
    layout->addWidget(password);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    // A URL that cannot be used leaves the dialog up to be corrected.
    while (dialog.exec() == QDialog::Accepted) {
        if (startPublishing(url->text().trimmed(), password->text()))
            return;
    }
}

bool PublishControl::startPublishing(const QString &url, const QString &password)
{
    QString error;
    std::optional<MqttTarget> target = MqttTarget::parse(url, &error);
    if (target && !password.isEmpty())
        target->password = password;
    if (!target || !target->fitsTopic(m_instrument, &error)) {
        QMessageBox::warning(m_window, tr("Publish"), error);
        return false;
    }
    if (!m_publisher.start(*target, &error)) {
        QMessageBox::warning(m_window, tr("Publish"),
                             tr("Cannot publish to %1: %2").arg(target->displayText(), error));
        return false;
    }
    WindowPublisher::rememberUrl(url);
    updateAction();
    updateTitle();
    emit publishingChanged(true);
    return true;
}

void PublishControl::stop()
{
    if (!isPublishing())
        return;
    m_publisher.stop();
    updateAction();
    if (m_title)
        m_title->setPublishing(QString());
    emit publishingChanged(false);
}

void PublishControl::updateAction()
{
    m_action->setText(isPublishing() ? tr("Stop Publishing") : tr("Publish…"));
}

void PublishControl::updateTitle()
{
    if (!m_title || !isPublishing())
        return;
    QString text = tr("publishing to %1").arg(m_publisher.publisher()->target().displayText());
    if (!m_publisher.statusText().isEmpty())
        text += QStringLiteral(" (%1)").arg(m_publisher.statusText());
    m_title->setPublishing(text);
}
