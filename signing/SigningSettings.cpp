#include "SigningSettings.h"

#include "AppError.h"
#include "ProgramSettings.h"

#include <QCoreApplication>
#include <QDate>

namespace signing {

namespace {

const QString KeyFileKey = QStringLiteral("Signing/keyFile");
const QString CaFileKey = QStringLiteral("Signing/caFile");
const QString VisibleLineKey = QStringLiteral("Signing/visibleLine");

struct Remembered
{
    QString keyFile;
    QString password;
};
std::optional<Remembered> remembered;

} // namespace

Settings loadSettings()
{
    const ProgramSettings file;
    Settings s;
    s.keyFile = file.value(KeyFileKey).toString();
    s.caFile = file.value(CaFileKey).toString();
    s.visibleLine = file.value(VisibleLineKey, false).toBool();
    return s;
}

void storeSettings(const Settings &s)
{
    ProgramSettings file;
    file.setValue(KeyFileKey, s.keyFile);
    file.setValue(CaFileKey, s.caFile);
    file.setValue(VisibleLineKey, s.visibleLine);
    file.sync();
    if (file.status() != QSettings::NoError)
        errors::throwFile(ProgramSettings::filePath(),
            QCoreApplication::translate("SigningSettings", "the signing settings could not be saved"));
    if (remembered && remembered->keyFile != s.keyFile)
        forgetPassword();
}

std::optional<QString> rememberedPassword(const QString &keyFile)
{
    if (remembered && remembered->keyFile == keyFile)
        return remembered->password;
    return std::nullopt;
}

void rememberPassword(const QString &keyFile, const QString &password)
{
    remembered = Remembered{keyFile, password};
}

void forgetPassword()
{
    if (remembered)
        remembered->password.fill(u'\0');
    remembered.reset();
}

SigningKey keyForSigning(const Settings &settings, const QString &password)
{
    SigningKey key = SigningKey::load(settings.keyFile, password);
    key.requireValidAt(QDateTime::currentDateTimeUtc());
    return key;
}

QString signedByLine(const Identity &identity, const QDate &date)
{
    return QStringLiteral("Signed by %1, %2").arg(identity.commonName, date.toString(QStringLiteral("d MMM yyyy")));
}

} // namespace signing
