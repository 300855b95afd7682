// The server's acquisition commands: which plotter streams, and the samples
// it took, as text or as a block of floats.
#include "scpisession.h"

#include "instrumentprotocol.h"
#include "remoteboard.h"
#include "samplesession.h"

#include <QtEndian>

#include <cmath>
#include <cstring>

namespace {

const char *const plotterNames[] = {"OSCiloscope", "ACCelerometer", nullptr};
const char *const formatNames[] = {"ASCii", "REAL", nullptr};

const InstrumentProtocol &plotter(int choice)
{
    return choice == 0 ? InstrumentProtocol::osciloscope() : InstrumentProtocol::accelerometer();
}

} // namespace

ScpiSession::Result ScpiSession::setAcquisition(Call &call)
{
    if (!hasParameters(call, 1, 1))
        return Result::done();
    int error = 0;
    const std::optional<int> which = Scpi::choice(call.parameters.first(), plotterNames, &error);
    if (!which)
        return Result::error(error);
    m_board.setAcquisition(plotter(*which));
    return Result::done();
}

ScpiSession::Result ScpiSession::acquisition(Call &call)
{
    if (!hasParameters(call, 0, 0))
        return Result::done();
    return Result::answer(&m_board.acquisition() == &InstrumentProtocol::osciloscope() ? "OSC" : "ACC");
}

ScpiSession::Result ScpiSession::acquisitionRate(Call &call)
{
    if (!hasParameters(call, 0, 0))
        return Result::done();
    return Result::answer(Scpi::number(m_board.sampleRate().value_or(NAN)));
}

QByteArray ScpiSession::samplesAnswer(const SampleStore &store, int count, int from) const
{
    const CountUnit unit = m_board.acquisition().frameUnit;
    const int first = from < 0 ? store.size() - count : from;
    const int end = first + count;
    const int channels = store.channelCount();
    // Inputs are kept as counts, computed channels in the unit already.
    const auto valueAt = [&](int position, int channel) {
        double value = NAN;
        if (!store.value(position, channel, &value))
            return double(NAN);
        return channel < Sample::channelCount ? unit.valueOf(value) : value;
    };
    if (!m_realFormat) {
        QByteArray text;
        text.reserve(count * channels * 6);
        for (int position = first; position < end; ++position) {
            for (int channel = 0; channel < channels; ++channel) {
                if (position > first || channel > 0)
                    text += ',';
                text += Scpi::number(valueAt(position, channel));
            }
        }
        return text;
    }
    // A definite-length block: "#", the length's digit count, the length,
    // then big-endian 32-bit floats.
    QByteArray values(count * channels * 4, Qt::Uninitialized);
    uchar *out = reinterpret_cast<uchar *>(values.data());
    for (int position = first; position < end; ++position) {
        for (int channel = 0; channel < channels; ++channel) {
            const float value = float(valueAt(position, channel));
            quint32 bits = 0;
            std::memcpy(&bits, &value, sizeof bits);
            qToBigEndian(bits, out);
            out += 4;
        }
    }
    const QByteArray length = QByteArray::number(values.size());
    return '#' + QByteArray::number(length.size()) + length + values;
}

ScpiSession::Result ScpiSession::fetchData(Call &call)
{
    if (!hasParameters(call, 0, 1))
        return Result::done();
    int count = m_board.samples().size();
    if (!call.parameters.isEmpty()) {
        int error = 0;
        const std::optional<int> asked = Scpi::wholeNumber(call.parameters.first(), Scpi::Quantity::Plain,
                                                           1, RemoteBoard::sampleCapacity, &error);
        if (!asked)
            return Result::error(error);
        count = *asked;
    }
    if (const SampleSession *shown = m_board.shownSamples()) {
        // What the window holds now, as its plot shows it.
        if (shown->store().isEmpty())
            return Result::error(ScpiError::dataStale, "the window has no samples");
        return Result::answer(samplesAnswer(shown->store(), std::min(count, shown->store().size())));
    }
    if (m_board.isAcquiring()) {
        // The last `count`, once there are as many.
        auto finish = call.finish;
        m_board.whenSamples(count, this, [this, finish, count](const QString &failure) {
            if (!failure.isEmpty())
                finish(hardware(failure));
            else
                finish(Result::answer(samplesAnswer(m_board.samples(), std::min(count, m_board.samples().size()))));
        });
        return Result::later();
    }
    if (m_board.samples().isEmpty())
        return Result::error(ScpiError::dataStale, "no samples; INITiate first");
    return Result::answer(samplesAnswer(m_board.samples(), std::min(count, m_board.samples().size())));
}

ScpiSession::Result ScpiSession::fetchHeader(Call &call)
{
    if (!hasParameters(call, 0, 0))
        return Result::done();
    QList<QByteArray> names;
    QStringList columns = m_board.acquisition().columns;
    if (const SampleSession *shown = m_board.shownSamples())
        columns += shown->store().computedNames();
    for (const QString &column : columns)
        names.append(Scpi::quoted(column.toUtf8()));
    return Result::answer(names.join(','));
}

ScpiSession::Result ScpiSession::setDataFormat(Call &call)
{
    if (!hasParameters(call, 1, 2))
        return Result::done();
    int error = 0;
    const std::optional<int> format = Scpi::choice(call.parameters.first(), formatNames, &error);
    if (!format)
        return Result::error(error);
    // REAL takes 32 bits only; ASCii any length, which it ignores.
    if (*format == 1 && call.parameters.size() == 2 && call.parameters.last() != "32")
        return Result::error(ScpiError::illegalParameterValue, "REAL,32 only");
    m_realFormat = *format == 1;
    return Result::done();
}

ScpiSession::Result ScpiSession::dataFormat(Call &call)
{
    if (!hasParameters(call, 0, 0))
        return Result::done();
    return Result::answer(m_realFormat ? "REAL,32" : "ASC,0");
}

ScpiSession::Result ScpiSession::initiate(Call &call)
{
    if (!hasParameters(call, 0, 0))
        return Result::done();
    const QString failure = m_board.initiate();
    return failure.isEmpty() ? Result::done() : hardware(failure);
}

ScpiSession::Result ScpiSession::abortAcquisition(Call &call)
{
    if (!hasParameters(call, 0, 0))
        return Result::done();
    m_board.abort();
    return Result::done();
}
