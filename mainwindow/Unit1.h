#pragma once

#include "Navigation.h"

#include <QMainWindow>

#include <memory>

class FileGrid;
class Finder;
class GuideWindow;
class QAction;
class QMenu;
class QTimer;
class QToolBar;
class RecordPanel;
class TForm2;
class TForm3;
class TForm4;
class TQuickReport5;

// The main window: tool bar, file table, record view panel, and every command.
class TForm1 : public QMainWindow, public NavigationView
{
    Q_OBJECT

public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    Navigation &navigation() { return *m_navigation; }
    RecordPanel *recordPanel() const { return Panel1; }
    FileGrid *grid() const { return StringGrid1; }
    QString startDirectory() const { return m_startDirectory; }

    // Handlers, named after the controls that fire them.
    void FormCreate();
    void ToolButton10Click();   // Open
    void ToolButton11Click();   // Save changes
    void ToolButton13Click();   // Print
    void Print1Click();         // Page Setup...
    void ToolButton4Click();    // Exit
    void N4Click();             // Receiving
    void Word1Click();          // Word export
    void Pdf1Click();           // certificate as PDF
    void UserGuide1Click();     // the user guide
    void Abaut1Click();         // Help window
    void About2Click();         // About box
    void ToolButton16Click();   // About box from the tool bar
    void StringGrid1MouseUp(int tableRow);  // any button; the pop-up follows a right click
    // Shows a row's record as a click on it does and moves the highlight
    // there; nothing moves when the user chooses to stay with typed changes.
    void chooseRow(int tableRow);
    void StringGrid1KeyUp();
    void N4531Click();          // Go to
    void N131Click();           // Delete
    void ComboBox4Change();
    void Timer1Timer();         // rescan
    void Timer2Timer();         // start-up open

    // Before anything that would replace or drop typed changes of the panel
    // not yet saved: asks Save / Discard / Cancel, naming the record and the
    // action ("showing another record"). True to go on (saved or discarded,
    // or nothing typed); false on Cancel, with the table's highlight put back.
    // A Save that is refused raises its error and nothing else happens.
    bool settleTypedEdits(const QString &action) override;
    void shownRecordReplaced() override;
    // Before a certificate goes out (print, export): when its SART model,
    // manufacturer's number or vessel name is carried over from another
    // record, asks whether to go on; the default answer is not to.
    bool confirmCarriedOver(const QString &action);

    QTimer *Timer1 = nullptr;
    QTimer *Timer2 = nullptr;
    Finder *Finder1 = nullptr;  // the Archive menu's views and their index

    // NavigationView: the dialogs and widgets the navigation drives.
    int testingModeIndex() const override;
    std::optional<QString> chooseRecordFile() override;
    std::optional<QString> askRowNumber() override;
    bool confirmDelete(const QString &fileName) override;
    bool confirmReplace(const QString &fileName) override;
    void selectRow(int row) override;
    int selectedRow() const override;
    void tableChanged() override;
    void showWarning(const QString &text) override;
    void showRecord(const DecodedRecord &record, const QString &path) override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void updateTitle();
    void buildMenus();
    void buildToolBar();
    void createWindows();
    void buildFinder();    // FinderMenu.cpp
    void indexArchive();   // hands the listed records to the archive index
    bool eventFilter(QObject *watched, QEvent *event) override;
    QAction *command(QMenu *menu, const QString &name, const QString &caption, void (TForm1::*handler)(),
                     const QKeySequence &shortcut = {});

    QString m_startDirectory;
    std::unique_ptr<Navigation> m_navigation;
    FileGrid *StringGrid1 = nullptr;
    RecordPanel *Panel1 = nullptr;
    QToolBar *ToolBar1 = nullptr;
    QMenu *PopupMenu1 = nullptr;
    bool m_stayed = false;  // the last question about typed edits kept them

    TForm2 *Form2 = nullptr;
    TForm3 *Form3 = nullptr;
    TForm4 *Form4 = nullptr;
    GuideWindow *Guide1 = nullptr;  // made when first wanted
    TQuickReport5 *QuickReport5 = nullptr;
};
