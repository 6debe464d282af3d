// The processor time an idle program takes while it watches its archive
// folder for other engineers' changes: the program started on 100,000 records
// (or the counts given), left alone once the archive is listed and indexed,
// measured over 60 s (SART_IDLE_SECONDS) as a share of one core. On a local
// disk (goal <= 0.2 %), and through a bindfs mount of the same folder, as a
// network share is seen, counting the FUSE daemon's time too (goal <= 1 %).
// Prints each figure with its goal and the load average; exits 1 when a goal
// is missed. Writes about 4 KB per record into a folder below the current one
// and removes it.
#include "BenchSupport.h"
#include "Finder.h"
#include "SampleRecord.h"
#include "Unit1.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

namespace {

int runProgram(int argc, char **argv)
{
    QApplication app(argc, argv);
    TForm1 form;
    form.show();
    bool listed = false;
    form.navigation().whenListed([&] { listed = true; });
    auto *poll = new QTimer(&app);
    QObject::connect(poll, &QTimer::timeout, &app, [&] {
        const archive::ArchiveIndex &index = form.Finder1->index();
        if (listed && !index.isBuilding()
            && (form.navigation().LastRow == 0 || !form.navigation().shownPath().isEmpty())) {
            poll->stop();
            std::printf("ready\n");
            std::fflush(stdout);
        }
    });
    poll->start(100);
    return app.exec();
}

// User and system time of a process so far, in seconds.
double cpuSeconds(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    return (fields.value(11).toDouble() + fields.value(12).toDouble()) / double(::sysconf(_SC_CLK_TCK));
}

bool fillArchive(const QString &folder, int count)
{
    QVector<QByteArray> variants;
    for (int v = 0; v < 8; ++v)
        variants << sample::makeRecord(sample::variant(v));
    for (int i = 0; i < count; ++i) {
        QFile f(folder + QStringLiteral("/rec%1.bin").arg(i, 6, 10, QChar(u'0')));
        if (!f.open(QIODevice::WriteOnly) || f.write(variants[i % 8]) != 4096)
            return false;
    }
    return true;
}

bool isMounted(const QString &point)
{
    QFile mounts(QStringLiteral("/proc/mounts"));
    return mounts.open(QIODevice::ReadOnly) && mounts.readAll().contains(' ' + QFile::encodeName(point) + ' ');
}

// Percent of one core the program (and `daemon`, when given) takes while idle.
double idlePercent(const QString &self, const QString &start, qint64 daemon, int seconds)
{
    QProcess program;
    program.setWorkingDirectory(start);
    program.start(self, {QStringLiteral("--program")});
    while (program.state() != QProcess::NotRunning && !program.readAllStandardOutput().contains("ready"))
        program.waitForReadyRead(1000);
    if (program.state() == QProcess::NotRunning) {
        std::fprintf(stderr, "the program ended before it was ready\n");
        return 100;
    }
    QThread::sleep(2);  // the first look of the folder's watch after its listing
    const double before = cpuSeconds(program.processId()) + (daemon ? cpuSeconds(daemon) : 0);
    QThread::sleep(seconds);
    const double after = cpuSeconds(program.processId()) + (daemon ? cpuSeconds(daemon) : 0);
    program.kill();
    program.waitForFinished();
    return 100.0 * (after - before) / seconds;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc > 1 && qstrcmp(argv[1], "--program") == 0)
        return runProgram(argc, argv);
    QCoreApplication app(argc, argv);
    const int seconds = qEnvironmentVariableIsSet("SART_IDLE_SECONDS") ? qEnvironmentVariableIntValue("SART_IDLE_SECONDS") : 60;
    const QString self = QCoreApplication::applicationFilePath();
    bool met = true;
    for (const int count : bench::recordCounts(argc, argv, {100000})) {
        QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench-idle-XXXXXX"));
        QDir(dir.path()).mkpath(QStringLiteral("local/bin"));
        if (!fillArchive(dir.filePath(QStringLiteral("local/bin")), count))
            return 2;
        const double local = idlePercent(self, dir.filePath(QStringLiteral("local")), 0, seconds);
        const bool localMet = local <= 0.2;
        met = met && localMet;
        std::printf("idle with %6d records on a local disk: %.3f %% of a core over %d s (goal <= 0.2 %%)%s; "
                    "load average %s\n",
                    count, local, seconds, localMet ? "" : " MISSED", bench::loadAverage().constData());
        std::fflush(stdout);

        const QString bindfs = QStandardPaths::findExecutable(QStringLiteral("bindfs"));
        if (bindfs.isEmpty() || !QFile::exists(QStringLiteral("/dev/fuse"))) {
            std::printf("idle with %6d records on a share: not measured (bindfs or /dev/fuse missing)\n", count);
            continue;
        }
        const QString point = dir.filePath(QStringLiteral("share/bin"));
        QDir().mkpath(point);
        QProcess daemon;
        daemon.start(bindfs, {QStringLiteral("-f"), QStringLiteral("-o"), QStringLiteral("attr_timeout=1,entry_timeout=1"),
                              dir.filePath(QStringLiteral("local/bin")), point});
        for (int i = 0; i < 100 && !isMounted(point); ++i)
            QThread::msleep(50);
        if (!isMounted(point)) {
            std::printf("idle with %6d records on a share: not measured (bindfs did not mount)\n", count);
            continue;
        }
        const double share = idlePercent(self, dir.filePath(QStringLiteral("share")), daemon.processId(), seconds);
        QProcess::execute(QStringLiteral("fusermount"), {QStringLiteral("-u"), point});
        daemon.waitForFinished(5000);
        const bool shareMet = share <= 1.0;
        met = met && shareMet;
        std::printf("idle with %6d records through a bindfs mount (program and FUSE daemon): %.3f %% of a core "
                    "over %d s (goal <= 1 %%)%s; load average %s\n",
                    count, share, seconds, shareMet ? "" : " MISSED", bench::loadAverage().constData());
        std::fflush(stdout);
    }
    return met ? 0 : 1;
}
