#include "SigningKey.h"

#include "AppError.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTimeZone>

#include <openssl/bio.h>
#include <openssl/cms.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pkcs12.h>
#include <openssl/x509.h>

namespace signing {

struct SigningKey::Parts
{
    EVP_PKEY *key = nullptr;
    X509 *certificate = nullptr;
    STACK_OF(X509) *chain = nullptr;
    Identity identity;
    QString path;

    ~Parts()
    {
        EVP_PKEY_free(key);
        X509_free(certificate);
        sk_X509_pop_free(chain, X509_free);
    }
};

namespace {

QString opensslReason()
{
    const unsigned long code = ERR_peek_last_error();
    char text[256] = {};
    if (code)
        ERR_error_string_n(code, text, sizeof text);
    ERR_clear_error();
    return code ? QString::fromUtf8(ERR_reason_error_string(code) ? ERR_reason_error_string(code) : text) : QString();
}

QString nameText(const X509_NAME *name)
{
    BIO *bio = BIO_new(BIO_s_mem());
    X509_NAME_print_ex(bio, name, 0, XN_FLAG_RFC2253 & ~ASN1_STRFLGS_ESC_MSB);
    char *data = nullptr;
    const long size = BIO_get_mem_data(bio, &data);
    QString text = QString::fromUtf8(data, int(size));
    BIO_free(bio);
    return text;
}

QDateTime timeOf(const ASN1_TIME *time)
{
    struct tm t = {};
    if (!time || ASN1_TIME_to_tm(time, &t) != 1)
        return {};
    return QDateTime(QDate(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday), QTime(t.tm_hour, t.tm_min, t.tm_sec),
                     Qt::UTC);
}

} // namespace

// Also used by PdfSignatureCheck.cpp for the signer's certificate found in a
// signature (declared there, to keep OpenSSL's types out of the headers).
Identity identityOf(const X509 *certificate);

Identity identityOf(const X509 *certificate)
{
    Identity id;
    const X509_NAME *subject = X509_get_subject_name(certificate);
    id.subject = nameText(subject);
    id.issuer = nameText(X509_get_issuer_name(certificate));
    const int at = X509_NAME_get_index_by_NID(subject, NID_commonName, -1);
    if (at >= 0) {
        unsigned char *utf8 = nullptr;
        const int size = ASN1_STRING_to_UTF8(&utf8, X509_NAME_ENTRY_get_data(X509_NAME_get_entry(subject, at)));
        if (size >= 0)
            id.commonName = QString::fromUtf8(reinterpret_cast<const char *>(utf8), size);
        OPENSSL_free(utf8);
    }
    if (id.commonName.isEmpty())
        id.commonName = id.subject;
    id.notBefore = timeOf(X509_get0_notBefore(certificate));
    id.notAfter = timeOf(X509_get0_notAfter(certificate));
    return id;
}

QString dateText(const QDateTime &utc)
{
    return utc.toUTC().toString(QStringLiteral("d MMM yyyy HH:mm 'UTC'"));
}

SigningKey SigningKey::load(const QString &p12Path, const QString &password)
{
    QFile file(p12Path);
    if (!QFileInfo(p12Path).isFile())
        errors::throwFile(p12Path, QCoreApplication::translate("SigningKey", "no such key file (PKCS#12)"));
    if (!file.open(QIODevice::ReadOnly))
        errors::throwFile(p12Path, file.errorString());
    const QByteArray bytes = file.read(1 << 20);

    const unsigned char *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    PKCS12 *p12 = d2i_PKCS12(nullptr, &p, bytes.size());
    if (!p12)
        errors::throwFile(
            p12Path, QCoreApplication::translate("SigningKey", "not a PKCS#12 key file (%1)").arg(opensslReason()));
    auto parts = std::make_shared<Parts>();
    parts->path = p12Path;
    const QByteArray pass = password.toUtf8();
    const int parsed = PKCS12_parse(p12, pass.constData(), &parts->key, &parts->certificate, &parts->chain);
    PKCS12_free(p12);
    if (parsed != 1) {
        const QString reason = opensslReason();
        throw PasswordRefused(p12Path,
            reason.contains(QStringLiteral("mac verify"))
                ? QCoreApplication::translate("SigningKey", "wrong password (%1)").arg(reason)
                : QCoreApplication::translate("SigningKey", "cannot be read with this password (%1)").arg(reason));
    }
    if (!parts->key || !parts->certificate)
        errors::throwFile(
            p12Path, QCoreApplication::translate("SigningKey", "holds no private key with its certificate"));
    if (X509_check_private_key(parts->certificate, parts->key) != 1)
        errors::throwFile(
            p12Path, QCoreApplication::translate("SigningKey", "its private key does not belong to its certificate"));
    parts->identity = identityOf(parts->certificate);
    ERR_clear_error();
    SigningKey key;
    key.m_parts = std::move(parts);
    return key;
}

const Identity &SigningKey::identity() const { return m_parts->identity; }
const QString &SigningKey::path() const { return m_parts->path; }

void SigningKey::requireValidAt(const QDateTime &when) const
{
    const Identity &id = identity();
    if (id.notAfter.isValid() && when > id.notAfter)
        errors::throwFile(path(),
            QCoreApplication::translate("SigningKey", "the certificate of %1 expired on %2: sign with a valid one")
                .arg(id.commonName, dateText(id.notAfter)));
    if (id.notBefore.isValid() && when < id.notBefore)
        errors::throwFile(path(),
            QCoreApplication::translate("SigningKey", "the certificate of %1 is valid only from %2")
                .arg(id.commonName, dateText(id.notBefore)));
}

QByteArray SigningKey::signDetached(const QByteArray &data) const
{
    BIO *in = BIO_new_mem_buf(data.constData(), int(data.size()));
    CMS_ContentInfo *cms = CMS_sign(m_parts->certificate, m_parts->key, m_parts->chain, in,
                                    CMS_DETACHED | CMS_BINARY);
    BIO_free(in);
    if (!cms)
        errors::throwFile(path(),
            QCoreApplication::translate("SigningKey", "the signature could not be made (%1)").arg(opensslReason()));
    QByteArray der;
    const int size = i2d_CMS_ContentInfo(cms, nullptr);
    if (size > 0) {
        der.resize(size);
        unsigned char *out = reinterpret_cast<unsigned char *>(der.data());
        i2d_CMS_ContentInfo(cms, &out);
    }
    CMS_ContentInfo_free(cms);
    if (der.isEmpty())
        errors::throwFile(path(),
            QCoreApplication::translate("SigningKey", "the signature could not be written (%1)").arg(opensslReason()));
    return der;
}

} // namespace signing
