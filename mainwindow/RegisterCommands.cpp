#include "RegisterCommands.h"

#include "AppError.h"
#include "ArchiveRegisterMark.h"
#include "CertificateIssuer.h"
#include "CertificateRegister.h"
#include "CertificateSigning.h"
#include "ErrorBox.h"
#include "Navigation.h"
#include "FileNames.h"
#include "Finder.h"
#include "RecordPanel.h"
#include "RegisterIssuer.h"
#include "Questions.h"
#include "RegisterDialog.h"
#include "RegisterJobs.h"
#include "RegisterSettingsDialog.h"
#include "ReportContent.h"
#include "SartLimits.h"

#include <QBoxLayout>
#include <QEventLoop>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>

namespace {

QString dateTimeText(const QDateTime &utc)
{
    return QLocale().toString(utc.toLocalTime(), QLocale::ShortFormat);
}

// How long a look-up may take before the panel says the register does not
// answer, and a check before a certificate before the engineer may stop it.
constexpr int LookupPatienceMs = 3000;
constexpr int WaitShownAfterMs = 1500;

QString notAnswering(const certregister::Settings &settings)
{
    return RegisterCommands::tr("The register of certificates %1 does not answer.")
        .arg(certregister::describe(settings));
}

// The register keeps a certificate's conclusion in English; it is shown in
// the language of the interface.
const char *const Conclusions[] = {
    QT_TRANSLATE_NOOP("RegisterCommands", "SART PASSED TESTS"),
    QT_TRANSLATE_NOOP("RegisterCommands", "SART FAILED TESTS"),
};

QString conclusionShown(const QString &stored)
{
    for (const char *conclusion : Conclusions)
        if (stored == QLatin1String(conclusion))
            return RegisterCommands::tr(conclusion);
    return stored;
}

} // namespace

RegisterCommands::RegisterCommands(QWidget *window, Navigation &navigation, RecordPanel *panel, Finder *finder)
    : QObject(window)
    , m_window(window)
    , m_navigation(navigation)
    , m_panel(panel)
    , m_finder(finder)
{
    // A line above the record view panel, hidden while there is nothing to
    // tell: the register's settings cannot be used, or the register that
    // numbers now is not the one that numbered last.
    m_registerNotice = new QLabel(panel->parentWidget());
    m_registerNotice->setObjectName(QStringLiteral("RegisterNotice"));
    m_registerNotice->setWordWrap(true);
    m_registerNotice->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_registerNotice->hide();
    if (auto *layout = qobject_cast<QBoxLayout *>(panel->parentWidget()->layout()))
        layout->insertWidget(layout->indexOf(panel), m_registerNotice, 0);
    showRegisterChange();

    m_lookups = new certregister::RegisterJobs(this);
    m_lookupSlow = new QTimer(this);
    m_lookupSlow->setSingleShot(true);
    m_lookupSlow->setInterval(LookupPatienceMs);
    connect(m_lookupSlow, &QTimer::timeout, this, [this] {
        if (!m_lookupWanted.isEmpty() && m_lookupWanted == m_navigation.shownPath())
            m_panel->setLastIssued(notAnswering(certificateRegister().settings()));
    });
}

RegisterCommands::~RegisterCommands() = default;

void RegisterCommands::settleLeftOver()
{
    // Nothing is settled in a register whose settings cannot be used, nor
    // made where none is yet.
    const certregister::Settings inForce = certregister::loadProgramSettings();
    if (!inForce.unusable.isEmpty()
        || (inForce.engine == certregister::Engine::SQLite && !QFileInfo::exists(certregister::describe(inForce))))
        return;
    auto *jobs = new certregister::RegisterJobs(this);
    jobs->run<int>(
        inForce,
        [](certregister::Register &reg, const certregister::RegisterJobs::Stop &) { return reg.settle(); },
        [](const int &) {}, [](const QString &) {});
}

void RegisterCommands::begin()
{
    if (m_begun)
        return;
    m_begun = true;
    settleLeftOver();
    if (!m_lookupWanted.isEmpty() && !m_lookupRunning)
        lookUpLastIssued();
}

certregister::Register &RegisterCommands::certificateRegister()
{
    if (!m_register)
        m_register = std::make_unique<certregister::Register>(certregister::loadProgramSettings());
    return *m_register;
}

std::optional<RegisterCommands::RegisterChange> RegisterCommands::registerChange() const
{
    const certregister::Settings settings = certregister::loadProgramSettings();
    if (!settings.unusable.isEmpty())
        return std::nullopt;
    const QString last = certregister::lastUsedRegister();
    const QString now = certregister::describe(settings);
    if (last.isEmpty() || last == now)
        return std::nullopt;
    return RegisterChange{last, now};
}

void RegisterCommands::showRegisterChange()
{
    const QString unusable = certregister::loadProgramSettings().unusable;
    const std::optional<RegisterChange> change = m_registerChangeSettled ? std::nullopt : registerChange();
    m_registerNotice->setText(!unusable.isEmpty() ? unusable
                              : !change           ? QString()
                                        : tr("Certificates were numbered by the register %1; this program now "
                                             "numbers with the register %2. You are asked before the first "
                                             "certificate.")
                                              .arg(change->last, change->now));
    m_registerNotice->setVisible(!m_registerNotice->text().isEmpty());
}

bool RegisterCommands::registerMayNumber()
{
    const certregister::Settings &settings = certificateRegister().settings();
    if (!settings.unusable.isEmpty())
        return true;  // registerReady() refuses, saying why
    if (!m_registerChangeSettled) {
        const std::optional<RegisterChange> change = registerChange();
        if (change
            && !askYesNo(m_window, QStringLiteral("RegisterChangedQuestion"),
                         tr("Certificates were numbered by the register %1; this program now numbers with the "
                            "register %2.\n\nNumbers may repeat numbers given before, and the certificates "
                            "issued before are not in this register. Settings > Certificate "
                            "register says where the register is kept.\n\nGo on?")
                             .arg(change->last, change->now)))
            return false;
        certregister::rememberLastUsed(settings);
        m_registerChangeSettled = true;
        showRegisterChange();
    }

    const QString shown = m_navigation.shownPath();
    if (shown.isEmpty())
        return true;
    const QString folder = QFileInfo(shown).absolutePath();
    const certregister::MarkCheck mark = certregister::claimArchive(folder, settings);
    if (mark.state != certregister::MarkCheck::Other)
        return true;
    const QString accepted = folder + u'\n' + mark.found.identity;
    if (m_otherNumbersAccepted.contains(accepted))
        return true;
    if (!askYesNo(m_window, QStringLiteral("ArchiveRegisterQuestion"),
                  tr("Certificates for the archive %1 are numbered by the register %2 (%3 says so); "
                     "this program numbers with the register %4.\n\n"
                     "Two registers give the same numbers: a number may be given twice, to two "
                     "certificates. When several engineers issue certificates for one archive, they "
                     "should share one register on the service centre's PostgreSQL server (Settings > "
                     "Certificate register).\n\nNumber the certificate with %4 all the same?")
                      .arg(folder, mark.found.description, certregister::markPath(folder),
                           certregister::describe(settings))))
        return false;
    m_otherNumbersAccepted.insert(accepted);
    return true;
}

bool RegisterCommands::registerReady()
{
    if (!registerMayNumber())
        return false;
    for (;;) {
        try {
            certregister::requireUsable(certificateRegister().settings());
            return checkRegisterWritable();
        } catch (const AppError &e) {
            QMessageBox box(QMessageBox::Warning, programTitle(),
                            tr("%1\n\nNo certificate goes out unless the register keeps it: nothing was issued.")
                                .arg(e.text()),
                            QMessageBox::Retry | QMessageBox::Cancel, m_window);
            box.setObjectName(QStringLiteral("RegisterQuestion"));
            box.setDefaultButton(QMessageBox::Retry);
            box.setEscapeButton(QMessageBox::Cancel);
            if (box.exec() != QMessageBox::Retry)
                return false;
            // Settings that could not be used are read again.
            if (!certificateRegister().settings().unusable.isEmpty())
                m_register.reset();
        }
    }
}

bool RegisterCommands::checkRegisterWritable()
{
    // On a thread of its own, with a connection of its own: a server that
    // does not answer holds up a wait the engineer can end, not the window.
    const certregister::Settings settings = certificateRegister().settings();
    certregister::RegisterJobs job;
    QEventLoop loop;
    bool answered = false;
    QString error;
    job.run<bool>(
        settings, [](certregister::Register &reg, const certregister::RegisterJobs::Stop &) {
            reg.checkWritable();
            return true;
        },
        [&](const bool &) {
            answered = true;
            loop.quit();
        },
        [&](const QString &why) {
            answered = true;
            error = why;
            loop.quit();
        });
    QProgressDialog wait(tr("Waiting for the register of certificates %1 to answer...")
                             .arg(certregister::describe(settings)),
                         tr("Stop waiting"), 0, 0, m_window);
    wait.setObjectName(QStringLiteral("RegisterWait"));
    wait.setWindowTitle(programTitle());
    wait.setWindowModality(Qt::WindowModal);
    wait.setMinimumDuration(0);
    wait.setAutoReset(false);
    wait.setAutoClose(false);
    wait.hide();
    // Its button, Escape or closing the window: the engineer stops waiting.
    connect(&wait, &QProgressDialog::canceled, &loop, &QEventLoop::quit);
    connect(&wait, &QDialog::rejected, &loop, &QEventLoop::quit);
    QTimer::singleShot(WaitShownAfterMs, &wait, [&wait, &answered] {
        if (!answered)
            wait.show();
    });
    if (!answered)
        loop.exec();
    wait.hide();
    if (!answered)
        return false;  // the engineer stopped waiting: nothing issued
    if (!error.isEmpty())
        errors::throwText(error);
    // The certificate connects afresh, as the check did: a connection of
    // before (a server restarted since) is not relied on.
    m_register.reset();
    return true;
}

void RegisterCommands::issueCertificate(const std::optional<certificate::Result> &checked,
                                        const std::function<void(CertificateIssuer &)> &produce)
{
    const RecordHeader values = m_panel->values();
    const QList<limits::Judgement> outside = m_panel->outsideLimits();
    QStringList outsideTexts;
    for (const limits::Judgement &j : outside)
        outsideTexts << j.text();
    certregister::Entry entry =
        certregister::entryFor(m_navigation.shownPath(), values, outsideTexts.join(QStringLiteral("; ")),
                               m_navigation.archiveFolder(),
                               checked ? checked->recordTestingDate : QDate());
    // The record as the check before the certificate read and compared it.
    if (checked)
        entry.recordSha256 = checked->sha256;
    // A PDF of the certificate is signed before it takes its name.
    RegisterIssuer issuer(certificateRegister(), std::move(entry), [this](const certregister::Entry &numbered) {
        return std::make_shared<pdffinish::Scope>(
            certificatesigning::finish(m_window, {numbered.number, numbered.recordSha256, numbered.verdict}));
    });
    // The panel learns of the certificate also when the register failed at
    // the last moment (the error is shown all the same).
    const auto refresh = qScopeGuard([this] {
        showLastIssued();
        if (m_registerDialog && m_registerDialog->isVisible())
            m_registerDialog->refill();
    });
    produce(issuer);
}

void RegisterCommands::showLastIssued()
{
    const QString path = m_navigation.shownPath();
    m_panel->setLastIssued({});
    m_lookupWanted = path;
    if (!path.isEmpty() && !m_lookupRunning && m_begun)
        lookUpLastIssued();
}

void RegisterCommands::lookUpLastIssued()
{
    const QString path = m_lookupWanted;
    const certregister::Settings settings = certificateRegister().settings();
    if (path.isEmpty() || !settings.unusable.isEmpty())
        return;
    m_lookupRunning = true;
    m_lookupSlow->start();
    // A newer request waits for this one and supersedes any before it; the
    // answer is shown only when its record is still the one shown.
    const auto finish = [this, path](const QString &line) {
        m_lookupRunning = false;
        m_lookupSlow->stop();
        if (m_lookupWanted != path)
            lookUpLastIssued();
        else if (m_navigation.shownPath() == path)
            m_panel->setLastIssued(line);
    };
    m_lookups->run<std::optional<certregister::Entry>>(
        settings,
        [path](certregister::Register &reg, const certregister::RegisterJobs::Stop &) {
            return reg.lastFor(filenames::display(QFileInfo(path).fileName()), certregister::sha256OfFile(path));
        },
        [finish](const std::optional<certregister::Entry> &last) {
            finish(last ? tr("Last certificate for this record: %1 of %2, \"%3\".")
                              .arg(last->number, dateTimeText(last->issuedAt), conclusionShown(last->verdict))
                        : QString());
        },
        [finish](const QString &error) { finish(error); });
}

void RegisterCommands::showCertificates()
{
    if (!m_registerDialog) {
        // Never the default register in place of one the settings name.
        const certregister::Settings settings = certregister::loadProgramSettings();
        certregister::requireUsable(settings);
        m_registerDialog = new RegisterDialog(settings, m_window);
        connect(m_registerDialog, &RegisterDialog::recordChosen, this, [this](const QString &fileName) {
            emit m_finder->recordChosen(fileName);
        });
    }
    m_registerDialog->setArchiveFolder(m_navigation.archiveFolder());
    m_registerDialog->showFresh();
}

void RegisterCommands::editSettings()
{
    RegisterSettingsDialog dialog(certregister::loadProgramSettings(), m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The engineer chose this register: no question about the change.
    certregister::storeProgramSettings(dialog.settings());
    m_register.reset();
    delete m_registerDialog;
    m_registerDialog = nullptr;
    showRegisterChange();
    showLastIssued();
}
