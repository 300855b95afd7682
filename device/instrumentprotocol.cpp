#include "instrumentprotocol.h"

#include "boardlink.h"
#include "csv.h"
#include "readingaccumulator.h"

#include <QHash>

void InstrumentProtocol::start(BoardLink &board, const std::function<void()> &wait) const
{
    if (waitsBeforeStart && wait)
        wait();
    board.send(startCommands.first());
    // Listening between the counter's two commands: nothing read before "g"
    // matters, and nothing the others send is missed.
    board.startListening();
    for (int i = 1; i < startCommands.size(); ++i)
        board.send(startCommands.at(i));
}

// The voltmeter asks for every reading; the counter's "c" only arms it.
const InstrumentProtocol &InstrumentProtocol::voltmeter()
{
    static const InstrumentProtocol instrument{
        QStringLiteral("voltmeter"), true, {"v"}, "c", 20, Replies::Readings,
        {QStringLiteral("reading"), QStringLiteral("time_s"), QStringLiteral("PAD0_mV"),
         QStringLiteral("PAD1_mV"), QStringLiteral("PAD2_mV")}};
    return instrument;
}

const InstrumentProtocol &InstrumentProtocol::accelerometer()
{
    static const InstrumentProtocol instrument{
        QStringLiteral("accelerometer"), false, {"a"}, {}, 1, Replies::Frames,
        {QStringLiteral("sample"), QStringLiteral("time_s"), QStringLiteral("X"),
         QStringLiteral("Y"), QStringLiteral("Z")}};
    return instrument;
}

const InstrumentProtocol &InstrumentProtocol::osciloscope()
{
    static const InstrumentProtocol instrument{
        QStringLiteral("osciloscope"), false, {"o"}, {}, 1, Replies::Frames,
        {QStringLiteral("sample"), QStringLiteral("time_s"), QStringLiteral("PAD0"),
         QStringLiteral("PAD1"), QStringLiteral("PAD2")}};
    return instrument;
}

const InstrumentProtocol &InstrumentProtocol::counter()
{
    static const InstrumentProtocol instrument{
        QStringLiteral("counter"), true, {"c", "g"}, {}, 20, Replies::Lines,
        {QStringLiteral("reading"), QStringLiteral("time_s"), QStringLiteral("frequency_hz")}};
    return instrument;
}

const QList<InstrumentProtocol> &InstrumentProtocol::all()
{
    static const QList<InstrumentProtocol> instruments{voltmeter(), accelerometer(), osciloscope(),
                                                       counter()};
    return instruments;
}

const InstrumentProtocol *InstrumentProtocol::find(const QString &name)
{
    const QString carried = nameFor(name);
    for (const InstrumentProtocol &instrument : all()) {
        if (instrument.name == carried)
            return &instrument;
    }
    return nullptr;
}

const InstrumentProtocol &InstrumentProtocol::named(const QString &name)
{
    const InstrumentProtocol *instrument = find(name);
    if (!instrument)
        qFatal("no instrument called %s", qPrintable(name));
    return *instrument;
}

QStringList InstrumentProtocol::names()
{
    QStringList names;
    for (const InstrumentProtocol &instrument : all())
        names.append(instrument.name);
    return names;
}

QString InstrumentProtocol::nameFor(const QString &spelling)
{
    static const QHash<QString, QString> usualSpellings{
        {QStringLiteral("oscilloscope"), QStringLiteral("osciloscope")},
        {QStringLiteral("pwm-generator"), QStringLiteral("pwm")},
    };
    return usualSpellings.value(spelling, spelling);
}

namespace RecordedRow {

QStringList voltmeter(const QStringList &reading)
{
    return {Csv::number(reading.at(0)), Csv::number(reading.at(1)),
            Csv::number(ReadingAccumulator::withoutLineEnd(reading.at(2)))};
}

QString counterText(const QByteArray &line)
{
    return ReadingAccumulator::withoutLineEnd(QString::fromUtf8(line.constData(), line.size()));
}

QStringList counter(const QString &shownText)
{
    return {Csv::number(shownText)};
}

} // namespace RecordedRow
