#pragma once

#include "scpiparser.h"

#include <QByteArray>
#include <QObject>

#include <deque>
#include <functional>
#include <optional>

class RemoteBoard;

// A client's errors, oldest first, at most `capacity`: when it is full, the
// newest entry becomes "Queue overflow" and further errors are lost, as SCPI
// has it.
class ErrorQueue
{
public:
    static constexpr int capacity = 16;

    void push(int code, const QByteArray &detail = QByteArray());
    // `0,"No error"` when empty.
    QByteArray takeOldest();
    int size() const { return int(m_entries.size()); }
    void clear() { m_entries.clear(); }

private:
    std::deque<QByteArray> m_entries;
};

// One client's conversation, without a socket: program messages in, one
// answer line out for each message with queries, errors to its own queue.
// The commands are one table (scpicommands.cpp). A command that waits for
// the board (a measurement, samples, *OPC?) holds the commands after it
// until it is done, so answers come in order; meanwhile isBusy() is true
// and the front end takes no further line.
class ScpiSession : public QObject
{
    Q_OBJECT

public:
    explicit ScpiSession(RemoteBoard &board, QObject *parent = nullptr);

    // One program message, its line end taken off; only while not busy.
    void takeLine(const QByteArray &line);
    // A line longer than the front end takes was dropped.
    void refuseLine();
    bool isBusy() const { return m_waiting; }
    ErrorQueue &errors() { return m_errors; }

    // Every header the table knows, as its patterns.
    static QList<QByteArray> headers();

    // What a handler returns: done, an answer, an error, or later (it then
    // calls the call's finish with one of the others).
    struct Result
    {
        enum class Kind { Done, Answer, Error, Later };
        Kind kind = Kind::Done;
        QByteArray text;
        int code = 0;

        static Result done() { return {}; }
        static Result answer(const QByteArray &text) { return {Kind::Answer, text, 0}; }
        static Result error(int code, const QByteArray &detail = QByteArray())
        {
            return {Kind::Error, detail, code};
        }
        static Result later() { return {Kind::Later, {}, 0}; }
    };
    struct Call
    {
        QVector<int> suffixes;
        QList<QByteArray> parameters;
        std::function<void(const Result &)> finish;
    };
    using Handler = Result (ScpiSession::*)(Call &call);

signals:
    // One answer line, ending in "\n".
    void answered(const QByteArray &line);
    // No longer busy: the next line may come.
    void becameReady();

private:
    void runUnits();
    void finishUnit(const Result &result);
    void pushError(int code, const QByteArray &detail = QByteArray());
    // Checks the count of parameters; false with the error queued.
    bool hasParameters(const Call &call, int least, int most);
    Result hardware(const QString &failure);
    Result whenIdle(std::function<Result()> then, Call &call);

    // The table's handlers (scpicommands.cpp).
    Result identify(Call &call);
    Result resetAll(Call &call);
    Result clearStatus(Call &call);
    Result operationComplete(Call &call);
    Result operationCompleteQuery(Call &call);
    Result waitToContinue(Call &call);
    Result eventStatus(Call &call);
    Result setEventEnable(Call &call);
    Result eventEnable(Call &call);
    Result statusByte(Call &call);
    Result nextError(Call &call);
    Result errorCount(Call &call);
    Result boardList(Call &call);
    Result selectBoard(Call &call);
    Result selectedBoard(Call &call);
    Result measureVoltage(Call &call);
    Result measureFrequency(Call &call);
    Result setAcquisition(Call &call);
    Result acquisition(Call &call);
    Result acquisitionRate(Call &call);
    Result fetchData(Call &call);
    Result fetchHeader(Call &call);
    Result setDataFormat(Call &call);
    Result dataFormat(Call &call);
    Result initiate(Call &call);
    Result abortAcquisition(Call &call);
    // The output a SOURce or OUTPut suffix names (0 or 1), or -1 with the error queued.
    int outputOf(const Call &call);
    // A PWM output's setting, the call's one parameter read as `Setting`
    // reads it, then the board takes it; and the query of it.
    template <typename Setting>
    Result changeOutput(Call &call);
    template <typename Setting>
    Result answerOutput(Call &call);
    QByteArray samplesAnswer(int count) const;

    struct Row
    {
        const char *pattern;
        Handler handler;
    };
    static const Row table[];
    static const Scpi::HeaderTable &headerTable();

    RemoteBoard &m_board;
    ErrorQueue m_errors;
    std::deque<Scpi::Unit> m_units;
    QList<QByteArray> m_branch;
    QByteArray m_answers;
    bool m_answered = false;
    bool m_waiting = false;
    std::optional<Result> m_earlyResult;
    // Bumped with every command: a late finish of one abandoned is ignored.
    quint64 m_callNumber = 0;
    quint8 m_eventStatus = 0;
    quint8 m_eventEnable = 0;
    bool m_realFormat = false;
};
