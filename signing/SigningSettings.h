#pragma once

#include "SigningKey.h"

#include <QString>

#include <optional>

// Whether and with what key certificates are signed, kept in the program's
// settings file (group "Signing"); the key's password is never written
// anywhere: it is held in memory for the program's run once given.
namespace signing {

struct Settings
{
    QString keyFile;           // the PKCS#12 file; empty: certificates are not signed
    QString caFile;            // the CA (PEM) a certificate's signer is checked against; empty: none
    bool visibleLine = false;  // "Signed by <subject>, <date>" drawn on the page

    bool enabled() const { return !keyFile.isEmpty(); }
    bool operator==(const Settings &) const = default;
};

Settings loadSettings();
// Raises AppError naming the settings file when it cannot be written.
void storeSettings(const Settings &settings);

// The password given for the key file during this run (none yet: empty
// optional). Forgotten when another key file is set.
std::optional<QString> rememberedPassword(const QString &keyFile);
void rememberPassword(const QString &keyFile, const QString &password);
void forgetPassword();

// The key to sign with now: read afresh from the key file with the password
// remembered (so a key file gone or replaced is found out), and valid now.
// Raises AppError naming the key file and why.
SigningKey keyForSigning(const Settings &settings, const QString &password);

// "Signed by <common name>, <date>" for the page.
QString signedByLine(const Identity &identity, const QDate &date);

} // namespace signing
