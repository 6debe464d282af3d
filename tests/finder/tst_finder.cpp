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
#include "Marks.h"
#include "SampleArchive.h"
#include "SartLimits.h"
#include "TestSupport.h"
#include "WindowFixture.h"

#include <QDateEdit>
#include <QHelpEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QToolTip>

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
    QCOMPARE(editText(form, QStringLiteral("Edit9")).trimmed(), r.header.manufacturerNo);
    QCOMPARE(editText(form, QStringLiteral("Edit4")).trimmed(), r.header.vessel);
}

// The values of a record outside the standard's limits, worked out from what
// the sample archive wrote: the Auto block, and the saved answers or, for a
// record as received, the tester's.
QStringList outsideNames(const ArchiveRecord &r)
{
    const sample::Measurement &m = r.params.automatic;
    QStringList names;
    if (m.highKHz < 9500000)
        names << "Frequency high";
    if (m.lowKHz > 9200000)
        names << "Frequency low";
    if (m.powerMw < 400)
        names << "Emitted power";
    if (m.durationUnits < 408 || m.durationUnits > 540)
        names << "Emitted signal duration";
    if (m.tunings != 12)
        names << "Number of frequency tunings";
    if (r.saved && r.header.batteryDate < r.params.testingDate)
        names << "Battery replacement date";
    const int answers[] = {r.saved ? r.header.standByIndex : m.standBy, r.saved ? r.header.ledIndex : m.led,
                           r.saved ? r.header.beeperIndex : m.beeper};
    const char *answerNames[] = {"Stand by", "Led", "Sound beeper"};
    for (int i = 0; i < 3; ++i)
        if (answers[i] != 0)
            names << answerNames[i];
    return names;
}

QString pdfText(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Find searches off the window's thread: waits for the results of the text
// in the search field.
bool resultsCame(FindDialog *find)
{
    return QTest::qWaitFor([find] { return find->showsResultsFor(find->searchField()->text()); }, 5000);
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
    void viewsMarkValuesOutsideTheLimits();
    void historyPlotShowsTheLimits();

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
    QVERIFY(resultsCame(find));
    QCOMPARE(find->results()->model()->rowCount(), RecordCount);

    // SART 2 sails on "Северное сияние"; the query is typed in capitals.
    const ArchiveRecord &target = savedRecord(2, 3);
    QCOMPARE(target.header.vessel, QStringLiteral("Северное сияние"));
    find->searchField()->setText(QStringLiteral("СЕВЕРНОЕ"));
    QVERIFY(resultsCame(find));
    auto *results = find->results();
    const int matching = results->model()->rowCount();
    // SARTs 2, 14 and 26 sail on ships of that name, each with its saved records.
    int expected = 0;
    for (const ArchiveRecord &r : m_records)
        expected += r.saved && r.header.vessel.startsWith(QStringLiteral("Северное"));
    QCOMPARE(matching, expected);
    for (int row = 0; row < matching; ++row)
        QVERIFY(results->model()->index(row, 1).data().toString().startsWith(QStringLiteral("Северное")));

    // Narrowed further by the year of the test, then chosen with a double click.
    find->searchField()->setText(QStringLiteral("северное сияние %1").arg(target.params.testingDate.year()));
    QVERIFY(resultsCame(find));
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
    QTest::keyClicks(find->searchField(), first.header.manufacturerNo);
    QVERIFY(resultsCame(find));
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
    QTRY_VERIFY(form->isActiveWindow());
    QCOMPARE(form->navigation().shownPath(), m_dir->inArchive(chosen));
    QCOMPARE(form->navigation().CurrentRow, tableRowOf(*form, chosen));

    // Escape closes the window; Ctrl+F brings it back with the text selected.
    QTest::keyClick(form.get(), Qt::Key_F, Qt::ControlModifier);
    QVERIFY(find->isVisible());
    QCOMPARE(find->searchField()->selectedText(), first.header.manufacturerNo);
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
        if (r.params.testingDate == day || (r.saved && r.header.nextTestDate == day))
            expected.append(r.fileName);
    expected.sort();
    for (const QString &typed : {day.toString("dd.MM.yy"), day.toString(Qt::ISODate), archive::dateText(day)}) {
        find->searchField()->setText(typed);
        QVERIFY(resultsCame(find));
        QStringList found;
        for (int row = 0; row < find->results()->model()->rowCount(); ++row)
            found.append(find->results()->model()->index(row, 0).data().toString());
        found.sort();
        QCOMPARE(found, expected);
    }

    QHeaderView *header = find->results()->horizontalHeader();
    const int last = header->count() - 1;
    QCOMPARE(header->model()->headerData(last, Qt::Horizontal).toString(), LimitsColumn);
    QVERIFY2(header->sectionViewportPosition(last) + header->sectionSize(last) <= header->viewport()->width(),
             qPrintable(QStringLiteral("%1 + %2 > %3")
                            .arg(header->sectionViewportPosition(last))
                            .arg(header->sectionSize(last))
                            .arg(header->viewport()->width())));
    const int next = last - 1;
    QCOMPARE(header->model()->headerData(next, Qt::Horizontal).toString(), QStringLiteral("Next testing date"));
    const QModelIndex date = find->results()->model()->index(0, next);
    QCOMPARE(find->results()->fontMetrics().horizontalAdvance(date.data().toString()) < header->sectionSize(next),
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
        if (r->header.nextTestDate <= today.addDays(90))
            expected.append({r->header.nextTestDate, r->fileName});
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
    QCOMPARE(history->windowTitle(), QStringLiteral("History of SART %1").arg(shown.header.manufacturerNo));

    QVector<const ArchiveRecord *> expected;
    for (const ArchiveRecord &r : m_records)
        if (r.saved && r.header.manufacturerNo == shown.header.manufacturerNo)
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

// Find, the due list and the history mark every record with values outside
// the limits in force, name them, and follow a change of the limits.
void TestFinder::viewsMarkValuesOutsideTheLimits()
{
    auto form = startIndexed();
    QHash<QString, const ArchiveRecord *> byName;
    for (const ArchiveRecord &r : m_records)
        byName.insert(r.fileName, &r);

    form->Finder1->showFind();
    QVERIFY(resultsCame(form->Finder1->findDialog()));
    QTableView *found = form->Finder1->findDialog()->results();
    QCOMPARE(found->model()->rowCount(), RecordCount);
    const int column = found->model()->columnCount() - 1;
    QCOMPARE(found->model()->headerData(column, Qt::Horizontal).toString(), QStringLiteral("Outside limits"));
    int marked = 0;
    for (int row = 0; row < found->model()->rowCount(); ++row) {
        const QModelIndex cell = found->model()->index(row, column);
        const QStringList expected = outsideNames(*byName.value(found->model()->index(row, 0).data().toString()));
        QCOMPARE(cell.data().toString(), expected.join(", "));
        QCOMPARE(cell.data(Qt::BackgroundRole).value<QBrush>().color() == OutsideLimitBackground, !expected.isEmpty());
        QCOMPARE(cell.data(Qt::ToolTipRole).toString().startsWith("Outside the limits of the SART standard:\n"),
                 !expected.isEmpty());
        marked += !expected.isEmpty();
    }
    QVERIFY2(marked > 0 && marked < RecordCount, qPrintable(QString::number(marked)));

    form->Finder1->showDue();
    const RowsModel &due = form->Finder1->dueDialog()->rows();
    QVERIFY(due.rowCount() > 0);
    for (int row = 0; row < due.rowCount(); ++row)
        QCOMPARE(due.row(row).cells.last(), outsideNames(*byName.value(due.row(row).fileName)).join(", "));

    // Stricter national rules: every open view marks again at once.
    limits::Limits strict;
    strict.powerMinMw = 5000;
    limits::InForce::instance().set(strict);
    for (int row = 0; row < found->model()->rowCount(); ++row)
        QVERIFY(found->model()->index(row, column).data().toString().contains("Emitted power"));
    for (int row = 0; row < due.rowCount(); ++row)
        QVERIFY(due.row(row).cells.last().contains("Emitted power"));
    limits::InForce::instance().set(limits::Limits());
}

// The history plot draws the band the sweep must cover and the minimum
// power, labels its axes in round steps and dates, marks the tests outside
// the limits and tells a point's values on hover.
void TestFinder::historyPlotShowsTheLimits()
{
    auto form = startIndexed();
    // SART 4: drifted below the upper frequency by its last tests.
    const ArchiveRecord &last = savedRecord(4, 7);
    QVERIFY(!outsideNames(last).isEmpty());
    clickRow(*form, tableRowOf(*form, last.fileName));
    form->findChild<QAction *>(QStringLiteral("History1"))->trigger();
    HistoryDialog *history = form->Finder1->historyDialog();
    HistoryPlot *plot = history->plot();
    QVERIFY(QTest::qWaitForWindowExposed(history));
    const QVector<HistoryPlot::Point> &points = plot->points();
    QVERIFY(points.size() > 3);
    int outside = 0;
    for (int i = 0; i < points.size(); ++i) {
        const ArchiveRecord &r = *std::find_if(m_records.begin(), m_records.end(), [&](const ArchiveRecord &a) {
            return a.fileName == history->rows().row(i).fileName;
        });
        QCOMPARE(points[i].outside, !outsideNames(r).isEmpty());
        outside += points[i].outside;
    }
    QVERIFY(outside > 0 && outside < points.size());

    // Round steps: each value axis goes up by one step of 1, 2, 2.5 or 5
    // times a power of ten; the time axis reads dates, each once.
    for (const QVector<HistoryPlot::Tick> &ticks : {plot->powerTicks(), plot->frequencyTicks()}) {
        QVERIFY(ticks.size() >= 3);
        const double step = QLocale().toDouble(ticks[1].text) - QLocale().toDouble(ticks[0].text);
        const double mantissa = step / std::pow(10.0, std::floor(std::log10(step) + 1e-9));
        const double round[] = {1.0, 2.0, 2.5, 5.0};
        QVERIFY2(std::any_of(std::begin(round), std::end(round), [&](double f) { return std::abs(mantissa - f) < 1e-6; }),
                 qPrintable(ticks[0].text + " " + ticks[1].text));
        for (int i = 1; i < ticks.size(); ++i)
            QVERIFY(std::abs(QLocale().toDouble(ticks[i].text) - QLocale().toDouble(ticks[i - 1].text) - step) < 1e-6);
    }
    QStringList dates;
    for (const HistoryPlot::Tick &t : plot->dateTicks())
        dates.append(t.text);
    QVERIFY2(dates.size() >= 3 && dates.removeDuplicates() == 0, qPrintable(dates.join(", ")));

    // The band and the minimum power, where nothing else is drawn: between
    // the first two tests.
    const QImage image = plot->grab().toImage();
    const int x = int((plot->powerPosition(0).x() + plot->powerPosition(1).x()) / 2);
    QCOMPARE(image.pixelColor(x, int(plot->frequencyY(9.35))), QColor(205, 238, 214));
    const int y = qRound(plot->powerY(400));
    bool line = false;
    for (int dx = -6; dx <= 6 && !line; ++dx)
        for (int dy = -1; dy <= 1 && !line; ++dy)
            line = image.pixelColor(x + dx, y + dy).green() > 100 && image.pixelColor(x + dx, y + dy).red() < 60;
    QVERIFY2(line, "no limit line at 400 mW");

    // Hovering a point, and its bar, tells its values.
    const int i = points.size() - 1;
    for (const QPointF &at : {plot->powerPosition(i), plot->frequencyPosition(i)}) {
        QToolTip::hideText();
        QHelpEvent hover(QEvent::ToolTip, at.toPoint(), plot->mapToGlobal(at.toPoint()));
        QApplication::sendEvent(plot, &hover);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), points[i].details);
    }
    QVERIFY(points[i].details.contains(QStringLiteral("Emitted power %1 mW").arg(last.params.automatic.powerMw)));
    QVERIFY(points[i].details.contains("Outside the limits of the SART standard:\nFrequency high"));
    QCOMPARE(plot->pointAt(QPointF(2, 2)), -1);
    QToolTip::hideText();
}

QTEST_MAIN(TestFinder)
#include "tst_finder.moc"
