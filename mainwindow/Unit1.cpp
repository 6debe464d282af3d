#include "Unit1.h"

#include "AtomicFile.h"
#include "CertificateIssuer.h"
#include "CertificatePdf.h"
#include "CertificateRegister.h"
#include "CertificateSigning.h"
#include "ErrorBox.h"
#include "FileGrid.h"
#include "FileNames.h"
#include "FillInBar.h"
#include "Finder.h"
#include "FolderWatch.h"
#include "Glyphs.h"
#include "GuideWindow.h"
#include "LimitsDialog.h"
#include "Questions.h"
#include "RecordNotice.h"
#include "RecordPanel.h"
#include "Unit2.h"
#include "Unit3.h"
#include "Unit4.h"
#include "Unit5.h"
#include "WordExport.h"
#include "WordReport.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCompleter>
#include <QStringListModel>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <sys/stat.h>

namespace {

// Whether a file (or a link) of that name is there, for names of any bytes.
bool fileIsThere(const QString &path)
{
    struct stat st;
    return ::lstat(filenames::toBytes(path).constData(), &st) == 0;
}

QString recordName(const QString &path) { return filenames::display(QFileInfo(path).fileName()); }

} // namespace

TForm1::TForm1(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(ProgramTitle);
    setWindowIcon(glyphs::application());
    setGeometry(172, 97, 803, 564);

    m_startDirectory = QDir::currentPath();
    m_navigation = std::make_unique<Navigation>(m_startDirectory, *this);

    // File table above, record view panel below; the whole area scrolls when
    // the window is smaller than its contents, the tool bar stays in place.
    auto *content = new QWidget;
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    StringGrid1 = new FileGrid(m_navigation->table(), content);
    m_navigation->observeTable(StringGrid1->tableObserver());
    m_notice = new RecordNotice(content);
    Panel1 = new RecordPanel(content);
    layout->addWidget(StringGrid1, 1);
    layout->addWidget(m_notice, 0);
    layout->addWidget(Panel1, 0);
    m_fillIn = new FillInBar(content);
    layout->addWidget(m_fillIn, 0);
    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("ScrollBox1"));
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    setCentralWidget(scroll);

    buildMenus();
    buildFinder();
    buildSettingsMenu();
    buildRegister();
    certificatesigning::addCommands(this, [this] { return m_navigation->archiveFolder(); });
    buildToolBar();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    for (QTimer *timer : {Timer1, Timer2}) {
        timer->setSingleShot(true);
        timer->setInterval(10);
    }
    connect(Timer1, &QTimer::timeout, this, [this] { guarded(this, [this] { Timer1Timer(); }); });
    connect(Timer2, &QTimer::timeout, this, [this] { guarded(this, [this] { Timer2Timer(); }); });

    connect(StringGrid1, &FileGrid::mouseReleased, this,
            [this](int row, Qt::MouseButton button, const QPoint &pos) {
                m_stayed = false;
                guarded(this, [&] { StringGrid1MouseUp(row); });
                // A right click brings up the pop-up menu after the row choice,
                // also when that row's record could not be shown; not when the
                // user chose to stay with typed changes, whose row stays current.
                if (button == Qt::RightButton && !m_stayed)
                    PopupMenu1->popup(pos);
            });
    connect(StringGrid1, &FileGrid::keyReleased, this, [this] { guarded(this, [this] { StringGrid1KeyUp(); }); });
    // From the keyboard the pop-up acts on the current row, chosen already.
    connect(StringGrid1, &FileGrid::popupRequested, PopupMenu1, [this](const QPoint &pos) { PopupMenu1->popup(pos); });
    connect(Panel1, &RecordPanel::testingModeChanged, this, [this] { guarded(this, [this] { ComboBox4Change(); }); });
    connect(Panel1, &RecordPanel::typedEditsChanged, this, &TForm1::updateTitle);
    connect(m_notice, &RecordNotice::showAgainRequested, this, [this] { guarded(this, [this] { showShownAgain(); }); });
    connect(m_notice, &RecordNotice::reapplyRequested, this, [this] {
        Panel1->reapply(std::exchange(m_keptTyped, {}));
        m_notice->clearTypedValues();
    });
    connect(m_notice, &RecordNotice::discardRequested, this, [this] {
        m_keptTyped.clear();
        m_notice->clearTypedValues();
    });

    // Records other engineers add, change or remove in a shared folder.
    m_watch = new archive::FolderWatch(archive::FolderWatch::Events::FromKernel, this);
    connect(m_watch, &archive::FolderWatch::filesChanged, this, &TForm1::folderChanged);
    m_applyChanges = new QTimer(this);
    m_applyChanges->setSingleShot(true);
    m_applyChanges->setInterval(100);
    connect(m_applyChanges, &QTimer::timeout, this, &TForm1::applyFolderChanges);

    // Ctrl+A saves also while an edit box has the focus. A selector whose
    // text can be typed hands the key to its line edit past that line edit's
    // filters, so the selector gets the filter too.
    for (QWidget *w : Panel1->findChildren<QWidget *>())
        if (qobject_cast<QLineEdit *>(w) || qobject_cast<QAbstractSpinBox *>(w) || qobject_cast<QComboBox *>(w))
            w->installEventFilter(this);

    buildFillIn();
    guarded(this, [this] { FormCreate(); });
    createWindows();
}

void TForm1::buildFillIn()
{
    // A manufacturer's number typed (or picked from the numbers the archive
    // knows) brings the offer of that SART's latest record.
    auto *number = Panel1->findChild<QLineEdit *>(QStringLiteral("Edit9"));
    auto *numbers = new QStringListModel(this);
    auto *completer = new QCompleter(numbers, number);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    number->setCompleter(completer);
    connect(&Finder1->index(), &archive::ArchiveIndex::changed, this, [this, numbers] {
        QStringList known;
        for (const archive::IndexEntry &e : Finder1->index().entries())
            if (e.headerSaved && !e.manufacturerNo.trimmed().isEmpty() && !known.contains(e.manufacturerNo.trimmed()))
                known.append(e.manufacturerNo.trimmed());
        known.sort(Qt::CaseInsensitive);
        numbers->setStringList(known);
    });
    auto *typing = new QTimer(this);
    typing->setSingleShot(true);
    typing->setInterval(400);
    connect(typing, &QTimer::timeout, this, &TForm1::offerFillIn);
    connect(number, &QLineEdit::textEdited, typing, qOverload<>(&QTimer::start));
    connect(number, &QLineEdit::editingFinished, this, &TForm1::offerFillIn);
    connect(completer, qOverload<const QString &>(&QCompleter::activated), this, &TForm1::offerFillIn);
    connect(m_fillIn, &FillInBar::accepted, this, [this](const certificate::FillIn &fillIn) {
        // The engineer's own choice: typed values of the record shown, not
        // carried over, saved with Save changes.
        Panel1->fillIn(fillIn.values);
    });
    connect(m_fillIn, &FillInBar::dismissed, this, [this](const QString &number) { m_fillInDismissed = number; });
}

void TForm1::offerFillIn()
{
    const QString number = Panel1->values().edit9.trimmed();
    const QString shown = QFileInfo(m_navigation->shownPath()).fileName();
    std::optional<certificate::FillIn> latest;
    if (!shown.isEmpty() && !number.isEmpty()
        && number.compare(m_fillInDismissed.trimmed(), Qt::CaseInsensitive) != 0)
        latest = certificate::latestRecordOf(Finder1->index().entries(), number, shown);
    // Nothing to offer when the panel holds those values already.
    if (latest && !Panel1->wouldChange(latest->values))
        latest.reset();
    if (latest)
        m_fillIn->offer(*latest);
    else
        m_fillIn->withdraw();
}

// The file table's model reads the navigation's table: the widgets go first.
TForm1::~TForm1()
{
    m_navigation->observeTable(nullptr);
    delete takeCentralWidget();
}

QAction *TForm1::command(QMenu *menu, const QString &name, const QString &caption, void (TForm1::*handler)(),
                         const QKeySequence &shortcut)
{
    auto *action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, [this, handler] { guarded(this, [&] { (this->*handler)(); }); });
    return action;
}

void TForm1::buildMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    QMenu *file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("File1"));
    command(file, QStringLiteral("Savechanges1"), QStringLiteral("S&ave changes"), &TForm1::ToolButton11Click,
            QKeySequence(Qt::CTRL | Qt::Key_A))
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_A), QKeySequence(Qt::CTRL | Qt::Key_S)});
    command(file, QStringLiteral("Open1"), QStringLiteral("&Open"), &TForm1::ToolButton10Click,
            QKeySequence(Qt::CTRL | Qt::Key_O));
    file->addSeparator();
    command(file, QStringLiteral("Print1"), QStringLiteral("Pa&ge Setup..."), &TForm1::Print1Click);
    command(file, QStringLiteral("Print2"), QStringLiteral("Pr&int "), &TForm1::ToolButton13Click,
            QKeySequence(Qt::CTRL | Qt::Key_P));
    file->addSeparator();
    command(file, QStringLiteral("Exit1"), QStringLiteral("&Exit"), &TForm1::ToolButton4Click,
            QKeySequence(Qt::CTRL | Qt::Key_X));

    QMenu *import = bar->addMenu(QStringLiteral("Data import"));
    import->setObjectName(QStringLiteral("Dataimport1"));
    command(import, QStringLiteral("N4"), QStringLiteral("Receiving"), &TForm1::N4Click);

    QMenu *exportMenu = bar->addMenu(QStringLiteral("Data export"));
    exportMenu->setObjectName(QStringLiteral("Dataexport1"));
    command(exportMenu, QStringLiteral("Word1"), QStringLiteral("Word"), &TForm1::Word1Click,
            QKeySequence(Qt::CTRL | Qt::Key_W));
    command(exportMenu, QStringLiteral("Pdf1"), QStringLiteral("PDF..."), &TForm1::Pdf1Click);

    QMenu *help = bar->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("Help1"));
    command(help, QStringLiteral("UserGuide1"), QStringLiteral("User guide"), &TForm1::UserGuide1Click,
            QKeySequence(Qt::Key_F1));
    command(help, QStringLiteral("Abaut1"), QStringLiteral("Help"), &TForm1::Abaut1Click);
    help->addSeparator();
    command(help, QStringLiteral("About2"), QStringLiteral("About"), &TForm1::About2Click);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    // The Delete key deletes too, while the table has the focus.
    QAction *del = command(PopupMenu1, QStringLiteral("N131"), QStringLiteral("Delete"), &TForm1::N131Click,
                           QKeySequence(Qt::Key_Delete));
    del->setShortcutContext(Qt::WidgetShortcut);
    StringGrid1->addAction(del);
    command(PopupMenu1, QStringLiteral("N4531"), QStringLiteral("Go to"), &TForm1::N4531Click);

    // F5 rescans the archive, as the rescan timer does.
    auto *rescan = new QAction(this);
    rescan->setObjectName(QStringLiteral("Rescan1"));
    rescan->setShortcut(QKeySequence(Qt::Key_F5));
    connect(rescan, &QAction::triggered, this, [this] { guarded(this, [this] { Timer1Timer(); }); });
    addAction(rescan);
}

void TForm1::buildSettingsMenu()
{
    auto *menu = new QMenu(QStringLiteral("&Settings"), this);
    menu->setObjectName(QStringLiteral("Settings1"));
    const QMenu *help = menuBar()->findChild<QMenu *>(QStringLiteral("Help1"));
    menuBar()->insertMenu(help ? help->menuAction() : nullptr, menu);
    command(menu, QStringLiteral("Limits1"), QStringLiteral("SART &limits..."), &TForm1::Limits1Click);
}

void TForm1::buildToolBar()
{
    ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    ToolBar1->toggleViewAction()->setVisible(false);

    auto button = [this](const QString &name, const QIcon &icon, const QString &hint, void (TForm1::*handler)()) {
        QAction *action = ToolBar1->addAction(icon, hint);
        action->setToolTip(hint);
        connect(action, &QAction::triggered, this, [this, handler] { guarded(this, [&] { (this->*handler)(); }); });
        QWidget *w = ToolBar1->widgetForAction(action);
        w->setObjectName(name);
        w->setMinimumSize(32, 25);
    };
    button(QStringLiteral("ToolButton10"), glyphs::open(), QStringLiteral("Open"), &TForm1::ToolButton10Click);
    button(QStringLiteral("ToolButton11"), glyphs::save(), QStringLiteral("Save changes"), &TForm1::ToolButton11Click);
    button(QStringLiteral("ToolButton13"), glyphs::print(), QStringLiteral("Print"), &TForm1::ToolButton13Click);
    button(QStringLiteral("ToolButton16"), glyphs::help(), QStringLiteral("Help"), &TForm1::ToolButton16Click);
    auto *separator = new QWidget(ToolBar1);
    separator->setObjectName(QStringLiteral("ToolButton17"));
    separator->setFixedWidth(12);
    ToolBar1->addWidget(separator);
    button(QStringLiteral("ToolButton18"), glyphs::exit(), QStringLiteral("Exit"), &TForm1::ToolButton4Click);
}

void TForm1::createWindows()
{
    Form2 = new TForm2(m_startDirectory, this);
    connect(Form2, &TForm2::formClosed, Timer1, qOverload<>(&QTimer::start));
    Form3 = new TForm3(this);  // holds the printable help
    Form4 = new TForm4(this);
    QuickReport5 = new TQuickReport5(this);
}

void TForm1::FormCreate()
{
    // The window fits itself to its contents, except on a screen 640 pixels
    // wide, where the contents scroll instead.
    if (const QScreen *s = screen(); s && s->geometry().width() != 640) {
        const QSize frame = size() - centralWidget()->size();
        const QSize needed = static_cast<QScrollArea *>(centralWidget())->widget()->sizeHint() + frame;
        const QRect available = s->availableGeometry();
        resize(size().expandedTo(needed).boundedTo(available.size()));
        // A grown window still lies wholly on the screen.
        move(std::max(available.left(), std::min(x(), available.right() + 1 - width())),
             std::max(available.top(), std::min(y(), available.bottom() + 1 - height())));
    }
    Panel1->selectTestingMode(0);
    // A first run in a new folder starts with an empty archive; a save cut
    // off last time may have left its temporary file there.
    QDir().mkpath(m_navigation->archiveFolder());
    atomicfile::removeStaleTemporaries(m_navigation->archiveFolder());
    m_navigation->scan();
    Timer2->start();
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_A)) {
            event->ignore();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::ToolButton10Click() { m_navigation->openAndDecode(); }

void TForm1::ToolButton11Click()
{
    requireShownRecordFile(QStringLiteral("save"));
    if (!confirmSave())
        return;
    saveShown();
}

void TForm1::saveShown()
{
    m_saveOutcome = m_navigation->saveShown(Panel1->values());
    if (m_saveOutcome == Navigation::Outcome::Done)
        Panel1->headerSaved();
    else if (m_saveOutcome == Navigation::Outcome::ShowAsItIsNow)
        showShownAgain();
}

void TForm1::ToolButton13Click()
{
    requireShownRecordFile(QStringLiteral("print"));
    if (!certifiable(QStringLiteral("Print the certificate")) || !registerReady())
        return;
    QuickReport5->fill(Panel1->values());
    // Numbered only once the print dialog was accepted: a print cancelled
    // takes no number. The preview's title shows the number the certificate
    // will have; the message naming a file printed into, the number it got.
    QString what = QStringLiteral("The certificate");
    QString title;
    issueCertificate([&](CertificateIssuer &issuer) {
        title = report::Title + QStringLiteral(", certificate ") + issuer.expectedNumber();
    });
    QuickReport5->preview(
        this,
        [&](QPrinter &printer, const std::function<void()> &print) {
            issueCertificate([&](CertificateIssuer &issuer) {
                issuer.issue([&](const QString &number, CertificateIssuer::Destination &destination) {
                    QuickReport5->setNumberLine(issuer.printsNumber() ? report::numberLine(number) : QString());
                    printer.setDocName(report::Title + QStringLiteral(", certificate ") + number);
                    const bool toFile =
                        printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
                    if (toFile)
                        destination.goingTo(QStringLiteral("PDF ") + printer.outputFileName(), printer.outputFileName());
                    else
                        destination.goingTo(QStringLiteral("Printer ") + printer.printerName());
                    print();
                    what = QStringLiteral("The certificate ") + number;
                    return true;
                });
            });
        },
        title, what);
}

void TForm1::Print1Click()
{
    QuickReport5->pageSetup(this);
}

void TForm1::ToolButton4Click() { close(); }

void TForm1::N4Click()
{
    Form2->exec();
}

void TForm1::Word1Click()
{
    requireShownRecordFile(QStringLiteral("export"));
    if (!certifiable(QStringLiteral("Export the certificate to Word")) || !registerReady())
        return;
    QString issued;
    issueCertificate([&](CertificateIssuer &issuer) {
        issuer.issue([&](const QString &number, CertificateIssuer::Destination &destination) {
            destination.goingTo(QStringLiteral("Word"));
            exportToWord(Panel1->values(), issuer.printsNumber() ? report::numberLine(number) : QString());
            issued = number;
            return true;
        });
    });
    // Writer has no file for it yet: the message says where it went instead.
    QMessageBox box(QMessageBox::Information, ProgramTitle,
                    QStringLiteral("The certificate %1 is in LibreOffice Writer as the new document \"%2\". "
                                   "It is not saved yet: save or print it from Writer.")
                        .arg(issued, wordreport::WindowCaption),
                    QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("WordDone"));
    box.exec();
}

void TForm1::Pdf1Click()
{
    requireShownRecordFile(QStringLiteral("save as PDF"));
    if (!certifiable(QStringLiteral("Save the certificate as PDF")) || !registerReady())
        return;
    issueCertificate([this](CertificateIssuer &issuer) {
        certificatepdf::save(this, *QuickReport5, Panel1->values(), issuer);
    });
}

void TForm1::UserGuide1Click()
{
    if (!Guide1)
        Guide1 = new GuideWindow(this);
    Guide1->showGuide();
}

void TForm1::Abaut1Click()
{
    Form3->exec();
}

void TForm1::About2Click()
{
    Form4->exec();
}

void TForm1::ToolButton16Click() { About2Click(); }

void TForm1::Limits1Click()
{
    LimitsDialog dialog(this);
    if (dialog.exec() == QDialog::Accepted)
        limits::InForce::instance().set(dialog.limits());
}

void TForm1::StringGrid1MouseUp(int tableRow) { m_navigation->mouseUp(tableRow); }

void TForm1::chooseRow(int tableRow)
{
    m_stayed = false;
    const auto highlight = qScopeGuard([&] {
        if (!m_stayed)
            StringGrid1->selectTableRow(tableRow);
    });
    StringGrid1MouseUp(tableRow);
}

void TForm1::StringGrid1KeyUp() { m_navigation->keyUp(); }
void TForm1::N4531Click() { m_navigation->goTo(); }
void TForm1::N131Click()
{
    if (m_navigation->deleteCurrent() != Navigation::Outcome::ShowAsItIsNow)
        return;
    // The file chosen for deleting, as it is now: the record shown, keeping
    // what was typed for it, or a record that could not be shown before.
    if (m_navigation->chosenPath() == m_navigation->shownPath())
        showShownAgain();
    else
        chooseRow(m_navigation->CurrentRow);
}
void TForm1::ComboBox4Change()
{
    // The selector shows the mode the panel's values were decoded in: it goes
    // back when the user stays with typed changes or the record cannot be shown.
    bool shown = false;
    try {
        shown = m_navigation->testingModeChanged();
    } catch (...) {
        Panel1->restoreTestingMode();
        throw;
    }
    if (shown)
        Panel1->acceptTestingMode();
    else
        Panel1->restoreTestingMode();
}
void TForm1::Timer1Timer()
{
    // A record just received into the archive is shown as if its row had
    // been chosen (asking first about typed changes of the record shown).
    const QFileInfo received(Form2->takeSavedPath());
    m_navigation->rescan();
    if (received.filePath().isEmpty()
        || received.canonicalPath() != QFileInfo(m_navigation->archiveFolder()).canonicalFilePath())
        return;
    const int row = m_navigation->table().rowOfFile(received.fileName());
    if (row == 0)
        return;
    // Saved over the record shown: the changes typed for it have no record
    // left to go into, and saving them would stamp them on the received one.
    if (QFileInfo(m_navigation->shownPath()) == received) {
        if (Panel1->hasTypedEdits()) {
            Panel1->discardTypedEdits();
            showWarning(QStringLiteral("The received record replaced the record %1: "
                                       "the changes typed for it were not saved.")
                            .arg(received.fileName()));
        }
        shownRecordReplaced();
    }
    chooseRow(row);
}
void TForm1::Timer2Timer() { m_navigation->startupOpen(); }

// NavigationView

int TForm1::testingModeIndex() const { return Panel1->testingModeIndex(); }

std::optional<QString> TForm1::chooseRecordFile()
{
    QFileDialog dialog(this);
    dialog.setObjectName(QStringLiteral("OpenDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("*.bin (*.bin)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> TForm1::askRowNumber()
{
    QInputDialog dialog(this);
    dialog.setObjectName(QStringLiteral("InputFileName"));
    dialog.setWindowTitle(QStringLiteral("Input File Name"));
    dialog.setLabelText(QStringLiteral("Number"));
    dialog.setTextValue(QString());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

bool TForm1::confirmDelete(const QString &fileName)
{
    return QMessageBox::warning(this, QStringLiteral("Warning"),
                                QStringLiteral("DELETE FILE?\n\n%1").arg(fileName),
                                QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
           == QMessageBox::Yes;
}

bool TForm1::confirmReplace(const QString &fileName)
{
    return askYesNo(this, QStringLiteral("ReplaceQuestion"),
                    QStringLiteral("The archive already holds a record file named %1.\n"
                                   "Replace it with the chosen file?")
                        .arg(fileName),
                    QMessageBox::Question);
}

void TForm1::selectRow(int row) { StringGrid1->selectTableRow(row); }
int TForm1::selectedRow() const { return StringGrid1->selectedTableRow(); }
void TForm1::tableChanged()
{
    StringGrid1->refresh();
    indexArchive();
    checkShownRecordFile();
    const FileTable &table = m_navigation->table();
    m_watch->watch(m_navigation->archiveFolder(), table.names(), table.identities());
}

void TForm1::folderChanged(const QStringList &names, const QStringList &gone)
{
    for (const QString &name : names) {
        if (!m_folderChanges.contains(name))
            m_folderChanges.append(name);
        m_folderGone.removeAll(name);  // the last word on a name counts
    }
    m_folderGone += gone;
    applyFolderChanges();
}

void TForm1::applyFolderChanges()
{
    if (m_folderChanges.isEmpty())
        return;
    // Not under a question or dialog a command is waiting on: the command
    // would go on with a table changed under it.
    if (QApplication::activeModalWidget()) {
        m_applyChanges->start();
        return;
    }
    guarded(this, [this] {
        m_navigation->filesChanged(std::exchange(m_folderChanges, {}), std::exchange(m_folderGone, {}));
    });
}

void TForm1::filesUpdated(const QStringList &changed, const QStringList &removed)
{
    const FileTable &table = m_navigation->table();
    QVector<archive::IndexSource> sources;
    for (const QString &name : changed)
        if (const int row = table.rowOfFile(name))
            sources.append({name, m_navigation->rowPath(row), table.identity(row)});
    Finder1->filesUpdated(std::move(sources), removed);
}

void TForm1::shownRecordStale(const QString &text, bool canShowAgain)
{
    // A record whose file went is told once, by the panel's line, in the same
    // words whoever removed it; the strip tells what else happened to it.
    const bool gone = checkShownRecordFile();
    m_notice->setStale(gone ? QString() : text, canShowAgain && !gone);
}

NavigationView::Conflict TForm1::askConflict(const QString &text, const QString &goOn)
{
    QMessageBox box(QMessageBox::Warning, ProgramTitle, text, QMessageBox::NoButton, this);
    box.setObjectName(QStringLiteral("ConflictQuestion"));
    box.addButton(QMessageBox::Open)->setText(QStringLiteral("Show it as it is now"));
    if (!goOn.isEmpty())
        box.addButton(QMessageBox::Apply)->setText(goOn);
    box.addButton(QMessageBox::Cancel);
    // Nothing is written unless asked for in so many words.
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Open:
        return Conflict::ShowAsItIsNow;
    case QMessageBox::Apply:
        return Conflict::GoOn;
    default:
        return Conflict::Cancel;
    }
}

bool TForm1::confirmUnguarded(const QString &text)
{
    return askYesNo(this, QStringLiteral("UnguardedQuestion"),
                    text + QStringLiteral("\n\nImport the record under this name all the same?"));
}

void TForm1::showShownAgain()
{
    const RecordPanel::TypedValues typed = Panel1->typedValues();
    const QString record = Panel1->shownRecord();
    m_navigation->showAgain();
    if (typed.isEmpty())
        return;
    m_keptTyped = typed;
    m_notice->offerTypedValues(record);
}

void TForm1::showWarning(const QString &text)
{
    QMessageBox::warning(this, ProgramTitle, text);
}

void TForm1::showRecord(const DecodedRecord &record, const QString &path)
{
    Panel1->showRecord(record, QFileInfo(path).fileName());
    m_fillIn->withdraw();
    m_fillInDismissed.clear();
    // The record as read now: nothing to tell about it, no typed values of
    // another reading to offer.
    m_notice->setStale({}, false);
    m_keptTyped.clear();
    m_notice->clearTypedValues();
    showLastIssued();
    updateTitle();
}

bool TForm1::settleTypedEdits(const QString &action)
{
    if (!Panel1->hasTypedEdits())
        return true;
    QMessageBox box(QMessageBox::Warning, ProgramTitle,
                    QStringLiteral("The record %1 has changes that are not saved.\n\n"
                                   "Save them before %2?")
                        .arg(Panel1->shownRecord(), action),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setObjectName(QStringLiteral("UnsavedChanges"));
    // Some desktops word Discard "Close without Saving": here it goes on.
    box.button(QMessageBox::Discard)->setText(QStringLiteral("Discard"));
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    const int answer = box.exec();
    if (answer == QMessageBox::Discard) {
        Panel1->discardTypedEdits();
        return true;
    }
    // The user stays on the record, with the table's highlight put back: on
    // Cancel, and on a Save that failed or was not made (its file changed).
    auto stay = qScopeGuard([this] {
        m_stayed = true;
        StringGrid1->restorePressedSelection();
    });
    if (answer != QMessageBox::Save)
        return false;
    m_saveOutcome = Navigation::Outcome::NotDone;
    ToolButton11Click();
    if (m_saveOutcome != Navigation::Outcome::Done)
        return false;
    stay.dismiss();
    return true;
}

void TForm1::shownRecordReplaced() { Panel1->recordReplaced(); }

QString TForm1::carriedValues() const
{
    // Every value another record left in the panel; of the panel's own first
    // values only the SART's identity (its start dates are no SART's).
    QList<RecordPanel::CarriedValue> carried = Panel1->carriedOverValues();
    carried.removeIf([](const RecordPanel::CarriedValue &v) {
        return v.source.isEmpty() && v.control != DecodeTarget::Edit3 && v.control != DecodeTarget::Edit9
               && v.control != DecodeTarget::Edit4;
    });
    if (carried.isEmpty())
        return {};
    // "SART Model and Vessel Name come from the record a.bin", one clause per source.
    QStringList sources;
    for (const RecordPanel::CarriedValue &v : carried)
        if (!sources.contains(v.source))
            sources.append(v.source);
    QStringList clauses;
    for (const QString &source : std::as_const(sources)) {
        QStringList captions;
        for (const RecordPanel::CarriedValue &v : carried)
            if (v.source == source)
                captions.append(v.caption);
        const QString fields = captions.size() == 1
                                   ? captions.constFirst()
                                   : captions.mid(0, captions.size() - 1).join(QStringLiteral(", "))
                                         + QStringLiteral(" and ") + captions.constLast();
        const bool one = captions.size() == 1;
        clauses.append(source.isEmpty()
                           ? QStringLiteral("%1 %2 in the panel before any record was shown")
                                 .arg(fields, one ? QStringLiteral("was") : QStringLiteral("were"))
                           : QStringLiteral("%1 %2 from the record %3")
                                 .arg(fields, one ? QStringLiteral("comes") : QStringLiteral("come"), source));
    }
    return QStringLiteral("The record %1 has no saved header of its own: %2.")
        .arg(Panel1->shownRecord(), clauses.join(QStringLiteral("; ")));
}

bool TForm1::certifiable(const QString &action)
{
    // No certificate without a record: nothing is printed or numbered.
    if (m_navigation->shownPath().isEmpty())
        errors::throwText(QStringLiteral("No record is shown: there is nothing to certify. Choose a record in the "
                                         "file table, open one or receive one first."));
    m_checked.reset();
    for (;;) {
        certificate::Input input;
        input.recordPath = m_navigation->shownPath();
        input.shown = m_navigation->shownState();
        input.panel = Panel1->values();
        input.provenance = Panel1->provenance();
        certificate::Result result = certificate::check(input);
        if (!result.clean()) {
            switch (askCertificateCheck(result, action)) {
            case CheckAnswer::SaveFirst:
                m_saveOutcome = Navigation::Outcome::NotDone;
                saveShown();
                if (m_saveOutcome != Navigation::Outcome::Done)
                    return false;
                continue;  // read and compared again
            case CheckAnswer::ShowFile:
                showShownAgain();
                return false;
            case CheckAnswer::CertifyDate:
                break;
            case CheckAnswer::Cancel:
                return false;
            }
        }
        if (!confirmCertificate(action))
            return false;
        m_checked = std::move(result);
        return true;
    }
}

TForm1::CheckAnswer TForm1::askCertificateCheck(const certificate::Result &result, const QString &action)
{
    const bool dateOnly = result.onlyTestingDate();
    QString text = result.describe();
    if (dateOnly)
        text += QStringLiteral("\n\nThe testing date is never saved into the record: certify the date shown only "
                               "if it is the day of the test. The register keeps both dates.");
    else
        text += QStringLiteral("\n\n%1: not while the certificate and the record differ.").arg(action);
    QMessageBox box(QMessageBox::Warning, ProgramTitle, text, QMessageBox::NoButton, this);
    box.setObjectName(QStringLiteral("CertificateCheckQuestion"));
    if (result.saveResolves())
        box.addButton(QMessageBox::Save)->setText(QStringLiteral("Save changes first"));
    box.addButton(QMessageBox::Open)->setText(QStringLiteral("Show the file as it is now"));
    if (dateOnly)
        box.addButton(QMessageBox::Yes)->setText(QStringLiteral("Certify this date"));
    box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return CheckAnswer::SaveFirst;
    case QMessageBox::Open:
        return CheckAnswer::ShowFile;
    case QMessageBox::Yes:
        return CheckAnswer::CertifyDate;
    default:
        return CheckAnswer::Cancel;
    }
}

bool TForm1::confirmCertificate(const QString &action)
{
    QStringList reasons;
    const PanelValues values = Panel1->values();
    if (const std::optional<QString> source = Panel1->carriedOverConclusion())
        reasons.append(QStringLiteral("The conclusion \"%1\" was not chosen for the record %2: %3.")
                           .arg(values.comboBox5Text, Panel1->shownRecord(),
                                source->isEmpty()
                                    ? QStringLiteral("it was in the panel before any record was shown")
                                    : QStringLiteral("it is carried over from the record %1").arg(*source)));
    // Item 0 is the sentence that certifies compliance.
    if (values.comboBox5Index == 0) {
        const QList<limits::Judgement> outside = Panel1->outsideLimits();
        if (!outside.isEmpty()) {
            QString text = QStringLiteral("The certificate says \"%1\", but %2 of the record %3 %4 outside the "
                                          "limits of the SART standard:")
                               .arg(values.comboBox5Text,
                                    outside.size() == 1 ? QStringLiteral("1 value")
                                                        : QStringLiteral("%1 values").arg(outside.size()),
                                    Panel1->shownRecord(),
                                    outside.size() == 1 ? QStringLiteral("is") : QStringLiteral("are"));
            for (const limits::Judgement &j : outside)
                text += QStringLiteral("\n- ") + j.text();
            reasons.append(text);
        }
    }
    if (reasons.isEmpty())
        return true;
    return askYesNo(this, QStringLiteral("CertificateQuestion"),
                    reasons.join(QStringLiteral("\n\n"))
                        + QStringLiteral("\n\n%1 with these values all the same?").arg(action));
}

bool TForm1::confirmSave()
{
    const QString carried = carriedValues();
    if (carried.isEmpty())
        return true;
    return askYesNo(this, QStringLiteral("SaveQuestion"),
                    carried + QStringLiteral("\n\nSave changes into the record %1 with these values all the same?")
                                  .arg(Panel1->shownRecord()));
}

void TForm1::requireShownRecordFile(const QString &action)
{
    checkShownRecordFile();
    const QString path = m_navigation->shownPath();
    if (!path.isEmpty() && !fileIsThere(path))
        errors::throwText(QStringLiteral("The file of the record %1 no longer exists (deleted or moved): "
                                         "there is nothing to %2.")
                              .arg(recordName(path), action));
}

bool TForm1::checkShownRecordFile()
{
    const QString path = m_navigation->shownPath();
    const bool gone = !path.isEmpty() && !fileIsThere(path);
    Panel1->setRecordGone(gone);
    return gone;
}

void TForm1::changeEvent(QEvent *event)
{
    // Back in the window: the record's file may have gone meanwhile.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        checkShownRecordFile();
    QMainWindow::changeEvent(event);
}

void TForm1::closeEvent(QCloseEvent *event)
{
    bool leave = false;
    guarded(this, [&] { leave = settleTypedEdits(QStringLiteral("closing the program")); });
    if (leave)
        QMainWindow::closeEvent(event);
    else
        event->ignore();
}

void TForm1::updateTitle()
{
    // "sart-0412.bin - SART TESTER SOFTWARE", marked "*" while typed changes
    // are not saved.
    const QString path = m_navigation->shownPath();
    const QString title = path.isEmpty() ? ProgramTitle : recordName(path) + QStringLiteral(" - ") + ProgramTitle;
    setWindowTitle(Panel1->hasTypedEdits() || Panel1->testingDateEdited() ? u'*' + title : title);
}
