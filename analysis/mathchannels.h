#pragma once

#include "mathformula.h"
#include "ratemeter.h"
#include "sampleintake.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>
#include <vector>

// A computed channel as the user defines it; what a window keeps of it.
class MathChannel
{
public:
    MathChannel() = default;
    MathChannel(const QString &name, const QString &formula, const QString &unit = QString())
        : m_name(name), m_formula(formula), m_unit(unit)
    {
    }

    QString name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }
    QString formula() const { return m_formula; }
    void setFormula(const QString &formula) { m_formula = formula; }
    // "" or a unit such as "°C".
    QString unit() const { return m_unit; }
    void setUnit(const QString &unit) { m_unit = unit; }

    bool operator==(const MathChannel &other) const
    {
        return m_name == other.m_name && m_formula == other.m_formula && m_unit == other.m_unit;
    }

private:
    QString m_name;
    QString m_formula;
    QString m_unit;
};

// A window's computed channels, without widgets: their formulas, and their
// values in the sample store's computed columns, computed as the samples
// come, never per redraw: the intake has every sample it takes in computed,
// stored (fill()) or not (compute()). Channel k is the store's
// channel inputs + k, in the formula's unit; a formula may use the inputs,
// in the window's unit, and the channels before it. avg() and rms() keep running sums over a ring of their last values,
// so their cost per sample does not grow with their count. The filters'
// time between samples is the rate measured over the reads before; a gap
// restarts them.
class MathChannels : public ComputedColumns
{
public:
    static constexpr int maxCount = 4;

    // The formulas see the inputs in `inputUnit`.
    explicit MathChannels(const QStringList &inputNames, CountUnit inputUnit = {});
    ~MathChannels() override;

    const QVector<MathChannel> &channels() const { return m_channels; }
    // Replaces the channels and computes them again over every sample
    // held. All or nothing: false, with the first channel's error, when one
    // is not valid.
    bool setChannels(const QVector<MathChannel> &channels, SampleStore &store,
                     FormulaError *error = nullptr);
    // The first error of these channels as a window's list (names, then
    // formulas, each of the inputs and the channels before it); empty when
    // they are valid. Errors of channels other than `own` begin with their
    // names.
    FormulaError validate(const QVector<MathChannel> &channels, int own = -1) const;
    // "M1", "M2", …: the first not yet used.
    QString nextName() const;

    // The inputs', then the computed channels' names.
    QStringList names() const;
    // A channel's name with its unit, "M1 (°C)", for keys and readouts.
    QString label(int channel) const;
    int inputCount() const { return int(m_inputNames.size()); }

    // Computes the samples appended to `store` since the last call.
    void fill(SampleStore &store) override;
    // One sample not stored, after those computed before it.
    void compute(const Sample &sample, double *values) override;

private:
    struct Window;

    void reset();
    // The channels of the next sample into m_values; `stored`: it is in
    // the store, not only computed.
    void computeNext(const Sample &sample, bool stored);
    // The filters' time between samples at this one, and their restart.
    void takeTime(const Sample &sample, bool stored);

    const QStringList m_inputNames;
    const CountUnit m_inputUnit;
    QVector<MathChannel> m_channels;
    std::vector<std::unique_ptr<MathFormula>> m_formulas;
    // Per formula, its avg()/rms() windows.
    std::vector<std::vector<std::unique_ptr<Window>>> m_windows;
    std::vector<double> m_values;
    std::vector<double> m_past;
    quint64 m_filledCount = 0;
    bool m_haveOrigin = false;
    qint64 m_originNs = 0;
    // The samples computed since the reset, counted for the rate: paused
    // ones have no index.
    bool m_timed = false;
    RateMeter m_rate;
    qint64 m_sampleNumber = 0;
    qint64 m_readNs = 0;
    double m_periodS = qQNaN();
    bool m_unstoredBefore = false;
};
