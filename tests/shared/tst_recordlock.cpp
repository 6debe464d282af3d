// Engineers saving and deleting the same records of one archive at the same
// moment, each in a process of its own (this test run again as a worker), one
// of them through a FUSE mount that caches attributes and names like a
// network share (bindfs, attr_timeout=5, entry_timeout=5): no version is
// replaced or removed unseen. The archive folder's lock file: who holds it,
// one left behind, and what stands in its place. Deletions made beside the
// mount seen through it by the listing.
#include "AppError.h"
#include "ArchiveScan.h"
#include "AtomicFile.h"
#include "FolderWatch.h"
#include "HeaderWriteBack.h"
#include "Navigation.h"
#include "NewFile.h"
#include "RecordLayout.h"
#include "RecordLock.h"
#include "RecordState.h"
#include "SampleRecord.h"
#include "SharedMount.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

using namespace testsupport;
using recordstate::Change;
using sharedtest::SharedMount;

namespace {

constexpr int Records = 3;
constexpr double ShareCacheSeconds = 5;

// One version of a record: its header names who wrote it, so that each
// version's header is told apart by its hash.
QByteArray versionBytes(const QString &tag)
{
    RecordHeader v;
    v.radioEngineer = tag;
    return writeback::buildHeader(v) + sample::makeRecord(sample::variant(0)).mid(layout::HeaderSize);
}

QByteArray versionId(const QByteArray &content)
{
    return QCryptographicHash::hash(content.left(layout::HeaderSize), QCryptographicHash::Sha256).toHex().left(16);
}

QString recordPath(const QString &folder, int record) { return folder + QStringLiteral("/r%1.bin").arg(record); }

// A worker: for `seconds`, shows a record (reads it), lets a moment pass as
// an engineer would, then saves a header of its own into it or deletes it,
// only while it is as shown; or saves a reception under its name, replacing
// it once agreed to. A missing record is made anew. Every change
// that took place is logged with the version it replaced:
//   W <record> <new version> <version seen>    saved over what it had seen
//   D <record> - <version seen>                deleted what it had seen
//   R <record> <new version> <version agreed>  received or imported over what it agreed to replace
//   C <record> <new version> -                 made anew where none was
//   T <record>                                 told that it changed: nothing done
//   E <record> <text>                          told an error: nothing done
int runWorker(const QString &folder, const QString &side, int seconds, const QString &logPath)
{
    QFile log(logPath);
    if (!log.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 2;
    QRandomGenerator random(quint32(::getpid()));
    QElapsedTimer running;
    running.start();
    const newfile::Questions never{[](const QString &) { return false; }, [](const QString &) { return true; }};
    for (int n = 1; running.elapsed() < seconds * 1000; ++n) {
        const int record = int(random.bounded(Records));
        const QString path = recordPath(folder, record);
        const QByteArray name = QByteArray::number(record);
        const QString tag = side + QString::number(n);
        QByteArray line;
        try {
            QByteArray content;
            const recordstate::Fingerprint shown = recordstate::ofFile(path, &content);
            if (!shown.exists) {
                const QByteArray fresh = versionBytes(tag);
                if (newfile::write(path, 0644, [&](int fd) { atomicfile::writeAll(fd, fresh.constData(), fresh.size()); },
                                   never))
                    line = "C " + name + ' ' + versionId(fresh) + " -";
            } else if (random.bounded(6) == 0) {
                // A reception or import under the name, replacing the record
                // there once agreed to: what was agreed to is what it replaced.
                QByteArray agreed;
                bool asked = false, replacing = false;
                const newfile::Questions replace{[&](const QString &existing) {
                                                     QByteArray bytes;
                                                     recordstate::ofFile(existing, &bytes);
                                                     agreed = versionId(bytes);
                                                     asked = true;
                                                     QThread::usleep(random.bounded(3000));
                                                     return true;
                                                 },
                                                 [](const QString &) { return true; }};
                const QByteArray fresh = versionBytes(tag);
                if (newfile::write(path, 0644,
                                   [&](int fd) {
                                       replacing = std::exchange(asked, false);
                                       atomicfile::writeAll(fd, fresh.constData(), fresh.size());
                                   },
                                   replace))
                    line = (replacing ? "R " : "C ") + name + ' ' + versionId(fresh) + ' '
                           + (replacing ? agreed : QByteArray("-"));
            } else {
                QThread::usleep(random.bounded(3000));
                if (random.bounded(6) == 0) {
                    const recordlock::RemoveResult r = recordlock::removeIfUnchanged(path, shown);
                    line = r.change == Change::None && r.error == 0 ? "D " + name + " - " + versionId(content)
                                                                     : "T " + name;
                } else {
                    RecordHeader values;
                    values.radioEngineer = tag;
                    const writeback::SaveResult r = writeback::saveIfUnchanged(path, values, shown);
                    line = r.change == Change::None
                               ? "W " + name + ' ' + versionId(versionBytes(tag)) + ' ' + versionId(content)
                               : "T " + name;
                }
            }
        } catch (const AppError &e) {
            line = "E " + name + ' ' + e.text().toUtf8();
        }
        if (!line.isEmpty())
            log.write(line + '\n');
    }
    return 0;
}

// Takes the lock of the folder of `path` and holds it until ended.
int runHolder(const QString &path)
{
    const recordlock::Held lock(path, QStringLiteral("save"));
    std::printf("held\n");
    std::fflush(stdout);
    QThread::sleep(120);
    return 0;
}

QProcess *startSelf(QObject *parent, const QStringList &arguments)
{
    auto *p = new QProcess(parent);
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p->start(QCoreApplication::applicationFilePath(), arguments);
    return p;
}

// What the navigation asks of a window: nothing is asked, nothing chosen.
class QuietView : public NavigationView
{
public:
    int testingModeIndex() const override { return 0; }
    std::optional<QString> chooseRecordFile() override { return std::nullopt; }
    std::optional<QString> askRowNumber() override { return std::nullopt; }
    bool confirmDelete(const QString &) override { return false; }
    bool confirmReplace(const QString &) override { return false; }
    void selectRow(int) override {}
    int selectedRow() const override { return 0; }
    void tableChanged() override {}
    void showWarning(const QString &) override {}
    bool settleTypedEdits(const QString &) override { return true; }
    void showRecord(const DecodedRecord &, const QString &) override {}
    void shownRecordStale(const QString &text, bool) override { stale = text; }
    QString stale;
};

} // namespace

class TestRecordLock : public QObject
{
    Q_OBJECT

private slots:
    void noVersionLostBetweenTwoPrograms_data();
    void noVersionLostBetweenTwoPrograms();
    void lockHeldElsewhere_data();
    void lockHeldElsewhere();
    void lockFileThatIsNoFile_data();
    void lockFileThatIsNoFile();
    void deletionBesideTheShareSeenByTheListing();
};

void TestRecordLock::noVersionLostBetweenTwoPrograms_data()
{
    QTest::addColumn<bool>("throughShare");
    QTest::addColumn<int>("seconds");
    QTest::newRow("one through bindfs, one beside it") << true << 60;
    QTest::newRow("both on one path") << false << 30;
}

// Every version a side wrote is still there, or was replaced or removed by a
// side that had seen it (compared equal under the lock); any other outcome
// was told to the side that tried it.
void TestRecordLock::noVersionLostBetweenTwoPrograms()
{
    QFETCH(bool, throughShare);
    QFETCH(int, seconds);
    QTemporaryDir dir;
    const QString folder = dir.path();
    std::unique_ptr<SharedMount> mount;
    if (throughShare) {
        if (const QString missing = sharedtest::fuseMissing(); !missing.isEmpty())
            QSKIP(qPrintable(missing));
        mount = std::make_unique<SharedMount>(SharedMount::Kind::Bindfs, folder, ShareCacheSeconds);
        QVERIFY2(mount->isMounted(), qPrintable(mount->error()));
    }
    QHash<int, QSet<QByteArray>> written;  // record -> versions written
    for (int r = 0; r < Records; ++r) {
        const QByteArray first = versionBytes(QStringLiteral("first%1").arg(r));
        writeFile(recordPath(folder, r), first);
        written[r].insert(versionId(first));
    }
    const QString folderA = throughShare ? mount->root() : folder;
    QList<QProcess *> workers;
    const QStringList sides{QStringLiteral("A"), QStringLiteral("B")};
    for (const QString &side : sides)
        workers.append(startSelf(this, {QStringLiteral("--worker"), side == u"A" ? folderA : folder, side,
                                        QString::number(seconds), dir.filePath(side + QStringLiteral(".log"))}));
    for (QProcess *w : std::as_const(workers)) {
        QVERIFY(w->waitForFinished((seconds + 120) * 1000));
        QCOMPARE(w->exitStatus(), QProcess::NormalExit);
        QCOMPARE(w->exitCode(), 0);
    }

    QHash<int, QList<QByteArray>> replaced;  // record -> versions replaced or removed by one that saw them
    QHash<QByteArray, int> counts;
    QStringList errors;
    for (const QString &side : sides) {
        const QList<QByteArray> lines = readFile(dir.filePath(side + QStringLiteral(".log"))).split('\n');
        for (const QByteArray &line : lines) {
            const QList<QByteArray> f = line.split(' ');
            if (f.size() < 2)
                continue;
            ++counts[f[0]];
            const int r = f[1].toInt();
            if (f[0] == "E")
                errors.append(QString::fromUtf8(line));
            if ((f[0] == "W" || f[0] == "R" || f[0] == "C") && f.size() == 4)
                written[r].insert(f[2]);
            if ((f[0] == "W" || f[0] == "R" || f[0] == "D") && f.size() == 4)
                replaced[r].append(f[3]);
        }
    }
    qInfo("%d saved, %d received over a record, %d deleted, %d made anew, %d told of a change, %d told an error",
          counts.value("W"), counts.value("R"), counts.value("D"), counts.value("C"), counts.value("T"),
          counts.value("E"));
    for (const QString &e : std::as_const(errors).first(std::min<qsizetype>(errors.size(), 3)))
        qInfo("told: %s", qPrintable(e));

    QStringList lost, twice;
    for (int r = 0; r < Records; ++r) {
        const QByteArray now = QFile::exists(recordPath(folder, r)) ? versionId(readFile(recordPath(folder, r)))
                                                                     : QByteArray();
        const QSet<QByteArray> seenReplaced(replaced[r].cbegin(), replaced[r].cend());
        if (seenReplaced.size() != replaced[r].size())
            twice.append(QStringLiteral("r%1").arg(r));
        for (const QByteArray &v : std::as_const(written[r]))
            if (v != now && !seenReplaced.contains(v))
                lost.append(QStringLiteral("r%1 %2").arg(r).arg(QString::fromLatin1(v)));
    }
    QVERIFY2(lost.isEmpty(), qPrintable(QStringLiteral("%1 versions replaced or removed unseen: %2")
                                            .arg(lost.size())
                                            .arg(lost.first(std::min<qsizetype>(lost.size(), 10)).join(", "))));
    QVERIFY2(twice.isEmpty(), qPrintable(QStringLiteral("a version replaced twice in ") + twice.join(", ")));
    // The two really met: each saved, and some saves found the other's work.
    QVERIFY(counts.value("W") > 20);
    QVERIFY(counts.value("T") > 0);
    QVERIFY(!QFile::exists(folder + u'/' + QLatin1String(recordlock::FileName)));
}

void TestRecordLock::lockHeldElsewhere_data()
{
    QTest::addColumn<QString>("holder");
    QTest::addColumn<bool>("taken");  // the lock is taken (as left behind) and the save done
    QTest::newRow("a running program") << "running" << false;
    QTest::newRow("a program that ended") << "ended" << true;
    QTest::newRow("another computer, just now") << "elsewhere now" << false;
    QTest::newRow("another computer, an hour ago") << "elsewhere long ago" << true;
}

// A lock held by a program at work is waited for a few seconds and then told,
// naming the record and who holds it, with nothing written; one left behind
// is taken away. The lock file is never listed as a record.
void TestRecordLock::lockHeldElsewhere()
{
    QFETCH(QString, holder);
    QFETCH(bool, taken);
    QTemporaryDir dir;
    const QString path = dir.filePath("sart-0587.bin");
    const QByteArray before = versionBytes(QStringLiteral("before"));
    writeFile(path, before);
    const QString lockPath = recordlock::lockPathFor(path);

    qint64 pid = 0;
    QProcess *process = nullptr;
    if (holder == u"running" || holder == u"ended") {
        process = startSelf(this, {QStringLiteral("--hold"), path});
        QVERIFY(process->waitForReadyRead(10000));
        QCOMPARE(process->readAll(), QByteArray("held\n"));
        pid = process->processId();
        if (holder == u"ended") {
            ::kill(pid_t(pid), SIGKILL);
            QVERIFY(process->waitForFinished(10000));
        }
    } else {
        const qint64 since = QDateTime::currentSecsSinceEpoch() - (holder.contains(u"long") ? 3600 : 0);
        writeFile(lockPath, "host=another-computer\npid=4242\nsince=" + QByteArray::number(since) + '\n');
    }
    QVERIFY(QFile::exists(lockPath));
    QCOMPARE(archive::scan(dir.path()).names, QStringList{"sart-0587.bin"});

    const recordstate::Fingerprint shown = recordstate::ofFile(path);
    RecordHeader values;
    values.radioEngineer = QStringLiteral("saved");
    QElapsedTimer took;
    took.start();
    QString told;
    try {
        QCOMPARE(writeback::saveIfUnchanged(path, values, shown).change, Change::None);
    } catch (const AppError &e) {
        told = e.text();
    }
    QVERIFY(took.elapsed() < 30000);  // waits a few seconds, not for ever
    if (taken) {
        QVERIFY2(told.isEmpty(), qPrintable(told));
        QCOMPARE(readFile(path), versionBytes(QStringLiteral("saved")));
        QVERIFY(!QFile::exists(lockPath));
    } else {
        const QString who = holder == u"running"
                                ? QStringLiteral("process %1 on %2").arg(pid).arg(QSysInfo::machineHostName())
                                : QStringLiteral("process 4242 on another-computer");
        QCOMPARE(told, QStringLiteral("Cannot save the record sart-0587.bin now: another program (%1) is saving "
                                      "into the archive and has held its lock file %2 for more than 5 seconds. "
                                      "Nothing was changed; try again in a moment. If no other program works on "
                                      "this archive, remove %2.")
                           .arg(who, lockPath));
        QCOMPARE(readFile(path), before);
        QVERIFY(QFile::exists(lockPath));
    }
    if (process) {
        process->kill();
        process->waitForFinished(10000);
    }
}

void TestRecordLock::lockFileThatIsNoFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("operation");
    for (const char *kind : {"fifo", "folder", "link", "dangling link"})
        for (const char *operation : {"save", "delete", "new file", "replace"})
            QTest::addRow("%s, %s", kind, operation) << kind << operation;
}

// A pipe, folder or link where the lock file belongs is refused at once,
// never opened (a pipe would block) nor followed; nothing else is changed.
void TestRecordLock::lockFileThatIsNoFile()
{
    QFETCH(QString, kind);
    QFETCH(QString, operation);
    QTemporaryDir dir;
    const QString path = dir.filePath("sart-0587.bin");
    const QByteArray before = versionBytes(QStringLiteral("before"));
    writeFile(path, before);
    const QString lockPath = recordlock::lockPathFor(path);
    const QByteArray lockBytes = QFile::encodeName(lockPath);
    const QString target = dir.filePath("target.txt");
    QString what;
    if (kind == u"fifo") {
        QCOMPARE(::mkfifo(lockBytes.constData(), 0644), 0);
        what = QStringLiteral("a pipe (FIFO)");
    } else if (kind == u"folder") {
        QVERIFY(QDir().mkdir(lockPath));
        what = QStringLiteral("a folder");
    } else {
        if (kind == u"link")
            writeFile(target, "not a lock");
        QCOMPARE(::symlink(QFile::encodeName(target).constData(), lockBytes.constData()), 0);
        what = QStringLiteral("a link");
    }

    const QString other = dir.filePath("new.bin");
    const newfile::Questions yes{[](const QString &) { return true; }, [](const QString &) { return true; }};
    const QByteArray fresh = versionBytes(QStringLiteral("fresh"));
    auto fill = [&](int fd) { atomicfile::writeAll(fd, fresh.constData(), fresh.size()); };
    QString told;
    QElapsedTimer took;
    took.start();
    try {
        const recordstate::Fingerprint shown = recordstate::ofFile(path);
        if (operation == u"save") {
            RecordHeader values;
            writeback::saveIfUnchanged(path, values, shown);
        } else if (operation == u"delete") {
            recordlock::removeIfUnchanged(path, shown);
        } else {
            newfile::write(operation == u"new file" ? other : path, 0644, fill, yes);
        }
    } catch (const AppError &e) {
        told = e.text();
    }
    QVERIFY(took.elapsed() < 3000);  // refused at once
    const QString action = operation == u"delete" ? QStringLiteral("delete") : QStringLiteral("save");
    const QString record = operation == u"new file" ? QStringLiteral("new.bin") : QStringLiteral("sart-0587.bin");
    QCOMPARE(told, QStringLiteral("Cannot %1 the record %2: the archive folder holds %3 named .sart-archive.lock "
                                  "where this program keeps its lock file. Nothing was changed. Remove %4 and try "
                                  "again.")
                       .arg(action, record, what, lockPath));
    QCOMPARE(readFile(path), before);
    QVERIFY(!QFile::exists(other));
    struct stat st {};
    QCOMPARE(::lstat(lockBytes.constData(), &st), 0);
    QCOMPARE(S_ISFIFO(st.st_mode), kind == u"fifo");
    QCOMPARE(S_ISLNK(st.st_mode), kind.contains(u"link"));
    if (kind == u"link")
        QCOMPARE(readFile(target), QByteArray("not a lock"));
    if (kind == u"dangling link")
        QVERIFY(!QFile::exists(target));
    QStringList temporaries;
    for (const QString &name : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden))
        if (atomicfile::isTemporaryName(name.toUtf8()))
            temporaries.append(name);
    QCOMPARE(temporaries, QStringList());
}

// A record removed beside the share leaves the table seen through it once the
// folder's listing no longer holds it, while the share still answers a look
// at the file from its cache; the record shown is told removed. The goal is
// two seconds; the test waits longer so that a loaded machine passes.
void TestRecordLock::deletionBesideTheShareSeenByTheListing()
{
    if (const QString missing = sharedtest::fuseMissing(); !missing.isEmpty())
        QSKIP(qPrintable(missing));
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath("bin"));
    for (const char *name : {"a.bin", "b.bin", "c.bin"})
        writeFile(dir.filePath(QStringLiteral("bin/") + QLatin1String(name)), sample::makeRecord(sample::variant(1)));
    SharedMount mount(SharedMount::Kind::Bindfs, dir.path(), ShareCacheSeconds);
    QVERIFY2(mount.isMounted(), qPrintable(mount.error()));

    QuietView view;
    Navigation navigation(mount.root(), view);
    navigation.scan();
    navigation.startupOpen();  // shows the last record, c.bin
    QCOMPARE(navigation.shownPath(), mount.root() + QStringLiteral("/bin/c.bin"));
    archive::FolderWatch watch;
    connect(&watch, &archive::FolderWatch::filesChanged, this,
            [&](const QStringList &names, const QStringList &gone) { navigation.filesChanged(names, gone); });
    watch.watch(navigation.archiveFolder(), navigation.table().names(), navigation.table().identities());
    QTest::qWait(50);

    for (const char *name : {"b.bin", "c.bin"}) {
        const QString shared = mount.root() + QStringLiteral("/bin/") + QLatin1String(name);
        QVERIFY(QFileInfo::exists(shared));  // the share caches what it just looked at
        QVERIFY(QFile::remove(dir.filePath(QStringLiteral("bin/") + QLatin1String(name))));
        QVERIFY(QFileInfo::exists(shared));  // and answers from its cache
        QElapsedTimer t;
        t.start();
        QTRY_VERIFY_WITH_TIMEOUT(navigation.table().rowOfFile(QLatin1String(name)) == 0, 15000);
        qInfo("%s removed beside the share left the table after %lld ms (goal 2000 ms)", name, t.elapsed());
    }
    QCOMPARE(navigation.table().names(), QStringList{"a.bin"});
    QCOMPARE(view.stale, QStringLiteral("The record c.bin was removed by another program after it was shown."));
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() == 6 && arguments[1] == u"--worker")
        return runWorker(arguments[2], arguments[3], arguments[4].toInt(), arguments[5]);
    if (arguments.size() == 3 && arguments[1] == u"--hold")
        return runHolder(arguments[2]);
    TestRecordLock test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_recordlock.moc"
