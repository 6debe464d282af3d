// What keeps one engineer's save from losing or mixing another's, without
// windows: the fingerprint a record is compared by, Save changes only onto
// the record as shown, new files that never replace one unseen, and the lock
// on a temporary file that keeps another program's clean-up away from it.
#include "AtomicFile.h"
#include "HeaderWriteBack.h"
#include "NewFile.h"
#include "RecordLayout.h"
#include "RecordState.h"
#include "SampleRecord.h"
#include "TestSupport.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace testsupport;
using recordstate::Change;

namespace {

QByteArray recordOf(int variant) { return sample::makeRecord(sample::variant(variant)); }

RecordHeader typedValues()
{
    RecordHeader v;
    v.radioEngineer = QStringLiteral("A. Petrov");
    v.vessel = QStringLiteral("MV Baltic Dawn");
    v.manufacturerNo = QStringLiteral("41388");
    v.nextTestDate = QDate(2027, 3, 5);
    v.batteryDate = QDate(2025, 12, 24);
    return v;
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// Whether another process can take the lock on a file now.
bool lockedByOthers(const QString &path)
{
    return QProcess::execute(QStringLiteral("flock"), {QStringLiteral("--nonblock"), path, QStringLiteral("true")})
           != 0;
}

// The temporary file being written, other than `other`.
QString temporaryIn(const QString &folder, const QString &other)
{
    for (const QString &name : entries(folder))
        if (atomicfile::isTemporaryName(name.toUtf8()) && folder + u'/' + name != other)
            return folder + u'/' + name;
    return {};
}

} // namespace

class TestSharedRecords : public QObject
{
    Q_OBJECT

private slots:
    void fingerprintTellsWhatHappened_data();
    void fingerprintTellsWhatHappened();
    void saveOnlyOntoTheRecordShown_data();
    void saveOnlyOntoTheRecordShown();
    void newFileNeverReplacesUnseen_data();
    void newFileNeverReplacesUnseen();
    void temporaryFileLockedWhileWritten();
};

// The file as it is now against the record as it was shown.
void TestSharedRecords::fingerprintTellsWhatHappened_data()
{
    QTest::addColumn<QString>("now");  // how the file is changed
    QTest::addColumn<int>("change");
    QTest::addColumn<QString>("text");
    QTest::newRow("the same bytes") << "same" << int(Change::None) << QString();
    QTest::newRow("a header saved") << "header" << int(Change::HeaderChanged)
                                    << "The record r.bin was changed by another program after it was shown: its "
                                       "header now holds other values.";
    QTest::newRow("another measured part") << "measured" << int(Change::Replaced)
                                           << "The record r.bin was replaced by another record after it was shown: "
                                              "its measured values are not the ones shown.";
    QTest::newRow("its last byte") << "last" << int(Change::Replaced)
                                   << "The record r.bin was replaced by another record after it was shown: its "
                                      "measured values are not the ones shown.";
    QTest::newRow("bytes added") << "longer" << int(Change::Replaced)
                                 << "The record r.bin was replaced by another record after it was shown: its "
                                    "measured values are not the ones shown.";
    QTest::newRow("cut short") << "shorter" << int(Change::Replaced)
                               << "The record r.bin was replaced after it was shown by a file that is not a record.";
    QTest::newRow("a pipe in its place") << "fifo" << int(Change::Replaced)
                                         << "The record r.bin was replaced after it was shown by a file that is not "
                                            "a record.";
    QTest::newRow("removed") << "removed" << int(Change::Removed)
                             << "The record r.bin was removed by another program after it was shown.";
}

void TestSharedRecords::fingerprintTellsWhatHappened()
{
    QFETCH(QString, now);
    QFETCH(int, change);
    QFETCH(QString, text);
    QTemporaryDir dir;
    const QString path = dir.filePath("r.bin");
    const QByteArray shown = recordOf(3);
    writeFile(path, shown);
    const recordstate::Fingerprint atShow = recordstate::ofFile(path);
    QCOMPARE(atShow, recordstate::ofContent(shown));
    QVERIFY(atShow.isRecord());

    QByteArray bytes = shown;
    if (now == QLatin1String("header"))
        bytes[layout::VesselName] = 'X';
    else if (now == QLatin1String("measured"))
        bytes[layout::HeaderSize] = char(bytes[layout::HeaderSize] ^ 1);
    else if (now == QLatin1String("last"))
        bytes[layout::RecordSize - 1] = char(bytes[layout::RecordSize - 1] ^ 1);
    else if (now == QLatin1String("longer"))
        bytes += "tail";
    else if (now == QLatin1String("shorter"))
        bytes.chop(100);
    QFile::remove(path);
    if (now == QLatin1String("fifo"))
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    else if (now != QLatin1String("removed"))
        writeFile(path, bytes);

    const recordstate::Fingerprint found = recordstate::ofFile(path);
    QCOMPARE(int(recordstate::compare(atShow, found)), change);
    QCOMPARE(recordstate::describe(Change(change), QStringLiteral("r.bin"), found), text);
}

// Save changes writes only while the file holds the bytes it was shown from;
// otherwise nothing is written, no temporary file is left, and the result
// says what happened.
void TestSharedRecords::saveOnlyOntoTheRecordShown_data()
{
    QTest::addColumn<QString>("meanwhile");
    QTest::addColumn<int>("change");
    QTest::newRow("nothing") << "nothing" << int(Change::None);
    QTest::newRow("another header saved") << "header" << int(Change::HeaderChanged);
    QTest::newRow("another record copied over it") << "replaced" << int(Change::Replaced);
    QTest::newRow("deleted") << "removed" << int(Change::Removed);
}

void TestSharedRecords::saveOnlyOntoTheRecordShown()
{
    QFETCH(QString, meanwhile);
    QFETCH(int, change);
    QTemporaryDir dir;
    const QString path = dir.filePath("sart-0587.bin");
    writeFile(path, recordOf(2));
    const recordstate::Fingerprint shown = recordstate::ofFile(path);

    QByteArray before;
    if (meanwhile == QLatin1String("header")) {
        RecordHeader other;
        other.radioEngineer = QStringLiteral("OTHER ENGINEER");
        writeback::save(path, other);
    } else if (meanwhile == QLatin1String("replaced")) {
        writeFile(path, recordOf(5));
    } else if (meanwhile == QLatin1String("removed")) {
        QVERIFY(QFile::remove(path));
    }
    if (meanwhile != QLatin1String("removed"))
        before = readFile(path);

    const writeback::SaveResult result = writeback::saveIfUnchanged(path, typedValues(), shown);
    QCOMPARE(int(result.change), change);
    QCOMPARE(entries(dir.path()), meanwhile == QLatin1String("removed") ? QStringList() : QStringList{"sart-0587.bin"});
    if (change == int(Change::None)) {
        const QByteArray written = writeback::buildHeader(typedValues()) + recordOf(2).mid(layout::HeaderSize);
        QCOMPARE(readFile(path), written);
        QCOMPARE(result.now, recordstate::ofContent(written));
        // The save after it goes by what it wrote.
        QCOMPARE(int(writeback::saveIfUnchanged(path, typedValues(), result.now).change), int(Change::None));
    } else {
        QCOMPARE(result.now, recordstate::ofFile(path));
        if (!before.isEmpty())
            QCOMPARE(readFile(path), before);
        // Saved over it at the user's word: only onto the file as just told.
        if (change == int(Change::HeaderChanged)) {
            QCOMPARE(int(writeback::saveIfUnchanged(path, typedValues(), result.now).change), int(Change::None));
            QCOMPARE(readFile(path), writeback::buildHeader(typedValues()) + recordOf(2).mid(layout::HeaderSize));
        }
    }
}

// A received or imported record is written under a chosen name: a file that
// appears there while it is written, or changes while the replace question is
// open, is asked about and never replaced unseen.
void TestSharedRecords::newFileNeverReplacesUnseen_data()
{
    QTest::addColumn<QString>("meanwhile");
    QTest::addColumn<QList<bool>>("answers");   // to the replace questions, in turn
    QTest::addColumn<int>("expected");          // the record the file holds at the end; -1: none
    QTest::newRow("a free name") << "nothing" << QList<bool>{} << 4;
    QTest::newRow("appears while written, kept") << "appears" << QList<bool>{false} << 6;
    QTest::newRow("appears while written, replaced") << "appears" << QList<bool>{true} << 4;
    QTest::newRow("taken, replaced") << "taken" << QList<bool>{true} << 4;
    QTest::newRow("taken, kept") << "taken" << QList<bool>{false} << 1;
    QTest::newRow("changes after the answer, then kept") << "changes" << QList<bool>{true, false} << 6;
    QTest::newRow("changes after the answer, then replaced") << "changes" << QList<bool>{true, true} << 4;
}

void TestSharedRecords::newFileNeverReplacesUnseen()
{
    QFETCH(QString, meanwhile);
    QFETCH(QList<bool>, answers);
    QFETCH(int, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath("x.bin");
    if (meanwhile == QLatin1String("taken") || meanwhile == QLatin1String("changes"))
        writeFile(path, recordOf(1));

    int asked = 0;
    bool changed = false;
    newfile::Questions ask;
    ask.replace = [&](const QString &existing) {
        [&] { QCOMPARE(existing, path); }();
        return answers.value(asked++);
    };
    ask.goOnUnguarded = [](const QString &) { return false; };
    const QByteArray record = recordOf(4);
    const bool written = newfile::write(path, 0644, [&](int fd) {
        atomicfile::writeAll(fd, record.constData(), record.size());
        // Another engineer's record lands under the name while this one is written.
        if (!changed && (meanwhile == QLatin1String("appears") || meanwhile == QLatin1String("changes"))) {
            changed = true;
            writeFile(path, recordOf(6));
        }
    }, ask);
    QCOMPARE(asked, int(answers.size()));
    QCOMPARE(written, expected == 4);
    QCOMPARE(readFile(path), recordOf(expected));
    QCOMPARE(entries(dir.path()), QStringList{"x.bin"});
}

// The writer holds a lock on its temporary file while it writes; the
// clean-up at start leaves a held one alone and removes one nobody holds.
void TestSharedRecords::temporaryFileLockedWhileWritten()
{
    QTemporaryDir dir;
    const QString cutOff = dir.filePath(".sart-Cut0ff.tmp");
    writeFile(cutOff, recordOf(1).left(1000));
    QString seen;
    atomicfile::replace(dir.filePath("a.bin"), recordOf(0));
    atomicfile::replaceWith(dir.filePath("b.bin"), 0644, [&](int fd) {
        seen = temporaryIn(dir.path(), cutOff);
        [&] {
            QVERIFY(!seen.isEmpty());
            QVERIFY(lockedByOthers(seen));
            // Another program starting now cleans up around it.
            atomicfile::removeStaleTemporaries(dir.path());
            QVERIFY(QFile::exists(seen));
            QVERIFY(!QFile::exists(cutOff));
        }();
        const QByteArray record = recordOf(2);
        atomicfile::writeAll(fd, record.constData(), record.size());
    });
    QVERIFY(!QFile::exists(seen));
    QCOMPARE(entries(dir.path()), QStringList({"a.bin", "b.bin"}));
    QCOMPARE(readFile(dir.filePath("b.bin")), recordOf(2));
    QVERIFY(!lockedByOthers(dir.filePath("b.bin")));
}

QTEST_GUILESS_MAIN(TestSharedRecords)
#include "tst_sharedrecords.moc"
