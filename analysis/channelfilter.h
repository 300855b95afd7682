#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// A filter a formula calls on a value, one value per sample: ema(x, tau_s),
// lowpass(x, fc_hz), highpass(x, fc_hz), median(x, N), deriv(x), integ(x),
// hold(x). Those of time step by the time between two samples, the
// measured rate's; restarted, a filter knows nothing of the values before.
// A sample without a value (NaN) has none out of any of them but hold; the
// filters of time step over it with the last value that was a number,
// deriv divides by the time since that value.
class ChannelFilter
{
public:
    enum class Kind { Ema, Lowpass, Highpass, Median, Deriv, Integ, Hold };

    static constexpr int maxMedianLength = 1000;

    // The functions' names, as a formula calls them.
    static const QStringList &names();
    // False when `name` is none of them.
    static bool kindOf(const QString &name, Kind *kind);
    // Whether a call takes a second value: a time constant, a frequency, a
    // count.
    static bool takesParameter(Kind kind);
    // Why a call's second value cannot be taken; "" when it can.
    static QString parameterProblem(Kind kind, double parameter);

    ChannelFilter(Kind kind, double parameter);

    // The filter's value once `x` (NaN: none) came, `periodS` seconds after
    // the sample before it (NaN: the rate is not known yet, and a filter of
    // time has no value and waits, restarted, until it is).
    double take(double x, double periodS);
    void restart();

private:
    double stepOfTime(double x, double periodS);
    double median(double x);
    // The biquad's coefficients for this period; false above half the rate.
    bool design(double periodS);

    const Kind m_kind;
    const double m_parameter;
    // A number has come since the restart; the last of them.
    bool m_started = false;
    double m_last = 0;
    // Samples since the last number (deriv's time); a double, which a long
    // run without values cannot overflow.
    double m_periodsSinceLast = 0;
    // ema, integ and the biquad's output; the biquad's last inputs and outputs.
    double m_y1 = 0;
    double m_y2 = 0;
    double m_x1 = 0;
    double m_x2 = 0;
    // The biquad's coefficients, for m_designedPeriodS.
    double m_designedPeriodS = 0;
    bool m_designed = false;
    double m_b0 = 0, m_b1 = 0, m_b2 = 0, m_a1 = 0, m_a2 = 0;
    // median: the last numbers as they came, and sorted.
    std::vector<double> m_ring;
    size_t m_next = 0;
    std::vector<double> m_sorted;
};
