// The check before a certificate goes out, on real record files: each kind of
// difference alone and together, no record, a file changed, replaced or
// removed on disk, and the bytes whose hash the register keeps.
#include "AppError.h"
#include "CertificateCheck.h"
#include "Decoder.h"
#include "HeaderWriteBack.h"
#include "SampleRecord.h"
#include "TestSupport.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using certificate::Difference;
using Kind = certificate::Difference::Kind;
using C = DecodeTarget;

Q_DECLARE_METATYPE(QList<Kind>)

namespace {

RecordHeader savedHeader()
{
    RecordHeader v;
    v.radioEngineer = QStringLiteral("A. Sidorov");
    v.sartModel = QStringLiteral("SART-20");
    v.manufacturerNo = QStringLiteral("No 12345");
    v.vessel = QStringLiteral("MV Baltic Dawn");
    v.centreName = QStringLiteral("Marine Radio");
    v.centreAddress = QStringLiteral("Port street 1");
    v.centreTel = QStringLiteral("+7 812 000");
    v.centreFax = QStringLiteral("+7 812 001");
    v.standByIndex = 0;
    v.ledIndex = 0;
    v.beeperIndex = 0;
    v.nextTestDate = QDate(2027, 3, 5);
    v.batteryDate = QDate(2028, 6, 30);
    return v;
}

// The panel's values as they are once the record was shown: what the decoder
// sets, over what the panel held before (`before`).
class PanelTarget final : public DecodeTarget
{
public:
    explicit PanelTarget(RecordHeader before) : v(std::move(before)) {}
    void setText(Field c, const QString &text) override
    {
        QString *fields[] = {&v.frequencyHigh, &v.frequencyLow, &v.power, &v.signalDuration, &v.tunings, &v.repetition, &v.testerDuration,
                             &v.radioEngineer,  &v.controller,   &v.sartModel,   &v.vessel,   &v.centreName,   &v.centreAddress,   &v.centreTel,
                             &v.centreFax,  &v.manufacturerNo};
        *fields[c] = text;
    }
    void setItemIndex(Field c, int index) override
    {
        const QString text = index == 0 ? "YES" : index == 1 ? "NO" : "";
        (c == StandBy ? v.standByText : c == Led ? v.ledText : v.beeperText) = text;
        (c == StandBy ? v.standByIndex : c == Led ? v.ledIndex : v.beeperIndex) = index;
    }
    void setDate(Field c, const QDate &date) override
    {
        (c == NextTestDate ? v.nextTestDate : c == TestingDate ? v.testingDate : v.batteryDate) = date;
    }
    RecordHeader v;
};

RecordHeader shownFrom(const QString &path, const RecordHeader &before)
{
    PanelTarget target(before);
    target.v.testingModeIndex = 0;
    target.v.testingModeText = "Auto";
    const QByteArray bytes = testsupport::readFile(path);
    decoder::Input input;
    input.path = path;
    input.testingDateCell = bytes.mid(3444, 2) + '.' + bytes.mid(3446, 2) + '.' + bytes.mid(3448, 2);
    decoder::decode(input, target);
    return target.v;
}

QList<Kind> kinds(const certificate::Result &r)
{
    QList<Kind> k;
    for (const Difference &d : r.differences)
        k.append(d.kind);
    return k;
}

QString sha(const QByteArray &bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

} // namespace

class TestCertificateCheck : public QObject
{
    Q_OBJECT

private slots:
    void differences_data();
    void differences();
    void noRecordIsRefused();
    void textsNameValueAndReason();
};

void TestCertificateCheck::differences_data()
{
    QTest::addColumn<bool>("saved");        // b.bin's header saved, or b.bin as received after a.bin
    QTest::addColumn<bool>("typed");        // Vessel Name typed
    QTest::addColumn<bool>("dateEdited");   // testing date moved by a day
    QTest::addColumn<QString>("onDisk");    // "", "header", "replaced", "short", "removed"
    QTest::addColumn<QList<Kind>>("expected");
    QTest::addColumn<QString>("source");    // of the values carried over; empty: the panel's start values

    const QList<Kind> carried = {Kind::CarriedOver, Kind::CarriedOver, Kind::CarriedOver, Kind::CarriedOver,
                                 Kind::CarriedOver, Kind::CarriedOver, Kind::CarriedOver, Kind::CarriedOver,
                                 Kind::CarriedOver};
    QTest::newRow("as shown") << true << false << false << "" << QList<Kind>{} << "a.bin";
    QTest::newRow("typed") << true << true << false << "" << QList<Kind>{Kind::Typed} << "a.bin";
    QTest::newRow("testing date") << true << false << true << "" << QList<Kind>{Kind::TestingDate} << "a.bin";
    // Battery date, model, number, vessel, next testing date, the centre's four.
    QTest::newRow("carried over") << false << false << false << "" << carried << "a.bin";
    QList<Kind> all = carried;
    all[3] = Kind::Typed;  // the vessel, typed over the carried value
    all.insert(5, Kind::TestingDate);
    QTest::newRow("all three") << false << true << true << "" << all << "a.bin";
    // The panel's start dates are the program's: nothing but the typing.
    QTest::newRow("start values") << false << true << false << "" << QList<Kind>{Kind::Typed} << "";
    QTest::newRow("header changed on disk") << true << false << false << "header"
                                            << QList<Kind>{Kind::ChangedOnDisk, Kind::NotInFile} << "a.bin";
    QTest::newRow("header changed on disk, typed") << true << true << false << "header"
                                                   << QList<Kind>{Kind::ChangedOnDisk, Kind::Typed} << "a.bin";
    // Another SART's measured values: each one is named (compared below).
    QTest::newRow("replaced by another record") << true << false << false << "replaced"
                                                << QList<Kind>{Kind::ChangedOnDisk} << "a.bin";
    QTest::newRow("replaced by no record") << true << false << false << "short" << QList<Kind>{Kind::ChangedOnDisk} << "a.bin";
    QTest::newRow("removed") << true << false << false << "removed" << QList<Kind>{Kind::ChangedOnDisk} << "a.bin";
}

// Each difference is named with its reason; the bytes read are the file's as
// it is at the check, and their SHA-256 is what the register keeps.
void TestCertificateCheck::differences()
{
    QFETCH(bool, saved);
    QFETCH(bool, typed);
    QFETCH(bool, dateEdited);
    QFETCH(QString, onDisk);
    QFETCH(QList<Kind>, expected);
    QFETCH(QString, source);

    QTemporaryDir dir;
    const QString a = dir.filePath("a.bin"), b = dir.filePath("b.bin");
    const QByteArray received = sample::makeRecord(sample::variant(1));
    testsupport::writeFile(a, writeback::rewrite(sample::makeRecord(sample::variant(0)), savedHeader()));
    testsupport::writeFile(b, saved ? writeback::rewrite(received, savedHeader()) : received);

    certificate::Input input;
    input.recordPath = b;
    input.shown = recordstate::ofFile(b);
    input.panel = shownFrom(b, saved ? RecordHeader() : shownFrom(a, {}));
    if (!saved)
        for (C::Field c : {C::SartModel, C::ManufacturerNo, C::Vessel, C::CentreName, C::CentreAddress, C::CentreTel, C::CentreFax,
                             C::NextTestDate, C::BatteryDate})
            input.provenance.carried.insert(c, source);
    if (typed) {
        input.panel.vessel += " II";
        input.provenance.carried.remove(C::Vessel);
        input.provenance.typed.insert(C::Vessel);
    }
    if (dateEdited)
        input.panel.testingDate = input.panel.testingDate.addDays(1);

    QByteArray now = testsupport::readFile(b);
    if (onDisk == "header") {
        RecordHeader other = savedHeader();
        other.vessel = "MV Other";
        now = writeback::rewrite(now, other);
    } else if (onDisk == "replaced") {
        now = writeback::rewrite(sample::makeRecord(sample::variant(3)), savedHeader());
    } else if (onDisk == "short") {
        now = "not a record";
    }
    if (onDisk == "removed") {
        QVERIFY(QFile::remove(b));
        now.clear();
    } else {
        testsupport::writeFile(b, now);
    }

    const certificate::Result result = certificate::check(input);
    if (onDisk == "replaced") {
        QVERIFY(result.differences.size() > 2);
        QCOMPARE(kinds(result).mid(0, 1), expected);
        for (const Difference &d : result.differences.mid(1))
            QCOMPARE(d.kind, d.field == C::TestingDate ? Kind::TestingDate : Kind::NotInFile);
        QCOMPARE(result.differences[1].caption, QStringLiteral("Frequency high"));
        expected = kinds(result);
    }
    QCOMPARE(kinds(result), expected);
    QCOMPARE(result.recordName, QStringLiteral("b.bin"));
    QCOMPARE(result.bytes, now);
    QCOMPARE(result.sha256, onDisk == "removed" ? QString() : sha(now));
    QCOMPARE(result.clean(), expected.isEmpty());
    QCOMPARE(result.onlyTestingDate(), expected == QList<Kind>{Kind::TestingDate});
    if (onDisk.isEmpty() || onDisk == "header")
        QCOMPARE(result.recordTestingDate, sample::variant(1).testingDate);
    if (dateEdited)
        QVERIFY(result.describe().contains(
            QStringLiteral("The testing date shown, %1, is not the record's: the record b.bin was tested on %2.")
                .arg(QLocale().toString(sample::variant(1).testingDate.addDays(1), QLocale::ShortFormat),
                     QLocale().toString(sample::variant(1).testingDate, QLocale::ShortFormat))));
    // Save changes puts right what was typed or carried over, and only while
    // the file is as it was shown.
    QCOMPARE(result.saveResolves(), (typed || (!saved && !source.isEmpty())) && onDisk.isEmpty());
}

void TestCertificateCheck::noRecordIsRefused()
{
    certificate::Input input;
    try {
        certificate::check(input);
        QFAIL("no error");
    } catch (const AppError &e) {
        QCOMPARE(e.text(), QStringLiteral("No record is shown: there is nothing to certify."));
    }
}

// What the question says of each value: its caption, the value shown, why it
// is not the file's and what the file holds.
void TestCertificateCheck::textsNameValueAndReason()
{
    using certificate::Difference;
    const QString name = "b.bin";
    QCOMPARE((Difference{Kind::Typed, C::Vessel, "Vessel Name", "MV Dawn II", "MV Dawn", {}}.text(name)),
             QStringLiteral("Vessel Name \"MV Dawn II\" is typed and not saved (the record holds \"MV Dawn\")."));
    QCOMPARE((Difference{Kind::CarriedOver, C::NextTestDate, "Next testing date", "05/03/2027", {}, "a.bin"}.text(name)),
             QStringLiteral("Next testing date 05/03/2027 is carried over from the record a.bin (the record holds none)."));
    QCOMPARE((Difference{Kind::NotInFile, C::Vessel, "Vessel Name", "MV Dawn", "MV Other", {}}.text(name)),
             QStringLiteral("Vessel Name \"MV Dawn\" is not what the file holds now (the record holds \"MV Other\")."));
}

QTEST_GUILESS_MAIN(TestCertificateCheck)
#include "tst_certificatecheck.moc"
