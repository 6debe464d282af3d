// An archive shared by several engineers, at 10,000 and 100,000 records, each
// figure against a floor measured in the same run:
// - the poll that finds other computers' changes on a network share, against
//   the bare system calls it needs (list the folder, stat each record);
// - how soon a record another program adds is listed: where the kernel
//   reports it, in the real main window, against a bare inotify reader; and
//   polled (a share), against a bare poller with the same interval;
// - how soon a record removed beside a share that caches attributes leaves
//   the table seen through it, against a bare poller of the mount;
// - what the archive folder's lock adds to a save;
// - one Save changes: the files the archive index reads for it, the window's
//   time for the save and the time until the index knows it, against saving
//   and indexing that one record on its own;
// - Find at 100,000 records: the longest time the window's event loop waits
//   per keystroke (from the key to the results shown), against typing into a
//   bare line edit.
#include "ArchiveIndex.h"
#include "ArchiveScan.h"
#include "BenchSupport.h"
#include "FindDialog.h"
#include "Finder.h"
#include "FolderWatch.h"
#include "HeaderWriteBack.h"
#include "Navigation.h"
#include "RecordLock.h"
#include "RecordState.h"
#include "NoView.h"
#include "SampleArchive.h"
#include "Unit1.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The distinct records of a service centre's archive, repeated under new
// names up to `count`.
QVector<sample::ArchiveRecord> writeArchive(const QString &folder, int count)
{
    const QVector<sample::ArchiveRecord> distinct = sample::serviceArchive(std::min(count, 10000), QDate::currentDate());
    for (int i = 0; i < count; ++i) {
        const sample::ArchiveRecord &r = distinct[i % distinct.size()];
        QFile f(folder + QStringLiteral("/%1-%2").arg(i / distinct.size()).arg(r.fileName));
        if (!f.open(QIODevice::WriteOnly) || f.write(r.bytes) != r.bytes.size())
            qFatal("cannot write the archive");
    }
    return distinct;
}

// What any poll must do: list the folder and look at each record's entry.
int listAndStat(const QByteArray &folder, const char *looking = nullptr)
{
    int found = 0;
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return 0;
    while (const dirent *e = ::readdir(dir)) {
        if (!archive::isRecordName(e->d_name))
            continue;
        struct stat st {};
        ::fstatat(::dirfd(dir), e->d_name, &st, 0);
        if (looking && std::strcmp(e->d_name, looking) == 0)
            found = 1;
    }
    ::closedir(dir);
    return found;
}

// Listing the folder alone: what a quick poll needs.
void listOnly(const QByteArray &folder)
{
    if (DIR *dir = ::opendir(folder.constData())) {
        while (::readdir(dir)) {
        }
        ::closedir(dir);
    }
}

void pollCost(const QString &folder, int count)
{
    const QByteArray bytes = QFile::encodeName(folder);
    archive::FolderSnapshot snapshot;
    const archive::ScanResult listed = archive::scan(folder);
    snapshot.reset(listed.names, listed.identities);
    QVector<double> listFloors, statFloors, listings, everything;
    for (int run = 0; run < 9; ++run) {
        auto t = Clock::now();
        listOnly(bytes);
        listFloors << msSince(t);
        t = Clock::now();
        listAndStat(bytes);
        statFloors << msSince(t);
        t = Clock::now();
        const bool found = !snapshot.poll(bytes, 0).isEmpty();
        listings << msSince(t);
        t = Clock::now();
        if (found || !snapshot.poll(bytes).isEmpty())
            std::fprintf(stderr, "the poll found changes in an unchanged folder\n");
        everything << msSince(t);
    }
    const double lf = bench::median(listFloors), sf = bench::median(statFloors), l = bench::median(listings),
                 e = bench::median(everything);
    // A quiet share's poll: the folder's stamp and LooksPerPoll closer looks
    // (after the two listings that settle the stamp).
    QVector<double> quiet;
    for (int run = 0; run < 12; ++run) {
        const auto t = Clock::now();
        if (!snapshot.pollShare(bytes, archive::FolderWatch::LooksPerPoll).isEmpty())
            std::fprintf(stderr, "the poll found changes in an unchanged folder\n");
        if (run >= 3)
            quiet << msSince(t);
    }
    const double q = bench::median(quiet);
    std::printf("poll of %6d records: listing (finds records added, removed, replaced) %.1f ms = %.2f x floor "
                "(listing the folder, %.1f ms); looking at every record (finds any overwritten in place) %.1f ms = "
                "%.2f x floor (listing and a stat of each, %.1f ms); a quiet share's poll %.3f ms (%d closer looks), "
                "every record looked at within %d s\n",
                count, l, l / lf, lf, e, e / sf, sf, q, archive::FolderWatch::LooksPerPoll,
                (count + archive::FolderWatch::LooksPerPoll - 1) / archive::FolderWatch::LooksPerPoll);
}

// A new record put in place as a save does: written aside, renamed in.
void putRecord(const QString &folder, const QString &name, const QByteArray &bytes)
{
    const QString temp = folder + QStringLiteral("/.bench.tmp");
    QFile f(temp);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write");
    f.close();
    if (::rename(QFile::encodeName(temp).constData(), QFile::encodeName(folder + u'/' + name).constData()) != 0)
        qFatal("cannot rename");
}

bool spinUntil(const std::function<bool()> &done, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return true;
}

// Reported by the kernel: the real window lists a new record, against a bare
// inotify reader of the same folder.
void reportedLatency(TForm1 &form, const QString &folder, const QByteArray &record, int count)
{
    QVector<double> floors, listed;
    for (int run = 0; run < 9; ++run) {
        const int fd = ::inotify_init1(IN_CLOEXEC);
        ::inotify_add_watch(fd, QFile::encodeName(folder).constData(), IN_MOVED_TO);
        const QString bare = QStringLiteral("zz-bare-%1.bin").arg(run);
        auto t = Clock::now();
        putRecord(folder, bare, record);
        pollfd p{fd, POLLIN, 0};
        ::poll(&p, 1, 10000);
        floors << msSince(t);
        ::close(fd);
        spinUntil([&] { return form.navigation().table().rowOfFile(bare) > 0; }, 10000);  // settle

        const QString name = QStringLiteral("zz-new-%1.bin").arg(run);
        t = Clock::now();
        putRecord(folder, name, record);
        if (!spinUntil([&] { return form.navigation().table().rowOfFile(name) > 0; }, 10000))
            std::fprintf(stderr, "the window did not list %s\n", qPrintable(name));
        listed << msSince(t);
    }
    const double f = bench::median(floors), l = bench::median(listed);
    std::printf("change latency, %6d records, reported by the kernel: listed in the window after %.1f ms "
                "(goal <= 2000 ms) = %.0f x floor (a bare inotify reader, %.3f ms)\n",
                count, l, l / f, f);
}

// Polled, as on a network share: the watch and the navigation without a
// window, against a bare poller with the same interval running beside it.
void polledLatency(const QString &start, int count, const QByteArray &record)
{
    const QString folder = start + QStringLiteral("/bin");
    NoView view;
    Navigation navigation(start, view);
    navigation.scan();
    archive::FolderWatch watch(archive::FolderWatch::Events::PollOnly);
    QObject::connect(&watch, &archive::FolderWatch::filesChanged, &watch,
                     [&](const QStringList &names, const QStringList &gone) { navigation.filesChanged(names, gone); });
    watch.watch(folder, navigation.table().names(), navigation.table().identities());

    std::atomic_bool stop{false};
    std::atomic<Clock::rep> changedAt{0}, seenAt{0};
    std::atomic_int round{0};
    std::thread bare([&] {
        const QByteArray bytes = QFile::encodeName(folder);
        int seenRound = -1;
        while (!stop) {
            const int r = round;
            const std::string name = QStringLiteral("zz-polled-%1.bin").arg(r).toStdString();
            if (r != seenRound && listAndStat(bytes, name.c_str())) {
                seenAt = Clock::now().time_since_epoch().count();
                seenRound = r;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(archive::FolderWatch::PollIntervalMs));
        }
    });
    QVector<double> floors, listed;
    for (int run = 0; run < 7; ++run) {
        // A change at any moment of the poll's period.
        spinUntil([] { return false; }, 200 + QRandomGenerator::global()->bounded(1000));
        round = run;
        seenAt = 0;
        const QString name = QStringLiteral("zz-polled-%1.bin").arg(run);
        const auto t = Clock::now();
        changedAt = t.time_since_epoch().count();
        putRecord(folder, name, record);
        if (!spinUntil([&] { return navigation.table().rowOfFile(name) > 0; }, 20000))
            std::fprintf(stderr, "the poll did not list %s\n", qPrintable(name));
        listed << msSince(t);
        spinUntil([&] { return seenAt != 0; }, 20000);
        floors << std::chrono::duration<double, std::milli>(Clock::duration(seenAt - changedAt)).count();
    }
    stop = true;
    bare.join();
    const double f = bench::median(floors), l = bench::median(listed);
    std::printf("change latency, %6d records, polled (a network share): listed after %.0f ms (goal <= 2000 ms) "
                "= %.2f x floor (a bare poller, one listing a second, %.0f ms)\n",
                count, l, l / f, f);
}

// A record removed beside a bindfs mount that caches attributes and names
// for 5 seconds, as a network share seen from another computer: how soon the
// navigation working through the mount drops its row, against a bare poller
// that lists the mount once a second. The share is made to have just looked
// at the file, so that a look at it would still find it.
void deletedBesideShare(const QString &start, int count, const QByteArray &record)
{
    const QString folder = start + QStringLiteral("/bin");
    QTemporaryDir mountDir;
    const QString mount = mountDir.path();
    constexpr int Runs = 7;
    for (int run = 0; run < Runs; ++run)
        putRecord(folder, QStringLiteral("zz-gone-%1.bin").arg(run), record);
    if (QProcess::execute(QStringLiteral("bindfs"), {QStringLiteral("-o"), QStringLiteral("attr_timeout=5,entry_timeout=5"),
                                                     start, mount})
        != 0) {
        std::printf("deletion beside a share, %6d records: not measured (bindfs cannot mount here)\n", count);
        return;
    }
    {
        NoView view;
        Navigation navigation(mount, view);
        navigation.scan();
        archive::FolderWatch watch(archive::FolderWatch::Events::FromKernel);
        QObject::connect(&watch, &archive::FolderWatch::filesChanged, &watch,
                         [&](const QStringList &names, const QStringList &gone) { navigation.filesChanged(names, gone); });
        watch.watch(navigation.archiveFolder(), navigation.table().names(), navigation.table().identities());

        std::atomic_bool stop{false};
        std::atomic<Clock::rep> removedAt{0}, seenAt{0};
        std::atomic_int round{-1};
        std::thread bare([&] {
            const QByteArray bytes = QFile::encodeName(mount + QStringLiteral("/bin"));
            int seenRound = -1;
            while (!stop) {
                const int r = round;
                const std::string name = QStringLiteral("zz-gone-%1.bin").arg(r).toStdString();
                if (r >= 0 && r != seenRound && removedAt != 0 && !listAndStat(bytes, name.c_str())) {
                    seenAt = Clock::now().time_since_epoch().count();
                    seenRound = r;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(archive::FolderWatch::PollIntervalMs));
            }
        });
        QVector<double> floors, dropped;
        for (int run = 0; run < Runs; ++run) {
            spinUntil([] { return false; }, 200 + QRandomGenerator::global()->bounded(1000));
            const QString name = QStringLiteral("zz-gone-%1.bin").arg(run);
            struct stat st {};
            ::stat(QFile::encodeName(mount + QStringLiteral("/bin/") + name).constData(), &st);  // cached now
            seenAt = 0;
            removedAt = 0;
            round = run;
            const auto t = Clock::now();
            removedAt = t.time_since_epoch().count();
            QFile::remove(folder + u'/' + name);
            if (!spinUntil([&] { return navigation.table().rowOfFile(name) == 0; }, 20000))
                std::fprintf(stderr, "the navigation through the share kept %s\n", qPrintable(name));
            dropped << msSince(t);
            spinUntil([&] { return seenAt != 0; }, 20000);
            floors << std::chrono::duration<double, std::milli>(Clock::duration(seenAt - removedAt)).count();
        }
        stop = true;
        bare.join();
        const double f = bench::median(floors), d = bench::median(dropped);
        std::printf("deletion beside a share (bindfs, 5 s cache), %6d records: dropped after %.0f ms (goal <= 2000 ms) "
                    "= %.2f x floor (a bare poller of the mount, one listing a second, %.0f ms)\n",
                    count, d, d / f, f);
    }
    if (QProcess::execute(QStringLiteral("fusermount"), {QStringLiteral("-u"), mount}) != 0)
        QProcess::execute(QStringLiteral("fusermount"), {QStringLiteral("-u"), QStringLiteral("-z"), mount});
}

// What the archive folder's lock adds to one Save changes: the save under the
// lock, against taking and letting go of the lock alone.
void lockCost(const QString &folder, const QByteArray &record)
{
    const QString path = folder + QStringLiteral("/zz-locked.bin");
    putRecord(folder, QStringLiteral("zz-locked.bin"), record);
    QVector<double> saves, locks;
    RecordHeader values;
    for (int run = 0; run < 51; ++run) {
        values.radioEngineer = QStringLiteral("run %1").arg(run);
        const recordstate::Fingerprint shown = recordstate::ofFile(path);
        auto t = Clock::now();
        writeback::saveIfUnchanged(path, values, shown);
        saves << msSince(t);
        t = Clock::now();
        { const recordlock::Held lock(path, QStringLiteral("save")); }
        locks << msSince(t);
    }
    QFile::remove(path);
    const double s = bench::median(saves), l = bench::median(locks);
    std::printf("the archive's lock in one Save changes: %.3f ms of the save's %.3f ms (%.0f %%)\n", l, s,
                100.0 * l / s);
}

// One Save changes in the real window: what the index reads for it and how
// long the window and the index take, against saving and indexing that one
// record on its own.
void saveIndexUpdate(TForm1 &form, const QString &folder, int count)
{
    const archive::ArchiveIndex &index = form.Finder1->index();
    const int row = count / 2;
    form.chooseRow(row);
    const QString path = form.navigation().shownPath();
    auto *vessel = form.findChild<QLineEdit *>(QStringLiteral("Edit4"));
    bool changed = false;
    QObject::connect(&index, &archive::ArchiveIndex::changed, &form, [&] { changed = true; });
    QVector<double> windows, indexed, floors;
    qint64 reads = 0;
    for (int run = 0; run < 7; ++run) {
        vessel->setText(QStringLiteral("MV Bench %1").arg(run));
        changed = false;
        const qint64 before = index.filesRead();
        auto t = Clock::now();
        form.ToolButton11Click();
        windows << msSince(t);
        if (!spinUntil([&] { return changed; }, 20000))
            std::fprintf(stderr, "the index did not follow the save\n");
        indexed << msSince(t);
        reads = std::max(reads, index.filesRead() - before);

        const RecordHeader values = form.recordPanel()->values();
        t = Clock::now();
        writeback::save(path, values);
        const archive::IndexEntry entry = archive::indexRecord({QFileInfo(path).fileName(), path, {}});
        floors << msSince(t);
        if (entry.vessel != vessel->text())
            std::fprintf(stderr, "indexed %s\n", qPrintable(entry.vessel));
        spinUntil([] { return false; }, 300);  // the watch sees that save too, and the index reads it
    }
    const double f = bench::median(floors), w = bench::median(windows), i = bench::median(indexed);
    std::printf("one save's index update, %6d records: %lld file(s) read by the index; window %.2f ms = %.1f x floor, "
                "index up to date after %.2f ms = %.1f x floor (saving and indexing one record alone, %.2f ms)\n",
                count, reads, w, w / f, i, i / f, f);
    Q_UNUSED(folder);
}

// The longest wait of the event loop while `work` runs and until `done`: a
// timer beats every millisecond; the largest gap between beats, or the time
// `work` itself took, whichever is longer.
double longestStall(const std::function<void()> &work, const std::function<bool()> &done)
{
    QTimer beat;
    beat.setTimerType(Qt::PreciseTimer);
    beat.setInterval(1);
    auto last = Clock::now();
    double longest = 0;
    QObject::connect(&beat, &QTimer::timeout, [&] {
        longest = std::max(longest, msSince(last));
        last = Clock::now();
    });
    beat.start();
    spinUntil([] { return false; }, 5);
    const auto t = Clock::now();
    work();
    longest = std::max(longest, msSince(t));
    last = Clock::now();
    spinUntil(done, 20000);
    spinUntil([] { return false; }, 5);  // the repaint of the results
    return longest;
}

void typeInto(QLineEdit *edit, QChar c)
{
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
    QCoreApplication::sendEvent(edit, &press);
    QCoreApplication::sendEvent(edit, &release);
}

void findPerKeystroke(TForm1 &form, const QVector<sample::ArchiveRecord> &records, int count)
{
    // Someone looking for a vessel, then narrowing by the manufacturer's number.
    const sample::ArchiveRecord *target = nullptr;
    for (const sample::ArchiveRecord &r : records)
        if (r.saved && !r.header.vessel.isEmpty() && !r.header.manufacturerNo.isEmpty()) {
            target = &r;
            break;
        }
    const QString query = target->header.vessel.left(6).toLower() + u' ' + target->header.manufacturerNo.right(3);

    QDialog bareDialog;
    auto *bareEdit = new QLineEdit(&bareDialog);
    (new QVBoxLayout(&bareDialog))->addWidget(bareEdit);
    bareDialog.show();
    QVector<double> floors;
    for (QChar c : query)
        floors << longestStall([&] { typeInto(bareEdit, c); }, [] { return true; });
    bareDialog.hide();

    form.Finder1->showFind();
    FindDialog *find = form.Finder1->findDialog();
    QLineEdit *edit = find->searchField();
    spinUntil([&] { return find->showsResultsFor(edit->text()); }, 20000);
    QVector<double> stalls, shown;
    for (QChar c : query) {
        const auto t = Clock::now();
        stalls << longestStall([&] { typeInto(edit, c); }, [&] { return find->showsResultsFor(edit->text()); });
        shown << msSince(t);
    }
    // What one keystroke cost the window before, searching on its thread.
    const auto t = Clock::now();
    const QVector<int> matches = archive::search(form.Finder1->index().entries(), query);
    const double search = msSince(t);
    const double s = bench::median(stalls), f = bench::median(floors);
    std::printf("Find per keystroke, %6d records (\"%s\", %lld matches at the end): the window waits at most "
                "%.1f ms (median of keystrokes; %.1f ms at worst; goal <= 50 ms) = %.1f x floor (typing into a "
                "bare line edit, %.2f ms); results shown after %.0f ms; the search itself, off the window's "
                "thread, %.0f ms\n",
                count, qPrintable(query), qlonglong(matches.size()), s, *std::max_element(stalls.begin(), stalls.end()),
                s / f, f, bench::median(shown), search);
    find->hide();
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    for (int count : bench::recordCounts(argc, argv, {10000, 100000})) {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("bin"));
        QDir().mkpath(folder);
        const QVector<sample::ArchiveRecord> records = writeArchive(folder, count);
        const QByteArray record = records[1].bytes;
        pollCost(folder, count);
        polledLatency(dir.path(), count, record);
        deletedBesideShare(dir.path(), count, record);
        lockCost(folder, record);

        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        TForm1 form;
        form.show();
        QDir::setCurrent(previous);
        const archive::ArchiveIndex &index = form.Finder1->index();
        spinUntil([&] { return !index.isBuilding() && index.entries().size() >= count; }, 600000);
        reportedLatency(form, folder, record, count);
        saveIndexUpdate(form, folder, count);
        if (count >= 100000)
            findPerKeystroke(form, records, count);
    }
    return 0;
}
