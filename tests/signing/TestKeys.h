#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Keys made for a test with the openssl tool in a temporary folder: a CA, a
// signer it certified (valid now), an expired signer, a signer valid only
// from next year, and a signer certified by another CA. Each signer's key
// and certificate are in a PKCS#12 file under the password Password.
class TestKeys
{
public:
    TestKeys();
    bool ok() const { return m_error.isEmpty(); }
    const QString &error() const { return m_error; }

    static inline const QString Password = QStringLiteral("test-password");

    QString caPem() const { return path(QStringLiteral("ca.pem")); }
    QString otherCaPem() const { return path(QStringLiteral("other-ca.pem")); }
    QString signerP12() const { return path(QStringLiteral("signer.p12")); }
    QString expiredP12() const { return path(QStringLiteral("expired.p12")); }
    QString futureP12() const { return path(QStringLiteral("future.p12")); }
    QString strangerP12() const { return path(QStringLiteral("stranger.p12")); }
    QString path(const QString &name) const { return m_dir.filePath(name); }

    // Runs openssl with the arguments in the keys' folder; false and the
    // error set when it fails.
    bool openssl(const QStringList &arguments);

private:
    bool makeCa(const QString &name, const QString &subject);
    bool makeSigner(const QString &name, const QString &subject, const QString &ca, const QString &from,
                    const QString &until);

    QTemporaryDir m_dir;
    QString m_error;
};
