#pragma once

#include "savedfile.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <string>

class SampleStore;

// CSV as spreadsheets read it everywhere: UTF-8 without BOM, "," between
// fields, "." as the decimal point whatever the locale, LF line endings. A
// field holding a comma, a quote, CR or LF is quoted, its quotes doubled.
namespace Csv {

// The fields as one line, with its line feed.
QByteArray line(const QStringList &fields);

// Nanoseconds as seconds with six decimals, rounded to the nearest
// microsecond: 1234567890 gives "1.234568". Integer maths throughout.
QByteArray seconds(qint64 ns);

// `text` without surrounding white space when it is a plain decimal number
// ("-12", "1650", "0.5", "1e3"; a leading "+" is dropped), else an empty
// string. A board's damaged text ("=1+2", "-cmd", "12,5 kHz") never reaches
// a cell, where a spreadsheet could run it as a formula.
QString number(const QString &text);

// A table for SavedFile: the header line, then one line per row; an empty
// string is an empty cell.
SavedFile::Source table(const QStringList &header, const QList<QStringList> &rows);
// The held samples with fromIndex <= index <= toIndex as a table for
// SavedFile: the header line, then the sample's index and its values, an
// empty cell where a value is missing. It reads `store` as the file is
// written, which must keep it; the newest sample now is the last row, and a
// sample the store drops before it is reached is left out.
SavedFile::Source sampleTable(const SampleStore &store, const QStringList &header,
                              qint64 fromIndex, qint64 toIndex);

// One capture's samples, fromIndex <= index <= toIndex, as the table above
// with a last column "trigger" holding 1 on the crossing's row, made now:
// the store may drop them before the file is written.
QByteArray captureTable(const SampleStore &store, const QStringList &header, qint64 fromIndex,
                        qint64 toIndex, qint64 triggerIndex);

// The same, appended to bytes being built. appendField() and appendLine()
// return true when a field holds a line feed, which then sits inside quotes.
void appendInteger(std::string &out, qint64 value);
void appendSeconds(std::string &out, qint64 ns);
// As few digits as give `value` back exactly ("0.1", "-3.25", "1e+21");
// nothing for NaN, which is no value.
void appendNumber(std::string &out, double value);
bool appendField(std::string &out, const QString &text);
bool appendLine(std::string &out, const QStringList &fields);

// The same written in place, for rows made a million a second: `out` has
// room for maxNumberChars; returns the end of what was written.
constexpr int maxNumberChars = 24;
char *writeInteger(char *out, qint64 value);
char *writeSeconds(char *out, qint64 ns);

} // namespace Csv
