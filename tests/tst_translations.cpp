// Every window in every language: no label, button or group title cut.
#include "cursorreadout.h"
#include "instrumentkinds.h"
#include "languagemenu.h"
#include "languages.h"
#include "mainwindow.h"
#include "measurements.h"
#include "remotecontrol.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStyle>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest>

using namespace TestSupport;

namespace {

int plainWidth(const QWidget *widget, QString text)
{
    text.remove(QLatin1Char('&'));
    int widest = 0;
    for (const QString &line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, widget->fontMetrics().horizontalAdvance(line));
    return widest;
}

// The widths the English texts need, by window and widget: a specified
// form that cuts its English text with this font may cut a translation as
// much, not more.
QHash<QString, int> &englishNeeds()
{
    static QHash<QString, int> needs;
    return needs;
}

// What of `widget`'s text does not fit the room it has, or "" when all of it does.
QString cut(const QWidget *widget, const QString &key, bool english)
{
    int needed = 0;
    int room = widget->contentsRect().width();
    QString text;
    if (const auto *label = qobject_cast<const QLabel *>(widget)) {
        text = label->text();
        if (label->wordWrap() || text.isEmpty())
            return QString();
        // A rich text's width as the label lays it out itself.
        needed = Qt::mightBeRichText(text) ? label->sizeHint().width() - 2 * label->margin()
                                           : plainWidth(widget, text);
        room -= 2 * label->margin();
    } else if (const auto *button = qobject_cast<const QAbstractButton *>(widget)) {
        text = button->text();
        needed = plainWidth(widget, text);
        if (qobject_cast<const QCheckBox *>(widget) || qobject_cast<const QRadioButton *>(widget))
            room -= widget->style()->pixelMetric(QStyle::PM_IndicatorWidth)
                    + widget->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
        else if (qobject_cast<const QPushButton *>(widget))
            room -= 2 * widget->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    } else if (const auto *group = qobject_cast<const QGroupBox *>(widget)) {
        text = group->title();
        needed = plainWidth(widget, text);
        // The frame's corners on both sides of the title.
        room = widget->width() - 2 * widget->style()->pixelMetric(QStyle::PM_LayoutLeftMargin);
    }
    if (english)
        englishNeeds().insert(key, needed);
    if (needed <= std::max(room, englishNeeds().value(key)))
        return QString();
    return QStringLiteral("%1 \"%2\" needs %3 px, has %4").arg(widget->objectName(), text).arg(needed).arg(room);
}

QStringList cutTexts(QWidget *window, const QString &language)
{
    QStringList found;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (widget->isVisibleTo(window)) {
            const QString key = window->metaObject()->className() + QLatin1Char('/') + widget->objectName();
            if (const QString what = cut(widget, key, language == Languages::codes().constFirst()); !what.isEmpty())
                found << what;
        }
    }
    return found;
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The choice the menu keeps goes to a settings file of this test's own.
        QVERIFY(m_home.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_home.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_home.path());
        // Where the other programs look for it too.
        QCoreApplication::setApplicationName(QStringLiteral("boardpanel"));
    }

    void everyWindowFitsItsTexts_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("window");
        // English first: a translator loaded stays for the rows after it.
        for (const QString &language : Languages::codes()) {
            QTest::addRow("%s launcher", qPrintable(language)) << language << QString();
            for (const InstrumentKind &kind : instrumentKinds())
                QTest::addRow("%s %s", qPrintable(language), qPrintable(kind.name)) << language << kind.name;
        }
    }

    void everyWindowFitsItsTexts()
    {
        QFETCH(QString, language);
        QFETCH(QString, window);
        QCOMPARE(Languages::speak({QStringLiteral("test"), QStringLiteral("--lang"), language}), language);
        if (language != Languages::codes().constFirst())
            QVERIFY(QCoreApplication::translate("ViewSwitch", "Time") != QLatin1String("Time"));
        if (window.isEmpty()) {
            MainWindow launcher;
            launcher.show();
            QVERIFY(QTest::qWaitForWindowExposed(&launcher));
            const QStringList cutInLauncher = cutTexts(&launcher, language);
            QVERIFY2(cutInLauncher.isEmpty(), qPrintable(cutInLauncher.join(QStringLiteral("; "))));
            return;
        }
        BoardFixture fixture;
        QVERIFY(fixture.isReady());
        QPointer<QDialog> dialog(instrumentKind(window).open());
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        const QStringList cutInWindow = cutTexts(dialog, language);
        QVERIFY2(cutInWindow.isEmpty(), qPrintable(cutInWindow.join(QStringLiteral("; "))));
        delete dialog;
    }

    // After the rows above: Spanish is spoken.
    void numbersShownWithTheLanguagesDecimalSign()
    {
        QCOMPARE(Languages::speak({QStringLiteral("test"), QStringLiteral("--lang"), QStringLiteral("es")}),
                 QStringLiteral("es"));
        ChannelMeasurement measured;
        measured.hasData = true;
        measured.minimum = 0.25;
        measured.maximum = 1650;
        measured.mean = 825.04;
        measured.peakToPeak = 1649.75;
        measured.periodSamples = 12;
        measured.frequencyHz = 2.5;
        QCOMPARE(measurementLine(QStringLiteral("PAD0"), measured),
                 QStringLiteral("PAD0  mín 0,25  máx 1650  media 825,0  pp 1649,75  periodo 12 (2,50 Hz)"));
        CursorReadout readout;
        readout.deltaMs = 1.5;
        QVERIFY2(cursorReadoutLines(readout, {}).value(1).startsWith(QStringLiteral("Δt 1,5 ms")),
                 qPrintable(cursorReadoutLines(readout, {}).value(1)));
    }

    // Still Spanish: a client is told in English why its query failed.
    void scpiErrorsStayEnglish()
    {
        BoardFixture fixture;
        QVERIFY(fixture.isReady());
        ModalBoxCatcher catcher;
        MainWindow launcher;
        QCOMPARE(launcher.remoteControl().apply({QHostAddress::LocalHost, 0, true}), QString());
        QTcpSocket client;
        client.connectToHost(QHostAddress::LocalHost, launcher.remoteControl().listeningPort());
        QVERIFY(client.waitForConnected(20000));
        fixture.board.setVoltages(1650, 3300, 12);
        client.write("MEAS:VOLT?\n");
        QTRY_VERIFY_WITH_TIMEOUT(client.canReadLine(), 20000);
        QCOMPARE(client.readLine().trimmed(), QByteArray("1.650,3.300,0.012"));
        // The counter started on the line: the query waits when the window comes.
        fixture.board.setSilent(true);
        fixture.board.clearReceived();
        client.write("MEAS:FREQ?\n");
        QTRY_VERIFY2_WITH_TIMEOUT(fixture.board.received().contains("g\n"),
                                  fixture.board.received().toHex(' ').constData(), 20000);
        launcher.findChild<QPushButton *>("pushButtonVoltmeter")->click();
        client.write("SYST:ERR?\n");
        QTRY_VERIFY_WITH_TIMEOUT(client.canReadLine(), 20000);
        QCOMPARE(client.readLine().trimmed(),
                 QByteArray("-240,\"Hardware error;a window of the panel took the board\""));
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (qobject_cast<QDialog *>(window))
                window->close();
        }
    }

    void theLaunchersMenuKeepsTheChoice()
    {
        QMenu menu;
        LanguageMenu::addTo(&menu, nullptr);
        QMenu *languages = menu.actions().value(0)->menu();
        QVERIFY(languages);
        QCOMPARE(Languages::remembered(), QStringLiteral("en"));
        for (QAction *action : languages->actions()) {
            if (action->text() == QLatin1String("Deutsch"))
                action->trigger();
        }
        QCOMPARE(Languages::remembered(), QStringLiteral("de"));
    }

private:
    QTemporaryDir m_home;
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
