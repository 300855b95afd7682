#include "formulatext.h"

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

// The call's closing bracket, from its opening one at `open`, with its
// commas at its own depth; -1 when it is not closed.
int callEnd(const QString &text, int open, std::vector<int> *commas)
{
    int depth = 0;
    for (int at = open; at < text.size(); ++at) {
        const QChar c = text.at(at);
        if (c == QLatin1Char('('))
            ++depth;
        else if (c == QLatin1Char(')') && --depth == 0)
            return at;
        else if (c == QLatin1Char(',') && depth == 1)
            commas->push_back(at);
    }
    return -1;
}

// A call's place in the text it stands in, replaced by a variable of the
// same length: `prefix` and a number, then spaces.
void replaceCall(QString *text, int start, int end, const char *prefix, size_t number)
{
    QString variable = QLatin1String(prefix) + QString::number(number);
    variable += QString(end - start - variable.size(), QLatin1Char(' '));
    text->replace(start, end - start, variable);
}

bool rewriteRange(const QString &text, int from, int to, const QStringList &names, FormulaText *out,
                  QString *masked, FormulaError *error);

// Reads a filter's call from its name at `start`, its bracket at `open`,
// and its input, as a formula of its own, into out->filters; `at` ends
// after its closing bracket.
bool readFilterCall(const QString &text, ChannelFilter::Kind kind, int start, int open, const QStringList &names,
                    FormulaText *out, int &at, FormulaError *error)
{
    const QString name = text.mid(start, open - start).trimmed();
    std::vector<int> commas;
    const int close = callEnd(text, open, &commas);
    if (close < 0) {
        *error = {Text::tr("a bracket is not closed"), int(text.size())};
        return false;
    }
    if (commas.size() != (ChannelFilter::takesParameter(kind) ? 1u : 0u)) {
        *error = {Text::tr("“%1” takes another number of values").arg(name), start};
        return false;
    }
    const int inputEnd = commas.empty() ? close : commas.front();
    if (text.midRef(open + 1, inputEnd - open - 1).trimmed().isEmpty()) {
        *error = {commas.empty() ? Text::tr("a value is missing before “)”") : Text::tr("a value is missing before the comma"),
                  inputEnd};
        return false;
    }
    FilterCall call;
    call.kind = kind;
    if (!commas.empty()) {
        // A number as it stands, as avg's count.
        at = commas.front() + 1;
        skipSpaces(text, at);
        const int numberStart = at;
        skipNumber(text, at);
        bool isNumber = false;
        call.parameter = text.mid(numberStart, at - numberStart).toDouble(&isNumber);
        skipSpaces(text, at);
        if (!isNumber || at != close || !std::isfinite(call.parameter))
            call.parameter = qQNaN();
        const QString problem = ChannelFilter::parameterProblem(kind, call.parameter);
        if (!problem.isEmpty()) {
            *error = {problem, numberStart};
            return false;
        }
    }
    if (!rewriteRange(text, open + 1, inputEnd, names, out, &call.input, error))
        return false;
    if (out->filters.size() >= size_t(MathFormula::maxFilterTerms)) {
        *error = {Text::tr("a formula holds at most 8 filters"), start};
        return false;
    }
    out->filters.push_back(call);
    out->calls.emplace_back(start, close + 1 - start);
    at = close + 1;
    return true;
}

// The text from `from` to `to` into `masked`, with blanks before it and
// every avg()/rms() and filter call replaced by a variable of the call's
// length, and what each of them stands for. Refused here, in the user's
// words: other characters, an "=" that would assign, a number too large to
// hold, and every name that is not a channel, `t` or a function called as
// one (so the replacements' "_p0" and the parser's own "_pi" are unknown
// names too).
bool rewriteRange(const QString &text, int from, int to, const QStringList &names, FormulaText *out,
                  QString *masked, FormulaError *error)
{
    const auto fail = [&](const QString &message, int position) {
        *error = {message, position};
        return false;
    };
    *masked = QString(from, QLatin1Char(' ')) + text.mid(from, to - from);
    for (int at = from; at < to;) {
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
        ChannelFilter::Kind kind;
        if (called && ChannelFilter::kindOf(name, &kind)) {
            if (!readFilterCall(text, kind, start, next, names, out, at, error))
                return false;
            replaceCall(masked, start, at, "_f", out->filters.size() - 1);
            continue;
        }
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
        replaceCall(masked, start, at, "_p", out->terms.size());
        out->terms.push_back(term);
        out->calls.emplace_back(start, at - start);
    }
    return true;
}

// Whether a call is a variable in the text a parser read: a filter's input
// holds the calls inside it only.
bool replacedIn(const QString &parsed, const std::pair<int, int> &call)
{
    return call.first < parsed.size() && parsed.at(call.first) == QLatin1Char('_');
}

// What the user wrote at `at`: a whole call replaced in `parsed`, a name, a
// number or an operator.
QString wordAt(const QString &text, const QString &parsed, const FormulaText &read, int at)
{
    for (const auto &call : read.calls) {
        if (call.first == at && replacedIn(parsed, call))
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

} // namespace

FormulaError formulaParserError(const mu::ParserError &failure, const QString &text, const FormulaText &read,
                                const QString &parsed)
{
    // The parser may point one past the end, past a sign ("-") it did not
    // expect, or into a replaced call.
    int position = failure.GetPos();
    if (failure.GetCode() == mu::ecUNEXPECTED_OPERATOR)
        position -= int(failure.GetToken().size());
    position = std::clamp(position, -1, int(text.size()));
    for (const auto &call : read.calls) {
        if (position > call.first && position < call.first + call.second && replacedIn(parsed, call))
            position = call.first;
    }
    const QString word = wordAt(text, parsed, read, position);
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

bool readFormulaText(const QString &text, const QStringList &names, FormulaText *out, FormulaError *error)
{
    return rewriteRange(text, 0, int(text.size()), names, out, &out->text, error);
}
