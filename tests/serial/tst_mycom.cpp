// The serial port component on real pseudo-terminals.

#include "MyCom.h"
#include "PortNames.h"
#include "PtyPort.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <pty.h>
#include <termios.h>
#include <grp.h>
#include <pwd.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Raised
{
    QObject *sender = nullptr;
    qint32 code = 0;
};

} // namespace

class TestMyCom : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void defaults();
    void connectAppliesLineSettings_data();
    void connectAppliesLineSettings();
    void connectRefusesImpossibleFormats_data();
    void connectRefusesImpossibleFormats();
    void flowControl_data();
    void flowControl();
    void secondConnectClosesFirstHandle();
    void portIsClaimed();
    void transfers();
    void everyByteValuePassesOnADefaultLine();
    void errorRules();
    void statusQueryKeepsStoredError();
    void hangUpIsALineFault();
    void missingDeviceIsStoredNotThrown();
    void rateOutsideTheTypeIsRefused();
    void operationsBeforeConnect();
    void eventMask();
    void escapeFunctions();
    void portNames();
    void openFailureTexts_data();
    void openFailureTexts();
    void linkToARegularFileIsNeverOpened_data();
    void linkToARegularFileIsNeverOpened();

private:
    QTemporaryDir m_config;
};

void TestMyCom::initTestCase()
{
    QVERIFY(m_config.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
}

void TestMyCom::defaults()
{
    TComm comm;
    QCOMPARE(comm.Port(), tPort::COM1);
    QCOMPARE(comm.Baud(), TBaud::b9600);
    QCOMPARE(comm.DataBits(), tDataBit(8));
    QCOMPARE(comm.Parity(), tParitet::Zero);
    QCOMPARE(comm.StopBits(), tStopBits::s10);
    QCOMPARE(comm.FlowControl(), tFlowControl::Hardware);
    QCOMPARE(comm.XON(), char(17));
    QCOMPARE(comm.XOFF(), char(19));
    QVERIFY(!comm.OnComError());
    QCOMPARE(comm.GetError(), 0);
    QCOMPARE(baudRate(TBaud::b110), 110u);
    QCOMPARE(baudRate(TBaud::b256000), 256000u);
    QCOMPARE(portName(tPort::COM8), QByteArray("COM8"));
}

void TestMyCom::connectAppliesLineSettings_data()
{
    QTest::addColumn<int>("port");
    QTest::addColumn<int>("baud");
    QTest::addColumn<int>("dataBits");
    QTest::addColumn<int>("parity");
    QTest::addColumn<int>("stopBits");
    QTest::addColumn<uint>("rate");
    QTest::addColumn<uint>("cflagBits");

    QTest::newRow("COM3 19200 8N1") << int(tPort::COM3) << int(TBaud::b19200) << 8 << int(tParitet::Zero)
                                    << int(tStopBits::s10) << 19200u << uint(CS8);
    QTest::newRow("COM1 14400 7E1") << int(tPort::COM1) << int(TBaud::b14400) << 7 << int(tParitet::Even)
                                    << int(tStopBits::s10) << 14400u << uint(CS7 | PARENB);
    QTest::newRow("COM8 256000 8O2") << int(tPort::COM8) << int(TBaud::b256000) << 8 << int(tParitet::Odd)
                                     << int(tStopBits::s20) << 256000u << uint(CS8 | PARENB | PARODD | CSTOPB);
    QTest::newRow("COM2 56000 6 mark 2") << int(tPort::COM2) << int(TBaud::b56000) << 6 << int(tParitet::Binary0)
                                         << int(tStopBits::s20) << 56000u
                                         << uint(CS6 | PARENB | PARODD | CMSPAR | CSTOPB);
    QTest::newRow("COM4 128000 5 space 1.5") << int(tPort::COM4) << int(TBaud::b128000) << 5
                                             << int(tParitet::Binary1) << int(tStopBits::s15) << 128000u
                                             << uint(CS5 | PARENB | CMSPAR | CSTOPB);
    QTest::newRow("COM5 110 8N1") << int(tPort::COM5) << int(TBaud::b110) << 8 << int(tParitet::Zero)
                                  << int(tStopBits::s10) << 110u << uint(CS8);
}

void TestMyCom::connectAppliesLineSettings()
{
    QFETCH(int, port);
    QFETCH(int, baud);
    QFETCH(int, dataBits);
    QFETCH(int, parity);
    QFETCH(int, stopBits);
    QFETCH(uint, rate);
    QFETCH(uint, cflagBits);

    PtyPort pty(QString::fromLatin1(portName(tPort(port))));
    TComm comm;
    comm.SetPort(tPort(port));
    comm.SetBaud(TBaud(baud));
    comm.SetDataBits(tDataBit(dataBits));
    comm.SetParity(tParitet(parity));
    comm.SetStopBits(tStopBits(stopBits));
    comm.Connect();
    QCOMPARE(comm.GetError(), 0);

    // A pseudo-terminal always carries 8 bits without parity (the kernel
    // forces CS8 and clears PARENB); the other bits and the rate are kept.
    const quint32 kept = PARODD | CMSPAR | CSTOPB;
    const LineReadback line = readLine(pty.slave());
    QCOMPARE(line.rate, quint32(rate));
    QCOMPARE(line.cflag & kept, quint32(cflagBits) & kept);
}

// The data bits reach the device: it refuses the combinations a line cannot
// carry, and the component stores the refusal.
void TestMyCom::connectRefusesImpossibleFormats_data()
{
    QTest::addColumn<int>("dataBits");
    QTest::addColumn<int>("stopBits");
    QTest::addColumn<int>("error");
    QTest::newRow("5 data bits, 1.5 stop bits") << 5 << int(tStopBits::s15) << 0;
    QTest::newRow("8 data bits, 1.5 stop bits") << 8 << int(tStopBits::s15) << EINVAL;
    QTest::newRow("5 data bits, 2 stop bits") << 5 << int(tStopBits::s20) << EINVAL;
    QTest::newRow("6 data bits, 2 stop bits") << 6 << int(tStopBits::s20) << 0;
    QTest::newRow("4 data bits") << 4 << int(tStopBits::s10) << EINVAL;
}

void TestMyCom::connectRefusesImpossibleFormats()
{
    QFETCH(int, dataBits);
    QFETCH(int, stopBits);
    QFETCH(int, error);

    PtyPort pty(QStringLiteral("COM1"));
    TComm comm;
    comm.SetDataBits(tDataBit(dataBits));
    comm.SetStopBits(tStopBits(stopBits));
    comm.Connect();
    QCOMPARE(comm.GetError(), error);
}

// Only fInX and fErrorChar follow the setting. The line starts raw whatever
// the device had, so XON/XOFF of sending (IXON, which would also take 0x11
// and 0x13 out of the received data) is never switched on by the device's
// earlier state, and the flags read back say so.
void TestMyCom::flowControl_data()
{
    QTest::addColumn<int>("flowControl");
    QTest::addColumn<bool>("deviceHadIxon");
    QTest::addColumn<QByteArray>("flagsText");

    QTest::newRow("Hardware") << int(tFlowControl::Hardware) << false << QByteArray("0001000000010001");
    QTest::newRow("Hardware, device had IXON") << int(tFlowControl::Hardware) << true << QByteArray("0001000000010001");
    QTest::newRow("XON_XOFF") << int(tFlowControl::XON_XOFF) << false << QByteArray("0001011000010001");
    QTest::newRow("XON_XOFF, device had IXON") << int(tFlowControl::XON_XOFF) << true << QByteArray("0001011000010001");
}

void TestMyCom::flowControl()
{
    QFETCH(int, flowControl);
    QFETCH(bool, deviceHadIxon);
    QFETCH(QByteArray, flagsText);

    PtyPort pty(QStringLiteral("COM1"));
    termios t {};
    ::tcgetattr(pty.slave(), &t);
    t.c_iflag = deviceHadIxon ? IXON : 0;
    ::tcsetattr(pty.slave(), TCSANOW, &t);

    TComm comm;
    comm.SetFlowControl(tFlowControl(flowControl));
    comm.SetXON(0x21);
    comm.SetXOFF(0x22);
    comm.Connect();
    QCOMPARE(comm.GetError(), 0);

    const LineReadback line = readLine(pty.slave());
    const bool xonXoff = flowControl == int(tFlowControl::XON_XOFF);
    QCOMPARE(bool(line.iflag & IXOFF), xonXoff);
    QCOMPARE(bool(line.iflag & IGNPAR), !xonXoff);  // without fErrorChar bad bytes are dropped
    QCOMPARE(bool(line.iflag & IXON), false);
    QCOMPARE(bool(line.cflag & CRTSCTS), false);
    if (xonXoff) {
        QCOMPARE(int(line.startChar), 0x21);
        QCOMPARE(int(line.stopChar), 0x22);
    }
    // Character 16 - b shows bit b: bit 0 binary, 4 DTR on, 8 fOutX, 9 fInX,
    // 10 fErrorChar, 12 RTS on.
    QCOMPARE(comm.GetFlags(), flagsText);
}

void TestMyCom::secondConnectClosesFirstHandle()
{
    PtyPort pty(QStringLiteral("COM2"));
    TComm comm;
    comm.SetPort(tPort::COM2);
    comm.Connect();
    QCOMPARE(pty.openCount(), 2);  // the test's own descriptor and the component's
    comm.Connect();
    QCOMPARE(comm.GetError(), 0);
    QCOMPARE(pty.openCount(), 2);

    comm.SendByte(0x9B);
    QCOMPARE(pty.readSent(), QByteArray("\x9B"));
}

// The port is claimed: a second component cannot open it while the first has it.
void TestMyCom::portIsClaimed()
{
    PtyPort pty(QStringLiteral("COM3"));
    TComm first;
    first.SetPort(tPort::COM3);
    first.Connect();
    QCOMPARE(first.GetError(), 0);

    TComm second;
    second.SetPort(tPort::COM3);
    second.Connect();
    QCOMPARE(second.GetError(), EBUSY);

    first.SetPort(tPort::COM4);  // releases COM3 at the next Connect
    first.Connect();
    second.Connect();
    QCOMPARE(second.GetError(), 0);
}

void TestMyCom::transfers()
{
    PtyPort pty(QStringLiteral("COM1"));
    TComm comm;
    comm.Connect();
    QCOMPARE(comm.GetError(), 0);

    comm.SendByte(0xA5);
    QCOMPARE(pty.readSent(), QByteArray("\xA5"));
    comm.SendString(QByteArray("\x00\x9B\xFFz", 4));
    QCOMPARE(pty.readSent(), QByteArray("\x00\x9B\xFFz", 4));
    comm.SendString(QByteArray());  // a write of length 0: nothing arrives, no error
    QCOMPARE(comm.GetError(), 0);
    QCOMPARE(pty.readSent(100), QByteArray());

    QVERIFY(!comm.WaitIn(20));
    QCOMPARE(comm.GetIn(), 0);
    pty.sendToProgram(QByteArray("\x01\x02\x03\x04", 4));
    QVERIFY(comm.WaitIn(1000));
    QTRY_COMPARE(comm.InQue(), 4);
    QCOMPARE(comm.GetByte(), quint8(1));
    QCOMPARE(comm.GetIn(), 3);
    QCOMPARE(comm.GetString(2), QByteArray("\x02\x03"));
    QCOMPARE(comm.GetString(255), QByteArray("\x04"));
    QCOMPARE(comm.GetOut(), 0);

    // Beyond 255 bytes: a long string goes out whole; a read takes at most 255.
    const QByteArray longText(300, 'L');
    comm.SendString(longText);
    QByteArray sent;
    while (sent.size() < longText.size()) {
        const QByteArray part = pty.readSent();
        QVERIFY(!part.isEmpty());
        sent += part;
    }
    QCOMPARE(sent, longText);
    pty.sendToProgram(longText);
    QTRY_COMPARE(comm.GetIn(), 300);
    QCOMPARE(comm.GetString(1 << 30).size(), 255);
    QCOMPARE(comm.GetIn(), 45);

    comm.GetString(45);
    pty.sendToProgram("stale");
    QTRY_COMPARE(comm.GetIn(), 5);
    comm.PurgeIn();
    QCOMPARE(comm.GetIn(), 0);
    QCOMPARE(comm.GetError(), 0);
}

// The pseudo-terminal comes at the system's default settings (flow control,
// CR to LF, canonical input, echo, signals, output processing), as a freshly
// plugged adapter does: after Connect every byte value passes unchanged in
// both directions, and nothing comes back as echo.
void TestMyCom::everyByteValuePassesOnADefaultLine()
{
    PtyPort pty(QStringLiteral("COM1"));
    termios before {};
    ::tcgetattr(pty.slave(), &before);
    QVERIFY(before.c_iflag & IXON);
    QVERIFY(before.c_lflag & ICANON);

    TComm comm;
    comm.SetBaud(TBaud::b19200);
    comm.Connect();
    QCOMPARE(comm.GetError(), 0);

    termios t {};
    ::tcgetattr(pty.slave(), &t);
    QCOMPARE(t.c_iflag & (IXON | IXOFF | IXANY | ICRNL | INLCR | IGNCR | ISTRIP | BRKINT | PARMRK), tcflag_t(0));
    QCOMPARE(t.c_lflag & (ICANON | ECHO | ECHONL | ISIG | IEXTEN), tcflag_t(0));
    QCOMPARE(t.c_oflag & OPOST, tcflag_t(0));
    QCOMPARE(t.c_cflag & CSIZE, tcflag_t(CS8));
    QCOMPARE(comm.GetFlags().at(16 - 9), '0');  // fOutX read back: off

    QByteArray all;
    for (int round = 0; round < 3; ++round)
        for (int b = 0; b < 256; ++b)
            all.append(char(round == 1 ? 255 - b : b));

    pty.sendToProgram(all);
    QByteArray received;
    for (int tries = 0; received.size() < all.size() && tries < 200; ++tries) {
        if (comm.GetIn() == 0 && !comm.WaitIn(50))
            continue;
        received += comm.GetString(255);
    }
    QCOMPARE(received.toHex(), all.toHex());

    for (const char c : all)
        comm.SendByte(quint8(c));
    QByteArray sent;
    for (QByteArray part = pty.readSent(); !part.isEmpty(); part = pty.readSent(200))
        sent += part;
    QCOMPARE(sent.toHex(), all.toHex());
    QCOMPARE(comm.GetError(), 0);
}

void TestMyCom::errorRules()
{
    TComm comm;
    QList<Raised> raised;
    comm.SetOnComError([&](QObject *sender, qint32 code) { raised.append({sender, code}); });

    comm.SetError(0);
    QVERIFY(raised.isEmpty());
    QCOMPARE(comm.GetError(), 0);

    comm.SetError(EIO);
    comm.SetError(0);  // does not clear
    comm.SetError(EPERM);  // replaces
    QCOMPARE(raised.size(), 2);
    QCOMPARE(raised.at(0).sender, &comm);
    QCOMPARE(raised.at(0).code, EIO);
    QCOMPARE(raised.at(1).code, EPERM);
    QCOMPARE(comm.GetError(), EPERM);
    QCOMPARE(comm.GetError(), 0);
}

void TestMyCom::statusQueryKeepsStoredError()
{
    PtyPort pty(QStringLiteral("COM1"));
    TComm comm;
    comm.Connect();
    comm.SetError(EIO);
    pty.sendToProgram("ab");
    QVERIFY(comm.WaitIn(1000));
    QTRY_COMPARE(comm.GetIn(), 2);
    QCOMPARE(comm.GetError(), EIO);
}

// The other end of the line closed (a tester switched off, an adapter pulled
// out): the wait fails although the device announces input, a read gives no
// byte, and the first such fault stays until the next Connect.
void TestMyCom::hangUpIsALineFault()
{
    int master = -1;
    int slave = -1;
    char name[256] = {};
    QCOMPARE(::openpty(&master, &slave, name, nullptr, nullptr), 0);
    ::close(slave);
    linkPort(QStringLiteral("COM7"), QString::fromLocal8Bit(name));
    TComm comm;
    comm.SetPort(tPort::COM7);
    comm.Connect();
    QCOMPARE(comm.GetError(), 0);
    QCOMPARE(::write(master, "x", 1), 1);
    QVERIFY(comm.WaitIn(1000));
    QCOMPARE(comm.LineFault(), 0);

    ::close(master);
    QVERIFY(!comm.WaitIn(1000));
    QCOMPARE(comm.LineFault(), EIO);
    QCOMPARE(comm.GetString(1), QByteArray());
    comm.SendByte(0x9B);
    QCOMPARE(comm.LineFault(), EIO);
    QCOMPARE(comm.GetError(), EIO);

    comm.Connect();  // the device has gone with its master
    QVERIFY(comm.GetError() != 0);
    QCOMPARE(comm.LineFault(), 0);
}

// The open's reason is what stays stored: the caller tells the user why.
void TestMyCom::missingDeviceIsStoredNotThrown()
{
    linkPort(QStringLiteral("COM6"), m_config.filePath(QStringLiteral("no-such-adapter")));
    TComm comm;
    QList<Raised> raised;
    comm.SetOnComError([&](QObject *sender, qint32 code) { raised.append({sender, code}); });
    comm.SetPort(tPort::COM6);
    comm.Connect();
    QCOMPARE(raised.size(), 1);
    QCOMPARE(raised.at(0).code, ENOENT);
    QCOMPARE(comm.GetError(), ENOENT);

    comm.SendByte(0xA5);
    QCOMPARE(comm.GetByte(), quint8(0));
    QCOMPARE(comm.GetError(), EBADF);
    QCOMPARE(comm.GetIn(), 0);
    comm.Connect();  // again: nothing to close, the open fails the same way
    QCOMPARE(comm.GetError(), ENOENT);
}

// A rate value outside the type reaches the device as an invalid setting.
void TestMyCom::rateOutsideTheTypeIsRefused()
{
    PtyPort pty(QStringLiteral("COM1"));
    TComm comm;
    comm.SetBaud(TBaud(200));
    comm.Connect();
    QCOMPARE(comm.GetError(), EINVAL);
    QCOMPARE(baudRate(TBaud(14)), 0u);
}

void TestMyCom::operationsBeforeConnect()
{
    TComm comm;
    QCOMPARE(comm.GetByte(), quint8(0));
    QCOMPARE(comm.GetError(), EBADF);
    QCOMPARE(comm.GetString(10), QByteArray());
    QCOMPARE(comm.GetError(), EBADF);
    QCOMPARE(comm.GetFlags(), QByteArray(16, '0'));
    QCOMPARE(comm.GetError(), EBADF);
    QCOMPARE(comm.GetIn(), 0);  // the status query's own failure is not reported
    QCOMPARE(comm.GetError(), 0);
}

void TestMyCom::eventMask()
{
    PtyPort pty(QStringLiteral("COM1"));
    TComm comm;
    comm.Connect();
    comm.SetEvent(0x0001);

    qint32 mask = -1;
    QVERIFY(!comm.GetEvent(mask));  // a negative value never matches
    QCOMPARE(mask, 0x0001);
    mask = 0x0001;
    QVERIFY(comm.GetEvent(mask));
    mask = 0x0004;
    QVERIFY(!comm.GetEvent(mask));
    QCOMPARE(mask, 0x0001);
    QCOMPARE(comm.GetError(), 0);
}

void TestMyCom::escapeFunctions()
{
    PtyPort pty(QStringLiteral("COM1"));
    TComm comm;
    comm.Connect();
    // A pseudo-terminal has no modem lines: not supported is not an error.
    for (int code : {escapecode::SetDtr, escapecode::ClrDtr, escapecode::SetRts, escapecode::ClrRts,
                     escapecode::SetBreak, escapecode::ClrBreak, escapecode::SetXoff, escapecode::SetXon})
        comm.SetEscCode(code);
    QCOMPARE(comm.GetError(), 0);
    comm.SetEscCode(99);
    QCOMPARE(comm.GetError(), EINVAL);
}

void TestMyCom::portNames()
{
    QCOMPARE(portnames::portsFolder(), m_config.path() + QStringLiteral("/sart-tester/ports"));
    ::unlink(QFile::encodeName(portnames::linkPath(QStringLiteral("COM7"))).constData());
    QCOMPARE(portnames::devicePath(QStringLiteral("COM7")), QStringLiteral("/dev/ttyS6"));
    linkPort(QStringLiteral("COM7"), QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R-if00-port0"));
    QCOMPARE(portnames::devicePath(QStringLiteral("COM7")), QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R-if00-port0"));
    linkPort(QStringLiteral("COM7"), QStringLiteral("../../devices/ttyUSB0"));
    QCOMPARE(portnames::devicePath(QStringLiteral("COM7")), m_config.path() + QStringLiteral("/devices/ttyUSB0"));
    QCOMPARE(portnames::devicePath(QStringLiteral("COM9")), QString());
    QCOMPARE(portnames::devicePath(QStringLiteral("LPT1")), QString());
}

void TestMyCom::openFailureTexts_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("group");  // of the device; empty: the test's own
    QTest::addColumn<QStringList>("parts");
    QTest::addColumn<QString>("absent");
    QTest::newRow("missing") << ENOENT << QString()
                             << QStringList{"Cannot open the port COM2 (", "No such file or directory", "plugged in"}
                             << QString();
    QTest::newRow("busy") << EBUSY << QString()
                          << QStringList{"Device or resource busy", "Another program is using it"} << QString();
    QTest::newRow("refused, serial-device group")
        << EACCES << "dialout"
        << QStringList{"Permission denied", "group \"dialout\"", "sudo usermod -aG dialout $USER", "log in again"}
        << QString();
    QTest::newRow("refused, group root")
        << EACCES << "root"
        << QStringList{"Permission denied", "no group of serial devices", "check that COM2 stands for the right device"}
        << "root";
    QTest::newRow("not a serial device")
        << ENOTTY << QString() << QStringList{"it is a regular file, not a serial device", "Point COM2 at"}
        << "Inappropriate";
}

void TestMyCom::openFailureTexts()
{
    QFETCH(int, code);
    QFETCH(QString, group);
    QFETCH(QStringList, parts);
    QFETCH(QString, absent);
    const QString device = m_config.filePath(QStringLiteral("ttyUSB0"));
    QFile(device).open(QIODevice::WriteOnly);
    if (!group.isEmpty()) {
        const struct group *g = ::getgrnam(group.toLocal8Bit().constData());
        if (!g || ::chown(QFile::encodeName(device).constData(), ::geteuid(), g->gr_gid) != 0)
            QSKIP("the device cannot be given that group here");
    }
    const QString text = portnames::openFailureText(QStringLiteral("COM2"), device, code);
    QVERIFY2(text.contains(device), qPrintable(text));
    for (const QString &part : parts)
        QVERIFY2(text.contains(part), qPrintable(text));
    if (!absent.isEmpty())
        QVERIFY2(!text.mid(text.indexOf(device) + device.size()).contains(absent), qPrintable(text));
}

void TestMyCom::linkToARegularFileIsNeverOpened_data()
{
    QTest::addColumn<bool>("asRoot");
    QTest::newRow("as root") << true;
    QTest::newRow("as an unprivileged user") << false;
}

// A port name linked to a file of the system (as /etc/passwd is: root's,
// readable by all) is refused for what it is, before it is opened: root would
// open it read-write, and an unprivileged user would be told to join the
// file's group, root. The file stays untouched.
void TestMyCom::linkToARegularFileIsNeverOpened()
{
    QFETCH(bool, asRoot);
    if (asRoot && ::geteuid() != 0)
        QSKIP("needs root");
    const struct passwd *nobody = ::getpwnam("nobody");
    if (!asRoot && ::geteuid() == 0 && !nobody)
        QSKIP("no unprivileged user to become");

    QTemporaryDir dir;
    QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0755) == 0);
    const QString file = dir.filePath(QStringLiteral("passwd"));
    const QByteArray bytes("root:x:0:0:root:/root:/bin/bash\n");
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
    out.close();
    QVERIFY(::chmod(QFile::encodeName(file).constData(), 0644) == 0);
    linkPort(QStringLiteral("COM5"), file);
    // The ports folder must be readable by the user the port is opened as.
    for (const QString &folder : {m_config.path(), m_config.filePath("sart-tester"),
                                  m_config.filePath("sart-tester/ports")})
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0755) == 0);
    const QFileInfo before(file);

    const int watch = ::inotify_init1(IN_NONBLOCK);
    QVERIFY(watch >= 0);
    QVERIFY(::inotify_add_watch(watch, QFile::encodeName(file).constData(), IN_OPEN) >= 0);

    // The open is made by a child process, which becomes the unprivileged
    // user first where the test runs as root; it reports the stored error.
    int report[2];
    QCOMPARE(::pipe(report), 0);
    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        ::close(report[0]);
        if (!asRoot && ::geteuid() == 0
            && (::setgroups(0, nullptr) != 0 || ::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0))
            ::_exit(2);
        TComm comm;
        comm.SetPort(tPort::COM5);
        comm.Connect();
        const qint32 code = comm.GetError();
        ::_exit(::write(report[1], &code, sizeof code) == sizeof code ? 0 : 3);
    }
    ::close(report[1]);
    qint32 code = 0;
    const ssize_t got = ::read(report[0], &code, sizeof code);
    ::close(report[0]);
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY2(WIFEXITED(status) && WEXITSTATUS(status) == 0, qPrintable(QString::number(status)));
    QCOMPARE(got, ssize_t(sizeof code));

    QCOMPARE(code, ENOTTY);
    const QString text = portnames::openFailureText(QStringLiteral("COM5"), file, code);
    QVERIFY2(text.contains(file + QStringLiteral("): it is a regular file, not a serial device")), qPrintable(text));
    QVERIFY2(!text.contains(QStringLiteral("usermod")), qPrintable(text));
    alignas(inotify_event) char events[256];
    QCOMPARE(::read(watch, events, sizeof events), ssize_t(-1));  // never opened
    ::close(watch);
    QCOMPARE(QFileInfo(file).lastModified(), before.lastModified());
    QFile in(file);
    QVERIFY(in.open(QIODevice::ReadOnly));
    QCOMPARE(in.readAll(), bytes);
}

QTEST_GUILESS_MAIN(TestMyCom)
#include "tst_mycom.moc"
