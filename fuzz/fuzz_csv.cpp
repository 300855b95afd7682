// The CSV helpers: any field text, written as a line and read back by a
// plain RFC 4180 reader, gives the same fields; numbers come out the same
// whatever locale the process runs in, and only numbers pass as numbers.
#include "csv.h"
#include "fuzzcheck.h"

#include <QLocale>

#include <clocale>
#include <cstdio>
#include <cstring>

namespace {

// One record from `text` at `at`, which moves past its line feed. False when
// the text is no well-formed record: a stray quote or CR outside quotes, an
// unclosed quote, or no line feed at the end.
bool readRecord(const QByteArray &text, int &at, QList<QByteArray> &fields)
{
    fields.clear();
    const int size = text.size();
    for (;;) {
        QByteArray field;
        if (at < size && text.at(at) == '"') {
            ++at;
            for (;;) {
                if (at >= size)
                    return false;
                const char c = text.at(at++);
                if (c != '"')
                    field += c;
                else if (at < size && text.at(at) == '"')
                    field += text.at(at++);
                else
                    break;
            }
        } else {
            while (at < size && text.at(at) != ',' && text.at(at) != '\n') {
                if (text.at(at) == '"' || text.at(at) == '\r')
                    return false;
                field += text.at(at++);
            }
        }
        if (at >= size)
            return false;
        fields.append(field);
        const char end = text.at(at++);
        if (end == '\n')
            return true;
        if (end != ',')
            return false;
    }
}

// Seconds as the C library prints them, for comparison.
QByteArray referenceSeconds(qint64 ns)
{
    const bool negative = ns < 0;
    const unsigned long long magnitude =
        negative ? 0ull - static_cast<unsigned long long>(ns) : static_cast<unsigned long long>(ns);
    const unsigned long long microseconds = (magnitude + 500) / 1000;
    char text[48];
    std::snprintf(text, sizeof text, "%s%llu.%06llu", negative && microseconds ? "-" : "",
                  microseconds / 1000000, microseconds % 1000000);
    return QByteArray(text);
}

bool looksLikeANumber(const QString &cell)
{
    if (cell.isEmpty())
        return true;
    for (const QChar c : cell) {
        if (!c.isDigit() && c != QLatin1Char('.') && c != QLatin1Char('e') && c != QLatin1Char('E')
            && c != QLatin1Char('-') && c != QLatin1Char('+'))
            return false;
        if (c.isDigit() && c.unicode() > '9')
            return false; // digits of other scripts are no numbers to a spreadsheet
    }
    const QChar first = cell.at(0);
    return first != QLatin1Char('+')
           && (first != QLatin1Char('-') || (cell.size() > 1 && cell.at(1) != QLatin1Char('-')));
}

struct Formatted
{
    QByteArray seconds;
    QByteArray line;
    std::string integer;
    QStringList numbers;

    bool operator==(const Formatted &other) const
    {
        return seconds == other.seconds && line == other.line && integer == other.integer
               && numbers == other.numbers;
    }
};

Formatted format(qint64 value, const QStringList &fields)
{
    Formatted out;
    out.seconds = Csv::seconds(value);
    Csv::appendInteger(out.integer, value);
    for (const QString &field : fields)
        out.numbers.append(Csv::number(field));
    out.line = Csv::line(out.numbers);
    return out;
}

const char *const locales[] = {"de_DE", "ar_EG", "fa_IR", "hi_IN", "fr_CH", "C"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte separates the fields of the rest.
    const char separator = char(data[0]);
    const QByteArray rest(reinterpret_cast<const char *>(data + 1), int(size - 1));
    QStringList fields;
    QList<QByteArray> expected;
    for (const QByteArray &piece : rest.split(separator)) {
        fields.append(QString::fromUtf8(piece));
        expected.append(fields.constLast().toUtf8());
    }

    // Two lines back to back read back as the two records they were.
    const QByteArray text = Csv::line(fields) + Csv::line(fields.mid(1));
    int at = 0;
    QList<QByteArray> read;
    FUZZ_CHECK(readRecord(text, at, read));
    FUZZ_CHECK(read == expected);
    FUZZ_CHECK(readRecord(text, at, read));
    QList<QByteArray> second = expected.mid(1);
    if (second.isEmpty())
        second.append(QByteArray());
    FUZZ_CHECK(read == second);
    FUZZ_CHECK(at == text.size());

    qint64 value = 0;
    std::memcpy(&value, rest.constData(), std::min(size_t(rest.size()), sizeof value));
    const Formatted inC = format(value, fields);
    FUZZ_CHECK(inC.seconds == referenceSeconds(value));
    FUZZ_CHECK(inC.integer == std::to_string(value));
    for (const QString &cell : inC.numbers)
        FUZZ_CHECK(looksLikeANumber(cell));
    for (const char *name : locales) {
        QLocale::setDefault(QLocale(QLatin1String(name)));
        std::setlocale(LC_ALL, (std::string(name) + ".UTF-8").c_str());
        FUZZ_CHECK(format(value, fields) == inC);
    }
    return 0;
}
