#pragma once

#include <QByteArray>
#include <QList>
#include <QVector>

#include <optional>

// The standard errors a command may end in, with SCPI's numbers; their texts
// come from Scpi::errorText().
namespace ScpiError {
constexpr int none = 0;
constexpr int syntax = -102;
constexpr int dataType = -104;
constexpr int parameterNotAllowed = -108;
constexpr int missingParameter = -109;
constexpr int undefinedHeader = -113;
constexpr int headerSuffixOutOfRange = -114;
constexpr int invalidSuffix = -131;
constexpr int invalidStringData = -151;
constexpr int execution = -200;
constexpr int parameter = -220;
constexpr int settingsConflict = -221;
constexpr int dataOutOfRange = -222;
constexpr int illegalParameterValue = -224;
constexpr int dataStale = -230;
constexpr int hardware = -240;
constexpr int queueOverflow = -350;
constexpr int inputBufferOverrun = -363;
constexpr int queryInterrupted = -410;
} // namespace ScpiError

// Reading SCPI's text, without a socket or a board: a program message split
// into its commands, a header matched against a table of patterns, and the
// parameters read as numbers, booleans, strings, choices and channel lists.
// Every reader says what is wrong as a standard error number.
namespace Scpi {

// "No error", "Undefined header", …, for the numbers of ScpiError.
QByteArray errorText(int code);

// One command of a program message: its header as written (a leading ":"
// dropped, a "?" kept) and its parameters as written, trimmed.
struct Unit
{
    QByteArray header;
    QList<QByteArray> parameters;
    // Written with a leading ":": it starts from the root, not from the
    // branch of the command before it.
    bool fromRoot = false;
};

// Splits a program message (one line, without its line end) at every ";"
// that is not inside a string, and each command into header and
// parameters. An empty command (";;", a trailing ";") is skipped. On a
// mistake, `error` says which, and the units before it are returned.
QList<Unit> splitMessage(const QByteArray &line, int *error);

// A table of header patterns such as "SOURce#:PWM:FREQuency?": the short
// form in capitals, optional nodes in "[:…]", "#" where a node takes a
// number (1 when none is written), "?" for a query. Letters match either
// form in any case.
class HeaderTable
{
public:
    explicit HeaderTable(const QList<QByteArray> &patterns);

    struct Match
    {
        // The pattern's row, or -1.
        int row = -1;
        // One number per "#" node, in order.
        QVector<int> suffixes;
        // The header's nodes as written, the last left out: where a
        // following command without a leading ":" starts.
        QList<QByteArray> branch;
    };
    // `header` as written (no leading ":"), relative to `branch`; a header
    // that is not there relative to it is looked for from the root.
    Match match(const QByteArray &header, const QList<QByteArray> &branch = {}) const;

private:
    struct Node
    {
        QByteArray shortForm;
        QByteArray longForm;
        bool optional = false;
        bool numbered = false;
    };
    struct Pattern
    {
        QByteArray common; // "*IDN?": matched whole
        QVector<Node> nodes;
        bool query = false;
    };
    bool matchNodes(const Pattern &pattern, int node, const QList<QByteArray> &words, int word,
                    QVector<int> &suffixes) const;
    Match matchWords(const QList<QByteArray> &words, bool query) const;

    QVector<Pattern> m_patterns;
};

// Whether `word` is the short or long form of `mnemonic` ("OSCiloscope").
bool isMnemonic(const QByteArray &word, const char *mnemonic);

// What a number counts in, for the suffixes it may carry.
enum class Quantity { Plain, Hertz, Percent };

// A decimal number with an optional exponent and, for `quantity`, a multiplier
// or unit suffix ("1.25kHz", "1.25 KHZ", "2MHZ", "50PCT", "1e3"); MINimum and
// MAXimum give `minimum` and `maximum`. Nothing, with `error`, otherwise.
std::optional<double> number(const QByteArray &text, Quantity quantity, double minimum, double maximum,
                             int *error);
// A whole number within [minimum, maximum], the number rounded; out of range
// is dataOutOfRange.
std::optional<int> wholeNumber(const QByteArray &text, Quantity quantity, int minimum, int maximum,
                               int *error);
// ON, OFF, or a number (non-zero is on).
std::optional<bool> boolean(const QByteArray &text, int *error);
// A string in double or single quotes, a doubled quote inside standing for one.
std::optional<QByteArray> string(const QByteArray &text, int *error);
// A channel list "(@0)", "(@0,2)", "(@0:2)" with channels from 0 to `last`.
std::optional<QVector<int>> channelList(const QByteArray &text, int last, int *error);
// Which of `mnemonics` (null-terminated) the word is, or nothing with
// illegalParameterValue.
std::optional<int> choice(const QByteArray &text, const char *const *mnemonics, int *error);

// A string as an answer: in double quotes, a quote inside doubled.
QByteArray quoted(const QByteArray &text);
// A number as an answer; NaN ("no value") is SCPI's 9.91E+37.
QByteArray number(double value);

} // namespace Scpi
