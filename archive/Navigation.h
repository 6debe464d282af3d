#pragma once

#include "DecodedRecord.h"
#include "FileTable.h"
#include "RecordHeader.h"
#include "RecordLock.h"
#include "RecordState.h"
#include "ScanWarnings.h"

#include <QHash>
#include <QTimer>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

// What the navigation needs from the main window: its dialogs, the table's
// selection, the testing-mode selector and the record view panel.
// settleTypedEdits comes before anything that would replace or drop the
// panel's unsaved typing: false when the user chose to keep it and stay.
class NavigationView
{
public:
    virtual ~NavigationView() = default;
    virtual int testingModeIndex() const = 0;
    virtual std::optional<QString> chooseRecordFile() = 0;      // the open dialog
    virtual std::optional<QString> askRowNumber() = 0;          // "Go to"
    virtual bool confirmDelete(const QString &fileName) = 0;    // "DELETE FILE?"
    virtual bool confirmReplace(const QString &fileName) = 0;   // import over a record
    virtual void selectRow(int row) = 0;
    virtual int selectedRow() const = 0;
    virtual void tableChanged() = 0;
    // The start-up listing on its way: the table holds the archive's names,
    // their dates come row by row (FileTable::Observer::rowChanged); then
    // listingFinished(), after which the table is as tableChanged() tells it.
    virtual void namesListed() { tableChanged(); }
    virtual void listingFinished() { tableChanged(); }
    virtual void showWarning(const QString &text) = 0;
    // action names what is about to happen, in English ("opening a record",
    // "deleting its file", ...): the view asks its question in a whole
    // sentence of the interface's language for each.
    virtual bool settleTypedEdits(const QString &action) = 0;
    // A record decoded whole, read from path: the panel shows it.
    virtual void showRecord(const DecodedRecord &record, const QString &path) = 0;
    // The file of the record shown now holds another record.
    virtual void shownRecordReplaced() {}

    // Save changes or Delete found the file no longer the record shown: `text`
    // says what happened and that nothing was written. `goOn` is the caption
    // of the offer to write all the same ("Save over it"), empty when there is
    // none. The default answer must be Cancel.
    enum class Conflict { ShowAsItIsNow, GoOn, Cancel };
    virtual Conflict askConflict(const QString &, const QString &) { return Conflict::Cancel; }
    // The record shown changed or vanished on disk since it was shown (`text`
    // says how; `canShowAgain` when there is something to show), or is again
    // as shown (empty text). The panel is never replaced for it.
    virtual void shownRecordStale(const QString &, bool) {}
    // Rows of the table that changed one at a time, by carried name: the
    // files listed anew or read again, and those no longer listed.
    virtual void filesUpdated(const QStringList &, const QStringList &) {}
    // The folder's file system cannot refuse a file that appears under the
    // name of an import meanwhile (`text` says so): import all the same?
    virtual bool confirmUnguarded(const QString &) { return false; }
};

// Which record is shown and which row of the file table is current, and every
// way of changing them. Widget-free: the main window's handlers call these.
class Navigation
{
public:
    Navigation(const QString &startDirectory, NavigationView &view);

    // What Save changes and Delete did: done, nothing (cancelled, refused),
    // or nothing because the user asked to see the file as it is now.
    enum class Outcome { Done, NotDone, ShowAsItIsNow };

    // The navigation state.
    int CurrentRow = 1;
    QString CurrentPath;
    QString LastFilePath;
    int LastRow = 0;
    bool FromTable = true;
    bool UseLastFile = false;

    const FileTable &table() const { return m_table; }
    QString archiveFolder() const { return m_folder; }
    QString rowPath(int row) const;
    // The record file the open-and-decode routine last read; empty before.
    QString shownPath() const { return m_shownPath; }
    // The record shown as it was read (or saved here): the bytes the panel shows.
    const recordstate::Fingerprint &shownState() const { return m_shownState; }
    // The record file last chosen, shown or not (one that could not be read).
    QString chosenPath() const { return m_chosenPath; }

    void scan();                 // the archive scan
    // The archive scan at start-up: the names at once, then the dates of the
    // first screen of rows and of the last row (the record shown at start),
    // and the rest in slices on this thread's event loop, none longer than
    // SliceMs, so that the window paints and answers meanwhile. A small
    // archive is scanned whole at once, as scan() does. Any other scan ends
    // the listing with a whole one.
    void listAtStart();
    static constexpr int WholeAtOnce = 256;  // records read before the window shows
    static constexpr int FirstScreen = 64;   // rows read before the window shows
    static constexpr int SliceMs = 8;
    // True while the start-up listing reads dates.
    bool isListing() const { return m_listing != nullptr; }
    // Runs `done` once the start-up listing has ended: at once when none runs.
    void whenListed(std::function<void()> done);
    void openAndDecode();        // ToolButton10Click
    // StringGrid1MouseUp; row -1: outside every cell. False when the user
    // stayed with typed changes of the record shown.
    bool mouseUp(int row);
    void keyUp();                // StringGrid1KeyUp
    void goTo();                 // N4531Click
    Outcome deleteCurrent();     // N131Click
    bool testingModeChanged();   // ComboBox4Change; false: the user stayed
    void startupOpen();          // Timer2Timer
    void rescan();               // Timer1Timer

    // Files of the archive folder that another program may have added,
    // changed or removed: each is looked at again and its row put right, read
    // only when its identity changed. The current row stays on its file; the
    // record shown is never read into the panel, only compared. `gone` are
    // names the folder's listing no longer holds: their rows go without a look
    // at the file, which a share may answer from its cache.
    void filesChanged(const QStringList &names, const QStringList &gone = {});
    // The record shown, read again as it is now (its row made current).
    void showAgain();
    void observeTable(FileTable::Observer *observer) { m_table.setObserver(observer); }

    // Save changes: writes the panel's values into the record shown, while its
    // file still holds the record as shown; otherwise asks what to do. The
    // record shown must still be listed (the current row may be a record that
    // could not be shown); an error says why otherwise. Delete acts on the
    // file last chosen, shown or not, and only while its row is the current row.
    Outcome saveShown(const RecordHeader &values);

    ~Navigation();

private:
    struct Listing;
    void readListed(qsizetype place);
    void readListedRow(int row);
    void readSlice();
    void finishListing();
    std::vector<std::function<void()>> stopListing();
    void decode(const QString &path);
    void relist(const QString &keepOn, bool asScan);
    bool putFile(const QString &name);
    void checkShown();
    void warnAboutProblems();
    NavigationView::Conflict askAbout(recordstate::Change change, const QString &name,
                                      const recordstate::Fingerprint &now, const QString &nothingDone,
                                      const QString &goOn);
    bool rowChosen(int row, bool moveToLastRow);  // false: the user stayed
    void requireListed(const QString &path, recordlock::Action action) const;
    void requireCurrentRowIs(const QString &path, recordlock::Action action) const;

    QString m_folder;
    NavigationView &m_view;
    FileTable m_table;
    archive::ScanWarnings m_warnings;
    QString m_shownPath;
    QString m_chosenPath;  // the file the routine last tried to read
    // The record shown as it was read, and the file last chosen as it was
    // when it was tried: what Save changes and Delete compare with.
    recordstate::Fingerprint m_shownState;
    recordstate::Fingerprint m_chosenState;
    QHash<QString, QString> m_problems;  // unreadable listed files and why
    QString m_folderProblem;
    QString m_staleText;                 // what the view was last told about the record shown
    bool m_shownDeleted = false;         // its file deleted by Delete here
    std::unique_ptr<Listing> m_listing;  // the start-up listing while it reads dates
    std::unique_ptr<QTimer> m_slices;    // runs its slices
};
