// Daily use of the real main window: the desktop's usual shortcuts, the
// certificate saved as PDF, the window and its table as the user left them,
// the folder the program keeps its records in, and the Word export into an
// office that cannot show a window.
#include "AppError.h"
#include "CertificateRegister.h"
#include "FaultSupport.h"
#include "FileGrid.h"
#include "LibreOfficeWriter.h"
#include "PdfText.h"
#include "ProgramSettings.h"
#include "RecordLayout.h"
#include "RecordPanel.h"
#include "ReportPrinter.h"
#include "SampleRecord.h"
#include "StartFolder.h"
#include "TestSupport.h"
#include "Unit1.h"
#include "WindowFixture.h"
#include "WindowSettings.h"
#include "WriterPlugin.h"

#include <QAction>
#include <QDesktopServices>
#include <QApplication>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <numeric>
#include <sys/stat.h>
#include <unistd.h>

using namespace windowtest;
using testsupport::readFile;

namespace {

// The main window started as the program starts it: as the user left it.
std::unique_ptr<TForm1> startAsLeft()
{
    auto form = std::make_unique<TForm1>();
    showAsLeft(*form);
    waitForStartUp(*form);
    return form;
}

void keyInto(TForm1 &form, const QString &focus, QKeyCombination key)
{
    if (!QTest::qWaitForWindowActive(&form))
        qWarning("main window not active");
    auto *target = child<QWidget>(&form, focus);
    target->setFocus();
    if (!QTest::qWaitFor([target] { return target->hasFocus(); }, 1000))
        qWarning("no focus on %s", qPrintable(focus));
    QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
}

int sum(const QList<int> &values) { return std::accumulate(values.begin(), values.end(), 0); }

} // namespace

// Stands in for the desktop's file manager: takes the folders the program
// asks the desktop to open.
class FolderOpener : public QObject
{
    Q_OBJECT

public:
    FolderOpener() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~FolderOpener() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened.append(url); }
};

class TestDailyUse : public WindowTestCase
{
    Q_OBJECT

private slots:
    void initTestCase();

    void saveWithCtrlS_data();
    void saveWithCtrlS();
    void windowShortcuts_data();
    void windowShortcuts();
    void f5Rescans();
    void deleteKey_data();
    void deleteKey();

    void pdfCertificate();
    void pdfWriteFailures_data();
    void pdfWriteFailures();
    void pdfOntoWhatLiesThere_data();
    void pdfOntoWhatLiesThere();
    void printIntoAFile();

    void firstStartIsMaximized();
    void windowAndColumnsAcrossRestart_data();
    void windowAndColumnsAcrossRestart();
    void columnsUseTheWidth_data();
    void columnsUseTheWidth();
    void soundGeometry_data();
    void soundGeometry();
    void brokenWindowSettings_data();
    void brokenWindowSettings();
    void rememberedPdfFolderChecked_data();
    void rememberedPdfFolderChecked();

    void recordsFolder_data();
    void recordsFolder();
    void startsWhateverLiesWhereFilesAreExpected_data();
    void startsWhateverLiesWhereFilesAreExpected();
    void ownFolderThatCannotBeMade();

    void wordIntoOfficeWithoutWindow();

private:
    QTemporaryDir m_home;
};

void TestDailyUse::initTestCase()
{
    // Settings and the documents folder of a user of the test's own.
    QVERIFY(m_home.isValid());
    QVERIFY(QDir(m_home.path()).mkpath(QStringLiteral("Documents")));
    qputenv("HOME", QFile::encodeName(m_home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath(QStringLiteral(".config"))));
    ProgramSettings().clear();
}

// Ctrl+S saves changes, from wherever the focus is, as Ctrl+A does.
void TestDailyUse::saveWithCtrlS_data()
{
    QTest::addColumn<QString>("focus");
    QTest::newRow("edit box") << "Edit3";
    QTest::newRow("date picker") << "DateTimePicker1";
    QTest::newRow("answer selector") << "ComboBox1";
    QTest::newRow("file table") << "StringGrid1";
}

void TestDailyUse::saveWithCtrlS()
{
    QFETCH(QString, focus);
    StartDirectory dir;
    const QString a = dir.addRecord("a.bin", 0);
    auto form = startWindow();
    setEdit(*form, "Edit3", "CTRL S");
    keyInto(*form, focus, Qt::ControlModifier | Qt::Key_S);
    QCOMPARE(m_dialogs->takeSeen().size(), 0);
    QCOMPARE(readFile(a).mid(layout::SartModel, 6), QByteArray("CTRL S"));
}

void TestDailyUse::windowShortcuts_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QKeyCombination>("key");
    QTest::addColumn<QString>("window");
    QTest::newRow("Ctrl+P in the table") << "StringGrid1" << (Qt::ControlModifier | Qt::Key_P) << "QPrintPreviewDialog";
    QTest::newRow("Ctrl+P in an edit box") << "Edit4" << (Qt::ControlModifier | Qt::Key_P) << "QPrintPreviewDialog";
}

// Ctrl+P prints: the print preview comes up, wherever the focus is.
void TestDailyUse::windowShortcuts()
{
    QFETCH(QString, focus);
    QFETCH(QKeyCombination, key);
    QFETCH(QString, window);
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    auto form = startWindow();
    chooseConclusion(*form, 1);  // a certificate with nothing to ask about
    m_dialogs->closeWindow(window);
    keyInto(*form, focus, key);
    const QList<SeenDialog> seen = m_dialogs->takeSeen();
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].kind, window);
}

// F5 lists what was added to the archive outside the program; the record
// shown stays.
void TestDailyUse::f5Rescans()
{
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    auto form = startWindow();
    dir.addRecord("b.bin", 1);
    QCOMPARE(listedNames(*form), QStringList{"a.bin"});
    keyInto(*form, "Edit3", QKeyCombination(Qt::Key_F5));
    QCOMPARE(listedNames(*form), QStringList({"a.bin", "b.bin"}));
    QCOMPARE(shownPower(*form), powerOf(0));
    QCOMPARE(m_dialogs->takeSeen().size(), 0);
}

void TestDailyUse::deleteKey_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("answer");  // QMessageBox::NoButton: no question expected
    QTest::addColumn<bool>("deleted");
    QTest::newRow("table, answered Yes") << "StringGrid1" << int(QMessageBox::Yes) << true;
    QTest::newRow("table, answered No") << "StringGrid1" << int(QMessageBox::No) << false;
    QTest::newRow("edit box: edits the text") << "Edit3" << int(QMessageBox::NoButton) << false;
}

// The Delete key in the table deletes the current row's record after the
// question; in an edit box it stays a key for editing.
void TestDailyUse::deleteKey()
{
    QFETCH(QString, focus);
    QFETCH(int, answer);
    QFETCH(bool, deleted);
    StartDirectory dir;
    const QString a = dir.addRecord("a.bin", 0);
    dir.addRecord("b.bin", 1);
    auto form = startWindow();
    clickRow(*form, 1);
    auto *edit = child<QLineEdit>(form.get(), "Edit3");
    if (answer == QMessageBox::NoButton) {
        edit->setText("ABC");
        edit->setCursorPosition(0);
    }
    if (answer != QMessageBox::NoButton)
        m_dialogs->answer(QMessageBox::StandardButton(answer));
    keyInto(*form, focus, QKeyCombination(Qt::Key_Delete));

    const QList<SeenDialog> seen = m_dialogs->takeSeen();
    if (answer == QMessageBox::NoButton) {
        QCOMPARE(seen.size(), 0);
        QCOMPARE(edit->text(), QStringLiteral("BC"));
    } else {
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].text, QStringLiteral("DELETE FILE?\n\na.bin"));
    }
    QCOMPARE(QFileInfo::exists(a), !deleted);
    QCOMPARE(listedNames(*form).contains("a.bin"), !deleted);
}

// Data export > PDF... saves the shown record's certificate under a name made
// of the certificate's number, vessel, manufacturer's number and testing
// date, in the folder used last time; the PDF holds the certificate's page
// and carries a title with the number.
void TestDailyUse::pdfCertificate()
{
    ProgramSettings().clear();
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    auto form = startWindow();
    QCOMPARE(action(*form, "Pdf1")->text(), QStringLiteral("PDF..."));
    setEdit(*form, "Edit4", "M/V NORTH STAR");
    setEdit(*form, "Edit9", "123456");
    // Saved first: a certificate goes out only with what the record holds.
    clickTool(*form, "ToolButton11");
    chooseConclusion(*form, 1);
    const QString date = form->recordPanel()->values().testingDate.toString(Qt::ISODate);
    QVERIFY(!date.isEmpty());

    const QString number = certregister::Register(certregister::loadProgramSettings()).nextNumber();
    QTemporaryDir out;
    const QString first = out.filePath("certificate.pdf");
    FolderOpener opener;
    m_dialogs->chooseFile(first);
    m_dialogs->answer(QMessageBox::Open);
    action(*form, "Pdf1")->trigger();
    QList<SeenDialog> seen = m_dialogs->takeSeen();
    QCOMPARE(seen.size(), 2);
    QCOMPARE(seen[0].objectName, QStringLiteral("PdfDialog1"));
    // The first time the dialog starts in the documents folder.
    QCOMPARE(seen[0].text, m_home.filePath("Documents/" + number + " - M_V NORTH STAR - 123456 - " + date + ".pdf"));
    // The message names the file; its button opens the folder.
    QCOMPARE(seen[1].objectName, QStringLiteral("FileWritten"));
    QCOMPARE(seen[1].text, "The certificate " + number + " was saved as\n" + first);
    QStringList buttons = seen[1].buttons;
    buttons.sort();
    QCOMPARE(buttons, QStringList({"OK", "Open folder"}));
    QCOMPARE(seen[1].defaultButton, QStringLiteral("OK"));
    QCOMPARE(opener.opened, QList<QUrl>{QUrl::fromLocalFile(out.path())});

    QVERIFY(QFileInfo::exists(first));
    const QString text = pdftext::flatText(first);
    for (const QString &expected : QStringList{"SART TEST REPORT", "MANUFACTURER №: 123456",
                                               "VESSEL NAME: M/V NORTH STAR", "RADIOENGINEER " + engineerOf(0)})
        QVERIFY2(text.contains(expected), qPrintable(expected + " not in: " + text));
    QCOMPARE(pdftext::info(first, "Pages"), QStringLiteral("1"));
    QCOMPARE(pdftext::info(first, "Title"), "SART TEST REPORT, certificate " + number + ", M/V NORTH STAR, 123456, " + date);

    // The next certificate is offered in the folder used last time, also
    // after a restart.
    form.reset();
    form = startWindow();
    setEdit(*form, "Edit4", "");
    setEdit(*form, "Edit9", "");
    clickTool(*form, "ToolButton11");
    chooseConclusion(*form, 1);
    m_dialogs->cancelFile();
    action(*form, "Pdf1")->trigger();
    seen = m_dialogs->takeSeen();
    QCOMPARE(seen.size(), 1);
    const QString next = certregister::Register(certregister::loadProgramSettings()).nextNumber();
    QVERIFY(next != number);
    QCOMPARE(seen[0].text, out.filePath(next + " - " + date + ".pdf"));
}

void TestDailyUse::pdfWriteFailures_data()
{
    QTest::addColumn<bool>("fullDisk");
    QTest::addColumn<QString>("error");
    QTest::newRow("full disk") << true << "%1: Disk full.";
    QTest::newRow("read-only folder") << false << "%1: File access denied.";
}

// A certificate that cannot be written is reported in the error box, as for
// any file; the folder is not remembered and the panel keeps its values.
void TestDailyUse::pdfWriteFailures()
{
    QFETCH(bool, fullDisk);
    QFETCH(QString, error);
    ProgramSettings().clear();
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    QTemporaryDir out;
    const QString path = out.filePath("certificate.pdf");
    faults::SmallDisk disk(out.path(), 64);
    if (!disk.isMounted())
        QSKIP(qPrintable(disk.error()));
    QVERIFY(fullDisk ? disk.fill("filler") : disk.remountReadOnly());
    auto form = startWindow();
    setEdit(*form, "Edit4", "NORTH STAR");
    clickTool(*form, "ToolButton11");  // a certificate goes out only with what the record holds
    chooseConclusion(*form, 1);
    m_dialogs->chooseFile(path);
    action(*form, "Pdf1")->trigger();
    QCOMPARE(m_dialogs->takeErrors(), QStringList{error.arg(path)});
    QCOMPARE(editText(*form, "Edit4"), QStringLiteral("NORTH STAR"));
    QVERIFY(!ProgramSettings().contains("Certificates/pdfFolder"));
}

void TestDailyUse::pdfOntoWhatLiesThere_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("error");  // empty: the replace question or, for a folder, the folder's inside
    const QString refused = QStringLiteral("%1: this is %2, not a file; it is left as it is. Choose another name.");
    QTest::newRow("FIFO") << "fifo" << refused.arg("%1", "a FIFO (named pipe)");
    QTest::newRow("link to a file elsewhere") << "link" << refused.arg("%1", "a symbolic link");
    QTest::newRow("dangling link") << "dangling" << refused.arg("%1", "a symbolic link");
    QTest::newRow("folder") << "folder" << QString();
    QTest::newRow("regular file, kept") << "keep" << QString();
    QTest::newRow("regular file, replaced") << "replace" << QString();
}

// The certificate is written at the chosen name only: what lies there and is
// no file is left as it is, and so is what a link leads to, with a message
// naming it; a file is replaced only after the question. A folder's name
// takes the save dialog into the folder, where the engineer cancels. The
// window goes on answering: the next certificate is written.
void TestDailyUse::pdfOntoWhatLiesThere()
{
    QFETCH(QString, kind);
    QFETCH(QString, error);
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    QTemporaryDir out, elsewhere;
    const QString path = out.filePath("certificate.pdf");
    const QByteArray name = QFile::encodeName(path);
    const QString target = elsewhere.filePath("target.pdf");
    const QByteArray earlier("the earlier bytes");
    if (kind == u"fifo")
        QCOMPARE(::mkfifo(name.constData(), 0600), 0);
    if (kind == u"link")
        testsupport::writeFile(target, earlier);
    if (kind == u"link" || kind == u"dangling")
        QCOMPARE(::symlink(QFile::encodeName(target).constData(), name.constData()), 0);
    if (kind == u"folder")
        QVERIFY(QDir().mkpath(path + "/inside"));
    if (kind == u"keep" || kind == u"replace")
        testsupport::writeFile(path, earlier);
    const faults::FolderState before = faults::folderState(out.path());

    auto form = startWindow();
    chooseConclusion(*form, 1);
    m_dialogs->chooseFile(path);
    if (kind == u"folder")
        m_dialogs->cancelFile();
    else if (error.isEmpty())
        m_dialogs->answer(kind == u"replace" ? QMessageBox::Yes : QMessageBox::No);
    if (kind == u"replace")
        m_dialogs->answer(QMessageBox::Ok);  // where the certificate went
    action(*form, "Pdf1")->trigger();
    const QList<SeenDialog> seen = m_dialogs->takeSeen();
    QCOMPARE(seen.size(), kind == u"replace" ? 3 : 2);
    if (kind == u"folder") {
        QCOMPARE(seen[1].objectName, QStringLiteral("PdfDialog1"));
        QCOMPARE(QFileInfo(seen[1].text).path(), path);
    } else if (error.isEmpty()) {
        QCOMPARE(seen[1].objectName, QStringLiteral("ReplaceQuestion"));
        QCOMPARE(seen[1].text, QStringLiteral("The file certificate.pdf already exists.\nDo you want to replace it?"));
        QCOMPARE(seen[1].defaultButton, QStringLiteral("No"));
    } else {
        QCOMPARE(seen[1].icon, QMessageBox::Critical);
        QCOMPARE(seen[1].text, error.arg(path));
    }
    if (kind == u"replace") {
        QCOMPARE(seen[2].objectName, QStringLiteral("FileWritten"));
        QVERIFY(readFile(path).startsWith("%PDF-"));
        QCOMPARE(QDir(out.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"certificate.pdf"});
        return;
    }
    QCOMPARE(faults::folderState(out.path()), before);
    if (kind == u"link")
        QCOMPARE(readFile(target), earlier);
    if (kind == u"dangling")
        QVERIFY(!QFileInfo::exists(target));

    const QString next = out.filePath("next.pdf");
    m_dialogs->chooseFile(next);
    m_dialogs->answer(QMessageBox::Ok);
    action(*form, "Pdf1")->trigger();
    QCOMPARE(m_dialogs->takeSeen().size(), 2);
    QVERIFY(readFile(next).startsWith("%PDF-"));
}

// A certificate printed into a file from the print preview ends with the
// message naming that file; OK leaves the folder closed.
void TestDailyUse::printIntoAFile()
{
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    auto form = startWindow();
    chooseConclusion(*form, 1);
    QTemporaryDir out;
    const QString path = out.filePath("printed.pdf");
    QPrinter &printer = printing::programPrinter();
    const auto restore = qScopeGuard([&] { printer.setOutputFileName(QString()); });
    FolderOpener opener;

    const auto printStep = printNextPreviewInto(*m_dialogs, printer, path);
    m_dialogs->answer(QMessageBox::Ok);
    clickTool(*form, "ToolButton13");
    const QList<SeenDialog> seen = m_dialogs->takeSeen();
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].objectName, QStringLiteral("FileWritten"));
    QCOMPARE(seen[0].text, "The certificate was saved as\n" + path);
    QVERIFY(pdftext::flatText(path).contains("SART TEST REPORT"));
    QVERIFY(opener.opened.isEmpty());
}

void TestDailyUse::firstStartIsMaximized()
{
    ProgramSettings().clear();
    StartDirectory dir;
    auto form = startAsLeft();
    QVERIFY(form->isMaximized());
}

void TestDailyUse::windowAndColumnsAcrossRestart_data()
{
    QTest::addColumn<bool>("maximized");
    QTest::newRow("normal") << false;
    QTest::newRow("maximized") << true;
}

// Size, position, maximized or not, and the widths the user gave the columns
// are saved when the window closes and come back at the next start.
void TestDailyUse::windowAndColumnsAcrossRestart()
{
    QFETCH(bool, maximized);
    ProgramSettings().clear();
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    const QRect normal(60, 40, 700, 600);  // on the 800 x 800 offscreen screen
    const QList<int> widths = {70, -1, 120, 200, 90};  // -1: the file name column, which fills the rest
    {
        auto form = startAsLeft();
        form->showNormal();
        form->setGeometry(normal);
        if (maximized)
            form->showMaximized();
        QTRY_COMPARE(form->isMaximized(), maximized);
        for (int column : {0, 2, 3, 4})
            form->grid()->horizontalHeader()->resizeSection(column, widths[column]);
        clickTool(*form, "ToolButton18");  // Exit
        QVERIFY(!form->isVisible());
    }

    auto form = startAsLeft();
    QCOMPARE(form->isMaximized(), maximized);
    if (!maximized)
        QTRY_COMPARE(form->geometry(), normal);
    form->showNormal();
    QTRY_COMPARE(form->geometry(), normal);
    const QList<int> restored = form->grid()->columnWidths();
    for (int column : {0, 2, 3, 4})
        QCOMPARE(restored[column], widths[column]);
}

void TestDailyUse::columnsUseTheWidth_data()
{
    QTest::addColumn<int>("width");
    QTest::newRow("1366 pixels") << 1366;
    QTest::newRow("1600 pixels") << 1600;
}

// The columns fill the table whatever the window's width: the file name
// takes what the other columns leave.
void TestDailyUse::columnsUseTheWidth()
{
    QFETCH(int, width);
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    auto form = startWindow();
    form->showNormal();
    form->resize(width, 700);
    FileGrid *grid = form->grid();
    QTRY_VERIFY(grid->width() > width - 40);
    QTRY_COMPARE(sum(grid->columnWidths()), grid->viewport()->width());
    QCOMPARE(grid->columnWidths().at(1), grid->viewport()->width() - 4 * 154);
}

void TestDailyUse::soundGeometry_data()
{
    QTest::addColumn<QStringList>("remembered");
    QTest::addColumn<bool>("sound");
    QTest::newRow("on the first screen") << QStringList{"100", "80", "1000", "700"} << true;
    QTest::newRow("on the second screen") << QStringList{"2000", " 30", "1100 ", "900"} << true;
    QTest::newRow("a frame's width beyond the edge") << QStringList{"-8", "-30", "1936", "1110"} << true;
    QTest::newRow("across both screens") << QStringList{"1500", "100", "1000", "700"} << false;
    QTest::newRow("larger than any screen") << QStringList{"0", "0", "2000000000", "2000000000"} << false;
    QTest::newRow("off every screen") << QStringList{"5000", "5000", "600", "400"} << false;
    QTest::newRow("negative size") << QStringList{"900", "700", "-600", "-400"} << false;
    QTest::newRow("smaller than the window can be") << QStringList{"10", "10", "68", "120"} << false;
    QTest::newRow("truncated") << QStringList{"60", "40", "700"} << false;
    QTest::newRow("not numbers") << QStringList{"60", "40", "wide", "600"} << false;
    QTest::newRow("beyond whole numbers") << QStringList{"0", "0", "99999999999", "600"} << false;
    QTest::newRow("nothing") << QStringList{} << false;
}

// A remembered geometry is taken only when it is whole and fits one of the
// screens there are now (here a 1920 x 1080 screen and a 1280 x 1024 one to
// its right).
void TestDailyUse::soundGeometry()
{
    QFETCH(QStringList, remembered);
    QFETCH(bool, sound);
    const QList<QRect> screens{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    QCOMPARE(windowsettings::soundGeometry(remembered, screens, QSize(400, 300)).has_value(), sound);
}

void TestDailyUse::brokenWindowSettings_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("value");
    QTest::newRow("size of 2,000,000,000")
        << "MainWindow/normalGeometry" << QVariant(QStringList{"0", "0", "2000000000", "2000000000"});
    QTest::newRow("truncated") << "MainWindow/normalGeometry" << QVariant(QStringList{"60", "40", "68"});
    QTest::newRow("68 x 120") << "MainWindow/normalGeometry" << QVariant(QStringList{"60", "40", "68", "120"});
    QTest::newRow("off the screen") << "MainWindow/normalGeometry" << QVariant(QStringList{"9000", "40", "700", "600"});
    QTest::newRow("one word") << "MainWindow/normalGeometry" << QVariant(QStringLiteral("wide"));
    // The form earlier versions kept, here with the huge size.
    QByteArray former;
    QDataStream stream(&former, QIODevice::WriteOnly);
    stream << quint32(0x1D9D0CB) << quint16(3) << quint16(0) << QRect(0, 0, 2000000000, 2000000000)
           << QRect(0, 0, 2000000000, 2000000000) << qint32(0) << quint8(0) << quint8(0) << qint32(800)
           << QRect(0, 0, 2000000000, 2000000000);
    QTest::newRow("former entry with a huge size") << "MainWindow/geometry" << QVariant(former);
}

// A remembered window that does not fit the screens, or is broken, gives the
// first-start layout; absurd column widths are left out.
void TestDailyUse::brokenWindowSettings()
{
    QFETCH(QString, key);
    QFETCH(QVariant, value);
    ProgramSettings().clear();
    {
        ProgramSettings settings;
        settings.setValue(key, value);
        settings.setValue("MainWindow/maximized", false);
        settings.setValue("MainWindow/columnWidths", QStringList{"wide", "-5", "2000000000", "90", "1e3"});
    }
    StartDirectory dir;
    auto form = startAsLeft();
    QVERIFY(form->isMaximized());
    QVERIFY(form->screen()->availableGeometry().contains(form->frameGeometry()));
    QCOMPARE(form->grid()->columnWidths().at(0), 154);
    QCOMPARE(form->grid()->columnWidths().at(2), 154);
    QCOMPARE(form->grid()->columnWidths().at(3), 90);
    QCOMPARE(form->grid()->columnWidths().at(4), 154);
}

void TestDailyUse::rememberedPdfFolderChecked_data()
{
    QTest::addColumn<QString>("folder");
    QTest::newRow("relative") << "../../../x";
    QTest::newRow("missing") << "/no/such/folder";
    QTest::newRow("a file") << "/etc/hostname";
    QTest::newRow("empty") << "";
}

// A remembered certificate folder that is not a folder named in full is
// passed over: the certificate is offered in the documents folder.
void TestDailyUse::rememberedPdfFolderChecked()
{
    QFETCH(QString, folder);
    ProgramSettings().clear();
    ProgramSettings().setValue("Certificates/pdfFolder", folder);
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    auto form = startWindow();
    chooseConclusion(*form, 1);
    setEdit(*form, "Edit4", "");
    setEdit(*form, "Edit9", "");
    m_dialogs->cancelFile();
    action(*form, "Pdf1")->trigger();
    const QList<SeenDialog> seen = m_dialogs->takeSeen();
    QCOMPARE(seen.size(), 1);
    QCOMPARE(QFileInfo(seen[0].text).path(), m_home.filePath("Documents"));
}

void TestDailyUse::recordsFolder_data()
{
    QTest::addColumn<bool>("fromDesktop");
    QTest::newRow("started from the desktop entry") << true;
    QTest::newRow("started from a terminal") << false;
}

// Started as the desktop entry starts it, the program keeps its records in
// ~/SART Tester/bin, made on the first start; started from a terminal, in
// bin under the current folder.
void TestDailyUse::recordsFolder()
{
    QFETCH(bool, fromDesktop);
    QTemporaryDir home, current;
    QStringList arguments;
    if (fromDesktop) {
        QFile entry(QStringLiteral(SART_DESKTOP_ENTRY));
        QVERIFY(entry.open(QIODevice::ReadOnly));
        const QString exec = QRegularExpression(QStringLiteral("(?m)^Exec=(.*)$"))
                                 .match(QString::fromUtf8(entry.readAll())).captured(1);
        arguments = exec.split(u' ', Qt::SkipEmptyParts);
        QCOMPARE(arguments.value(0), QStringLiteral("sart-tester"));
        arguments.removeFirst();
    }
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home.path());
    env.insert("XDG_CONFIG_HOME", home.filePath(".config"));
    program.setProcessEnvironment(env);
    program.setWorkingDirectory(current.path());
    program.start(QStringLiteral(SART_TESTER_PROGRAM), arguments);
    QVERIFY(program.waitForStarted());

    const QString archive = fromDesktop ? home.filePath("SART Tester/bin") : current.filePath("bin");
    const QString other = fromDesktop ? current.filePath("bin") : home.filePath("SART Tester");
    const bool made = QTest::qWaitFor([&] { return QFileInfo(archive).isDir(); }, 20000);
    program.kill();
    program.waitForFinished();
    QVERIFY2(made, qPrintable(program.readAllStandardError()));
    QVERIFY(!QFileInfo::exists(other));
    QVERIFY(!QFileInfo::exists(home.filePath("bin")));
}

void TestDailyUse::ownFolderThatCannotBeMade()
{
    QTemporaryDir work;
    const QString notAFolder = work.filePath("file");
    testsupport::writeFile(notAFolder, "x");
    qputenv("HOME", QFile::encodeName(notAFolder));
    const QString before = QDir::currentPath();
    try {
        startfolder::enter({"sart-tester", startfolder::OwnFolderOption});
        QFAIL("no error raised");
    } catch (const AppError &e) {
        QCOMPARE(e.text(), QStringLiteral("Cannot make the folder %1/SART Tester for the records: Not a directory")
                               .arg(notAFolder));
    }
    qputenv("HOME", QFile::encodeName(m_home.path()));
    QCOMPARE(QDir::currentPath(), before);
}

// With the office installed here without a window, Ctrl+W says so instead of
// making a document nobody can see.
void TestDailyUse::startsWhateverLiesWhereFilesAreExpected_data()
{
    QTest::addColumn<QString>("fifo");  // under the settings folder or the device folder
    QTest::newRow("settings file") << "config/sart-tester/sart-tester.conf";
    QTest::newRow("settings lock file") << "config/sart-tester/sart-tester.conf.lock";
    QTest::newRow("port type of a built-in port") << "devices/sys/class/tty/ttyS0/type";
    QTest::newRow("product of a USB adapter") << "devices/sys/devices/usb1/1-1/product";
}

// A FIFO where the program reads one of its own small files would block it
// for good before any window shows. The real program is started on a display
// of its own: its main window must come up within the time given, or it is
// killed and the test fails. The FIFO stays as it was.
void TestDailyUse::startsWhateverLiesWhereFilesAreExpected()
{
    QFETCH(QString, fifo);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath("config/sart-tester"));
    QVERIFY(QDir(dir.path()).mkpath("start/bin"));
    // A device folder with a built-in port and a USB adapter as the system
    // describes them.
    QVERIFY(QDir(dir.path()).mkpath("devices/dev"));
    QVERIFY(QDir(dir.path()).mkpath("devices/sys/class/tty/ttyS0/device/driver"));
    QVERIFY(QDir(dir.path()).mkpath("devices/sys/devices/usb1/1-1/1-1:1.0"));
    QVERIFY(QDir(dir.path()).mkpath("devices/sys/class/tty/ttyUSB0"));
    QCOMPARE(::symlink(QFile::encodeName(dir.filePath("devices/sys/devices/usb1/1-1/1-1:1.0")).constData(),
                       QFile::encodeName(dir.filePath("devices/sys/class/tty/ttyUSB0/device")).constData()),
             0);
    for (const char *node : {"devices/dev/ttyS0", "devices/dev/ttyUSB0"})
        testsupport::writeFile(dir.filePath(node), {});
    if (!fifo.contains("type"))
        testsupport::writeFile(dir.filePath("devices/sys/class/tty/ttyS0/type"), "4\n");
    QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath(fifo)).constData(), 0644), 0);

    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");  // the display of the script's own X server
    env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    env.insert("SART_DEVICE_ROOT", dir.filePath("devices"));
    program.setProcessEnvironment(env);
    program.setWorkingDirectory(dir.filePath("start"));
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(SART_WATCH_WINDOW, {"20", "SART TESTER SOFTWARE", SART_TESTER_PROGRAM});
    QVERIFY2(program.waitForFinished(60000), "the window watch did not end");
    const QString output = QString::fromLocal8Bit(program.readAll());
    QVERIFY2(program.exitCode() != 1, qPrintable("start-up hung: " + output));
    QVERIFY2(program.exitCode() == 0, qPrintable(output));
    struct stat st {};
    QCOMPARE(::lstat(QFile::encodeName(dir.filePath(fifo)).constData(), &st), 0);
    QVERIFY(S_ISFIFO(st.st_mode));
}

void TestDailyUse::wordIntoOfficeWithoutWindow()
{
    const QFileInfo office(LibreOfficeOptions::defaults().office.officeProgram);
    if (!office.exists() || !office.dir().entryList({"libvclplug_*"}).isEmpty())
        QSKIP("the office installed here is not the one without a window");
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    auto form = startWindow();
    chooseConclusion(*form, 1);
    keyInto(*form, "StringGrid1", Qt::ControlModifier | Qt::Key_W);
    QCOMPARE(m_dialogs->takeErrors(), QStringList{QString::fromUtf8(NeedsWindowText)});
}

QTEST_MAIN(TestDailyUse)
#include "tst_dailyuse.moc"
