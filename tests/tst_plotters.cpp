#include "accelerometer.h"
#include "csvrecorder.h"
#include "filesaving.h"
#include "lanesview.h"
#include "monotonicclock.h"
#include "osciloscope.h"
#include "plotcompat.h"
#include "plotlayers.h"
#include "publishcontrol.h"
#include "recordingcontrol.h"
#include "recordingwindows.h"
#include "spectrumview.h"
#include "xyview.h"
#include "testsupport.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPolygonF>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <cmath>
#include <functional>
#include <limits>

using namespace TestSupport;

static QPolygonF pts(std::initializer_list<QPointF> list)
{
    return QPolygonF(QVector<QPointF>(list));
}

// Answers every plotter's save dialog with `answer` for as long as it
// lives, and keeps what each dialog would have shown.
struct SaveDialogs
{
    explicit SaveDialogs(const QString &answer)
    {
        FileSaving::setFileNameSource([this, answer](const QString &title, const QString &suggested) {
            titles.append(title);
            suggestions.append(suggested);
            return answer;
        });
    }
    ~SaveDialogs() { FileSaving::setFileNameSource({}); }
    QStringList titles;
    QStringList suggestions;
};

class TestPlotters : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<QSerialPort::SerialPortError>(); }
    void opensWithItsFormAndStartsTheStream_data();
    void notesABrokerThatIsAway();
    void opensWithItsFormAndStartsTheStream();
    void profiles_data();
    void profiles();
    void framesIntoGraphs_data();
    void framesIntoGraphs();
    // The same frames through the intake alone, in every way of cutting them.
    void framesIntoSamples_data() { framesIntoGraphs_data(); }
    void framesIntoSamples();
    void keepsTheLastWindowAndNeverRescalesY();
    void pauseAndResume();
    void redrawsOnlyWhenSomethingChanged();
    void sampleCountRunsPast32Bits();
    void frameCompletedDuringTheStopWaitIsPlotted_data() { addCloseRows(); }
    void frameCompletedDuringTheStopWaitIsPlotted();
    void noBoard_data();
    void noBoard();
    void unplugMidStream();
    void garbageAndOverlongFrames();
    void gapBreaksTheLines_data();
    void gapBreaksTheLines();
    void plotMenuAndShortcuts_data();
    void plotMenuAndShortcuts();
    void saveImage_data();
    void saveImage();
    void exportMatchesWhatThePlotHolds_data();
    void exportMatchesWhatThePlotHolds();
    void recordingOpensWholeAndExportsItsRows();
    void mathChannelIsExportedAfterTheInputs();
    void recordsEveryFrameEvenWhilePaused();
    void readoutOfTheSampleUnderThePointer_data();
    void readoutOfTheSampleUnderThePointer();
    void triggeredSineStandsStill();
    void gridPictureDrawsLikeAFullRedraw_data();
    void gridPictureDrawsLikeAFullRedraw();
    void zoomPanAndExportTheRangeShown();
    void spectrumAndXYViewsWithTheirExports_data();
    void spectrumAndXYViewsWithTheirExports();
    void lanesStackTheShownChannels_data();
    void lanesStackTheShownChannels();

private:
    static Plotter *create(const QString &kind)
    {
        if (kind == QLatin1String("Accelerometer"))
            return new Accelerometer;
        return new Osciloscope;
    }
    static Plotter *open(const QString &kind)
    {
        Plotter *window = create(kind);
        window->show();
        return window;
    }
    static QCustomPlot *plotOf(QWidget *window) { return window->findChild<QCustomPlot *>("plot"); }
    static QPushButton *button(QWidget *window, const char *name)
    {
        return window->findChild<QPushButton *>(name);
    }
    static QPolygonF points(QWidget *window, int graph)
    {
        QPolygonF result;
        const auto data = plotOf(window)->graph(graph)->data();
        for (auto it = data->constBegin(); it != data->constEnd(); ++it)
            result.append(QPointF(it->key, it->value));
        return result;
    }
    static QCPRange xRange(QWidget *window) { return plotOf(window)->xAxis->range(); }
    static qint64 sampleIndex(const Plotter *window) { return window->intake().lastIndex(); }
    static const QTimer &refreshTimer(const Plotter *window)
    {
        return *window->findChild<QTimer *>("refreshTimer");
    }
    static const SampleStore &store(const Plotter *window) { return window->intake().store(); }
    static QAction *action(QWidget *window, const QString &text)
    {
        for (QAction *action : window->actions())
            if (action->text() == text)
                return action;
        return nullptr;
    }
    static RecordingControl *recording(QWidget *window)
    {
        return window->findChild<RecordingControl *>();
    }
    // A note on the plot as drawn: empty while hidden.
    static QString note(QWidget *window, const char *name = "damageNote")
    {
        const auto *text = plotOf(window)->findChild<QCPItemText *>(name);
        return text->visible() ? text->text() : QString();
    }
};

Q_DECLARE_METATYPE(QCPRange)

// Readable failure messages for the plot's own types.
char *toString(const QCPRange &range)
{
    return QTest::toString(QStringLiteral("[%1, %2]").arg(range.lower).arg(range.upper));
}

char *toString(const QPolygonF &points)
{
    QStringList texts;
    for (const QPointF &point : points)
        texts.append(QStringLiteral("(%1, %2)").arg(point.x()).arg(point.y()));
    return QTest::toString(texts.join(QLatin1Char(' ')));
}

void TestPlotters::notesABrokerThatIsAway()
{
    BoardFixture fixture;
    std::unique_ptr<Plotter> window(open("Osciloscope"));
    QTRY_COMPARE(fixture.board.received(), QByteArray("o\n"));
    PublishControl *publishing = window->findChild<PublishControl *>();
    // Nothing listens on port 1: the broker is away from the start.
    QVERIFY(publishing->startPublishing("mqtt://127.0.0.1:1/bench"));
    QCOMPARE(publishing->action()->text(), QString("Stop Publishing"));
    QTRY_VERIFY_WITH_TIMEOUT(note(window.get(), "publishingNote").startsWith("broker unreachable"),
                             5000);
    publishing->action()->trigger();
    QTRY_COMPARE(note(window.get(), "publishingNote"), QString());
    QCOMPARE(publishing->action()->text(), QString("Publish…"));
}

void TestPlotters::opensWithItsFormAndStartsTheStream_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("startCommand");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QSize>("minimumSize");
    QTest::addColumn<QSize>("maximumSize");
    QTest::addColumn<QString>("labelStart");
    QTest::addColumn<QCPRange>("initialXRange");

    QTest::newRow("accelerometer")
        << "Accelerometer" << QByteArray("a\n") << QSize(729, 551) << QSize(640, 480)
        << QSize(1920, 1080)
        << "<html><head/><body><p><span style=\" font-size:14pt;\">Axes colors:\t</span>"
           "<span style=\" font-size:12pt; color:#ff0000;\">X - red</span>"
           "<span style=\" font-size:12pt;\"><br/></span>"
           "<span style=\" font-size:12pt; color:#1500ff;\">Y - blue<br/></span>"
           "<span style=\" font-size:12pt;\">Z - black</span></p></body></html>"
        << QCPRange(0, 500);
    QTest::newRow("osciloscope")
        << "Osciloscope" << QByteArray("o\n") << QSize(567, 428) << QSize(0, 0)
        << QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX)
        << "<html><head/><body><p><span style=\" font-size:14pt;\">Chanels: <br/></span>"
           "<span style=\" font-size:12pt; color:#ff0000;\">PAD0</span>"
           "<span style=\" font-size:12pt;\"><br/></span>"
           "<span style=\" font-size:12pt; color:#1500ff;\">PAD1<br/></span>"
           "<span style=\" font-size:12pt;\">PAD2</span></p></body></html>"
        << QCPRange(0, 200);
}

void TestPlotters::opensWithItsFormAndStartsTheStream()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, startCommand);
    QFETCH(QSize, size);
    QFETCH(QSize, minimumSize);
    QFETCH(QSize, maximumSize);
    QFETCH(QString, labelStart);
    QFETCH(QCPRange, initialXRange);

    QuietBoard fixture;
    QScopedPointer<Plotter> window(create(kind));
    QCOMPARE(window->objectName(), kind);
    QCOMPARE(window->windowTitle(), QString("Dialog"));
    QCOMPARE(window->size(), size);
    QCOMPARE(window->minimumSize(), minimumSize);
    QCOMPARE(window->maximumSize(), maximumSize);
    QCOMPARE(window->findChild<QLabel *>("label")->text(), labelStart);
    QCOMPARE(button(window.get(), "stopButton")->text(), QString("Stop"));
    QCOMPARE(button(window.get(), "quitButton")->text(), QString("Quit"));
    QCOMPARE(xRange(window.get()), initialXRange);
    QVERIFY(refreshTimer(window.get()).isActive());
    QCOMPARE(refreshTimer(window.get()).interval(), 20);

    // Refreshed before any frame: the window ends at sample 0.
    QTRY_COMPARE(xRange(window.get()), QCPRange(-500, 0));

    // The board's own stream fills the graphs; redraws show the last 500.
    fixture.board.setSilent(false);
    QTRY_VERIFY(sampleIndex(window.get()) > 100);
    for (int graph = 0; graph < 3; ++graph) {
        for (const QPointF &point : points(window.get(), graph)) {
            const double low = kind == "Accelerometer" && graph == 2 ? 2500 : 0;
            const double high = kind == "Accelerometer" && graph != 2 ? 2500 : 3300;
            QVERIFY2(point.y() >= low && point.y() <= high, qPrintable(QString::number(point.y())));
        }
    }
    QTRY_VERIFY(xRange(window.get()).lower > 0);
    QCOMPARE(xRange(window.get()).size(), 500.0);
    QCOMPARE(fixture.board.received(), startCommand);
}

void TestPlotters::profiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QCPRange>("yRange");
    QTest::addColumn<QColor>("yLabelColor");
    QTest::addColumn<bool>("rightAxis");

    QTest::newRow("accelerometer") << "Accelerometer" << QCPRange(-200, 4200)
                                   << QColor(240, 240, 240) << true;
    QTest::newRow("osciloscope") << "Osciloscope" << QCPRange(-100, 3400) << QColor(10, 10, 10)
                                 << false;
}

void TestPlotters::profiles()
{
    QFETCH(QString, kind);
    QFETCH(QCPRange, yRange);
    QFETCH(QColor, yLabelColor);
    QFETCH(bool, rightAxis);

    NoBoard none;
    QScopedPointer<Plotter> window(create(kind));
    QCustomPlot *plot = plotOf(window.get());

    QCOMPARE(plot->graphCount(), 3);
    QCOMPARE(plot->graph(0)->pen().color(), QColor(Qt::red));
    QCOMPARE(plot->graph(1)->pen().color(), QColor(Qt::blue));
    QCOMPARE(plot->graph(2)->pen().color(), QColor(Qt::black));
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(plot->graph(i)->keyAxis(), plot->xAxis);
        QCOMPARE(plot->graph(i)->valueAxis(), plot->yAxis);
    }

    QCOMPARE(plot->yAxis->range(), yRange);
    QCOMPARE(plot->yAxis->labelColor(), yLabelColor);
    // The accelerometer's raw scale is painted in the background colour.
    QCOMPARE(plot->yAxis->tickLabelColor(), yLabelColor);
    QCOMPARE(plot->xAxis->tickLabelColor(), QColor(10, 10, 10));
    QCOMPARE(PlotCompat::fixedTickStep(plot->yAxis), 500.0);
    QCOMPARE(plot->yAxis->ticker().dynamicCast<QCPAxisTickerFixed>()->scaleStrategy(),
             QCPAxisTickerFixed::ssNone);
    QCOMPARE(PlotCompat::fixedTickStep(plot->xAxis), 0.0);

    QCOMPARE(plot->yAxis2->visible(), rightAxis);
    if (rightAxis) {
        QCOMPARE(plot->yAxis2->range(), QCPRange(-2.2, 2.2));
        QCOMPARE(PlotCompat::fixedTickStep(plot->yAxis2), 0.0);
        QVERIFY(plot->yAxis2->tickLabels());
    }

    QCOMPARE(plot->notAntialiasedElements(), QCP::AntialiasedElements(QCP::aeAll));
    QVERIFY(!plot->interactions().testFlag(QCP::iRangeDrag));
    QVERIFY(!plot->interactions().testFlag(QCP::iRangeZoom));

    // What is drawn: the light grey background.
    const QImage image = plot->toPixmap(400, 300).toImage();
    QCOMPARE(QColor(image.pixel(1, 1)), QColor(240, 240, 240));
}

void TestPlotters::framesIntoGraphs_data()
{
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<int>("chunkSize");
    QTest::addColumn<int>("frames");
    QTest::addColumn<QPolygonF>("graph0");
    QTest::addColumn<QPolygonF>("graph1");
    QTest::addColumn<QPolygonF>("graph2");
    QTest::addColumn<QString>("note");

    const QString none;
    const QString one = "1 damaged frame skipped";
    QTest::newRow("three fields") << QByteArray("$12 34 56;") << 0 << 1
                                  << pts({{1, 12}}) << pts({{1, 34}}) << pts({{1, 56}}) << none;
    QTest::newRow("space after the marker") << QByteArray("$ 12 34 56;") << 0 << 1
                                            << pts({}) << pts({{1, 12}}) << pts({{1, 34}}) << one;
    QTest::newRow("two spaces") << QByteArray("$12  34;") << 0 << 1
                                << pts({{1, 12}}) << pts({}) << pts({{1, 34}}) << one;
    QTest::newRow("one field") << QByteArray("$7;") << 0 << 1 << pts({{1, 7}}) << pts({}) << pts({})
                               << none;
    QTest::newRow("empty frame") << QByteArray("$;") << 0 << 1 << pts({}) << pts({}) << pts({}) << one;
    QTest::newRow("fewer fields, then three")
        << QByteArray("$7;$8 9;$1 2 3;") << 0 << 3 << pts({{1, 7}, {2, 8}, {3, 1}})
        << pts({{2, 9}, {3, 2}}) << pts({{3, 3}}) << none;
    QTest::newRow("extra fields ignored") << QByteArray("$1 2 3 4 5;") << 0 << 1
                                          << pts({{1, 1}}) << pts({{1, 2}}) << pts({{1, 3}}) << none;
    QTest::newRow("negative values kept") << QByteArray("$-300 2000 2300;") << 0 << 1
                                          << pts({{1, -300}}) << pts({{1, 2000}}) << pts({{1, 2300}})
                                          << none;
    QTest::newRow("inner marker restarts") << QByteArray("$1 2$3 4;") << 0 << 1
                                           << pts({{1, 3}}) << pts({{1, 4}}) << pts({}) << none;
    QTest::newRow("line end inside a field") << QByteArray("$1 2\r\n;$1 2\r\n3;") << 0 << 2
                                             << pts({{1, 1}, {2, 1}}) << pts({{1, 2}}) << pts({})
                                             << one;
    QTest::newRow("not a number") << QByteArray("$1x2 +5 .;") << 0 << 1
                                  << pts({{1, 12}}) << pts({{1, 5}}) << pts({}) << one;
    QTest::newRow("lone minus") << QByteArray("$- 5 6;") << 0 << 1
                                << pts({}) << pts({{1, 5}}) << pts({{1, 6}}) << one;
    QTest::newRow("minus inside") << QByteArray("$4 1-2 6;") << 0 << 1
                                  << pts({{1, 4}}) << pts({}) << pts({{1, 6}}) << one;
    QTest::newRow("beyond int range")
        << QByteArray("$2147483648 -2147483649 -2147483648;") << 0 << 1 << pts({}) << pts({})
        << pts({{1, -2147483648.0}}) << one;
    QTest::newRow("damaged among sound ones")
        << QByteArray("$1 2 3;$- 2 3;$;$4 5 6;") << 0 << 4 << pts({{1, 1}, {4, 4}})
        << pts({{1, 2}, {2, 2}, {4, 5}}) << pts({{1, 3}, {2, 3}, {4, 6}})
        << "2 damaged frames skipped";
    QTest::newRow("bytes outside frames") << QByteArray("99;zz$4 5 6;;;x\n$7 8 9;") << 0 << 2
                                          << pts({{1, 4}, {2, 7}}) << pts({{1, 5}, {2, 8}})
                                          << pts({{1, 6}, {2, 9}}) << none;
    QTest::newRow("split into small pieces")
        << QByteArray("$1000 2000 3000;$1001 2001 3001;") << 3 << 2 << pts({{1, 1000}, {2, 1001}})
        << pts({{1, 2000}, {2, 2001}}) << pts({{1, 3000}, {2, 3001}}) << none;
}

void TestPlotters::framesIntoGraphs()
{
    QFETCH(QByteArray, stream);
    QFETCH(int, chunkSize);
    QFETCH(int, frames);

    QuietBoard fixture;
    fixture.board.setChunkSize(chunkSize);
    QScopedPointer<Plotter> window(new Osciloscope);
    QSignalSpy framesSeen(window.get(), &Plotter::newData);
    fixture.board.sendRaw(stream);
    QTRY_COMPARE(framesSeen.count(), frames);
    spin(50); // nothing more comes
    QTRY_COMPARE(xRange(window.get()), QCPRange(frames - 500, frames));

    QCOMPARE(framesSeen.count(), frames);
    QCOMPARE(sampleIndex(window.get()), qint64(frames));
    QTEST(points(window.get(), 0), "graph0");
    QTEST(points(window.get(), 1), "graph1");
    QTEST(points(window.get(), 2), "graph2");
    QFETCH(QString, note);
    QTRY_COMPARE(TestPlotters::note(window.get()), note);
}

void TestPlotters::framesIntoSamples()
{
    QFETCH(QByteArray, stream);
    QFETCH(int, frames);
    QFETCH(QString, note);
    QFETCH(QPolygonF, graph0);
    QFETCH(QPolygonF, graph1);
    QFETCH(QPolygonF, graph2);
    // What the graphs of the same row hold, sample by sample.
    QStringList expected;
    for (int index = 1; index <= frames; ++index) {
        QString text = QString::number(index);
        for (const QPolygonF &points : {graph0, graph1, graph2}) {
            QString value = " -";
            for (const QPointF &point : points)
                if (point.x() == index)
                    value = " " + QString::number(qint64(point.y()));
            text += value;
        }
        expected.append(text);
    }
    const QRegularExpression count("^(\\d+) damaged");
    const quint64 damaged = note.isEmpty() ? 0 : count.match(note).captured(1).toULongLong();

    for (int readSize : {int(stream.size()), 1, 2, 3, 7}) {
        SampleIntake intake;
        QSignalSpy added(&intake, &SampleIntake::samplesAdded);
        int reads = 0;
        for (int from = 0; from < stream.size(); from += readSize, ++reads)
            intake.takeBytes(stream.constData() + from, qMin(readSize, int(stream.size()) - from),
                             1000 + reads);
        QCOMPARE(describe(intake.store()), expected);
        QCOMPARE(intake.lastIndex(), qint64(frames));
        QCOMPARE(intake.damagedFrames(), damaged);
        // One notice per read that completed a frame, at most.
        QVERIFY(added.count() >= (frames > 0 ? 1 : 0) && added.count() <= qMin(reads, frames));
        // Each sample carries the time of the read that completed it.
        for (int position = 1; position < intake.store().size(); ++position)
            QVERIFY(intake.store().at(position).timeNs >= intake.store().at(position - 1).timeNs);
    }
}

void TestPlotters::keepsTheLastWindowAndNeverRescalesY()
{
    QuietBoard fixture;
    QScopedPointer<Plotter> window(new Osciloscope);
    QByteArray stream;
    for (int i = 1; i <= 600; ++i)
        stream += "$" + QByteArray::number(i) + " 5000 -1000;";
    fixture.board.sendRaw(stream);
    QTRY_COMPARE(sampleIndex(window.get()), qint64(600));
    QTRY_COMPARE(xRange(window.get()), QCPRange(100, 600));

    for (int graph = 0; graph < 3; ++graph) {
        const QPolygonF kept = points(window.get(), graph);
        QCOMPARE(kept.size(), 501);
        QCOMPARE(kept.first().x(), 100.0);
        QCOMPARE(kept.last().x(), 600.0);
    }
    QCOMPARE(points(window.get(), 0).first().y(), 100.0);
    QCOMPARE(points(window.get(), 0).last().y(), 600.0);
    // Values far outside the range leave the y axis where it was.
    QCOMPARE(plotOf(window.get())->yAxis->range(), QCPRange(-100, 3400));
}

void TestPlotters::pauseAndResume()
{
    QuietBoard fixture;
    QScopedPointer<Plotter> window(open("Osciloscope"));
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QSignalSpy framesSeen(window.get(), &Plotter::newData);
    fixture.board.sendRaw("$1 1 1;$2 2 2;$3 3 3;");
    QTRY_COMPARE(sampleIndex(window.get()), qint64(3));
    QTRY_COMPARE(xRange(window.get()), QCPRange(-497, 3));

    QPushButton *stopButton = button(window.get(), "stopButton");
    QTest::mouseClick(stopButton, Qt::LeftButton);
    QCOMPARE(stopButton->text(), QString("Start Plot"));
    QVERIFY(!window->isPlotting());
    QVERIFY(!refreshTimer(window.get()).isActive());

    QSignalSpy redraws(plotOf(window.get()), &QCustomPlot::afterReplot);
    fixture.board.sendRaw("$9 9 9;$9 9 9;");
    QTRY_COMPARE(framesSeen.count(), 5);
    spin(100);
    QCOMPARE(sampleIndex(window.get()), qint64(3));
    QCOMPARE(points(window.get(), 0).size(), 3);
    QCOMPARE(xRange(window.get()), QCPRange(-497, 3));
    QCOMPARE(redraws.count(), 0);

    // What is shown changes: a stopped plot redraws for that, with the
    // samples it had, and still not for data.
    QTest::keyClick(stopButton, Qt::Key_M, Qt::ControlModifier);
    QTRY_COMPARE(redraws.count(), 1);
    QVERIFY2(window->scope().measurementTexts().value(0).startsWith("PAD0  min 1  max 3  mean 2.0"),
             qPrintable(window->scope().measurementTexts().value(0)));
    QTemporaryDir folder;
    SaveDialogs dialogs(folder.filePath("stopped.csv"));
    QTest::keyClick(stopButton, Qt::Key_R, Qt::ControlModifier);
    QTRY_COMPARE(redraws.count(), 2);
    QCOMPARE(note(window.get(), "recordingNote"), QString("● REC stopped.csv 0 samples"));
    fixture.board.sendRaw("$9 9 9;");
    QTRY_COMPARE(recording(window.get())->rowCount(), qint64(1));
    spin(100);
    QCOMPARE(redraws.count(), 2);
    QTest::keyClick(stopButton, Qt::Key_R, Qt::ControlModifier);
    QTRY_COMPARE(redraws.count(), 3);
    QCOMPARE(note(window.get(), "recordingNote"), QString());
    QCOMPARE(xRange(window.get()), QCPRange(-497, 3));
    QCOMPARE(points(window.get(), 0).size(), 3);

    QTest::mouseClick(stopButton, Qt::LeftButton);
    QCOMPARE(stopButton->text(), QString("Stop Plot"));
    QVERIFY(refreshTimer(window.get()).isActive());
    QCOMPARE(refreshTimer(window.get()).interval(), 20);
    fixture.board.sendRaw("$4 4 4;");
    QTRY_COMPARE(sampleIndex(window.get()), qint64(4));
    QTRY_COMPARE(xRange(window.get()), QCPRange(-496, 4));
    QVERIFY(redraws.count() > 0);
    // What was missed while stopped is a gap: every line breaks before 4.
    QVERIFY(store(window.get()).at(3).gapBefore);
    for (int graph = 0; graph < 3; ++graph) {
        const QPolygonF drawn = points(window.get(), graph);
        QCOMPARE(drawn.size(), 5);
        QCOMPARE(drawn.mid(0, 3), pts({{1, 1}, {2, 2}, {3, 3}}));
        QVERIFY(drawn[3].x() == 3.5 && qIsNaN(drawn[3].y()));
        QCOMPARE(drawn[4], QPointF(4, 4));
    }

    // The board never hears about a pause.
    QCOMPARE(fixture.board.received(), QByteArray("o\n"));
}

void TestPlotters::redrawsOnlyWhenSomethingChanged()
{
    QuietBoard fixture;
    QScopedPointer<Plotter> window(open("Osciloscope"));
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTRY_COMPARE(xRange(window.get()), QCPRange(-500, 0));

    // A silent board: the timer slows down, nothing is drawn.
    QSignalSpy redraws(plotOf(window.get()), &QCustomPlot::afterReplot);
    spin(200);
    QVERIFY(refreshTimer(window.get()).isActive());
    QCOMPARE(refreshTimer(window.get()).interval(), 250);
    QCOMPARE(redraws.count(), 0);

    // The first sample brings the 20 ms cadence back.
    fixture.board.sendRaw("$1 2 3;");
    QTRY_COMPARE(xRange(window.get()), QCPRange(-499, 1));
    QCOMPARE(refreshTimer(window.get()).interval(), 20);
    spin(100);
    const int afterSample = redraws.count();
    QVERIFY(afterSample > 0);
    spin(200);
    QCOMPARE(redraws.count(), afterSample);

    // A frame dropped as overlong adds no sample but changes the note.
    fixture.board.sendRaw("$" + QByteArray(300, '1') + ";");
    QTRY_COMPARE(note(window.get()), QString("1 damaged frame skipped"));
    QTRY_VERIFY(redraws.count() > afterSample);
}

void TestPlotters::sampleCountRunsPast32Bits()
{
    QuietBoard fixture;
    QScopedPointer<Plotter> window(new Osciloscope);
    const qint64 start = std::numeric_limits<qint32>::max() - 1;
    window->intake().setLastIndex(start);
    fixture.board.sendRaw("$1 1 1;$2 2 2;$3 3 3;");
    QTRY_COMPARE(sampleIndex(window.get()), start + 3);
    const QPolygonF expected = pts({{double(start + 1), 1}, {double(start + 2), 2}, {double(start + 3), 3}});
    QTRY_COMPARE(points(window.get(), 0), expected);
    QTRY_COMPARE(xRange(window.get()), QCPRange(double(start + 3 - 500), double(start + 3)));
    // Tick labels: whole sample numbers in full, each its own.
    const QVector<double> ticks = plotOf(window.get())->xAxis->tickVector();
    const QVector<QString> labels = plotOf(window.get())->xAxis->tickVectorLabels();
    QVERIFY(ticks.size() >= 2);
    for (int i = 0; i < ticks.size(); ++i)
        QCOMPARE(labels[i], QString::number(qint64(ticks[i])));
}

void TestPlotters::frameCompletedDuringTheStopWaitIsPlotted()
{
    QFETCH(QString, how);
    QuietBoard fixture;
    QPointer<Plotter> window(open("Osciloscope"));
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTRY_COMPARE(fixture.board.received(), QByteArray("o\n"));

    // A frame begun before the stop and completed during the wait after it.
    fixture.board.sendRaw("$1 2");
    QObject::connect(&fixture.board, &VirtualBoard::bytesReceived, [&](const QByteArray &bytes) {
        if (bytes.contains('r'))
            fixture.board.sendRaw(" 3;");
    });
    Sample takenLast;
    QObject::connect(window.data(), &Plotter::newData,
                     [&] { takenLast = store(window).newest(); });

    closeWindow(window, "quitButton", how);
    if (how == "quit button") {
        // Closed but not yet gone: nothing is redrawn any more.
        QVERIFY(!window.isNull());
        QVERIFY(!refreshTimer(window).isActive());
    }
    QTRY_VERIFY(window.isNull());
    QCOMPARE(takenLast.index, qint64(1));
    QCOMPARE(takenLast.validMask, quint8(7));
    QCOMPARE(takenLast.values[2], 3);
}

void TestPlotters::noBoard_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QCPRange>("initialXRange");
    QTest::newRow("accelerometer") << "Accelerometer" << QCPRange(0, 500);
    QTest::newRow("osciloscope") << "Osciloscope" << QCPRange(0, 200);
}

void TestPlotters::noBoard()
{
    QFETCH(QString, kind);
    QFETCH(QCPRange, initialXRange);
    NoBoard none;
    QPointer<Plotter> window(create(kind));
    QVERIFY(!refreshTimer(window).isActive());
    QVERIFY(!window->isPlotting());
    window->show();

    QPushButton *stopButton = button(window, "stopButton");
    // Without a board Start only toggles the pause: no timer runs.
    QTest::mouseClick(stopButton, Qt::LeftButton);
    QCOMPARE(stopButton->text(), QString("Stop Plot"));
    QVERIFY(!refreshTimer(window).isActive());
    QCOMPARE(refreshTimer(window).interval(), 20);
    QSignalSpy redraws(plotOf(window), &QCustomPlot::afterReplot);
    spin(100);
    QCOMPARE(redraws.count(), 0);
    QCOMPARE(xRange(window), initialXRange);

    QTest::mouseClick(stopButton, Qt::LeftButton);
    QCOMPARE(stopButton->text(), QString("Start Plot"));
    QVERIFY(!refreshTimer(window).isActive());

    QTest::mouseClick(button(window, "quitButton"), Qt::LeftButton);
    QTRY_VERIFY(window.isNull());
    // Plotting on and off without a board brought no further box.
    QCOMPARE(none.boxes.size(), 1);
}

void TestPlotters::unplugMidStream()
{
    BoardFixture fixture;
    QPointer<Plotter> window(open("Accelerometer"));
    QSerialPort *serial = window->findChild<QSerialPort *>();
    QSignalSpy errors(serial, &QSerialPort::errorOccurred);
    QTRY_VERIFY(sampleIndex(window) > 20);

    ModalBoxCatcher catcher;
    fixture.board.unplug();
    QTRY_COMPARE(catcher.boxes.size(), 1);
    QCOMPARE(catcher.boxes[0].title, QString("Serial port error"));
    QVERIFY(catcher.boxes[0].text.contains("lost"));
    QVERIFY(!serial->isOpen());
    QVERIFY(!refreshTimer(window).isActive());

    const int errorCount = errors.count();
    const qint64 samples = sampleIndex(window);
    QSignalSpy redraws(plotOf(window), &QCustomPlot::afterReplot);
    spin(300);
    QCOMPARE(errors.count(), errorCount);
    QCOMPARE(sampleIndex(window), samples);
    QCOMPARE(redraws.count(), 0);

    // Stop while waiting only pauses; a paused plot stays paused when the
    // board is back.
    QTest::mouseClick(button(window, "stopButton"), Qt::LeftButton);
    QVERIFY(!refreshTimer(window).isActive());
    fixture.board.clearReceived();
    fixture.board.replug(0);
    QTRY_COMPARE_WITH_TIMEOUT(fixture.board.received(), QByteArray("a\n"), 3000);
    spin(100);
    QCOMPARE(sampleIndex(window), samples);
    QVERIFY(!refreshTimer(window).isActive());

    // Started again: the index goes on, with a break in every line.
    QTest::mouseClick(button(window, "stopButton"), Qt::LeftButton);
    QVERIFY(refreshTimer(window).isActive());
    QTRY_VERIFY(sampleIndex(window) > samples + 5);
    QTRY_VERIFY(xRange(window).upper > samples + 5);
    const int afterGap = store(window).positionOf(samples + 1);
    QVERIFY(afterGap > 0);
    QVERIFY(store(window).at(afterGap).gapBefore);
    for (int graph = 0; graph < 3; ++graph) {
        const auto data = plotOf(window)->graph(graph)->data();
        const auto breakPoint = data->findBegin(samples + 0.5, false);
        QCOMPARE(breakPoint->key, samples + 0.5);
        QVERIFY(qIsNaN(breakPoint->value));
    }

    window->close();
    QTRY_VERIFY(window.isNull());
}

void TestPlotters::garbageAndOverlongFrames()
{
    QuietBoard fixture;
    QScopedPointer<Plotter> window(new Osciloscope);
    QSignalSpy framesSeen(window.get(), &Plotter::newData);

    // An endless frame is dropped; the next "$" starts over.
    fixture.board.sendRaw("$" + QByteArray(5000, '1') + " 2 3;" + QByteArray(5000, '4') + ";");
    fixture.board.sendRaw("$7 8 9;");
    QTRY_COMPARE(framesSeen.count(), 1);
    QTRY_COMPARE(points(window.get(), 0), pts({{1, 7}}));
    QCOMPARE(points(window.get(), 2), pts({{1, 9}}));
    QTRY_COMPARE(note(window.get()), QString("1 damaged frame skipped"));

    // Random bytes: whatever frames they happen to hold, the window stays
    // bounded and picks up the next real frame.
    fixture.board.setFlood(200000);
    spin(300);
    fixture.board.setFlood(0);
    spin(200);
    QVERIFY(window->findChild<QSerialPort *>()->isOpen());
    for (int graph = 0; graph < 3; ++graph)
        QVERIFY(points(window.get(), graph).size() <= 501);
    const qint64 before = sampleIndex(window.get());
    fixture.board.sendRaw("$1 2 3;");
    QTRY_COMPARE(sampleIndex(window.get()), before + 1);
    QTRY_COMPARE(points(window.get(), 0).last(), QPointF(before + 1, 1));
    QCOMPARE(points(window.get(), 1).last(), QPointF(before + 1, 2));
    QCOMPARE(points(window.get(), 2).last(), QPointF(before + 1, 3));
}

void TestPlotters::gapBreaksTheLines_data()
{
    QTest::addColumn<bool>("gap");
    QTest::newRow("no gap") << false;
    QTest::newRow("gap") << true;
}

void TestPlotters::gapBreaksTheLines()
{
    QFETCH(bool, gap);
    QuietBoard fixture;
    QScopedPointer<Plotter> window(open("Osciloscope"));
    const qint64 start = monotonicNowNs();
    fixture.board.sendRaw("$500;$500;$500;");
    QTRY_COMPARE(sampleIndex(window.get()), qint64(3));
    if (gap)
        window->intake().markGap();
    fixture.board.sendRaw("$3000;$3000;$3000;");
    QTRY_COMPARE(sampleIndex(window.get()), qint64(6));
    QTRY_COMPARE(xRange(window.get()), QCPRange(-494, 6));

    // The store holds every sample, stamped when its bytes were read; only
    // the first after the gap is flagged, and the index kept counting.
    const SampleStore &samples = store(window.get());
    QCOMPARE(samples.size(), 6);
    for (int position = 0; position < 6; ++position) {
        const Sample &sample = samples.at(position);
        QCOMPARE(sample.index, qint64(position + 1));
        QCOMPARE(sample.gapBefore, gap && position == 3);
        QCOMPARE(sample.validMask, quint8(1));
        QVERIFY(sample.timeNs >= start && sample.timeNs <= monotonicNowNs());
    }

    // The red line climbs from sample 3 to 4 only when nothing came between.
    QCustomPlot *plot = plotOf(window.get());
    const QImage image = plot->toPixmap().toImage();
    const int middle = int(plot->yAxis->coordToPixel(1750));
    bool climbs = false;
    for (int x = int(plot->xAxis->coordToPixel(3)) - 1; x <= int(plot->xAxis->coordToPixel(4)) + 1; ++x)
        climbs = climbs || QColor(image.pixel(x, middle)) == QColor(Qt::red);
    QCOMPARE(climbs, !gap);
}

void TestPlotters::plotMenuAndShortcuts_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("stem");
    // Submenus indented, checked items marked; %1 is the height clicked at.
    QTest::addColumn<QStringList>("menu");
    const QStringList keeping{"Save Image… = Ctrl+S",      "Export Shown Data… = Ctrl+E",
                              "Start Recording… = Ctrl+R", "Publish… = ",
                              "Show Raw Data = Ctrl+D",    "Board = ",
                              "Restore Defaults = ",
                              "View = ",                   "  Time =  (checked)",
                              "  Spectrum = Ctrl+F",       "  XY = Ctrl+Y",
                              "  Lanes = Ctrl+L"};
    const QStringList view{" = ",
                           "Reset View = Ctrl+0",
                           "Y Range = ",
                           "  Specified =  (checked)",
                           "  Automatic = ",
                           "  Set Range… = ",
                           "Show Cursors = Ctrl+K"};
    const auto math = [](const QStringList &inputs) {
        QStringList items{" = ", "Add Math Channel… = Ctrl+Shift+M"};
        for (const QString &input : inputs)
            items.append("Show " + input + " =  (checked)");
        return items;
    };
    QTest::newRow("accelerometer") << "Accelerometer" << "accelerometer"
                                   << keeping + QStringList{"Show Measurements = Ctrl+M"} + view
                                          + math({"X", "Y", "Z"});
    QTest::newRow("osciloscope")
        << "Osciloscope" << "osciloscope"
        << keeping
               + QStringList{"Trigger = ",          "  Off =  (checked)", "  Rising Edge = ",
                             "  Falling Edge = ",   "   = ",              "  Source = ",
                             "    PAD0 =  (checked)", "    PAD1 = ",      "    PAD2 = ",
                             "  Set Level Here (%1) = ", "  Automatic Level =  (checked)",
                             "Show Measurements = Ctrl+M"}
               + view + math({"PAD0", "PAD1", "PAD2"});
}

void TestPlotters::plotMenuAndShortcuts()
{
    QFETCH(QString, kind);
    QFETCH(QString, stem);
    QFETCH(QStringList, menu);
    QuietBoard fixture;
    QScopedPointer<Plotter> window(open(kind));
    QVERIFY(QTest::qWaitForWindowActive(window.get()));

    // The shortcuts work wherever the focus is in the window.
    SaveDialogs dialogs{QString()}; // cancelled
    QPushButton *stopButton = button(window.get(), "stopButton");
    stopButton->setFocus();
    QTest::keyClick(stopButton, Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(stopButton, Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(dialogs.titles, QStringList({"Save Image", "Export Data"}));
    const QRegularExpression png("/" + stem + "-\\d{8}-\\d{6}\\.png$");
    const QRegularExpression csv("/" + stem + "-\\d{8}-\\d{6}\\.csv$");
    QVERIFY2(png.match(dialogs.suggestions[0]).hasMatch(), qPrintable(dialogs.suggestions[0]));
    QVERIFY2(csv.match(dialogs.suggestions[1]).hasMatch(), qPrintable(dialogs.suggestions[1]));

    QStringList items;
    std::function<void(const QMenu *, const QString &)> list = [&](const QMenu *menu,
                                                                   const QString &indent) {
        for (QAction *action : menu->actions()) {
            // What the menu does not show.
            if (!action->isVisible())
                continue;
            items.append(indent + action->text() + " = " + action->shortcut().toString()
                         + (action->isChecked() ? " (checked)" : ""));
            if (action->menu())
                list(action->menu(), indent + "  ");
        }
    };
    QTimer::singleShot(0, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        list(menu, QString());
        menu->close();
    });
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(100, 100));
    QApplication::sendEvent(plotOf(window.get()), &click);
    const int level = qRound(plotOf(window.get())->yAxis->pixelToCoord(100));
    QCOMPARE(items, menu.replaceInStrings("%1", QString::number(level)));
}

void TestPlotters::saveImage_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QByteArray>("format");

    QTest::newRow("png") << "plot.png" << "plot.png" << QByteArray("png");
    QTest::newRow("pdf") << "plot.pdf" << "plot.pdf" << QByteArray("pdf");
    QTest::newRow("upper case") << "plot.PDF" << "plot.PDF" << QByteArray("pdf");
    // The dialog adds the chosen filter's suffix; a name without one is
    // still written as that filter says.
    QTest::newRow("no extension") << "plot" << "plot" << QByteArray("png");
    QTest::newRow("other image format") << "plot.jpg" << "plot.jpg" << QByteArray("jpg");
    QTest::newRow("no such folder") << "missing/plot.png" << "missing/plot.png" << QByteArray();
    QTest::newRow("cancelled") << "" << "" << QByteArray();
}

void TestPlotters::saveImage()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QFETCH(QByteArray, format);
    QuietBoard fixture;
    QScopedPointer<Plotter> window(open("Osciloscope"));
    fixture.board.sendRaw("$100 1650 3200;$100 1650 3200;");
    QTRY_COMPARE(xRange(window.get()), QCPRange(-498, 2));
    QCustomPlot *plot = plotOf(window.get());

    QTemporaryDir folder;
    SaveDialogs dialogs(chosen.isEmpty() ? QString() : folder.filePath(chosen));
    ModalBoxCatcher catcher;
    action(window.get(), "Save Image…")->trigger();
    QCOMPARE(dialogs.titles, QStringList("Save Image"));
    const QString path = folder.filePath(written);

    if (format == "png" || format == "jpg") {
        const QImage image(path, format.constData());
        QCOMPARE(image.size(), plot->size());
    }
    if (format == "png") {
        // The plot as shown: its background and its red line.
        const QImage image(path, "PNG");
        QCOMPARE(QColor(image.pixel(1, 1)), QColor(240, 240, 240));
        const QPoint first(int(plot->xAxis->coordToPixel(1)), int(plot->yAxis->coordToPixel(100)));
        QCOMPARE(QColor(image.pixel(first)), QColor(Qt::red));
    } else if (format == "pdf") {
        QFile pdf(path);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        QVERIFY(bytes.startsWith("%PDF-"));
        // One page of the plot's size, in points.
        const QRegularExpression mediaBox("/MediaBox \\[0 0 ([\\d.]+) ([\\d.]+)\\]");
        const auto page = mediaBox.match(QString::fromLatin1(bytes.constData(), bytes.size()));
        QVERIFY(page.hasMatch());
        QCOMPARE(QSizeF(page.captured(1).toDouble(), page.captured(2).toDouble()),
                 QSizeF(plot->size()));
    }
    const bool fails = !chosen.isEmpty() && format.isEmpty();
    // The box never blocks the window: it comes up from the event loop.
    spin(100);
    QCOMPARE(catcher.boxes.size(), fails ? 1 : 0);
    if (fails) {
        QCOMPARE(catcher.boxes[0].title, QString("Could not save"));
        QVERIFY(catcher.boxes[0].text.contains(path));
        QVERIFY(catcher.boxes[0].text.contains("No such file or directory"));
    }
    // Nothing else, and nothing half-written, is left behind.
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
             written.isEmpty() || fails ? QStringList() : QStringList(written));
}

void TestPlotters::exportMatchesWhatThePlotHolds_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("header");
    QTest::newRow("accelerometer") << "Accelerometer" << QByteArray("sample,X,Y,Z");
    QTest::newRow("osciloscope") << "Osciloscope" << QByteArray("sample,PAD0,PAD1,PAD2");
}

void TestPlotters::exportMatchesWhatThePlotHolds()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, header);
    QuietBoard fixture;
    QScopedPointer<Plotter> window(create(kind));
    // More than the plot keeps, with damaged fields and short frames.
    QByteArray stream;
    for (int i = 1; i <= 520; ++i) {
        const QByteArray middle = i % 7 == 0 ? "-" : QByteArray::number(-i);
        stream += i % 11 == 0 ? "$" + QByteArray::number(i) + ";"
                              : "$" + QByteArray::number(i) + " " + middle + " "
                                    + QByteArray::number(2 * i) + ";";
    }
    fixture.board.sendRaw(stream);
    QTRY_COMPARE(sampleIndex(window.get()), qint64(520));
    QTRY_COMPARE(xRange(window.get()), QCPRange(20, 520));

    QTemporaryDir folder;
    SaveDialogs dialogs(folder.filePath("data.csv"));
    action(window.get(), "Export Shown Data…")->trigger();
    action(window.get(), "Export Shown Data…")->trigger();
    QCOMPARE(dialogs.titles, QStringList({"Export Data", "Export Data"}));
    // The next suggestion is in the folder last used.
    QCOMPARE(QFileInfo(dialogs.suggestions[1]).absolutePath(),
             QFileInfo(folder.path()).absoluteFilePath());

    // One row per sample the graphs hold (the last 501), oldest first; a
    // cell is empty exactly where its graph has no point.
    const QPolygonF graphs[] = {points(window.get(), 0), points(window.get(), 1),
                                points(window.get(), 2)};
    QByteArray expected = header + "\n";
    for (int index = 20; index <= 520; ++index) {
        expected += QByteArray::number(index);
        for (const QPolygonF &graph : graphs) {
            expected += ',';
            for (const QPointF &point : graph)
                if (point.x() == index)
                    expected += QByteArray::number(int(point.y()));
        }
        expected += '\n';
    }
    QCOMPARE(contents(folder.filePath("data.csv")), expected);
    QVERIFY(expected.contains("\n21,21,,42\n22,22,,\n"));
}

void TestPlotters::recordingOpensWholeAndExportsItsRows()
{
    // A board is there: the file's window leaves it alone.
    BoardFixture fixture;
    QTemporaryDir folder;
    const QString path = folder.filePath("run3.csv");
    CsvRecorder recorder;
    recorder.start(path, InstrumentProtocol::named("osciloscope").header, 0);
    QByteArray expected = "sample,PAD0,PAD1,PAD2\n";
    for (int i = 1; i <= 3000; ++i) {
        Sample sample;
        sample.timeNs = i * 1388889LL + (i > 2000 ? 1000000000 : 0);
        sample.values = {i, -i, 2 * i};
        sample.validMask = i % 7 ? 0b111 : 0b101;
        recorder.appendSample(sample);
        expected += QByteArray::number(i) + ',' + QByteArray::number(i) + ','
                    + (i % 7 ? QByteArray::number(-i) : QByteArray()) + ','
                    + QByteArray::number(2 * i) + '\n';
    }
    recorder.stop();

    RecordingWindows::open(path, nullptr);
    QPointer<Plotter> window;
    QTRY_VERIFY([&] {
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (top->windowTitle() == QStringLiteral("Osciloscope – run3.csv"))
                window = qobject_cast<Plotter *>(top);
        }
        return window && window->intake().lastIndex() == 3000;
    }());
    QVERIFY(!window->isPlotting());
    QVERIFY(window->intake().store().at(2000).gapBefore);
    // The whole file in view, stopped.
    QTRY_VERIFY(xRange(window).lower <= 1 && xRange(window).upper >= 3000);

    SaveDialogs dialogs(folder.filePath("shown.csv"));
    action(window, "Export Shown Data…")->trigger();
    QCOMPARE(contents(folder.filePath("shown.csv")), expected);
    QCOMPARE(fixture.board.received(), QByteArray());

    // Played through again, after what is shown, and stopped at its end.
    for (QAction *speed : window->findChildren<QAction *>()) {
        if (speed->text() == QStringLiteral("As Fast As Possible"))
            speed->trigger();
    }
    action(window, "Play")->trigger();
    QVERIFY(window->isPlotting());
    QTRY_COMPARE(window->intake().lastIndex(), qint64(6000));
    QTRY_VERIFY(!window->isPlotting());
    QVERIFY(window->intake().store().at(3000).gapBefore);
    window->close();
    QTRY_VERIFY(!window);
    QCOMPARE(fixture.board.received(), QByteArray());
}

void TestPlotters::mathChannelIsExportedAfterTheInputs()
{
    QuietBoard fixture;
    QScopedPointer<Plotter> window(open("Osciloscope"));
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QByteArray stream;
    for (int i = 1; i <= 40; ++i)
        stream += "$" + QByteArray::number(i * i) + " " + (i % 9 == 0 ? "x" : QByteArray::number(3 * i))
                  + " 7;";
    fixture.board.sendRaw(stream);
    QTRY_COMPARE(sampleIndex(window.get()), qint64(40));

    // The dialog refuses a formula that is not whole, saying why, then
    // takes the difference.
    QStringList seen;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        auto *formula = dialog->findChild<QLineEdit *>("formula");
        seen << dialog->windowTitle() << dialog->findChild<QLineEdit *>("name")->text();
        formula->setText("PAD0 - (PAD1");
        dialog->accept();
        seen << dialog->findChild<QLabel *>("problem")->text() << QString::number(dialog->isVisible());
        formula->setText("PAD0 - PAD1");
        dialog->accept();
    });
    QTest::keyClick(window.get(), Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(seen, QStringList({"Math Channel", "M1", "a bracket is not closed (at character 13)",
                                "1"}));
    // Drawn as its own graph: a point where PAD1 has a value.
    QTRY_COMPARE(points(window.get(), 3).size(), 40 - 4);

    QTemporaryDir folder;
    SaveDialogs dialogs(folder.filePath("data.csv"));
    action(window.get(), "Export Shown Data…")->trigger();
    const QList<QByteArray> rows = contents(folder.filePath("data.csv")).split('\n');
    QCOMPARE(rows.first(), QByteArray("sample,PAD0,PAD1,PAD2,M1"));
    QCOMPARE(rows.size(), 1 + 40 + 1);
    for (int i = 1; i <= 40; ++i) {
        const QByteArray difference = i % 9 == 0 ? "" : QByteArray::number(i * i - 3 * i);
        QCOMPARE(rows.at(i).split(',').last(), difference);
    }
}

void TestPlotters::readoutOfTheSampleUnderThePointer_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<double>("index");
    QTest::addColumn<QString>("readout");

    QTest::newRow("whole frame") << "Osciloscope" << 1.0
                                 << "Sample 1\nPAD0: 10\nPAD1: -20\nPAD2: 30";
    QTest::newRow("damaged field") << "Osciloscope" << 2.0
                                   << "Sample 2\nPAD0: 11\nPAD1: –\nPAD2: 31";
    QTest::newRow("short frame") << "Accelerometer" << 3.0 << "Sample 3\nX: 12\nY: –\nZ: –";
    QTest::newRow("before the first sample") << "Osciloscope" << -100.0 << "";
}

void TestPlotters::readoutOfTheSampleUnderThePointer()
{
    QFETCH(QString, kind);
    QFETCH(double, index);
    QuietBoard fixture;
    QScopedPointer<Plotter> window(open(kind));
    fixture.board.sendRaw("$10 -20 30;$11 - 31;$12;");
    QTRY_COMPARE(xRange(window.get()), QCPRange(-497, 3));

    QToolTip::hideText();
    QCustomPlot *plot = plotOf(window.get());
    const QPoint at(qRound(plot->xAxis->coordToPixel(index)), plot->axisRect()->center().y());
    QHelpEvent hover(QEvent::ToolTip, at, plot->mapToGlobal(at));
    QApplication::sendEvent(plot, &hover);
    QTEST(QToolTip::text(), "readout");
}

void TestPlotters::recordsEveryFrameEvenWhilePaused()
{
    QTemporaryDir folder;
    SaveDialogs dialogs(folder.filePath("frames.csv"));
    QuietBoard fixture;
    QPointer<Plotter> window(open("Osciloscope"));
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTRY_COMPARE(fixture.board.received(), QByteArray("o\n"));
    fixture.board.sendRaw("$9 9 9;"); // before the recording: not in it

    QTRY_COMPARE(sampleIndex(window), qint64(1));
    QTest::keyClick(window, Qt::Key_R, Qt::ControlModifier);
    QCOMPARE(dialogs.titles, QStringList("Record Data"));
    QTRY_VERIFY(!note(window, "recordingNote").isEmpty());
    fixture.board.sendRaw("$1 2 3;$4 5");
    QTRY_COMPARE(sampleIndex(window), qint64(2));
    // Paused, and a frame split across the pause: all of it is recorded.
    QTest::mouseClick(button(window, "stopButton"), Qt::LeftButton);
    fixture.board.sendRaw(" 6;$7 x 9;$-1 -2 -3;");
    QTRY_COMPARE(recording(window)->rowCount(), qint64(4));
    QCOMPARE(sampleIndex(window), qint64(2));
    // The corner says so at the next redraw.
    QTest::mouseClick(button(window, "stopButton"), Qt::LeftButton);
    QTRY_COMPARE(note(window, "recordingNote"), QString("● REC frames.csv 4 samples"));

    QTest::keyClick(window, Qt::Key_R, Qt::ControlModifier);
    QVERIFY(!recording(window)->isRecording());
    QStringList rows = QString::fromUtf8(contents(folder.filePath("frames.csv"))).split('\n');
    QCOMPARE(rows.takeFirst(), QString("sample,time_s,PAD0,PAD1,PAD2"));
    QCOMPARE(rows.takeLast(), QString());
    for (QString &row : rows)
        row.remove(QRegularExpression(",\\d+\\.\\d{6}"));
    QCOMPARE(rows, QStringList({"1,1,2,3", "2,4,5,6", "3,7,,9", "4,-1,-2,-3"}));
}

void TestPlotters::triggeredSineStandsStill()
{
    // The board's PAD0: a 5 Hz sine at 720 frames/s, 144 samples a period.
    const int period = 144;
    BoardFixture fixture;
    QScopedPointer<Plotter> window(open("Osciloscope"));
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QCustomPlot *plot = plotOf(window.get());
    const ScopeTrigger &trigger = window->scope().trigger();

    // Ctrl+T steps through the modes from anywhere in the window.
    QPushButton *stopButton = button(window.get(), "stopButton");
    stopButton->setFocus();
    for (TriggerMode expected : {TriggerMode::RisingEdge, TriggerMode::FallingEdge, TriggerMode::Off}) {
        QTest::keyClick(stopButton, Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(trigger.mode(), expected);
    }

    // A level clear of the sine's exact values (1650, 2350): the board rounds
    // down, so at those the last bit of its sine picks the neighbour.
    const int pixel = int(plot->yAxis->coordToPixel(1700));
    QString setLevelText;
    QTimer::singleShot(0, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        for (QAction *action : menu ? menu->actions() : QList<QAction *>()) {
            for (QAction *item : action->menu() ? action->menu()->actions() : QList<QAction *>()) {
                if (item->text().startsWith("Set Level Here")) {
                    setLevelText = item->text();
                    item->trigger();
                }
            }
        }
        if (menu)
            menu->close();
    });
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(100, pixel));
    QApplication::sendEvent(plot, &click);
    const int level = qRound(plot->yAxis->pixelToCoord(pixel));
    QCOMPARE(setLevelText, QString("Set Level Here (%1)").arg(level));
    QCOMPARE(trigger.userLevel().value_or(-1), level);
    QAction *automaticLevel = nullptr;
    for (QAction *action : window->scope().findChildren<QAction *>())
        if (action->text() == "Automatic Level")
            automaticLevel = action;
    QVERIFY(automaticLevel && !automaticLevel->isChecked());
    // The offscreen platform does not give the activation back after a popup.
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(stopButton, Qt::Key_T, Qt::ControlModifier);
    QTest::keyClick(stopButton, Qt::Key_M, Qt::ControlModifier);
    QCOMPARE(trigger.mode(), TriggerMode::RisingEdge);

    // Every redraw of the triggered view: which crossing, and what graph 0 held.
    QList<qint64> triggers;
    QList<QPolygonF> pictures;
    QObject::connect(plot, &QCustomPlot::afterReplot, [&] {
        if (const std::optional<qint64> index = window->triggeredAt()) {
            triggers.append(*index);
            pictures.append(points(window.get(), 0));
        }
    });
    QTRY_VERIFY_WITH_TIMEOUT(QSet<qint64>(triggers.begin(), triggers.end()).size() >= 3, 15000);
    QCOMPARE(xRange(window.get()), QCPRange(-100, 400));
    // Redrawn when the trigger moved it, not at every refresh the stream brings.
    const int crossings = QSet<qint64>(triggers.begin(), triggers.end()).size();
    QVERIFY2(triggers.size() <= 2 * crossings,
             qPrintable(QString("%1 redraws for %2 crossings").arg(triggers.size()).arg(crossings)));
    QCOMPARE(window->scope().statusText(), QString("Triggered"));

    // The view moved on with the stream, by whole periods, and the picture
    // stayed: the crossing at 0, the same points (to the board's rounding).
    QVERIFY(triggers.last() > triggers.first());
    const QPolygonF &first = pictures.first();
    QCOMPARE(first.size(), 501);
    QCOMPARE(first.first().x(), -100.0);
    QCOMPARE(first.last().x(), 400.0);
    QVERIFY(first[99].y() < level && first[100].y() >= level);
    for (int i = 0; i < pictures.size(); ++i) {
        QCOMPARE((triggers[i] - triggers.first()) % period, qint64(0));
        QCOMPARE(pictures[i].size(), first.size());
        for (int point = 0; point < first.size(); ++point) {
            QCOMPARE(pictures[i][point].x(), first[point].x());
            QVERIFY2(qAbs(pictures[i][point].y() - first[point].y()) <= 1,
                     qPrintable(QString("redraw %1, x %2").arg(i).arg(first[point].x())));
        }
    }

    // The readout over the view: each channel, then the rate.
    const QStringList readout = window->scope().measurementTexts();
    QCOMPARE(readout.size(), 4);
    QVERIFY2(readout[0].startsWith("PAD0  min ") && readout[0].contains("period 144 ("),
             qPrintable(readout[0]));
    QVERIFY(readout[1].startsWith("PAD1  ") && readout[2].startsWith("PAD2  "));
    QVERIFY2(QRegularExpression("^\\d+ samples/s$").match(readout[3]).hasMatch(),
             qPrintable(readout[3]));

    // Off brings the rolling view back, keyed by sample index.
    QTest::keyClick(stopButton, Qt::Key_T, Qt::ControlModifier);
    QTest::keyClick(stopButton, Qt::Key_T, Qt::ControlModifier);
    QCOMPARE(trigger.mode(), TriggerMode::Off);
    QTRY_VERIFY(!window->triggeredAt());
    QTRY_VERIFY(xRange(window.get()).lower > triggers.last());
    QVERIFY(points(window.get(), 0).first().x() >= xRange(window.get()).lower);
    QCOMPARE(window->scope().statusText(), QString());

    // Back to the level that follows the signal, and it stays chosen.
    for (int i = 0; i < 2; ++i) {
        automaticLevel->trigger();
        QVERIFY(automaticLevel->isChecked());
        QVERIFY(!trigger.userLevel());
    }
}

void TestPlotters::gridPictureDrawsLikeAFullRedraw_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<qreal>("scale");
    for (const char *kind : {"Osciloscope", "Accelerometer"})
        for (const qreal scale : {1.0, 1.5, 2.0})
            QTest::newRow(qPrintable(QStringLiteral("%1 at %2").arg(QLatin1String(kind)).arg(scale)))
                << QString(kind) << scale;
}

// The grid lines that stay put are copied from a picture of them; the
// window must look exactly as drawn from scratch, also after a resize.
void TestPlotters::gridPictureDrawsLikeAFullRedraw()
{
    QFETCH(QString, kind);
    QFETCH(qreal, scale);
    if (!qFuzzyCompare(qApp->devicePixelRatio(), scale)) {
        // The screen's scale is fixed when the application starts: this
        // row runs in a process of its own at that scale.
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_SCALE_FACTOR", QString::number(scale));
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("gridPictureDrawsLikeAFullRedraw:") + QTest::currentDataTag()});
        QVERIFY(child.waitForFinished(120000));
        const QByteArray output = child.readAll();
        QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, output.constData());
        QVERIFY2(output.contains("Totals: 3 passed, 0 failed"), output.constData());
        return;
    }

    QuietBoard fixture;
    QScopedPointer<Plotter> window(open(kind));
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    // Curves across the grid lines, and a gap.
    QByteArray frames;
    for (int i = 0; i < 300; ++i)
        frames += QStringLiteral("$%1 %2 %3;").arg(i * 14 - 150).arg(4000 - i * 13).arg(i % 50 * 80).toLatin1();
    fixture.board.sendRaw(frames);
    QTRY_COMPARE(sampleIndex(window.get()), qint64(300));
    window->intake().markGap();
    fixture.board.sendRaw(frames);
    QTRY_COMPARE(xRange(window.get()), QCPRange(100, 600));
    QCustomPlot *plot = plotOf(window.get());
    // At a fractional scale the last device pixel row and column lie
    // partly outside the plot and keep what was drawn there before.
    const auto redraw = [plot, scale](int times) {
        for (int i = 0; i < times; ++i)
            plot->replot();
        return plot->grab().toImage().copy(
            0, 0, int(plot->width() * scale), int(plot->height() * scale));
    };
    // A redraw right after one with other grid lines draws them anew.
    const auto redrawFromScratch = [plot, &redraw] {
        QCPGrid *grid = plot->yAxis->grid();
        const QPen pen = grid->subGridPen();
        grid->setSubGridPen(QPen(Qt::green));
        plot->replot();
        grid->setSubGridPen(pen);
        return redraw(1);
    };
    const auto differingPixels = [](const QImage &one, const QImage &other) {
        if (one.size() != other.size())
            return QByteArray("sizes differ");
        int count = 0;
        for (int y = 0; y < one.height(); ++y)
            for (int x = 0; x < one.width(); ++x)
                count += one.pixel(x, y) != other.pixel(x, y);
        return QByteArray::number(count) + " pixels differ";
    };

    for (const QSize grow : {QSize(0, 0), QSize(37, 23)}) {
        // A picture taken at the size before is not used at the new one.
        redraw(2);
        const QSize before = plot->size();
        window->resize(window->size() + grow);
        QTRY_VERIFY(plot->size() == before + grow);
        const QImage fromPicture = redraw(3);
        QVERIFY(PlotLayers::drewGridFromCache(plot));
        QCOMPARE(plot->devicePixelRatioF(), scale);
        const QImage fromScratch = redrawFromScratch();
        QVERIFY(!PlotLayers::drewGridFromCache(plot));
        QVERIFY2(fromPicture == fromScratch, differingPixels(fromPicture, fromScratch));
    }
}

void TestPlotters::spectrumAndXYViewsWithTheirExports_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("headers");
    QTest::newRow("osciloscope") << "Osciloscope"
                                 << QStringList{"frequency_hz,PAD0_db,PAD1_db,PAD2_db",
                                                "sample,PAD0,PAD1", "sample,PAD0,PAD1,PAD2"};
    QTest::newRow("accelerometer") << "Accelerometer"
                                   << QStringList{"frequency_hz,X_db,Y_db,Z_db", "sample,X,Y",
                                                  "sample,X,Y,Z"};
}

void TestPlotters::spectrumAndXYViewsWithTheirExports()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, headers);
    QuietBoard fixture;
    QScopedPointer<Plotter> window(open(kind));
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    // The demo board's signals, each frame read 1/720 s after the one before:
    // PAD0 a 5 Hz sine, PAD1 a 2 Hz square, PAD2 a 3 Hz saw. Stamped here,
    // not by a loaded machine's clock, so frames a stalled board would skip
    // do not smear the harmonics.
    const qint64 startNs = monotonicNowNs();
    for (int i = 0; i < 4096; ++i) {
        const double t = i / 720.0;
        const QByteArray frame = QStringLiteral("$%1 %2 %3;")
                                     .arg(int(1650 + 1400 * std::sin(2 * M_PI * 5 * t)))
                                     .arg(std::fmod(t * 2, 1.0) < 0.5 ? 2800 : 400)
                                     .arg(int(3000 * std::fmod(t * 3, 1.0)) + 150)
                                     .toLatin1();
        window->intake().takeBytes(frame.constData(), frame.size(), startNs + qint64(t * 1e9));
    }
    ViewSwitch &views = window->viewSwitch();
    const SpectrumView &spectrum = views.spectrum();
    QTemporaryDir folder;
    SaveDialogs dialogs(folder.filePath("view.csv"));
    auto exported = [&] {
        QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);
        return QString::fromUtf8(contents(folder.filePath("view.csv"))).split('\n');
    };

    // Ctrl+F: the spectra of the newest 4096 samples (bins of 0.18 Hz keep
    // the square's harmonics apart), in Hz once the rate is known, each
    // channel's peak labelled.
    QCOMPARE(spectrum.length(), 1024);
    views.spectrum().setLength(4096);
    QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(views.view(), ViewSwitch::View::Spectrum);
    QTRY_VERIFY(spectrum.knowsRate() && spectrum.spectra().samplesUsed == 4096
                && spectrum.peakTexts().size() == 3);
    QCOMPARE(plotOf(window.get())->yAxis->range(), QCPRange(-140, 10));
    const ChannelSpectra &spectra = spectrum.spectra();
    QVERIFY(std::abs(*spectra.sampleRateHz - 720) < 0.01);
    const double binHz = 720.0 / 4096;
    const QStringList table = exported();
    QCOMPARE(table.value(0), headers[0]);
    QCOMPARE(table.size(), 1 + 2049 + 1); // the header, the bins, the last line's end
    if (kind == QLatin1String("Osciloscope")) {
        // The 5 Hz sine on PAD0 peaks within a bin of 5 Hz, at the row of
        // the export with PAD0's highest level.
        const double peakHz = spectra.binPosition(largestPeak(spectra.levelsDb[0])->bin);
        QVERIFY2(std::abs(peakHz - 5) <= binHz, qPrintable(QString::number(peakHz)));
        int highest = 1;
        for (int row = 1; row <= 2049; ++row) {
            if (table[row].section(',', 1, 1).toDouble() > table[highest].section(',', 1, 1).toDouble())
                highest = row;
        }
        QVERIFY(std::abs(table[highest].section(',', 0, 0).toDouble() - 5) <= binHz);
        // The 2 Hz square on PAD1: the odd harmonics (6, 10 Hz) stand far
        // above where the even ones (4, 8 Hz) would be.
        auto levelNear = [&](double hertz) {
            const int bin = qRound(hertz / binHz);
            return std::max({spectra.levelsDb[1][size_t(bin - 1)], spectra.levelsDb[1][size_t(bin)],
                             spectra.levelsDb[1][size_t(bin + 1)]});
        };
        QVERIFY2(levelNear(6) > levelNear(4) + 30 && levelNear(10) > levelNear(8) + 30,
                 qPrintable(QStringLiteral("%1 %2 %3 %4")
                                .arg(levelNear(4)).arg(levelNear(6)).arg(levelNear(8)).arg(levelNear(10))));
    }

    // Ctrl+Y: the first channel against the second over the time window,
    // at equal units per pixel.
    QTest::keyClick(window.get(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(views.view(), ViewSwitch::View::XY);
    QTRY_VERIFY(!views.xy().points().empty());
    QCustomPlot *plot = plotOf(window.get());
    auto scaleRatio = [plot] {
        return plot->xAxis->range().size() / plot->axisRect()->width()
               / (plot->yAxis->range().size() / plot->axisRect()->height());
    };
    QVERIFY2(std::abs(scaleRatio() - 1) < 0.01, qPrintable(QString::number(scaleRatio())));
    const QStringList pairs = exported();
    QCOMPARE(pairs.value(0), headers[1]);
    QVERIFY(pairs.size() >= 3 && pairs.size() <= 501 + 2);

    // Ctrl+Y again: back to Time, with the time view's axes and export.
    QTest::keyClick(window.get(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(views.view(), ViewSwitch::View::Time);
    QVERIFY(plot->graph(0)->visible());
    QCOMPARE(plot->yAxis->scaleType(), QCPAxis::stLinear);
    QCOMPARE(PlotCompat::fixedTickStep(plot->yAxis), 500.0);
    QCOMPARE(exported().value(0), headers[2]);
}

void TestPlotters::zoomPanAndExportTheRangeShown()
{
    QuietBoard fixture;
    QScopedPointer<Plotter> window(create("Osciloscope"));
    window->resize(800, 600);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QByteArray stream;
    for (int i = 1; i <= 3000; ++i)
        stream += "$" + QByteArray::number(i) + " " + QByteArray::number(-i) + " "
                  + QByteArray::number(i % 100) + ";";
    fixture.board.sendRaw(stream);
    QTRY_COMPARE(xRange(window.get()), QCPRange(2500, 3000));
    QTest::mouseClick(button(window.get(), "stopButton"), Qt::LeftButton);
    QCustomPlot *plot = plotOf(window.get());

    // Three notches away from the user zoom in around the pointer: the
    // sample under it stays under it.
    const QPointF pointer(plot->axisRect()->left() + plot->axisRect()->width() * 0.75, 200);
    const double keyAtPointer = plot->xAxis->pixelToCoord(pointer.x());
    QWheelEvent wheel(pointer, QPointF(plot->mapToGlobal(pointer.toPoint())), QPoint(), QPoint(0, 360),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(plot, &wheel);
    QCOMPARE(xRange(window.get()).size(), 500 * 0.8 * 0.8 * 0.8);
    QVERIFY(qAbs(plot->xAxis->pixelToCoord(pointer.x()) - keyAtPointer) < 1e-6);

    // Dragging 100 pixels to the right brings older samples in from the left.
    const QCPRange zoomed = xRange(window.get());
    const auto mouse = [plot](QEvent::Type type, double x, Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(x, 200), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(plot, &event);
    };
    mouse(QEvent::MouseButtonPress, 300, Qt::LeftButton);
    mouse(QEvent::MouseMove, 350, Qt::LeftButton);
    mouse(QEvent::MouseMove, 400, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, 400, Qt::NoButton);
    const QCPRange panned = xRange(window.get());
    const double step = 100 * zoomed.size() / plot->axisRect()->width();
    // A QString, not toString(): qPrintable of a char* from new[] would leak.
    QVERIFY2(qAbs(panned.lower - (zoomed.lower - step)) < 1e-6,
             qPrintable(QStringLiteral("[%1, %2]").arg(panned.lower).arg(panned.upper)));
    QCOMPARE(panned.size(), zoomed.size());

    // The export holds exactly the samples in that x range.
    QTemporaryDir folder;
    SaveDialogs dialogs(folder.filePath("shown.csv"));
    QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);
    QByteArray expected = "sample,PAD0,PAD1,PAD2\n";
    const qint64 first = qint64(std::ceil(panned.lower));
    const qint64 last = qint64(std::floor(panned.upper));
    for (qint64 i = first; i <= last; ++i)
        expected += QByteArray::number(i) + "," + QByteArray::number(i) + ","
                    + QByteArray::number(-i) + "," + QByteArray::number(i % 100) + "\n";
    const auto exported = [&] { return contents(folder.filePath("shown.csv")); };
    QCOMPARE(exported(), expected);
    QVERIFY(last - first + 1 >= 256 && last - first + 1 <= 257);

    // XY draws and exports those same samples, PAD0 against PAD1.
    QByteArray expectedPairs = "sample,PAD0,PAD1\n";
    for (qint64 i = first; i <= last; ++i)
        expectedPairs += QByteArray::number(i) + "," + QByteArray::number(i) + ","
                         + QByteArray::number(-i) + "\n";
    QTest::keyClick(window.get(), Qt::Key_Y, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(exported(), expectedPairs);

    // In the spectrum and in XY, the wheel, a drag and the cursor key act on
    // what is shown or not at all, never on the hidden time view.
    const QCPRange timeY = plot->yAxis->range();
    for (const Qt::Key view : {Qt::Key_F, Qt::Key_Y}) {
        QTest::keyClick(window.get(), view, Qt::ControlModifier);
        QVERIFY(!window->viewSwitch().showsTime());
        for (const Qt::KeyboardModifier modifier : {Qt::ShiftModifier, Qt::NoModifier}) {
            for (int notch = 0; notch < 6; ++notch) {
                QWheelEvent turn(pointer, QPointF(plot->mapToGlobal(pointer.toPoint())), QPoint(),
                                 QPoint(0, -120), Qt::NoButton, modifier, Qt::NoScrollPhase, false);
                QApplication::sendEvent(plot, &turn);
            }
        }
        mouse(QEvent::MouseButtonPress, 300, Qt::LeftButton);
        mouse(QEvent::MouseMove, 500, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, 500, Qt::NoButton);
        QTest::keyClick(window.get(), Qt::Key_K, Qt::ControlModifier);
        QTest::keyClick(window.get(), view, Qt::ControlModifier); // back to Time
        QCOMPARE(window->viewSwitch().view(), ViewSwitch::View::Time);
        QCOMPARE(xRange(window.get()), panned);
        QCOMPARE(plot->yAxis->range(), timeY);
        QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(exported(), expected);
        QVERIFY(!action(window.get(), "Show Cursors")->isChecked());
    }
}

void TestPlotters::lanesStackTheShownChannels_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("second");
    QTest::newRow("Osciloscope") << "Osciloscope" << "PAD1";
    QTest::newRow("Accelerometer") << "Accelerometer" << "Y";
}

// Ctrl+L: each shown channel in a lane of its own, over the one time axis,
// with its own y range; the trigger's level in its source's lane; the image
// as shown; Ctrl+L again gives the time view back as it was.
void TestPlotters::lanesStackTheShownChannels()
{
    QFETCH(QString, kind);
    QFETCH(QString, second);
    QuietBoard fixture;
    QScopedPointer<Plotter> window(create(kind));
    window->resize(800, 600);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCustomPlot *plot = plotOf(window.get());
    const QCPRange timeY = plot->yAxis->range();
    // A small saw near 1000, a flat 2000 and a ramp: far apart in one plot.
    QTest::keyClick(window.get(), Qt::Key_T, Qt::ControlModifier);
    QByteArray stream;
    for (int i = 1; i <= 600; ++i)
        stream += QStringLiteral("$%1 2000 %2;").arg(1000 + i % 50).arg(5 * i).toLatin1();
    fixture.board.sendRaw(stream);
    QTRY_COMPARE(sampleIndex(window.get()), qint64(600));
    QTest::mouseClick(button(window.get(), "stopButton"), Qt::LeftButton);

    QTest::keyClick(window.get(), Qt::Key_L, Qt::ControlModifier);
    QCOMPARE(window->viewSwitch().view(), ViewSwitch::View::Lanes);
    const LanesView &lanes = window->viewSwitch().lanes();
    const auto laneY = [&lanes](int lane) { return lanes.laneRect(lane)->axis(QCPAxis::atLeft); };
    QCOMPARE(lanes.laneCount(), 3);
    plot->replot();
    const QRect whole = plot->axisRect()->rect();
    int above = whole.top();
    for (int lane = 0; lane < 3; ++lane) {
        const QRect band = lanes.laneRect(lane)->rect();
        QCOMPARE(lanes.laneChannel(lane), lane);
        QCOMPARE(plot->graph(lane)->valueAxis(), laneY(lane));
        // The time axis' own pixels, the lanes one under the other.
        QCOMPARE(band.left(), whole.left());
        QCOMPARE(band.right(), whole.right());
        QVERIFY(band.top() > above || (lane == 0 && band.top() == above));
        above = band.bottom();
    }
    QVERIFY(above <= whole.bottom());
    QVERIFY(laneY(0)->range().contains(1000) && laneY(0)->range().contains(1049) && laneY(0)->range().size() < 60);
    QCOMPARE(laneY(1)->range(), QCPRange(1900, 2100));
    QVERIFY(laneY(2)->range().size() > 2000 && laneY(2)->range().size() < 3000);
    const QCPItemStraightLine *level = window->scope().levelLine();
    if (kind == QLatin1String("Osciloscope")) {
        QVERIFY(level->visible());
        QCOMPARE(level->clipAxisRect(), lanes.laneRect(0));
    }

    // The image as shown: the flat line at its lane's middle, in its colour.
    QTemporaryDir folder;
    SaveDialogs dialogs(folder.filePath("lanes.png"));
    action(window.get(), "Save Image…")->trigger();
    const QImage image(folder.filePath("lanes.png"), "PNG");
    QCOMPARE(image.size(), plot->size());
    const int flat = qRound(laneY(1)->coordToPixel(2000));
    QVERIFY(QColor(image.pixel(whole.center().x(), flat)) == QColor(Qt::blue)
            || QColor(image.pixel(whole.center().x(), flat - 1)) == QColor(Qt::blue));

    // Shift and the wheel over a lane set its range alone; the wheel alone
    // still zooms the time axis of them all.
    const QPointF overFirst(whole.center().x(), lanes.laneRect(0)->center().y());
    const auto turn = [plot, overFirst](Qt::KeyboardModifiers modifiers) {
        QWheelEvent wheel(overFirst, QPointF(plot->mapToGlobal(overFirst.toPoint())), QPoint(), QPoint(0, 120),
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(plot, &wheel);
    };
    const QCPRange first = laneY(0)->range();
    const QCPRange shownX = xRange(window.get());
    turn(Qt::ShiftModifier);
    QCOMPARE(laneY(0)->range().size(), first.size() * 0.8);
    QCOMPARE(laneY(1)->range(), QCPRange(1900, 2100));
    QCOMPARE(xRange(window.get()), shownX);
    turn(Qt::NoModifier);
    QCOMPARE(xRange(window.get()).size(), shownX.size() * 0.8);
    QCOMPARE(lanes.laneRect(2)->axis(QCPAxis::atBottom)->range(), xRange(window.get()));
    QCOMPARE(laneY(0)->range().size(), first.size() * 0.8);

    // A hidden channel gives up its lane.
    for (QAction *show : window->findChildren<QAction *>())
        if (show->text() == "Show " + second)
            show->setChecked(false);
    QCOMPARE(lanes.laneCount(), 2);
    QCOMPARE(lanes.laneChannel(1), 2);

    QTest::keyClick(window.get(), Qt::Key_L, Qt::ControlModifier);
    QCOMPARE(window->viewSwitch().view(), ViewSwitch::View::Time);
    QCOMPARE(plot->graph(0)->valueAxis(), plot->yAxis);
    QCOMPARE(plot->graph(2)->keyAxis(), plot->xAxis);
    QCOMPARE(plot->axisRect()->insetLayout()->elementCount(), 1); // the legend
    QVERIFY(plot->yAxis->visible());
    QCOMPARE(plot->yAxis->range(), timeY);
    QCOMPARE(level->clipAxisRect(), plot->axisRect());
}

QTEST_MAIN(TestPlotters)
#include "tst_plotters.moc"
