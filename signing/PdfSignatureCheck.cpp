#include "PdfSignatureCheck.h"

#include "AppError.h"
#include "SigningKey.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTimeZone>

#include <openssl/bio.h>
#include <openssl/cms.h>
#include <openssl/err.h>
#include <openssl/x509.h>
#include <openssl/x509_vfy.h>

namespace signing {

Identity identityOf(const X509 *certificate);  // SigningKey.cpp

namespace {

QString opensslReason()
{
    const unsigned long code = ERR_peek_last_error();
    const char *reason = code ? ERR_reason_error_string(code) : nullptr;
    ERR_clear_error();
    return reason ? QString::fromUtf8(reason) : QCoreApplication::translate("PdfSignatureCheck", "unknown reason");
}

// A PDF string at `at` (literal "(...)" or hex "<...>"), decoded: UTF-16
// with its byte order mark, else single bytes as Latin-1.
QString pdfString(const QByteArray &bytes, qsizetype at)
{
    while (at < bytes.size() && QByteArrayView(" \t\r\n").contains(bytes[at]))
        ++at;
    if (at >= bytes.size())
        return {};
    QByteArray raw;
    if (bytes[at] == '<') {
        const qsizetype end = bytes.indexOf('>', at);
        if (end < 0)
            return {};
        QByteArray hex = bytes.mid(at + 1, end - at - 1);
        hex.replace(' ', "").replace('\n', "").replace('\r', "");
        raw = QByteArray::fromHex(hex);
    } else if (bytes[at] == '(') {
        int depth = 1;
        for (qsizetype i = at + 1; i < bytes.size() && depth > 0; ++i) {
            char c = bytes[i];
            if (c == '\\' && i + 1 < bytes.size()) {
                const char e = bytes[++i];
                switch (e) {
                case 'n': raw += '\n'; break;
                case 'r': raw += '\r'; break;
                case 't': raw += '\t'; break;
                case 'b': raw += '\b'; break;
                case 'f': raw += '\f'; break;
                case '\r':
                    if (i + 1 < bytes.size() && bytes[i + 1] == '\n')
                        ++i;
                    break;
                case '\n': break;
                default:
                    if (e >= '0' && e <= '7') {
                        int value = e - '0';
                        for (int k = 0; k < 2 && i + 1 < bytes.size() && bytes[i + 1] >= '0' && bytes[i + 1] <= '7'; ++k)
                            value = value * 8 + (bytes[++i] - '0');
                        raw += char(value);
                    } else {
                        raw += e;
                    }
                }
                continue;
            }
            if (c == '(')
                ++depth;
            else if (c == ')' && --depth == 0)
                break;
            raw += c;
        }
    } else {
        return {};
    }
    if (raw.startsWith("\xfe\xff"))
        return QStringDecoder(QStringDecoder::Utf16BE).decode(raw.mid(2));
    return QString::fromLatin1(raw);
}

QString lastValue(const QByteArray &bytes, const QByteArray &key)
{
    // The name must end there: "/Verdict" is not "/VerdictX".
    const QByteArray name = '/' + key;
    for (qsizetype at = bytes.lastIndexOf(name); at >= 0; at = bytes.lastIndexOf(name, at - 1)) {
        const qsizetype after = at + name.size();
        if (after < bytes.size() && QByteArrayView(" \t\r\n(<").contains(bytes[after]))
            return pdfString(bytes, after);
        if (at == 0)
            break;
    }
    return {};
}

QDateTime signingTime(CMS_SignerInfo *si)
{
    const int at = CMS_signed_get_attr_by_NID(si, NID_pkcs9_signingTime, -1);
    if (at < 0)
        return {};
    X509_ATTRIBUTE *attribute = CMS_signed_get_attr(si, at);
    ASN1_TYPE *value = X509_ATTRIBUTE_get0_type(attribute, 0);
    if (!value || (value->type != V_ASN1_UTCTIME && value->type != V_ASN1_GENERALIZEDTIME))
        return {};
    struct tm t = {};
    if (ASN1_TIME_to_tm(reinterpret_cast<const ASN1_TIME *>(value->value.asn1_string), &t) != 1)
        return {};
    return QDateTime(QDate(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday), QTime(t.tm_hour, t.tm_min, t.tm_sec),
                     Qt::UTC);
}

} // namespace

CertificateFacts factsIn(const QByteArray &pdf)
{
    return {lastValue(pdf, "CertificateNumber"), lastValue(pdf, "RecordSHA256"), lastValue(pdf, "Verdict")};
}

SignatureCheck checkSignature(const QByteArray &pdf, const QString &caFile)
{
    SignatureCheck check;
    check.fileSize = pdf.size();
    check.isPdf = pdf.startsWith("%PDF");
    check.lastFacts = factsIn(pdf);

    // The last signature's byte range: [0 a b c], the signature between a and b.
    static const QRegularExpression rangePattern(
        QStringLiteral("/ByteRange\\s*\\[\\s*(\\d+)\\s+(\\d+)\\s+(\\d+)\\s+(\\d+)\\s*\\]"));
    const QString latin = QString::fromLatin1(pdf);
    QRegularExpressionMatch match;
    for (auto it = rangePattern.globalMatch(latin); it.hasNext();)
        match = it.next();
    if (!match.hasMatch())
        return check;
    check.signedAtAll = true;
    const qint64 start = match.captured(1).toLongLong(), first = match.captured(2).toLongLong(),
                 second = match.captured(3).toLongLong(), length = match.captured(4).toLongLong();
    check.signedSize = second + length;
    check.coversWholeFile = check.signedSize == check.fileSize;
    if (start != 0 || first < 2 || second <= first || check.signedSize > check.fileSize) {
        check.integrityProblem = check.signedSize > check.fileSize
            ? QCoreApplication::translate(
                "PdfSignatureCheck", "the file is %1 bytes long but the signature covers %2 bytes: it was cut short")
                  .arg(check.fileSize)
                  .arg(check.signedSize)
            : QCoreApplication::translate(
                "PdfSignatureCheck", "the signature's byte range [%1 %2 %3 %4] is not one a signature leaves")
                  .arg(start)
                  .arg(first)
                  .arg(second)
                  .arg(length);
        return check;
    }
    const QByteArray gap = pdf.mid(first, second - first);
    static const QRegularExpression hexOnly(QStringLiteral("^<[0-9A-Fa-f\\s]*>$"));
    if (!hexOnly.match(QString::fromLatin1(gap)).hasMatch()) {
        check.integrityProblem = QCoreApplication::translate(
            "PdfSignatureCheck", "the bytes the signature leaves out are not only the signature");
        return check;
    }
    check.rangeValid = true;
    const QByteArray signedBytes = pdf.left(first) + pdf.mid(second, length);
    check.signedFacts = factsIn(pdf.left(first));

    const QByteArray der = QByteArray::fromHex(gap.mid(1, gap.size() - 2));
    const unsigned char *p = reinterpret_cast<const unsigned char *>(der.constData());
    CMS_ContentInfo *cms = d2i_CMS_ContentInfo(nullptr, &p, der.size());
    if (!cms) {
        check.integrityProblem = QCoreApplication::translate("PdfSignatureCheck", "the signature cannot be read (%1)")
                                     .arg(opensslReason());
        return check;
    }
    const auto content = [&] { return BIO_new_mem_buf(signedBytes.constData(), int(signedBytes.size())); };

    BIO *in = content();
    check.intact = CMS_verify(cms, nullptr, nullptr, in, nullptr, CMS_BINARY | CMS_NO_SIGNER_CERT_VERIFY) == 1;
    BIO_free(in);
    if (!check.intact) {
        const QString reason = opensslReason();
        check.integrityProblem = reason.contains(QStringLiteral("content verify"))
            ? QCoreApplication::translate(
                "PdfSignatureCheck", "the signed bytes were changed after signing (digest mismatch)")
            : QCoreApplication::translate("PdfSignatureCheck", "the signature does not verify (%1)").arg(reason);
    }

    STACK_OF(CMS_SignerInfo) *infos = CMS_get0_SignerInfos(cms);
    if (infos && sk_CMS_SignerInfo_num(infos) > 0) {
        CMS_SignerInfo *si = sk_CMS_SignerInfo_value(infos, 0);
        check.signedAt = signingTime(si);
        STACK_OF(X509) *certs = CMS_get1_certs(cms);
        for (int i = 0; certs && i < sk_X509_num(certs); ++i) {
            X509 *certificate = sk_X509_value(certs, i);
            if (CMS_SignerInfo_cert_cmp(si, certificate) == 0) {
                const Identity id = identityOf(certificate);
                check.signer = id.subject;
                check.signerName = id.commonName;
                check.issuer = id.issuer;
                check.signerNotBefore = id.notBefore;
                check.signerNotAfter = id.notAfter;
                break;
            }
        }
        sk_X509_pop_free(certs, X509_free);
    }

    if (!caFile.isEmpty()) {
        if (!QFileInfo(caFile).isFile())
            errors::throwFile(caFile, QCoreApplication::translate("PdfSignatureCheck", "no such CA certificate file"));
        X509_STORE *store = X509_STORE_new();
        if (X509_STORE_load_file(store, QFile::encodeName(caFile).constData()) != 1) {
            X509_STORE_free(store);
            CMS_ContentInfo_free(cms);
            errors::throwFile(caFile,
                QCoreApplication::translate("PdfSignatureCheck", "not a CA certificate file in PEM (%1)")
                    .arg(opensslReason()));
        }
        X509_STORE_set_purpose(store, X509_PURPOSE_ANY);
        // The signer's certificate as it was when the certificate was signed.
        if (check.signedAt.isValid())
            X509_VERIFY_PARAM_set_time(X509_STORE_get0_param(store), time_t(check.signedAt.toSecsSinceEpoch()));
        in = content();
        check.caChecked = true;
        // The chain alone: whether the bytes are intact is the finding above.
        check.chainsToCa = CMS_verify(cms, nullptr, store, in, nullptr, CMS_BINARY | CMS_NO_CONTENT_VERIFY) == 1;
        BIO_free(in);
        if (!check.chainsToCa)
            check.chainProblem = opensslReason();
        X509_STORE_free(store);
    }
    CMS_ContentInfo_free(cms);
    ERR_clear_error();
    return check;
}

} // namespace signing
