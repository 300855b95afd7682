#include "instrumentkinds.h"

#include "instrumentcatalogue.h"
#include "testsupport.h"

#include <QDialog>

#include <QtTest>

namespace TestSupport {

QList<InstrumentKind> instrumentKinds()
{
    using Mode = VirtualBoard::Mode;
    return {
        {"Voltmeter", "v\n", {"v", "c", "r"}, 20, "pushButtonQuit", true, true, Mode::Voltmeter,
         "1,2,3\n", "pushButtonVoltmeter", "Voltmeter"},
        {"Counter", "c\ng\n", {"c", "g", "r"}, 20, "quitButton", true, true, Mode::Counter,
         "1234\n", "pushButtonCounter", "Counter"},
        {"Pwm", "p\n", {"p", "m", "r"}, 1, "pushButtonQuit", false, true, Mode::Pwm, "",
         "pushButtonPwm", "PWM Generator"},
        {"Accelerometer", "a\n", {"a", "r"}, 1, "quitButton", true, false, Mode::Accelerometer,
         "$1 2 3;", "pushButtonAccelerometer", "Accelerometer"},
        {"Osciloscope", "o\n", {"o", "r"}, 1, "quitButton", true, false, Mode::Oscilloscope,
         "$1 2 3;", "pushButtonOsciloscope", "Osciloscope"},
    };
}

InstrumentKind instrumentKind(const QString &name)
{
    for (const InstrumentKind &kind : instrumentKinds())
        if (kind.name == name)
            return kind;
    qFatal("no instrument window named %s", qPrintable(name));
}

QDialog *InstrumentKind::create() const
{
    return findInstrument(name.toLower())->create();
}

void addInstrumentRows()
{
    QTest::addColumn<QString>("kind");
    for (const InstrumentKind &kind : instrumentKinds())
        QTest::newRow(qPrintable(kind.name)) << kind.name;
}

void addInstrumentCloseRows()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("how");
    for (const InstrumentKind &kind : instrumentKinds())
        for (const QString &how : closeWays())
            QTest::addRow("%s, %s", qPrintable(kind.name), qPrintable(how)) << kind.name << how;
}

InstrumentKind fetchInstrumentKind()
{
    QFETCH(QString, kind);
    return instrumentKind(kind);
}

} // namespace TestSupport
