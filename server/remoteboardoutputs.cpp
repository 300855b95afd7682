// The board's PWM outputs for SOURce and OUTPut: sent with the bytes the PWM
// window sends, or through that window when it is open.
#include "remoteboard.h"

#include "board.h"
#include "opensession.h"

void RemoteBoard::queueSetting(int index)
{
    planInstrument(&InstrumentProtocol::pwm());
    for (int line = 0; line < PwmSetting::lineCount; ++line) {
        // Read as the line goes out, as the window reads its boxes.
        queue([this, index, line] {
            const Output &output = m_outputs[size_t(index)];
            m_link->send(PwmSetting::line(line, index, output.on ? output.frequencyHz : 0,
                                          output.dutyPercent));
        }, Board::waitMs);
    }
}

QString RemoteBoard::setOutput(int index, const Output &output)
{
    Output &current = m_outputs[size_t(index)];
    if (OpenSession *open = OpenSession::find(InstrumentProtocol::pwm())) {
        // The window sends it, as its Enable does; off is its setting at 0 Hz.
        const bool send = output.on || current.on;
        current = output;
        const int shownHz = send && !output.on ? 0 : output.frequencyHz;
        // Shown at once: a query after it in the same line reads the boxes.
        open->showPwm(index, shownHz, output.dutyPercent);
        open->requestPwm(index, shownHz, output.dutyPercent, send);
        return QString();
    }
    if (!output.on && !current.on) {
        current = output;
        return QString();
    }
    const QString failure = ensureOpen();
    if (!failure.isEmpty())
        return failure;
    current = output;
    endAcquisition(QStringLiteral("a PWM setting stopped the acquisition"));
    queueSetting(index);
    return QString();
}
