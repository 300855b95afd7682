#include "scpiparser.h"

#include <QHash>

#include <algorithm>

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

// `text` split at every `separator` that is not inside a string or a list;
// false where a string is not closed.
bool splitOutside(const QByteArray &text, char separator, QList<QByteArray> *parts)
{
    char quote = 0;
    int depth = 0;
    int start = 0;
    for (int i = 0; i < text.size(); ++i) {
        const char c = text.at(i);
        if (quote) {
            if (c == quote)
                quote = 0; // a doubled quote closes and opens again
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')') {
            depth = std::max(depth - 1, 0);
        } else if (c == separator && depth == 0) {
            parts->append(text.mid(start, i - start));
            start = i + 1;
        }
    }
    parts->append(text.mid(start));
    return quote == 0;
}

// A word's letters and its trailing digits: "SOUR12" is "SOUR" and 12; no
// digits: -1; digits too many to be a suffix: -2.
int splitSuffix(const QByteArray &word, QByteArray *letters)
{
    int end = word.size();
    while (end > 0 && word.at(end - 1) >= '0' && word.at(end - 1) <= '9')
        --end;
    *letters = word.left(end);
    if (end == word.size() || end == 0)
        return -1;
    if (word.size() - end > 6)
        return -2;
    return word.mid(end).toInt();
}

} // namespace

namespace Scpi {

QByteArray errorText(int code)
{
    static const QHash<int, QByteArray> texts{
        {ScpiError::none, "No error"},
        {ScpiError::syntax, "Syntax error"},
        {ScpiError::dataType, "Data type error"},
        {ScpiError::parameterNotAllowed, "Parameter not allowed"},
        {ScpiError::missingParameter, "Missing parameter"},
        {ScpiError::undefinedHeader, "Undefined header"},
        {ScpiError::headerSuffixOutOfRange, "Header suffix out of range"},
        {ScpiError::invalidSuffix, "Invalid suffix"},
        {ScpiError::invalidStringData, "Invalid string data"},
        {ScpiError::execution, "Execution error"},
        {ScpiError::settingsConflict, "Settings conflict"},
        {ScpiError::dataOutOfRange, "Data out of range"},
        {ScpiError::illegalParameterValue, "Illegal parameter value"},
        {ScpiError::dataStale, "Data corrupt or stale"},
        {ScpiError::hardware, "Hardware error"},
        {ScpiError::queueOverflow, "Queue overflow"},
        {ScpiError::inputBufferOverrun, "Input buffer overrun"},
        {ScpiError::queryInterrupted, "Query INTERRUPTED"},
    };
    return texts.value(code, "Error");
}

QList<Unit> splitMessage(const QByteArray &line, int *error)
{
    *error = ScpiError::none;
    QList<QByteArray> commands;
    if (!splitOutside(line, ';', &commands)) {
        *error = ScpiError::invalidStringData;
        return {};
    }
    QList<Unit> units;
    for (const QByteArray &command : commands) {
        const QByteArray text = command.trimmed();
        if (text.isEmpty())
            continue;
        int headerEnd = 0;
        while (headerEnd < text.size() && !isSpace(text.at(headerEnd)))
            ++headerEnd;
        Unit unit;
        unit.header = text.left(headerEnd);
        if (unit.header.startsWith(':')) {
            unit.fromRoot = true;
            unit.header.remove(0, 1);
        }
        if (unit.header.isEmpty()) {
            *error = ScpiError::syntax;
            return units;
        }
        const QByteArray rest = text.mid(headerEnd).trimmed();
        if (!rest.isEmpty()) {
            splitOutside(rest, ',', &unit.parameters);
            for (QByteArray &parameter : unit.parameters) {
                parameter = parameter.trimmed();
                if (parameter.isEmpty()) {
                    *error = ScpiError::syntax;
                    return units;
                }
            }
        }
        units.append(unit);
    }
    return units;
}

HeaderTable::HeaderTable(const QList<QByteArray> &patterns)
{
    for (QByteArray text : patterns) {
        Pattern pattern;
        pattern.query = text.endsWith('?');
        if (pattern.query)
            text.chop(1);
        if (text.startsWith('*')) {
            pattern.common = text.toUpper();
            m_patterns.append(pattern);
            continue;
        }
        bool optional = false;
        QByteArray word;
        const auto finishWord = [&] {
            if (word.isEmpty())
                return;
            Node node;
            node.numbered = word.endsWith('#');
            if (node.numbered)
                word.chop(1);
            node.longForm = word.toUpper();
            for (char c : word) {
                if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
                    node.shortForm.append(c);
            }
            node.optional = optional;
            pattern.nodes.append(node);
            word.clear();
        };
        for (char c : text) {
            if (c == ':' || c == '[' || c == ']') {
                finishWord();
                if (c == '[')
                    optional = true;
                else if (c == ']')
                    optional = false;
            } else {
                word.append(c);
            }
        }
        finishWord();
        m_patterns.append(pattern);
    }
}

bool HeaderTable::matchNodes(const Pattern &pattern, int node, const QList<QByteArray> &words,
                             int word, QVector<int> &suffixes) const
{
    if (node == pattern.nodes.size())
        return word == words.size();
    const Node &n = pattern.nodes.at(node);
    if (word < words.size()) {
        QByteArray letters;
        const int suffix = splitSuffix(words.at(word), &letters);
        const bool named = letters == n.shortForm || letters == n.longForm;
        if (named && (n.numbered || suffix == -1)) {
            const int size = suffixes.size();
            if (n.numbered)
                suffixes.append(suffix == -1 ? 1 : suffix < 0 ? 0 : suffix);
            if (matchNodes(pattern, node + 1, words, word + 1, suffixes))
                return true;
            suffixes.resize(size);
        }
    }
    if (!n.optional)
        return false;
    const int size = suffixes.size();
    if (n.numbered)
        suffixes.append(1);
    if (matchNodes(pattern, node + 1, words, word, suffixes))
        return true;
    suffixes.resize(size);
    return false;
}

HeaderTable::Match HeaderTable::matchWords(const QList<QByteArray> &words, bool query) const
{
    Match found;
    for (int row = 0; row < m_patterns.size(); ++row) {
        const Pattern &pattern = m_patterns.at(row);
        QVector<int> suffixes;
        if (pattern.query != query || !pattern.common.isEmpty()
            || !matchNodes(pattern, 0, words, 0, suffixes))
            continue;
        found.row = row;
        found.suffixes = suffixes;
        found.branch = words.mid(0, words.size() - 1);
        return found;
    }
    return found;
}

HeaderTable::Match HeaderTable::match(const QByteArray &header, const QList<QByteArray> &branch) const
{
    QByteArray text = header.toUpper();
    const bool query = text.endsWith('?');
    if (query)
        text.chop(1);
    if (text.startsWith('*')) {
        for (int row = 0; row < m_patterns.size(); ++row) {
            if (m_patterns.at(row).common == text && m_patterns.at(row).query == query) {
                Match found;
                found.row = row;
                found.branch = branch; // a common command leaves the branch as it is
                return found;
            }
        }
        return {};
    }
    const QList<QByteArray> words = text.split(':');
    for (const QByteArray &word : words) {
        if (word.isEmpty())
            return {};
    }
    if (!branch.isEmpty()) {
        const Match relative = matchWords(branch + words, query);
        if (relative.row >= 0)
            return relative;
    }
    return matchWords(words, query);
}

} // namespace Scpi
