#include "WindowNavigationView.h"

#include "CertificateQuestions.h"
#include "ErrorBox.h"
#include "FileGrid.h"
#include "FileNames.h"
#include "FilePresence.h"
#include "Finder.h"
#include "FolderWatch.h"
#include "Questions.h"
#include "RecordNotice.h"
#include "Unit1.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>

namespace {

QString recordName(const QString &path) { return filenames::display(QFileInfo(path).fileName()); }

// The question before typed changes are replaced or dropped, one whole
// sentence for each action the navigation and the window name.
QString unsavedQuestion(const QString &record, const QString &action)
{
    if (action == QLatin1String("opening a record"))
        return WindowNavigationView::tr("The record %1 has changes that are not saved.\n\n"
                                        "Save them before opening a record?").arg(record);
    if (action == QLatin1String("showing another record"))
        return WindowNavigationView::tr("The record %1 has changes that are not saved.\n\n"
                                        "Save them before showing another record?").arg(record);
    if (action == QLatin1String("showing it in the other testing mode"))
        return WindowNavigationView::tr("The record %1 has changes that are not saved.\n\n"
                                        "Save them before showing it in the other testing mode?").arg(record);
    if (action == QLatin1String("deleting its file"))
        return WindowNavigationView::tr("The record %1 has changes that are not saved.\n\n"
                                        "Save them before deleting its file?").arg(record);
    if (action == QLatin1String("closing the program"))
        return WindowNavigationView::tr("The record %1 has changes that are not saved.\n\n"
                                        "Save them before closing the program?").arg(record);
    //: %2 is an action already in the language shown ("opening a record"):
    //: in Russian in the instrumental case, "перед открытием записи".
    return WindowNavigationView::tr("The record %1 has changes that are not saved.\n\n"
                                    "Save them before %2?").arg(record, action);
}

} // namespace

WindowNavigationView::WindowNavigationView(TForm1 &window)
    : QObject(&window)
    , m_window(window)
{
    // Records other engineers add, change or remove in a shared folder.
    m_watch = new archive::FolderWatch(archive::FolderWatch::Events::FromKernel, this);
    connect(m_watch, &archive::FolderWatch::filesChanged, this, &WindowNavigationView::folderChanged);
    m_applyChanges = new QTimer(this);
    m_applyChanges->setSingleShot(true);
    m_applyChanges->setInterval(100);
    connect(m_applyChanges, &QTimer::timeout, this, &WindowNavigationView::applyFolderChanges);
}

void WindowNavigationView::reapplyKeptTyped()
{
    m_window.recordPanel()->reapply(std::exchange(m_keptTyped, {}));
    m_window.notice()->clearTypedValues();
}

void WindowNavigationView::dropKeptTyped()
{
    m_keptTyped.clear();
    m_window.notice()->clearTypedValues();
}

// Save changes

Navigation::Outcome WindowNavigationView::saveChanges()
{
    requireShownRecordFile(FileCommand::Save);
    if (!confirmSave())
        return Navigation::Outcome::NotDone;
    return writeShown();
}

Navigation::Outcome WindowNavigationView::writeShown()
{
    RecordPanel *panel = m_window.recordPanel();
    const Navigation::Outcome outcome = m_window.navigation().saveShown(panel->values());
    if (outcome == Navigation::Outcome::Done)
        panel->headerSaved();
    else if (outcome == Navigation::Outcome::ShowAsItIsNow)
        showShownAgain();
    return outcome;
}

bool WindowNavigationView::confirmSave()
{
    const RecordPanel *panel = m_window.recordPanel();
    QList<certificate::CarriedValue> carried;
    for (const RecordPanel::CarriedValue &v : panel->carriedOverValues())
        carried.append({v.caption, v.source, certificate::Provenance::identifiesSart(v.field)});
    const QString question = certificate::saveQuestion(panel->shownRecord(), carried);
    return question.isEmpty() || askYesNo(&m_window, QStringLiteral("SaveQuestion"), question);
}

// The record shown and its file

void WindowNavigationView::showShownAgain()
{
    RecordPanel *panel = m_window.recordPanel();
    const RecordPanel::TypedValues typed = panel->typedValues();
    const QString record = panel->shownRecord();
    m_window.navigation().showAgain();
    if (typed.isEmpty())
        return;
    m_keptTyped = typed;
    m_window.notice()->offerTypedValues(record);
}

void WindowNavigationView::requireShownRecordFile(FileCommand command)
{
    checkShownRecordFile();
    const QString path = m_window.navigation().shownPath();
    if (path.isEmpty() || filepresence::isThere(path))
        return;
    QString text;
    switch (command) {
    case FileCommand::Save:
        text = tr("The file of the record %1 no longer exists (deleted or moved): there is nothing to save.");
        break;
    case FileCommand::Print:
        text = tr("The file of the record %1 no longer exists (deleted or moved): there is nothing to print.");
        break;
    case FileCommand::Export:
        text = tr("The file of the record %1 no longer exists (deleted or moved): there is nothing to export.");
        break;
    case FileCommand::SavePdf:
        text = tr("The file of the record %1 no longer exists (deleted or moved): there is nothing to save as PDF.");
        break;
    }
    errors::throwText(text.arg(recordName(path)));
}

bool WindowNavigationView::checkShownRecordFile()
{
    const QString path = m_window.navigation().shownPath();
    const bool gone = !path.isEmpty() && !filepresence::isThere(path);
    m_window.recordPanel()->setRecordGone(gone);
    return gone;
}

void WindowNavigationView::changeTestingMode()
{
    // The selector shows the mode the panel's values were decoded in: it goes
    // back when the user stays with typed changes or the record cannot be shown.
    RecordPanel *panel = m_window.recordPanel();
    bool shown = false;
    try {
        shown = m_window.navigation().testingModeChanged();
    } catch (...) {
        panel->restoreTestingMode();
        throw;
    }
    if (shown)
        panel->acceptTestingMode();
    else
        panel->restoreTestingMode();
}

int WindowNavigationView::receivedRow(const QString &savedPath)
{
    // A record just received into the archive is shown as if its row had
    // been chosen (asking first about typed changes of the record shown).
    const Navigation &navigation = m_window.navigation();
    const QFileInfo received(savedPath);
    if (received.filePath().isEmpty()
        || received.canonicalPath() != QFileInfo(navigation.archiveFolder()).canonicalFilePath())
        return 0;
    const int row = navigation.table().rowOfFile(received.fileName());
    if (row == 0)
        return 0;
    // Saved over the record shown: the changes typed for it have no record
    // left to go into, and saving them would stamp them on the received one.
    if (QFileInfo(navigation.shownPath()) == received) {
        RecordPanel *panel = m_window.recordPanel();
        if (panel->hasTypedEdits()) {
            panel->discardTypedEdits();
            showWarning(tr("The received record replaced the record %1: "
                           "the changes typed for it were not saved.")
                            .arg(received.fileName()));
        }
        shownRecordReplaced();
    }
    return row;
}

// NavigationView: dialogs and questions

int WindowNavigationView::testingModeIndex() const { return m_window.recordPanel()->testingModeIndex(); }

std::optional<QString> WindowNavigationView::chooseRecordFile()
{
    QFileDialog dialog(&m_window);
    dialog.setObjectName(QStringLiteral("OpenDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(tr("*.bin (*.bin)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> WindowNavigationView::askRowNumber()
{
    QInputDialog dialog(&m_window);
    dialog.setObjectName(QStringLiteral("InputFileName"));
    dialog.setWindowTitle(tr("Input File Name"));
    dialog.setLabelText(tr("Number"));
    dialog.setTextValue(QString());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

bool WindowNavigationView::confirmDelete(const QString &fileName)
{
    return QMessageBox::warning(&m_window, tr("Warning"), tr("DELETE FILE?\n\n%1").arg(fileName),
                                QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
           == QMessageBox::Yes;
}

bool WindowNavigationView::confirmReplace(const QString &fileName)
{
    return askYesNo(&m_window, QStringLiteral("ReplaceQuestion"),
                    tr("The archive already holds a record file named %1.\n"
                       "Replace it with the chosen file?")
                        .arg(fileName),
                    QMessageBox::Question);
}

void WindowNavigationView::showWarning(const QString &text)
{
    QMessageBox::warning(&m_window, programTitle(), text);
}

NavigationView::Conflict WindowNavigationView::askConflict(const QString &text, const QString &goOn)
{
    QMessageBox box(QMessageBox::Warning, programTitle(), text, QMessageBox::NoButton, &m_window);
    box.setObjectName(QStringLiteral("ConflictQuestion"));
    box.addButton(QMessageBox::Open)->setText(tr("Show it as it is now"));
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

bool WindowNavigationView::confirmUnguarded(const QString &text)
{
    return askYesNo(&m_window, QStringLiteral("UnguardedQuestion"),
                    tr("%1\n\nImport the record under this name all the same?").arg(text));
}

bool WindowNavigationView::settleTypedEdits(const QString &action)
{
    RecordPanel *panel = m_window.recordPanel();
    if (!panel->hasTypedEdits())
        return true;
    QMessageBox box(QMessageBox::Warning, programTitle(), unsavedQuestion(panel->shownRecord(), action),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, &m_window);
    box.setObjectName(QStringLiteral("UnsavedChanges"));
    // Some desktops word Discard "Close without Saving": here it goes on.
    box.button(QMessageBox::Discard)->setText(tr("Discard"));
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    const int answer = box.exec();
    if (answer == QMessageBox::Discard) {
        panel->discardTypedEdits();
        return true;
    }
    // The user stays on the record, with the table's highlight put back: on
    // Cancel, and on a Save that was refused or not made (its file changed).
    const auto stay = [this] { m_window.grid()->restorePressedSelection(); };
    if (answer != QMessageBox::Save) {
        stay();
        return false;
    }
    bool saved = false;
    guarded(&m_window, [&] {
        auto stayed = qScopeGuard(stay);
        saved = saveChanges() == Navigation::Outcome::Done;
        if (saved)
            stayed.dismiss();
    });
    return saved;
}

// NavigationView: the table, the panel and the archive index

void WindowNavigationView::selectRow(int row) { m_window.grid()->selectTableRow(row); }
int WindowNavigationView::selectedRow() const { return m_window.grid()->selectedTableRow(); }

// The start-up listing: the names are in, their dates come row by row.
void WindowNavigationView::namesListed() { m_window.grid()->refresh(); }

// The dates are in: the index and the folder's watch start from the rows as
// they are now.
void WindowNavigationView::listingFinished()
{
    indexArchive();
    checkShownRecordFile();
    const Navigation &navigation = m_window.navigation();
    m_watch->watch(navigation.archiveFolder(), navigation.table().names(), navigation.table().identities());
}

void WindowNavigationView::tableChanged()
{
    m_window.grid()->refresh();
    indexArchive();
    checkShownRecordFile();
    const Navigation &navigation = m_window.navigation();
    m_watch->watch(navigation.archiveFolder(), navigation.table().names(), navigation.table().identities());
}

void WindowNavigationView::indexArchive()
{
    const Navigation &navigation = m_window.navigation();
    const FileTable &table = navigation.table();
    QVector<archive::IndexSource> sources;
    sources.reserve(table.listedCount());
    for (int row = 1; row <= table.listedCount(); ++row)
        sources.append({table.fileName(row), navigation.rowPath(row), table.identity(row)});
    m_window.Finder1->archiveChanged(std::move(sources));
}

void WindowNavigationView::filesUpdated(const QStringList &changed, const QStringList &removed)
{
    const Navigation &navigation = m_window.navigation();
    const FileTable &table = navigation.table();
    QVector<archive::IndexSource> sources;
    for (const QString &name : changed)
        if (const int row = table.rowOfFile(name))
            sources.append({name, navigation.rowPath(row), table.identity(row)});
    m_window.Finder1->filesUpdated(std::move(sources), removed);
}

void WindowNavigationView::showRecord(const DecodedRecord &record, const QString &path)
{
    m_window.recordPanel()->showRecord(record, QFileInfo(path).fileName());
    // The record as read now: nothing to tell about it, no typed values of
    // another reading to offer.
    RecordNotice *notice = m_window.notice();
    notice->setStale({}, false);
    m_keptTyped.clear();
    notice->clearTypedValues();
    emit recordShown();
}

void WindowNavigationView::shownRecordReplaced() { m_window.recordPanel()->recordReplaced(); }

void WindowNavigationView::shownRecordStale(const QString &text, bool canShowAgain)
{
    // A record whose file went is told once, by the panel's line, in the same
    // words whoever removed it; the strip tells what else happened to it.
    const bool gone = checkShownRecordFile();
    m_window.notice()->setStale(gone ? QString() : text, canShowAgain && !gone);
}

// The folder watch

void WindowNavigationView::folderChanged(const QStringList &names, const QStringList &gone)
{
    for (const QString &name : names) {
        if (!m_folderChanges.contains(name))
            m_folderChanges.append(name);
        m_folderGone.removeAll(name);  // the last word on a name counts
    }
    m_folderGone += gone;
    applyFolderChanges();
}

void WindowNavigationView::applyFolderChanges()
{
    if (m_folderChanges.isEmpty())
        return;
    // Not under a question or dialog a command is waiting on: the command
    // would go on with a table changed under it.
    if (QApplication::activeModalWidget()) {
        m_applyChanges->start();
        return;
    }
    guarded(&m_window, [this] {
        m_window.navigation().filesChanged(std::exchange(m_folderChanges, {}), std::exchange(m_folderGone, {}));
    });
}
