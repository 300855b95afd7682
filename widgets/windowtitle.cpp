#include "windowtitle.h"

#include <QEvent>
#include <QWidget>

WindowTitle::WindowTitle(QWidget *window)
    : QObject(window), m_window(window), m_base(window->windowTitle())
{
    window->installEventFilter(this);
}

void WindowTitle::setBoard(const QString &board)
{
    if (board == m_board)
        return;
    m_board = board;
    apply();
}

void WindowTitle::setPublishing(const QString &text)
{
    if (text == m_publishing)
        return;
    m_publishing = text;
    apply();
}

bool WindowTitle::eventFilter(QObject *watched, QEvent *event)
{
    // The window's own title may be set at any time (the launcher sets it
    // once the window is built); the parts follow it.
    if (watched == m_window && event->type() == QEvent::WindowTitleChange && !m_applying) {
        m_base = m_window->windowTitle();
        apply();
    }
    return QObject::eventFilter(watched, event);
}

void WindowTitle::apply()
{
    QString title = m_base;
    if (!m_base.isEmpty() && !m_board.isEmpty())
        title += QStringLiteral(" – ") + m_board;
    if (!m_publishing.isEmpty())
        title += QStringLiteral(" — ") + m_publishing;
    if (title != m_window->windowTitle()) {
        m_applying = true;
        m_window->setWindowTitle(title);
        m_applying = false;
    }
    emit changed();
}
