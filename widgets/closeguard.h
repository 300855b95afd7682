#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

class QCloseEvent;
class QWidget;

// Keeps a top-level window alive while a loop of its own runs: a wait, a
// menu, a modal dialog, a file dialog. Each of those runs a nested event
// loop in which any close (the frame's button, a logout, an owner closing
// its companions) can arrive; a window that deletes itself on close would
// then be freed under the loop's feet. A close that arrives meanwhile is
// held and carried out, from the event loop, once the last of them is over.
// Every top-level window of the panel has one.
class CloseGuard : public QObject
{
    Q_OBJECT

public:
    // `carryOut` runs a held close once the window is idle again; by default
    // it closes the window.
    explicit CloseGuard(QWidget *window, std::function<void()> carryOut = {});

    // Marks a span during which a close must wait.
    class Scope
    {
    public:
        explicit Scope(CloseGuard &guard) : m_guard(guard) { ++m_guard.m_busy; }
        ~Scope()
        {
            --m_guard.m_busy;
            m_guard.resumeHeldClose();
        }
        Scope(const Scope &) = delete;
        Scope &operator=(const Scope &) = delete;

    private:
        CloseGuard &m_guard;
    };

    // Runs `work` (which starts a loop of its own) as one such span.
    void run(const std::function<void()> &work);

    // A scope of this window runs, or a menu or dialog of it is open.
    bool isBusy();
    bool isInScope() const { return m_busy > 0; }
    // From closeEvent(): while the window is busy, ignores `event`, holds the
    // close and says so; the window then closes later by itself.
    bool holdClose(QCloseEvent *event);
    // Holds a close without an event (a Quit button pressed while busy).
    void hold() { m_held = true; }
    bool isHeld() const { return m_held; }
    void release() { m_held = false; }
    // A box that runs no loop of its own and goes with the window: its being
    // open holds nothing.
    void ignorePopup(QWidget *popup) { m_ignored = popup; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void resumeHeldClose();

    QWidget *const m_window;
    const std::function<void()> m_carryOut;
    int m_busy = 0;
    bool m_held = false;
    // Menus and dialogs of this window that were shown; the hidden and the
    // destroyed ones are dropped as they are found.
    QList<QPointer<QWidget>> m_openPopups;
    QPointer<QWidget> m_ignored;
};
