#pragma once

// Builds under the address sanitizer, which holds freed memory back on
// purpose: a process's resident size says nothing there.
#if defined(__SANITIZE_ADDRESS__)
#define UNDER_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define UNDER_ADDRESS_SANITIZER 1
#endif
#endif

#include "portlisting.h"
#include "virtualboard.h"

#include <QByteArray>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTimer>

class QWidget;

class SampleStore;
struct Sample;

namespace TestSupport {

// A sample as "index value value value", "-" for a missing value, a "|"
// before the index where a gap comes first; a store as its samples.
QString describe(const Sample &sample);
QStringList describe(const SampleStore &store);


// A virtual board on a pseudo-terminal, listed as the only serial port
// (after `decoys`, if given) while it is plugged in. The system's list comes
// back on destruction.
class BoardFixture
{
public:
    explicit BoardFixture(const QList<PortCandidate> &decoys = {});
    ~BoardFixture();
    BoardFixture(const BoardFixture &) = delete;
    BoardFixture &operator=(const BoardFixture &) = delete;

    bool isReady() const { return m_ready; }
    PortCandidate candidate() const;

    VirtualBoard board;

private:
    bool m_ready = false;
};

// A board that says nothing of itself, only what the test sends it.
class QuietBoard : public BoardFixture
{
public:
    QuietBoard() { board.setSilent(true); }
};

// Two virtual boards on two pseudo-terminals, with the USB serial numbers
// "BOARD-A" and "BOARD-B", each listed while plugged in: `first` ahead of
// `second`, or behind it once reversed (as boards that came back in another
// order). The system's list comes back on destruction.
class BoardPair
{
public:
    BoardPair();
    ~BoardPair();
    BoardPair(const BoardPair &) = delete;
    BoardPair &operator=(const BoardPair &) = delete;

    bool isReady() const { return m_ready; }
    void setReversed(bool reversed) { m_reversed = reversed; }

    VirtualBoard first;
    VirtualBoard second;

private:
    bool m_ready = false;
    bool m_reversed = false;
};

// Lists exactly these ports for as long as it lives.
class PortList
{
public:
    explicit PortList(const QList<PortCandidate> &ports);
    ~PortList();
};

// Answers every modal message box that comes up, from a timer, and keeps
// what it said.
class ModalBoxCatcher
{
public:
    ModalBoxCatcher();
    ~ModalBoxCatcher();

    struct Box
    {
        QString title;
        QString text;
    };
    QList<Box> boxes;

private:
    void poll();
    QTimer m_timer;
};

// No serial port listed at all, and every box that says so answered, for
// as long as it lives.
class NoBoard : public ModalBoxCatcher
{
public:
    NoBoard() : m_ports({}) {}

private:
    PortList m_ports;
};

// Collects debug-log messages, and warnings apart, for as long as it lives.
class MessageCapture
{
public:
    MessageCapture();
    ~MessageCapture();
    QStringList messages() const;
    QStringList warnings() const;
    int count(const QString &message) const { return messages().count(message); }
};

// The ways a user closes a window: "quit button", "escape", "window frame".
QStringList closeWays();
// A "how" column, one row per way.
void addCloseRows();
// Closes `window` that way; `quitButton` names its Quit button.
void closeWindow(QWidget *window, const char *quitButton, const QString &how);

// Deletes every top-level window still there: a failed check returns early,
// and its windows must not live on into the next case. Forgets what the
// windows kept, too.
void destroyTopLevelWindows();

// Starts the window's recording as its Ctrl+R does (the file name comes
// from FileSaving's stand-in for the dialog).
void startRecording(QWidget *window);

// `locale` as the default for as long as it lives; the one before after.
class DefaultLocale
{
public:
    explicit DefaultLocale(const QLocale &locale) { QLocale::setDefault(locale); }
    ~DefaultLocale() { QLocale::setDefault(m_before); }

private:
    const QLocale m_before;
};

// A file's bytes; none where it cannot be read.
QByteArray contents(const QString &path);

// How often `needle` occurs in `haystack`.
int occurrences(const QByteArray &haystack, const QByteArray &needle);

// Runs the event loop for `ms` milliseconds.
void spin(int ms);

} // namespace TestSupport
