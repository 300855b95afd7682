#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class BoardLink;

// How each instrument that sends data is started and stopped on the line,
// how its replies come, and the columns of its recording. The instrument
// windows and the recorder without a window both follow this one table, so
// the board sees the same bytes from either and their files are alike.
struct InstrumentProtocol
{
    enum class Replies {
        Readings, // lines of three or more fields separated by "," (voltmeter)
        Lines,    // one reading per line (counter)
        Frames,   // sample frames "$…;" (plotters)
    };

    // As the command line and the file names call it.
    QString name;
    // The short wait comes before the first start command.
    bool waitsBeforeStart;
    // Written in this order; what the board sends counts from after the first.
    QList<QByteArray> startCommands;
    // Asked for again at every arrival (empty: never).
    QByteArray request;
    // How many "r\n" stop it.
    int stopCopies;
    Replies replies;
    // The recording's header: row number, time_s, then the values.
    QStringList header;

    // Runs the start sequence on an open board; `wait` is the caller's short
    // wait (the event loop keeps running in it).
    void start(BoardLink &board, const std::function<void()> &wait) const;

    // Each one, where code means that one: the launcher's list takes their
    // names from here.
    static const InstrumentProtocol &voltmeter();
    static const InstrumentProtocol &accelerometer();
    static const InstrumentProtocol &osciloscope();
    static const InstrumentProtocol &counter();
    // Voltmeter, accelerometer, osciloscope and counter, in the launcher's order.
    static const QList<InstrumentProtocol> &all();
    // The one called `name` (or a usual spelling of it, see nameFor()); none
    // when there is no such instrument.
    static const InstrumentProtocol *find(const QString &name);
    // The one called `name`, which must exist.
    static const InstrumentProtocol &named(const QString &name);
    static QStringList names();
    // The name an instrument carries for `spelling`: the usual spellings
    // that users, the menu entry's keywords and the metadata write
    // ("oscilloscope", "pwm-generator") stand for the names above and the
    // PWM generator's "pwm"; any other text is returned as it is.
    static QString nameFor(const QString &spelling);
};

// What a reading becomes in a recording: numbers only, so a board's damaged
// text never reaches a cell (an empty cell instead).
namespace RecordedRow {

// The voltmeter's fields (ReadingAccumulator's, the line end still in the
// third) as PAD0_mV, PAD1_mV and PAD2_mV.
QStringList voltmeter(const QStringList &reading);
// A counter reply line as shown: decoded, without its line end.
QString counterText(const QByteArray &line);
// The counter's reading as frequency_hz.
QStringList counter(const QString &shownText);

} // namespace RecordedRow
