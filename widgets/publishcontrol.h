#pragma once

#include "windowpublisher.h"

#include <QObject>

#include <functional>

class QAction;
class QWidget;
class WindowTitle;

// The window's side of publishing: the "Publish…" action, which asks for the
// broker's URL in a small dialog of its own and becomes "Stop Publishing"
// while publishing. The messages themselves are WindowPublisher's.
class PublishControl : public QObject
{
    Q_OBJECT

public:
    PublishControl(QWidget *window, const InstrumentProtocol &instrument);

    QAction *action() const { return m_action; }
    WindowPublisher &publisher() { return m_publisher; }
    bool isPublishing() const { return m_publisher.isPublishing(); }
    // Starts publishing to `url`, remembering it without its password;
    // `password`, if given, is used instead of the URL's. False, the user
    // told why, when it cannot.
    bool startPublishing(const QString &url, const QString &password = QString());
    void stop();

    // The dialog and message boxes run a loop of their own: they run
    // through `guard`, so the window can hold a close until they are done.
    using Guard = std::function<void(const std::function<void()> &work)>;
    void setGuard(Guard guard) { m_guard = std::move(guard); }

    // While publishing, the window's title tells where to and whether the
    // broker is away; the specified title comes back when it stops.
    void showStatusIn(WindowTitle &title) { m_title = &title; }

signals:
    void publishingChanged(bool publishing);

private:
    void toggle();
    void ask();
    void updateAction();
    void updateTitle();

    QWidget *const m_window;
    QAction *const m_action;
    const QString m_instrument;
    WindowPublisher m_publisher;
    Guard m_guard;
    WindowTitle *m_title = nullptr;
};
