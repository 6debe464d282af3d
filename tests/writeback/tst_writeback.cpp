// Save changes: the header bytes it writes, the bytes it keeps, and that a
// failed save never changes or loses the record.
#include "AppError.h"
#include "DecodeTarget.h"
#include "Decoder.h"
#include "HeaderWriteBack.h"
#include "RecordLayout.h"
#include "SampleRecord.h"
#include "TestSupport.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace testsupport;

namespace {

RecordHeader typicalValues()
{
    RecordHeader v;
    v.radioEngineer = QStringLiteral("A. Petrov");
    v.sartModel = QStringLiteral("RT-9");
    v.manufacturerNo = QStringLiteral("No 41207");
    v.vessel = QStringLiteral("MV Северная звезда");
    v.centreName = QStringLiteral("Harbour Radio");
    v.centreAddress = QStringLiteral("12 Quay St");
    v.centreTel = QStringLiteral("+44 1632 960123");
    v.centreFax = QStringLiteral("+44 1632 960124");
    v.standByIndex = 1;
    v.ledIndex = 0;
    v.beeperIndex = 2;
    v.nextTestDate = QDate(2027, 3, 5);
    v.batteryDate = QDate(2025, 12, 24);
    return v;
}

// Collects what the decoder puts into the panel.
struct Collected : DecodeTarget
{
    QHash<int, QString> texts;
    QHash<int, int> indexes;
    QHash<int, QDate> dates;
    void setText(Field c, const QString &t) override { texts[c] = t; }
    void setItemIndex(Field c, int i) override { indexes[c] = i; }
    void setDate(Field c, const QDate &d) override { dates[c] = d; }
};

QStringList folderEntries(const QString &path)
{
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

} // namespace

class TestWriteBack : public QObject
{
    Q_OBJECT

private slots:
    void headerBytes_data();
    void headerBytes();
    void marksAndLayoutOfAReceivedRecord();
    void restOfFileIsKept_data();
    void restOfFileIsKept();
    void shortSourceIsRefusedAndUnchanged();
    void saveThenDecodeGivesTheValuesBack();
    void readOnlyRecordIsRefused();
    void diskFullLeavesRecordUnchanged();
};

void TestWriteBack::headerBytes_data()
{
    QTest::addColumn<int>("field");     // which value is changed from the typical ones
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("empty engineer") << 1 << "" << 0 << QByteArray("9") + QByteArray(19, ' ');
    QTest::newRow("25-character engineer") << 1 << "ABCDEFGHIJKLMNOPQRSTUVWXY" << 0
                                           << QByteArray("9ABCDEFGHIJKLMNOPQRS");
    QTest::newRow("@ in SART model") << 3 << "RT9@XYZ" << layout::SartModel
                                     << QByteArray("RT9") + QByteArray(17, ' ');
    QTest::newRow("20-character model") << 3 << "12345678901234567890" << layout::SartModel
                                         << QByteArray("12345678901234567890");
    QTest::newRow("controller ABC") << 2 << "ABC" << layout::Controller << QByteArray(" ABC") + QByteArray(15, ' ');
    QTest::newRow("empty controller") << 2 << "" << layout::Controller << QByteArray(19, ' ');
    QTest::newRow("Cyrillic vessel") << 4 << "Волна" << layout::VesselName
                                     << QByteArray("\xC2\xEE\xEB\xED\xE0") + QByteArray(15, ' ');
    QTest::newRow("unencodable character") << 4 << "Sea☃" << layout::VesselName
                                           << QByteArray("Sea?") + QByteArray(16, ' ');
    QTest::newRow("numero sign") << 9 << "№5" << layout::ManufacturerNo
                                 << QByteArray("\xB9" "5") + QByteArray(18, ' ');
}

void TestWriteBack::headerBytes()
{
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(int, offset);
    QFETCH(QByteArray, expected);
    RecordHeader v = typicalValues();
    QString *targets[] = {nullptr, &v.radioEngineer, &v.controller, &v.sartModel, &v.vessel, nullptr, nullptr, nullptr, nullptr, &v.manufacturerNo};
    *targets[field] = text;
    const QByteArray header = writeback::buildHeader(v);
    QCOMPARE(header.size(), layout::HeaderSize);
    QCOMPARE(header.mid(offset, expected.size()), expected);
    QVERIFY(!header.contains('@'));
}

void TestWriteBack::marksAndLayoutOfAReceivedRecord()
{
    RecordHeader v = typicalValues();
    v.standByIndex = 3;   // the second blank Stand by item
    v.beeperIndex = -1;  // typed text that matches no item
    const QByteArray h = writeback::buildHeader(v);
    QCOMPARE(h[layout::EngineerMark], '9');
    QCOMPARE(h[layout::ServiceMark], '9');
    QCOMPARE(h[layout::BatteryMark], '9');
    QCOMPARE(h.mid(layout::NextTestDate, 8), QByteArray("05032027"));
    QCOMPARE(h.mid(layout::BatteryDate, 8), QByteArray("24122025"));
    QCOMPARE(h.mid(layout::StandByAnswer, 3), QByteArray("302"));
    QCOMPARE(h.mid(layout::CentreFax, 20), QByteArray("+44 1632 960124     "));
}

void TestWriteBack::restOfFileIsKept_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("record") << 4096;
    QTest::newRow("4100 bytes") << 4100;
    QTest::newRow("exactly the header") << 200;
    QTest::newRow("empty") << 0;
}

void TestWriteBack::restOfFileIsKept()
{
    QFETCH(int, size);
    QTemporaryDir dir;
    QByteArray source = sample::makeRecord({});
    source = size <= 4096 ? source.left(size) : source + QByteArray("\r\n\x1A\0", 4);
    // Bytes a text conversion would spoil must survive.
    if (size > 300)
        source.replace(250, 4, QByteArray("\r\n\x1A\0", 4));
    const QString path = dir.filePath("r.bin");
    writeFile(path, source);

    writeback::save(path, typicalValues());
    const QByteArray saved = readFile(path);
    QCOMPARE(saved.size(), source.size());
    if (size > 0) {
        QCOMPARE(saved.left(200), writeback::buildHeader(typicalValues()));
        QCOMPARE(saved.mid(200), source.mid(200));
    }
    QCOMPARE(folderEntries(dir.path()), QStringList{"r.bin"});  // no temporary file left

    writeback::save(path, typicalValues());
    QCOMPARE(readFile(path), saved);  // saving twice gives the same file
}

void TestWriteBack::shortSourceIsRefusedAndUnchanged()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("r.bin");
    for (int size : {1, 199}) {
        const QByteArray source(size, 'x');
        writeFile(path, source);
        try {
            writeback::save(path, typicalValues());
            QFAIL("a short record was saved");
        } catch (const AppError &e) {
            QCOMPARE(e.text(), path + QStringLiteral(": Read beyond end of file"));
        }
        QCOMPARE(readFile(path), source);
        QCOMPARE(folderEntries(dir.path()), QStringList{"r.bin"});
    }
    try {
        writeback::save(dir.filePath("gone.bin"), typicalValues());
        QFAIL("a missing record was saved");
    } catch (const AppError &e) {
        QCOMPARE(e.text(), dir.filePath("gone.bin") + QStringLiteral(": File not found"));
    }
    QCOMPARE(folderEntries(dir.path()), QStringList{"r.bin"});
}

void TestWriteBack::saveThenDecodeGivesTheValuesBack()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("r.bin");
    writeFile(path, sample::makeRecord({}));
    RecordHeader v = typicalValues();
    v.controller = QStringLiteral("CTRL-7");
    writeback::save(path, v);

    Collected panel;
    decoder::decode({path, 0, QStringLiteral("30.11.26"), 2026}, panel);
    using T = DecodeTarget;
    // The text fields come back without their fill; the hidden controller as stored.
    QCOMPARE(panel.texts[T::RadioEngineer], v.radioEngineer);
    QCOMPARE(panel.texts[T::Controller], v.controller.leftJustified(18));
    QCOMPARE(panel.texts[T::SartModel], v.sartModel);
    QCOMPARE(panel.texts[T::Vessel], v.vessel);
    QCOMPARE(panel.texts[T::ManufacturerNo], v.manufacturerNo);
    QCOMPARE(panel.indexes[T::StandBy], 1);
    QCOMPARE(panel.indexes[T::Led], 0);
    QCOMPARE(panel.indexes[T::Beeper], 2);
    QCOMPARE(panel.dates[T::NextTestDate], v.nextTestDate);
    QCOMPARE(panel.dates[T::BatteryDate], v.batteryDate);

    // What was read back saves to the same bytes: the fill comes back, and
    // the controller text survives any number of loads and saves unchanged.
    const QByteArray saved = readFile(path);
    v.radioEngineer = panel.texts[T::RadioEngineer];
    v.controller = panel.texts[T::Controller];
    v.sartModel = panel.texts[T::SartModel];
    v.vessel = panel.texts[T::Vessel];
    v.centreName = panel.texts[T::CentreName];
    v.centreAddress = panel.texts[T::CentreAddress];
    v.centreTel = panel.texts[T::CentreTel];
    v.centreFax = panel.texts[T::CentreFax];
    v.manufacturerNo = panel.texts[T::ManufacturerNo];
    writeback::save(path, v);
    QCOMPARE(readFile(path), saved);
    decoder::decode({path, 0, QStringLiteral("30.11.26"), 2026}, panel);
    QCOMPARE(panel.texts[T::Controller], QStringLiteral("CTRL-7").leftJustified(18));
}

void TestWriteBack::readOnlyRecordIsRefused()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("r.bin");
    const QByteArray source = sample::makeRecord({});
    writeFile(path, source);
    QVERIFY(::chmod(QFile::encodeName(path).constData(), 0444) == 0);
    try {
        writeback::save(path, typicalValues());
        QFAIL("a read-only record was replaced");
    } catch (const AppError &e) {
        QCOMPARE(e.text(), path + QStringLiteral(": File access denied"));
    }
    QCOMPARE(readFile(path), source);
}

void TestWriteBack::diskFullLeavesRecordUnchanged()
{
    // A tiny tmpfs: the record fits, a second copy of it does not.
    QTemporaryDir dir;
    const QString mountPoint = dir.filePath("small");
    QDir().mkpath(mountPoint);
    if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=8k", "tmpfs", mountPoint}) != 0)
        QSKIP("mounting a tmpfs needs root");
    auto unmount = qScopeGuard([&] { QProcess::execute("umount", {mountPoint}); });

    const QString path = mountPoint + "/r.bin";
    const QByteArray source = sample::makeRecord({});
    writeFile(path, source);
    writeFile(mountPoint + "/filler", QByteArray(2048, 'f'));
    try {
        writeback::save(path, typicalValues());
        QFAIL("the save did not notice the full disk");
    } catch (const AppError &e) {
        QCOMPARE(e.text(), path + QStringLiteral(": Disk full"));
    }
    QCOMPARE(readFile(path), source);
    QCOMPARE(folderEntries(mountPoint), QStringList({"filler", "r.bin"}));
}

QTEST_GUILESS_MAIN(TestWriteBack)
#include "tst_writeback.moc"
