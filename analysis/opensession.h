#pragma once

#include "instrumentprotocol.h"

#include <QObject>

struct Reading;
class SampleSession;

// An instrument window's session as a front end beside the windows (the
// SCPI server) sees it, without widgets: the readings the window takes, the
// samples it shows with their computed channels, and requests the window
// carries out as its own buttons would. A window makes one for as long as
// it lives; the front end finds it here and never reaches up to the window.
class OpenSession : public QObject
{
    Q_OBJECT

public:
    explicit OpenSession(const InstrumentProtocol &instrument, QObject *parent = nullptr);
    ~OpenSession() override;

    // The newest open session of `instrument`; none when no window has one.
    static OpenSession *find(const InstrumentProtocol &instrument);

    const InstrumentProtocol &instrument() const { return m_instrument; }

    // A plot window's stream, inputs then computed channels; none for the others.
    void setSamples(const SampleSession *samples) { m_samples = samples; }
    const SampleSession *samples() const { return m_samples; }

    // From the PWM window: what its boxes of `output` show now.
    void showPwm(int output, int frequencyHz, int dutyPercent)
    {
        m_pwmShown[output & 1] = {frequencyHz, dutyPercent};
    }
    struct PwmShown
    {
        int frequencyHz;
        int dutyPercent;
    };
    PwmShown pwmShown(int output) const { return m_pwmShown[output & 1]; }

    // From the window: a reading it took, as it shows it.
    void takeReading(const Reading &reading) { emit readingTaken(reading); }

    // From a front end: run or stop the plot, as Start/Stop Plot does.
    void requestPlotting(bool on) { emit plottingRequested(on); }
    // Show this setting of PWM output `output` in the window, and send it as
    // Enable does when `send`.
    void requestPwm(int output, int frequencyHz, int dutyPercent, bool send)
    {
        emit pwmRequested(output, frequencyHz, dutyPercent, send);
    }

signals:
    void readingTaken(const Reading &reading);
    void plottingRequested(bool on);
    void pwmRequested(int output, int frequencyHz, int dutyPercent, bool send);

private:
    const InstrumentProtocol &m_instrument;
    const SampleSession *m_samples = nullptr;
    PwmShown m_pwmShown[2] = {};
};
