#include "replugsignal.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A signal handler may only write to a descriptor; the event loop reads it.
int signalFds[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalFds[0], &byte, 1);
}

} // namespace

ReplugSignal::ReplugSignal(QObject *parent) : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalFds) != 0)
        return;
    m_notifier = new QSocketNotifier(signalFds[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &ReplugSignal::drain);
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGUSR1, &action, nullptr);
}

ReplugSignal::~ReplugSignal()
{
    ::signal(SIGUSR1, SIG_DFL);
    delete m_notifier;
    for (int &fd : signalFds) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

void ReplugSignal::drain()
{
    char byte = 0;
    if (::read(signalFds[1], &byte, 1) == 1)
        emit requested();
}
