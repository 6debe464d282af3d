// Find's dates: a date or a month typed as the program writes dates matches
// the testing date or the next testing date exactly. CTest runs this suite
// under several regional settings, so the system's short format differs.
#include "ArchiveIndex.h"
#include "FindQuery.h"

#include <QLocale>
#include <QTest>

using archive::IndexEntry;

namespace {

IndexEntry entry(const QString &fileName, const QDate &testing, const QDate &next)
{
    IndexEntry e;
    e.fileName = fileName;
    e.headerSaved = true;
    e.vessel = QStringLiteral("NORTHERN STAR 5");  // a "5" that the day 5 must not find
    e.testingDate = testing;
    e.nextTestDate = next;
    // As the index makes it: the file name is matched apart.
    e.searchText = archive::searchText({e.vessel}, testing, next);
    return e;
}

QString shortDate(int year, int month, int day)
{
    return QLocale().toString(QDate(year, month, day), QLocale::ShortFormat);
}

} // namespace

class TestFindDates : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void search_data();
    void search();
    void twoDigitYears_data();
    void twoDigitYears();
    void yearsNoRecordHoldsAreNoDates_data();
    void monthNames_data();
    void monthNames();
    void yearsNoRecordHoldsAreNoDates();

private:
    QVector<IndexEntry> m_entries;
};

void TestFindDates::initTestCase()
{
    qInfo("regional settings: %s, short dates as %s", qPrintable(QLocale::system().name()),
          qPrintable(QLocale().dateFormat(QLocale::ShortFormat)));
    m_entries = {
        entry("a.bin", {2026, 1, 5}, {2027, 1, 5}),
        entry("b.bin", {2026, 1, 8}, {2027, 1, 8}),
        entry("c.bin", {2026, 1, 11}, {2026, 5, 1}),  // next: 1 May, the day-month mirror of 5 January
        entry("d.bin", {2026, 1, 14}, {2027, 1, 14}),
        entry("e.bin", {2025, 12, 31}, {2026, 1, 5}),
        entry("cert 2026-02-20.bin", {2026, 2, 20}, {}),
        entry("f.bin", {}, {}),  // no real testing date
    };
}

void TestFindDates::search_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QStringList>("found");
    const QStringList fifth = {"a.bin", "e.bin"};
    const QStringList january = {"a.bin", "b.bin", "c.bin", "d.bin", "e.bin"};
    QTest::newRow("dd.mm.yy, as the file table writes it") << "05.01.26" << fifth;
    QTest::newRow("dd.mm.yyyy") << "05.01.2026" << fifth;
    QTest::newRow("d.m.yy") << "5.1.26" << fifth;
    QTest::newRow("ISO, as the PDF's name writes it") << "2026-01-05" << fifth;
    QTest::newRow("the system's short format") << shortDate(2026, 1, 5) << fifth;
    QTest::newRow("day, month name and year") << "5 jan 2026" << fifth;
    QTest::newRow("day, month name and year, any case") << "05 JAN 2026" << fifth;
    QTest::newRow("the mirror date is another day") << "01.05.26" << QStringList{"c.bin"};
    QTest::newRow("a date and a word") << "5 Jan 2026 e.bin" << QStringList{"e.bin"};
    QTest::newRow("a word and a date") << "northern 2026-01-08" << QStringList{"b.bin"};
    QTest::newRow("month mm.yyyy") << "01.2026" << january;
    QTest::newRow("month yyyy-mm") << "2026-01" << january;
    QTest::newRow("month with one digit") << "2.2026" << QStringList{"cert 2026-02-20.bin"};
    QTest::newRow("a month of next testing dates") << "2027-01" << QStringList{"a.bin", "b.bin", "d.bin"};
    QTest::newRow("a date in a file name") << "2026-02-20" << QStringList{"cert 2026-02-20.bin"};
    QTest::newRow("a date nothing has") << "06.01.26" << QStringList{};
    QTest::newRow("no such day: a word") << "31.02.26" << QStringList{};
    QTest::newRow("no such month: a word") << "13.2026" << QStringList{};
    QTest::newRow("part of a date while typing") << "05.01.2" << fifth;
    QTest::newRow("a year: a word") << "2025" << QStringList{"e.bin"};
}

void TestFindDates::search()
{
    QFETCH(QString, query);
    QFETCH(QStringList, found);
    QStringList names;
    for (int i : archive::search(m_entries, query))
        names.append(m_entries[i].fileName);
    QCOMPARE(names, found);
}

void TestFindDates::twoDigitYears_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("currentYear");
    QTest::addColumn<QDate>("day");
    QTest::newRow("26 in 2026") << "05.01.26" << 2026 << QDate(2026, 1, 5);
    QTest::newRow("80 in 2026") << "05.01.80" << 2026 << QDate(1980, 1, 5);
    QTest::newRow("75 in 2026") << "05.01.75" << 2026 << QDate(2075, 1, 5);
    QTest::newRow("four digits stay") << "05.01.1926" << 2026 << QDate(1926, 1, 5);
    QTest::newRow("short format, windowed") << shortDate(2026, 1, 5) << 2026 << QDate(2026, 1, 5);
}

// A two-digit year means what it means in the file table, whichever way the
// date is written.
void TestFindDates::twoDigitYears()
{
    QFETCH(QString, text);
    QFETCH(int, currentYear);
    QFETCH(QDate, day);
    const std::optional<archive::QueryTerm> term = archive::dateTerm(text, QLocale(), currentYear);
    QVERIFY(term);
    QCOMPARE(term->day, day);
}

void TestFindDates::yearsNoRecordHoldsAreNoDates_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::newRow("negative year, dd.MM.yyyy") << "ru_RU" << "10.12.-0199";
    QTest::newRow("negative year, dd/MM/yyyy") << "en_GB" << "10/12/-0199";
    QTest::newRow("negative year, d MMM yyyy") << "C" << "5 Jan -0199";
    QTest::newRow("year 0") << "ru_RU" << "10.12.0000";
}

// A date no record can hold (the record's years are 1 to 9999) is a word.
void TestFindDates::yearsNoRecordHoldsAreNoDates()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    const std::optional<archive::QueryTerm> term = archive::dateTerm(text, QLocale(locale), 2026);
    QVERIFY2(!term, qPrintable(term ? term->day.toString(Qt::ISODate) : QString()));
    for (const archive::QueryTerm &word : archive::parseQuery(text, QLocale(locale), 2026))
        QVERIFY2(!word.isDate(), qPrintable(word.text));
}

void TestFindDates::monthNames_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("day");
    QTest::newRow("English") << "C" << "5 Jan 2027" << QDate(2027, 1, 5);
    QTest::newRow("English in a Russian interface") << "ru_RU" << "5 Jan 2027" << QDate(2027, 1, 5);
    QTest::newRow("Russian short month") << "ru_RU" << "5 \u044f\u043d\u0432. 2027" << QDate(2027, 1, 5);
    QTest::newRow("Russian month in full") << "ru_RU" << "5 \u044f\u043d\u0432\u0430\u0440\u044f 2027"
                                            << QDate(2027, 1, 5);
    QTest::newRow("Russian May") << "ru_RU" << "1 \u043c\u0430\u044f 2026" << QDate(2026, 5, 1);
}

// A day with its month's name is read in English and in the interface's
// language, as one term of a query.
void TestFindDates::monthNames()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(QDate, day);
    const QVector<archive::QueryTerm> terms = archive::parseQuery(text + QStringLiteral(" e.bin"), QLocale(locale), 2026);
    QCOMPARE(terms.size(), 2);
    QCOMPARE(terms[0].day, day);
    QCOMPARE(terms[1].text, QStringLiteral("e.bin"));
}

QTEST_GUILESS_MAIN(TestFindDates)
#include "tst_finddates.moc"
