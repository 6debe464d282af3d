// The translation between the component's line-settings record and termios.

#include "LineSettings.h"

#include <QTest>

#include <cerrno>
#include <cstring>

Q_DECLARE_METATYPE(LineSettings)

using namespace linebits;

namespace {

// A line as a fresh serial device has it: line editing, echo, CR mapping.
termios cookedLine()
{
    termios t {};
    t.c_iflag = ICRNL | IXON | BRKINT | IMAXBEL;
    t.c_oflag = OPOST | ONLCR;
    t.c_cflag = CS8 | CREAD | HUPCL | B9600;
    t.c_lflag = ICANON | ECHO | ECHOE | ECHOK | ISIG | IEXTEN;
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    t.c_cc[VSTART] = 17;
    t.c_cc[VSTOP] = 19;
    return t;
}

LineSettings settings(quint8 byteSize, quint8 parity, quint8 stopBits, quint32 flags = LineSettings().Flags)
{
    LineSettings s;
    s.BaudRate = 19200;
    s.ByteSize = byteSize;
    s.Parity = parity;
    s.StopBits = stopBits;
    s.Flags = flags;
    return s;
}

} // namespace

class TestLineSettings : public QObject
{
    Q_OBJECT
private slots:
    void characterFormat_data();
    void characterFormat();
    void flagBits_data();
    void flagBits();
    void refusedSettings_data();
    void refusedSettings();
    void lineBecomesRawWithOnlyTheSettingsOnTop();
    void rateCodes();
};

// Each format is written with the expected termios bits and read back.
void TestLineSettings::characterFormat_data()
{
    QTest::addColumn<int>("byteSize");
    QTest::addColumn<int>("parity");
    QTest::addColumn<int>("stopBits");
    QTest::addColumn<uint>("cflagBits");  // CSIZE, parity and stop bits expected

    QTest::newRow("8N1") << 8 << int(NoParity) << int(OneStopBit) << uint(CS8);
    QTest::newRow("7E1") << 7 << int(EvenParity) << int(OneStopBit) << uint(CS7 | PARENB);
    QTest::newRow("7O2") << 7 << int(OddParity) << int(TwoStopBits) << uint(CS7 | PARENB | PARODD | CSTOPB);
    QTest::newRow("8 mark 1") << 8 << int(MarkParity) << int(OneStopBit) << uint(CS8 | PARENB | PARODD | CMSPAR);
    QTest::newRow("6 space 2") << 6 << int(SpaceParity) << int(TwoStopBits) << uint(CS6 | PARENB | CMSPAR | CSTOPB);
    QTest::newRow("5N1.5") << 5 << int(NoParity) << int(OneAndHalfStopBits) << uint(CS5 | CSTOPB);
}

void TestLineSettings::characterFormat()
{
    QFETCH(int, byteSize);
    QFETCH(int, parity);
    QFETCH(int, stopBits);
    QFETCH(uint, cflagBits);

    termios t = cookedLine();
    QCOMPARE(linesettings::toTermios(settings(quint8(byteSize), quint8(parity), quint8(stopBits)), t), 0);
    QCOMPARE(uint(t.c_cflag & (CSIZE | PARENB | PARODD | CMSPAR | CSTOPB)), cflagBits);

    const LineSettings back = linesettings::fromTermios(t, 19200);
    QCOMPARE(int(back.ByteSize), byteSize);
    QCOMPARE(int(back.Parity), parity);
    QCOMPARE(int(back.StopBits), stopBits);
    QCOMPARE(back.BaudRate, 19200u);
}

void TestLineSettings::flagBits_data()
{
    QTest::addColumn<uint>("flags");
    QTest::addColumn<uint>("iflagBits");  // INPCK, IXON, IXOFF, IGNPAR expected
    QTest::addColumn<bool>("handshake");  // CRTSCTS expected

    const quint32 base = fBinary | DtrControlEnable | RtsControlEnable;
    QTest::newRow("plain") << uint(base) << uint(IGNPAR) << false;
    QTest::newRow("error char") << uint(base | fErrorChar) << 0u << false;
    QTest::newRow("XON/XOFF receive") << uint(base | fInX | fErrorChar) << uint(IXOFF) << false;
    QTest::newRow("XON/XOFF send") << uint(base | fOutX) << uint(IXON | IGNPAR) << false;
    QTest::newRow("parity check") << uint(base | fParity) << uint(INPCK | IGNPAR) << false;
    QTest::newRow("RTS/CTS") << uint(fBinary | DtrControlEnable | RtsControlHandshake | fOutxCtsFlow)
                             << uint(IGNPAR) << true;
}

void TestLineSettings::flagBits()
{
    QFETCH(uint, flags);
    QFETCH(uint, iflagBits);
    QFETCH(bool, handshake);

    termios t = cookedLine();
    QCOMPARE(linesettings::toTermios(settings(8, NoParity, OneStopBit, flags), t), 0);
    QCOMPARE(uint(t.c_iflag & (INPCK | IXON | IXOFF | IGNPAR | PARMRK)), iflagBits);
    QCOMPARE(bool(t.c_cflag & CRTSCTS), handshake);
    QCOMPARE(linesettings::fromTermios(t, 19200).Flags, quint32(flags));
}

void TestLineSettings::refusedSettings_data()
{
    QTest::addColumn<LineSettings>("s");
    QTest::newRow("4 data bits") << settings(4, NoParity, OneStopBit);
    QTest::newRow("9 data bits") << settings(9, NoParity, OneStopBit);
    QTest::newRow("parity code 5") << settings(8, 5, OneStopBit);
    QTest::newRow("stop-bit code 3") << settings(8, NoParity, 3);
    QTest::newRow("1.5 stop bits with 8 data bits") << settings(8, NoParity, OneAndHalfStopBits);
    QTest::newRow("2 stop bits with 5 data bits") << settings(5, NoParity, TwoStopBits);
    QTest::newRow("not binary") << settings(8, NoParity, OneStopBit, DtrControlEnable);
    LineSettings noRate = settings(8, NoParity, OneStopBit);
    noRate.BaudRate = 0;
    QTest::newRow("rate 0") << noRate;
}

void TestLineSettings::refusedSettings()
{
    QFETCH(LineSettings, s);
    termios t = cookedLine();
    const termios before = t;
    QCOMPARE(linesettings::toTermios(s, t), EINVAL);
    QVERIFY(std::memcmp(&t, &before, sizeof t) == 0);
}

// A fresh device edits lines, echoes and takes 0x11/0x13 as flow control;
// the record always means a raw line with only its own requests on top, so
// nothing the device had before survives (reads wait for one byte again).
void TestLineSettings::lineBecomesRawWithOnlyTheSettingsOnTop()
{
    termios t = cookedLine();
    t.c_iflag |= IXANY | IXOFF | INLCR;
    t.c_oflag |= OCRNL;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 7;
    LineSettings s = settings(8, NoParity, OneStopBit);
    s.XonChar = 0x11 + 1;
    s.XoffChar = 0x13 + 1;
    QCOMPARE(linesettings::toTermios(s, t), 0);

    QCOMPARE(t.c_lflag & (ICANON | ECHO | ECHOE | ECHOK | ISIG | IEXTEN), tcflag_t(0));
    QCOMPARE(t.c_oflag, tcflag_t(0));
    QCOMPARE(t.c_iflag & (ICRNL | INLCR | BRKINT | IMAXBEL | IXON | IXOFF | IXANY), tcflag_t(0));
    QVERIFY(t.c_cflag & CLOCAL);
    QVERIFY(t.c_cflag & CREAD);
    QVERIFY(t.c_cflag & HUPCL);
    QCOMPARE(int(t.c_cc[VMIN]), 1);
    QCOMPARE(int(t.c_cc[VTIME]), 0);
    QCOMPARE(int(t.c_cc[VSTART]), 0x12);
    QCOMPARE(int(t.c_cc[VSTOP]), 0x14);
    QCOMPARE(cfgetospeed(&t), speed_t(B19200));
    QCOMPARE(cfgetispeed(&t), speed_t(B19200));
}

void TestLineSettings::rateCodes()
{
    QCOMPARE(linesettings::speedCode(110), speed_t(B110));
    QCOMPARE(linesettings::speedCode(115200), speed_t(B115200));
    for (quint32 rate : {14400u, 56000u, 128000u, 256000u})
        QCOMPARE(linesettings::speedCode(rate), speed_t(B0));
    QCOMPARE(linesettings::rateOfSpeedCode(B57600), 57600u);
    QCOMPARE(linesettings::rateOfSpeedCode(B0), 0u);
}

QTEST_APPLESS_MAIN(TestLineSettings)
#include "tst_linesettings.moc"
