#include "closeguard.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QMenu>
#include <QWidget>

#include <algorithm>

CloseGuard::CloseGuard(QWidget *window, std::function<void()> carryOut)
    : QObject(window), m_window(window),
      m_carryOut(carryOut ? std::move(carryOut) : std::function<void()>([window] { window->close(); }))
{
    // Menus and dialogs are windows of their own: only the application sees
    // them all come and go.
    qApp->installEventFilter(this);
}

void CloseGuard::run(const std::function<void()> &work)
{
    Scope scope(*this);
    work();
}

bool CloseGuard::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type != QEvent::Show && type != QEvent::Hide) || watched == m_window
        || !watched->isWidgetType())
        return false;
    auto *popup = static_cast<QWidget *>(watched);
    if (!popup->isWindow())
        return false;
    if (type == QEvent::Hide) {
        // Maybe the last one of this window's; a widget may be half
        // destroyed here, so nothing more is asked of it.
        resumeHeldClose();
        return false;
    }
    if (popup == m_ignored || (!qobject_cast<QMenu *>(popup) && !qobject_cast<QDialog *>(popup)))
        return false;
    QWidget *owner = popup->parentWidget();
    while (owner && owner != m_window)
        owner = owner->parentWidget();
    if (owner && !m_openPopups.contains(popup)) {
        m_openPopups.append(popup);
        connect(popup, &QObject::destroyed, this, &CloseGuard::resumeHeldClose, Qt::QueuedConnection);
    }
    return false;
}

bool CloseGuard::isBusy()
{
    m_openPopups.erase(std::remove_if(m_openPopups.begin(), m_openPopups.end(),
                                      [](const QPointer<QWidget> &popup) {
                                          return !popup || !popup->isVisible();
                                      }),
                       m_openPopups.end());
    return m_busy > 0 || !m_openPopups.isEmpty();
}

bool CloseGuard::holdClose(QCloseEvent *event)
{
    if (!isBusy())
        return false;
    m_held = true;
    event->ignore();
    return true;
}

void CloseGuard::resumeHeldClose()
{
    // Queued: the menu or wait that ends is still on the stack here.
    if (m_busy == 0 && m_held) {
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (m_held && !isBusy()) {
                    m_held = false;
                    m_carryOut();
                }
            },
            Qt::QueuedConnection);
    }
}
