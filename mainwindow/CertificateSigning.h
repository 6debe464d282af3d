#pragma once

#include "PdfFinish.h"
#include "PdfSigner.h"

#include <QString>

#include <functional>
#include <optional>

class QMenu;
class QWidget;
namespace signing {
class SigningKey;
}

// Signed certificates in the main window: the last step of every PDF
// certificate when signing is set up, the password asked once a run, the
// Settings > Certificate signing dialog and the Archive > Check command.
namespace certificatesigning {

// What finishes the PDF of the certificate with these facts: its signature,
// and the "Signed by" line when the settings ask for it; nothing when
// signing is not set up. Asks for the key's password when this run has none
// yet; raises AppError (the certificate is then not made) when the engineer
// gives none or the key cannot sign (gone, expired, wrong password).
pdffinish::Finish finish(QWidget *parent, const signing::CertificateFacts &facts);

// The key read with the password of this run, asking for it until it
// opens the file or the engineer stops (empty optional then). `why` is shown
// above the question.
std::optional<signing::SigningKey> askKey(QWidget *parent, const QString &keyFile, const QString &why);

// Adds "Check a certificate..." to the Archive menu and "Certificate
// signing..." to the Settings menu of the window; `archiveFolder` gives the
// archive the check looks for records in.
void addCommands(QWidget *window, const std::function<QString()> &archiveFolder);

} // namespace certificatesigning
