#include "channelfilter.h"

#include <QCoreApplication>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

struct Named
{
    const char *name;
    ChannelFilter::Kind kind;
    bool takesParameter;
};

const Named filters[] = {
    {"ema", ChannelFilter::Kind::Ema, true},         {"lowpass", ChannelFilter::Kind::Lowpass, true},
    {"highpass", ChannelFilter::Kind::Highpass, true}, {"median", ChannelFilter::Kind::Median, true},
    {"deriv", ChannelFilter::Kind::Deriv, false},    {"integ", ChannelFilter::Kind::Integ, false},
    {"hold", ChannelFilter::Kind::Hold, false},
};

// Where translators find these texts.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(ChannelFilter)
};

bool isBiquad(ChannelFilter::Kind kind)
{
    return kind == ChannelFilter::Kind::Lowpass || kind == ChannelFilter::Kind::Highpass;
}

} // namespace

const QStringList &ChannelFilter::names()
{
    static const QStringList all = [] {
        QStringList names;
        for (const Named &filter : filters)
            names.append(QLatin1String(filter.name));
        return names;
    }();
    return all;
}

bool ChannelFilter::kindOf(const QString &name, Kind *kind)
{
    const auto found = std::find_if(std::begin(filters), std::end(filters),
                                    [&](const Named &filter) { return name == QLatin1String(filter.name); });
    if (found == std::end(filters))
        return false;
    *kind = found->kind;
    return true;
}

bool ChannelFilter::takesParameter(Kind kind)
{
    return std::any_of(std::begin(filters), std::end(filters),
                       [&](const Named &filter) { return filter.kind == kind && filter.takesParameter; });
}

QString ChannelFilter::parameterProblem(Kind kind, double parameter)
{
    switch (kind) {
    case Kind::Ema:
        return parameter > 0 ? QString() : Text::tr("the time constant of ema is a number of seconds above 0");
    case Kind::Lowpass:
    case Kind::Highpass:
        return parameter > 0 ? QString() : Text::tr("the frequency of lowpass and highpass is a number of hertz above 0");
    case Kind::Median:
        return parameter == std::floor(parameter) && parameter >= 1 && parameter <= maxMedianLength
                   ? QString()
                   : Text::tr("the count of median is a whole number from 1 to 1000");
    default:
        return QString();
    }
}

ChannelFilter::ChannelFilter(Kind kind, double parameter) : m_kind(kind), m_parameter(parameter)
{
    if (kind == Kind::Median) {
        m_ring.reserve(size_t(parameter));
        m_sorted.reserve(size_t(parameter));
    }
}

void ChannelFilter::restart()
{
    m_started = false;
    m_periodsSinceLast = 0;
    m_ring.clear();
    m_sorted.clear();
    m_next = 0;
}

double ChannelFilter::take(double x, double periodS)
{
    switch (m_kind) {
    case Kind::Hold:
        if (!std::isnan(x)) {
            m_started = true;
            m_last = x;
        }
        return m_started ? m_last : qQNaN();
    case Kind::Median:
        return std::isnan(x) ? qQNaN() : median(x);
    default:
        return stepOfTime(x, periodS);
    }
}

double ChannelFilter::median(double x)
{
    if (m_ring.size() < size_t(m_parameter)) {
        m_ring.push_back(x);
    } else {
        double &oldest = m_ring[m_next];
        m_sorted.erase(std::lower_bound(m_sorted.begin(), m_sorted.end(), oldest));
        oldest = x;
        m_next = m_next + 1 == m_ring.size() ? 0 : m_next + 1;
    }
    m_sorted.insert(std::upper_bound(m_sorted.begin(), m_sorted.end(), x), x);
    const size_t middle = m_sorted.size() / 2;
    // Halved apart: two large values must not add up to an infinity.
    return m_sorted.size() % 2 == 1 ? m_sorted[middle] : m_sorted[middle - 1] / 2 + m_sorted[middle] / 2;
}

double ChannelFilter::stepOfTime(double x, double periodS)
{
    const bool designed = m_kind == Kind::Deriv || m_kind == Kind::Integ || design(periodS);
    if (!(periodS > 0) || !std::isfinite(periodS) || !designed) {
        restart();
        return qQNaN();
    }
    const bool none = std::isnan(x);
    if (!m_started) {
        if (none)
            return qQNaN();
        // Started as if the value had always been there: no jump to settle
        // from zero.
        m_started = true;
        m_last = m_x1 = m_x2 = x;
        m_y1 = m_y2 = m_kind == Kind::Ema || m_kind == Kind::Lowpass ? x : 0;
        return m_kind == Kind::Deriv ? qQNaN() : m_y1;
    }
    const double value = none ? m_last : x;
    double y = 0;
    switch (m_kind) {
    case Kind::Ema:
        y = m_y1 += m_b0 * (value - m_y1);
        break;
    case Kind::Integ:
        // Trapezoids: a constant's integral is its line.
        y = m_y1 += (m_last + value) / 2 * periodS;
        break;
    case Kind::Deriv:
        ++m_periodsSinceLast;
        if (none)
            return qQNaN();
        y = (x - m_last) / (m_periodsSinceLast * periodS);
        m_periodsSinceLast = 0;
        break;
    default:
        y = m_b0 * value + m_b1 * m_x1 + m_b2 * m_x2 - m_a1 * m_y1 - m_a2 * m_y2;
        m_x2 = m_x1;
        m_x1 = value;
        m_y2 = m_y1;
        m_y1 = y;
        break;
    }
    m_last = value;
    // An overflow would stay in the state for good: start again instead.
    if (!std::isfinite(y)) {
        restart();
        return qQNaN();
    }
    return none ? qQNaN() : y;
}

bool ChannelFilter::design(double periodS)
{
    if (m_designed && periodS == m_designedPeriodS)
        return true;
    m_designed = false;
    if (!(periodS > 0) || !std::isfinite(periodS))
        return false;
    if (m_kind == Kind::Ema) {
        // Exact for a first-order lag: 63.2 % of a step after one tau.
        m_b0 = -std::expm1(-periodS / m_parameter);
    } else if (isBiquad(m_kind)) {
        // Second-order Butterworth by the bilinear transform, the frequency
        // prewarped so that fc itself is -3 dB; none at or above half the
        // rate.
        const double cyclesPerSample = m_parameter * periodS;
        if (!(cyclesPerSample < 0.5))
            return false;
        const double k = std::tan(M_PI * cyclesPerSample);
        const double norm = 1 / (1 + M_SQRT2 * k + k * k);
        m_a1 = 2 * (k * k - 1) * norm;
        m_a2 = (1 - M_SQRT2 * k + k * k) * norm;
        m_b0 = m_kind == Kind::Lowpass ? k * k * norm : norm;
        m_b1 = m_kind == Kind::Lowpass ? 2 * m_b0 : -2 * m_b0;
        m_b2 = m_b0;
    }
    m_designedPeriodS = periodS;
    m_designed = true;
    return true;
}
