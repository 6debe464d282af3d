// The receive dialog against the SART tester simulator on a pseudo-terminal.

#include "ModalDriver.h"
#include "PortNames.h"
#include "PtyPort.h"
#include "Reception.h"
#include "RecordLayout.h"
#include "SampleRecord.h"
#include "SimProcess.h"
#include "TestSupport.h"
#include "Unit2.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>
#include <unistd.h>

using testsupport::readFile;
using testsupport::writeFile;

namespace {

const QString SimPort = QStringLiteral("COM2");

// The record with its reception stamps blanked, to compare with what was sent.
QByteArray withoutStamps(QByteArray record)
{
    record.replace(layout::ReceiveTime, layout::ReceiveTimeWidth, QByteArray(layout::ReceiveTimeWidth, '-'));
    record.replace(layout::ReceiveDate, layout::ReceiveDateWidth, QByteArray(layout::ReceiveDateWidth, '-'));
    return record;
}

} // namespace

class TestReception : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void completeReceptionSavesStampedRecord();
    void everySaveProposesANewName();
    void everyByteValueOnADefaultLine_data();
    void everyByteValueOnADefaultLine();
    void existingFileAsks_data();
    void existingFileAsks();
    void saveCancelled_data();
    void saveCancelled();
    void failedWriteOffersSaveAgain();
    void fullDiskLeavesNoPartialFile();
    void faults_data();
    void faults();
    void lostLine_data();
    void lostLine();
    void testerKilledDuringReception();
    void portThatCannotBeOpened();
    void closeDuringReception();
    void slowTesterIsWaitedFor();
    void deviceLabel();

    void recordExtension_data();
    void recordExtension();
    void stamps();
    void proposedName_data();
    void proposedName();

private:
    QComboBox *combo(const char *name) const { return m_form->findChild<QComboBox *>(QLatin1String(name)); }
    QPushButton *button(const char *name) const { return m_form->findChild<QPushButton *>(QLatin1String(name)); }
    QProgressBar *gauge() const { return m_form->findChild<QProgressBar *>(QStringLiteral("Gauge1")); }
    QString binPath(const QString &name) const { return m_start->filePath(QStringLiteral("bin/") + name); }
    QStringList binFiles() const { return QDir(m_start->filePath(QStringLiteral("bin"))).entryList(QDir::Files | QDir::Hidden); }
    void startReception() { button("Button1")->click(); }

    QTemporaryDir m_config;
    QByteArray m_record;
    QString m_recordFile;
    std::unique_ptr<QTemporaryDir> m_start;
    std::unique_ptr<TForm2> m_form;
    std::unique_ptr<QSignalSpy> m_closed;
};

void TestReception::initTestCase()
{
    QVERIFY(m_config.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
    m_record = sample::makeRecord(sample::variant(3));
    m_recordFile = m_config.filePath(QStringLiteral("sent.bin"));
    writeFile(m_recordFile, m_record);
}

void TestReception::init()
{
    m_start = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir(m_start->path()).mkdir(QStringLiteral("bin")));
    m_form = std::make_unique<TForm2>(m_start->path());
    m_closed = std::make_unique<QSignalSpy>(m_form.get(), &TForm2::formClosed);
    m_form->show();
    combo("CBPort")->setCurrentText(SimPort);
}

void TestReception::cleanup()
{
    m_closed.reset();
    m_form.reset();
    m_start.reset();
}

// Two receptions in a row from the same tester: the port is opened again,
// the first save dialog opens in the archive folder, a name that already ends
// in ".bin" gets no second extension, and the stamps are the computer's.
void TestReception::completeReceptionSavesStampedRecord()
{
    SimProcess sim(SimPort, {QStringLiteral("--record"), m_recordFile});
    QVERIFY2(sim.isReady(), qPrintable(sim.output()));
    ModalDriver driver(m_form.get());
    driver.expect(ModalDriver::saveAs(QStringLiteral("test")));

    const QDateTime before = QDateTime::currentDateTime();
    startReception();
    const QDateTime after = QDateTime::currentDateTime();

    QCOMPARE(driver.unexpected(), QStringList());
    QCOMPARE(binFiles(), QStringList{QStringLiteral("test.bin")});
    const QByteArray saved = readFile(binPath(QStringLiteral("test.bin")));
    QCOMPARE(saved.size(), layout::RecordSize);
    QCOMPARE(withoutStamps(saved), withoutStamps(m_record));
    const QByteArray time = saved.mid(layout::ReceiveTime, layout::ReceiveTimeWidth);
    const QByteArray date = saved.mid(layout::ReceiveDate, layout::ReceiveDateWidth);
    const QDateTime stamped(QDate::fromString(QString::fromLatin1(date), QStringLiteral("ddMMyy")).addYears(100),
                            QTime::fromString(QString::fromLatin1(time), QStringLiteral("HH:mm:ss")));
    QVERIFY2(stamped.isValid(), time + ' ' + date);
    QVERIFY2(stamped >= before.addMSecs(-before.time().msec()) && stamped <= after, time + ' ' + date);
    QCOMPARE(gauge()->value(), layout::RecordSize);
    QCOMPARE(m_closed->count(), 1);
    QVERIFY(!m_form->isVisible());

    m_form->show();
    driver.expect(ModalDriver::saveAs(binPath(QStringLiteral("a.bin"))));
    startReception();
    QCOMPARE(driver.unexpected(), QStringList());
    QCOMPARE(binFiles(), (QStringList{QStringLiteral("a.bin"), QStringLiteral("test.bin")}));
    QCOMPARE(withoutStamps(readFile(binPath(QStringLiteral("a.bin")))), withoutStamps(m_record));
    QCOMPARE(m_closed->count(), 2);
}

// The save dialog proposes, in the archive folder, a name no file has yet,
// made of the record's testing date and the reception time that is also
// written into the record as its stamp; the next reception another one.
void TestReception::everySaveProposesANewName()
{
    SimProcess sim(SimPort, {QStringLiteral("--record"), m_recordFile});
    QVERIFY2(sim.isReady(), qPrintable(sim.output()));
    ModalDriver driver(m_form.get());
    QStringList proposed;
    const ModalDriver::Step asProposed = [&](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        if (!dialog) {
            modal->close();
            return;
        }
        proposed.append(QDir(dialog->directory()).filePath(
            dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->text()));
        static_cast<QDialog *>(dialog)->accept();
    };
    const QString testing = sample::variant(3).testingDate.toString(Qt::ISODate);
    for (int reception = 0; reception < 2; ++reception) {
        m_form->show();
        driver.expect(asProposed);
        startReception();
        QCOMPARE(driver.unexpected(), QStringList());
        QCOMPARE(proposed.size(), reception + 1);
        const QFileInfo saved(proposed.constLast());
        QCOMPARE(saved.absolutePath(), QFileInfo(binPath(QString())).absolutePath());
        const QByteArray time = readFile(saved.filePath()).mid(layout::ReceiveTime, layout::ReceiveTimeWidth);
        const QString stem = QStringLiteral("sart-%1-%2").arg(testing, QString::fromLatin1(time).remove(u':'));
        QVERIFY2(saved.fileName() == stem + ".bin" || saved.fileName() == stem + "-2.bin",
                 qPrintable(saved.fileName() + " for " + stem));
    }
    QVERIFY(proposed[0] != proposed[1]);
    QCOMPARE(binFiles().size(), 2);
}

void TestReception::everyByteValueOnADefaultLine_data()
{
    QTest::addColumn<QString>("rate");
    QTest::newRow("19200") << QStringLiteral("19200");
    QTest::newRow("115200") << QStringLiteral("115200");
}

// The tester's line is left at the system's default settings, as a freshly
// plugged adapter has them; a record holds every byte value many times, the
// flow-control characters 0x11 and 0x13 and the end-of-line and control bytes
// among them, also next to each other.
void TestReception::everyByteValueOnADefaultLine()
{
    QFETCH(QString, rate);
    QByteArray record(layout::RecordSize, '\0');
    for (int k = 0; k < record.size(); ++k)
        record[k] = char((k * 37 + 11) % 256);  // 37 is odd: each run of 256 holds every value
    const QByteArray awkward("\x11\x13\x0D\x0A\x03\x1A\x7F\xFF\x13\x11\x04\x1C\x00\x0D", 14);
    for (const int at : {0, 5, 92, 1000, 2047, 4000, layout::RecordSize - int(awkward.size())})
        record.replace(at, awkward.size(), awkward);
    const QString recordFile = m_start->filePath(QStringLiteral("every-byte.rec"));
    writeFile(recordFile, record);

    SimProcess sim(SimPort, {QStringLiteral("--record"), recordFile, QStringLiteral("--rate"), rate,
                             QStringLiteral("--default-line")});
    QVERIFY2(sim.isReady(), qPrintable(sim.output()));
    combo("CBBaud")->setCurrentText(rate);
    ModalDriver driver(m_form.get());
    driver.expect(ModalDriver::saveAs(QStringLiteral("every")));
    startReception();

    QCOMPARE(driver.unexpected(), QStringList());
    QCOMPARE(binFiles(), QStringList{QStringLiteral("every.bin")});
    const QByteArray saved = readFile(binPath(QStringLiteral("every.bin")));
    QCOMPARE(withoutStamps(saved).toHex(), withoutStamps(record).toHex());
    QCOMPARE(m_closed->count(), 1);
}

void TestReception::existingFileAsks_data()
{
    QTest::addColumn<bool>("replace");
    QTest::newRow("replace") << true;
    QTest::newRow("keep, then cancel") << false;
}

void TestReception::existingFileAsks()
{
    QFETCH(bool, replace);
    const QByteArray old(layout::RecordSize, 'o');
    writeFile(binPath(QStringLiteral("old.bin")), old);

    SimProcess sim(SimPort, {QStringLiteral("--record"), m_recordFile});
    QVERIFY(sim.isReady());
    ModalDriver driver(m_form.get());
    driver.expect(ModalDriver::saveAs(binPath(QStringLiteral("old"))));
    if (replace) {
        driver.expect(ModalDriver::press(QMessageBox::Yes));
    } else {
        driver.expect(ModalDriver::press(QMessageBox::No));
        driver.expect(ModalDriver::cancel());  // offered again; given up
        driver.expect(ModalDriver::press(QMessageBox::Discard));
    }
    startReception();

    QCOMPARE(driver.unexpected(), QStringList());
    QCOMPARE(driver.pending(), 0);
    QVERIFY2(driver.seen().value(1).startsWith(QStringLiteral("message: The file old.bin already exists.")),
             qPrintable(driver.seen().join(u'|')));
    const QByteArray now = readFile(binPath(QStringLiteral("old.bin")));
    if (replace)
        QCOMPARE(withoutStamps(now), withoutStamps(m_record));
    else
        QCOMPARE(now, old);
    QCOMPARE(binFiles(), QStringList{QStringLiteral("old.bin")});
    QCOMPARE(m_closed->count(), 1);
}

void TestReception::saveCancelled_data()
{
    QTest::addColumn<QString>("answer");  // to "Discard it?"
    QTest::newRow("discard") << "discard";
    QTest::newRow("keep (Escape)") << "escape";
    QTest::newRow("keep (Enter)") << "enter";
}

// Cancelling the save dialog asks before the record is given up. Discarding
// saves nothing; the default answer, also the answer to Escape, keeps the
// record and shows the save dialog again.
void TestReception::saveCancelled()
{
    QFETCH(QString, answer);
    SimProcess sim(SimPort, {QStringLiteral("--record"), m_recordFile});
    QVERIFY(sim.isReady());
    ModalDriver driver(m_form.get());
    driver.expect(ModalDriver::cancel());
    driver.expect([answer](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        QVERIFY(box);
        if (answer == u"discard")
            box->button(QMessageBox::Discard)->click();
        else
            QTest::keyClick(box, answer == u"escape" ? Qt::Key_Escape : Qt::Key_Return);
    });
    if (answer != u"discard")
        driver.expect(ModalDriver::saveAs(QStringLiteral("kept")));
    startReception();

    QCOMPARE(driver.unexpected(), QStringList());
    QCOMPARE(driver.pending(), 0);
    QCOMPARE(driver.seen().value(1),
             QStringLiteral("message: The received record has not been saved. Discard it?\n"
                            "A discarded record can only be had again by receiving it once more."));
    if (answer == u"discard") {
        QCOMPARE(binFiles(), QStringList());
    } else {
        QCOMPARE(binFiles(), QStringList{QStringLiteral("kept.bin")});
        QCOMPARE(withoutStamps(readFile(binPath(QStringLiteral("kept.bin")))), withoutStamps(m_record));
    }
    QVERIFY(!m_form->isVisible());
    QCOMPARE(m_closed->count(), 1);
    QCOMPARE(m_form->takeSavedPath(), answer == u"discard" ? QString() : binPath(QStringLiteral("kept.bin")));
    QCOMPARE(m_form->takeSavedPath(), QString());  // told once
}

// A write that fails does not throw the record away: the error is shown and
// the save dialog comes again.
void TestReception::failedWriteOffersSaveAgain()
{
    SimProcess sim(SimPort, {QStringLiteral("--record"), m_recordFile});
    QVERIFY(sim.isReady());
    ModalDriver driver(m_form.get());
    driver.expect(ModalDriver::saveAs(m_start->filePath(QStringLiteral("gone/x"))));
    driver.expect(ModalDriver::press(QMessageBox::Ok));
    driver.expect(ModalDriver::saveAs(binPath(QStringLiteral("kept"))));
    startReception();

    QCOMPARE(driver.unexpected(), QStringList());
    QCOMPARE(driver.seen().value(1), "message: " + m_start->filePath(QStringLiteral("gone/x.bin")) + ": File not found.");
    QCOMPARE(withoutStamps(readFile(binPath(QStringLiteral("kept.bin")))), withoutStamps(m_record));
    QCOMPARE(m_closed->count(), 1);
}

// A disk that fills up during the write leaves neither a partial record nor
// a temporary file behind.
void TestReception::fullDiskLeavesNoPartialFile()
{
    const QString small = m_start->filePath(QStringLiteral("small"));
    QDir().mkpath(small);
    if (::geteuid() != 0
        || QProcess::execute(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"),
                                                      QStringLiteral("-o"), QStringLiteral("size=8k"),
                                                      QStringLiteral("tmpfs"), small}) != 0)
        QSKIP("needs root to mount a small file system");
    const auto unmount = qScopeGuard([&] { QProcess::execute(QStringLiteral("umount"), {small}); });
    writeFile(small + QStringLiteral("/filler"), QByteArray(6000, 'f'));

    SimProcess sim(SimPort, {});
    QVERIFY(sim.isReady());
    ModalDriver driver(m_form.get());
    driver.expect(ModalDriver::saveAs(small + QStringLiteral("/r")));
    driver.expect(ModalDriver::press(QMessageBox::Ok));
    driver.expect(ModalDriver::cancel());
    driver.expect(ModalDriver::press(QMessageBox::Discard));
    startReception();

    QCOMPARE(driver.unexpected(), QStringList());
    QCOMPARE(driver.seen().value(1), "message: " + small + "/r.bin: Disk full.");
    QCOMPARE(QDir(small).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("filler")});
}

void TestReception::faults_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("progressAtMessage");  // -1: not checked

    QTest::newRow("no answer") << "silent" << reception::NoAnswerText + u'.' << 0;
    QTest::newRow("two start answers") << "double-start" << reception::ExtraStartAnswerText + u'.' << 0;
    QTest::newRow("stops after 1000 bytes") << "stop-after=1000" << reception::ReceivingErrorText << 1000;
    QTest::newRow("stray byte") << "stray-byte=1500" << reception::ReceivingErrorText << -1;
    QTest::newRow("stray byte after the last") << "stray-byte=4095" << reception::ReceivingErrorText << 4096;
}

// A failed reception says so, saves nothing, sets the progress back to 0 and
// leaves the dialog open for another try.
void TestReception::faults()
{
    QFETCH(QString, fault);
    QFETCH(QString, message);
    QFETCH(int, progressAtMessage);

    SimProcess sim(SimPort, {QStringLiteral("--fault"), fault});
    QVERIFY(sim.isReady());
    ModalDriver driver(m_form.get());
    int progress = -1;
    driver.expect([&](QWidget *modal) {
        progress = gauge()->value();
        ModalDriver::press(QMessageBox::Ok)(modal);
    });
    startReception();

    QCOMPARE(driver.seen(), QStringList{QStringLiteral("message: ") + message});
    if (progressAtMessage >= 0)
        QCOMPARE(progress, progressAtMessage);
    QCOMPARE(gauge()->value(), 0);
    QVERIFY(m_form->isVisible());
    QVERIFY(button("Button1")->isEnabled());
    QCOMPARE(binFiles(), QStringList());
    QCOMPARE(m_closed->count(), 0);
}

void TestReception::lostLine_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("received");  // -1: before the start answer

    QTest::newRow("before the start answer") << "hangup-at-start" << -1;
    QTest::newRow("before the first byte") << "hangup-after=0" << 0;
    QTest::newRow("after 1 byte") << "hangup-after=1" << 1;
    QTest::newRow("mid-record") << "hangup-after=2345" << 2345;
    QTest::newRow("at the last byte") << "hangup-after=4095" << 4095;
}

// The tester hangs up the line (switched off, adapter pulled out): the
// reception ends at once with a message that names the byte, nothing is
// saved, the bar goes back to 0, and the dialog takes the next reception.
void TestReception::lostLine()
{
    QFETCH(QString, fault);
    QFETCH(int, received);
    const QString advice = QStringLiteral(" Nothing was saved. Check that the tester is switched on and connected, "
                                          "then start the data import again.");
    const QString message = received < 0
        ? QStringLiteral("The connection to the SART tester was lost before it answered the start request.") + advice
        : QStringLiteral("The connection to the SART tester was lost at byte %1 of 4096.").arg(received) + advice;

    ModalDriver driver(m_form.get());
    int progress = -1;
    driver.expect([&](QWidget *modal) {
        progress = gauge()->value();
        ModalDriver::press(QMessageBox::Ok)(modal);
    });
    {
        SimProcess sim(SimPort, {QStringLiteral("--fault"), fault});
        QVERIFY(sim.isReady());
        startReception();
    }

    QCOMPARE(driver.seen(), QStringList{QStringLiteral("message: ") + message});
    QCOMPARE(progress, std::max(received, 0));
    QCOMPARE(gauge()->value(), 0);
    QVERIFY(m_form->isVisible());
    QCOMPARE(binFiles(), QStringList());
    QCOMPARE(m_closed->count(), 0);

    SimProcess again(SimPort, {QStringLiteral("--record"), m_recordFile});
    QVERIFY(again.isReady());
    driver.expect(ModalDriver::saveAs(QStringLiteral("next")));
    startReception();
    QCOMPARE(driver.unexpected(), QStringList());
    QCOMPARE(binFiles(), QStringList{QStringLiteral("next.bin")});
    QCOMPARE(withoutStamps(readFile(binPath(QStringLiteral("next.bin")))), withoutStamps(m_record));
    QCOMPARE(m_closed->count(), 1);
}

// The simulator killed mid-way at the pace of a real line: whatever byte the
// reception had reached, the message names it, the bar never jumps ahead and
// nothing is saved.
void TestReception::testerKilledDuringReception()
{
    SimProcess sim(SimPort, {QStringLiteral("--rate"), QStringLiteral("19200")});
    QVERIFY(sim.isReady());
    ModalDriver driver(m_form.get());
    int progress = -1;
    int mostShown = 0;
    bool killed = false;
    driver.onTick([&] {
        mostShown = std::max(mostShown, gauge()->value());
        if (!killed && gauge()->value() > 500) {
            killed = true;
            sim.kill();
        }
    });
    driver.expect([&](QWidget *modal) {
        progress = gauge()->value();
        ModalDriver::press(QMessageBox::Ok)(modal);
    });
    startReception();

    QVERIFY2(progress > 500 && progress < layout::RecordSize, qPrintable(QString::number(progress)));
    QVERIFY2(mostShown <= progress, qPrintable(QString::number(mostShown)));
    QCOMPARE(driver.seen(), QStringList{QStringLiteral("message: ") + reception::lostLineText(progress) + u'.'});
    QCOMPARE(gauge()->value(), 0);
    QVERIFY(m_form->isVisible());
    QCOMPARE(binFiles(), QStringList());
    QCOMPARE(m_closed->count(), 0);
}

void TestReception::portThatCannotBeOpened()
{
    const QString device = m_config.filePath(QStringLiteral("unplugged-adapter"));
    linkPort(QStringLiteral("COM4"), device);
    combo("CBPort")->setCurrentText(QStringLiteral("COM4"));
    ModalDriver driver(m_form.get());
    driver.expect(ModalDriver::press(QMessageBox::Ok));
    startReception();

    const QString seen = driver.seen().value(0);
    QVERIFY2(seen.startsWith(QStringLiteral("message: Cannot open the port COM4 (%1): No such file or directory")
                                 .arg(device)),
             qPrintable(seen));
    QVERIFY(m_form->isVisible());
    QCOMPARE(gauge()->value(), 0);
}

// Closing the dialog during a reception stops it at once; nothing is saved.
// The bar is back at 0 % when the dialog opens again, and the next reception
// starts from there.
void TestReception::closeDuringReception()
{
    SimProcess sim(SimPort, {QStringLiteral("--rate"), QStringLiteral("19200")});
    QVERIFY(sim.isReady());
    ModalDriver driver(m_form.get());
    bool importEnabledWhileReceiving = true;
    bool closed = false;
    driver.onTick([&] {
        if (!closed && gauge()->value() > 300) {
            closed = true;
            importEnabledWhileReceiving = button("Button1")->isEnabled();
            button("BitBtn1")->click();
        }
    });
    startReception();

    QVERIFY(closed);
    QVERIFY(!importEnabledWhileReceiving);
    QVERIFY(button("Button1")->isEnabled());
    QVERIFY2(gauge()->value() < 1000, qPrintable(QString::number(gauge()->value())));
    QCOMPARE(driver.seen(), QStringList());
    QVERIFY(!m_form->isVisible());
    QCOMPARE(m_closed->count(), 1);
    QCOMPARE(binFiles(), QStringList());

    m_form->show();
    QCOMPARE(gauge()->value(), 0);
    QCOMPARE(gauge()->text(), QStringLiteral("0%"));
    QList<int> shown;
    connect(gauge(), &QProgressBar::valueChanged, this, [&](int value) { shown.append(value); });
    driver.expect(ModalDriver::saveAs(QStringLiteral("second")));
    startReception();
    QCOMPARE(driver.unexpected(), QStringList());
    QVERIFY(!shown.isEmpty());
    QVERIFY2(shown.constFirst() <= 1, qPrintable(QString::number(shown.constFirst())));
    QVERIFY(std::is_sorted(shown.cbegin(), shown.cend()));
    QCOMPARE(gauge()->value(), layout::RecordSize);
}

// Answers that come late, but within the wait, are still taken: the waits
// are measured in time, not in polls of the port.
void TestReception::slowTesterIsWaitedFor()
{
    SimProcess sim(SimPort, {QStringLiteral("--record"), m_recordFile, QStringLiteral("--fault"),
                             QStringLiteral("slow=250")});
    QVERIFY(sim.isReady());
    ModalDriver driver(m_form.get());
    driver.expect(ModalDriver::saveAs(QStringLiteral("slow")));
    startReception();

    QCOMPARE(driver.unexpected(), QStringList());
    QCOMPARE(withoutStamps(readFile(binPath(QStringLiteral("slow.bin")))), withoutStamps(m_record));
}

// The line under the lists names the device of the chosen port and says
// whether it is there.
void TestReception::deviceLabel()
{
    auto *label = m_form->findChild<QLabel *>(QStringLiteral("DeviceLabel"));
    QVERIFY(label);
    const QString missing = m_config.filePath(QStringLiteral("ttyUSB9"));
    linkPort(QStringLiteral("COM3"), missing);
    combo("CBPort")->setCurrentText(QStringLiteral("COM3"));
    QCOMPARE(label->text(), QStringLiteral("COM3 stands for %1: not present").arg(missing));
    PtyPort pty(QStringLiteral("COM7"));
    combo("CBPort")->setCurrentText(QStringLiteral("COM7"));
    QCOMPARE(label->text(), QStringLiteral("COM7 stands for %1: present").arg(pty.devicePath()));
}

void TestReception::recordExtension_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("plain") << "/a/test" << "/a/test.bin";
    QTest::newRow("already .bin") << "/a/a.bin" << "/a/a.bin";
    QTest::newRow("upper case") << "/a/A.BIN" << "/a/A.BIN";
    QTest::newRow("other extension") << "/a/a.txt" << "/a/a.txt.bin";
    QTest::newRow("bin without dot") << "/a/cabin" << "/a/cabin.bin";
}

void TestReception::recordExtension()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QCOMPARE(reception::withRecordExtension(chosen), written);
}

void TestReception::proposedName_data()
{
    QTest::addColumn<QByteArray>("testingDate");
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("name");
    QTest::newRow("testing date") << QByteArray("050126") << QStringList() << "sart-2026-01-05-093015.bin";
    QTest::newRow("taken") << QByteArray("050126") << QStringList{"sart-2026-01-05-093015.bin"}
                           << "sart-2026-01-05-093015-2.bin";
    QTest::newRow("taken twice") << QByteArray("050126")
                                 << QStringList{"sart-2026-01-05-093015.bin", "sart-2026-01-05-093015-2.bin"}
                                 << "sart-2026-01-05-093015-3.bin";
    QTest::newRow("a folder takes the name too") << QByteArray("050126") << QStringList{"sart-2026-01-05-093015.bin/"}
                                                 << "sart-2026-01-05-093015-2.bin";
    QTest::newRow("no digits: the reception's date") << QByteArray(6, char(0xFF)) << QStringList()
                                                     << "sart-2026-03-07-093015.bin";
    QTest::newRow("no such day: the reception's date") << QByteArray("310226") << QStringList()
                                                       << "sart-2026-03-07-093015.bin";
}

void TestReception::proposedName()
{
    QFETCH(QByteArray, testingDate);
    QFETCH(QStringList, existing);
    QFETCH(QString, name);
    QTemporaryDir folder;
    for (const QString &file : existing) {
        if (file.endsWith(u'/'))
            QVERIFY(QDir(folder.path()).mkdir(file.chopped(1)));
        else
            writeFile(folder.filePath(file), "x");
    }
    QByteArray record(layout::RecordSize, '\0');
    record.replace(layout::TestingDate, layout::TestingDateWidth, testingDate);
    const QDateTime received(QDate(2026, 3, 7), QTime(9, 30, 15));
    QCOMPARE(reception::proposedName(record, received, folder.path()), name);
}

// Always eight characters of a 24-hour time, whatever the locale.
void TestReception::stamps()
{
    QByteArray record(layout::RecordSize, 'x');
    reception::stampRecord(record, QDateTime(QDate(2024, 3, 5), QTime(9, 4, 3)));
    QCOMPARE(record.mid(layout::ReceiveTime, 8), QByteArray("09:04:03"));
    QCOMPARE(record.mid(layout::ReceiveDate, 6), QByteArray("050324"));
    reception::stampRecord(record, QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59)));
    QCOMPARE(record.mid(layout::ReceiveTime, 8), QByteArray("23:59:59"));
    QCOMPARE(record.mid(layout::ReceiveDate, 6), QByteArray("311299"));
    QCOMPARE(record.count('x'), layout::RecordSize - 14);
    QCOMPARE(record.size(), layout::RecordSize);
}

QTEST_MAIN(TestReception)
#include "tst_reception.moc"
