// What a window keeps for its next opening, seen in the windows: a plot's
// choices and a window's place come back in the next window of its kind,
// Restore Defaults puts the specified ones back, and without a settings file
// a window opens as specified.
#include "chartwindow.h"
#include "osciloscope.h"
#include "plotnavigator.h"
#include "plottersettings.h"
#include "settingsfile.h"
#include "spectrumview.h"
#include "testsupport.h"
#include "voltmeter.h"
#include "xyview.h"

#include <QAction>
#include <QPointer>
#include <QtTest>

using namespace TestSupport;

namespace {

PlotterSettings keptForOsciloscope()
{
    return PlotterSettings::fromValues(SettingsFile::readGroup("osciloscope"),
                                       {{-100, 3400}, {256, 512, 1024, 4096, 16384}, 3});
}

QAction *actionNamed(QWidget *window, const QString &text)
{
    // The window's shortcuts, and the entries only its menu holds.
    for (QAction *action : window->actions() + window->findChildren<QAction *>())
        if (action->text() == text)
            return action;
    return nullptr;
}

// Closes it as the frame's button does: the board stops, the window goes.
void quit(QPointer<QDialog> &window)
{
    window->close();
    QTRY_VERIFY(window.isNull());
}

} // namespace

class TestKeptSettings : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { destroyTopLevelWindows(); }
    void firstOpeningIsTheSpecifiedOne();
    void plotChoicesComeBack();
    void restoreDefaultsForgetsThem();
    void staleChannelChoicesFallBack();
    void placeAndSizeComeBack();
};

void TestKeptSettings::firstOpeningIsTheSpecifiedOne()
{
    BoardFixture fixture;
    QVERIFY(!QFile::exists(SettingsFile::path()));
    QPointer<QDialog> window(new Osciloscope);
    window->show();
    const QSize specified = window->size();
    quit(window);
    // What it kept is the specified state, and the next one opens so too.
    QCOMPARE(keptForOsciloscope(), PlotterSettings());
    auto *next = new Osciloscope;
    next->show();
    QCOMPARE(next->size(), specified);
    QCOMPARE(next->scope().trigger().mode(), TriggerMode::Off);
    QVERIFY(next->viewSwitch().showsTime());
}

void TestKeptSettings::plotChoicesComeBack()
{
    BoardFixture fixture;
    QPointer<QDialog> window(new Osciloscope);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window));
    auto *scope = static_cast<Osciloscope *>(window.data());
    // Through the window's own keys: the trigger's mode, the measurements,
    // the cursors, the spectrum with another length.
    QTest::keyClick(window, Qt::Key_T, Qt::ControlModifier);
    QTest::keyClick(window, Qt::Key_M, Qt::ControlModifier);
    QTest::keyClick(window, Qt::Key_K, Qt::ControlModifier);
    scope->viewSwitch().spectrum().setLength(4096);
    const QVector<MathChannel> channels{MathChannel("Temp", "0.1 * PAD2 - 50", "°C")};
    QVERIFY(scope->setMathChannels(channels));
    actionNamed(window, "Show PAD1")->setChecked(false);
    QTest::keyClick(window, Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(scope->scope().trigger().mode(), TriggerMode::RisingEdge);
    quit(window);

    auto *next = new Osciloscope;
    next->show();
    QCOMPARE(next->scope().trigger().mode(), TriggerMode::RisingEdge);
    QCOMPARE(next->viewSwitch().view(), ViewSwitch::View::Spectrum);
    QCOMPARE(next->viewSwitch().spectrum().length(), 4096);
    QVERIFY(actionNamed(next, "Show Measurements")->isChecked());
    QVERIFY(actionNamed(next, "Show Cursors")->isChecked());
    QCOMPARE(next->mathChannels(), channels);
    QVERIFY(!actionNamed(next, "Show PAD1")->isChecked());
    QVERIFY(actionNamed(next, "Show PAD0")->isChecked());
}

void TestKeptSettings::restoreDefaultsForgetsThem()
{
    BoardFixture fixture;
    PlotterSettings kept;
    kept.triggerMode = TriggerMode::FallingEdge;
    kept.triggerLevel = 1200;
    kept.view = PlotterSettings::View::XY;
    kept.showMeasurements = true;
    QVERIFY(SettingsFile::writeGroup("osciloscope", kept.toValues()));
    auto *window = new Osciloscope;
    window->show();
    QCOMPARE(window->scope().trigger().mode(), TriggerMode::FallingEdge);
    QCOMPARE(window->scope().trigger().userLevel(), std::optional<int>(1200));
    QCOMPARE(window->viewSwitch().view(), ViewSwitch::View::XY);

    actionNamed(window, "Restore Defaults")->trigger();
    QCOMPARE(window->scope().trigger().mode(), TriggerMode::Off);
    QVERIFY(!window->scope().trigger().userLevel());
    QVERIFY(window->viewSwitch().showsTime());
    QVERIFY(!actionNamed(window, "Show Measurements")->isChecked());
    QVERIFY(SettingsFile::readGroup("osciloscope").isEmpty());
}

void TestKeptSettings::staleChannelChoicesFallBack()
{
    // Kept with three computed channels, the trigger and XY on the last two;
    // the board brings its own, only the first.
    BoardFixture fixture;
    fixture.board.setSerialNumber("BOARD-B");
    PlotterSettings kept;
    kept.mathChannels = {MathChannel("M1", "PAD0-PAD1"), MathChannel("M2", "PAD1"), MathChannel("M3", "PAD2")};
    std::tie(kept.view, kept.triggerSource, kept.xyX, kept.xyY) = std::tuple(PlotterSettings::View::Lanes, 5, 5, 4);
    kept.laneRanges = {{1, {0, 10}}, {5, {-1, 1}}};
    QVERIFY(SettingsFile::writeGroup("osciloscope", kept.toValues()));
    kept.mathChannels.resize(1);
    QVERIFY(SettingsFile::writeGroup("osciloscope-board-BOARD-B", kept.toValues()));
    QPointer<QDialog> window(new Osciloscope);
    window->show();
    auto *scope = static_cast<Osciloscope *>(window.data());
    QCOMPARE(scope->mathChannels(), kept.mathChannels);
    QCOMPARE(scope->scope().trigger().sourceChannel(), 0);
    QCOMPARE(scope->viewSwitch().xy().tableHeader(), (QStringList{"sample", "PAD0", "PAD1"}));
    // The lanes come back, with the range set in the lane that is still there.
    QCOMPARE(scope->viewSwitch().view(), ViewSwitch::View::Lanes);
    quit(window);
    QCOMPARE(keptForOsciloscope().laneRanges, (QMap<int, AxisSpan>{{1, {0, 10}}}));
}

void TestKeptSettings::placeAndSizeComeBack()
{
    BoardFixture fixture;
    QPointer<QDialog> window(new Voltmeter);
    window->show();
    window->setGeometry(window->geometry().translated(37, 23).adjusted(0, 0, 40, 0));
    const QRect moved = window->geometry();
    // And its chart's span.
    actionNamed(window, "Show Chart")->trigger();
    QPointer<ChartWindow> chart = window->findChild<ChartWindow *>();
    QVERIFY(chart);
    chart->setSpan(60000);
    quit(window);
    auto *next = new Voltmeter;
    next->show();
    QCOMPARE(next->geometry(), moved);
    actionNamed(next, "Show Chart")->trigger();
    QCOMPARE(next->findChild<ChartWindow *>()->spanMs(), qint64(60000));
}

QTEST_MAIN(TestKeptSettings)
#include "tst_keptsettings.moc"
