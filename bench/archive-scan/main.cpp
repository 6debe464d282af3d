// The archive rescan of 999, 10,000 and 100,000 record files against the floor
// of the same system calls: open each file, read the 14 bytes the table needs,
// close. Two rescans are measured: the navigation's alone (listing, sorting,
// reading, filling the table, finding the shown record's row) and the main
// window's, which also refreshes the file table widget (offscreen platform).
#include "BenchSupport.h"
#include "Navigation.h"
#include "NoView.h"
#include "RecordLayout.h"
#include "SampleRecord.h"
#include "Unit1.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

double floorRun(const QString &folder, const QStringList &names)
{
    QElapsedTimer t;
    t.start();
    char bytes[16];
    for (const QString &name : names) {
        const int fd = ::open(QFile::encodeName(folder + u'/' + name).constData(), O_RDONLY);
        if (fd < 0)
            continue;
        if (::pread(fd, bytes, 6, layout::TestingDate) != 6 || ::pread(fd, bytes, 8, layout::ReceiveTime) != 8)
            std::fprintf(stderr, "short read\n");
        ::close(fd);
    }
    return t.nsecsElapsed() / 1e6;
}

double rescanRun(Navigation &navigation)
{
    QElapsedTimer t;
    t.start();
    navigation.rescan();
    return t.nsecsElapsed() / 1e6;
}

double windowRescanRun(TForm1 &form)
{
    QElapsedTimer t;
    t.start();
    form.Timer1Timer();
    QCoreApplication::processEvents();
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // File counts may be given on the command line.
    bool met = true;
    for (int count : bench::recordCounts(argc, argv, {999, 10000, 100000})) {
        QTemporaryDir dir;
        const QString folder = dir.path() + QStringLiteral("/bin");
        QDir().mkpath(folder);
        QStringList names;
        for (int i = 0; i < count; ++i) {
            const QString name = QStringLiteral("rec%1.bin").arg(i, 6, 10, QChar(u'0'));
            QFile f(folder + u'/' + name);
            if (!f.open(QIODevice::WriteOnly) || f.write(sample::makeRecord(sample::variant(i))) != 4096)
                return 1;
            names << name;
        }
        NoView view;
        Navigation navigation(dir.path(), view);
        navigation.scan();
        navigation.startupOpen();  // the last record shown, as after start-up
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        TForm1 form;
        form.show();
        QCoreApplication::processEvents();
        QDir::setCurrent(previous);
        QVector<double> floors, scans, windowScans;
        const int runs = count > 10000 ? 7 : 9;
        for (int run = 0; run < runs; ++run) {
            floors << floorRun(folder, names);
            scans << rescanRun(navigation);
            windowScans << windowRescanRun(form);
        }
        const double f = bench::median(floors), s = bench::median(scans), w = bench::median(windowScans);
        std::printf("archive rescan %6d files: floor %.1f ms; navigation %.1f ms = %.2f x floor; "
                    "main window %.1f ms = %.2f x floor (goal <= 1.5)\n",
                    count, f, s, s / f, w, w / f);
        met = met && w / f <= 1.5;
    }
    return met ? 0 : 1;
}
