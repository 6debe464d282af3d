#pragma once

#include "Navigation.h"
#include "RecordPanel.h"

#include <QMainWindow>

#include <memory>

class CertificateCommands;
class FileGrid;
class FillInBar;
class FillInOffer;
class Finder;
class GuideWindow;
class QAction;
class QMenu;
class QTimer;
class QToolBar;
class RecordNotice;
class RegisterCommands;
class TForm2;
class TForm3;
class TForm4;
class TQuickReport5;
class WindowNavigationView;

// The main window: tool bar, file table, record view panel. It lays them out
// and wires every command to the part that carries it out: the navigation
// (WindowNavigationView: dialogs, selection, the record shown, Save changes),
// certificates (CertificateCommands), the register (RegisterCommands), the
// archive views (Finder), the fill-in offer (FillInOffer). Menus and tool
// bar: MainMenus.cpp.
class TForm1 : public QMainWindow
{
    Q_OBJECT

public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    Navigation &navigation() { return *m_navigation; }
    RecordPanel *recordPanel() const { return Panel1; }
    FileGrid *grid() const { return StringGrid1; }
    RecordNotice *notice() const { return m_notice; }
    FillInBar *fillInOffer() const { return m_fillIn; }
    QString startDirectory() const { return m_startDirectory; }
    // Whether the panel's line of the last certificate waits for the register.
    bool lastIssuedPending() const;

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
    void Limits1Click();        // limits of the SART standard
    void Certificates1Click();  // the register of certificates issued
    void Register1Click();      // the register's settings
    // Any button; the pop-up follows a right click. False when the user
    // chose to stay with typed changes of the record shown.
    bool StringGrid1MouseUp(int tableRow);
    // Shows a row's record as a click on it does and moves the highlight
    // there; nothing moves when the user chooses to stay with typed changes.
    void chooseRow(int tableRow);
    void StringGrid1KeyUp();
    void N4531Click();          // Go to
    void N131Click();           // Delete
    void ComboBox4Change();
    void Timer1Timer();         // rescan
    void Timer2Timer();         // start-up open

    QTimer *Timer1 = nullptr;
    QTimer *Timer2 = nullptr;
    Finder *Finder1 = nullptr;  // the Archive menu's views and their index

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void updateTitle();
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void buildMenus();    // MainMenus.cpp
    void buildToolBar();  // MainMenus.cpp
    void createWindows();

    QString m_startDirectory;
    WindowNavigationView *m_view = nullptr;
    std::unique_ptr<Navigation> m_navigation;
    FileGrid *StringGrid1 = nullptr;
    RecordPanel *Panel1 = nullptr;
    QToolBar *ToolBar1 = nullptr;
    QMenu *PopupMenu1 = nullptr;
    RecordNotice *m_notice = nullptr;
    FillInBar *m_fillIn = nullptr;
    FillInOffer *m_fillInOffer = nullptr;
    RegisterCommands *m_registerCommands = nullptr;
    std::unique_ptr<CertificateCommands> m_certificates;

    // Built when first opened (WindowDialogs.cpp).
    TForm2 *form2();
    TForm3 *form3();
    TForm4 *form4();
    TForm2 *Form2 = nullptr;
    TForm3 *Form3 = nullptr;
    TForm4 *Form4 = nullptr;
    GuideWindow *Guide1 = nullptr;  // made when first wanted
    TQuickReport5 *QuickReport5 = nullptr;
};
