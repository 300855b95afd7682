#include "instrumentcatalogue.h"

#include "accelerometer.h"
#include "counter.h"
#include "instrumentprotocol.h"
#include "osciloscope.h"
#include "pwm.h"
#include "voltmeter.h"

#include <QCoreApplication>

namespace {

template <typename Window>
QDialog *make()
{
    return new Window;
}

} // namespace

const QList<InstrumentEntry> &instrumentCatalogue()
{
    // The instruments that send data are named by their protocol, as the
    // recorder names them; the PWM generator only takes commands.
    static const QList<InstrumentEntry> entries{
        {InstrumentProtocol::voltmeter().name,
         QCoreApplication::translate("MainWindow", "Voltmeter"), &make<Voltmeter>},
        {InstrumentProtocol::accelerometer().name,
         QCoreApplication::translate("MainWindow", "Accelerometer"), &make<Accelerometer>},
        {InstrumentProtocol::osciloscope().name,
         QCoreApplication::translate("MainWindow", "Osciloscope"), &make<Osciloscope>},
        {QStringLiteral("pwm"), QCoreApplication::translate("MainWindow", "PWM Generator"),
         &make<Pwm>},
        {InstrumentProtocol::counter().name,
         QCoreApplication::translate("MainWindow", "Counter"), &make<Counter>},
    };
    return entries;
}

const InstrumentEntry *findInstrument(const QString &name)
{
    const QString carried = InstrumentProtocol::nameFor(name);
    for (const InstrumentEntry &entry : instrumentCatalogue()) {
        if (entry.name == carried)
            return &entry;
    }
    return nullptr;
}
