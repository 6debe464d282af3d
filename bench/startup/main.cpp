// Start-up at 0, 999, 10,000 and 100,000 records (or the counts given), each
// run a whole process on the offscreen platform, library loading and
// QApplication included, against two bare windows built with the same Qt:
//   - a QMainWindow with a QTableView showing the same rows (names listed and
//     sorted, dates blank): the program's window with its first screen of
//     rows painted is measured against it (goal <= 1.3 x);
//   - the same window that reads each record's dates before it shows: the
//     program with the whole archive listed (dates read, the record shown at
//     start decoded) is measured against it (goal <= 1.2 x);
// and the peak memory (VmHWM) per record above the first bare window at the
// largest count, taken once the archive index is built (goal <= 1 KB per
// record at 100,000). Prints each figure with
// its ratio and goal; exits 1 when a goal is missed.
#include "ArchiveIndex.h"
#include "BenchSupport.h"
#include "FileGrid.h"
#include "Finder.h"
#include "SampleRecord.h"
#include "Unit1.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QMainWindow>
#include <QProcess>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

double nowMs()
{
    timespec ts {};
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

// Milliseconds since the parent started this process.
double sinceStart() { return nowMs() - qEnvironmentVariable("SART_BENCH_T0").toDouble(); }

long peakKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

void report(double painted, double listed)
{
    std::printf("%.3f %.3f %ld\n", painted, listed, peakKb());
    std::fflush(stdout);
}

// Calls `painted` once, at the first paint of `widget`.
class FirstPaint : public QObject
{
public:
    FirstPaint(QWidget *widget, std::function<void()> painted) : m_painted(std::move(painted))
    {
        widget->installEventFilter(this);
    }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && m_painted)
            std::exchange(m_painted, nullptr)();
        return false;
    }

private:
    std::function<void()> m_painted;
};

// The bare window's rows: number, name and three date cells, at least a
// thousand rows as the program's table has.
class Rows : public QAbstractTableModel
{
public:
    QVector<QStringList> rows;
    int rowCount(const QModelIndex & = {}) const override { return std::max(999, int(rows.size()) + 1); }
    int columnCount(const QModelIndex & = {}) const override { return 5; }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole || index.row() >= rows.size())
            return {};
        return index.column() == 0 ? QVariant(index.row() + 1) : QVariant(rows[index.row()][index.column()]);
    }
};

int runBare(int argc, char **argv, bool withDates)
{
    QApplication app(argc, argv);
    auto *model = new Rows;
    QList<QByteArray> names;
    if (DIR *dir = ::opendir("bin")) {
        while (const dirent *e = ::readdir(dir)) {
            const size_t n = strlen(e->d_name);
            if (n >= 4 && strcasecmp(e->d_name + n - 4, ".bin") == 0)
                names.append(QByteArray(e->d_name));
        }
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end(), [](const QByteArray &a, const QByteArray &b) { return qstricmp(a, b) < 0; });
    const int dirFd = ::open("bin", O_RDONLY | O_DIRECTORY);
    model->rows.reserve(names.size());
    for (const QByteArray &name : std::as_const(names)) {
        QStringList row(5);
        row[1] = QString::fromLocal8Bit(name);
        if (withDates) {
            char bytes[652];
            const int fd = ::openat(dirFd, name.constData(), O_RDONLY);
            if (fd >= 0 && ::pread(fd, bytes, sizeof bytes, 3444) == ssize_t(sizeof bytes)) {
                row[2] = QString::fromLatin1(bytes, 6);
                row[3] = QString::fromLatin1(bytes + 10, 6);
                row[4] = QString::fromLatin1(bytes + 20, 8);
            }
            if (fd >= 0)
                ::close(fd);
        }
        model->rows.append(std::move(row));
    }
    ::close(dirFd);
    QMainWindow window;
    auto *view = new QTableView;
    view->setModel(model);
    view->verticalHeader()->hide();
    window.setCentralWidget(view);
    window.resize(803, 564);
    FirstPaint first(view->viewport(), [&] {
        const double painted = sinceStart();
        QTimer::singleShot(0, &app, [&app, painted] {
            report(painted, painted);
            app.quit();
        });
    });
    window.show();
    return app.exec();
}

int runProgram(int argc, char **argv)
{
    QApplication app(argc, argv);
    double painted = -1;
    TForm1 form;
    FirstPaint first(form.grid()->viewport(), [&] { painted = sinceStart(); });
    form.show();
    // Whole: the dates read and the record shown at start decoded.
    bool listed = false;
    form.navigation().whenListed([&] { listed = true; });
    // The peak memory is taken once the archive index is built too: it holds
    // every record's header and values.
    double whole = -1;
    auto *poll = new QTimer(&app);
    QObject::connect(poll, &QTimer::timeout, &app, [&] {
        if (whole < 0 && listed && painted >= 0
            && (form.navigation().LastRow == 0 || !form.navigation().shownPath().isEmpty()))
            whole = sinceStart();
        const archive::ArchiveIndex &index = form.Finder1->index();
        if (whole >= 0 && !index.isBuilding()
            && index.entries().size() == form.navigation().table().listedCount()) {
            poll->stop();
            report(painted, whole);
            app.quit();
        }
    });
    poll->start(1);
    return app.exec();
}

struct Run
{
    double painted = 0, listed = 0, peakKb = 0;
};

Run runChild(const QString &self, const QString &mode, const QString &dir)
{
    QProcess child;
    child.setWorkingDirectory(dir);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("SART_BENCH_T0"), QString::number(nowMs(), 'f', 3));
    child.setProcessEnvironment(env);
    child.start(self, {mode});
    child.waitForFinished(300000);
    const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
    if (figures.size() != 3) {
        std::fprintf(stderr, "%s gave no figures\n", qPrintable(mode));
        return {};
    }
    return {figures[0].toDouble(), figures[1].toDouble(), figures[2].toDouble()};
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

QString loadAverage()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()).section(u' ', 0, 2) : QString();
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc > 1 && qstrcmp(argv[1], "--bare") == 0)
        return runBare(argc, argv, false);
    if (argc > 1 && qstrcmp(argv[1], "--bare-dates") == 0)
        return runBare(argc, argv, true);
    if (argc > 1 && qstrcmp(argv[1], "--program") == 0)
        return runProgram(argc, argv);

    QCoreApplication app(argc, argv);
    const QList<int> counts = bench::recordCounts(argc, argv, {0, 999, 10000, 100000});
    const QString self = QCoreApplication::applicationFilePath();
    bool met = true;
    for (const int count : counts) {
        QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench-startup-XXXXXX"));
        QDir(dir.path()).mkdir(QStringLiteral("bin"));
        if (!fillArchive(dir.filePath(QStringLiteral("bin")), count))
            return 2;
        QVector<double> barePainted, datesListed, painted, listed, bareKb, programKb;
        const int runs = count >= 100000 ? 5 : 7;
        for (int run = 0; run < runs; ++run) {
            const Run b = runChild(self, QStringLiteral("--bare"), dir.path());
            const Run d = runChild(self, QStringLiteral("--bare-dates"), dir.path());
            const Run p = runChild(self, QStringLiteral("--program"), dir.path());
            barePainted << b.painted;
            datesListed << d.listed;
            painted << p.painted;
            listed << p.listed;
            bareKb << b.peakKb;
            programKb << p.peakKb;
        }
        const double bp = bench::median(barePainted), dl = bench::median(datesListed), pp = bench::median(painted),
                     pl = bench::median(listed);
        const bool shownMet = pp <= 1.3 * bp, listedMet = pl <= 1.2 * dl;
        met = met && shownMet && listedMet;
        std::printf("%6d records: window shown with its first rows %.1f ms, bare window %.1f ms, ratio %.2f "
                    "(goal <= 1.3)%s\n",
                    count, pp, bp, pp / bp, shownMet ? "" : " MISSED");
        std::printf("%6d records: whole archive listed %.1f ms, bare window reading the dates %.1f ms, ratio %.2f "
                    "(goal <= 1.2)%s\n",
                    count, pl, dl, pl / dl, listedMet ? "" : " MISSED");
        const double perRecord = count > 0 ? (bench::median(programKb) - bench::median(bareKb)) * 1024.0 / count : 0;
        if (count > 0) {
            const bool memoryMet = count < 100000 || perRecord <= 1024;
            met = met && memoryMet;
            std::printf("%6d records: peak memory %.1f MB, bare window %.1f MB, %.0f bytes per record above it%s%s\n",
                        count, bench::median(programKb) / 1024, bench::median(bareKb) / 1024, perRecord,
                        count >= 100000 ? " (goal <= 1024)" : "", memoryMet ? "" : " MISSED");
        }
        std::printf("%6d records: load average %s\n", count, qPrintable(loadAverage()));
        std::fflush(stdout);
    }
    return met ? 0 : 1;
}
