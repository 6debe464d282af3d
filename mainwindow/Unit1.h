#pragma once

#include "CertificateCheck.h"
#include "Navigation.h"
#include "RecordPanel.h"

#include <QMainWindow>
#include <QSet>

#include <functional>
#include <memory>

class CertificateIssuer;
class FileGrid;
class FillInBar;
class RegisterDialog;
namespace certregister {
class Register;
class RegisterJobs;
}
class Finder;
class RecordNotice;
namespace archive {
class FolderWatch;
}
class GuideWindow;
class QAction;
class QLabel;
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
    RecordNotice *notice() const { return m_notice; }
    FillInBar *fillInOffer() const { return m_fillIn; }
    QString startDirectory() const { return m_startDirectory; }
    // Whether the panel's line of the last certificate waits for the register.
    bool lastIssuedPending() const { return m_lookupRunning; }

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
    void Certificates1Click();  // the register of certificates issued (RegisterMenu.cpp)
    void Register1Click();      // the register's settings
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
    // Before a certificate goes out (print, PDF, Word): refused with no record
    // shown; the record file read and compared with every value the
    // certificate prints (certificate::check), and nothing goes out while
    // they differ: one question names each difference and offers to save
    // first or show the file as it is now, and for a testing date alone to
    // certify it. Then confirmCertificate(). True to go on; the check's
    // result is kept for the register's entry.
    bool certifiable(const QString &action);
    // Asks once whether to go on, naming every reason not to: a conclusion
    // not chosen for this record, "SART PASSED TESTS" with values outside
    // the limits. The default answer is not to; true when nothing is wrong or
    // on Yes.
    bool confirmCertificate(const QString &action);
    // Before Save changes writes values carried over from another record
    // into this record's file: names every one of them, with its record.
    bool confirmSave();
    // Shows the record shown again as its file is now; values typed for it
    // are kept, to be re-applied at the user's word.
    void showShownAgain();

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
    void namesListed() override;      // StartUp.cpp
    void listingFinished() override;  // StartUp.cpp
    void showWarning(const QString &text) override;
    void showRecord(const DecodedRecord &record, const QString &path) override;
    Conflict askConflict(const QString &text, const QString &goOn) override;
    void shownRecordStale(const QString &text, bool canShowAgain) override;
    void filesUpdated(const QStringList &changed, const QStringList &removed) override;
    bool confirmUnguarded(const QString &text) override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void updateTitle();
    void buildSettingsMenu();
    QString carriedValues() const;
    void saveShown();  // Save changes once asked, with m_saveOutcome
    enum class CheckAnswer { SaveFirst, ShowFile, CertifyDate, Cancel };
    CheckAnswer askCertificateCheck(const certificate::Result &result, const QString &action);
    // Raises an error naming the file when the record shown is gone from
    // the disk (deleted, moved), and tells the panel.
    void requireShownRecordFile(const QString &action);
    bool checkShownRecordFile();  // true when the record shown has no file any more
    void changeEvent(QEvent *event) override;
    void buildMenus();
    void buildToolBar();
    void createWindows();
    void buildFinder();    // FinderMenu.cpp
    // The offer to fill in a SART's data from its latest record.
    void buildFillIn();
    void offerFillIn();
    // The register of certificates issued (RegisterMenu.cpp).
    void buildRegister();
    certregister::Register &certificateRegister();
    // Whether the register can keep a certificate now; when it cannot, says
    // why and lets the engineer try again or give up (false).
    bool registerReady();
    // Before a certificate is numbered: asks, default No, when the register
    // in force is not the one that numbered last, and when another register
    // numbers for the record's archive folder (its mark); false to stop.
    bool registerMayNumber();
    // checkWritable() off the window's thread; false when the engineer
    // stopped waiting. Raises what the register raised.
    bool checkRegisterWritable();
    // The register in force against the one that numbered last; empty when
    // they are the same, or when nothing was numbered yet.
    QString registerChange() const;
    // The line above the panel: settings of the register that cannot be
    // used, or a change of register not yet asked about.
    void showRegisterChange();
    // Hands the register's issuer for the record shown to `produce`, which
    // makes the certificate under the number it gives.
    void issueCertificate(const std::function<void(CertificateIssuer &)> &produce);
    // The panel's line of the certificate last issued for the record shown,
    // looked up off the window's thread (lookUpLastIssued).
    void showLastIssued();
    void lookUpLastIssued();
    void indexArchive();   // hands the listed records to the archive index
    // Changes another program made in the archive folder, applied between
    // the user's commands (not while a question or dialog is open).
    void folderChanged(const QStringList &names, const QStringList &gone);
    void applyFolderChanges();
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
    Navigation::Outcome m_saveOutcome = Navigation::Outcome::NotDone;  // of the last Save changes
    RecordNotice *m_notice = nullptr;
    FillInBar *m_fillIn = nullptr;
    QString m_fillInDismissed;  // the number whose offer was dismissed for the record shown
    RecordPanel::TypedValues m_keptTyped;  // offered for re-applying by the notice
    archive::FolderWatch *m_watch = nullptr;
    QStringList m_folderChanges;           // waiting to be applied
    QStringList m_folderGone;              // of those, no longer listed
    QTimer *m_applyChanges = nullptr;

    // Built when first opened (StartUp.cpp).
    TForm2 *form2();
    TForm3 *form3();
    TForm4 *form4();
    TForm2 *Form2 = nullptr;
    TForm3 *Form3 = nullptr;
    TForm4 *Form4 = nullptr;
    GuideWindow *Guide1 = nullptr;  // made when first wanted
    TQuickReport5 *QuickReport5 = nullptr;

    // The last check before a certificate: the bytes compared, whose SHA-256
    // the register keeps.
    std::optional<certificate::Result> m_checked;
    std::unique_ptr<certregister::Register> m_register;
    certregister::RegisterJobs *m_lookups = nullptr;
    QString m_lookupWanted;        // the record whose last certificate is wanted
    bool m_lookupRunning = false;
    QTimer *m_lookupSlow = nullptr;
    QLabel *m_registerNotice = nullptr;
    bool m_registerChangeSettled = false;  // asked, or nothing to ask, in this run
    QSet<QString> m_otherNumbersAccepted;  // archive folder and register agreed to in this run
    RegisterDialog *m_registerDialog = nullptr;
};
