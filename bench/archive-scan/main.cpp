// Archive scan of 999, 10,000 and 100,000 record files against the floor of
// the same system calls: open each file, read the 14 bytes the table needs,
// close. The scan includes listing, sorting and filling the table.
#include "ArchiveScan.h"
#include "FileTable.h"
#include "RecordLayout.h"
#include "SampleRecord.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

double median(QVector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

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

double scanRun(const QString &folder)
{
    QElapsedTimer t;
    t.start();
    FileTable table;
    archive::ScanResult result = archive::scan(folder);
    table.setRecords(std::move(result.rows), std::move(result.names));
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main()
{
    for (int count : {999, 10000, 100000}) {
        QTemporaryDir dir;
        const QString folder = dir.path();
        QStringList names;
        for (int i = 0; i < count; ++i) {
            const QString name = QStringLiteral("rec%1.bin").arg(i, 6, 10, QChar(u'0'));
            QFile f(folder + u'/' + name);
            if (!f.open(QIODevice::WriteOnly) || f.write(sample::makeRecord(sample::variant(i))) != 4096)
                return 1;
            names << name;
        }
        QVector<double> floors, scans;
        const int runs = count > 10000 ? 5 : 9;
        for (int run = 0; run < runs; ++run) {
            floors << floorRun(folder, names);
            scans << scanRun(folder);
        }
        const double f = median(floors), s = median(scans);
        std::printf("archive scan %6d files: scan %.1f ms, floor %.1f ms, scan/floor = %.2f (goal <= 1.5)\n",
                    count, s, f, s / f);
    }
    return 0;
}
