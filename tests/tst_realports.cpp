// The panel against the system's own port listing, unmodified: a virtual
// board dressed up as a USB serial device. In a private mount namespace a
// small sysfs tree lists it with the board's vendor id, and its
// pseudo-terminal is bound to the device node that tree names. Needs root.
#include "mainwindow.h"
#include "portlisting.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QtTest>

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

using namespace TestSupport;

namespace {

const QString ttyClass = QStringLiteral("/sys/class/tty");
const QString nodeDir = QStringLiteral("/dev/shm");

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

} // namespace

class TestRealPorts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void systemListsTheBoard();
    void launcherFindsAndDrivesTheBoard();
    void voltmeterPicksTheBoardUpAgain();

private:
    QString fail(const char *what) { return QString("%1: %2").arg(what, strerror(errno)); }
    VirtualBoard board;
};

void TestRealPorts::initTestCase()
{
    if (::geteuid() != 0)
        QSKIP("needs root, for a private mount namespace");
    if (::unshare(CLONE_NEWNS) != 0)
        QSKIP(qPrintable(fail("no private mount namespace here")));
    // A sandbox may grant the namespace but not these mounts: then there is
    // nothing to test here, which is not a fault of the panel.
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        QSKIP(qPrintable(fail("mount --make-rprivate /")));
    QVERIFY(board.start());

    // A USB device with one interface and its tty, as the kernel lays it out.
    if (::mount("boardpanel-sys", "/sys/class/tty", "tmpfs", 0, nullptr) != 0)
        QSKIP(qPrintable(fail("tmpfs on /sys/class/tty")));
    const QString device = ttyClass + "/devices/usb1/1-1";
    const QString tty = device + "/1-1:1.0/tty/ttyACM77";
    QVERIFY(QDir().mkpath(tty));
    QVERIFY(writeFile(device + "/uevent", "DEVTYPE=usb_device\nDRIVER=usb\n"));
    QVERIFY(writeFile(device + "/1-1:1.0/uevent", "DEVTYPE=usb_interface\nDRIVER=cdc_acm\n"));
    QVERIFY(writeFile(tty + "/uevent", "MAJOR=166\nMINOR=77\nDEVNAME=shm/ttyACM77\n"
                                       "ID_VENDOR_ID=0d28\nID_MODEL_ID=0204\n"));
    QVERIFY(QFile::link(ttyClass, tty + "/subsystem"));
    QVERIFY(QFile::link("devices/usb1/1-1/1-1:1.0/tty/ttyACM77", ttyClass + "/ttyACM77"));

    // The device node the tree names, bound to the board's pseudo-terminal.
    if (::mount("boardpanel-dev", qPrintable(nodeDir), "tmpfs", 0, nullptr) != 0)
        QSKIP(qPrintable(fail("tmpfs on /dev/shm")));
    QVERIFY(writeFile(nodeDir + "/ttyACM77", {}));
    QVERIFY2(::mount(qPrintable(board.devicePath()), qPrintable(nodeDir + "/ttyACM77"), nullptr,
                     MS_BIND, nullptr) == 0,
             qPrintable(fail("bind the pseudo-terminal")));

    // libudev takes device paths outside the real sysfs only when told to.
    qputenv("SYSTEMD_DEVICE_VERIFY_SYSFS", "0");
}

void TestRealPorts::systemListsTheBoard()
{
    const QList<PortCandidate> ports = PortListing::availablePorts();
    QCOMPARE(ports.size(), 1);
    QCOMPARE(ports[0].portName, QString("/dev/shm/ttyACM77"));
    QVERIFY(ports[0].hasVendorIdentifier);
    QCOMPARE(ports[0].vendorIdentifier, quint16(0x0D28));
    QVERIFY(ports[0].hasProductIdentifier);
    QCOMPARE(ports[0].productIdentifier, quint16(0x0204));
}

void TestRealPorts::launcherFindsAndDrivesTheBoard()
{
    MessageCapture capture;
    MainWindow launcher;
    launcher.show();
    board.setVoltages(1234, 2345, 3456);
    launcher.findChild<QPushButton *>("pushButtonVoltmeter")->click();
    QCOMPARE(capture.count("connected maked true"), 1);
    QTRY_VERIFY(board.received().startsWith("v\nc\n"));
    QTRY_VERIFY(capture.messages().contains("(\"1234\", \"2345\", \"3456\\n\")"));

    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->windowTitle() == "Voltmeter")
            widget->close();
    }
    QTRY_VERIFY(board.received().endsWith(QByteArray("r\n").repeated(20)));
    QCOMPARE(board.mode(), VirtualBoard::Mode::Idle);
}

void TestRealPorts::voltmeterPicksTheBoardUpAgain()
{
    MainWindow launcher;
    launcher.show();
    board.clearReceived();
    launcher.findChild<QPushButton *>("pushButtonVoltmeter")->click();
    QTRY_VERIFY(board.received().startsWith("v\nc\n"));

    // The board resets: its node goes dead, then carries a new line.
    const QString node = nodeDir + "/ttyACM77";
    QObject::connect(&board, &VirtualBoard::plugged, &board, [&](const QString &pty) {
        ::umount2(qPrintable(node), MNT_DETACH);
        QVERIFY2(::mount(qPrintable(pty), qPrintable(node), nullptr, MS_BIND, nullptr) == 0,
                 qPrintable(fail("bind the new pseudo-terminal")));
    });
    board.replug(300);
    board.clearReceived();
    QTRY_VERIFY_WITH_TIMEOUT(board.received().startsWith("v\nc\n"), 5000);

    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->windowTitle() == "Voltmeter")
            widget->close();
    }
    QTRY_VERIFY(board.received().endsWith(QByteArray("r\n").repeated(20)));
}

QTEST_MAIN(TestRealPorts)
#include "tst_realports.moc"
