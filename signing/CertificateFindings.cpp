#include "CertificateFindings.h"

#include "AppError.h"
#include "CertificateEntry.h"
#include "CertificateRegister.h"
#include "PdfSignatureCheck.h"
#include "SigningKey.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace signing {

bool Findings::allHold() const
{
    for (const Finding &f : lines)
        if (f.kind == Finding::Fails)
            return false;
    return !lines.isEmpty();
}

QStringList Findings::texts() const
{
    QStringList texts;
    for (const Finding &f : lines)
        texts << (f.kind == Finding::Holds          ? QCoreApplication::translate("CertificateFindings", "OK: ")
                         : f.kind == Finding::Fails ? QCoreApplication::translate("CertificateFindings", "PROBLEM: ")
                                                    : QCoreApplication::translate("CertificateFindings", "NOTE: "))
                + f.text;
    return texts;
}

namespace {

class Collector
{
public:
    explicit Collector(Findings &findings) : m_findings(findings) {}
    void holds(const QString &text) { m_findings.lines.append({Finding::Holds, text}); }
    void fails(const QString &text) { m_findings.lines.append({Finding::Fails, text}); }
    void note(const QString &text) { m_findings.lines.append({Finding::Note, text}); }
    void check(bool ok, const QString &holdsText, const QString &failsText) { ok ? holds(holdsText) : fails(failsText); }

private:
    Findings &m_findings;
};

QString localDate(const QDateTime &utc)
{
    return utc.toLocalTime().date().toString(QStringLiteral("d MMM yyyy"));
}

void checkSignaturePart(Collector &c, const SignatureCheck &s, const QString &caFile)
{
    if (!s.signedAtAll) {
        c.fails(QCoreApplication::translate(
            "CertificateFindings", "The certificate is not signed: nothing in the file shows whether it was changed."));
        return;
    }
    if (!s.rangeValid) {
        c.fails(QCoreApplication::translate("CertificateFindings", "The signature cannot be checked: %1.")
                    .arg(s.integrityProblem));
        return;
    }
    c.check(s.intact,
        QCoreApplication::translate(
            "CertificateFindings", "The signature is intact: the signed bytes are as they were signed."),
        QCoreApplication::translate("CertificateFindings", "The signature is broken: %1.").arg(s.integrityProblem));
    c.check(s.coversWholeFile,
        QCoreApplication::translate("CertificateFindings", "The signature covers the whole file (%1 bytes).")
            .arg(s.fileSize),
        QCoreApplication::translate("CertificateFindings",
            "The signature covers only the first %1 of the file's %2 bytes: something was added "
            "after it was signed.")
            .arg(s.signedSize)
            .arg(s.fileSize));
    if (!s.coversWholeFile && s.lastFacts.number != s.signedFacts.number)
        c.fails(QCoreApplication::translate(
            "CertificateFindings", "What was added gives the certificate the number %1 in place of the signed %2.")
                    .arg(s.lastFacts.number, s.signedFacts.number));
    if (!s.signer.isEmpty()) {
        c.holds(QCoreApplication::translate("CertificateFindings", "Signed by %1 (certificate issued by %2) on %3.")
                    .arg(s.signer, s.issuer,
                        s.signedAt.isValid() ? dateText(s.signedAt)
                                             : QCoreApplication::translate("CertificateFindings", "an unknown date")));
        if (s.signedAt.isValid() && (s.signedAt < s.signerNotBefore || s.signedAt > s.signerNotAfter))
            c.fails(QCoreApplication::translate("CertificateFindings",
                "The signer's certificate was not valid when it signed (valid from %1 until %2).")
                        .arg(dateText(s.signerNotBefore), dateText(s.signerNotAfter)));
    } else {
        c.fails(QCoreApplication::translate("CertificateFindings", "The signature names no signer's certificate."));
    }
    if (caFile.isEmpty())
        c.note(QCoreApplication::translate("CertificateFindings",
            "No CA file is named: whether the signer's certificate comes from your CA was not "
            "checked (Settings > Certificate signing; --ca on the command line)."));
    else
        c.check(s.chainsToCa,
            QCoreApplication::translate("CertificateFindings", "The signer's certificate chains to the CA in %1.")
                .arg(caFile),
            QCoreApplication::translate(
                "CertificateFindings", "The signer's certificate does not chain to the CA in %1 (%2).")
                .arg(caFile, s.chainProblem));
}

void checkRegisterPart(Collector &c, const SignatureCheck &s, const QString &fileSha256, const CheckPlace &place)
{
    const CertificateFacts &facts = s.rangeValid ? s.signedFacts : s.lastFacts;
    if (facts.number.isEmpty()) {
        c.fails(QCoreApplication::translate("CertificateFindings",
            "The certificate carries no number in its metadata: it cannot be looked up in the register."));
        return;
    }
    const QString where = certregister::describe(place.register_);
    if (!place.register_.unusable.isEmpty()) {
        c.fails(place.register_.unusable);
        return;
    }
    if (place.register_.engine == certregister::Engine::SQLite && !QFileInfo::exists(where)) {
        c.fails(QCoreApplication::translate(
            "CertificateFindings", "The register of certificates %1 does not exist: the number %2 cannot be looked up.")
                    .arg(where, facts.number));
        return;
    }
    certregister::Entry entry;
    try {
        certregister::Register reg(place.register_);
        const QVector<certregister::Entry> found = reg.entries({facts.number});
        if (found.isEmpty() || found.constFirst().number != facts.number) {
            c.fails(QCoreApplication::translate(
                "CertificateFindings", "The number %1 is not in the register of certificates %2.")
                        .arg(facts.number, where));
            return;
        }
        entry = found.constFirst();
    } catch (const AppError &e) {
        c.fails(e.text());
        return;
    }
    c.holds(QCoreApplication::translate(
        "CertificateFindings", "The number %1 is in the register %2: issued %3 for the record %4.")
                .arg(entry.number, where, localDate(entry.issuedAt), entry.recordFile));
    c.check(entry.recordSha256.compare(facts.recordSha256, Qt::CaseInsensitive) == 0,
        QCoreApplication::translate("CertificateFindings", "The record's SHA-256 is the one the register keeps."),
        QCoreApplication::translate(
            "CertificateFindings", "The record's SHA-256 differs: the certificate says %1, the register %2.")
            .arg(facts.recordSha256.isEmpty() ? QCoreApplication::translate("CertificateFindings", "none")
                                              : facts.recordSha256,
                entry.recordSha256));
    c.check(entry.verdict == facts.verdict,
        QCoreApplication::translate("CertificateFindings", "The verdict \"%1\" is the one the register keeps.")
            .arg(entry.verdict),
        QCoreApplication::translate(
            "CertificateFindings", "The verdict differs: the certificate says \"%1\", the register \"%2\".")
            .arg(facts.verdict, entry.verdict));

    const certregister::Output *issued = nullptr;
    QStringList pdfDates;
    for (const certregister::Output &o : entry.outputs) {
        if (o.fileSha256.compare(fileSha256, Qt::CaseInsensitive) == 0 && !fileSha256.isEmpty())
            issued = &o;
        else if (o.how.startsWith(QStringLiteral("PDF")))
            pdfDates << localDate(o.issuedAt);
    }
    if (issued) {
        c.holds(QCoreApplication::translate(
            "CertificateFindings", "This file is the PDF the register issued under %1 on %2.")
                    .arg(entry.number, localDate(issued->issuedAt)));
        if (s.signedAt.isValid())
            c.check(s.signedAt.toLocalTime().date() == issued->issuedAt.toLocalTime().date(),
                QCoreApplication::translate("CertificateFindings", "It was signed on the day it was issued."),
                QCoreApplication::translate("CertificateFindings", "It was signed on %1, but issued on %2.")
                    .arg(localDate(s.signedAt), localDate(issued->issuedAt)));
    } else {
        c.fails(pdfDates.isEmpty() ? QCoreApplication::translate(
                    "CertificateFindings", "The register issued no PDF file under %1: this file is not one it issued.")
                                         .arg(entry.number)
                                   : QCoreApplication::translate("CertificateFindings",
                                       "This file is not the PDF the register issued under %1 (on %2): its SHA-256 "
                                       "%3 is not the one kept.")
                                         .arg(entry.number, pdfDates.join(QStringLiteral(", ")), fileSha256));
    }

    QString name = entry.recordName.isEmpty() ? QFileInfo(entry.recordPath).fileName() : entry.recordName;
    const QString recordPath = QDir(place.archiveFolder).filePath(name);
    const QString now = certregister::sha256OfFile(recordPath);
    if (place.archiveFolder.isEmpty())
        c.note(
            QCoreApplication::translate("CertificateFindings", "No archive folder: the record %1 was not looked for.")
                .arg(name));
    else if (now.isEmpty())
        c.fails(QCoreApplication::translate("CertificateFindings", "The record %1 is not in the archive %2.")
                    .arg(name, place.archiveFolder));
    else
        c.check(now == entry.recordSha256,
            QCoreApplication::translate("CertificateFindings", "The record %1 is in the archive unchanged.")
                .arg(QDir::toNativeSeparators(recordPath)),
            QCoreApplication::translate("CertificateFindings",
                "The record %1 changed since the certificate was issued (its SHA-256 is now %2).")
                .arg(QDir::toNativeSeparators(recordPath), now));
}

} // namespace

Findings checkCertificateFile(const QString &pdfPath, const CheckPlace &place)
{
    Findings findings;
    Collector c(findings);
    QFile file(pdfPath);
    if (!QFileInfo(pdfPath).isFile() || !file.open(QIODevice::ReadOnly)) {
        c.fails(errors::fileText(pdfPath, QFileInfo::exists(pdfPath) ? file.errorString() : errors::FileNotFound));
        return findings;
    }
    const QByteArray bytes = file.readAll();
    const SignatureCheck s = [&] {
        try {
            return checkSignature(bytes, place.caFile);
        } catch (const AppError &e) {
            c.fails(e.text());
            return checkSignature(bytes);
        }
    }();
    if (!s.isPdf) {
        c.fails(QCoreApplication::translate("CertificateFindings", "%1 is not a PDF file.")
                    .arg(QDir::toNativeSeparators(pdfPath)));
        return findings;
    }
    checkSignaturePart(c, s, place.caFile);
    checkRegisterPart(c, s, certregister::sha256Of(bytes), place);
    return findings;
}

} // namespace signing
