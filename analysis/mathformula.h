#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace mu {
class Parser;
}

// Why a formula was refused: a sentence, and where in the user's text (from
// 0; -1 when the whole text is meant).
struct FormulaError
{
    QString message;
    int position = -1;

    bool isEmpty() const { return message.isEmpty(); }
    // The sentence with the place, as a dialog shows it.
    QString text() const;
};

// A call avg(NAME, N) or rms(NAME, N) in a formula: the mean or the root
// mean square of the last `length` values of channel `channel`.
struct PastTerm
{
    int channel = 0;
    int length = 1;
    bool rms = false;
};

// A formula of a sample's channels, parsed once and evaluated per sample.
// The parser reads the brackets and ?:, the operators and functions
// (+ - * / ^, sin, sqrt, min, …) are our own: a NaN met anywhere in an
// evaluation leaves that sample without a value, whatever the formula then
// does with it. The variables are the channels by name and `t`, the
// seconds since the first sample. avg(), rms() and the filters (ema(),
// lowpass(), …) look at the past, which the parser's functions cannot
// (they are given values, not series): their calls are replaced before
// parsing by variables of the same length, so positions in the parser's
// errors are positions in the user's text. The caller fills avg() and rms()
// from running sums; a filter's input is a formula of its own, evaluated
// at every sample (whichever branch of ?: is taken) before the one that
// reads the filter.
class MathFormula
{
public:
    static constexpr int maxTextLength = 1000;
    static constexpr int maxPastLength = 10000;
    static constexpr int maxPastTerms = 8;
    static constexpr int maxFilterTerms = 8;

    ~MathFormula();

    // `names`: the channels the formula may use, in channel order. Returns
    // nothing, with `error` set, for a formula that cannot be evaluated.
    static std::unique_ptr<MathFormula> compile(const QString &text, const QStringList &names,
                                                FormulaError *error);

    // The names a formula calls as functions, besides avg and rms: the
    // operations' and the filters'.
    static const QStringList &functionNames();

    // The channels the formula reads, and its avg()/rms() calls.
    const std::vector<int> &usedChannels() const { return m_used; }
    const std::vector<PastTerm> &pastTerms() const { return m_pastTerms; }

    // The value for one sample: `channels` by channel (NaN: none), `past`
    // by term, `periodS` the time since the sample before (the filters';
    // NaN while the rate is not known). NaN when the formula has no value
    // there: a channel it reads has none, a NaN comes up on the way (a
    // division by zero, the root of a negative number), or the result is
    // not a finite number.
    double evaluate(const double *channels, double seconds, const double *past, double periodS);
    bool hasFilters() const { return !m_filters.empty(); }
    // The filters forget the samples before: a gap came.
    void restartFilters();

private:
    struct Expression;
    struct Filter;

    MathFormula();
    static double valueOf(Expression &expression);

    std::unique_ptr<Expression> m_main;
    // Inner filters before the outer ones that read them.
    std::vector<std::unique_ptr<Filter>> m_filters;
    // What the parsers read: one slot per channel, `t`, one per past term,
    // one per filter.
    std::vector<double> m_channelSlots;
    double m_seconds = 0;
    std::vector<double> m_pastSlots;
    std::vector<double> m_filterSlots;
    std::vector<int> m_used;
    std::vector<PastTerm> m_pastTerms;
};
