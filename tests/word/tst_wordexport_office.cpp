// The Word export against a real LibreOffice. The test starts its own
// headless office on a profile of its own and points the export at its pipe;
// the export never starts an office of its own here except through a launcher
// that keeps it headless.

#include "AppError.h"
#include "LibreOfficeWriter.h"
#include "TestOffice.h"
#include "WordExport.h"
#include "WordReport.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using css::uno::Reference;
using css::text::XTextDocument;

namespace {

RecordHeader panel()
{
    RecordHeader v;
    v.radioEngineer = "I. Petrov";
    v.sartModel = "Tron SART20";
    v.vessel = "MV Polar Star";
    v.centreName = "Baltic Radio Service";
    v.manufacturerNo = "020431";
    v.frequencyHigh = "9.500";
    v.frequencyLow = "9.200";
    v.standByText = "YES";
    v.testingModeText = "Auto";
    v.testingDate = QDate(2004, 3, 15);
    return v;
}

// What the document must read: each "\r" a paragraph break, tabs as tabs.
QStringList expectedParagraphs(const RecordHeader &values)
{
    return wordreport::pieces(values).join(QString()).split(u'\r');
}

QList<Reference<XTextDocument>> newDocuments(const TestOffice &office,
                                              const QList<Reference<XTextDocument>> &before)
{
    QList<Reference<XTextDocument>> added;
    for (const auto &document : office.textDocuments()) {
        if (std::none_of(before.begin(), before.end(), [&](const auto &old) { return old == document; }))
            added << document;
    }
    return added;
}

qint64 readPid(const QString &pidFile)
{
    QFile file(pidFile);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    return file.readAll().trimmed().toLongLong();
}

} // namespace

class TestWordExportOffice : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void exportWritesReportIntoNewDocument();
    void secondExportAttachesToSameOffice();
    void runningOfficeTakesOverProgramsPipe();
    void noOfficeReachableNeedsWriter();
    void officeEndingWithoutListeningFailsEarly();
    void officeGoneEndsExportAndNextStartsAfresh();

private:
    LibreOfficeWriter writerFor(const QString &pipeName, const QString &officeProgram = "/nonexistent/soffice");

    QTemporaryDir m_dir;
    std::unique_ptr<TestOffice> m_office;
};

LibreOfficeWriter TestWordExportOffice::writerFor(const QString &pipeName, const QString &officeProgram)
{
    LibreOfficeOptions options = LibreOfficeOptions::defaults();
    options.office.pipeName = pipeName;
    options.office.officeProgram = officeProgram;
    return LibreOfficeWriter(options);
}

void TestWordExportOffice::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_office = std::make_unique<TestOffice>(m_dir.filePath("profile"), TestOffice::uniquePipeName("main"));
    m_office->start();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
}

void TestWordExportOffice::cleanupTestCase()
{
    m_office.reset();
}

void TestWordExportOffice::exportWritesReportIntoNewDocument()
{
    // A document the user has open must not be written into.
    const Reference<XTextDocument> userDocument =
        officetext::openUserDocument(m_office->desktop(), "The engineer's own notes");
    const auto before = m_office->textDocuments();

    auto writer = writerFor(m_office->pipeName());
    exportToWord(panel(), writer);

    const auto added = newDocuments(*m_office, before);
    QCOMPARE(added.size(), 1);
    const Reference<XTextDocument> &report = added.first();
    QCOMPARE(officetext::paragraphs(report), expectedParagraphs(panel()));
    QCOMPARE(officetext::frameTitle(report), QStringLiteral("SART TESTING"));
    QVERIFY(officetext::windowVisible(report));
    // Left open for the engineer, neither saved nor closed.
    QVERIFY(officetext::modified(report));
    QVERIFY(!officetext::stored(report));

    QCOMPARE(officetext::paragraphs(userDocument), QStringList{"The engineer's own notes"});
}

void TestWordExportOffice::secondExportAttachesToSameOffice()
{
    const auto before = m_office->textDocuments();
    RecordHeader failed = panel();
    failed.verdictIndex = 1;
    // The office program cannot be started: the export can only succeed by
    // attaching to the office already running.
    auto writer = writerFor(m_office->pipeName());
    exportToWord(failed, writer);

    const auto added = newDocuments(*m_office, before);
    QCOMPARE(added.size(), 1);
    QCOMPARE(officetext::paragraphs(added.first()), expectedParagraphs(failed));
    QCOMPARE(officetext::frameTitle(added.first()), QStringLiteral("SART TESTING"));
    QCOMPARE(m_office->textDocuments().size(), before.size() + 1);
}

// Nobody listens on the program's pipe, but LibreOffice already runs for the
// user: the office the export starts hands the pipe to the running one.
void TestWordExportOffice::runningOfficeTakesOverProgramsPipe()
{
    const QString launcher = m_dir.filePath("handover.sh");
    m_office->writeLauncher(launcher, m_dir.filePath("handover.pid"));
    const auto before = m_office->textDocuments();

    auto writer = writerFor(m_office->pipeName() + "_handover", launcher);
    exportToWord(panel(), writer);

    const auto added = newDocuments(*m_office, before);
    QCOMPARE(added.size(), 1);
    QCOMPARE(officetext::paragraphs(added.first()), expectedParagraphs(panel()));
}

void TestWordExportOffice::noOfficeReachableNeedsWriter()
{
    auto writer = writerFor(TestOffice::uniquePipeName("nobody"));
    try {
        exportToWord(panel(), writer);
        QFAIL("the export did not report the missing word processor");
    } catch (const AppError &e) {
        QCOMPARE(e.text(), QStringLiteral(
            "LibreOffice Writer is needed for the Word export; install the package libreoffice-writer."));
    }
}

// An office program that starts but ends without ever listening (no display,
// a broken installation) is reported once it has ended, not after the whole
// start time-out.
void TestWordExportOffice::officeEndingWithoutListeningFailsEarly()
{
    const QString launcher = m_dir.filePath("broken.sh");
    QFile script(launcher);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nexit 1\n");
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);

    LibreOfficeOptions options = LibreOfficeOptions::defaults();
    options.office.pipeName = TestOffice::uniquePipeName("broken");
    options.office.officeProgram = launcher;
    options.office.startTimeoutMs = 10 * 60 * 1000;
    LibreOfficeWriter writer(options);
    try {
        exportToWord(panel(), writer);
        QFAIL("the export did not report the failed start");
    } catch (const AppError &e) {
        QCOMPARE(e.text(), QStringLiteral("LibreOffice Writer could not be started"));
    }
}

void TestWordExportOffice::officeGoneEndsExportAndNextStartsAfresh()
{
    const QString pidFile = m_dir.filePath("restart.pid");
    const QString launcher = m_dir.filePath("restart.sh");
    m_office->writeLauncher(launcher, pidFile);
    auto writer = writerFor(m_office->pipeName(), launcher);

    // The office goes away between connecting and writing.
    writer.connectApplication();
    m_office->kill();
    try {
        exportToWord(panel(), writer);
        QFAIL("the export did not report the lost office");
    } catch (const AppError &e) {
        // The office's own message, without the source location of its build.
        QVERIFY2(QRegularExpression("^LibreOffice Writer: \\w.*[^0-9]$").match(e.text()).hasMatch(),
                 qPrintable(e.text()));
        QVERIFY2(!e.text().contains("needed"), qPrintable(e.text()));
    }

    // The links were released: the next export does not reuse the dead
    // bridge but starts an office (through the launcher) and writes into it.
    exportToWord(panel(), writer);
    const qint64 pid = readPid(pidFile);
    QVERIFY(pid > 0);
    TestOffice restarted(m_dir.filePath("profile"), m_office->pipeName());
    restarted.adopt(pid);
    const auto documents = restarted.textDocuments();
    QCOMPARE(documents.size(), 1);
    QCOMPARE(officetext::paragraphs(documents.first()), expectedParagraphs(panel()));
    QCOMPARE(officetext::frameTitle(documents.first()), QStringLiteral("SART TESTING"));
}

QTEST_GUILESS_MAIN(TestWordExportOffice)
#include "tst_wordexport_office.moc"
