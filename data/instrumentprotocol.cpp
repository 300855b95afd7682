#include "instrumentprotocol.h"

#include <QCoreApplication>

namespace {

// Not a QString object: the table may be read while other files' statics
// are made, before this file's.
const char timeColumn[] = "time_s";

// A recording's rows are numbered: readings one by one, samples by the
// board's frame count.
InstrumentProtocol made(InstrumentProtocol instrument)
{
    if (instrument.sendsData()) {
        instrument.header = QStringList{instrument.sendsSamples() ? QStringLiteral("sample")
                                                                   : QStringLiteral("reading"),
                                        QLatin1String(timeColumn)}
                            + instrument.columns;
    }
    if (instrument.shownNames.isEmpty())
        instrument.shownNames = instrument.columns;
    return instrument;
}

} // namespace

QString InstrumentProtocol::title() const
{
    return QCoreApplication::translate("MainWindow", titleText);
}

QString InstrumentProtocol::chartTitle() const
{
    return QCoreApplication::translate("InstrumentProtocol", "%1 Chart").arg(title());
}

QString InstrumentProtocol::chartFileStem() const
{
    return name + QStringLiteral("-chart");
}

QStringList InstrumentProtocol::exportHeader(const QStringList &computedNames) const
{
    return QStringList{QStringLiteral("sample")} + columns + computedNames;
}

QStringList InstrumentProtocol::chartExportHeader() const
{
    return QStringList{QStringLiteral("time_iso"), QLatin1String(timeColumn)} + columns
           + QStringList{QStringLiteral("readings")};
}

QList<QStringList> InstrumentProtocol::fileHeaders() const
{
    if (!sendsData())
        return {};
    return {header, sendsSamples() ? exportHeader() : chartExportHeader()};
}

// In the launcher's order. The voltmeter asks for every reading; the
// counter's "c" only arms it; the PWM generator's window writes its own
// commands, only its stop is the table's.
const QList<InstrumentProtocol> &InstrumentProtocol::all()
{
    static const QList<InstrumentProtocol> instruments{
        made({QStringLiteral("voltmeter"), {}, QT_TRANSLATE_NOOP("MainWindow", "Voltmeter"), true,
              {"v"}, "c", 20, Replies::Readings,
              {QStringLiteral("PAD0_mV"), QStringLiteral("PAD1_mV"), QStringLiteral("PAD2_mV")},
              {QStringLiteral("PAD0"), QStringLiteral("PAD1"), QStringLiteral("PAD2")},
              QStringLiteral("mV"), {}, {}}),
        made({QStringLiteral("accelerometer"), {}, QT_TRANSLATE_NOOP("MainWindow", "Accelerometer"),
              false, {"a"}, {}, 1, Replies::Frames,
              {QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("Z")}, {}, {}, {},
              // Count 2000 is 0 g, and 1000 counts are 1 g.
              {2000, 1000}}),
        made({QStringLiteral("osciloscope"), {QStringLiteral("oscilloscope")}, QT_TRANSLATE_NOOP("MainWindow", "Osciloscope"),
              false, {"o"}, {}, 1, Replies::Frames,
              {QStringLiteral("PAD0"), QStringLiteral("PAD1"), QStringLiteral("PAD2")}, {}, {}, {}, {}}),
        made({QStringLiteral("pwm"), {QStringLiteral("pwm-generator")}, QT_TRANSLATE_NOOP("MainWindow", "PWM Generator"), true,
              {"p"}, {}, 1, Replies::None, {}, {}, {}, {}, {}}),
        made({QStringLiteral("counter"), {}, QT_TRANSLATE_NOOP("MainWindow", "Counter"), true,
              {"c", "g"}, {}, 20, Replies::Lines, {QStringLiteral("frequency_hz")},
              {QStringLiteral("Frequency")}, QStringLiteral("Hz"), {}, {}}),
    };
    return instruments;
}

const InstrumentProtocol &InstrumentProtocol::voltmeter()
{
    return all().at(0);
}

const InstrumentProtocol &InstrumentProtocol::accelerometer()
{
    return all().at(1);
}

const InstrumentProtocol &InstrumentProtocol::osciloscope()
{
    return all().at(2);
}

const InstrumentProtocol &InstrumentProtocol::pwm()
{
    return all().at(3);
}

const InstrumentProtocol &InstrumentProtocol::counter()
{
    return all().at(4);
}

const InstrumentProtocol *InstrumentProtocol::find(const QString &name)
{
    for (const InstrumentProtocol &instrument : all()) {
        if (instrument.name == name || instrument.aliases.contains(name))
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

QStringList InstrumentProtocol::recordableNames()
{
    QStringList names;
    for (const InstrumentProtocol &instrument : all()) {
        if (instrument.sendsData())
            names.append(instrument.name);
    }
    return names;
}
