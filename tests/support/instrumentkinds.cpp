#include "instrumentkinds.h"

#include "filesaving.h"
#include "instrumentprotocol.h"
#include "instrumentwindows.h"
#include "testsupport.h"

#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>

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
    return InstrumentWindows::create(InstrumentProtocol::named(name.toLower()));
}

QDialog *InstrumentKind::open() const
{
    QDialog *window = create();
    window->show();
    return window;
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

void recordCountsAcrossAGap(VirtualBoard &board,
                            const std::function<VirtualBoard &(QDialog *)> &makeGap,
                            double minimumGapSeconds)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("counts.csv");
    FileSaving::setFileNameSource([&](const QString &, const QString &) { return path; });
    const auto restore = qScopeGuard([] { FileSaving::setFileNameSource({}); });
    const InstrumentKind k = instrumentKind("Counter");
    QPointer<QDialog> window(k.open());
    QTRY_COMPARE(board.received(), k.startCommands);
    startRecording(window);
    board.sendRaw("100\n");
    QTRY_COMPARE(window->findChild<QLabel *>("countLabel")->text(), QString("100"));

    VirtualBoard &next = makeGap(window);
    QTRY_COMPARE(next.received(), k.startCommands);
    next.sendRaw("200\n");
    QTRY_COMPARE(window->findChild<QLabel *>("countLabel")->text(), QString("200"));
    window->findChild<QPushButton *>(k.quitButton)->click();
    QTRY_VERIFY(window.isNull());

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    QVERIFY2(lines.size() == 4 && lines[1].startsWith("1,") && lines[1].endsWith(",100")
                 && lines[2].startsWith("2,") && lines[2].endsWith(",200"),
             lines.join('|').constData());
    const double gap = lines[2].split(',')[1].toDouble() - lines[1].split(',')[1].toDouble();
    QVERIFY2(gap >= minimumGapSeconds, qPrintable(QString("a gap of only %1 s").arg(gap)));
}

} // namespace TestSupport
