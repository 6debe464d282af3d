#include "SampleArchive.h"

#include "HeaderWriteBack.h"

#include <QFile>
#include <QMap>

namespace sample {
namespace {

const char16_t *const Vessels[] = {
    u"MV Baltic Dawn",   u"Капитан Белов",    u"Северное сияние", u"Nordic Tern",
    u"Балтийская заря",  u"Ocean Falcon",     u"Академик Орлов",  u"Sea Pioneer",
    u"Мурманск",         u"Atlantic Star",    u"Волна",           u"Polar Bear",
};
const char16_t *const Models[] = {u"RT-9 SART", u"Маяк-М2", u"SeaMark S5", u"Radar Beacon 4"};
const char *const Engineers[] = {"IVANOV", "PETROV", "SIDOROV"};

} // namespace

QVector<ArchiveRecord> serviceArchive(int count, const QDate &today)
{
    const int sarts = std::max(1, count / 8);
    QVector<ArchiveRecord> records;
    records.reserve(count);
    for (int i = 0; i < count; ++i) {
        const int k = i % sarts;      // which SART
        const int n = i / sarts;      // its n-th test, oldest first
        const int tests = (count - 1 - k) / sarts + 1;
        const QDate last = today.addDays(-((k * 53) % 420));
        const QDate testing = last.addYears(n - (tests - 1));
        const QString number = QString::number(41000 + k * 7);

        ArchiveRecord r;
        r.params = variant(i);
        r.params.testerEngineer = Engineers[i % 3];
        r.params.testingDate = testing;
        r.params.receiveDate = testing;
        Measurement &m = r.params.automatic;
        // New SARTs sweep past the band the standard asks for; over the
        // years their sweep narrows and their power falls, and now and then
        // a test misses a tuning.
        m.powerMw = 820 - n * 12 - (k % 7) * 9;
        m.highKHz = 9530000 - n * 4000 - (k % 5) * 1000;
        m.lowKHz = 9170000 + n * 3000 + (k % 3) * 1000;
        m.durationUnits = 500 - n * 3;
        m.tunings = (k + n) % 13 == 5 ? 11 : 12;

        const QString prefix = k % 3 == 0 ? QStringLiteral("проверка") : QStringLiteral("sart");
        r.fileName = QStringLiteral("%1-%2-%3.bin").arg(prefix, number, testing.toString(QStringLiteral("yyyyMMdd")));
        r.bytes = makeRecord(r.params);

        // About one record in ten was never completed and saved.
        r.saved = (k + n) % 10 != 7;
        if (r.saved) {
            RecordHeader &h = r.header;
            h.radioEngineer = QString::fromLatin1(Engineers[i % 3]);
            h.sartModel = QString::fromUtf16(Models[k % 4]);
            h.manufacturerNo = number;
            h.vessel = QString::fromUtf16(Vessels[k % 12]) + (k >= 12 ? QStringLiteral(" %1").arg(k / 12 + 1) : QString());
            h.centreName = QStringLiteral("Морсервис");
            h.centreAddress = QStringLiteral("Портовая 5");
            h.centreTel = QStringLiteral("+7 4012 555001");
            h.centreFax = QStringLiteral("+7 4012 555002");
            h.standByIndex = 0;
            h.ledIndex = 0;
            h.beeperIndex = n % 4 == 3 ? 1 : 0;
            h.nextTestDate = testing.addYears(1);
            h.testingDate = testing;
            h.batteryDate = testing.addYears(3);
            r.bytes = writeback::rewrite(r.bytes, h);
        }
        records.append(std::move(r));
    }
    return records;
}

QVector<const ArchiveRecord *> latestSavedOfEachSart(const QVector<ArchiveRecord> &records)
{
    QMap<QString, const ArchiveRecord *> latest;
    for (const ArchiveRecord &r : records)
        if (r.saved) {
            const ArchiveRecord *&l = latest[r.header.manufacturerNo];
            if (!l || l->params.testingDate < r.params.testingDate)
                l = &r;
        }
    return QVector<const ArchiveRecord *>(latest.cbegin(), latest.cend());
}

bool writeArchive(const QString &folder, const QVector<ArchiveRecord> &records)
{
    for (const ArchiveRecord &r : records) {
        QFile f(folder + u'/' + r.fileName);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(r.bytes) != r.bytes.size())
            return false;
    }
    return true;
}

} // namespace sample
