#include "csv.h"

#include "samplestore.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

QByteArray toByteArray(const std::string &text)
{
    return QByteArray(text.data(), int(text.size()));
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Skips the digits from `at`; returns how many there were.
int skipDigits(const QString &text, int &at)
{
    const int from = at;
    while (at < text.size() && isDigit(text.at(at)))
        ++at;
    return at - from;
}

} // namespace

namespace Csv {

char *writeInteger(char *out, qint64 value)
{
    // std::to_chars knows no locale: digits and "-" only.
    return std::to_chars(out, out + maxNumberChars, value).ptr;
}

void appendNumber(std::string &out, double value)
{
    if (std::isnan(value))
        return;
    char digits[32];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, size_t(result.ptr - digits));
}

char *writeSeconds(char *out, qint64 ns)
{
    // Half a microsecond rounds away from zero; unsigned, so no value overflows.
    const bool negative = ns < 0;
    const quint64 magnitude = negative ? quint64(0) - quint64(ns) : quint64(ns);
    const quint64 microseconds = (magnitude + 500) / 1000;
    char text[maxNumberChars];
    char *p = text + sizeof text;
    quint64 fraction = microseconds % 1000000;
    for (int i = 0; i < 6; ++i, fraction /= 10)
        *--p = char('0' + fraction % 10);
    *--p = '.';
    quint64 whole = microseconds / 1000000;
    do {
        *--p = char('0' + whole % 10);
        whole /= 10;
    } while (whole != 0);
    if (negative && microseconds != 0)
        *--p = '-';
    return std::copy(p, text + sizeof text, out);
}

void appendInteger(std::string &out, qint64 value)
{
    char digits[maxNumberChars];
    out.append(digits, size_t(writeInteger(digits, value) - digits));
}

void appendSeconds(std::string &out, qint64 ns)
{
    char text[maxNumberChars];
    out.append(text, size_t(writeSeconds(text, ns) - text));
}

bool appendField(std::string &out, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    bool needsQuotes = false;
    bool hasLineFeed = false;
    for (const char c : utf8) {
        if (c == ',' || c == '"' || c == '\r')
            needsQuotes = true;
        else if (c == '\n')
            needsQuotes = hasLineFeed = true;
    }
    if (!needsQuotes) {
        out.append(utf8.constData(), size_t(utf8.size()));
        return false;
    }
    out += '"';
    for (const char c : utf8) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
    return hasLineFeed;
}

bool appendLine(std::string &out, const QStringList &fields)
{
    bool hasLineFeed = false;
    for (int i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += ',';
        hasLineFeed |= appendField(out, fields.at(i));
    }
    out += '\n';
    return hasLineFeed;
}

QByteArray line(const QStringList &fields)
{
    std::string out;
    appendLine(out, fields);
    return toByteArray(out);
}

QByteArray seconds(qint64 ns)
{
    std::string out;
    appendSeconds(out, ns);
    return toByteArray(out);
}

QString number(const QString &text)
{
    QString plain = text.trimmed();
    if (plain.startsWith(QLatin1Char('+')))
        plain.remove(0, 1);
    int at = plain.startsWith(QLatin1Char('-')) ? 1 : 0;
    int digits = skipDigits(plain, at);
    if (at < plain.size() && plain.at(at) == QLatin1Char('.')) {
        ++at;
        digits += skipDigits(plain, at);
    }
    if (digits == 0)
        return QString();
    if (at < plain.size() && (plain.at(at) == QLatin1Char('e') || plain.at(at) == QLatin1Char('E'))) {
        ++at;
        if (at < plain.size() && (plain.at(at) == QLatin1Char('+') || plain.at(at) == QLatin1Char('-')))
            ++at;
        if (skipDigits(plain, at) == 0)
            return QString();
    }
    return at == plain.size() ? plain : QString();
}

SavedFile::Source table(const QStringList &header, const QList<QStringList> &rows)
{
    return [header, rows, next = -1](std::string &out) mutable {
        if (next < 0) {
            appendLine(out, header);
            next = 0;
        }
        for (; next < rows.size() && out.size() < SavedFile::blockBytes; ++next)
            appendLine(out, rows.at(next));
        return rows.isEmpty() ? 1.0 : double(next) / rows.size();
    };
}

namespace {

// A held sample's row of a sample table, without its line end.
void appendSampleFields(std::string &out, const SampleStore &store, int position)
{
    const Sample &sample = store.at(position);
    appendInteger(out, sample.index);
    for (int channel = 0; channel < Sample::channelCount; ++channel) {
        out += ',';
        if (sample.hasValue(channel))
            appendInteger(out, sample.values[size_t(channel)]);
    }
    for (int channel = Sample::channelCount; channel < store.channelCount(); ++channel) {
        out += ',';
        double value = 0;
        if (store.value(position, channel, &value))
            appendNumber(out, value);
    }
}

} // namespace

QByteArray captureTable(const SampleStore &store, const QStringList &header, qint64 fromIndex,
                        qint64 toIndex, qint64 triggerIndex)
{
    std::string out;
    appendLine(out, header + QStringList(QStringLiteral("trigger")));
    for (int position = std::max(store.positionOf(fromIndex), 0); position < store.size(); ++position) {
        const qint64 index = store.at(position).index;
        if (index < fromIndex)
            continue;
        if (index > toIndex)
            break;
        appendSampleFields(out, store, position);
        out += index == triggerIndex ? ",1\n" : ",\n";
    }
    return QByteArray(out.data(), int(out.size()));
}

SavedFile::Source sampleTable(const SampleStore &store, const QStringList &header,
                              qint64 fromIndex, qint64 toIndex)
{
    if (!store.isEmpty())
        toIndex = std::min(toIndex, store.newest().index);
    bool headerDone = false;
    qint64 next = fromIndex;
    return [&store, header, headerDone, next, fromIndex, toIndex](std::string &out) mutable {
        if (!headerDone) {
            appendLine(out, header);
            headerDone = true;
        }
        // Found again for every block: samples came and went in between.
        int position = 0;
        for (int count = store.size(); count > 0;) {
            const int half = count / 2;
            if (store.at(position + half).index < next) {
                position += half + 1;
                count -= half + 1;
            } else {
                count = half;
            }
        }
        for (; position < store.size() && out.size() < SavedFile::blockBytes; ++position) {
            const Sample &sample = store.at(position);
            if (sample.index > toIndex)
                break;
            appendSampleFields(out, store, position);
            out += '\n';
            next = sample.index + 1;
        }
        if (position >= store.size() || store.at(position).index > toIndex || next > toIndex)
            return 1.0;
        // Short of 1 until the last row is in.
        return std::min(double(next - fromIndex) / double(toIndex - fromIndex + 1), 0.999);
    };
}

} // namespace Csv
