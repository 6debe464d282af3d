// Faults of a reception met through the real main window: "Receiving" opens
// the receive dialog, which talks to the SART tester simulator on a
// pseudo-terminal. A tester that misbehaves, a port that is missing or
// refused, and a disk that is full when the record is saved: each shows its
// message, and the archive folder stays byte for byte as it was.
#include "FaultSupport.h"
#include "PtyPort.h"
#include "SampleRecord.h"
#include "SimProcess.h"
#include "TestSupport.h"
#include "Unit1.h"
#include "WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <cstdio>
#include <cstdlib>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace windowtest;
using faults::folderState;
using faults::FolderState;
using faults::ModalScript;

namespace {

// Set in the child process that runs refusedPort() as "nobody": the device
// it must be refused.
constexpr char RefusedDeviceVariable[] = "SART_FAULTS_REFUSED_DEVICE";

const QString SimPort = QStringLiteral("COM2");

// "Receiving" from the menu; returns when the receive dialog has closed and
// the rescan it asks for has run.
void receive(TForm1 &form)
{
    action(form, QStringLiteral("N4"))->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(!form.Timer1->isActive(), 5000);
    QTest::qWait(20);
}

QString scriptReport(const ModalScript &script)
{
    return QStringLiteral("seen: ") + script.seen().join(QStringLiteral(" | ")) + QStringLiteral("; unexpected: ")
        + script.unexpected().join(QStringLiteral(" | "));
}

} // namespace

class TestReceptionFaults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void testerFaults_data();
    void testerFaults();
    void fullDiskWhenSaving_data();
    void fullDiskWhenSaving();
    void missingPort();
    void refusedPort_data();
    void refusedPort();

private:
    // A port that cannot be opened: the message shown, nothing written.
    void checkPortFailure(const QString &port, const QString &expected);

    QTemporaryDir m_config;  // XDG_CONFIG_HOME: the port links
    QString m_sentRecord;
};

void TestReceptionFaults::initTestCase()
{
    QVERIFY(m_config.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
    m_sentRecord = m_config.filePath(QStringLiteral("sent.bin"));
    testsupport::writeFile(m_sentRecord, sample::makeRecord(sample::variant(5)));
}

void TestReceptionFaults::testerFaults_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("message");

    QTest::newRow("silent") << "silent"
                            << "No answer from the SART tester. Check that the tester is switched on and connected, "
                               "and that the port and the port rate are right.";
    QTest::newRow("stops after 1000 bytes") << "stop-after=1000" << "Receiving ERROR";
    QTest::newRow("two start answers")
        << "double-start"
        << "The SART tester answered the start request with more than one byte. Check the port rate and start the "
           "data import again.";
    QTest::newRow("stray byte") << "stray-byte" << "Receiving ERROR";
    const QString advice = " Nothing was saved. Check that the tester is switched on and connected, then start the "
                           "data import again.";
    QTest::newRow("hung up before the start answer")
        << "hangup-at-start" << "The connection to the SART tester was lost before it answered the start request." + advice;
    QTest::newRow("hung up mid-record")
        << "hangup-after=3000" << "The connection to the SART tester was lost at byte 3000 of 4096." + advice;
}

// The message comes over the receive dialog, which stays open for another
// try; the user closes it and the rescan finds the archive as it was.
void TestReceptionFaults::testerFaults()
{
    QFETCH(QString, fault);
    QFETCH(QString, message);

    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    dir.addRecord("b.bin", 1);
    SimProcess sim(SimPort, {QStringLiteral("--fault"), fault});
    QVERIFY2(sim.isReady(), qPrintable(sim.output()));
    auto form = startWindow();
    const FolderState before = folderState(dir.archive());

    ModalScript script;
    script.receiveOn(SimPort);
    script.acknowledge();
    script.closeReceiveDialog();
    receive(*form);

    QVERIFY2(script.unexpected().isEmpty() && script.pending() == 0, qPrintable(scriptReport(script)));
    QCOMPARE(script.messages(), QStringList{message});
    QCOMPARE(folderState(dir.archive()), before);
    QCOMPARE(listedNames(*form), QStringList({"a.bin", "b.bin"}));
    QCOMPARE(shownPower(*form), powerOf(1));
}

void TestReceptionFaults::fullDiskWhenSaving_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("new file") << "received";
    QTest::newRow("over a record") << "a";  // the record replaced must survive
}

// The record arrives whole, but the archive's disk is full: the error is
// shown, the save dialog comes again, and cancelling it gives the record up
// without leaving a partial or temporary file.
void TestReceptionFaults::fullDiskWhenSaving()
{
    QFETCH(QString, name);
    StartDirectory dir;
    faults::SmallDisk disk(dir.archive(), 64);
    if (!disk.isMounted())
        QSKIP(qPrintable(disk.error()));
    dir.addRecord("a.bin", 0);
    QVERIFY(disk.fill("filler"));
    SimProcess sim(SimPort, {QStringLiteral("--record"), m_sentRecord});
    QVERIFY2(sim.isReady(), qPrintable(sim.output()));
    auto form = startWindow();
    const FolderState before = folderState(dir.archive());

    ModalScript script;
    script.receiveOn(SimPort);
    script.saveAs(dir.inArchive(name));
    const bool replacing = QFileInfo::exists(dir.inArchive(name + ".bin"));
    if (replacing)
        script.press(QMessageBox::Yes);
    script.acknowledge();
    script.cancelFile();
    script.press(QMessageBox::Discard);
    receive(*form);

    QVERIFY2(script.unexpected().isEmpty() && script.pending() == 0, qPrintable(scriptReport(script)));
    QStringList expected{"TForm2", "QFileDialog"};
    if (replacing)
        expected.append("QMessageBox: The file a.bin already exists.\nDo you want to replace it?");
    expected += QStringList{"QMessageBox: " + dir.inArchive(name + ".bin") + ": Disk full.", "QFileDialog",
                            "QMessageBox: The received record has not been saved. Discard it?\n"
                            "A discarded record can only be had again by receiving it once more."};
    QCOMPARE(script.seen(), expected);
    QCOMPARE(folderState(dir.archive()), before);
    QCOMPARE(listedNames(*form), QStringList{"a.bin"});
}

void TestReceptionFaults::checkPortFailure(const QString &port, const QString &expected)
{
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    auto form = startWindow();
    const FolderState before = folderState(dir.archive());

    ModalScript script;
    script.receiveOn(port);
    script.acknowledge();
    script.closeReceiveDialog();
    receive(*form);

    QVERIFY2(script.unexpected().isEmpty() && script.pending() == 0, qPrintable(scriptReport(script)));
    QCOMPARE(script.messages(), QStringList{expected});
    QCOMPARE(folderState(dir.archive()), before);
    QCOMPARE(listedNames(*form), QStringList{"a.bin"});
}

// The port's link names a device that is not there (an adapter unplugged).
void TestReceptionFaults::missingPort()
{
    const QString device = m_config.filePath(QStringLiteral("unplugged-adapter"));
    linkPort(QStringLiteral("COM4"), device);
    checkPortFailure(QStringLiteral("COM4"),
                     QStringLiteral("Cannot open the port COM4 (%1): No such file or directory. Check that the "
                                    "adapter is plugged in, or point COM4 at the right device with a link in %2.")
                         .arg(device, m_config.path() + QStringLiteral("/sart-tester/ports")));
}

void TestReceptionFaults::refusedPort_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");  // %1: the device, %2: the ports folder
    QTest::newRow("serial device of a group the user is not in")
        << "dialout"
        << "Cannot open the port COM5 (%1): Permission denied. The device belongs to the group \"dialout\": your "
           "user must be a member of that group (for example: sudo usermod -aG dialout $USER) and log in again.";
    QTest::newRow("device of the group root")
        << "root"
        << "Cannot open the port COM5 (%1): Permission denied. Your user may not use this device, and it belongs to "
           "no group of serial devices (such as \"dialout\") that a user could join: check that COM5 stands for "
           "the right device, with a link in %2.";
    QTest::newRow("regular file")
        << "file"
        << "Cannot open the port COM5 (%1): it is a regular file, not a serial device. Point COM5 at a serial "
           "device with a link in %2.";
}

// A port name linked to what the user may not open, or to what is no serial
// device at all. Root opens any device and any file, so the check runs, as
// root where that means something (a file must not be opened even by root),
// and again in a child process that has become "nobody": against a
// pseudo-terminal of a serial-device group or of the group root, mode 0660,
// and against a file of root's, mode 0600. A file is never opened, and its
// bytes stay as they were.
void TestReceptionFaults::refusedPort()
{
    QFETCH(QString, kind);
    QFETCH(QString, message);
    const QString refused = qEnvironmentVariable(RefusedDeviceVariable);
    if (!refused.isEmpty()) {
        QVERIFY2(::geteuid() != 0, "the child did not drop root");
        linkPort(QStringLiteral("COM5"), refused);
        checkPortFailure(QStringLiteral("COM5"), message.arg(refused, m_config.path() + "/sart-tester/ports"));
        return;
    }
    if (::geteuid() != 0)
        QSKIP("a device this user may not open cannot be made without root");

    std::unique_ptr<PtyPort> device;
    QTemporaryDir folder;  // searchable by "nobody"
    QCOMPARE(::chmod(QFile::encodeName(folder.path()).constData(), 0755), 0);
    const QString file = folder.filePath(QStringLiteral("passwd"));
    QString target = file;
    if (kind == u"file") {
        testsupport::writeFile(file, "root:x:0:0:root:/root:/bin/bash\n");
        QCOMPARE(::chmod(QFile::encodeName(file).constData(), 0600), 0);
        linkPort(QStringLiteral("COM5"), file);
        checkPortFailure(QStringLiteral("COM5"), message.arg(file, m_config.path() + "/sart-tester/ports"));
    } else {
        const struct group *g = ::getgrnam(kind == u"dialout" ? "dialout" : "root");
        if (!g)
            QSKIP("no such group here");
        device = std::make_unique<PtyPort>(QStringLiteral("COM5"));
        QCOMPARE(::fchown(device->slave(), 0, g->gr_gid), 0);
        QCOMPARE(::fchmod(device->slave(), 0660), 0);
        target = device->devicePath();
    }

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(RefusedDeviceVariable), target);
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    const QString function = QStringLiteral("refusedPort:") + QString::fromUtf8(QTest::currentDataTag());
    child.start(QCoreApplication::applicationFilePath(), {function});
    QVERIFY(child.waitForFinished(60000));
    const QString output = QString::fromLocal8Bit(child.readAll());
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, qPrintable(output));
    QVERIFY2(output.contains(QLatin1String("PASS   : TestReceptionFaults::refusedPort(")), qPrintable(output));
    if (kind == u"file")
        QCOMPARE(testsupport::readFile(file), QByteArray("root:x:0:0:root:/root:/bin/bash\n"));
}

// The child that checks the refused port becomes "nobody" before anything
// else, with a runtime folder of its own.
int main(int argc, char *argv[])
{
    QByteArray runtimeDir;
    if (qEnvironmentVariableIsSet(RefusedDeviceVariable)) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0) {
            std::perror("cannot become nobody");
            return 3;
        }
        runtimeDir = "/tmp/sart-faults-XXXXXX";
        if (!::mkdtemp(runtimeDir.data()))
            return 3;
        qputenv("XDG_RUNTIME_DIR", runtimeDir);
    }
    int result = 0;
    {
        QApplication app(argc, argv);
        TestReceptionFaults test;
        QTEST_SET_MAIN_SOURCE_PATH
        result = QTest::qExec(&test, argc, argv);
    }
    if (!runtimeDir.isEmpty())
        QDir(QString::fromLocal8Bit(runtimeDir)).removeRecursively();
    return result;
}

#include "tst_receptionfaults.moc"
