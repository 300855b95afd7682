#include "mathformula.h"

#include <QCoreApplication>

#include <muParser.h>

#include <algorithm>
#include <cmath>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("MathFormula", text);
}

bool isNameStart(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
           || (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || c == QLatin1Char('_');
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isNameChar(QChar c)
{
    return isNameStart(c) || isDigit(c);
}

void skipSpaces(const QString &text, int &at)
{
    while (at < text.size() && text.at(at) == QLatin1Char(' '))
        ++at;
}

QString nameAt(const QString &text, int &at)
{
    const int from = at;
    while (at < text.size() && isNameChar(text.at(at)))
        ++at;
    return text.mid(from, at - from);
}

// A number as the parser reads one: digits, a point, an exponent.
void skipNumber(const QString &text, int &at)
{
    while (at < text.size() && (isDigit(text.at(at)) || text.at(at) == QLatin1Char('.')))
        ++at;
    if (at < text.size() && (text.at(at) == QLatin1Char('e') || text.at(at) == QLatin1Char('E'))) {
        int exponent = at + 1;
        if (exponent < text.size()
            && (text.at(exponent) == QLatin1Char('+') || text.at(exponent) == QLatin1Char('-')))
            ++exponent;
        if (exponent < text.size() && isDigit(text.at(exponent))) {
            at = exponent;
            while (at < text.size() && isDigit(text.at(at)))
                ++at;
        }
    }
}

struct Rewritten
{
    QString text;
    std::vector<PastTerm> terms;
};

// Reads avg(NAME, N) from `at`, just after the function's name; `at` ends
// after its bracket.
bool readPastCall(const QString &text, int &at, const QStringList &names, PastTerm *term,
                  FormulaError *error)
{
    const auto fail = [&](const char *message, int position) {
        *error = {tr(message), position};
        return false;
    };
    // Past `mark` and the spaces before it; false, with `at` on what stands
    // there instead, when it is not next.
    const auto skipPast = [&](QLatin1Char mark) {
        skipSpaces(text, at);
        if (at >= text.size() || text.at(at) != mark)
            return false;
        ++at;
        return true;
    };
    if (!skipPast(QLatin1Char('(')))
        return fail("avg and rms are followed by a bracket", at);
    skipSpaces(text, at);
    const int nameStart = at;
    const QString name = nameAt(text, at);
    term->channel = int(names.indexOf(name));
    if (term->channel < 0)
        return fail("avg and rms take a channel's name first", nameStart);
    if (!skipPast(QLatin1Char(',')))
        return fail("avg and rms take a channel's name, a comma and a count", at);
    skipSpaces(text, at);
    const int countStart = at;
    skipNumber(text, at);
    bool isNumber = false;
    const double count = text.mid(countStart, at - countStart).toDouble(&isNumber);
    if (!isNumber || count != std::floor(count) || count < 1 || count > MathFormula::maxPastLength)
        return fail("the count of avg and rms is a whole number from 1 to 10000", countStart);
    term->length = int(count);
    if (!skipPast(QLatin1Char(')')))
        return fail("avg and rms take two values and a closing bracket", at);
    return true;
}

// The text with every avg()/rms() call replaced by a variable of the
// call's length, and what each of them stands for; the names the user may
// not write (other characters, an "=" that would assign, a name beginning
// "_", which the replacements and the parser's constants use) refused here.
bool rewrite(const QString &text, const QStringList &names, Rewritten *out, FormulaError *error)
{
    out->text = text;
    for (int at = 0; at < text.size();) {
        const QChar c = text.at(at);
        if (c.unicode() < 0x20 || c.unicode() > 0x7e) {
            *error = {tr("a formula holds letters, digits, operators and brackets only"), at};
            return false;
        }
        if (c == QLatin1Char('=')) {
            const bool compares = (at > 0 && QStringLiteral("<>!=").contains(text.at(at - 1)))
                                  || (at + 1 < text.size() && text.at(at + 1) == QLatin1Char('='));
            if (!compares) {
                *error = {tr("a formula cannot assign (=)"), at};
                return false;
            }
        }
        if (isDigit(c) || c == QLatin1Char('.')) {
            skipNumber(text, at);
            continue;
        }
        if (!isNameStart(c)) {
            ++at;
            continue;
        }
        const int start = at;
        const QString name = nameAt(text, at);
        if (name.startsWith(QLatin1Char('_'))) {
            *error = {tr("unknown name “%1”").arg(name), start};
            return false;
        }
        if (name != QLatin1String("avg") && name != QLatin1String("rms"))
            continue;
        if (out->terms.size() >= size_t(MathFormula::maxPastTerms)) {
            *error = {tr("a formula holds at most 8 calls of avg and rms"), start};
            return false;
        }
        PastTerm term;
        term.rms = name == QLatin1String("rms");
        if (!readPastCall(text, at, names, &term, error))
            return false;
        // "avg(A,1)" is 8 characters at least: room for "_p7", and spaces
        // after it keep the length.
        QString variable = QStringLiteral("_p%1").arg(out->terms.size());
        variable += QString(at - start - variable.size(), QLatin1Char(' '));
        out->text.replace(start, at - start, variable);
        out->terms.push_back(term);
    }
    return true;
}

FormulaError parserError(const mu::ParserError &failure)
{
    const QString token = QString::fromStdString(failure.GetToken());
    const int position = failure.GetPos();
    switch (failure.GetCode()) {
    case mu::ecUNASSIGNABLE_TOKEN:
        return {tr("unknown name “%1”").arg(token), position};
    case mu::ecMISSING_PARENS:
        return {tr("a bracket is not closed"), position};
    case mu::ecUNEXPECTED_PARENS:
        return {tr("a bracket is not opened"), position};
    case mu::ecUNEXPECTED_EOF:
        return {tr("the formula ends too soon"), position};
    case mu::ecTOO_FEW_PARAMS:
    case mu::ecTOO_MANY_PARAMS:
        return {tr("“%1” takes another number of values").arg(token), position};
    default:
        return {QString::fromStdString(failure.GetMsg()), position};
    }
}

} // namespace

QString FormulaError::text() const
{
    if (position < 0)
        return message;
    return tr("%1 (at character %2)").arg(message).arg(position + 1);
}

MathFormula::MathFormula() : m_parser(std::make_unique<mu::Parser>()) {}

MathFormula::~MathFormula() = default;

std::unique_ptr<MathFormula> MathFormula::compile(const QString &text, const QStringList &names,
                                                  FormulaError *error)
{
    *error = {};
    if (text.trimmed().isEmpty()) {
        *error = {tr("the formula is empty"), -1};
        return nullptr;
    }
    if (text.size() > maxTextLength) {
        *error = {tr("a formula is at most 1000 characters long"), maxTextLength};
        return nullptr;
    }
    Rewritten rewritten;
    if (!rewrite(text, names, &rewritten, error))
        return nullptr;
    std::unique_ptr<MathFormula> formula(new MathFormula);
    formula->m_channelSlots.assign(size_t(names.size()), 1.0);
    formula->m_pastSlots.assign(rewritten.terms.size(), 1.0);
    formula->m_pastTerms = rewritten.terms;
    mu::Parser &parser = *formula->m_parser;
    try {
        for (int i = 0; i < names.size(); ++i)
            parser.DefineVar(names.at(i).toStdString(), &formula->m_channelSlots[size_t(i)]);
        parser.DefineVar("t", &formula->m_seconds);
        for (size_t i = 0; i < rewritten.terms.size(); ++i)
            parser.DefineVar("_p" + std::to_string(i), &formula->m_pastSlots[i]);
        parser.SetExpr(rewritten.text.toStdString());
        const mu::varmap_type &used = parser.GetUsedVar();
        parser.Eval();
        if (parser.GetNumResults() != 1) {
            *error = {tr("a formula gives one value: no commas outside a function"), -1};
            return nullptr;
        }
        for (const auto &variable : used) {
            const double *slot = variable.second;
            if (slot >= formula->m_channelSlots.data()
                && slot < formula->m_channelSlots.data() + formula->m_channelSlots.size())
                formula->m_used.push_back(int(slot - formula->m_channelSlots.data()));
        }
    } catch (const mu::ParserError &failure) {
        *error = parserError(failure);
        // The parser may point one past the end.
        error->position = std::clamp(error->position, -1, int(text.size()));
        return nullptr;
    } catch (const std::exception &) {
        *error = {tr("the formula cannot be read"), -1};
        return nullptr;
    }
    return formula;
}

double MathFormula::evaluate(const double *channels, double seconds, const double *past)
{
    for (const int channel : m_used) {
        if (std::isnan(channels[channel]))
            return qQNaN();
        m_channelSlots[size_t(channel)] = channels[channel];
    }
    for (size_t i = 0; i < m_pastSlots.size(); ++i) {
        if (std::isnan(past[i]))
            return qQNaN();
        m_pastSlots[i] = past[i];
    }
    m_seconds = seconds;
    try {
        const double value = m_parser->Eval();
        return std::isfinite(value) ? value : qQNaN();
    } catch (const mu::ParserError &) {
        return qQNaN();
    }
}
