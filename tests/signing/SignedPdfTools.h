#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// What the tests of signed certificates do to and with a PDF: external
// verifiers (pdfsig, openssl cms) and the ways a signed file is tampered with.
namespace signedpdf {

struct Run
{
    int exitCode = -1;
    QString output;  // stdout and stderr
};
Run run(const QString &program, const QStringList &arguments, const QString &workingFolder = {});

// pdfsig -nocert on the file.
Run pdfsig(const QString &path);
// "openssl cms -verify" of the file's last signature against the CA file,
// the signed byte ranges given as the content.
Run cmsVerify(const QByteArray &pdf, const QString &caPem, const QString &workFolder);

// A one-page PDF as the program's PDF writer makes it.
QByteArray qtPdf(const QString &title);

// One byte of the first occurrence of `what` changed to `to`.
QByteArray changedByte(QByteArray pdf, const QByteArray &what, char to);
// An incremental update appended after the signature: a new document
// information giving the certificate another number.
QByteArray withAppendedUpdate(const QByteArray &pdf, const QString &otherNumber);

} // namespace signedpdf
