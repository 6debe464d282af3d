#pragma once

#include "PdfSigner.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

// Reads a signed PDF certificate back: its signature, what it covers and
// whether it is intact, who signed and when, whether the signer chains to a
// CA the user names, and the certificate's facts as its metadata gives them.
// The signature is found by its byte range: the gap the range leaves must be
// the signature itself, so a file changed anywhere else is found out by the
// digest, and one added to or cut by the digest or the range.
namespace signing {

struct SignatureCheck
{
    bool isPdf = false;
    bool signedAtAll = false;     // a signature dictionary with a byte range
    bool rangeValid = false;      // the range lies within the file and leaves only the signature out
    bool coversWholeFile = false; // the range ends where the file ends
    qint64 fileSize = 0;
    qint64 signedSize = 0;        // where the signed bytes end
    bool intact = false;          // the digest of the signed bytes matches
    QString integrityProblem;     // why not, in words
    QString signer;               // the signer certificate's subject
    QString signerName;           // its common name
    QString issuer;
    QDateTime signedAt;           // the signing time the signature carries (UTC)
    QDateTime signerNotBefore, signerNotAfter;
    // The chain to the CA file, when one was given.
    bool caChecked = false;
    bool chainsToCa = false;
    QString chainProblem;
    // The facts in the signed part, and in the file as a whole (an update
    // after the signature may give others).
    CertificateFacts signedFacts;
    CertificateFacts lastFacts;
};

// Checks the PDF's bytes; `caFile` (PEM, may be empty) is the CA the signer
// should chain to. Never raises for what the bytes hold; a CA file that
// cannot be read raises AppError naming it.
SignatureCheck checkSignature(const QByteArray &pdf, const QString &caFile = {});

// The facts as the document information of these bytes gives them (the last
// of each key).
CertificateFacts factsIn(const QByteArray &pdf);

} // namespace signing
