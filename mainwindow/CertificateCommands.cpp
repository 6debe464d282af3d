#include "CertificateCommands.h"

#include "AppError.h"
#include "CertificateIssuer.h"
#include "CertificatePdf.h"
#include "CertificateQuestions.h"
#include "ErrorBox.h"
#include "Navigation.h"
#include "Questions.h"
#include "RecordPanel.h"
#include "RegisterCommands.h"
#include "ReportContent.h"
#include "Unit5.h"
#include "WindowNavigationView.h"
#include "WordExport.h"
#include "WordReport.h"

#include <QComboBox>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>

CertificateCommands::CertificateCommands(QWidget *window, Navigation &navigation, RecordPanel *panel,
                                         WindowNavigationView &view, RegisterCommands &registerCommands)
    : m_window(window)
    , m_navigation(navigation)
    , m_panel(panel)
    , m_view(view)
    , m_register(registerCommands)
{}

void CertificateCommands::print(TQuickReport5 &report)
{
    m_view.requireShownRecordFile(WindowNavigationView::FileCommand::Print);
    if (!certifiable(tr("Print the certificate")) || !m_register.registerReady())
        return;
    report.fill(m_panel->values());
    // Numbered only once the print dialog was accepted: a print cancelled
    // takes no number. The preview's title shows the number the certificate
    // will have; the message naming a file printed into, the number it got.
    QString what = tr("The certificate");
    QString title;
    m_register.issueCertificate(m_checked, [&](CertificateIssuer &issuer) {
        //: The print preview's title: %1 the certificate's English title, %2 its number.
        title = tr("%1, certificate %2").arg(report::Title, issuer.expectedNumber());
    });
    report.preview(
        m_window,
        [&](QPrinter &printer, const std::function<void()> &print) {
            m_register.issueCertificate(m_checked, [&](CertificateIssuer &issuer) {
                issuer.issue([&](const QString &number, CertificateIssuer::Destination &destination) {
                    report.setNumberLine(issuer.printsNumber() ? report::numberLine(number) : QString());
                    // The document's name (the title of a PDF printed into a file)
                    // stays English, as the certificate does.
                    printer.setDocName(report::Title + QStringLiteral(", certificate ") + number);
                    // How it went out is kept in the register and read back: English.
                    const bool toFile =
                        printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
                    if (toFile)
                        destination.goingTo(QStringLiteral("PDF ") + printer.outputFileName(), printer.outputFileName());
                    else
                        destination.goingTo(QStringLiteral("Printer ") + printer.printerName());
                    print();
                    what = tr("The certificate %1").arg(number);
                    return true;
                });
            });
        },
        title, what);
}

void CertificateCommands::exportToWriter()
{
    m_view.requireShownRecordFile(WindowNavigationView::FileCommand::Export);
    if (!certifiable(tr("Export the certificate to Word")) || !m_register.registerReady())
        return;
    QString issued;
    m_register.issueCertificate(m_checked, [&](CertificateIssuer &issuer) {
        issuer.issue([&](const QString &number, CertificateIssuer::Destination &destination) {
            destination.goingTo(QStringLiteral("Word"));
            exportToWord(m_panel->values(), issuer.printsNumber() ? report::numberLine(number) : QString());
            issued = number;
            return true;
        });
    });
    // Writer has no file for it yet: the message says where it went instead.
    QMessageBox box(QMessageBox::Information, programTitle(),
                    tr("The certificate %1 is in LibreOffice Writer as the new document \"%2\". "
                       "It is not saved yet: save or print it from Writer.")
                        .arg(issued, wordreport::WindowCaption),
                    QMessageBox::Ok, m_window);
    box.setObjectName(QStringLiteral("WordDone"));
    box.exec();
}

void CertificateCommands::savePdf(TQuickReport5 &report)
{
    m_view.requireShownRecordFile(WindowNavigationView::FileCommand::SavePdf);
    if (!certifiable(tr("Save the certificate as PDF")) || !m_register.registerReady())
        return;
    m_register.issueCertificate(m_checked, [&](CertificateIssuer &issuer) {
        certificatepdf::save(m_window, report, m_panel->values(), issuer);
    });
}

bool CertificateCommands::certifiable(const QString &action)
{
    // No certificate without a record: nothing is printed or numbered.
    if (m_navigation.shownPath().isEmpty())
        errors::throwText(tr("No record is shown: there is nothing to certify. Choose a record in the "
                             "file table, open one or receive one first."));
    m_checked.reset();
    for (;;) {
        certificate::Input input;
        input.recordPath = m_navigation.shownPath();
        input.shown = m_navigation.shownState();
        input.panel = m_panel->values();
        input.provenance = m_panel->provenance();
        certificate::Result result = certificate::check(input);
        if (!result.clean()) {
            switch (askCertificateCheck(result, action)) {
            case CheckAnswer::SaveFirst:
                if (m_view.writeShown() != Navigation::Outcome::Done)
                    return false;
                continue;  // read and compared again
            case CheckAnswer::ShowFile:
                m_view.showShownAgain();
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

CertificateCommands::CheckAnswer CertificateCommands::askCertificateCheck(const certificate::Result &result,
                                                                          const QString &action)
{
    QMessageBox box(QMessageBox::Warning, programTitle(), certificate::checkQuestion(result, action),
                    QMessageBox::NoButton, m_window);
    box.setObjectName(QStringLiteral("CertificateCheckQuestion"));
    if (result.saveResolves())
        box.addButton(QMessageBox::Save)->setText(tr("Save changes first"));
    box.addButton(QMessageBox::Open)->setText(tr("Show the file as it is now"));
    if (result.onlyTestingDate())
        box.addButton(QMessageBox::Yes)->setText(tr("Certify this date"));
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

bool CertificateCommands::confirmCertificate(const QString &action)
{
    const RecordHeader values = m_panel->values();
    certificate::Verdict verdict;
    verdict.record = m_panel->shownRecord();
    // The conclusion as the panel shows it, in the language shown (the
    // header carries the text the certificate prints).
    const auto *conclusions = m_panel->findChild<QComboBox *>(QStringLiteral("ComboBox5"));
    verdict.conclusion = conclusions ? conclusions->currentText() : values.verdictText;
    // Item 0 is the sentence that certifies compliance.
    verdict.certifiesCompliance = values.verdictIndex == 0;
    verdict.conclusionFrom = m_panel->carriedOverConclusion();
    if (verdict.certifiesCompliance)
        verdict.outside = m_panel->outsideLimits();
    const QString question = certificate::certifyQuestion(verdict, action);
    return question.isEmpty() || askYesNo(m_window, QStringLiteral("CertificateQuestion"), question);
}
