#include "instrumentwindows.h"

#include "accelerometer.h"
#include "counter.h"
#include "instrumentprotocol.h"
#include "osciloscope.h"
#include "pwm.h"
#include "voltmeter.h"

namespace InstrumentWindows {

QDialog *create(const InstrumentProtocol &instrument)
{
    if (&instrument == &InstrumentProtocol::voltmeter())
        return new Voltmeter;
    if (&instrument == &InstrumentProtocol::accelerometer())
        return new Accelerometer;
    if (&instrument == &InstrumentProtocol::osciloscope())
        return new Osciloscope;
    if (&instrument == &InstrumentProtocol::pwm())
        return new Pwm;
    if (&instrument == &InstrumentProtocol::counter())
        return new Counter;
    qFatal("no window for %s", qPrintable(instrument.name));
}

} // namespace InstrumentWindows
