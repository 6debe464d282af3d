// The register of certificates issued, as the main window uses it: checked
// before a certificate goes out, numbering every certificate issued, the
// certificate last issued for the record shown, and its Archive and Settings
// menu items.
#include "Unit1.h"

#include "AppError.h"
#include "CertificateIssuer.h"
#include "CertificateRegister.h"
#include "ErrorBox.h"
#include "FileNames.h"
#include "Finder.h"
#include "RecordPanel.h"
#include "RegisterDialog.h"
#include "RegisterJobs.h"
#include "RegisterSettingsDialog.h"
#include "ReportContent.h"
#include "SartLimits.h"

#include <QFileInfo>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>

namespace {

// The register's side of a certificate going out: the entry for the record
// shown, numbered (its own number when the same certificate went out before)
// and its output recorded as the document tells where it goes.
class RegisterIssuer final : public CertificateIssuer
{
public:
    RegisterIssuer(certregister::Register &reg, certregister::Entry entry) : m_register(reg), m_entry(std::move(entry))
    {}

    void issue(const Make &make, const std::function<void()> &withdraw) override
    {
        const auto produce = [&](certregister::Entry &numbered, const certregister::GoingTo &goingTo) {
            Destination destination(goingTo, numbered.issuedHow);
            return make(numbered.number, destination);
        };
        if (withdraw)
            m_register.issueOutput(m_entry, produce, [&](const certregister::Entry &) { withdraw(); });
        else
            m_register.issueOutput(m_entry, produce);
    }

    QString expectedNumber() override { return m_register.expectedNumber(m_entry); }
    bool printsNumber() const override { return m_register.settings().printNumber; }

private:
    class Destination final : public CertificateIssuer::Destination
    {
    public:
        Destination(const certregister::GoingTo &goingTo, QString &how) : m_goingTo(goingTo), m_how(how) {}
        void goingTo(const QString &how, const QString &filePath) override
        {
            m_goingTo(how, filePath);
            m_how = how;
        }

    private:
        const certregister::GoingTo &m_goingTo;
        QString &m_how;
    };

    certregister::Register &m_register;
    certregister::Entry m_entry;
};

QString dateTimeText(const QDateTime &utc)
{
    return QLocale().toString(utc.toLocalTime(), QLocale::ShortFormat);
}

} // namespace

void TForm1::buildRegister()
{
    auto *archive = findChild<QMenu *>(QStringLiteral("Archive1"));
    auto *settings = findChild<QMenu *>(QStringLiteral("Settings1"));
    if (!archive || !settings)
        return;
    archive->addSeparator();
    command(archive, QStringLiteral("Certificates1"), QStringLiteral("&Certificates issued..."),
            &TForm1::Certificates1Click);
    command(settings, QStringLiteral("Register1"), QStringLiteral("Certificate &register..."),
            &TForm1::Register1Click);
    // Certificates left being issued by a program that crashed are settled
    // now, off the window's thread; a register that cannot be reached now is
    // settled before the next number is taken.
    auto *jobs = new certregister::RegisterJobs(this);
    jobs->run<int>(
        certregister::loadProgramSettings(),
        [](certregister::Register &reg, const certregister::RegisterJobs::Stop &) { return reg.settle(); },
        [](const int &) {}, [](const QString &) {});
}

certregister::Register &TForm1::certificateRegister()
{
    if (!m_register)
        m_register = std::make_unique<certregister::Register>(certregister::loadProgramSettings());
    return *m_register;
}

bool TForm1::registerReady()
{
    for (;;) {
        try {
            certificateRegister().checkWritable();
            m_registerDown = false;
            return true;
        } catch (const AppError &e) {
            QMessageBox box(QMessageBox::Warning, ProgramTitle,
                            e.text() + QStringLiteral("\n\nNo certificate goes out unless the register keeps it: "
                                                      "nothing was issued."),
                            QMessageBox::Retry | QMessageBox::Cancel, this);
            box.setObjectName(QStringLiteral("RegisterQuestion"));
            box.setDefaultButton(QMessageBox::Retry);
            box.setEscapeButton(QMessageBox::Cancel);
            if (box.exec() != QMessageBox::Retry)
                return false;
        }
    }
}

void TForm1::issueCertificate(const std::function<void(CertificateIssuer &)> &produce)
{
    const PanelValues values = Panel1->values();
    const QList<limits::Judgement> outside = Panel1->outsideLimits();
    QStringList outsideTexts;
    for (const limits::Judgement &j : outside)
        outsideTexts << j.text();
    RegisterIssuer issuer(certificateRegister(),
                          certregister::entryFor(m_navigation->shownPath(), values, outsideTexts.join(QStringLiteral("; ")),
                                                 m_navigation->archiveFolder()));
    // The panel learns of the certificate also when the register failed at
    // the last moment (the error is shown all the same).
    const auto refresh = qScopeGuard([this] {
        showLastIssued();
        if (m_registerDialog && m_registerDialog->isVisible())
            m_registerDialog->refill();
    });
    produce(issuer);
}

void TForm1::showLastIssued()
{
    const QString path = m_navigation->shownPath();
    if (path.isEmpty() || m_registerDown) {
        Panel1->setLastIssued({});
        return;
    }
    try {
        const std::optional<certregister::Entry> last = certificateRegister().lastFor(
            filenames::display(QFileInfo(path).fileName()), certregister::sha256OfFile(path));
        Panel1->setLastIssued(last ? QStringLiteral("Last certificate for this record: %1 of %2, \"%3\".")
                                         .arg(last->number, dateTimeText(last->issuedAt), last->verdict)
                                   : QString());
    } catch (const AppError &) {
        // Not asked again for every record shown (a server that does not
        // answer would hold each one up): the next certificate checks anew.
        m_registerDown = true;
        Panel1->setLastIssued({});
    }
}

void TForm1::Certificates1Click()
{
    if (!m_registerDialog) {
        m_registerDialog = new RegisterDialog(certregister::loadProgramSettings(), this);
        connect(m_registerDialog, &RegisterDialog::recordChosen, this, [this](const QString &fileName) {
            emit Finder1->recordChosen(fileName);
        });
    }
    m_registerDialog->setArchiveFolder(m_navigation->archiveFolder());
    m_registerDialog->showFresh();
}

void TForm1::Register1Click()
{
    RegisterSettingsDialog dialog(certregister::loadProgramSettings(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    certregister::storeProgramSettings(dialog.settings());
    m_register.reset();
    m_registerDown = false;
    delete m_registerDialog;
    m_registerDialog = nullptr;
    showLastIssued();
}
