#pragma once

#include "AppError.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <memory>

// A key and certificate to sign certificates with, read from a PKCS#12 file
// (the service centre's or the engineer's). Held in memory only.
namespace signing {

// Who a certificate names and when it is valid.
struct Identity
{
    QString subject;  // "CN=..., O=..." as one line
    QString commonName;
    QString issuer;
    QDateTime notBefore, notAfter;  // UTC
};

// The key file cannot be opened with the password given: another password
// may open it.
class PasswordRefused : public FileError {
public:
    using FileError::FileError;
};

// Whether the error is a password the key file refused.
inline bool isPasswordRefused(const AppError &e) { return dynamic_cast<const PasswordRefused *>(&e) != nullptr; }

class SigningKey
{
public:
    // Reads the key, its certificate and any chain certificates from the
    // PKCS#12 file; raises AppError naming the file and saying why (no such
    // file, wrong password, no key in it).
    static SigningKey load(const QString &p12Path, const QString &password);

    const Identity &identity() const;
    const QString &path() const;
    // Raises AppError when the certificate is not valid at the moment given
    // (expired or not yet valid), naming the file and the dates.
    void requireValidAt(const QDateTime &when) const;

    // The detached CMS signature (DER) of the bytes, with the signer's
    // certificate and chain in it.
    QByteArray signDetached(const QByteArray &data) const;

    struct Parts;

private:
    std::shared_ptr<const Parts> m_parts;
};

// "12 Mar 2026 10:04 UTC"
QString dateText(const QDateTime &utc);

} // namespace signing
