#include "counter.h"
#include "pwm.h"
#include "testsupport.h"

#include <QGridLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QElapsedTimer>
#include <QtTest>

using namespace TestSupport;

static const QString placeholder =
    "<html><head/><body><p><span style=\" font-size:20pt;\">----</span></p></body></html>";

class TestCounter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<QSerialPort::SerialPortError>(); }
    void form();
    void piecesOfAReadingNeverShow();
    void showsTheNewestCompleteLine_data();
    void showsTheNewestCompleteLine();
    void measuresThePwmOutputOfPad0();

private:
    static QLabel *countLabel(QWidget *window) { return window->findChild<QLabel *>("countLabel"); }
};

void TestCounter::form()
{
    NoBoard none;
    QScopedPointer<Counter> window(new Counter);
    QCOMPARE(window->objectName(), QString("Counter"));
    QCOMPARE(window->windowTitle(), QString("Dialog"));
    QVERIFY(window->isEnabled());
    QCOMPARE(window->minimumSize(), QSize(300, 250));
    QCOMPARE(window->maximumSize(), QSize(600, 400));

    // The shorter wait is there, and waits with the event loop turning.
    QElapsedTimer clock;
    clock.start();
    bool turned = false;
    QTimer::singleShot(10, [&] { turned = true; });
    QVERIFY(QMetaObject::invokeMethod(window.get(), "delay2"));
    QVERIFY(clock.elapsed() >= 45);
    QVERIFY(turned);

    // Heading, then "PAD0:" value "Hz", then the full-width Quit button.
    auto *column = qobject_cast<QVBoxLayout *>(window->layout());
    QVERIFY(column);
    QCOMPARE(column->count(), 3);
    QCOMPARE(column->itemAt(0)->widget()->objectName(), QString("label"));
    auto *row = qobject_cast<QGridLayout *>(column->itemAt(1)->layout());
    QVERIFY(row);
    QCOMPARE(row->objectName(), QString("gridLayout"));
    QCOMPARE(column->itemAt(2)->widget()->objectName(), QString("quitButton"));
    const char *cells[] = {"label_2", "countLabel", "label_4"};
    for (int cell = 0; cell < 3; ++cell)
        QCOMPARE(row->itemAtPosition(1, cell)->widget()->objectName(), QString(cells[cell]));

    for (const char *name : cells)
        QCOMPARE(window->findChild<QLabel *>(name)->font().pointSize(), 20);
    QVERIFY(window->findChild<QLabel *>("label")->font().pointSize() != 20);
    QCOMPARE(window->findChild<QLabel *>("label")->text(),
             QString("<html><head/><body><p><span style=\" font-size:20pt;\">Low frequency "
                     "counter:</span></p></body></html>"));
    QCOMPARE(window->findChild<QLabel *>("label_2")->text(),
             QString("<html><head/><body><p><span style=\" font-size:20pt;\">PAD0:</span></p></"
                     "body></html>"));
    QCOMPARE(window->findChild<QLabel *>("label_4")->text(),
             QString("<html><head/><body><p><span style=\" font-size:20pt;\">Hz</span></p></"
                     "body></html>"));
    QCOMPARE(countLabel(window.get())->text(), placeholder);
    QCOMPARE(window->findChild<QPushButton *>("quitButton")->text(), QString("Quit"));
}

void TestCounter::piecesOfAReadingNeverShow()
{
    BoardFixture fixture;
    fixture.board.setCounterFrequency(1234);
    fixture.board.setCounterInterval(50);
    fixture.board.setChunkSize(1);
    QScopedPointer<Counter> window(new Counter);
    // Connected after the window's own slot, so it sees what each
    // notification left on the screen.
    QStringList shown;
    QObject::connect(window->findChild<QSerialPort *>(), &QSerialPort::readyRead,
                     [&] { shown.append(countLabel(window.get())->text()); });
    // The digits come one notification at a time: several readings' worth.
    QTRY_VERIFY(shown.size() >= 15);
    QVERIFY(shown.contains("1234"));
    // Only whole readings reached the label.
    for (const QString &text : qAsConst(shown))
        QVERIFY2(text == "1234" || text == placeholder, qPrintable(text));
}

void TestCounter::showsTheNewestCompleteLine_data()
{
    QTest::addColumn<QList<QByteArray>>("chunks");
    // What the label shows after each chunk; empty: still the placeholder.
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("line in two pieces") << QList<QByteArray>{"12", "34\n"}
                                        << QStringList{QString(), "1234"};
    QTest::newRow("two lines at once") << QList<QByteArray>{"500\n600\n"} << QStringList{"600"};
    QTest::newRow("line and the start of the next")
        << QList<QByteArray>{"700\n8", "00\n"} << QStringList{"700", "800"};
    // Shown as sent, but for the line end.
    QTest::newRow("text kept as sent")
        << QList<QByteArray>{" 12.5 kHz\r\n", "\n"} << QStringList{" 12.5 kHz", ""};
    QTest::newRow("markup shown as text") << QList<QByteArray>{"<b>9</b>\n"}
                                          << QStringList{"<b>9</b>"};
    QTest::newRow("overlong garbage dropped")
        << QList<QByteArray>{QByteArray(5000, '7'), "\n42\n"} << QStringList{QString(), "42"};
}

void TestCounter::showsTheNewestCompleteLine()
{
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(QStringList, expected);
    QuietBoard fixture;
    QScopedPointer<Counter> window(new Counter);
    QTRY_COMPARE(fixture.board.received(), QByteArray("c\ng\n"));
    int notifications = 0;
    QObject::connect(window->findChild<QSerialPort *>(), &QSerialPort::readyRead,
                     [&] { ++notifications; });

    for (int i = 0; i < chunks.size(); ++i) {
        const int before = notifications;
        fixture.board.sendRaw(chunks[i]);
        QTRY_VERIFY(notifications > before);
        const QString want = expected[i].isNull() ? placeholder : expected[i];
        QTRY_COMPARE(countLabel(window.get())->text(), want);
    }
    // No later notification is needed to catch up.
    spin(50);
    QCOMPARE(countLabel(window.get())->text(), expected.last());
    QCOMPARE(countLabel(window.get())->textFormat(), Qt::PlainText);
}

void TestCounter::measuresThePwmOutputOfPad0()
{
    BoardFixture fixture;
    fixture.board.setCounterInterval(20);
    QPointer<Pwm> pwm(new Pwm);
    pwm->findChild<QSpinBox *>("freq0")->setValue(2500);
    pwm->findChild<QSpinBox *>("duty0")->setValue(50);
    pwm->findChild<QPushButton *>("pushButtonEnable0")->click();
    QTRY_COMPARE(fixture.board.pad0Frequency(), 2500);
    pwm->findChild<QPushButton *>("pushButtonQuit")->click();
    QTRY_VERIFY(pwm.isNull());

    // The output keeps running after the generator's stop command. The
    // board still holds an earlier stream than its port buffers: it must
    // not hold up the readings.
    fixture.board.sendRaw(QByteArray(200 * 1024, '$'));
    QScopedPointer<Counter> window(new Counter);
    QTRY_COMPARE(countLabel(window.get())->text(), QString("2500"));
}

QTEST_MAIN(TestCounter)
#include "tst_counter.moc"
