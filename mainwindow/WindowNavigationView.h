#pragma once

#include "Navigation.h"
#include "RecordPanel.h"

#include <QObject>
#include <QStringList>

class QTimer;
class TForm1;
namespace archive {
class FolderWatch;
}

// What the navigation drives in the main window: its dialogs and questions,
// the file table's selection, the record view panel, the line above it about
// the record shown (changed on disk, values typed to re-apply), the archive
// index and the watch on the archive folder. Also Save changes, which the
// question about typed changes offers.
class WindowNavigationView : public QObject, public NavigationView
{
    Q_OBJECT

public:
    explicit WindowNavigationView(TForm1 &window);

    // Save changes: refused (raising) when the record's file is gone; asks
    // first, naming them, about values carried over from other records, then
    // writes. Done, not done (declined, or the file changed and the user
    // cancelled), or not done with the file shown as it is now.
    Navigation::Outcome saveChanges();
    // Writes the panel's values into the record shown without asking about
    // carried values: for the check before a certificate, whose question
    // named them already.
    Navigation::Outcome writeShown();

    // Shows the record shown again as its file is now; values typed for it
    // are kept, to be re-applied at the user's word.
    void showShownAgain();
    // The commands that need the record shown to have its file.
    enum class FileCommand { Save, Print, Export, SavePdf };
    // Raises an error naming the file and the command when the record shown
    // is gone from the disk (deleted, moved); tells the panel either way.
    void requireShownRecordFile(FileCommand command);
    // True when the record shown has no file any more; tells the panel.
    bool checkShownRecordFile();
    // The testing mode selector changed: the record shown again in that mode,
    // or the selector put back when the user stays with typed changes.
    void changeTestingMode();
    // A record the receiving window saved into the archive folder (its path;
    // empty when none): its row after the rescan, 0 when it is not listed.
    // A record received over the one shown drops what was typed for it.
    int receivedRow(const QString &savedPath);
    // The values typed for the record shown before it was shown again, which
    // the notice offers: put back into the panel, or given up.
    void reapplyKeptTyped();
    void dropKeptTyped();

    // NavigationView
    int testingModeIndex() const override;
    std::optional<QString> chooseRecordFile() override;
    std::optional<QString> askRowNumber() override;
    bool confirmDelete(const QString &fileName) override;
    bool confirmReplace(const QString &fileName) override;
    void selectRow(int row) override;
    int selectedRow() const override;
    void tableChanged() override;
    void namesListed() override;
    void listingFinished() override;
    void showWarning(const QString &text) override;
    // Before anything that would replace or drop typed changes of the panel
    // not yet saved: asks Save / Discard / Cancel, naming the record and the
    // action ("showing another record"). True to go on (saved or discarded,
    // or nothing typed); false to stay, with the table's highlight put back:
    // on Cancel and when Save changes was not done (a refused Save shows its
    // error first).
    bool settleTypedEdits(const QString &action) override;
    void showRecord(const DecodedRecord &record, const QString &path) override;
    void shownRecordReplaced() override;
    Conflict askConflict(const QString &text, const QString &goOn) override;
    void shownRecordStale(const QString &text, bool canShowAgain) override;
    void filesUpdated(const QStringList &changed, const QStringList &removed) override;
    bool confirmUnguarded(const QString &text) override;

signals:
    // A record was read into the panel.
    void recordShown();

private:
    void indexArchive();  // hands the listed records to the archive index
    // Changes another program made in the archive folder, applied between
    // the user's commands (not while a question or dialog is open).
    void folderChanged(const QStringList &names, const QStringList &gone);
    void applyFolderChanges();
    bool confirmSave();

    TForm1 &m_window;
    RecordPanel::TypedValues m_keptTyped;  // offered for re-applying by the notice
    archive::FolderWatch *m_watch = nullptr;
    QStringList m_folderChanges;  // waiting to be applied
    QStringList m_folderGone;     // of those, no longer listed
    QTimer *m_applyChanges = nullptr;
};
