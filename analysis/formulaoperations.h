#pragma once

#include <QString>
#include <QStringList>

namespace mu {
class Parser;
}

// The operators and functions a formula may use, every one the panel's own
// and none folded while parsing, so that a NaN ("no value") going in or
// coming out of any of them is noted and cannot be swallowed on its way.
namespace FormulaOperations {

// Replaces the parser's own operators and functions with these.
void defineOn(mu::Parser &parser);
// The functions' names, as a formula calls them.
const QStringList &functionNames();
// Whether `text` holds an operator of two characters ("<=", "&&") at `at`.
bool twoCharacterOperatorAt(const QString &text, int at);
// Before an evaluation: forget a NaN met by an earlier one. After it:
// whether one was met (on this thread).
void forgetNoValue();
bool sawNoValue();

} // namespace FormulaOperations
