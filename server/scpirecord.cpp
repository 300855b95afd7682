// The server's recording commands: a file of one instrument's readings or
// samples, named by the client, in the server's one folder.
#include "scpisession.h"

#include "instrumentprotocol.h"
#include "recordfolder.h"
#include "remoteboard.h"

#include <QDir>

namespace {

const char *const recordableNames[] = {"VOLTmeter", "COUNter", "OSCiloscope", "ACCelerometer", nullptr};

const InstrumentProtocol &recordable(int choice)
{
    switch (choice) {
    case 0:
        return InstrumentProtocol::voltmeter();
    case 1:
        return InstrumentProtocol::counter();
    case 2:
        return InstrumentProtocol::osciloscope();
    default:
        return InstrumentProtocol::accelerometer();
    }
}

} // namespace

ScpiSession::Result ScpiSession::startRecording(Call &call)
{
    if (!hasParameters(call, 1, 2))
        return Result::done();
    int error = 0;
    const std::optional<QByteArray> name = Scpi::string(call.parameters.first(), &error);
    if (!name)
        return Result::error(error);
    // Without an instrument: the one INITiate starts.
    const InstrumentProtocol *instrument = &m_board.acquisition();
    if (call.parameters.size() == 2) {
        const std::optional<int> which = Scpi::choice(call.parameters.last(), recordableNames, &error);
        if (!which)
            return Result::error(error);
        instrument = &recordable(*which);
    }
    QString why;
    const QString path = RecordFolder::fileIn(m_board.recordFolder(), QString::fromUtf8(*name), &why);
    if (path.isEmpty())
        return Result::error(ScpiError::parameter, why.toUtf8());
    const QString absent = m_board.ensureOpen();
    if (!absent.isEmpty())
        return hardware(absent);
    if (!QDir().mkpath(m_board.recordFolder()))
        return Result::error(ScpiError::execution, "cannot make the folder " + m_board.recordFolder().toUtf8());
    const QString failure = m_board.startRecording(path, *instrument);
    return failure.isEmpty() ? Result::done() : hardware(failure);
}

ScpiSession::Result ScpiSession::stopRecording(Call &call)
{
    if (hasParameters(call, 0, 0))
        m_board.stopRecording();
    return Result::done();
}

ScpiSession::Result ScpiSession::recordingState(Call &call)
{
    if (!hasParameters(call, 0, 0))
        return Result::done();
    return Result::answer(m_board.isRecording() ? "1" : "0");
}
