#pragma once

#include "CertificateCheck.h"

#include <QObject>
#include <QSet>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class CertificateIssuer;
class Finder;
class Navigation;
class QLabel;
class QTimer;
class QWidget;
class RecordPanel;
class RegisterDialog;
namespace certregister {
class Register;
class RegisterJobs;
}

// The register of certificates issued, as the main window uses it: checked
// before a certificate goes out, numbering every certificate issued, the
// panel's line of the certificate last issued for the record shown, the line
// above the panel about the register's settings, and the commands that show
// the register and its settings.
class RegisterCommands : public QObject
{
    Q_OBJECT

public:
    RegisterCommands(QWidget *window, Navigation &navigation, RecordPanel *panel, Finder *finder);
    ~RegisterCommands() override;

    // Certificates left being issued by a program that crashed are settled
    // now, off the window's thread; a register that cannot be reached now is
    // settled before the next number is taken.
    void settleLeftOver();
    // Lets the register work once the window has painted its first screen:
    // settles what a crashed program left and looks up the last certificate
    // of the record shown. Before it, a look-up is only noted.
    void begin();
    // Whether the register can keep a certificate now; when it cannot, says
    // why and lets the engineer try again or give up (false).
    bool registerReady();
    // Hands the register's issuer for the record shown to `produce`, which
    // makes the certificate under the number it gives. `checked`: the last
    // check before the certificate, whose bytes the register keeps.
    void issueCertificate(const std::optional<certificate::Result> &checked,
                          const std::function<void(CertificateIssuer &)> &produce);
    // The panel's line of the certificate last issued for the record shown,
    // looked up off the window's thread.
    void showLastIssued();
    // Whether that line waits for the register.
    bool lookupPending() const { return m_lookupRunning || (!m_begun && !m_lookupWanted.isEmpty()); }
    void showCertificates();  // the register of certificates issued
    void editSettings();      // the register's settings

private:
    certregister::Register &certificateRegister();
    // Before a certificate is numbered: asks, default No, when the register
    // in force is not the one that numbered last, and when another register
    // numbers for the record's archive folder (its mark); false to stop.
    bool registerMayNumber();
    // checkWritable() off the window's thread; false when the engineer
    // stopped waiting. Raises what the register raised.
    bool checkRegisterWritable();
    // The register in force against the one that numbered last (their
    // descriptions); none when they are the same, or when nothing was
    // numbered yet.
    struct RegisterChange
    {
        QString last, now;
    };
    std::optional<RegisterChange> registerChange() const;
    // The line above the panel: settings of the register that cannot be
    // used, or a change of register not yet asked about.
    void showRegisterChange();
    void lookUpLastIssued();

    QWidget *m_window;
    Navigation &m_navigation;
    RecordPanel *m_panel;
    Finder *m_finder;
    std::unique_ptr<certregister::Register> m_register;
    certregister::RegisterJobs *m_lookups = nullptr;
    QString m_lookupWanted;  // the record whose last certificate is wanted
    bool m_lookupRunning = false;
    bool m_begun = false;  // begin() has run: the register may be opened
    QTimer *m_lookupSlow = nullptr;
    QLabel *m_registerNotice = nullptr;
    bool m_registerChangeSettled = false;  // asked, or nothing to ask, in this run
    QSet<QString> m_otherNumbersAccepted;  // archive folder and register agreed to in this run
    RegisterDialog *m_registerDialog = nullptr;
};
