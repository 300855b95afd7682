#include "testsupport.h"

#include "samplestore.h"
#include "settingsfile.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QMutex>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

namespace {
// Whatever the windows of a test keep goes to a folder of the test's own,
// never to the user's settings.
struct SettingsFolder
{
    QTemporaryDir dir;
    SettingsFolder()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    }
} settingsFolder;
} // namespace

namespace TestSupport {

QString describe(const Sample &sample)
{
    QString text = (sample.gapBefore ? "|" : "") + QString::number(sample.index);
    for (int channel = 0; channel < Sample::channelCount; ++channel)
        text += sample.hasValue(channel) ? " " + QString::number(sample.values[size_t(channel)])
                                         : QString(" -");
    return text;
}

QStringList describe(const SampleStore &store)
{
    QStringList samples;
    for (int position = 0; position < store.size(); ++position)
        samples.append(describe(store.at(position)));
    return samples;
}


BoardFixture::BoardFixture(const QList<PortCandidate> &decoys)
{
    m_ready = board.start();
    // Listed as the system would: only while plugged in, under its path of
    // the moment.
    PortListing::setSource([this, decoys] {
        QList<PortCandidate> ports = decoys;
        if (board.isPlugged())
            ports.append(candidate());
        return ports;
    });
}

BoardFixture::~BoardFixture()
{
    PortListing::setSource({});
}

PortCandidate BoardFixture::candidate() const
{
    return PortListing::boardAt(board.devicePath(), 0x0204, board.serialNumber());
}

BoardPair::BoardPair()
{
    first.setSerialNumber(QStringLiteral("BOARD-A"));
    second.setSerialNumber(QStringLiteral("BOARD-B"));
    m_ready = first.start() && second.start();
    PortListing::setSource([this] {
        QList<PortCandidate> ports;
        for (const VirtualBoard *board : {&first, &second}) {
            if (board->isPlugged())
                ports.append(PortListing::boardAt(board->devicePath(), 0x0204, board->serialNumber()));
        }
        if (m_reversed)
            std::reverse(ports.begin(), ports.end());
        return ports;
    });
}

BoardPair::~BoardPair()
{
    PortListing::setSource({});
}

PortList::PortList(const QList<PortCandidate> &ports)
{
    PortListing::setSource([ports] { return ports; });
}

PortList::~PortList()
{
    PortListing::setSource({});
}

ModalBoxCatcher::ModalBoxCatcher()
{
    m_timer.setInterval(20);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
    m_timer.start();
}

ModalBoxCatcher::~ModalBoxCatcher() = default;

void ModalBoxCatcher::poll()
{
    const QWidgetList widgets = QApplication::topLevelWidgets();
    for (QWidget *widget : widgets) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        if (!box || !box->isVisible())
            continue;
        boxes.append({box->windowTitle(), box->text()});
        box->done(QMessageBox::Ok);
    }
}

namespace {
QMutex messagesMutex;
QStringList capturedMessages;
QStringList capturedWarnings;
QtMessageHandler previousHandler = nullptr;

void captureHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtDebugMsg || type == QtWarningMsg) {
        QMutexLocker lock(&messagesMutex);
        (type == QtDebugMsg ? capturedMessages : capturedWarnings).append(message);
    }
    if (previousHandler)
        previousHandler(type, context, message);
}
} // namespace

MessageCapture::MessageCapture()
{
    QMutexLocker lock(&messagesMutex);
    capturedMessages.clear();
    capturedWarnings.clear();
    previousHandler = qInstallMessageHandler(captureHandler);
}

MessageCapture::~MessageCapture()
{
    qInstallMessageHandler(previousHandler);
}

QStringList MessageCapture::messages() const
{
    QMutexLocker lock(&messagesMutex);
    return capturedMessages;
}

QStringList MessageCapture::warnings() const
{
    QMutexLocker lock(&messagesMutex);
    return capturedWarnings;
}

QStringList closeWays()
{
    return {"quit button", "escape", "window frame"};
}

void addCloseRows()
{
    QTest::addColumn<QString>("how");
    for (const QString &how : closeWays())
        QTest::newRow(qPrintable(how)) << how;
}

void closeWindow(QWidget *window, const char *quitButton, const QString &how)
{
    if (how == "quit button")
        QTest::mouseClick(window->findChild<QPushButton *>(quitButton), Qt::LeftButton);
    else if (how == "escape")
        QTest::keyClick(window, Qt::Key_Escape);
    else if (how == "window frame")
        window->close();
    else
        QFAIL(qPrintable("no way to close a window called " + how));
}

void destroyTopLevelWindows()
{
    // A box belongs to its window and goes with it: hold them all weakly.
    QList<QPointer<QWidget>> windows;
    for (QWidget *window : QApplication::topLevelWidgets())
        windows.append(window);
    for (const QPointer<QWidget> &window : windows)
        delete window.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // The next case opens its windows as on a first start.
    SettingsFile::forgetAll();
}

void startRecording(QWidget *window)
{
    for (QAction *action : window->actions())
        if (action->shortcut() == QKeySequence(Qt::CTRL + Qt::Key_R))
            action->trigger();
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int occurrences(const QByteArray &haystack, const QByteArray &needle)
{
    return haystack.count(needle);
}

void spin(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QTest::qWait(qMax(1, int(ms - clock.elapsed())));
}

} // namespace TestSupport
