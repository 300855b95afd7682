#include "instrumentkinds.h"

#include "filesaving.h"
#include "instrumentcatalogue.h"
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
    return findInstrument(name.toLower())->create();
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

namespace {

// The file's two readings, `before` and `after`, at least `minimumGapSeconds`
// apart: an empty string, or what is wrong.
QString checkTwoReadingsAcrossAGap(const QString &path, const QByteArray &before,
                                   const QByteArray &after, double minimumGapSeconds)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "cannot read " + path;
    const QList<QByteArray> lines = file.readAll().split('\n');
    if (lines.size() != 4 || !lines[1].startsWith("1,") || !lines[1].endsWith("," + before)
        || !lines[2].startsWith("2,") || !lines[2].endsWith("," + after))
        return "not the two readings: " + QString::fromUtf8(lines.join('|'));
    const double gap = lines[2].split(',')[1].toDouble() - lines[1].split(',')[1].toDouble();
    if (gap < minimumGapSeconds)
        return QString("a gap of only %1 s").arg(gap);
    return QString();
}

} // namespace

QString recordCountsAcrossAGap(VirtualBoard &board,
                               const std::function<VirtualBoard &(QDialog *)> &makeGap,
                               double minimumGapSeconds)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("counts.csv");
    FileSaving::setFileNameSource([&](const QString &, const QString &) { return path; });
    const auto restore = qScopeGuard([] { FileSaving::setFileNameSource({}); });
    const InstrumentKind k = instrumentKind("Counter");
    QPointer<QDialog> window(k.create());
    window->show();
    const auto started = [&](const VirtualBoard &on) {
        return QTest::qWaitFor([&] { return on.received() == k.startCommands; });
    };
    const auto shows = [&](const QString &count) {
        return QTest::qWaitFor([&] { return window->findChild<QLabel *>("countLabel")->text() == count; });
    };
    if (!started(board))
        return "not started: " + QString::fromLatin1(board.received());
    startRecording(window);
    board.sendRaw("100\n");
    if (!shows("100"))
        return "100 not shown";

    VirtualBoard &next = makeGap(window);
    if (!started(next))
        return "not started again: " + QString::fromLatin1(next.received());
    next.sendRaw("200\n");
    if (!shows("200"))
        return "200 not shown";
    window->findChild<QPushButton *>(k.quitButton)->click();
    if (!QTest::qWaitFor([&] { return window.isNull(); }))
        return "the window stayed";
    return checkTwoReadingsAcrossAGap(path, "100", "200", minimumGapSeconds);
}

} // namespace TestSupport
