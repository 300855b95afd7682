// The server's trigger commands: the one trigger of the remote board, set and
// read as a plotter's, and the capture it shows.
#include "scpisession.h"

#include "remoteboard.h"

#include <climits>
#include <cmath>

namespace {

const char *const captureNames[] = {"AUTO", "NORMal", "SINGle", nullptr};
const char *const stateNames[] = {"OFF", "TRIG", "AUTO", "ARM", "WAIT", "STOP"};
constexpr double nsPerSecond = 1e9;

} // namespace

ScpiSession::Result ScpiSession::setTriggerMode(Call &call)
{
    if (!hasParameters(call, 1, 1))
        return Result::done();
    int error = 0;
    const std::optional<int> mode = Scpi::choice(call.parameters.first(), captureNames, &error);
    if (!mode)
        return Result::error(error);
    m_board.trigger().setCaptureMode(CaptureMode(*mode));
    return Result::done();
}

ScpiSession::Result ScpiSession::triggerMode(Call &call)
{
    if (!hasParameters(call, 0, 0))
        return Result::done();
    const char *const answers[] = {"AUTO", "NORM", "SING"};
    return Result::answer(answers[int(m_board.trigger().captureMode())]);
}

ScpiSession::Result ScpiSession::setTriggerLevel(Call &call)
{
    if (!hasParameters(call, 1, 1))
        return Result::done();
    if (Scpi::isMnemonic(call.parameters.first(), "AUTO")) {
        m_board.trigger().clearUserLevel();
        return Result::done();
    }
    // In the unit FETCh gives, held in the board's counts.
    const CountUnit unit = m_board.acquisition().frameUnit;
    const double lowest = (double(INT_MIN) - unit.zero) / unit.countsPerUnit;
    const double highest = (double(INT_MAX) - unit.zero) / unit.countsPerUnit;
    int error = 0;
    const std::optional<double> level = Scpi::number(call.parameters.first(), Scpi::Quantity::Plain,
                                                     std::min(lowest, highest), std::max(lowest, highest), &error);
    if (!level)
        return Result::error(error);
    const double counts = std::clamp(unit.zero + *level * unit.countsPerUnit, double(INT_MIN), double(INT_MAX));
    m_board.trigger().setUserLevel(int(std::lround(counts)));
    return Result::done();
}

ScpiSession::Result ScpiSession::triggerLevel(Call &call)
{
    if (!hasParameters(call, 0, 0))
        return Result::done();
    // The level set, or the one the signal gives; none before it has.
    const ScopeTrigger &trigger = m_board.trigger();
    const double counts = trigger.userLevel() ? *trigger.userLevel() : trigger.hasLevel() ? trigger.level() : NAN;
    return Result::answer(Scpi::number(m_board.acquisition().frameUnit.valueOf(counts)));
}

ScpiSession::Result ScpiSession::setTriggerSource(Call &call)
{
    if (!hasParameters(call, 1, 1))
        return Result::done();
    // The inputs counted from 1, as instruments count channels.
    int error = 0;
    const std::optional<int> channel =
        Scpi::wholeNumber(call.parameters.first(), Scpi::Quantity::Plain, 1, Sample::channelCount, &error);
    if (!channel)
        return Result::error(error);
    m_board.trigger().setSourceChannel(*channel - 1);
    return Result::done();
}

ScpiSession::Result ScpiSession::triggerSource(Call &call)
{
    if (!hasParameters(call, 0, 0))
        return Result::done();
    return Result::answer(QByteArray::number(m_board.trigger().sourceChannel() + 1));
}

ScpiSession::Result ScpiSession::setTriggerPosition(Call &call)
{
    if (!hasParameters(call, 1, 1))
        return Result::done();
    int error = 0;
    const std::optional<int> percent =
        Scpi::wholeNumber(call.parameters.first(), Scpi::Quantity::Percent, ScopeTrigger::minPreTriggerPercent,
                          ScopeTrigger::maxPreTriggerPercent, &error);
    if (!percent)
        return Result::error(error);
    m_board.trigger().setPreTriggerPercent(*percent);
    return Result::done();
}

ScpiSession::Result ScpiSession::triggerPosition(Call &call)
{
    if (!hasParameters(call, 0, 0))
        return Result::done();
    return Result::answer(QByteArray::number(m_board.trigger().preTriggerPercent()));
}

ScpiSession::Result ScpiSession::setTriggerHoldoff(Call &call)
{
    if (!hasParameters(call, 1, 1))
        return Result::done();
    int error = 0;
    const double most = double(ScopeTrigger::maxHoldoffNs) / nsPerSecond;
    const std::optional<double> seconds = Scpi::number(call.parameters.first(), Scpi::Quantity::Plain, 0, most, &error);
    if (!seconds)
        return Result::error(error);
    if (!(*seconds >= 0 && *seconds <= most))
        return Result::error(ScpiError::dataOutOfRange);
    m_board.trigger().setHoldoffNs(qint64(std::llround(*seconds * nsPerSecond)));
    return Result::done();
}

ScpiSession::Result ScpiSession::triggerHoldoff(Call &call)
{
    if (!hasParameters(call, 0, 0))
        return Result::done();
    return Result::answer(Scpi::number(double(m_board.trigger().holdoffNs()) / nsPerSecond));
}

ScpiSession::Result ScpiSession::armSingle(Call &call)
{
    if (!hasParameters(call, 0, 0))
        return Result::done();
    m_board.trigger().armSingle();
    if (m_board.isAcquiring())
        return Result::done();
    const QString failure = m_board.initiate();
    return failure.isEmpty() ? Result::done() : hardware(failure);
}

ScpiSession::Result ScpiSession::triggerState(Call &call)
{
    if (!hasParameters(call, 0, 0))
        return Result::done();
    return Result::answer(stateNames[int(m_board.trigger().status())]);
}

ScpiSession::Result ScpiSession::fetchCapture(Call &call)
{
    if (!hasParameters(call, 0, 0))
        return Result::done();
    const SampleStore &store = m_board.samples();
    const std::optional<TriggeredView> view = m_board.trigger().view(store);
    if (!view)
        return Result::error(ScpiError::dataStale, "no capture held");
    const int first = store.positionOf(view->firstIndex);
    const int last = store.positionOf(view->lastIndex);
    if (first < 0 || last < first)
        return Result::error(ScpiError::dataStale, "no capture held");
    return Result::answer(samplesAnswer(m_board.samples(), last - first + 1, first));
}
