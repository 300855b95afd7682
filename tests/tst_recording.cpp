#include "csvrecorder.h"
#include "filesaving.h"
#include "recordingcontrol.h"
#include "samplestore.h"
#include "savedfile.h"
#include "testsupport.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>
#include <QMessageBox>
#include <QPushButton>
#include <QDir>
#include <QElapsedTimer>
#include <QLocale>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <limits>
#include <string>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#include <sys/resource.h>

using namespace TestSupport;

namespace {

// How many descriptors of this process are open on `path`.
int descriptorsOpenOn(const QString &path)
{
    const QDir descriptors(QStringLiteral("/proc/self/fd"));
    int open = 0;
    for (const QString &name :
         descriptors.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        if (QFileInfo(descriptors.filePath(name)).symLinkTarget() == path)
            ++open;
    }
    return open;
}

// A line of /proc/self/status ("VmRSS:", "VmHWM:") in KiB.
qint64 memoryKiB(const char *field)
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(int(std::strlen(field))).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Row `number` (from 1) of the rows that rowsOfIntegers() appends.
QByteArray expectedIntegerRow(qint64 number)
{
    const qint64 i = number - 1;
    QByteArray row = QByteArray::number(number) + ',' + Csv::seconds(i * 13333) + ','
                     + QByteArray::number(i) + ',';
    if (i % 5 != 0)
        row += QByteArray::number(-i);
    return row + ',' + QByteArray::number(i * 7) + '\n';
}

// `count` rows as a 75,000 frames/s stream brings them, every fifth without
// its second value; the event loop runs between reads.
void appendRowsOfIntegers(CsvRecorder &recorder, qint64 originNs, int count)
{
    for (int i = 0; i < count; ++i) {
        Sample sample;
        sample.timeNs = originNs + qint64(i) * 13333;
        sample.values = {i, -i, i * 7};
        sample.validMask = i % 5 == 0 ? 0b101 : 0b111;
        if (i % 2)
            recorder.appendSample(sample);
        else
            recorder.appendRow(sample.timeNs, sample.values.data(), 3, sample.validMask);
        if (i % 1000 == 999)
            QCoreApplication::processEvents();
    }
}

// Checks that `file` is the header and rows 1..rows of appendRowsOfIntegers().
void verifyRowsOfIntegers(const QByteArray &file, qint64 rows)
{
    QVERIFY(file.endsWith('\n'));
    const QList<QByteArray> lines = file.left(file.size() - 1).split('\n');
    QCOMPARE(lines.size(), int(rows) + 1);
    QCOMPARE(lines.first(), QByteArray("sample,time_s,PAD0,PAD1,PAD2"));
    for (int number = 1; number < lines.size(); ++number) {
        const QByteArray expected = expectedIntegerRow(number);
        if (lines.at(number) + '\n' != expected)
            QCOMPARE(lines.at(number) + '\n', expected);
    }
}

const QStringList sampleHeader{"sample", "time_s", "PAD0", "PAD1", "PAD2"};

// Writes beyond `bytes` into any file fail while it lives.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_previous);
        rlimit limited = m_previous;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = nullptr;
};

} // namespace

class TestRecording : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void csvLines_data();
    void csvLines();
    void onlyNumbersReachACell_data();
    void onlyNumbersReachACell();
    void seconds_data();
    void seconds();
    void localeDoesNotChangeTheFile_data();
    void localeDoesNotChangeTheFile();
    void everyRowFromTheGuiThreadReachesTheFile();
    void rowsReachTheFileWhileRecording();
    void diskFullEndsTheRecording();
    void partialWriteKeepsOnlyWholeRows();
    void stalledDiskEndsTheRecording_data();
    void stalledDiskEndsTheRecording();
    void cannotCreateTheFile_data();
    void cannotCreateTheFile();
    void fileNames_data();
    void fileNames();
    void saveDialogAsksAboutTheFileWritten();
    void fullDiskLeavesTheEarlierFile_data();
    void fullDiskLeavesTheEarlierFile();
    void wholeHistoryIsWrittenInBlocks();
    void recordingActionTogglesFromTheShortcut();
    void lastWriteFailingIsToldAfterTheWindowIsGone();
    void recordingControlTellsWhatWentWrong_data();
    void recordingControlTellsWhatWentWrong();
};

void TestRecording::cleanup()
{
    QLocale::setDefault(QLocale::c());
    FileSaving::setFileNameSource({});
    destroyTopLevelWindows();
}

void TestRecording::csvLines_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("plain") << QStringList{"a", "12"} << QByteArray("a,12\n");
    QTest::newRow("empty cells") << QStringList{"", "", ""} << QByteArray(",,\n");
    QTest::newRow("comma") << QStringList{"1,5", "x"} << QByteArray("\"1,5\",x\n");
    QTest::newRow("quote") << QStringList{"say \"hi\""} << QByteArray("\"say \"\"hi\"\"\"\n");
    QTest::newRow("line feed") << QStringList{"a\nb", "c"} << QByteArray("\"a\nb\",c\n");
    QTest::newRow("carriage return") << QStringList{"a\rb"} << QByteArray("\"a\rb\"\n");
    QTest::newRow("spaces kept") << QStringList{" a ", "b "} << QByteArray(" a ,b \n");
    QTest::newRow("semicolon and tab need no quotes")
        << QStringList{"a;b", "c\td"} << QByteArray("a;b,c\td\n");
    QTest::newRow("UTF-8 without BOM")
        << QStringList{QString::fromUtf8("µV"), QString::fromUtf8("°C")}
        << QByteArray("\xc2\xb5V,\xc2\xb0" "C\n");
}

void TestRecording::csvLines()
{
    QFETCH(QStringList, fields);
    QFETCH(QByteArray, expected);
    QCOMPARE(Csv::line(fields), expected);
}

void TestRecording::onlyNumbersReachACell_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("cell");
    QTest::newRow("whole") << "1650" << "1650";
    QTest::newRow("negative, spaces around") << " -2800\t" << "-2800";
    QTest::newRow("fraction and exponent") << "-0.5e-3" << "-0.5e-3";
    QTest::newRow("plus dropped") << "+.5" << ".5";
    QTest::newRow("formula") << "=1+2" << "";
    QTest::newRow("command") << "-cmd" << "";
    QTest::newRow("at sign") << "@SUM(A1)" << "";
    QTest::newRow("plus formula") << "+1+2" << "";
    QTest::newRow("decimal comma") << "12,5" << "";
    QTest::newRow("unit") << "1000 Hz" << "";
    QTest::newRow("lone sign, lone point") << "-." << "";
    QTest::newRow("exponent without digits") << "1e" << "";
    QTest::newRow("empty") << "" << "";
}

void TestRecording::onlyNumbersReachACell()
{
    QFETCH(QString, text);
    QFETCH(QString, cell);
    QCOMPARE(Csv::number(text), cell);
}

void TestRecording::seconds_data()
{
    QTest::addColumn<qint64>("ns");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("zero") << qint64(0) << QByteArray("0.000000");
    QTest::newRow("below half a microsecond") << qint64(499) << QByteArray("0.000000");
    QTest::newRow("half a microsecond rounds up") << qint64(500) << QByteArray("0.000001");
    QTest::newRow("rounded to microseconds") << qint64(1234567890) << QByteArray("1.234568");
    QTest::newRow("carry into the next second") << qint64(999999500) << QByteArray("1.000000");
    QTest::newRow("a day") << qint64(86400) * 1000000000 << QByteArray("86400.000000");
    QTest::newRow("beyond a double's integers")
        << qint64(9007199254740993) << QByteArray("9007199.254741");
    QTest::newRow("largest") << std::numeric_limits<qint64>::max()
                             << QByteArray("9223372036.854776");
    QTest::newRow("negative") << qint64(-1500) << QByteArray("-0.000002");
    QTest::newRow("negative that rounds to zero") << qint64(-400) << QByteArray("0.000000");
}

void TestRecording::seconds()
{
    QFETCH(qint64, ns);
    QFETCH(QByteArray, expected);
    QCOMPARE(Csv::seconds(ns), expected);
}

void TestRecording::localeDoesNotChangeTheFile_data()
{
    QTest::addColumn<QString>("locale");
    QTest::newRow("C") << "C";
    QTest::newRow("German") << "de_DE";
    QTest::newRow("Arabic, Egypt") << "ar_EG";
}

void TestRecording::localeDoesNotChangeTheFile()
{
    QFETCH(QString, locale);
    QLocale::setDefault(QLocale(locale));
    QTemporaryDir dir;
    const QString recorded = dir.filePath("recorded.csv");
    const QString exported = dir.filePath("exported.csv");

    CsvRecorder recorder;
    constexpr qint64 origin = 1000;
    recorder.start(recorded, sampleHeader, origin);
    const int values[] = {1650, -2800, 1234567};
    recorder.appendRow(origin + 1500000000, values, 3);
    recorder.appendRow(origin + 2000000500, {"1,5", "say \"hi\"", QString::fromUtf8("µV")});
    recorder.appendRow(origin + 12345678901, values, 3, 0b100);
    QCOMPARE(recorder.stop(), qint64(3));
    QCOMPARE(contents(recorded), QByteArray("sample,time_s,PAD0,PAD1,PAD2\n"
                                            "1,1.500000,1650,-2800,1234567\n"
                                            "2,2.000001,\"1,5\",\"say \"\"hi\"\"\",\xc2\xb5V\n"
                                            "3,12.345679,,,1234567\n"));

    QCOMPARE(SavedFile::write(exported, Csv::table({"sample", "X", "Y", "Z"},
                                                   {{"1", "", "-1024"}, {"2", "1000000", "0.5"}})),
             QString());
    QCOMPARE(contents(exported), QByteArray("sample,X,Y,Z\n1,,-1024\n2,1000000,0.5\n"));
}

void TestRecording::everyRowFromTheGuiThreadReachesTheFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("many.csv");
    CsvRecorder recorder;
    QSignalSpy failures(&recorder, &CsvRecorder::failed);
    constexpr qint64 origin = 5000000000;
    constexpr int rows = 300000;
    recorder.start(path, sampleHeader, origin);
    appendRowsOfIntegers(recorder, origin, rows);
    QCOMPARE(recorder.rowCount(), qint64(rows));

    QCOMPARE(recorder.stop(), qint64(rows));
    QVERIFY(!recorder.isRecording());
    QCOMPARE(recorder.rowsWritten(), qint64(rows));
    QCOMPARE(descriptorsOpenOn(path), 0);
    verifyRowsOfIntegers(contents(path), rows);
    QCOMPARE(failures.count(), 0);

    // Rows after the end go nowhere.
    recorder.appendRow(origin, {"late"});
    QCOMPARE(recorder.rowCount(), qint64(rows));
    QCOMPARE(contents(path).count('\n'), rows + 1);
}

void TestRecording::rowsReachTheFileWhileRecording()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("growing.csv");
    CsvRecorder recorder;
    recorder.start(path, sampleHeader);
    appendRowsOfIntegers(recorder, recorder.originNs(), 10);
    // Far below a full buffer: the periodic hand-over brings them out.
    QTRY_COMPARE(recorder.rowsWritten(), qint64(10));
    QVERIFY(recorder.isRecording());
    verifyRowsOfIntegers(contents(path), 10);
    QCOMPARE(recorder.stop(), qint64(10));
}

void TestRecording::diskFullEndsTheRecording()
{
    CsvRecorder recorder;
    QSignalSpy failures(&recorder, &CsvRecorder::failed);
    recorder.start("/dev/full", sampleHeader);
    appendRowsOfIntegers(recorder, recorder.originNs(), 10);

    QTRY_COMPARE(failures.count(), 1);
    QCOMPARE(failures.at(0).at(0).toString(), systemReason(ENOSPC));
    QCOMPARE(failures.at(0).at(1).toLongLong(), qint64(0));
    QVERIFY(!recorder.isRecording());
    QCOMPARE(recorder.rowsWritten(), qint64(0));
    QCOMPARE(descriptorsOpenOn("/dev/full"), 0);

    // Told once: stopping afterwards says nothing more.
    QCOMPARE(recorder.stop(), qint64(0));
    QCOMPARE(failures.count(), 1);
}

void TestRecording::partialWriteKeepsOnlyWholeRows()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("limited.csv");
    CsvRecorder recorder;
    QSignalSpy failures(&recorder, &CsvRecorder::failed);
    // Odd, so that the write that fails stops in the middle of a row.
    constexpr qint64 limit = 100003;
    {
        FileSizeLimit sizeLimit(limit);
        recorder.start(path, sampleHeader, 0);
        appendRowsOfIntegers(recorder, 0, 20000);
        QTRY_COMPARE(failures.count(), 1);
    }
    QCOMPARE(failures.at(0).at(0).toString(), systemReason(EFBIG));
    const qint64 rows = failures.at(0).at(1).toLongLong();
    QVERIFY2(rows > 1000 && rows < 20000, qPrintable(QString::number(rows)));
    QCOMPARE(recorder.rowsWritten(), rows);
    QCOMPARE(descriptorsOpenOn(path), 0);
    const QByteArray file = contents(path);
    QVERIFY(file.size() <= limit);
    verifyRowsOfIntegers(file, rows);
}

void TestRecording::stalledDiskEndsTheRecording_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("stopped");
    // Rows of about 30 bytes, against a pipe that holds 64 KiB and 1 MiB queued.
    QTest::newRow("more than may be queued") << 60000 << false;
    QTest::newRow("stopped while the disk stalls") << 5000 << true;
}

void TestRecording::stalledDiskEndsTheRecording()
{
    QFETCH(int, rows);
    QFETCH(bool, stopped);
    QTemporaryDir dir;
    const QString path = dir.filePath("stalled");
    QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    // Open for reading, and never read until the recording has ended.
    const int reader = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
    QVERIFY(reader >= 0);
    const auto closeReader = qScopeGuard([&] { ::close(reader); });

    CsvRecorder recorder(nullptr, 1024 * 1024);
    QSignalSpy failures(&recorder, &CsvRecorder::failed);
    recorder.start(path, sampleHeader, 0);
    appendRowsOfIntegers(recorder, 0, rows);
    if (stopped)
        recorder.stop(); // returns, although the write it waits for never ends
    QTRY_COMPARE(failures.count(), 1);
    QCOMPARE(failures.at(0).at(0).toString(), QString("the disk could not keep up"));
    QVERIFY(!recorder.isRecording());

    // The writer ends with the write it hangs in once the pipe is read.
    QByteArray got;
    const auto drain = [&] {
        char buffer[65536];
        for (ssize_t n; (n = ::read(reader, buffer, sizeof buffer)) > 0;)
            got.append(buffer, int(n));
        return descriptorsOpenOn(path) == 1; // the reader's own
    };
    QTRY_VERIFY(drain());
    drain();
    const qint64 inFile = failures.at(0).at(1).toLongLong();
    QVERIFY(inFile < rows);
    // Whole rows, at least as many as told; the header unless the writer
    // never came to write.
    const qint64 rowsGot = qMax(0, got.count('\n') - 1);
    QVERIFY2(rowsGot >= inFile, qPrintable(QString("%1 < %2").arg(rowsGot).arg(inFile)));
    if (!got.isEmpty())
        verifyRowsOfIntegers(got, rowsGot);
}

void TestRecording::cannotCreateTheFile_data()
{
    QTest::addColumn<QString>("place");
    QTest::addColumn<QString>("reason");
    QTest::newRow("folder that does not exist") << "missing/data.csv" << systemReason(ENOENT);
    QTest::newRow("a folder") << "" << systemReason(EISDIR);
    QTest::newRow("a pipe nobody reads") << "pipe" << SavedFile::notOpenedInTime();
}

void TestRecording::cannotCreateTheFile()
{
    QFETCH(QString, place);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path = place.isEmpty() ? dir.path() : dir.filePath(place);
    const bool pipe = place == "pipe";
    if (pipe)
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    const auto threads = [] {
        return QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot).size();
    };
    const int threadsBefore = threads();

    CsvRecorder recorder;
    QSignalSpy failures(&recorder, &CsvRecorder::failed);
    QElapsedTimer clock;
    clock.start();
    recorder.start(path, sampleHeader);
    recorder.appendRow(monotonicNowNs(), {"1"});
    QVERIFY(clock.elapsed() < 1000); // an open that hangs holds up nothing
    QTRY_COMPARE(failures.count(), 1);
    QCOMPARE(failures.at(0).at(0).toString(), reason);
    QCOMPARE(failures.at(0).at(1).toLongLong(), qint64(0));
    QVERIFY(!recorder.isRecording());
    QVERIFY(!recorder.fileOpened());
    QCOMPARE(recorder.fileName(), path);

    // The export says why as well, and leaves nothing behind.
    QCOMPARE(SavedFile::write(path, Csv::table(sampleHeader, {{"1", "2", "3"}})), reason);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
             pipe ? QStringList{"pipe"} : QStringList());

    ModalBoxCatcher catcher;
    QDialog window;
    RecordingControl control(&window, InstrumentProtocol::counter());
    control.start(path);
    QTRY_COMPARE(catcher.boxes.size(), 1);
    QCOMPARE(catcher.boxes.at(0).title, QString("Could not save"));
    for (const QString &part : {path, reason, QString("nothing was written")})
        QVERIFY2(catcher.boxes.at(0).text.contains(part), qPrintable(catcher.boxes.at(0).text));
    QCOMPARE(control.action()->text(), QString("Start Recording…"));

    if (pipe) {
        // The threads left hanging in open() end once the pipe has a
        // reader, and write nothing into it.
        const int reader = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
        QVERIFY(reader >= 0);
        const auto closeReader = qScopeGuard([&] { ::close(reader); });
        QTRY_COMPARE(threads(), threadsBefore);
        QCOMPARE(descriptorsOpenOn(path), 1);
        char byte;
        QCOMPARE(::read(reader, &byte, 1), ssize_t(0));
        struct stat status;
        QVERIFY(::stat(QFile::encodeName(path).constData(), &status) == 0
                && S_ISFIFO(status.st_mode));
    }
}

void TestRecording::fileNames_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("format");
    const QString png = "PNG image (*.png)";
    const QString pdf = "PDF document (*.pdf)";
    QTest::newRow("as the filter says") << "/tmp/report" << pdf << "pdf";
    QTest::newRow("known, other case") << "/tmp/plot.PDF" << png << "pdf";
    QTest::newRow("known image suffix kept") << "/tmp/x.jpg" << png << "jpg";
    QTest::newRow("unknown suffix") << "/tmp/plot.v2" << pdf << "pdf";
    QTest::newRow("dot in a folder name") << "/tmp/a.png/plot" << pdf << "pdf";
}

void TestRecording::fileNames()
{
    QFETCH(QString, chosen);
    QFETCH(QString, filter);
    QFETCH(QString, format);
    QCOMPARE(FileSaving::imageFormat(chosen, filter), format);

    const QDateTime when(QDate(2026, 3, 5), QTime(14, 7, 9));
    QCOMPARE(FileSaving::suggestedName("osciloscope", "png", when),
             QString("osciloscope-20260305-140709.png"));
    // Nothing chooses an image folder here: it is still the first one.
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    QCOMPARE(FileSaving::lastFolder(FileSaving::Folder::Images),
             QDir(pictures).exists() ? pictures : QDir::homePath());
}

void TestRecording::saveDialogAsksAboutTheFileWritten()
{
    // "report" typed with the PDF filter chosen: the overwrite question is
    // about report.pdf, the file that is then written.
    QTemporaryDir dir;
    QFile earlier(dir.filePath("report.pdf"));
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.close();
    FileSaving::rememberFolder(FileSaving::Folder::Images, earlier.fileName());
    QStringList suffixes;
    QString question;
    QTimer steps;
    QObject::connect(&steps, &QTimer::timeout, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (box) {
            question = box->text();
            box->button(QMessageBox::Yes)->click();
        } else if (dialog && suffixes.isEmpty()) {
            suffixes << dialog->defaultSuffix();
            QTest::keyClick(dialog->findChild<QComboBox *>("fileTypeCombo"), Qt::Key_Down);
            suffixes << dialog->defaultSuffix();
            auto *name = dialog->findChild<QLineEdit *>("fileNameEdit");
            name->setText("report");
            // Later: the question runs a loop of its own, and this timer
            // must be free to answer it.
            QMetaObject::invokeMethod(name, [name] { QTest::keyClick(name, Qt::Key_Return); },
                                      Qt::QueuedConnection);
        }
    });
    steps.start(20);
    QString filter;
    const QString chosen =
        FileSaving::askSaveFileName(nullptr, "Save Image", FileSaving::Folder::Images, "plot.png",
                                    "PNG image (*.png);;PDF document (*.pdf)", &filter);
    QCOMPARE(suffixes, (QStringList{"png", "pdf"}));
    QVERIFY2(question.contains("report.pdf"), qPrintable(question));
    QCOMPARE(chosen, earlier.fileName());
    QCOMPARE(filter, QString("PDF document (*.pdf)"));
}

void TestRecording::fullDiskLeavesTheEarlierFile_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("fileSizeLimit"); // 0: a full disk
    QTest::addColumn<int>("error");
    QTest::newRow("small export on a full disk") << 3 << 0 << ENOSPC;
    QTest::newRow("large export on a full disk") << 20000 << 0 << ENOSPC;
    QTest::newRow("beyond the file size limit") << 20000 << 100003 << EFBIG;
}

void TestRecording::fullDiskLeavesTheEarlierFile()
{
    QFETCH(int, rows);
    QFETCH(int, fileSizeLimit);
    QFETCH(int, error);
    QTemporaryDir dir;
    if (::mount("tmpfs", QFile::encodeName(dir.path()).constData(), "tmpfs", 0, "size=256k") != 0)
        QSKIP(qPrintable("a small disk cannot be mounted here: " + systemReason(errno)));
    const auto unmount = qScopeGuard([&] { ::umount2(QFile::encodeName(dir.path()).constData(), MNT_DETACH); });
    const QString path = dir.filePath("shown.csv");
    QVERIFY(SavedFile::write(path, Csv::table({"earlier"}, {})).isEmpty());
    if (fileSizeLimit == 0) {
        // Whatever room is left goes to a file of its own.
        QFile filler(dir.filePath("filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (filler.write(QByteArray(4096, 'x')) > 0) {
        }
    }
    QList<QStringList> table;
    for (int i = 0; i < rows; ++i)
        table.append({QString::number(i), "1650", "-2800"});

    QString failure;
    {
        FileSizeLimit limit(fileSizeLimit ? rlim_t(fileSizeLimit) : RLIM_INFINITY);
        failure = SavedFile::write(path, Csv::table(sampleHeader, table));
    }
    QCOMPARE(failure, systemReason(error));
    QCOMPARE(contents(path), QByteArray("earlier\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{"filler", "shown.csv"}).mid(fileSizeLimit ? 1 : 0));
}

void TestRecording::wholeHistoryIsWrittenInBlocks()
{
    SampleStore store(1 << 20);
    for (int i = 0; i < store.capacity(); ++i) {
        Sample sample;
        sample.index = 1000 + i;
        sample.values = {i, -i, i % 4096};
        sample.validMask = i % 5 == 0 ? 0b101 : 0b111;
        store.append(sample);
    }
    QTemporaryDir dir;
    const QString path = dir.filePath("history.csv");
    // The kernel forgets the peak so far: what follows is the export's own.
    QFile peakReset("/proc/self/clear_refs");
    const bool peakMeasured = peakReset.open(QIODevice::WriteOnly) && peakReset.write("5") == 1
                              && peakReset.flush();
    const qint64 residentBefore = memoryKiB("VmRSS:");
    int ticks = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
    tick.start(0);
    QCOMPARE(SavedFile::write(path, Csv::sampleTable(store, {"sample", "PAD0", "PAD1", "PAD2"},
                                                     0, std::numeric_limits<qint64>::max())),
             QString());
    QVERIFY2(ticks > 2, qPrintable(QString::number(ticks)));
    if (peakMeasured) {
        const qint64 growth = memoryKiB("VmHWM:") - residentBefore;
        // Far below the file's 30 MB, which a copy of the text would double;
        // a sanitizer's quarantine of the freed blocks stays below it too.
        QVERIFY2(growth < 64 * 1024, qPrintable(QString("%1 KiB").arg(growth)));
    }

    // Every row, built without an allocation per row (slow under sanitizers).
    std::string expected = "sample,PAD0,PAD1,PAD2\n";
    for (int i = 0; i < store.capacity(); ++i) {
        expected += std::to_string(1000 + i) + ',' + std::to_string(i) + ',';
        if (i % 5 != 0)
            expected += std::to_string(-i);
        expected += ',' + std::to_string(i % 4096) + '\n';
    }
    const QByteArray written = contents(path);
    QCOMPARE(written.count('\n'), (1 << 20) + 1);
    const auto differs =
        std::mismatch(expected.begin(), expected.end(), written.begin(), written.end());
    const size_t at = size_t(differs.first - expected.begin());
    QVERIFY2(differs.first == expected.end() && differs.second == written.end(),
             qPrintable("differs at " + QString::fromStdString(expected.substr(at, 40))));
}

void TestRecording::recordingActionTogglesFromTheShortcut()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("voltmeter.csv");
    QString askedTitle;
    QString askedPath;
    FileSaving::setFileNameSource([&](const QString &title, const QString &suggested) {
        askedTitle = title;
        askedPath = suggested;
        return path;
    });
    const QString folderBefore = FileSaving::lastFolder(FileSaving::Folder::Data);

    QDialog window;
    RecordingControl control(&window, InstrumentProtocol::voltmeter());
    window.addAction(control.action());
    QSignalSpy changes(&control, &RecordingControl::recordingChanged);
    QCOMPARE(control.action()->text(), QString("Start Recording…"));
    QCOMPARE(control.action()->shortcut(), QKeySequence("Ctrl+R"));
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    QTest::keyClick(&window, Qt::Key_R, Qt::ControlModifier);
    QVERIFY(control.isRecording());
    QCOMPARE(control.action()->text(), QString("Stop Recording"));
    QCOMPARE(changes.count(), 1);
    QCOMPARE(changes.at(0).at(0).toBool(), true);
    QCOMPARE(askedTitle, QString("Record Data"));
    QCOMPARE(QFileInfo(askedPath).absolutePath(), folderBefore);
    QVERIFY2(QRegularExpression("^voltmeter-\\d{8}-\\d{6}\\.csv$")
                 .match(QFileInfo(askedPath).fileName())
                 .hasMatch(),
             qPrintable(askedPath));
    QCOMPARE(FileSaving::lastFolder(FileSaving::Folder::Data), dir.path());

    control.recorder().appendRow(monotonicNowNs(), {"1650", "2800", "150"});
    control.recorder().appendRow(monotonicNowNs(), {"1651", "2801", "151"});
    QCOMPARE(control.overlayText(), QString("● REC voltmeter.csv 2 samples"));

    QTest::keyClick(&window, Qt::Key_R, Qt::ControlModifier);
    QVERIFY(!control.isRecording());
    QCOMPARE(control.action()->text(), QString("Start Recording…"));
    QCOMPARE(changes.count(), 2);
    QCOMPARE(changes.at(1).at(0).toBool(), false);
    const QList<QByteArray> lines = contents(path).split('\n');
    QCOMPARE(lines.size(), 4); // header, two rows, nothing after the last LF
    QCOMPARE(lines.at(0), QByteArray("reading,time_s,PAD0_mV,PAD1_mV,PAD2_mV"));
    QVERIFY(lines.at(2).startsWith("2,"));
    QVERIFY(lines.at(2).endsWith(",1651,2801,151"));
}

void TestRecording::lastWriteFailingIsToldAfterTheWindowIsGone()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("counter.csv");
    QPointer<QDialog> window = new QDialog;
    window->setAttribute(Qt::WA_DeleteOnClose);
    auto *control = new RecordingControl(window, InstrumentProtocol::counter());
    control->start(path);
    {
        FileSizeLimit limit(200);
        for (int i = 0; i < 102; ++i)
            control->recorder().appendRow(monotonicNowNs(), {"1000"});
        control->stop(); // the window's stop path, as it closes
    }
    window->close();
    QTRY_VERIFY(window.isNull());
    QMessageBox *box = nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget->windowTitle() == "Could not save")
            box = qobject_cast<QMessageBox *>(widget);
    }
    QVERIFY(box);
    const int rows = contents(path).count('\n') - 1;
    QVERIFY(rows > 0 && rows < 102);
    QVERIFY2(box->text().contains(QString("holds %1 rows").arg(rows)), qPrintable(box->text()));
    box->close();
}

void TestRecording::recordingControlTellsWhatWentWrong_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("recordingChanges");
    QTest::addColumn<QStringList>("boxSays");

    QTest::newRow("cancelled") << "" << 0 << QStringList{};
    QTest::newRow("cannot be created")
        << "/nonexistent-folder/data.csv" << 2
        << QStringList{"/nonexistent-folder/data.csv", systemReason(ENOENT), "nothing was written"};
    QTest::newRow("disk full") << "/dev/full" << 2
                               << QStringList{"/dev/full", systemReason(ENOSPC), "0 rows"};
}

void TestRecording::recordingControlTellsWhatWentWrong()
{
    QFETCH(QString, path);
    QFETCH(int, recordingChanges);
    QFETCH(QStringList, boxSays);
    FileSaving::setFileNameSource([&](const QString &, const QString &) { return path; });

    ModalBoxCatcher catcher;
    QDialog window;
    RecordingControl control(&window, InstrumentProtocol::counter());
    QSignalSpy changes(&control, &RecordingControl::recordingChanged);
    control.action()->trigger();
    control.recorder().appendRow(monotonicNowNs(), {"1000"});

    if (boxSays.isEmpty()) {
        spin(100);
        QCOMPARE(catcher.boxes.size(), 0);
    } else {
        QTRY_COMPARE(catcher.boxes.size(), 1);
        QCOMPARE(catcher.boxes.at(0).title, QString("Could not save"));
        for (const QString &part : boxSays)
            QVERIFY2(catcher.boxes.at(0).text.contains(part), qPrintable(catcher.boxes.at(0).text));
    }
    QCOMPARE(changes.count(), recordingChanges);
    QVERIFY(!control.isRecording());
    QCOMPARE(control.action()->text(), QString("Start Recording…"));
    QCOMPARE(descriptorsOpenOn("/dev/full"), 0);
}

QTEST_MAIN(TestRecording)
#include "tst_recording.moc"
