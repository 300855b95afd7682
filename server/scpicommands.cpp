// The server's commands, one row each: the header pattern and its handler.
#include "scpisession.h"

#include "boarddiscovery.h"
#include "instrumentprotocol.h"
#include "portlisting.h"
#include "remoteboard.h"

#include <QCoreApplication>

#include <cmath>

namespace {

// The voltmeter's inputs are numbered from 0, as the board's pads are.
constexpr int lastPad = 2;
const char *const padNames[] = {"PAD0", "PAD1", "PAD2", nullptr};

// A PWM output's setting as its command reads it and its query answers it.
template <Scpi::Quantity quantity, int minimum, int maximum, int RemoteBoard::Output::*member>
struct WholeSetting
{
    static constexpr int RemoteBoard::Output::*field = member;
    static std::optional<int> read(const QByteArray &text, int *error)
    {
        return Scpi::wholeNumber(text, quantity, minimum, maximum, error);
    }
};
using Frequency = WholeSetting<Scpi::Quantity::Hertz, PwmSetting::minFrequencyHz,
                               PwmSetting::maxFrequencyHz, &RemoteBoard::Output::frequencyHz>;
using DutyCycle = WholeSetting<Scpi::Quantity::Percent, PwmSetting::minDutyPercent,
                               PwmSetting::maxDutyPercent, &RemoteBoard::Output::dutyPercent>;
struct OutputState
{
    static constexpr bool RemoteBoard::Output::*field = &RemoteBoard::Output::on;
    static std::optional<bool> read(const QByteArray &text, int *error)
    {
        return Scpi::boolean(text, error);
    }
};

} // namespace

const ScpiSession::Row ScpiSession::table[] = {
    {"*IDN?", &ScpiSession::identify},
    {"*RST", &ScpiSession::resetAll},
    {"*CLS", &ScpiSession::clearStatus},
    {"*OPC", &ScpiSession::operationComplete},
    {"*OPC?", &ScpiSession::operationCompleteQuery},
    {"*WAI", &ScpiSession::waitToContinue},
    {"*ESR?", &ScpiSession::eventStatus},
    {"*ESE", &ScpiSession::setEventEnable},
    {"*ESE?", &ScpiSession::eventEnable},
    {"*STB?", &ScpiSession::statusByte},
    {"SYSTem:ERRor[:NEXT]?", &ScpiSession::nextError},
    {"SYSTem:ERRor:COUNt?", &ScpiSession::errorCount},
    {"SYSTem:BOARd:LIST?", &ScpiSession::boardList},
    {"SYSTem:BOARd[:SELect]", &ScpiSession::selectBoard},
    {"SYSTem:BOARd[:SELect]?", &ScpiSession::selectedBoard},
    {"MEASure:VOLTage[:DC]?", &ScpiSession::measureVoltage},
    {"MEASure:FREQuency?", &ScpiSession::measureFrequency},
    {"[SOURce#]:PWM:FREQuency", &ScpiSession::changeOutput<Frequency>},
    {"[SOURce#]:PWM:FREQuency?", &ScpiSession::answerOutput<Frequency>},
    {"[SOURce#]:PWM:DCYCle", &ScpiSession::changeOutput<DutyCycle>},
    {"[SOURce#]:PWM:DCYCle?", &ScpiSession::answerOutput<DutyCycle>},
    {"OUTPut#[:STATe]", &ScpiSession::changeOutput<OutputState>},
    {"OUTPut#[:STATe]?", &ScpiSession::answerOutput<OutputState>},
    {"ACQuire:INSTrument", &ScpiSession::setAcquisition},
    {"ACQuire:INSTrument?", &ScpiSession::acquisition},
    {"ACQuire:RATE?", &ScpiSession::acquisitionRate},
    {"FETCh[:DATA]?", &ScpiSession::fetchData},
    {"FETCh:HEADer?", &ScpiSession::fetchHeader},
    {"FORMat[:DATA]", &ScpiSession::setDataFormat},
    {"FORMat[:DATA]?", &ScpiSession::dataFormat},
    {"INITiate[:IMMediate]", &ScpiSession::initiate},
    {"ABORt", &ScpiSession::abortAcquisition},
    {nullptr, nullptr},
};

ScpiSession::Result ScpiSession::identify(Call &call)
{
    if (!hasParameters(call, 0, 0))
        return Result::done();
    // Opened for the answer: a script asks this first to see the board is there.
    m_board.ensureOpen();
    const QString port = m_board.location().isEmpty() ? QStringLiteral("none")
                                                       : portLabel(m_board.location());
    const QString serial = m_board.serialNumber().isEmpty() ? QStringLiteral("0") : m_board.serialNumber();
    return Result::answer(QStringLiteral("%1,%2,%3,%4")
                              .arg(QCoreApplication::applicationName(), port, serial,
                                   QCoreApplication::applicationVersion())
                              .toUtf8());
}

ScpiSession::Result ScpiSession::resetAll(Call &call)
{
    if (!hasParameters(call, 0, 0))
        return Result::done();
    m_board.reset();
    m_realFormat = false;
    return Result::done();
}

ScpiSession::Result ScpiSession::clearStatus(Call &call)
{
    if (!hasParameters(call, 0, 0))
        return Result::done();
    m_errors.clear();
    m_eventStatus = 0;
    return Result::done();
}

ScpiSession::Result ScpiSession::operationComplete(Call &call)
{
    if (!hasParameters(call, 0, 0))
        return Result::done();
    return whenIdle([this] {
        m_eventStatus |= 0x01;
        return Result::done();
    }, call);
}

ScpiSession::Result ScpiSession::operationCompleteQuery(Call &call)
{
    if (!hasParameters(call, 0, 0))
        return Result::done();
    return whenIdle([] { return Result::answer("1"); }, call);
}

ScpiSession::Result ScpiSession::waitToContinue(Call &call)
{
    if (!hasParameters(call, 0, 0))
        return Result::done();
    return whenIdle([] { return Result::done(); }, call);
}

ScpiSession::Result ScpiSession::eventStatus(Call &call)
{
    if (!hasParameters(call, 0, 0))
        return Result::done();
    // Reading it clears it.
    const quint8 status = m_eventStatus;
    m_eventStatus = 0;
    return Result::answer(QByteArray::number(status));
}

ScpiSession::Result ScpiSession::setEventEnable(Call &call)
{
    if (!hasParameters(call, 1, 1))
        return Result::done();
    int error = 0;
    const std::optional<int> mask = Scpi::wholeNumber(call.parameters.first(), Scpi::Quantity::Plain, 0, 255, &error);
    if (!mask)
        return Result::error(error);
    m_eventEnable = quint8(*mask);
    return Result::done();
}

ScpiSession::Result ScpiSession::eventEnable(Call &call)
{
    if (!hasParameters(call, 0, 0))
        return Result::done();
    return Result::answer(QByteArray::number(m_eventEnable));
}

ScpiSession::Result ScpiSession::statusByte(Call &call)
{
    if (!hasParameters(call, 0, 0))
        return Result::done();
    // Bit 2: errors are queued; bit 5: an enabled standard event happened.
    int status = 0;
    if (m_errors.size() > 0)
        status |= 0x04;
    if (m_eventStatus & m_eventEnable)
        status |= 0x20;
    return Result::answer(QByteArray::number(status));
}

ScpiSession::Result ScpiSession::nextError(Call &call)
{
    if (!hasParameters(call, 0, 0))
        return Result::done();
    return Result::answer(m_errors.takeOldest());
}

ScpiSession::Result ScpiSession::errorCount(Call &call)
{
    if (!hasParameters(call, 0, 0))
        return Result::done();
    return Result::answer(QByteArray::number(m_errors.size()));
}

ScpiSession::Result ScpiSession::boardList(Call &call)
{
    if (!hasParameters(call, 0, 0))
        return Result::done();
    QList<QByteArray> names;
    for (const PortCandidate &board : boardsIn(PortListing::availablePorts())) {
        const QString label = portLabel(board.portName);
        names.append(Scpi::quoted((board.serialNumber.isEmpty()
                                       ? label
                                       : QStringLiteral("%1 %2").arg(label, board.serialNumber))
                                      .toUtf8()));
    }
    return Result::answer(names.isEmpty() ? QByteArray("\"\"") : names.join(','));
}

ScpiSession::Result ScpiSession::selectBoard(Call &call)
{
    if (!hasParameters(call, 1, 1))
        return Result::done();
    int error = 0;
    const std::optional<QByteArray> name = Scpi::string(call.parameters.first(), &error);
    if (!name)
        return Result::error(error);
    const QString wanted = QString::fromUtf8(*name);
    if (!firstBoard(PortListing::availablePorts(), wanted))
        return Result::error(ScpiError::illegalParameterValue, "no board " + *name);
    const QString failure = m_board.select(wanted);
    return failure.isEmpty() ? Result::done() : hardware(failure);
}

ScpiSession::Result ScpiSession::selectedBoard(Call &call)
{
    if (!hasParameters(call, 0, 0))
        return Result::done();
    const QString location = m_board.location();
    return Result::answer(Scpi::quoted((location.isEmpty() ? m_board.wantedBoard() : portLabel(location)).toUtf8()));
}

ScpiSession::Result ScpiSession::measureVoltage(Call &call)
{
    if (!hasParameters(call, 0, 1))
        return Result::done();
    QVector<int> pads{0, 1, 2};
    if (!call.parameters.isEmpty()) {
        const QByteArray &text = call.parameters.first();
        int error = 0;
        const std::optional<QVector<int>> list = text.startsWith('(')
            ? Scpi::channelList(text, lastPad, &error)
            : std::optional<QVector<int>>();
        const std::optional<int> pad = text.startsWith('(') ? std::optional<int>()
                                                            : Scpi::choice(text, padNames, &error);
        if (!list && !pad)
            return Result::error(error);
        pads = list ? *list : QVector<int>{*pad};
    }
    auto finish = call.finish;
    m_board.nextReading(InstrumentProtocol::voltmeter(), this,
                        [this, finish, pads](const Reading *reading, const QString &failure) {
        if (!reading) {
            finish(hardware(failure));
            return;
        }
        // The board counts millivolts; SCPI answers in volts.
        QList<QByteArray> volts;
        for (int pad : pads) {
            const double mv = size_t(pad) < reading->values.size() ? reading->values[size_t(pad)] : NAN;
            volts.append(mv == std::floor(mv) ? QByteArray::number(mv / 1000, 'f', 3) : Scpi::number(mv / 1000));
        }
        finish(Result::answer(volts.join(',')));
    });
    return Result::later();
}

ScpiSession::Result ScpiSession::measureFrequency(Call &call)
{
    if (!hasParameters(call, 0, 0))
        return Result::done();
    auto finish = call.finish;
    m_board.nextReading(InstrumentProtocol::counter(), this,
                        [this, finish](const Reading *reading, const QString &failure) {
        if (!reading)
            finish(hardware(failure));
        else
            finish(Result::answer(Scpi::number(reading->values.empty() ? NAN : reading->values.front())));
    });
    return Result::later();
}

int ScpiSession::outputOf(const Call &call)
{
    const int suffix = call.suffixes.value(0, 1);
    if (suffix < 1 || suffix > PwmSetting::outputCount) {
        pushError(ScpiError::headerSuffixOutOfRange);
        return -1;
    }
    return suffix - 1;
}

template <typename Setting>
ScpiSession::Result ScpiSession::changeOutput(Call &call)
{
    const int index = outputOf(call);
    if (index < 0 || !hasParameters(call, 1, 1))
        return Result::done();
    int error = 0;
    const auto value = Setting::read(call.parameters.first(), &error);
    if (!value)
        return Result::error(error);
    RemoteBoard::Output output = m_board.output(index);
    output.*Setting::field = *value;
    const QString failure = m_board.setOutput(index, output);
    return failure.isEmpty() ? Result::done() : hardware(failure);
}

template <typename Setting>
ScpiSession::Result ScpiSession::answerOutput(Call &call)
{
    const int index = outputOf(call);
    if (index < 0 || !hasParameters(call, 0, 0))
        return Result::done();
    // A state answers 1 or 0.
    return Result::answer(QByteArray::number(int(m_board.output(index).*Setting::field)));
}
