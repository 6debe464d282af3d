#include "TestKeys.h"

#include <QDate>
#include <QFile>
#include <QProcess>

bool TestKeys::openssl(const QStringList &arguments)
{
    QProcess process;
    process.setWorkingDirectory(m_dir.path());
    process.start(QStringLiteral("openssl"), arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        m_error = QStringLiteral("openssl %1: %2").arg(arguments.join(u' '), QString::fromLocal8Bit(process.readAllStandardError()));
        return false;
    }
    return true;
}

bool TestKeys::makeCa(const QString &name, const QString &subject)
{
    return openssl({"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", name + ".key", "-out", name + ".pem",
                    "-days", "3650", "-subj", subject, "-addext", "basicConstraints=critical,CA:TRUE",
                    "-addext", "keyUsage=critical,keyCertSign,cRLSign"});
}

// The signer's certificate is made by "openssl ca", which takes any start
// and end date (an expired one, one not valid yet).
bool TestKeys::makeSigner(const QString &name, const QString &subject, const QString &ca, const QString &from,
                          const QString &until)
{
    const QString config = name + ".cnf";
    QFile file(path(config));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QStringLiteral("[ca]\ndefault_ca=test\n[test]\ndatabase=%1.index\nnew_certs_dir=.\n"
                              "serial=%1.serial\ndefault_md=sha256\npolicy=anything\nunique_subject=no\n"
                              "x509_extensions=signer\n"
                              "[anything]\ncommonName=supplied\norganizationName=optional\ncountryName=optional\n"
                              "[signer]\nbasicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature,nonRepudiation\n")
                   .arg(name)
                   .toUtf8());
    file.close();
    QFile(path(name + ".index")).open(QIODevice::WriteOnly);
    QFile serial(path(name + ".serial"));
    serial.open(QIODevice::WriteOnly);
    serial.write(QStringLiteral("%1\n").arg(uint(qHash(name)), 8, 16, QLatin1Char('0')).toLatin1());
    serial.close();
    return openssl({"req", "-new", "-newkey", "rsa:2048", "-nodes", "-keyout", name + ".key", "-out", name + ".csr",
                    "-subj", subject})
           && openssl({"ca", "-batch", "-config", config, "-cert", ca + ".pem", "-keyfile", ca + ".key", "-in",
                       name + ".csr", "-out", name + ".pem", "-startdate", from, "-enddate", until, "-notext"})
           && openssl({"pkcs12", "-export", "-inkey", name + ".key", "-in", name + ".pem", "-certfile", ca + ".pem",
                       "-out", name + ".p12", "-passout", "pass:" + Password});
}

TestKeys::TestKeys()
{
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return;
    }
    const int year = QDate::currentDate().year();
    const auto at = [](int y) { return QString::number(y) + QStringLiteral("0101000000Z"); };
    makeCa(QStringLiteral("ca"), QStringLiteral("/O=Test Service Centre/CN=Test Centre CA"))
        && makeCa(QStringLiteral("other-ca"), QStringLiteral("/O=Someone Else/CN=Other CA"))
        && makeSigner(QStringLiteral("signer"), QStringLiteral("/O=Test Service Centre/CN=Anna Engineer"),
                      QStringLiteral("ca"), at(year - 1), at(year + 3))
        && makeSigner(QStringLiteral("expired"), QStringLiteral("/O=Test Service Centre/CN=Old Engineer"),
                      QStringLiteral("ca"), at(year - 4), at(year - 1))
        && makeSigner(QStringLiteral("future"), QStringLiteral("/O=Test Service Centre/CN=New Engineer"),
                      QStringLiteral("ca"), at(year + 1), at(year + 4))
        && makeSigner(QStringLiteral("stranger"), QStringLiteral("/O=Someone Else/CN=Stranger"),
                      QStringLiteral("other-ca"), at(year - 1), at(year + 3));
}
