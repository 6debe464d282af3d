// Choosing the serial device in the receive dialog: the devices listed from a
// device folder of the test's own (SART_DEVICE_ROOT), a port name given to a
// device and then used by a reception from the simulator, the port and rate
// remembered for the next start, and the dialog used from the keyboard.

#include "ModalDriver.h"
#include "PortNames.h"
#include "ReceiveSettings.h"
#include "SampleRecord.h"
#include "SerialDevices.h"
#include "SimProcess.h"
#include "TestSupport.h"
#include "Unit2.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <memory>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

using testsupport::readFile;
using testsupport::writeFile;

namespace {

const QString FtdiId = QStringLiteral("usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");

// A folder that stands for "/" in the device search, laid out as the kernel
// and udev lay out the real one.
class DeviceFolder
{
public:
    DeviceFolder() { qputenv("SART_DEVICE_ROOT", QFile::encodeName(m_dir.path())); }
    ~DeviceFolder() { qunsetenv("SART_DEVICE_ROOT"); }

    QString root() const { return m_dir.path(); }
    QString dev(const QString &name) const { return m_dir.filePath(QStringLiteral("dev/") + name); }

    // A device node: a link to a pseudo-terminal, or a FIFO that would block
    // whoever opened it.
    void node(const QString &name, const QString &target = {}) const
    {
        QDir().mkpath(QFileInfo(dev(name)).path());
        const QByteArray path = QFile::encodeName(dev(name));
        if (target.isEmpty())
            QCOMPARE_EQ(::mkfifo(path.constData(), 0600), 0);
        else
            QCOMPARE_EQ(::symlink(QFile::encodeName(target).constData(), path.constData()), 0);
    }
    // A stable name, as udev makes it: by-id/<id> -> ../../<kernel name>.
    void byId(const QString &id, const QString &kernelName) const
    {
        QDir().mkpath(dev(QStringLiteral("serial/by-id")));
        QCOMPARE_EQ(::symlink(QFile::encodeName(QStringLiteral("../../") + kernelName).constData(),
                              QFile::encodeName(dev(QStringLiteral("serial/by-id/") + id)).constData()),
                    0);
    }
    // The USB adapter's entry in sysfs, with its maker and product.
    void usb(const QString &kernelName, const QString &maker, const QString &product) const
    {
        const QString device = m_dir.filePath(QStringLiteral("sys/devices/usb1/1-1/1-1:1.0"));
        QDir().mkpath(device);
        writeFile(m_dir.filePath(QStringLiteral("sys/devices/usb1/1-1/manufacturer")), maker.toUtf8() + '\n');
        writeFile(m_dir.filePath(QStringLiteral("sys/devices/usb1/1-1/product")), product.toUtf8() + '\n');
        const QString tty = m_dir.filePath(QStringLiteral("sys/class/tty/") + kernelName);
        QDir().mkpath(tty);
        QCOMPARE_EQ(::symlink(QFile::encodeName(device).constData(), QFile::encodeName(tty + "/device").constData()),
                    0);
    }
    // A built-in port's entry in sysfs: with or without a driver, and its
    // port type (-1: no type file).
    void builtIn(const QString &kernelName, bool driver, int type) const
    {
        const QString tty = m_dir.filePath(QStringLiteral("sys/class/tty/") + kernelName);
        QDir().mkpath(tty + (driver ? QStringLiteral("/device/driver") : QStringLiteral("/device")));
        if (type >= 0)
            writeFile(tty + QStringLiteral("/type"), QByteArray::number(type) + '\n');
    }

private:
    QTemporaryDir m_dir;
};

// Names of the files in a folder that something opened or read since the
// watch began.
class OpenWatch
{
public:
    explicit OpenWatch(const QString &folder)
        : m_fd(::inotify_init1(IN_NONBLOCK)),
          m_watch(::inotify_add_watch(m_fd, QFile::encodeName(folder).constData(), IN_OPEN | IN_ACCESS))
    {
    }
    ~OpenWatch() { ::close(m_fd); }
    bool isValid() const { return m_fd >= 0 && m_watch >= 0; }

    QStringList opened() const
    {
        QStringList names;
        alignas(inotify_event) char buffer[4096];
        ssize_t n;
        while ((n = ::read(m_fd, buffer, sizeof buffer)) > 0) {
            for (char *p = buffer; p < buffer + n;) {
                const auto *event = reinterpret_cast<const inotify_event *>(p);
                if (event->len > 0 && !(event->mask & IN_ISDIR))
                    names.append(QString::fromLocal8Bit(event->name));
                p += sizeof(inotify_event) + event->len;
            }
        }
        return names;
    }

private:
    int m_fd;
    int m_watch;
};

QStringList describe(const QList<serialdevices::Device> &devices)
{
    QStringList lines;
    for (const serialdevices::Device &d : devices)
        lines.append(QStringList{d.ports.join(u','), d.name, d.kernelName, d.description,
                                 d.present ? QStringLiteral("present") : QStringLiteral("absent")}
                         .join(QStringLiteral(" | ")));
    return lines;
}

} // namespace

class TestPortChoice : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void devicesListed();
    void builtInPorts_data();
    void builtInPorts();
    void listingNeverOpensDevices();
    void listingReadsOnlySmallFiles();
    void portStatus();
    void nameGivenToDeviceIsUsedByReception();
    void onlyLinksAreReplaced_data();
    void onlyLinksAreReplaced();
    void portAndRateRemembered();
    void keyboardAndEscape();
    void repointingAPresentDeviceAsks();
    void enterDuringReception();

private:
    // The dialog, shown, once it has listed the devices.
    TForm2 &form()
    {
        if (!m_form) {
            m_form = std::make_unique<TForm2>(m_start->path());
            m_form->show();
            waitForDevices();
        }
        return *m_form;
    }
    void waitForDevices()
    {
        if (!QTest::qWaitFor([this] { return !m_form->isListingDevices(); }, 10000))
            qWarning("the devices were not listed");
    }
    template<typename T>
    T *child(const char *name) { return form().findChild<T *>(QLatin1String(name)); }
    QStringList listRows()
    {
        QStringList rows;
        auto *list = child<QTreeWidget>("DeviceList");
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            const QTreeWidgetItem *item = list->topLevelItem(i);
            rows.append(item->text(0) + u'|' + item->text(1) + u'|' + item->text(2));
        }
        return rows;
    }
    void selectDevice(const QString &name)
    {
        auto *list = child<QTreeWidget>("DeviceList");
        const QList<QTreeWidgetItem *> found = list->findItems(name, Qt::MatchExactly, 1);
        QVERIFY2(found.size() == 1, qPrintable(name));
        list->setCurrentItem(found.constFirst());
    }

    std::unique_ptr<QTemporaryDir> m_config;
    std::unique_ptr<QTemporaryDir> m_start;
    std::unique_ptr<DeviceFolder> m_devices;
    std::unique_ptr<TForm2> m_form;
};

void TestPortChoice::init()
{
    m_config = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config->path()));
    m_start = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir(m_start->path()).mkdir(QStringLiteral("bin")));
    m_devices = std::make_unique<DeviceFolder>();
}

void TestPortChoice::cleanup()
{
    m_form.reset();
    m_devices.reset();
    m_start.reset();
    m_config.reset();
}

// The adapters listed by their stable names, a USB device without one by its
// kernel name, a stable name whose adapter is gone left out, and a port name
// linked to a device that is not there listed as not present.
void TestPortChoice::devicesListed()
{
    m_devices->node(QStringLiteral("ttyUSB0"));
    m_devices->byId(FtdiId, QStringLiteral("ttyUSB0"));
    m_devices->usb(QStringLiteral("ttyUSB0"), QStringLiteral("FTDI"), QStringLiteral("FT232R USB UART"));
    m_devices->node(QStringLiteral("ttyACM0"));
    m_devices->byId(QStringLiteral("usb-Prolific-gone-port0"), QStringLiteral("ttyUSB5"));
    m_devices->node(QStringLiteral("ttyS0"));
    m_devices->builtIn(QStringLiteral("ttyS0"), true, 4);
    m_devices->node(QStringLiteral("ttyS1"));
    m_devices->builtIn(QStringLiteral("ttyS1"), true, 0);
    m_devices->node(QStringLiteral("ttyS2"));  // no sysfs entry at all
    m_devices->node(QStringLiteral("ttyUSB1"));
    portnames::assign(QStringLiteral("COM3"), m_devices->dev(QStringLiteral("serial/by-id/") + FtdiId));
    portnames::assign(QStringLiteral("COM4"), m_devices->dev(QStringLiteral("ttyUSB0")));
    portnames::assign(QStringLiteral("COM6"), m_devices->dev(QStringLiteral("ttyUSB7")));

    const QStringList expected{
        "COM3,COM4 | /dev/serial/by-id/" + FtdiId + " | ttyUSB0 | FTDI FT232R USB UART | present",
        " | /dev/ttyACM0 | ttyACM0 |  | present",
        " | /dev/ttyUSB1 | ttyUSB1 |  | present",
        "COM1 | /dev/ttyS0 | ttyS0 | built-in serial port | present",
        "COM6 | /dev/ttyUSB7 | ttyUSB7 | not present | absent",
    };
    QCOMPARE(describe(serialdevices::overview()), expected);

    // The dialog shows the same, and each port name's device in its line.
    QCOMPARE(listRows(), (QStringList{
                             "COM3, COM4|/dev/serial/by-id/" + FtdiId + "|ttyUSB0, FTDI FT232R USB UART",
                             "|/dev/ttyACM0|",
                             "|/dev/ttyUSB1|",
                             "COM1|/dev/ttyS0|built-in serial port",
                             "COM6|/dev/ttyUSB7|not present",
                         }));
    child<QComboBox>("CBPort")->setCurrentText(QStringLiteral("COM3"));
    QCOMPARE(child<QLabel>("DeviceLabel")->text(),
             "COM3 stands for /dev/serial/by-id/" + FtdiId + ": present (ttyUSB0, FTDI FT232R USB UART)");

    // An adapter plugged in while the dialog is open appears on Refresh.
    m_devices->node(QStringLiteral("ttyACM1"));
    QTest::mouseClick(child<QPushButton>("RefreshButton"), Qt::LeftButton);
    waitForDevices();
    QVERIFY(listRows().contains(QStringLiteral("|/dev/ttyACM1|")));
}

void TestPortChoice::builtInPorts_data()
{
    QTest::addColumn<bool>("driver");
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("listed");
    QTest::newRow("16550A with its driver") << true << 4 << true;
    QTest::newRow("placeholder: driver, type unknown") << true << 0 << false;
    QTest::newRow("no driver") << false << 4 << false;
    QTest::newRow("driver, no type") << true << -1 << false;
}

// Built-in ports are listed only where the kernel found a UART; the others
// are named as such in the port's line.
void TestPortChoice::builtInPorts()
{
    QFETCH(bool, driver);
    QFETCH(int, type);
    QFETCH(bool, listed);
    m_devices->node(QStringLiteral("ttyS1"));
    m_devices->builtIn(QStringLiteral("ttyS1"), driver, type);

    QCOMPARE(serialdevices::list().size(), listed ? 1 : 0);
    QCOMPARE(serialdevices::portStatusText(QStringLiteral("COM2")),
             listed ? QStringLiteral("COM2 stands for /dev/ttyS1: present (ttyS1, built-in serial port)")
                    : QStringLiteral("COM2 stands for /dev/ttyS1: no serial port hardware behind it"));
}

// The devices are FIFOs here: opening one would block, and the watch sees
// every open and read in the device folder.
void TestPortChoice::listingNeverOpensDevices()
{
    m_devices->node(QStringLiteral("ttyUSB0"));
    m_devices->byId(FtdiId, QStringLiteral("ttyUSB0"));
    m_devices->node(QStringLiteral("ttyACM0"));
    m_devices->node(QStringLiteral("ttyS0"));
    m_devices->builtIn(QStringLiteral("ttyS0"), true, 4);
    portnames::assign(QStringLiteral("COM2"), m_devices->dev(QStringLiteral("ttyACM0")));
    OpenWatch watch(m_devices->root() + QStringLiteral("/dev"));
    QVERIFY(watch.isValid());

    form();
    QCOMPARE(listRows().size(), 3);
    for (const QString &port : {"COM1", "COM2", "COM3"})
        child<QComboBox>("CBPort")->setCurrentText(port);
    QTest::mouseClick(child<QPushButton>("RefreshButton"), Qt::LeftButton);
    waitForDevices();
    QCOMPARE(watch.opened(), QStringList());
}

// What the kernel says about a device is read only from small regular files:
// a FIFO, a folder or a huge file there is left alone, and the listing ends.
void TestPortChoice::listingReadsOnlySmallFiles()
{
    m_devices->node(QStringLiteral("ttyS0"));
    m_devices->builtIn(QStringLiteral("ttyS0"), true, -1);
    QCOMPARE(::mkfifo(QFile::encodeName(m_devices->root() + "/sys/class/tty/ttyS0/type").constData(), 0644), 0);
    m_devices->node(QStringLiteral("ttyS1"));
    m_devices->builtIn(QStringLiteral("ttyS1"), true, -1);
    writeFile(m_devices->root() + "/sys/class/tty/ttyS1/type", "4" + QByteArray(8192, ' '));
    m_devices->node(QStringLiteral("ttyUSB0"));
    m_devices->usb(QStringLiteral("ttyUSB0"), QStringLiteral("FTDI"), QStringLiteral("unused"));
    const QString product = m_devices->root() + "/sys/devices/usb1/1-1/product";
    QVERIFY(QFile::remove(product));
    QCOMPARE(::mkfifo(QFile::encodeName(product).constData(), 0644), 0);

    QCOMPARE(listRows(), QStringList{"|/dev/ttyUSB0|"});
    QCOMPARE(child<QLabel>("DeviceLabel")->text(), QStringLiteral("COM1 stands for /dev/ttyS0: no serial port hardware behind it"));
}

void TestPortChoice::portStatus()
{
    m_devices->node(QStringLiteral("ttyUSB0"));
    portnames::assign(QStringLiteral("COM5"), m_devices->dev(QStringLiteral("ttyUSB0")));
    portnames::assign(QStringLiteral("COM6"), m_devices->dev(QStringLiteral("ttyUSB3")));
    QCOMPARE(serialdevices::portStatusText(QStringLiteral("COM5")),
             QStringLiteral("COM5 stands for /dev/ttyUSB0: present (ttyUSB0)"));
    QCOMPARE(serialdevices::portStatusText(QStringLiteral("COM6")),
             QStringLiteral("COM6 stands for /dev/ttyUSB3: not present"));
    // Without a link, COMn is the built-in port n - 1.
    QCOMPARE(serialdevices::portStatusText(QStringLiteral("COM8")),
             QStringLiteral("COM8 stands for /dev/ttyS7: not present"));

    // Every port name tells its device in its item's tooltip.
    auto *ports = child<QComboBox>("CBPort");
    QCOMPARE(ports->itemData(4, Qt::ToolTipRole).toString(),
             QStringLiteral("COM5 stands for /dev/ttyUSB0: present (ttyUSB0)"));
    QCOMPARE(ports->itemData(5, Qt::ToolTipRole).toString(),
             QStringLiteral("COM6 stands for /dev/ttyUSB3: not present"));
}

// The adapter is a pseudo-terminal of the simulator behind its udev names.
// Giving it the name COM3 writes the link, and the next reception on COM3
// reaches the simulator.
void TestPortChoice::nameGivenToDeviceIsUsedByReception()
{
    const QByteArray record = sample::makeRecord(sample::variant(2));
    const QString recordFile = m_config->filePath(QStringLiteral("sent.bin"));
    writeFile(recordFile, record);
    SimProcess sim(QString(), {QStringLiteral("--record"), recordFile});
    QVERIFY2(sim.isReady() && !sim.devicePath().isEmpty(), qPrintable(sim.output()));
    m_devices->node(QStringLiteral("ttyUSB0"), sim.devicePath());
    m_devices->byId(FtdiId, QStringLiteral("ttyUSB0"));
    const QString stableName = QStringLiteral("/dev/serial/by-id/") + FtdiId;

    child<QComboBox>("CBPort")->setCurrentText(QStringLiteral("COM3"));
    QCOMPARE(child<QLabel>("DeviceLabel")->text(), QStringLiteral("COM3 stands for /dev/ttyS2: not present"));
    auto *assign = child<QPushButton>("AssignButton");
    QVERIFY(!assign->isEnabled());  // nothing chosen yet
    selectDevice(stableName);
    QCOMPARE(assign->text(), QStringLiteral("&Use as COM3"));
    QTest::mouseClick(assign, Qt::LeftButton);
    waitForDevices();

    const QString link = portnames::linkPath(QStringLiteral("COM3"));
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(QFileInfo(link).symLinkTarget(), m_devices->root() + stableName);
    QCOMPARE(QDir(portnames::portsFolder()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden
                                                      | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("COM3")});  // no temporary left
    QCOMPARE(child<QLabel>("DeviceLabel")->text(), QStringLiteral("COM3 stands for ") + stableName
                                                        + QStringLiteral(": present (ttyUSB0)"));
    QCOMPARE(listRows().value(0), QStringLiteral("COM3|") + stableName + QStringLiteral("|ttyUSB0"));

    ModalDriver driver(&form());
    driver.expect(ModalDriver::saveAs(QStringLiteral("via-com3")));
    QTest::mouseClick(child<QPushButton>("Button1"), Qt::LeftButton);
    QCOMPARE(driver.unexpected(), QStringList());
    const QByteArray saved = readFile(m_start->filePath(QStringLiteral("bin/via-com3.bin")));
    QCOMPARE(saved.left(layout::ReceiveTime), record.left(layout::ReceiveTime));
}

void TestPortChoice::onlyLinksAreReplaced_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("earlier link") << "link";
    QTest::newRow("regular file") << "file";
    QTest::newRow("folder") << "folder";
}

// A link of the port name is replaced; a file or folder of that name is the
// user's own and stays as it is, with a message saying why.
void TestPortChoice::onlyLinksAreReplaced()
{
    QFETCH(QString, kind);
    m_devices->node(QStringLiteral("ttyACM0"));
    const QString link = portnames::linkPath(QStringLiteral("COM5"));
    QDir().mkpath(portnames::portsFolder());
    if (kind == u"link")
        QCOMPARE(::symlink("/dev/ttyUSB9", QFile::encodeName(link).constData()), 0);
    else if (kind == u"file")
        writeFile(link, "my notes");
    else
        QVERIFY(QDir().mkpath(link + QStringLiteral("/inside")));

    child<QComboBox>("CBPort")->setCurrentText(QStringLiteral("COM5"));
    selectDevice(QStringLiteral("/dev/ttyACM0"));
    ModalDriver driver(&form());
    driver.expect(ModalDriver::press(QMessageBox::Ok));
    QTest::mouseClick(child<QPushButton>("AssignButton"), Qt::LeftButton);
    QTRY_COMPARE(driver.pending(), kind == u"link" ? 1 : 0);

    if (kind == u"link") {
        QCOMPARE(driver.seen(), QStringList());
        QCOMPARE(QFileInfo(link).symLinkTarget(), m_devices->dev(QStringLiteral("ttyACM0")));
        return;
    }
    QCOMPARE(driver.seen(),
             QStringList{QStringLiteral("message: %1 is not a link: the program replaces only the links it makes. "
                                        "Move it elsewhere, then give the name COM5 again.")
                             .arg(link)});
    QVERIFY(!QFileInfo(link).isSymLink());
    if (kind == u"file")
        QCOMPARE(readFile(link), QByteArray("my notes"));
    else
        QVERIFY(QFileInfo::exists(link + QStringLiteral("/inside")));
}

// The port and rate of the last reception are chosen again by a dialog made
// anew, as at the next start of the program; a setting that names no item
// leaves the defaults.
void TestPortChoice::portAndRateRemembered()
{
    QCOMPARE(child<QComboBox>("CBPort")->currentText(), QStringLiteral("COM1"));
    QCOMPARE(child<QComboBox>("CBBaud")->currentText(), QStringLiteral("19200"));
    child<QComboBox>("CBPort")->setCurrentText(QStringLiteral("COM6"));
    child<QComboBox>("CBBaud")->setCurrentText(QStringLiteral("115200"));
    ModalDriver driver(&form());
    driver.expect(ModalDriver::press(QMessageBox::Ok));  // COM6 has no device here
    QTest::mouseClick(child<QPushButton>("Button1"), Qt::LeftButton);
    QCOMPARE(driver.seen().size(), 1);
    QVERIFY(QFileInfo(m_config->filePath(QStringLiteral("sart-tester/sart-tester.conf"))).isFile());

    m_form.reset();
    QCOMPARE(child<QComboBox>("CBPort")->currentText(), QStringLiteral("COM6"));
    QCOMPARE(child<QComboBox>("CBBaud")->currentText(), QStringLiteral("115200"));
    QCOMPARE(child<QLabel>("DeviceLabel")->text(), QStringLiteral("COM6 stands for /dev/ttyS5: not present"));

    receivesettings::save({QStringLiteral("COM9"), QStringLiteral("12345")});
    m_form.reset();
    QCOMPARE(child<QComboBox>("CBPort")->currentText(), QStringLiteral("COM1"));
    QCOMPARE(child<QComboBox>("CBBaud")->currentText(), QStringLiteral("19200"));
}

// Tab and Alt+D reach the device list, Tab its buttons; Enter on a device
// gives it the chosen port name, but only when the engineer brought the
// focus to the list; Escape closes the dialog.
void TestPortChoice::keyboardAndEscape()
{
    m_devices->node(QStringLiteral("ttyACM0"));
    m_devices->node(QStringLiteral("ttyUSB0"));
    QSignalSpy closed(&form(), &TForm2::formClosed);
    QVERIFY(QTest::qWaitForWindowActive(&form()));
    auto *ports = child<QComboBox>("CBPort");
    ports->setFocus();
    QTest::keyClick(ports, Qt::Key_Down);  // COM2
    QCOMPARE(ports->currentText(), QStringLiteral("COM2"));

    QTest::keyClick(ports, Qt::Key_D, Qt::AltModifier);  // "Serial &devices"
    QCOMPARE(QApplication::focusWidget(), child<QTreeWidget>("DeviceList"));
    ports->setFocus();

    QStringList chain;
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        chain.append(QApplication::focusWidget()->objectName());
    }
    QCOMPARE(chain, (QStringList{"BitBtn1", "Button1", "DeviceList", "AssignButton", "RefreshButton", "CBBaud"}));

    // The focus put on the list by the program, not by the engineer: a
    // stray Enter gives no device a port name.
    auto *list = child<QTreeWidget>("DeviceList");
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    QVERIFY(!QFileInfo(portnames::linkPath(QStringLiteral("COM2"))).isSymLink());
    QVERIFY(form().isVisible());

    QTest::keyClick(ports, Qt::Key_D, Qt::AltModifier);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->currentItem()->text(1), QStringLiteral("/dev/ttyUSB0"));
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(QFileInfo(portnames::linkPath(QStringLiteral("COM2"))).symLinkTarget(),
             m_devices->dev(QStringLiteral("ttyUSB0")));
    waitForDevices();

    QTest::keyClick(list, Qt::Key_Escape);
    QVERIFY(!form().isVisible());
    QCOMPARE(closed.count(), 1);
}

// Giving a port name to another device asks first when the name stands for
// a device that is there; the default answer keeps it.
void TestPortChoice::repointingAPresentDeviceAsks()
{
    m_devices->node(QStringLiteral("ttyACM0"));
    m_devices->node(QStringLiteral("ttyUSB0"));
    portnames::assign(QStringLiteral("COM3"), m_devices->dev(QStringLiteral("ttyACM0")));
    const QString link = portnames::linkPath(QStringLiteral("COM3"));
    child<QComboBox>("CBPort")->setCurrentText(QStringLiteral("COM3"));
    selectDevice(QStringLiteral("/dev/ttyUSB0"));

    for (const QMessageBox::StandardButton answer : {QMessageBox::No, QMessageBox::Yes}) {
        QString defaultButton;
        ModalDriver driver(&form());
        driver.expect([&](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            QVERIFY(box && box->objectName() == QLatin1String("RepointQuestion"));
            defaultButton = box->defaultButton()->text().remove(u'&');
            box->button(answer)->click();
        });
        QTest::mouseClick(child<QPushButton>("AssignButton"), Qt::LeftButton);
        waitForDevices();
        QCOMPARE(driver.seen(), QStringList{"message: COM3 stands for /dev/ttyACM0, which is there.\n"
                                            "Do you want COM3 to stand for /dev/ttyUSB0 instead?"});
        QCOMPARE(defaultButton, QStringLiteral("No"));
        QCOMPARE(QFileInfo(link).symLinkTarget(),
                 m_devices->dev(answer == QMessageBox::Yes ? QStringLiteral("ttyUSB0") : QStringLiteral("ttyACM0")));
    }
}

// While a reception runs, the devices cannot be changed and the focus stays
// on Close; a stray Enter, on Close or on the device list, neither re-points
// a port name nor ends the reception. The focus comes back to "Data import".
void TestPortChoice::enterDuringReception()
{
    m_devices->node(QStringLiteral("ttyS0"));
    m_devices->builtIn(QStringLiteral("ttyS0"), true, 4);
    SimProcess sim(QStringLiteral("COM3"), {QStringLiteral("--rate"), QStringLiteral("19200")});
    QVERIFY2(sim.isReady(), qPrintable(sim.output()));
    const QString simLink = QFileInfo(portnames::linkPath(QStringLiteral("COM3"))).symLinkTarget();
    QVERIFY(QTest::qWaitForWindowActive(&form()));
    auto *ports = child<QComboBox>("CBPort");
    ports->setCurrentText(QStringLiteral("COM3"));
    auto *list = child<QTreeWidget>("DeviceList");
    list->setFocus(Qt::TabFocusReason);  // as the engineer left it
    list->setCurrentItem(list->topLevelItem(0));  // COM1, /dev/ttyS0
    auto *import = child<QPushButton>("Button1");
    import->setFocus(Qt::TabFocusReason);

    QString focusDuring;
    bool devicesEnabled = true;
    ModalDriver driver(&form());
    driver.onTick([&] {
        if (!focusDuring.isEmpty() || child<QProgressBar>("Gauge1")->value() < 200)
            return;
        focusDuring = QApplication::focusWidget()->objectName();
        devicesEnabled = child<QGroupBox>("DevicesBox")->isEnabled();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClick(list, Qt::Key_Return);
    });
    driver.expect(ModalDriver::saveAs(QStringLiteral("during-enter")));
    QTest::keyClick(import, Qt::Key_Space);

    QCOMPARE(driver.unexpected(), QStringList());
    QCOMPARE(focusDuring, QStringLiteral("BitBtn1"));
    QVERIFY(!devicesEnabled);
    QCOMPARE(readFile(m_start->filePath(QStringLiteral("bin/during-enter.bin"))).size(), layout::RecordSize);
    QCOMPARE(QFileInfo(portnames::linkPath(QStringLiteral("COM3"))).symLinkTarget(), simLink);
    QVERIFY(!QFileInfo(portnames::linkPath(QStringLiteral("COM1"))).isSymLink());
    QVERIFY(child<QGroupBox>("DevicesBox")->isEnabled());
    QCOMPARE(form().focusWidget(), import);
}

QTEST_MAIN(TestPortChoice)
#include "tst_portchoice.moc"
