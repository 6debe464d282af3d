#include "CertificateSigning.h"

#include "AppError.h"
#include "CertificateCheckDialog.h"
#include "ErrorBox.h"
#include "SigningKey.h"
#include "SigningSettings.h"
#include "SigningSettingsDialog.h"

#include <QAction>
#include <QCoreApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>

namespace certificatesigning {


std::optional<signing::SigningKey> askKey(QWidget *parent, const QString &keyFile, const QString &why)
{
    if (const auto password = signing::rememberedPassword(keyFile)) {
        try {
            return signing::SigningKey::load(keyFile, *password);
        } catch (const AppError &e) {
            // A file gone or not a key file says so; a file replaced by one
            // with another password has it asked again.
            if (!signing::isPasswordRefused(e))
                throw;
            signing::forgetPassword();
        }
    }
    QString problem;
    for (;;) {
        QInputDialog ask(parent);
        ask.setObjectName(QStringLiteral("SigningPassword"));
        ask.setWindowTitle(programTitle());
        const QString password =
            QCoreApplication::translate("CertificateSigning",
                                        "Password of the key file %1 (kept in memory until the program ends):")
                .arg(keyFile);
        ask.setLabelText((problem.isEmpty() ? why : problem + QStringLiteral("\n\n") + why)
                         + QStringLiteral("\n\n") + password);
        ask.setTextEchoMode(QLineEdit::Password);
        if (ask.exec() != QDialog::Accepted)
            return std::nullopt;
        try {
            signing::SigningKey key = signing::SigningKey::load(keyFile, ask.textValue());
            signing::rememberPassword(keyFile, ask.textValue());
            return key;
        } catch (const AppError &e) {
            problem = e.text();
            // No such file, not a key file: asking again cannot help.
            if (!signing::isPasswordRefused(e))
                throw;
        }
    }
}

pdffinish::Finish finish(QWidget *parent, const signing::CertificateFacts &facts)
{
    const signing::Settings settings = signing::loadSettings();
    if (!settings.enabled())
        return {};
    // The key is read once for the certificate: for the line on the page
    // (painted first) and for the signature.
    auto key = std::make_shared<std::optional<signing::SigningKey>>();
    const auto signingKey = [parent, facts, settings, key]() -> const signing::SigningKey & {
        if (!*key) {
            try {
                *key = askKey(parent, settings.keyFile,
                              QCoreApplication::translate("CertificateSigning",
                                                          "The certificate %1 is signed before it is saved.")
                                  .arg(facts.number));
                if (*key)
                    (*key)->requireValidAt(QDateTime::currentDateTimeUtc());
            } catch (const AppError &e) {
                key->reset();
                errors::throwText(QCoreApplication::translate("CertificateSigning",
                                                              "The certificate %1 was not saved: it could not be "
                                                              "signed. %2")
                                      .arg(facts.number, e.text()));
            }
            if (!*key)
                errors::throwText(QCoreApplication::translate("CertificateSigning",
                                                              "The certificate %1 was not saved: it is signed with "
                                                              "the key file %2 (Settings > Certificate signing), "
                                                              "and no password was given.")
                                      .arg(facts.number, settings.keyFile));
        }
        return **key;
    };
    pdffinish::Finish finish;
    finish.step = [signingKey, facts](const QByteArray &pdf) {
        const signing::SigningKey &key = signingKey();
        try {
            return signing::signPdf(pdf, key, facts);
        } catch (const AppError &e) {
            errors::throwText(QCoreApplication::translate("CertificateSigning",
                                                          "The certificate %1 was not saved: it could not be "
                                                          "signed. %2")
                                  .arg(facts.number, e.text()));
        }
    };
    if (settings.visibleLine)
        finish.pageLine = [signingKey] {
            return signing::signedByLine(signingKey().identity(), QDate::currentDate());
        };
    return finish;
}

void addCommands(QWidget *window, const std::function<QString()> &archiveFolder)
{
    auto *archive = window->findChild<QMenu *>(QStringLiteral("Archive1"));
    auto *settings = window->findChild<QMenu *>(QStringLiteral("Settings1"));
    if (archive) {
        QAction *check = archive->addAction(
            QCoreApplication::translate("CertificateSigning", "Chec&k a certificate..."));
        check->setObjectName(QStringLiteral("CheckCertificate1"));
        check->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
        QObject::connect(check, &QAction::triggered, window, [window, archiveFolder] {
            guarded(window, [&] { CertificateCheckDialog::chooseAndCheck(window, archiveFolder()); });
        });
    }
    if (settings) {
        QAction *setUp = settings->addAction(
            QCoreApplication::translate("CertificateSigning", "Certificate &signing..."));
        setUp->setObjectName(QStringLiteral("Signing1"));
        QObject::connect(setUp, &QAction::triggered, window, [window] {
            guarded(window, [&] {
                SigningSettingsDialog dialog(signing::loadSettings(), window);
                if (dialog.exec() == QDialog::Accepted)
                    signing::storeSettings(dialog.settings());
            });
        });
    }
}

} // namespace certificatesigning
