// Writes a few realistic record files into a new archive folder, so that a
// first start of the program has records to show. Never touches a folder that
// already exists.
#include "HeaderWriteBack.h"
#include "SampleRecord.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    // An option (--help, -h) is never taken for the name of a folder to make.
    if (argc != 2 || argv[1][0] == '-') {
        err << "usage: sart-make-samples FOLDER\n"
               "Makes FOLDER (which must not exist) with a few sample records.\n";
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (QFileInfo::exists(folder)) {
        err << folder << " already exists; nothing written\n";
        return 1;
    }
    if (!QDir().mkpath(folder)) {
        err << "cannot create " << folder << "\n";
        return 1;
    }

    struct Sample
    {
        const char *name;
        int variant;
        bool saved;
    };
    const Sample samples[] = {
        {"sart-0412.bin", 0, true},
        {"sart-0587.bin", 1, true},
        {"sart-1033.bin", 2, false},
        {"sart-1190.bin", 3, false},
    };
    for (const Sample &s : samples) {
        const QString path = folder + u'/' + QString::fromLatin1(s.name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(sample::makeRecord(sample::variant(s.variant))) != 4096) {
            err << "cannot write " << path << "\n";
            return 1;
        }
        file.close();
        if (s.saved) {
            // A record whose header the engineer has already completed.
            RecordHeader v;
            v.radioEngineer = s.variant == 0 ? QStringLiteral("A. Petrov") : QStringLiteral("N. Smirnova");
            v.sartModel = QStringLiteral("RT-9 SART");
            v.manufacturerNo = s.variant == 0 ? QStringLiteral("41207") : QStringLiteral("41388");
            v.vessel = s.variant == 0 ? QStringLiteral("MV Northern Star") : QStringLiteral("MV Baltic Dawn");
            v.centreName = QStringLiteral("Harbour Radio Service");
            v.centreAddress = QStringLiteral("12 Quay Street");
            v.centreTel = QStringLiteral("+44 1632 960123");
            v.centreFax = QStringLiteral("+44 1632 960124");
            v.standByIndex = v.ledIndex = v.beeperIndex = 0;
            v.nextTestDate = QDate(2027, 11, 30);
            v.batteryDate = QDate(2025, 6, 12);
            writeback::save(path, v);
        }
    }
    return 0;
}
