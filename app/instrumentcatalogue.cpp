#include "instrumentcatalogue.h"

#include "accelerometer.h"
#include "counter.h"
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
    static const QList<InstrumentEntry> entries{
        {QStringLiteral("voltmeter"), QCoreApplication::translate("MainWindow", "Voltmeter"),
         &make<Voltmeter>},
        {QStringLiteral("accelerometer"),
         QCoreApplication::translate("MainWindow", "Accelerometer"), &make<Accelerometer>},
        {QStringLiteral("osciloscope"), QCoreApplication::translate("MainWindow", "Osciloscope"),
         &make<Osciloscope>},
        {QStringLiteral("pwm"), QCoreApplication::translate("MainWindow", "PWM Generator"),
         &make<Pwm>},
        {QStringLiteral("counter"), QCoreApplication::translate("MainWindow", "Counter"),
         &make<Counter>},
    };
    return entries;
}

const InstrumentEntry *findInstrument(const QString &name)
{
    for (const InstrumentEntry &entry : instrumentCatalogue()) {
        if (entry.name == name)
            return &entry;
    }
    return nullptr;
}
