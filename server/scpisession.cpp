#include "scpisession.h"

#include "remoteboard.h"

#include <QPointer>

namespace {

// The bits of the standard event status register.
constexpr quint8 operationCompleteBit = 0x01;
constexpr quint8 queryErrorBit = 0x04;
constexpr quint8 deviceErrorBit = 0x08;
constexpr quint8 executionErrorBit = 0x10;
constexpr quint8 commandErrorBit = 0x20;

quint8 eventBitOf(int code)
{
    if (code <= -100 && code > -200)
        return commandErrorBit;
    if (code <= -200 && code > -300)
        return executionErrorBit;
    if (code <= -300 && code > -400)
        return deviceErrorBit;
    return queryErrorBit;
}

} // namespace

void ErrorQueue::push(int code, const QByteArray &detail)
{
    if (size() >= capacity)
        return;
    QByteArray text = Scpi::errorText(code);
    if (!detail.isEmpty())
        text += ';' + detail;
    if (size() == capacity - 1) {
        code = ScpiError::queueOverflow;
        text = Scpi::errorText(code);
    }
    m_entries.push_back(QByteArray::number(code) + ',' + Scpi::quoted(text));
}

QByteArray ErrorQueue::takeOldest()
{
    if (m_entries.empty())
        return QByteArray("0,") + Scpi::quoted(Scpi::errorText(ScpiError::none));
    const QByteArray oldest = m_entries.front();
    m_entries.pop_front();
    return oldest;
}

ScpiSession::ScpiSession(RemoteBoard &board, QObject *parent) : QObject(parent), m_board(board) {}

QList<QByteArray> ScpiSession::headers()
{
    QList<QByteArray> patterns;
    for (const Row *row = table; row->pattern; ++row)
        patterns.append(row->pattern);
    return patterns;
}

const Scpi::HeaderTable &ScpiSession::headerTable()
{
    static const Scpi::HeaderTable compiled(headers());
    return compiled;
}

void ScpiSession::pushError(int code, const QByteArray &detail)
{
    m_eventStatus |= eventBitOf(code);
    // One line: a board's reason may hold line ends.
    m_errors.push(code, QByteArray(detail).replace('\n', ' ').simplified());
}

void ScpiSession::refuseLine()
{
    pushError(ScpiError::inputBufferOverrun, "line over 64 KiB");
}

void ScpiSession::takeLine(const QByteArray &line)
{
    int error = ScpiError::none;
    const QList<Scpi::Unit> units = Scpi::splitMessage(line, &error);
    m_units.insert(m_units.end(), units.begin(), units.end());
    // A message starts at the root.
    m_branch.clear();
    m_answers.clear();
    m_answered = false;
    runUnits();
    if (error != ScpiError::none)
        pushError(error);
}

void ScpiSession::runUnits()
{
    while (!m_units.empty() && !m_waiting) {
        const Scpi::Unit unit = m_units.front();
        m_units.pop_front();
        const Scpi::HeaderTable::Match match =
            headerTable().match(unit.header, unit.fromRoot ? QList<QByteArray>() : m_branch);
        if (match.row < 0) {
            pushError(ScpiError::undefinedHeader, unit.header.left(40));
            continue;
        }
        m_branch = match.branch;
        Call call;
        call.suffixes = match.suffixes;
        call.parameters = unit.parameters;
        const quint64 number = ++m_callNumber;
        QPointer<ScpiSession> self(this);
        call.finish = [self, number](const Result &result) {
            if (!self || self->m_callNumber != number)
                return;
            if (!self->m_waiting) {
                // Finished before its handler returned.
                self->m_earlyResult = result;
                return;
            }
            self->m_waiting = false;
            self->finishUnit(result);
            self->runUnits();
        };
        m_earlyResult.reset();
        const Result result = (this->*table[match.row].handler)(call);
        if (result.kind != Result::Kind::Later)
            finishUnit(result);
        else if (m_earlyResult)
            finishUnit(*m_earlyResult);
        else
            m_waiting = true;
    }
    if (m_waiting)
        return;
    if (m_answered)
        emit answered(m_answers + '\n');
    m_answers.clear();
    m_answered = false;
    emit becameReady();
}

void ScpiSession::finishUnit(const Result &result)
{
    switch (result.kind) {
    case Result::Kind::Answer:
        if (m_answered)
            m_answers += ';';
        m_answers += result.text;
        m_answered = true;
        return;
    case Result::Kind::Error:
        pushError(result.code, result.text);
        return;
    case Result::Kind::Done:
    case Result::Kind::Later:
        return;
    }
}

bool ScpiSession::hasParameters(const Call &call, int least, int most)
{
    if (call.parameters.size() < least) {
        pushError(ScpiError::missingParameter);
        return false;
    }
    if (call.parameters.size() > most) {
        pushError(ScpiError::parameterNotAllowed);
        return false;
    }
    return true;
}

ScpiSession::Result ScpiSession::hardware(const QString &failure)
{
    return Result::error(ScpiError::hardware, failure.toUtf8());
}

ScpiSession::Result ScpiSession::whenIdle(std::function<Result()> then, Call &call)
{
    if (m_board.isIdle())
        return then();
    auto finish = call.finish;
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = connect(&m_board, &RemoteBoard::becameIdle, this, [this, finish, then, connection] {
        if (!m_board.isIdle())
            return;
        disconnect(*connection);
        finish(then());
    });
    return Result::later();
}
