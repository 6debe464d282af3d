#pragma once

#include "CertificateCheck.h"

#include <QCoreApplication>
#include <QString>

#include <optional>

class Navigation;
class QWidget;
class RecordPanel;
class RegisterCommands;
class TQuickReport5;
class WindowNavigationView;

// A certificate going out for the record shown (print, PDF, Word): refused
// when the record's file is gone, checked against the record file, asked
// about when what it says is not backed by the record, and numbered by the
// register of certificates issued.
class CertificateCommands
{
    Q_DECLARE_TR_FUNCTIONS(CertificateCommands)

public:
    CertificateCommands(QWidget *window, Navigation &navigation, RecordPanel *panel, WindowNavigationView &view,
                        RegisterCommands &registerCommands);

    void print(TQuickReport5 &report);    // through the print preview
    void savePdf(TQuickReport5 &report);  // as a PDF file
    void exportToWriter();                // as a new Writer document

private:
    // Before a certificate goes out: refused with no record shown; the
    // record file read and compared with every value the certificate prints
    // (certificate::check), and nothing goes out while they differ: one
    // question names each difference and offers to save first or show the
    // file as it is now, and for a testing date alone to certify it. Then
    // confirmCertificate(). True to go on; the check's result is kept for
    // the register's entry. Then the register must be ready.
    bool certifiable(const QString &action);
    enum class CheckAnswer { SaveFirst, ShowFile, CertifyDate, Cancel };
    CheckAnswer askCertificateCheck(const certificate::Result &result, const QString &action);
    // Asks once whether to go on, naming every reason not to: a conclusion
    // not chosen for this record, "SART PASSED TESTS" with values outside
    // the limits. The default answer is not to; true when nothing is wrong or
    // on Yes. `action` starts the questions' sentences ("Print the certificate").
    bool confirmCertificate(const QString &action);

    QWidget *m_window;
    Navigation &m_navigation;
    RecordPanel *m_panel;
    WindowNavigationView &m_view;
    RegisterCommands &m_register;
    // The last check before a certificate: the bytes compared, whose SHA-256
    // the register keeps.
    std::optional<certificate::Result> m_checked;
};
