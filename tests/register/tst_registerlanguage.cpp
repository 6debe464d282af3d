// The register in the Russian interface: what it stores (verdict, values
// outside the limits, how each output went out, statuses) and what the CSV
// export writes are the same bytes as in English; only what the table shows
// and the errors read are translated.
#include "AppError.h"
#include "CertificateRegister.h"
#include "Language.h"
#include "RecordHeader.h"
#include "SartLimits.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

using namespace certregister;
using testsupport::writeFile;

namespace {

// Every stored column of both tables but the time of issue, row by row.
QStringList storedRows(const QString &sqlitePath)
{
    QStringList rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("read-back"));
        db.setDatabaseName(sqlitePath);
        if (!db.open())
            return {QStringLiteral("cannot open ") + sqlitePath};
        QSqlQuery q(db);
        const auto read = [&](const QString &sql) {
            q.exec(sql);
            while (q.next()) {
                QStringList cells;
                for (int i = 0; i < q.record().count(); ++i)
                    if (q.record().fieldName(i) != QLatin1String("issued_at"))
                        cells << q.record().fieldName(i) + u'=' + q.value(i).toString();
                rows << cells.join(QStringLiteral(" | "));
            }
        };
        read(QStringLiteral("SELECT * FROM certificates ORDER BY number"));
        read(QStringLiteral("SELECT * FROM certificate_outputs ORDER BY number, output"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("read-back"));
    return rows;
}

} // namespace

class TestRegisterLanguage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void storedAsInEnglish();

private:
    // Issues what an engineer issues in a day into a fresh register: a PDF, a
    // print and a Word export of one certificate (values outside the limits),
    // a failed SART's certificate and an output that was not completed.
    // Returns the register's rows.
    QStringList issueDay(const QString &registerPath, QStringList *shown, QStringList *csv);

    QTemporaryDir m_dir;
    QString m_record, m_pdf;
};

void TestRegisterLanguage::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_record = m_dir.filePath(QStringLiteral("sart-0412.bin"));
    writeFile(m_record, QByteArray(4096, '\x5a'));
    m_pdf = m_dir.filePath(QStringLiteral("certificate.pdf"));
}

QStringList TestRegisterLanguage::issueDay(const QString &registerPath, QStringList *shown, QStringList *csv)
{
    Settings settings;
    settings.sqlitePath = registerPath;
    Register reg(settings);

    RecordHeader values;
    values.sartModel = QStringLiteral("SART-20");
    values.manufacturerNo = QStringLiteral("No 12345");
    values.vessel = QStringLiteral("MV Baltic Dawn");
    values.radioEngineer = QStringLiteral("A. Sidorov");
    values.testingDate = QDate(2026, 3, 5);
    values.nextTestDate = QDate(2027, 3, 5);
    values.batteryDate = QDate(2026, 1, 31);
    values.verdictText = QStringLiteral("SART PASSED TESTS");

    // The values outside the limits as the program keeps them with a
    // certificate: each judgement's text, joined.
    limits::RecordValues judged;
    judged.measured = MeasuredValues{9450000, 9150000, 399, 1, 12};
    judged.standBy = 1;
    judged.led = 0;
    judged.beeper = 0;
    judged.batteryDate = values.batteryDate;
    judged.testingDate = values.testingDate;
    QStringList outside;
    for (const limits::Judgement &j : limits::outside(judged, limits::Limits()))
        outside << j.text();
    const Entry entry = entryFor(m_record, values, outside.join(QStringLiteral("; ")), m_dir.path());

    const auto goingTo = [](const QString &how, const QString &path) {
        return [=](Entry &, const GoingTo &to) {
            to(how, path);
            return true;
        };
    };
    reg.issueOutput(entry, [&](Entry &numbered, const GoingTo &to) {
        to(QStringLiteral("PDF ") + m_pdf, m_pdf);
        writeFile(m_pdf, "%PDF-1.4\n1 0 obj\n<< /Title (SART TEST REPORT, certificate " + numbered.number.toLatin1()
                             + ") >>\nendobj\n%%EOF\n");
        return true;
    });
    reg.issueOutput(entry, goingTo(QStringLiteral("Printer Office"), {}));
    reg.issueOutput(entry, goingTo(QStringLiteral("Word"), {}));
    Entry failed = entry;
    failed.verdict = QStringLiteral("SART FAILED TESTS");
    reg.issueOutput(failed, goingTo(QStringLiteral("Word"), {}));
    try {
        reg.issueOutput(failed, [](Entry &, const GoingTo &to) -> bool {
            to(QStringLiteral("Printer Office"), {});
            errors::throwText(QStringLiteral("the printer stopped"));
        });
    } catch (const AppError &) {
    }
    for (const Entry &e : reg.allEntries()) {
        // Without the times of issue (the two runs' differ) and the values
        // outside the limits (compared with the register's rows).
        const auto timeless = [](QStringList row) {
            static const QRegularExpression time(QStringLiteral("\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d "));
            row[FirstColumns].remove(time);
            row.removeAt(11);
            row.removeAt(1);
            return row.join(u'\t');
        };
        *csv << timeless(cells(e));
        *shown << timeless(shownCells(e));
    }
    return storedRows(registerPath);
}

// One program issues the same certificates in English, then in Russian
// (translation installed, ru_RU numbers and dates): the registers hold the
// same rows and the CSV the same cells, while the table shows Russian.
void TestRegisterLanguage::storedAsInEnglish()
{
    QStringList englishShown, englishCsv;
    const QStringList english = issueDay(m_dir.filePath(QStringLiteral("english.sqlite")), &englishShown, &englishCsv);
    QCOMPARE(english.size(), 2 + 5);
    QVERIFY2(english.join(u'\n').contains(QStringLiteral("status=not completed")), qPrintable(english.join(u'\n')));
    QVERIFY2(english.join(u'\n').contains(QStringLiteral("outside_limits=Frequency high")),
             qPrintable(english.join(u'\n')));
    QCOMPARE(englishShown, englishCsv);  // in English the table shows what the CSV writes
    const QStringList captions = columnCaptions();

    language::install(language::Choice::Russian);
    QCOMPARE(QLocale().name(), QStringLiteral("ru_RU"));
    QStringList russianShown, russianCsv;
    const QStringList russian = issueDay(m_dir.filePath(QStringLiteral("russian.sqlite")), &russianShown, &russianCsv);

    // Stored: the certificates' and outputs' rows, byte for byte, the values
    // outside the limits first apart (so a difference there is told as such)
    // and then with them: the judgements are kept in English with ".".
    const auto withoutOutside = [](QStringList rows) {
        for (QString &row : rows)
            row.replace(QRegularExpression(QStringLiteral("outside_limits=[^|]*")), QStringLiteral("outside_limits"));
        return rows;
    };
    QCOMPARE(withoutOutside(russian), withoutOutside(english));
    QCOMPARE(russianCsv, englishCsv);
    QCOMPARE(russian, english);

    // The CSV: English header and the stored words.
    QCOMPARE(columnCaptions(), captions);
    QCOMPARE(QCoreApplication::translate("RegisterColumns", "Verdict"), QStringLiteral("Заключение"));
    QVERIFY2(russianCsv.join(u'\n').contains(QStringLiteral("Printer Office: issued")), qPrintable(russianCsv.join(u'\n')));
    QVERIFY(russianCsv.join(u'\n').contains(QStringLiteral("Printer Office: not completed")));
    // The table: statuses and the printer translated, the verdict as stored.
    const QString table = russianShown.join(u'\n');
    QVERIFY2(table.contains(QStringLiteral("Принтер Office: выполнена")), qPrintable(table));
    QVERIFY(table.contains(QStringLiteral("Принтер Office: не завершена")));
    QVERIFY(table.contains(QStringLiteral("SART FAILED TESTS")));
    QVERIFY(!table.contains(QStringLiteral(": issued")));

    // An error of the register reads Russian, naming the file.
    Settings folder;
    folder.sqlitePath = m_dir.path();
    try {
        Register(folder).count();
        QFAIL("a folder was opened as the register");
    } catch (const AppError &e) {
        QVERIFY2(e.text().startsWith(QStringLiteral("Реестр сертификатов %1 недоступен").arg(m_dir.path())),
                 qPrintable(e.text()));
        QVERIFY2(e.text().contains(QStringLiteral("не файл")), qPrintable(e.text()));
    }
}

QTEST_GUILESS_MAIN(TestRegisterLanguage)
#include "tst_registerlanguage.moc"
