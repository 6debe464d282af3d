#pragma once

#include <QByteArray>
#include <QString>

namespace signing {

class SigningKey;

// What a certificate says of itself, written into its PDF's document
// information before it is signed, so that a verifier reads it back.
struct CertificateFacts
{
    QString number;        // "2026-00042"
    QString recordSha256;  // of the record's bytes, hex
    QString verdict;       // "SART PASSED TESTS"
};

// Signs a PDF: the facts go into its document information and an invisible
// signature field is added as an incremental update, its detached CMS
// signature (sub-filter adbe.pkcs7.detached) covering the whole file.
// Returns the signed file's bytes; raises AppError saying why it failed
// (the key's file is named).
QByteArray signPdf(const QByteArray &pdf, const SigningKey &key, const CertificateFacts &facts);

} // namespace signing
