#include "mathformula.h"

#include "formulaoperations.h"

#include <QCoreApplication>

#include <muParser.h>

#include <algorithm>
#include <cmath>

namespace {

// Where translators find these texts.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(MathFormula)
};

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

// A word of the user's text as an error quotes it: a long one cut short,
// so that the sentence still fits the dialog.
QString shown(const QString &word)
{
    constexpr int longest = 24;
    return word.size() <= longest ? word : word.left(longest - 1) + QChar(0x2026);
}

struct Rewritten
{
    QString text;
    std::vector<PastTerm> terms;
    // Where each replaced call stands, in the user's text and the same in
    // the rewritten one: its first character and its length.
    std::vector<std::pair<int, int>> calls;
};

// Reads avg(NAME, N) from `at`, just after the function's name; `at` ends
// after its bracket.
bool readPastCall(const QString &text, int &at, const QStringList &names, PastTerm *term,
                  FormulaError *error)
{
    const auto fail = [&](const char *message, int position) {
        *error = {Text::tr(message), position};
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
        return fail(QT_TRANSLATE_NOOP("MathFormula", "avg and rms are followed by a bracket"), at);
    skipSpaces(text, at);
    const int nameStart = at;
    const QString name = nameAt(text, at);
    term->channel = int(names.indexOf(name));
    if (term->channel < 0)
        return fail(QT_TRANSLATE_NOOP("MathFormula", "avg and rms take a channel's name first"), nameStart);
    if (!skipPast(QLatin1Char(',')))
        return fail(QT_TRANSLATE_NOOP("MathFormula", "avg and rms take a channel's name, a comma and a count"), at);
    skipSpaces(text, at);
    const int countStart = at;
    skipNumber(text, at);
    bool isNumber = false;
    const double count = text.mid(countStart, at - countStart).toDouble(&isNumber);
    if (!isNumber || count != std::floor(count) || count < 1 || count > MathFormula::maxPastLength)
        return fail(QT_TRANSLATE_NOOP("MathFormula", "the count of avg and rms is a whole number from 1 to 10000"), countStart);
    term->length = int(count);
    if (!skipPast(QLatin1Char(')')))
        return fail(QT_TRANSLATE_NOOP("MathFormula", "avg and rms take two values and a closing bracket"), at);
    return true;
}

// The text with every avg()/rms() call replaced by a variable of the
// call's length, and what each of them stands for. Refused here, in the
// user's words: other characters, an "=" that would assign, a number too
// large to hold, and every name that is not a channel, `t` or a function
// called as one (so the replacements' "_p0" and the parser's own "_pi" are
// unknown names too).
bool rewrite(const QString &text, const QStringList &names, Rewritten *out, FormulaError *error)
{
    const auto fail = [&](const QString &message, int position) {
        *error = {message, position};
        return false;
    };
    out->text = text;
    for (int at = 0; at < text.size();) {
        const QChar c = text.at(at);
        if (!isNameChar(c) && !QStringLiteral(" .,+-*/^<>=!&|?:()").contains(c))
            return fail(Text::tr("a formula holds letters, digits, operators and brackets only"), at);
        if (c == QLatin1Char('=')) {
            const bool compares = (at > 0 && QStringLiteral("<>!=").contains(text.at(at - 1)))
                                  || (at + 1 < text.size() && text.at(at + 1) == QLatin1Char('='));
            if (!compares)
                return fail(Text::tr("a formula cannot assign (=)"), at);
        }
        const int start = at;
        if (isDigit(c) || c == QLatin1Char('.')) {
            skipNumber(text, at);
            const QString number = text.mid(start, at - start);
            if (std::isinf(number.toLatin1().toDouble()))
                return fail(Text::tr("the number “%1” is too large").arg(shown(number)), start);
            continue;
        }
        if (!isNameStart(c)) {
            ++at;
            continue;
        }
        const QString name = nameAt(text, at);
        int next = at;
        skipSpaces(text, next);
        const bool called = next < text.size() && text.at(next) == QLatin1Char('(');
        const bool isFunction = MathFormula::functionNames().contains(name);
        const bool isValue = name == QLatin1String("t") || names.contains(name);
        if (name != QLatin1String("avg") && name != QLatin1String("rms")) {
            if (called && !isFunction)
                return fail(isValue ? Text::tr("“%1” is not a function").arg(shown(name))
                                    : Text::tr("unknown function “%1”").arg(shown(name)),
                            start);
            if (!called && isFunction)
                return fail(Text::tr("“%1” is followed by a bracket").arg(shown(name)), start);
            if (!called && !isValue)
                return fail(Text::tr("unknown name “%1”").arg(shown(name)), start);
            continue;
        }
        if (out->terms.size() >= size_t(MathFormula::maxPastTerms))
            return fail(Text::tr("a formula holds at most 8 calls of avg and rms"), start);
        PastTerm term;
        term.rms = name == QLatin1String("rms");
        if (!readPastCall(text, at, names, &term, error))
            return false;
        // "avg(A,1)" is 8 characters at least: room for "_p7", and spaces
        // after it keep the length, so the parser's positions are the user's.
        QString variable = QStringLiteral("_p%1").arg(out->terms.size());
        variable += QString(at - start - variable.size(), QLatin1Char(' '));
        out->text.replace(start, at - start, variable);
        out->terms.push_back(term);
        out->calls.emplace_back(start, at - start);
    }
    return true;
}

// What the user wrote at `at`: a whole avg()/rms() call, a name, a number
// or an operator.
QString wordAt(const QString &text, const Rewritten &rewritten, int at)
{
    for (const auto &call : rewritten.calls) {
        if (call.first == at)
            return text.mid(call.first, call.second);
    }
    if (at < 0 || at >= text.size())
        return QString();
    int end = at;
    const QChar c = text.at(at);
    if (isNameStart(c))
        nameAt(text, end);
    else if (isDigit(c) || c == QLatin1Char('.'))
        skipNumber(text, end);
    else if (FormulaOperations::twoCharacterOperatorAt(text, at))
        end += 2;
    return text.mid(at, std::max(end - at, 1));
}

// The parser's refusal in the user's words, at the place in the user's text.
FormulaError parserError(const mu::ParserError &failure, const QString &text, const Rewritten &rewritten)
{
    // The parser may point one past the end, past a sign ("-") it did not
    // expect, or into a replaced call.
    int position = failure.GetPos();
    if (failure.GetCode() == mu::ecUNEXPECTED_OPERATOR)
        position -= int(failure.GetToken().size());
    position = std::clamp(position, -1, int(text.size()));
    for (const auto &call : rewritten.calls) {
        if (position > call.first && position < call.first + call.second)
            position = call.first;
    }
    const QString word = wordAt(text, rewritten, position);
    switch (failure.GetCode()) {
    case mu::ecUNASSIGNABLE_TOKEN:
    case mu::ecUNEXPECTED_OPERATOR:
        return {Text::tr("“%1” cannot stand here").arg(shown(word)), position};
    case mu::ecUNEXPECTED_VAL:
    case mu::ecUNEXPECTED_VAR:
    case mu::ecUNEXPECTED_FUN:
        return {Text::tr("an operator is missing before “%1”").arg(shown(word)), position};
    case mu::ecUNEXPECTED_PARENS: {
        if (word == QLatin1String("("))
            return {Text::tr("an operator is missing before “(”"), position};
        const QStringRef before = text.leftRef(std::max(position, 0));
        if (before.count(QLatin1Char('(')) <= before.count(QLatin1Char(')')))
            return {Text::tr("a bracket is not opened"), position};
        return {Text::tr("a value is missing before “)”"), position};
    }
    case mu::ecUNEXPECTED_ARG_SEP:
        return {Text::tr("a value is missing before the comma"), position};
    case mu::ecUNEXPECTED_ARG:
        return {Text::tr("a formula gives one value: no commas outside a function"), -1};
    case mu::ecMISSING_PARENS:
        return {Text::tr("a bracket is not closed"), position};
    case mu::ecUNEXPECTED_EOF:
        return {Text::tr("the formula ends too soon"), position};
    case mu::ecTOO_FEW_PARAMS:
    case mu::ecTOO_MANY_PARAMS:
        return {Text::tr("“%1” takes another number of values").arg(QString::fromStdString(failure.GetToken())),
                position};
    case mu::ecUNEXPECTED_CONDITIONAL:
        return {Text::tr("a value is missing before “?”"), position};
    case mu::ecMISSING_ELSE_CLAUSE:
        return {Text::tr("“?” needs a “:” after it"), -1};
    case mu::ecMISPLACED_COLON:
        return {Text::tr("“:” has no “?” before it"), position};
    default:
        return {Text::tr("the formula cannot be read"), position};
    }
}

} // namespace

QString FormulaError::text() const
{
    if (position < 0)
        return message;
    return Text::tr("%1 (at character %2)").arg(message).arg(position + 1);
}

MathFormula::MathFormula() : m_parser(std::make_unique<mu::Parser>())
{
    FormulaOperations::defineOn(*m_parser);
}

const QStringList &MathFormula::functionNames()
{
    return FormulaOperations::functionNames();
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
            *error = {Text::tr("a formula gives one value: no commas outside a function"), -1};
            return nullptr;
        }
        for (const auto &variable : used) {
            const double *slot = variable.second;
            if (slot >= formula->m_channelSlots.data()
                && slot < formula->m_channelSlots.data() + formula->m_channelSlots.size())
                formula->m_used.push_back(int(slot - formula->m_channelSlots.data()));
        }
    } catch (const mu::ParserError &failure) {
        *error = parserError(failure, text, rewritten);
        return nullptr;
    } catch (const std::exception &) {
        *error = {Text::tr("the formula cannot be read"), -1};
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
    FormulaOperations::forgetNoValue();
    try {
        const double value = m_parser->Eval();
        return !FormulaOperations::sawNoValue() && std::isfinite(value) ? value : qQNaN();
    } catch (const mu::ParserError &) {
        return qQNaN();
    }
}
