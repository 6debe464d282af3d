#pragma once

#include "DecodedRecord.h"
#include "FileTable.h"
#include "ScanWarnings.h"

#include <QString>

#include <optional>

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
    virtual void showWarning(const QString &text) = 0;
    virtual bool settleTypedEdits(const QString &action) = 0;
    // A record decoded whole, read from path: the panel shows it.
    virtual void showRecord(const DecodedRecord &record, const QString &path) = 0;
    // The file of the record shown now holds another record.
    virtual void shownRecordReplaced() {}
};

// Which record is shown and which row of the file table is current, and every
// way of changing them. Widget-free: the main window's handlers call these.
class Navigation
{
public:
    Navigation(const QString &startDirectory, NavigationView &view);

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

    void scan();                 // the archive scan
    void openAndDecode();        // ToolButton10Click
    void mouseUp(int row);       // StringGrid1MouseUp; row -1: outside every cell
    void keyUp();                // StringGrid1KeyUp
    void goTo();                 // N4531Click
    void deleteCurrent();        // N131Click
    bool testingModeChanged();   // ComboBox4Change; false: the user stayed
    void startupOpen();          // Timer2Timer
    void rescan();               // Timer1Timer

    // The file Save changes writes into: the current row's file, which must be
    // the record shown. Raises an error that says why otherwise. Delete acts
    // likewise on the file last chosen, shown or not.
    QString saveTarget() const;
    // Reads the row of a listed record file again after it was written; the
    // row number, or 0 when the file is not listed.
    int refreshRow(const QString &path);

private:
    void decode(const QString &path);
    void rowChosen(int row, bool moveToLastRow);
    void requireCurrentRowIs(const QString &path, const QString &action) const;

    QString m_folder;
    NavigationView &m_view;
    FileTable m_table;
    archive::ScanWarnings m_warnings;
    QString m_shownPath;
    QString m_chosenPath;  // the file the routine last tried to read
};
