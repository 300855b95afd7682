#include "mathchannels.h"

#include "samplestore.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace {

// Where translators find these texts.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(MathChannels)
};

// Names a formula uses otherwise: the time, the past and the functions.
const QStringList &reservedNames()
{
    static const QStringList names = QStringList{QStringLiteral("t"), QStringLiteral("avg"),
                                                 QStringLiteral("rms")}
                                     + MathFormula::functionNames();
    return names;
}

} // namespace

// The last `length` values of one channel, with their sum and sum of
// squares kept as each value comes. Summed again from the ring once per
// `length` values, so rounding cannot build up over a long run; the cost
// per value stays constant.
struct MathChannels::Window
{
    explicit Window(const PastTerm &term) : term(term), ring(size_t(term.length), qQNaN()) {}

    void take(double value)
    {
        double &slot = ring[next];
        if (!std::isnan(slot)) {
            sum -= slot;
            sumSquares -= slot * slot;
            --count;
        }
        slot = value;
        if (!std::isnan(value)) {
            sum += value;
            sumSquares += value * value;
            ++count;
        }
        next = next + 1 == ring.size() ? 0 : next + 1;
        if (next == 0) {
            sum = sumSquares = 0;
            for (const double held : ring) {
                if (!std::isnan(held)) {
                    sum += held;
                    sumSquares += held * held;
                }
            }
        }
    }

    // Over the values held that exist; none without one.
    double value() const
    {
        if (count == 0)
            return qQNaN();
        if (term.rms)
            return std::sqrt(std::max(sumSquares, 0.0) / count);
        return sum / count;
    }

    const PastTerm term;
    std::vector<double> ring;
    size_t next = 0;
    double sum = 0;
    double sumSquares = 0;
    int count = 0;
};

MathChannels::MathChannels(const QStringList &inputNames, CountUnit inputUnit)
    : m_inputNames(inputNames), m_inputUnit(inputUnit)
{
    reset();
}

MathChannels::~MathChannels() = default;

QStringList MathChannels::names() const
{
    QStringList names = m_inputNames;
    for (const MathChannel &channel : m_channels)
        names.append(channel.name());
    return names;
}

QString MathChannels::label(int channel) const
{
    if (channel < inputCount())
        return m_inputNames.value(channel);
    const MathChannel &computed = m_channels.at(channel - inputCount());
    return computed.unit().isEmpty() ? computed.name()
                                     : QStringLiteral("%1 (%2)").arg(computed.name(), computed.unit());
}

QString MathChannels::nextName() const
{
    const QStringList used = names();
    for (int number = 1;; ++number) {
        const QString name = QStringLiteral("M%1").arg(number);
        if (!used.contains(name))
            return name;
    }
}

FormulaError MathChannels::validate(const QVector<MathChannel> &channels, int own) const
{
    if (channels.size() > maxCount)
        return {Text::tr("a window has at most 4 math channels"), -1};
    static const QRegularExpression identifier(QStringLiteral("^[A-Za-z][A-Za-z0-9_]{0,15}$"));
    QStringList known = m_inputNames;
    for (int i = 0; i < channels.size(); ++i) {
        const QString name = channels.at(i).name();
        // Another channel's problem is told with its name.
        const QString prefix = i == own ? QString() : name + QStringLiteral(": ");
        if (!identifier.match(name).hasMatch())
            return {Text::tr("a name is a letter, then up to 15 letters, digits or “_”"), -1};
        if (known.contains(name) || reservedNames().contains(name))
            return {Text::tr("the name “%1” is already in use").arg(name), -1};
        FormulaError error;
        if (!MathFormula::compile(channels.at(i).formula(), known, &error)) {
            error.message.prepend(prefix);
            return error;
        }
        known.append(name);
    }
    return {};
}

bool MathChannels::setChannels(const QVector<MathChannel> &channels, SampleStore &store,
                               FormulaError *error)
{
    const FormulaError refused = validate(channels);
    if (error)
        *error = refused;
    if (!refused.isEmpty())
        return false;
    std::vector<std::unique_ptr<MathFormula>> formulas;
    QStringList known = m_inputNames;
    for (const MathChannel &channel : channels) {
        FormulaError unused;
        std::unique_ptr<MathFormula> formula = MathFormula::compile(channel.formula(), known, &unused);
        formulas.push_back(std::move(formula));
        known.append(channel.name());
    }
    m_channels = channels;
    m_formulas = std::move(formulas);
    reset();
    QStringList names;
    for (const MathChannel &channel : m_channels)
        names.append(channel.name());
    store.setComputedNames(names);
    // Every sample held, computed again from the oldest.
    m_filledCount = store.appendCount() - quint64(store.size());
    fill(store);
    return true;
}

void MathChannels::reset()
{
    m_windows.clear();
    size_t pastCount = 0;
    for (const std::unique_ptr<MathFormula> &formula : m_formulas) {
        std::vector<std::unique_ptr<Window>> windows;
        for (const PastTerm &term : formula->pastTerms())
            windows.push_back(std::make_unique<Window>(term));
        pastCount = std::max(pastCount, windows.size());
        m_windows.push_back(std::move(windows));
    }
    m_values.assign(size_t(inputCount()) + size_t(m_channels.size()), qQNaN());
    m_past.assign(pastCount, qQNaN());
    m_timed = std::any_of(m_formulas.begin(), m_formulas.end(),
                          [](const std::unique_ptr<MathFormula> &formula) { return formula->hasFilters(); });
    m_rate.reset();
    m_sampleNumber = 0;
    m_periodS = qQNaN();
    m_unstoredBefore = false;
}

void MathChannels::fill(SampleStore &store)
{
    const quint64 fresh = std::min<quint64>(store.appendCount() - m_filledCount, quint64(store.size()));
    m_filledCount = store.appendCount();
    if (fresh == 0)
        return;
    if (!m_haveOrigin) {
        m_haveOrigin = true;
        m_originNs = store.at(store.size() - int(fresh)).timeNs;
    }
    if (store.computedCount() != int(m_channels.size()) || m_channels.isEmpty())
        return;
    for (int position = store.size() - int(fresh); position < store.size(); ++position) {
        computeNext(store.at(position), true);
        for (int k = 0; k < int(m_channels.size()); ++k)
            store.setComputed(position, k, m_values[size_t(inputCount()) + size_t(k)]);
    }
}

void MathChannels::compute(const Sample &sample, double *values)
{
    computeNext(sample, false);
    std::copy(m_values.begin() + inputCount(), m_values.end(), values);
}

void MathChannels::takeTime(const Sample &sample, bool stored)
{
    // Only filters need the time: others are spared its cost.
    if (!m_timed)
        return;
    // The store's gap after a pause is the plot's: the formulas saw every
    // frame in between.
    const bool gap = sample.gapBefore && !(stored && m_unstoredBefore);
    m_unstoredBefore = !stored;
    const bool newRead = m_sampleNumber == 0 || sample.timeNs != m_readNs;
    m_readNs = sample.timeNs;
    // Over whole reads only: one partly in would make the rate look slower.
    std::optional<double> rate;
    if (newRead)
        rate = m_rate.framesPerSecond();
    if (m_rate.take(sample.timeNs, ++m_sampleNumber, gap)) {
        m_periodS = qQNaN();
        for (const std::unique_ptr<MathFormula> &formula : m_formulas)
            formula->restartFilters();
    } else if (newRead) {
        m_periodS = rate ? 1 / *rate : qQNaN();
    }
}

void MathChannels::computeNext(const Sample &sample, bool stored)
{
    // `t` counts from the first sample seen, with channels or not.
    if (!m_haveOrigin) {
        m_haveOrigin = true;
        m_originNs = sample.timeNs;
    }
    const int inputs = inputCount();
    for (int channel = 0; channel < inputs; ++channel) {
        m_values[size_t(channel)] =
            sample.hasValue(channel) ? m_inputUnit.valueOf(sample.values[size_t(channel)]) : qQNaN();
    }
    const double seconds = double(sample.timeNs - m_originNs) / 1e9;
    takeTime(sample, stored);
    // A window takes its channel's value before a formula reads it; a
    // computed channel's windows belong to the formulas after it.
    for (size_t k = 0; k < m_formulas.size(); ++k) {
        std::vector<std::unique_ptr<Window>> &windows = m_windows[k];
        for (size_t i = 0; i < windows.size(); ++i) {
            windows[i]->take(m_values[size_t(windows[i]->term.channel)]);
            m_past[i] = windows[i]->value();
        }
        m_values[size_t(inputs) + k] = m_formulas[k]->evaluate(m_values.data(), seconds, m_past.data(), m_periodS);
    }
}
