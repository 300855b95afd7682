#include "publishcontrol.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>
#include <QWidget>

PublishControl::PublishControl(QWidget *window, const QString &instrument,
                               const QStringList &header)
    : QObject(window), m_window(window), m_action(new QAction(this)),
      m_publisher(instrument, header)
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
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    // A URL that cannot be used leaves the dialog up to be corrected.
    while (dialog.exec() == QDialog::Accepted) {
        if (startPublishing(url->text().trimmed()))
            return;
    }
}

bool PublishControl::startPublishing(const QString &url)
{
    QString error;
    const std::optional<MqttTarget> target = MqttTarget::parse(url, &error);
    if (!target) {
        QMessageBox::warning(m_window, tr("Publish"), error);
        return false;
    }
    if (!m_publisher.start(*target, &error)) {
        QMessageBox::warning(m_window, tr("Publish"),
                             tr("Cannot publish to %1: %2").arg(target->displayText(), error));
        return false;
    }
    WindowPublisher::rememberUrl(url);
    m_plainTitle = m_window->windowTitle();
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
    if (m_titleShowsStatus)
        m_window->setWindowTitle(m_plainTitle);
    emit publishingChanged(false);
}

void PublishControl::showStatusInTitle()
{
    m_titleShowsStatus = true;
}

void PublishControl::updateAction()
{
    m_action->setText(isPublishing() ? tr("Stop Publishing") : tr("Publish…"));
}

void PublishControl::updateTitle()
{
    if (!m_titleShowsStatus || !isPublishing())
        return;
    QString title = tr("%1 — publishing to %2")
                        .arg(m_plainTitle, m_publisher.publisher()->target().displayText());
    if (!m_publisher.statusText().isEmpty())
        title += QStringLiteral(" (%1)").arg(m_publisher.statusText());
    m_window->setWindowTitle(title);
}
