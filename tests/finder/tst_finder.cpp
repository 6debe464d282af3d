// Find, Due for test and a SART's history through the real main window, over
// a generated archive of many SARTs over several years: what each view
// lists, that a record chosen in a view is shown as a click on its row shows
// it, and that the index follows Save changes and Delete.
#include "ArchiveIndex.h"
#include "DueDialog.h"
#include "FileGrid.h"
#include "FindDialog.h"
#include "Finder.h"
#include "HistoryDialog.h"
#include "HistoryPlot.h"
#include "RowsModel.h"
#include "SampleArchive.h"
#include "TestSupport.h"
#include "WindowFixture.h"

#include <QDateEdit>
#include <QHeaderView>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTest>

using namespace windowtest;
using sample::ArchiveRecord;

namespace {

constexpr int RecordCount = 240;  // 30 SARTs, eight tests each
// The index is read at the lowest priority: on a machine busy with other work
// it may take a while, and the waits return as soon as it is there.
constexpr int IndexWait = 120000;

int tableRowOf(TForm1 &form, const QString &fileName) { return form.navigation().table().rowOfFile(fileName); }

// Checks that the main window shows the record and has its row current.
void verifyShown(TForm1 &form, const QString &folder, const ArchiveRecord &r)
{
    const int row = tableRowOf(form, r.fileName);
    QVERIFY(row > 0);
    QCOMPARE(form.navigation().shownPath(), folder + u'/' + r.fileName);
    QCOMPARE(form.navigation().CurrentRow, row);
    QCOMPARE(highlightedRows(form), QList<int>{row});
    QCOMPARE(shownPower(form), QString::number(r.params.automatic.powerMw));
    QCOMPARE(child<QDateEdit>(&form, QStringLiteral("DateTimePicker2"))->date(), r.params.testingDate);
    QCOMPARE(editText(form, QStringLiteral("Edit9")).trimmed(), r.header.edit9);
    QCOMPARE(editText(form, QStringLiteral("Edit4")).trimmed(), r.header.edit4);
}

QString pdfText(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestFinder : public WindowTestCase
{
    Q_OBJECT

private slots:
    void findFiltersAsTypedAndShowsTheChosenRecord();
    void findByKeyboardOnly();
    void findDatesAsWrittenAndEveryColumnInView();
    void dueListShowsPrintsAndExports();
    void historyOfTheShownRecord();
    void historyNeedsASavedNumber();
    void indexFollowsSaveAndDelete();

private:
    std::unique_ptr<TForm1> startIndexed();
    std::unique_ptr<StartDirectory> m_dir;
    QVector<ArchiveRecord> m_records;
    const ArchiveRecord &savedRecord(int sart, int test) const;
};

// A fresh archive and the window started on it with its index complete.
std::unique_ptr<TForm1> TestFinder::startIndexed()
{
    m_dir.reset();  // gives the process's directory back first
    m_dir = std::make_unique<StartDirectory>();
    m_records = sample::serviceArchive(RecordCount, QDate::currentDate());
    if (!sample::writeArchive(m_dir->archive(), m_records))
        qFatal("cannot write the archive");
    auto form = startWindow();
    const archive::ArchiveIndex &index = form->Finder1->index();
    if (!QTest::qWaitFor([&] { return !index.isBuilding() && index.entries().size() == RecordCount; }, IndexWait))
        qWarning("index has %d entries", int(index.entries().size()));
    return form;
}

const ArchiveRecord &TestFinder::savedRecord(int sart, int test) const
{
    const ArchiveRecord &r = m_records[test * (RecordCount / 8) + sart];
    if (!r.saved)
        qFatal("record %d of SART %d has no header", test, sart);
    return r;
}

void TestFinder::findFiltersAsTypedAndShowsTheChosenRecord()
{
    auto form = startIndexed();
    QTest::keyClick(form.get(), Qt::Key_F, Qt::ControlModifier);
    FindDialog *find = form->Finder1->findDialog();
    QVERIFY(find->isVisible());
    QCOMPARE(find->focusWidget(), find->searchField());
    QCOMPARE(find->results()->model()->rowCount(), RecordCount);

    // SART 2 sails on "Северное сияние"; the query is typed in capitals.
    const ArchiveRecord &target = savedRecord(2, 3);
    QCOMPARE(target.header.edit4, QStringLiteral("Северное сияние"));
    find->searchField()->setText(QStringLiteral("СЕВЕРНОЕ"));
    auto *results = find->results();
    const int matching = results->model()->rowCount();
    // SARTs 2, 14 and 26 sail on ships of that name, each with its saved records.
    int expected = 0;
    for (const ArchiveRecord &r : m_records)
        expected += r.saved && r.header.edit4.startsWith(QStringLiteral("Северное"));
    QCOMPARE(matching, expected);
    for (int row = 0; row < matching; ++row)
        QVERIFY(results->model()->index(row, 1).data().toString().startsWith(QStringLiteral("Северное")));

    // Narrowed further by the year of the test, then chosen with a double click.
    find->searchField()->setText(QStringLiteral("северное сияние %1").arg(target.params.testingDate.year()));
    int targetRow = -1;
    for (int row = 0; row < results->model()->rowCount(); ++row)
        if (results->model()->index(row, 0).data().toString() == target.fileName)
            targetRow = row;
    QVERIFY(targetRow >= 0);
    QVERIFY(results->model()->rowCount() < matching);
    const QRect cell = results->visualRect(results->model()->index(targetRow, 0));
    QTest::mouseClick(results->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(results->viewport(), Qt::LeftButton, {}, cell.center());

    QTRY_VERIFY(!find->isVisible());
    verifyShown(*form, m_dir->archive(), target);
    QVERIFY(m_dialogs->takeErrors().isEmpty());
}

void TestFinder::findByKeyboardOnly()
{
    auto form = startIndexed();
    QTest::keyClick(form.get(), Qt::Key_F, Qt::ControlModifier);
    FindDialog *find = form->Finder1->findDialog();
    // The manufacturer's number of SART 5: its records, with and without a
    // saved header (those by their file names).
    const ArchiveRecord &first = savedRecord(5, 0);
    QTest::keyClicks(find->searchField(), first.header.edit9);
    QCOMPARE(find->results()->model()->rowCount(), 8);
    int unsaved = 0;
    for (int row = 0; row < 8; ++row) {
        const QModelIndex vessel = find->results()->model()->index(row, 1);
        if (vessel.data().toString() == QStringLiteral("(header not saved)")) {
            ++unsaved;
            QVERIFY(vessel.data(Qt::ForegroundRole).isValid());
        }
    }
    QCOMPARE(unsaved, 1);
    QCOMPARE(find->results()->currentIndex().row(), 0);
    QTest::keyClick(find->searchField(), Qt::Key_Down);
    QTest::keyClick(find->searchField(), Qt::Key_Down);
    QCOMPARE(find->results()->currentIndex().row(), 2);
    const QString chosen = find->results()->model()->index(2, 0).data().toString();
    QTest::keyClick(find->searchField(), Qt::Key_Return);
    QTRY_VERIFY(!find->isVisible());
    QCOMPARE(form->navigation().shownPath(), m_dir->inArchive(chosen));
    QCOMPARE(form->navigation().CurrentRow, tableRowOf(*form, chosen));

    // Escape closes the window; Ctrl+F brings it back with the text selected.
    QTest::keyClick(form.get(), Qt::Key_F, Qt::ControlModifier);
    QVERIFY(find->isVisible());
    QCOMPARE(find->searchField()->selectedText(), first.header.edit9);
    QTest::keyClick(find->searchField(), Qt::Key_Escape);
    QVERIFY(!find->isVisible());
}

// A testing date typed as the file table writes it finds exactly the records
// tested or due that day; at the window's first size every column is in view.
void TestFinder::findDatesAsWrittenAndEveryColumnInView()
{
    auto form = startIndexed();
    QTest::keyClick(form.get(), Qt::Key_F, Qt::ControlModifier);
    FindDialog *find = form->Finder1->findDialog();
    const ArchiveRecord &target = savedRecord(3, 5);
    const QDate day = target.params.testingDate;
    QStringList expected;
    for (const ArchiveRecord &r : m_records)
        if (r.params.testingDate == day || (r.saved && r.header.dateTimePicker1 == day))
            expected.append(r.fileName);
    expected.sort();
    for (const QString &typed : {day.toString("dd.MM.yy"), day.toString(Qt::ISODate), archive::dateText(day)}) {
        find->searchField()->setText(typed);
        QStringList found;
        for (int row = 0; row < find->results()->model()->rowCount(); ++row)
            found.append(find->results()->model()->index(row, 0).data().toString());
        found.sort();
        QCOMPARE(found, expected);
    }

    QHeaderView *header = find->results()->horizontalHeader();
    const int last = header->count() - 1;
    QCOMPARE(header->model()->headerData(last, Qt::Horizontal).toString(), QStringLiteral("Next testing date"));
    QVERIFY2(header->sectionViewportPosition(last) + header->sectionSize(last) <= header->viewport()->width(),
             qPrintable(QStringLiteral("%1 + %2 > %3")
                            .arg(header->sectionViewportPosition(last))
                            .arg(header->sectionSize(last))
                            .arg(header->viewport()->width())));
    const QModelIndex date = find->results()->model()->index(0, last);
    QCOMPARE(find->results()->fontMetrics().horizontalAdvance(date.data().toString()) < header->sectionSize(last),
             true);
}

void TestFinder::dueListShowsPrintsAndExports()
{
    auto form = startIndexed();
    form->findChild<QAction *>(QStringLiteral("Duefortest1"))->trigger();
    DueDialog *due = form->Finder1->dueDialog();
    QVERIFY(due->isVisible());
    due->daysField()->setValue(90);

    // Expected from what was written: the latest saved record of each SART.
    const QDate today = QDate::currentDate();
    const QVector<const ArchiveRecord *> latest = sample::latestSavedOfEachSart(m_records);
    QList<QPair<QDate, QString>> expected;
    for (const ArchiveRecord *r : latest)
        if (r->header.dateTimePicker1 <= today.addDays(90))
            expected.append({r->header.dateTimePicker1, r->fileName});
    std::sort(expected.begin(), expected.end());
    const RowsModel &rows = due->rows();
    QCOMPARE(rows.rowCount(), expected.size());
    int overdue = 0;
    for (int i = 0; i < expected.size(); ++i) {
        QCOMPARE(rows.row(i).fileName, expected[i].second);
        QCOMPARE(rows.row(i).marked, expected[i].first < today);
        QCOMPARE(rows.row(i).cells[1].startsWith(QStringLiteral("OVERDUE")), expected[i].first < today);
        overdue += rows.row(i).marked;
    }
    QVERIFY(overdue > 0 && overdue < expected.size());

    // Printed: every SART on the page, the overdue ones marked.
    const QString pdf = m_dir->path() + QStringLiteral("/due.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageOrientation(QPageLayout::Landscape);
    due->paintList(printer);
    const QString printed = pdfText(pdf);
    QVERIFY(printed.contains(QStringLiteral("SARTs due for test within 90 days")));
    QCOMPARE(printed.count(QStringLiteral("OVERDUE")), overdue);
    for (const auto &[date, fileName] : expected)
        QVERIFY2(printed.contains(fileName.left(20)), qPrintable(fileName));

    // Exported: one line per SART after the header line.
    const QString csvPath = m_dir->path() + QStringLiteral("/due.csv");
    due->exportCsv(csvPath);
    const QStringList lines = QString::fromUtf8(testsupport::readFile(csvPath)).split(QStringLiteral("\r\n"),
                                                                                      Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), expected.size() + 1);
    QVERIFY(lines[1].endsWith(u',' + expected[0].second));

    // Through its button: the file dialog, then a message naming the file.
    const QString chosenCsv = m_dir->path() + QStringLiteral("/chosen.csv");
    m_dialogs->chooseFile(chosenCsv);
    m_dialogs->answer(QMessageBox::Ok);
    child<QPushButton>(due, QStringLiteral("DueExport"))->click();
    const QList<SeenDialog> seen = m_dialogs->takeSeen();
    QCOMPARE(seen.size(), 2);
    QCOMPARE(seen[1].objectName, QStringLiteral("FileWritten"));
    QCOMPARE(seen[1].text, QStringLiteral("The due list was saved as\n") + chosenCsv);
    QCOMPARE(testsupport::readFile(chosenCsv), testsupport::readFile(csvPath));

    // Choosing a SART shows its latest record.
    due->list()->setFocus();
    due->list()->setCurrentIndex(due->list()->model()->index(1, 0));
    QTest::keyClick(due->list(), Qt::Key_Return);
    const QString chosen = expected[1].second;
    QCOMPARE(form->navigation().shownPath(), m_dir->inArchive(chosen));
    QCOMPARE(form->navigation().CurrentRow, tableRowOf(*form, chosen));
}

void TestFinder::historyOfTheShownRecord()
{
    auto form = startIndexed();
    // Show a middle record of SART 4 by a click on its row.
    const ArchiveRecord &shown = savedRecord(4, 2);
    clickRow(*form, tableRowOf(*form, shown.fileName));
    QCOMPARE(form->navigation().shownPath(), m_dir->inArchive(shown.fileName));

    form->findChild<QAction *>(QStringLiteral("History1"))->trigger();
    HistoryDialog *history = form->Finder1->historyDialog();
    QVERIFY(history->isVisible());
    QCOMPARE(history->windowTitle(), QStringLiteral("History of SART %1").arg(shown.header.edit9));

    QVector<const ArchiveRecord *> expected;
    for (const ArchiveRecord &r : m_records)
        if (r.saved && r.header.edit9 == shown.header.edit9)
            expected.append(&r);
    std::sort(expected.begin(), expected.end(),
              [](auto *a, auto *b) { return a->params.testingDate < b->params.testingDate; });
    const RowsModel &rows = history->rows();
    QCOMPARE(rows.rowCount(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        const sample::Measurement &m = expected[i]->params.automatic;
        QCOMPARE(rows.row(i).fileName, expected[i]->fileName);
        QCOMPARE(rows.row(i).cells[0], archive::dateText(expected[i]->params.testingDate));
        QCOMPARE(rows.row(i).cells[3], QString::number(m.powerMw));
        QCOMPARE(rows.row(i).cells[5], QString::number(m.tunings));
    }
    // The plot has one point per dated record, oldest first.
    const QVector<HistoryPlot::Point> &points = history->plot()->points();
    QCOMPARE(points.size(), expected.size());
    QCOMPARE(points.front().date, expected.front()->params.testingDate);
    QCOMPARE(points.back().powerMw, double(expected.back()->params.automatic.powerMw));
    QVERIFY(!history->plot()->grab().isNull());

    // A row of the history shows that record.
    history->list()->setFocus();
    history->list()->setCurrentIndex(history->list()->model()->index(0, 0));
    QTest::keyClick(history->list(), Qt::Key_Return);
    verifyShown(*form, m_dir->archive(), *expected.front());
}

void TestFinder::historyNeedsASavedNumber()
{
    auto form = startIndexed();
    const auto unsaved = std::find_if(m_records.begin(), m_records.end(), [](auto &r) { return !r.saved; });
    QVERIFY(unsaved != m_records.end());
    clickRow(*form, tableRowOf(*form, unsaved->fileName));
    form->findChild<QAction *>(QStringLiteral("History1"))->trigger();
    QCOMPARE(m_dialogs->takeErrors(),
             QStringList{QStringLiteral("The record %1 has no saved manufacturer's number: save its header first.")
                             .arg(unsaved->fileName)});
    QVERIFY(!form->Finder1->historyDialog()->isVisible());
}

void TestFinder::indexFollowsSaveAndDelete()
{
    auto form = startIndexed();
    const archive::ArchiveIndex &index = form->Finder1->index();
    const ArchiveRecord &r = savedRecord(7, 2);
    clickRow(*form, tableRowOf(*form, r.fileName));

    // Save changes with a new vessel name: Find knows it once re-read.
    setEdit(*form, QStringLiteral("Edit4"), QStringLiteral("Заря Востока"));
    clickTool(*form, QStringLiteral("ToolButton11"));
    QVERIFY(m_dialogs->takeErrors().isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(archive::search(index.entries(), QStringLiteral("заря востока")).size(), 1,
                              IndexWait);
    QCOMPARE(index.entries()[archive::search(index.entries(), QStringLiteral("заря востока"))[0]].fileName,
             r.fileName);

    // Delete: the record leaves the index with the rescan.
    m_dialogs->answer(QMessageBox::Yes);
    QVERIFY(popupCommand(*form, tableRowOf(*form, r.fileName), QStringLiteral("Delete")));
    QTRY_VERIFY_WITH_TIMEOUT(!index.isBuilding() && index.entries().size() == RecordCount - 1, IndexWait);
    QVERIFY(!index.entryFor(m_dir->inArchive(r.fileName)));
    QVERIFY(archive::search(index.entries(), QStringLiteral("заря востока")).isEmpty());
}

QTEST_MAIN(TestFinder)
#include "tst_finder.moc"
