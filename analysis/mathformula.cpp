#include "mathformula.h"

#include "formulaoperations.h"
#include "formulatext.h"

#include <QCoreApplication>

#include <muParser.h>

#include <algorithm>
#include <cmath>

namespace {

// Where translators find these texts.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(MathFormula)
};

} // namespace

QString FormulaError::text() const
{
    if (position < 0)
        return message;
    return Text::tr("%1 (at character %2)").arg(message).arg(position + 1);
}

// One parser's text, and the slots it reads that must hold a number for it
// to have a value.
struct MathFormula::Expression
{
    Expression() { FormulaOperations::defineOn(parser); }

    mu::Parser parser;
    std::vector<const double *> needed;
};

struct MathFormula::Filter
{
    Filter(ChannelFilter::Kind kind, double parameter) : filter(kind, parameter) {}

    Expression input;
    ChannelFilter filter;
};

MathFormula::MathFormula() : m_main(std::make_unique<Expression>()) {}

const QStringList &MathFormula::functionNames()
{
    static const QStringList names = FormulaOperations::functionNames() + ChannelFilter::names();
    return names;
}

MathFormula::~MathFormula() = default;

std::unique_ptr<MathFormula> MathFormula::compile(const QString &text, const QStringList &names,
                                                  FormulaError *error)
{
    *error = {};
    if (text.trimmed().isEmpty()) {
        *error = {Text::tr("the formula is empty"), -1};
        return nullptr;
    }
    if (text.size() > maxTextLength) {
        *error = {Text::tr("a formula is at most 1000 characters long"), maxTextLength};
        return nullptr;
    }
    FormulaText rewritten;
    if (!readFormulaText(text, names, &rewritten, error))
        return nullptr;
    std::unique_ptr<MathFormula> formula(new MathFormula);
    formula->m_channelSlots.assign(size_t(names.size()), 1.0);
    formula->m_pastSlots.assign(rewritten.terms.size(), 1.0);
    formula->m_filterSlots.assign(rewritten.filters.size(), 1.0);
    formula->m_pastTerms = rewritten.terms;
    std::vector<std::pair<Expression *, const QString *>> expressions;
    for (const FilterCall &call : rewritten.filters) {
        formula->m_filters.push_back(std::make_unique<Filter>(call.kind, call.parameter));
        expressions.emplace_back(&formula->m_filters.back()->input, &call.input);
    }
    expressions.emplace_back(formula->m_main.get(), &rewritten.text);
    const double *firstChannel = formula->m_channelSlots.data();
    const double *endChannel = firstChannel + formula->m_channelSlots.size();
    const QString *parsed = &rewritten.text;
    try {
        for (const auto &expression : expressions) {
            parsed = expression.second;
            mu::Parser &parser = expression.first->parser;
            for (int i = 0; i < names.size(); ++i)
                parser.DefineVar(names.at(i).toStdString(), &formula->m_channelSlots[size_t(i)]);
            parser.DefineVar("t", &formula->m_seconds);
            for (size_t i = 0; i < rewritten.terms.size(); ++i)
                parser.DefineVar("_p" + std::to_string(i), &formula->m_pastSlots[i]);
            for (size_t i = 0; i < rewritten.filters.size(); ++i)
                parser.DefineVar("_f" + std::to_string(i), &formula->m_filterSlots[i]);
            parser.SetExpr(expression.second->toStdString());
            const mu::varmap_type used = parser.GetUsedVar();
            parser.Eval();
            if (parser.GetNumResults() != 1) {
                *error = {Text::tr("a formula gives one value: no commas outside a function"), -1};
                return nullptr;
            }
            for (const auto &variable : used) {
                const double *slot = variable.second;
                if (slot != &formula->m_seconds)
                    expression.first->needed.push_back(slot);
                if (slot >= firstChannel && slot < endChannel
                    && std::find(formula->m_used.begin(), formula->m_used.end(), int(slot - firstChannel))
                           == formula->m_used.end())
                    formula->m_used.push_back(int(slot - firstChannel));
            }
        }
    } catch (const mu::ParserError &failure) {
        *error = formulaParserError(failure, text, rewritten, *parsed);
        return nullptr;
    } catch (const std::exception &) {
        *error = {Text::tr("the formula cannot be read"), -1};
        return nullptr;
    }
    return formula;
}

double MathFormula::valueOf(Expression &expression)
{
    for (const double *slot : expression.needed) {
        if (std::isnan(*slot))
            return qQNaN();
    }
    FormulaOperations::forgetNoValue();
    try {
        const double value = expression.parser.Eval();
        return !FormulaOperations::sawNoValue() && std::isfinite(value) ? value : qQNaN();
    } catch (const mu::ParserError &) {
        return qQNaN();
    }
}

double MathFormula::evaluate(const double *channels, double seconds, const double *past, double periodS)
{
    for (const int channel : m_used)
        m_channelSlots[size_t(channel)] = channels[channel];
    std::copy(past, past + m_pastSlots.size(), m_pastSlots.begin());
    m_seconds = seconds;
    // Every filter takes every sample, whichever branch reads it.
    for (size_t i = 0; i < m_filters.size(); ++i)
        m_filterSlots[i] = m_filters[i]->filter.take(valueOf(m_filters[i]->input), periodS);
    return valueOf(*m_main);
}

void MathFormula::restartFilters()
{
    for (const std::unique_ptr<Filter> &filter : m_filters)
        filter->filter.restart();
}
