#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <string>

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

// Writes a whole table at once: the header line, then one line per row; an
// empty string is an empty cell. Returns an empty string on success, else
// the system's reason. A failed write leaves an earlier file as it was.
QString writeTable(const QString &path, const QStringList &header,
                   const QList<QStringList> &rows);

// The same, appended to bytes being built. appendField() and appendLine()
// return true when a field holds a line feed, which then sits inside quotes.
void appendInteger(std::string &out, qint64 value);
void appendSeconds(std::string &out, qint64 ns);
bool appendField(std::string &out, const QString &text);
bool appendLine(std::string &out, const QStringList &fields);

} // namespace Csv
