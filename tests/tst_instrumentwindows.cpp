// What every instrument window does alike: how it starts the board, what it
// says when there is no board, and how any close stops the board, destroys
// the window and frees the port.
#include "brokerfixture.h"
#include "chartwindow.h"
#include "filesaving.h"
#include "instrumentdialog.h"
#include "instrumentprotocol.h"
#include "publishcontrol.h"
#include "instrumentkinds.h"
#include "settingsfile.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QPointer>
#include <QSerialPort>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <qcustomplot.h>

using namespace TestSupport;

class TestInstrumentWindows : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<QSerialPort::SerialPortError>(); }
    void cleanup() { destroyTopLevelWindows(); }
    void startsTheBoard_data() { addInstrumentRows(); }
    void startsTheBoard();
    void noBoard_data() { addInstrumentRows(); }
    void noBoard();
    void anyCloseStopsTheBoardAndFreesThePort_data() { addInstrumentCloseRows(); }
    void anyCloseStopsTheBoardAndFreesThePort();
    void closingAllWindowsIsNotRefused_data() { addInstrumentRows(); }
    void closingAllWindowsIsNotRefused();
    void recordsAndCopiesReadings_data();
    void recordsAndCopiesReadings();
    void companionWindowsOpenRaiseAndClose_data() { addInstrumentRows(); }
    void companionWindowsOpenRaiseAndClose();
    void chartBandsStopAtAGap();
    void publishesReadingsToABroker();
    void publishesSampleBlocksToABroker();
};

void TestInstrumentWindows::startsTheBoard()
{
    const InstrumentKind kind = fetchInstrumentKind();
    QuietBoard fixture;
    QElapsedTimer clock;
    qint64 firstByteAt = -1;
    QObject::connect(&fixture.board, &VirtualBoard::bytesReceived, [&] {
        if (firstByteAt < 0)
            firstByteAt = clock.elapsed();
    });
    ModalBoxCatcher catcher;
    MessageCapture capture;
    clock.start();
    QScopedPointer<QDialog> window(kind.create());

    QCOMPARE(catcher.boxes.size(), 0);
    QTRY_COMPARE(fixture.board.received(), kind.startCommands);
    if (kind.waitsBeforeStart)
        QVERIFY2(firstByteAt >= 140, qPrintable(QString::number(firstByteAt)));
    QCOMPARE(fixture.board.mode(), kind.mode);
    QCOMPARE(capture.count("connected maked true"), 1);
    const QIODevice::OpenMode mode = kind.reads ? QIODevice::ReadWrite : QIODevice::WriteOnly;
    QCOMPARE(window->findChild<QSerialPort *>()->openMode(), mode);
}

void TestInstrumentWindows::noBoard()
{
    const InstrumentKind kind = fetchInstrumentKind();
    // A board on a line the system does not list: the window must not use it.
    BoardFixture unlisted;
    NoBoard none;
    MessageCapture capture;
    QPointer<QDialog> window(kind.create());
    // The box came and went inside the constructor, before the window shows.
    QCOMPARE(none.boxes.size(), 1);
    QCOMPARE(none.boxes[0].title, QString("Serial port error"));
    QCOMPARE(none.boxes[0].text, QString("Could not connect to your device."));
    QCOMPARE(capture.count("connected maked true"), 0);
    QVERIFY(!window->findChild<QSerialPort *>()->isOpen());

    window->show();
    closeWindow(window, kind.quitButton, "quit button");
    QTRY_VERIFY(window.isNull());
    spin(50);
    QCOMPARE(none.boxes.size(), 1);
    // Nothing tried to write to the closed port, and nothing reached the line.
    QCOMPARE(capture.warnings().filter("QSerialPort"), QStringList());
    QCOMPARE(unlisted.board.received(), QByteArray());
}

void TestInstrumentWindows::anyCloseStopsTheBoardAndFreesThePort()
{
    const InstrumentKind kind = fetchInstrumentKind();
    QFETCH(QString, how);
    QuietBoard fixture;
    ModalBoxCatcher catcher;
    QPointer<QDialog> window(kind.open());
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTRY_COMPARE(fixture.board.received(), kind.startCommands);
    QPointer<QSerialPort> serial = window->findChild<QSerialPort *>();
    QSignalSpy reads(serial.data(), &QSerialPort::readyRead);

    // The stop commands go out while the port is still open, and what the
    // board says in the wait after them gets no answer.
    bool stopsArrived = false;
    bool openAtStops = false;
    QObject::connect(&fixture.board, &VirtualBoard::bytesReceived, [&] {
        if (stopsArrived || !fixture.board.received().endsWith(kind.stopCommands()))
            return;
        stopsArrived = true;
        openAtStops = serial && serial->isOpen();
        if (kind.reads)
            fixture.board.sendRaw(kind.reply);
    });

    QElapsedTimer clock;
    clock.start();
    closeWindow(window, kind.quitButton, how);
    if (how == "quit button") {
        // The stop and its wait ran inside the click; the window is on its way out.
        QVERIFY2(clock.elapsed() >= 140, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(window);
        QVERIFY(!window->isVisible());
        QVERIFY(!serial->isOpen());
    }
    QTRY_VERIFY(window.isNull());
    QVERIFY(serial.isNull());
    QVERIFY(openAtStops);
    if (kind.reads)
        QVERIFY(reads.count() > 0);
    spin(50);
    QCOMPARE(fixture.board.received(), kind.startCommands + kind.stopCommands());
    QCOMPARE(fixture.board.mode(), VirtualBoard::Mode::Idle);

    // The port is free for the next window.
    QScopedPointer<QDialog> next(kind.create());
    QVERIFY(next->findChild<QSerialPort *>()->isOpen());
    QCOMPARE(catcher.boxes.size(), 0);
}

void TestInstrumentWindows::closingAllWindowsIsNotRefused()
{
    // What the desktop asks at logout: every window must agree to close.
    const InstrumentKind kind = fetchInstrumentKind();
    QuietBoard fixture;
    QPointer<QDialog> window(kind.open());
    QTRY_COMPARE(fixture.board.received(), kind.startCommands);
    QVERIFY(window->close());
    QCOMPARE(fixture.board.received(), kind.startCommands + kind.stopCommands());
    QTRY_VERIFY(window.isNull());
}

void TestInstrumentWindows::recordsAndCopiesReadings_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("replies");
    QTest::addColumn<QStringList>("rows"); // without the time column
    QTest::addColumn<QString>("copied");

    const QByteArray hundred = QByteArray("1,2,3\n").repeated(98);
    QStringList hundredRows;
    for (int i = 0; i < 98; ++i)
        hundredRows << QString("%1,1,2,3").arg(i + 1);
    // Damaged lines are not readings; line ends are not values; what is no
    // number leaves its cell empty, never a formula for a spreadsheet.
    QTest::newRow("Voltmeter") << "Voltmeter"
                               << hundred + "=1+2,-cmd,@x\n9,9\n1,\"2,3\r\n7,8,-9.5\r\n"
                               << hundredRows + QStringList{"99,,,", "100,1,,3", "101,7,8,-9.5"}
                               << "7\t8\t-9.5";
    QTest::newRow("Counter") << "Counter" << QByteArray("1000\n1001\r\n-cmd\n=1+2\n12,5 kHz\n")
                             << QStringList{"1,1000", "2,1001", "3,", "4,", "5,"} << "12,5 kHz";
}

void TestInstrumentWindows::recordsAndCopiesReadings()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, replies);
    QFETCH(QStringList, rows);
    QFETCH(QString, copied);
    const InstrumentKind k = instrumentKind(kind);
    QTemporaryDir dir;
    const QString path = dir.filePath("readings.csv");
    FileSaving::setFileNameSource([&](const QString &title, const QString &suggested) {
        return title == "Record Data" && suggested.contains(kind.toLower() + "-") ? path : QString();
    });
    const auto restore = qScopeGuard([] { FileSaving::setFileNameSource({}); });

    QuietBoard fixture;
    QPointer<QDialog> window(k.open());
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTRY_COMPARE(fixture.board.received(), k.startCommands);
    QStringList menu;
    for (QAction *action : window->actions())
        menu << action->text();
    QCOMPARE(menu, (QStringList{"Copy Reading", "Start Recording…", "Publish…", "Show Chart",
                           "Show Raw Data", "Board", "Restore Defaults"}));
    QCOMPARE(window->contextMenuPolicy(), Qt::ActionsContextMenu);

    QTest::keyClick(window, Qt::Key_R, Qt::ControlModifier);
    QCOMPARE(window->actions().at(1)->text(), QString("Stop Recording"));
    fixture.board.sendRaw(replies);
    const char *lastLabel = kind == "Voltmeter" ? "labelVolt2" : "countLabel";
    QTRY_COMPARE(window->findChild<QLabel *>(lastLabel)->text(), copied.section('\t', -1));
    QTest::keyClick(window, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), copied);

    // Quit ends the recording; the file is complete before the port closes.
    window->findChild<QPushButton *>(k.quitButton)->click();
    QTRY_VERIFY(window.isNull());
    const QStringList lines = QString::fromUtf8(contents(path)).split('\n');
    QCOMPARE(lines.first(), kind == "Voltmeter" ? QString("reading,time_s,PAD0_mV,PAD1_mV,PAD2_mV")
                                                : QString("reading,time_s,frequency_hz"));
    QCOMPARE(lines.last(), QString()); // ends with a line feed, never half a row
    QStringList got;
    for (const QString &line : lines.mid(1, lines.size() - 2)) {
        QStringList fields = line.split(',');
        QVERIFY2(QRegularExpression("^\\d+\\.\\d{6}$").match(fields.at(1)).hasMatch(),
                 qPrintable(line));
        fields.removeAt(1);
        got << fields.join(',');
    }
    QCOMPARE(got, rows);
}

void TestInstrumentWindows::companionWindowsOpenRaiseAndClose()
{
    // The raw data window (every window) and the chart (the text
    // instruments): a shortcut opens or raises each, closing one leaves the
    // instrument running, closing the instrument closes them.
    const InstrumentKind kind = fetchInstrumentKind();
    const bool charts = kind.name == "Voltmeter" || kind.name == "Counter";
    QuietBoard fixture;
    QPointer<InstrumentDialog> window(qobject_cast<InstrumentDialog *>(kind.create()));
    window->setWindowTitle(kind.launcherTitle);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTRY_COMPARE(fixture.board.received(), kind.startCommands);
    QCOMPARE(window->rawDataAction()->text(), QString("Show Raw Data"));
    QCOMPARE(window->chartAction() != nullptr, charts);

    QTest::keyClick(window, Qt::Key_D, Qt::ControlModifier);
    QPointer<RawDataWindow> raw = window->rawDataWindow();
    QVERIFY(raw);
    QCOMPARE(raw->windowTitle(), "Raw Data – " + kind.launcherTitle);
    QTRY_COMPARE(QApplication::activeWindow(), raw.data());
    if (kind.reads) {
        // What the board sends shows up, a line at a time.
        fixture.board.sendRaw(kind.reply);
        const QAbstractItemModel *lines = raw->findChild<QListView *>()->model();
        QTRY_VERIFY(lines->rowCount() > 0);
        QCOMPARE(lines->index(0, 0).data().toString(), QString(kind.reply).remove('\n'));
    }
    QPointer<ReadingChart> chart;
    if (charts) {
        // A child window being active makes its parent count as active too.
        QApplication::setActiveWindow(window);
        QTest::keyClick(window, Qt::Key_G, Qt::ControlModifier);
        chart = window->chartWindow();
        QVERIFY(chart);
        QCOMPARE(chart->windowTitle(), kind.name + " Chart");
        QCOMPARE(chart->size(), QSize(640, 400));
        QTRY_COMPARE(QApplication::activeWindow(), chart.data());
    }

    // Asked again, the open window comes to the front.
    QApplication::setActiveWindow(window);
    QTest::keyClick(window, Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(window->rawDataWindow(), raw.data());
    QTRY_COMPARE(QApplication::activeWindow(), raw.data());

    // Closing them stops nothing.
    raw->close();
    if (chart)
        chart->close();
    QTRY_VERIFY(raw.isNull() && chart.isNull());
    spin(50);
    QVERIFY(window->isVisible());
    QVERIFY(window->findChild<QSerialPort *>()->isOpen());
    QVERIFY(!fixture.board.received().contains("r\n"));

    window->rawDataAction()->trigger();
    raw = window->rawDataWindow();
    if (charts) {
        window->chartAction()->trigger();
        chart = window->chartWindow();
    }
    window->findChild<QPushButton *>(kind.quitButton)->click();
    QTRY_VERIFY(window.isNull());
    QVERIFY(raw.isNull());
    QVERIFY(chart.isNull());
    QVERIFY(fixture.board.received().endsWith(kind.stopCommands()));
}

void TestInstrumentWindows::chartBandsStopAtAGap()
{
    // Each second swings from 1000 to 2000 mV; the board is away from 10 s to 15 s.
    ReadingHistory history(1);
    const qint64 startMs = 1767225600000;
    for (qint64 ms = 0; ms < 20000; ms += 100) {
        if (ms >= 10000 && ms < 15000)
            continue;
        if (ms == 15000)
            history.markGap();
        const double value = ms % 200 == 0 ? 1000 : 2000;
        history.add(startMs + ms, &value);
    }
    QWidget instrument;
    ChartWindow chart({&InstrumentProtocol::counter()}, history,
                      [&] { return startMs + 20000; }, [](const std::function<void()> &work) { work(); },
                      &instrument);
    chart.setSpan(60000);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    auto *plot = chart.findChild<QCustomPlot *>();
    plot->replot();
    const QImage image = plot->toPixmap().toImage();
    const auto at = [&](qint64 ms, double mV) {
        return image.pixelColor(int(plot->xAxis->coordToPixel(double(startMs + ms) / 1000)),
                                int(plot->yAxis->coordToPixel(mV)));
    };
    const QColor band = at(5000, 1250);
    QVERIFY2(band != Qt::white && band.red() > band.green(), qPrintable(band.name()));
    QCOMPARE(at(17000, 1750), band);
    QCOMPARE(at(12500, 1250), QColor(Qt::white));
    QCOMPARE(at(5000, 2035), QColor(Qt::white)); // above the band, inside the margin
}

void TestInstrumentWindows::publishesReadingsToABroker()
{
    SKIP_WITHOUT_BROKER();
    BrokerFixture broker;
    QVERIFY(broker.startSubscribed("bench/#"));
    BoardFixture fixture;
    fixture.board.setVoltages(1650, 1702, 33);
    QPointer<QDialog> window(instrumentKind("Voltmeter").open());
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const QString title = window->windowTitle();
    QAction *publish = window->findChild<QAction *>("publishAction");
    QVERIFY(publish);
    // The dialog is modal: fill it in from the event loop it runs.
    const auto answer = [](const QString &url, QString *proposed) {
        QTimer::singleShot(0, [url, proposed] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog && dialog->objectName() == "publishDialog");
            auto *edit = dialog->findChild<QLineEdit *>("brokerUrl");
            *proposed = edit->text();
            edit->setText(url);
            url.isEmpty() ? dialog->reject() : dialog->accept();
        });
    };
    QString proposed = "unset";
    const QString url = broker.url("bench").replace("mqtt://", "mqtt://ann:s3cret@");
    answer(url, &proposed);
    publish->trigger();
    QCOMPARE(proposed, QString());
    QCOMPARE(publish->text(), QString("Stop Publishing"));
    QVERIFY(window->windowTitle().startsWith(title + " — publishing to mqtt://"));

    QTRY_VERIFY_WITH_TIMEOUT(broker.subscriber().messages().size() >= 3, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(window->findChild<QLabel *>("labelVolt0")->text(), QString("1650"),
                              10000);
    const QList<Subscriber::Message> messages = broker.subscriber().messages();
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(messages[i].topic, QByteArray("bench/voltmeter"));
        const QJsonObject reading = QJsonDocument::fromJson(messages[i].payload).object();
        QCOMPARE(reading["reading"].toInt(), i + 1);
        QCOMPARE(reading["PAD0_mV"].toInt(), 1650);
        QCOMPARE(reading["PAD1_mV"].toInt(), 1702);
        QCOMPARE(reading["PAD2_mV"].toInt(), 33);
    }

    // Stopping gives the title back; the dialog then proposes the last URL,
    // without its password, which the settings file, the user's alone, never held.
    publish->trigger();
    QCOMPARE(publish->text(), QString("Publish…"));
    QCOMPARE(window->windowTitle(), title);
    answer(QString(), &proposed);
    publish->trigger();
    QCOMPARE(proposed, QString(url).remove(":s3cret"));
    QFile settings(SettingsFile::path());
    QVERIFY(settings.open(QIODevice::ReadOnly));
    QVERIFY(!settings.readAll().contains("s3cret"));
    QCOMPARE(settings.permissions() & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());
    QCOMPARE(publish->text(), QString("Publish…"));
}

void TestInstrumentWindows::publishesSampleBlocksToABroker()
{
    SKIP_WITHOUT_BROKER();
    BrokerFixture broker;
    QVERIFY(broker.startSubscribed("bench/#"));
    QuietBoard fixture;
    const InstrumentKind kind = instrumentKind("Osciloscope");
    QPointer<QDialog> window(kind.open());
    QTRY_COMPARE(fixture.board.received(), kind.startCommands);
    QVERIFY(window->findChild<PublishControl *>()->startPublishing(broker.url("bench")));
    fixture.board.sendRaw("$1 2 3;$4 x 6;$7 8 9;");
    QVariantList pad0, pad1;
    QSet<QByteArray> topics;
    const auto collect = [&] {
        pad0.clear();
        pad1.clear();
        for (const Subscriber::Message &message : broker.subscriber().messages()) {
            const QJsonObject block = QJsonDocument::fromJson(message.payload).object();
            topics.insert(message.topic);
            pad0 += block["PAD0"].toArray().toVariantList();
            pad1 += block["PAD1"].toArray().toVariantList();
        }
        return pad0.size();
    };
    QTRY_COMPARE_WITH_TIMEOUT(collect(), 3, 10000);
    QCOMPARE(topics, QSet<QByteArray>{"bench/osciloscope"});
    QCOMPARE(pad0, (QVariantList{1.0, 4.0, 7.0}));
    QCOMPARE(pad1, (QVariantList{2.0, QVariant::fromValue(nullptr), 8.0}));
}

QTEST_MAIN(TestInstrumentWindows)
#include "tst_instrumentwindows.moc"
