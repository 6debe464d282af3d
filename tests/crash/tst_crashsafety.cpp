// Save changes killed at random moments: the record file is always the old or
// the new content, never missing, short or mixed.
#include "HeaderWriteBack.h"
#include "SampleRecord.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <cstdio>

using namespace testsupport;

namespace {

RecordHeader variant(int n)
{
    RecordHeader v;
    v.radioEngineer = n ? QStringLiteral("Second Engineer") : QStringLiteral("First Engineer");
    v.sartModel = n ? QStringLiteral("Model B") : QStringLiteral("Model A");
    v.standByIndex = v.ledIndex = v.beeperIndex = n;
    v.nextTestDate = QDate(2027, 1, 1 + n);
    v.batteryDate = QDate(2025, 1, 1 + n);
    return v;
}

// The child: saves the two variants in turn until it is killed. It says so
// after its first save, so that the parent's kill lands amid later saves and not
// while the child is still starting (which takes longer on a loaded machine).
[[noreturn]] void saveLoop(const QString &path)
{
    writeback::save(path, variant(0));
    std::fputs("saving\n", stdout);
    std::fflush(stdout);
    for (int n = 1;; n ^= 1)
        writeback::save(path, variant(n));
}

} // namespace

class TestCrashSafety : public QObject
{
    Q_OBJECT

private slots:
    void killedSaveLeavesOldOrNewRecord();
};

void TestCrashSafety::killedSaveLeavesOldOrNewRecord()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("record.bin");
    const QByteArray original = sample::makeRecord(sample::variant(7));
    writeFile(path, original);
    const QList<QByteArray> allowed = {original, writeback::rewrite(original, variant(0)),
                                       writeback::rewrite(original, variant(1))};

    for (int round = 0; round < 200; ++round) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--save-loop"), path});
        QVERIFY(child.waitForStarted());
        QVERIFY(child.waitForReadyRead(30000));
        QThread::usleep(QRandomGenerator::global()->bounded(15000));
        child.kill();
        QVERIFY(child.waitForFinished());
        const QByteArray now = readFile(path);
        QVERIFY2(allowed.contains(now), qPrintable(QStringLiteral("round %1: %2 bytes").arg(round).arg(now.size())));
    }
}

int main(int argc, char *argv[])
{
    if (argc == 3 && qstrcmp(argv[1], "--save-loop") == 0)
        saveLoop(QString::fromLocal8Bit(argv[2]));
    QCoreApplication app(argc, argv);
    TestCrashSafety test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_crashsafety.moc"
