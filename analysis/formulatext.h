#pragma once

#include "channelfilter.h"
#include "mathformula.h"

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace mu {
class ParserError;
}

// A filter's call: its kind, its second value, and its input as the
// parser reads it: the user's text up to the end of the input, blanks
// before it, inner calls replaced.
struct FilterCall
{
    ChannelFilter::Kind kind = ChannelFilter::Kind::Hold;
    double parameter = 0;
    QString input;
};

// The user's text as the parsers read it: avg(), rms() and the filters'
// calls replaced by variables of the same length, so that positions in the
// parser's errors are positions in the user's text.
struct FormulaText
{
    QString text;
    std::vector<PastTerm> terms;
    // Inner calls before the outer ones.
    std::vector<FilterCall> filters;
    // Where each replaced call stands, in the user's text and the same in
    // the rewritten one: its first character and its length.
    std::vector<std::pair<int, int>> calls;
};

// Reads the user's text. Refused here, in the user's words: other
// characters, an "=" that would assign, a number too large to hold, a name
// that is not a channel, `t` or a function called as one, and a call of
// avg(), rms() or a filter that does not read as one.
bool readFormulaText(const QString &text, const QStringList &names, FormulaText *out, FormulaError *error);
// A parser's refusal of `parsed` (read.text or a filter's input) in the
// user's words, at the place in the user's text.
FormulaError formulaParserError(const mu::ParserError &failure, const QString &text, const FormulaText &read,
                                const QString &parsed);
