#include "opensession.h"

#include <algorithm>
#include <vector>

namespace {

// Oldest first. Only the GUI thread makes and ends windows.
std::vector<OpenSession *> &openSessions()
{
    static std::vector<OpenSession *> sessions;
    return sessions;
}

} // namespace

OpenSession::OpenSession(const InstrumentProtocol &instrument, QObject *parent)
    : QObject(parent), m_instrument(instrument)
{
    openSessions().push_back(this);
}

OpenSession::~OpenSession()
{
    auto &sessions = openSessions();
    sessions.erase(std::remove(sessions.begin(), sessions.end(), this), sessions.end());
}

OpenSession *OpenSession::find(const InstrumentProtocol &instrument)
{
    const auto &sessions = openSessions();
    const auto found = std::find_if(sessions.rbegin(), sessions.rend(), [&](const OpenSession *session) {
        return session->instrument().name == instrument.name;
    });
    return found == sessions.rend() ? nullptr : *found;
}
