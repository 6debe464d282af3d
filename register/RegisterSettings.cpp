#include "RegisterSettings.h"

#include "AppError.h"
#include "ProgramSettings.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSettings>

namespace certregister {

namespace {

const QString Group = QStringLiteral("Register/");

} // namespace

QString defaultSqlitePath()
{
    QString data = QFile::decodeName(qgetenv("XDG_DATA_HOME"));
    if (data.isEmpty() || !QDir::isAbsolutePath(data))
        data = QDir::homePath() + QStringLiteral("/.local/share");
    return data + QStringLiteral("/sart-tester/certificates.sqlite");
}

Settings load(const QSettings &settings)
{
    Settings s;
    const QString format = settings.value(Group + QStringLiteral("numberFormat"), s.numberFormat).toString();
    if (isValidFormat(format))
        s.numberFormat = format;
    s.printNumber = settings.value(Group + QStringLiteral("printNumber"), false).toBool();
    s.engine = settings.value(Group + QStringLiteral("engine")).toString() == QLatin1String("postgresql")
                   ? Engine::PostgreSQL
                   : Engine::SQLite;
    s.sqlitePath = settings.value(Group + QStringLiteral("sqlitePath")).toString();
    s.host = settings.value(Group + QStringLiteral("host"), s.host).toString();
    bool ok = false;
    const int port = settings.value(Group + QStringLiteral("port"), s.port).toInt(&ok);
    if (ok && port > 0 && port < 65536)
        s.port = port;
    s.database = settings.value(Group + QStringLiteral("database"), s.database).toString();
    s.user = settings.value(Group + QStringLiteral("user")).toString();
    return s;
}

void store(QSettings &settings, const Settings &r)
{
    settings.setValue(Group + QStringLiteral("numberFormat"), r.numberFormat);
    settings.setValue(Group + QStringLiteral("printNumber"), r.printNumber);
    settings.setValue(Group + QStringLiteral("engine"),
                      r.engine == Engine::PostgreSQL ? QStringLiteral("postgresql") : QStringLiteral("sqlite"));
    settings.setValue(Group + QStringLiteral("sqlitePath"), r.sqlitePath);
    settings.setValue(Group + QStringLiteral("host"), r.host);
    settings.setValue(Group + QStringLiteral("port"), r.port);
    settings.setValue(Group + QStringLiteral("database"), r.database);
    settings.setValue(Group + QStringLiteral("user"), r.user);
}

Settings loadProgramSettings() { return load(ProgramSettings()); }

void storeProgramSettings(const Settings &r)
{
    ProgramSettings settings;
    store(settings, r);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        errors::throwText(QStringLiteral("The register settings could not be kept in %1.")
                              .arg(ProgramSettings::filePath()));
}

bool isValidFormat(const QString &format) { return format.contains(u'#') && format.size() <= 40; }

bool countsPerYear(const QString &format) { return format.contains(QLatin1String("YYYY")); }

QString formatNumber(const QString &format, int year, int sequence)
{
    static const QRegularExpression run(QStringLiteral("#+"));
    QString number = format;
    number.replace(QLatin1String("YYYY"), QString::number(year));
    const QRegularExpressionMatch m = run.match(number);
    if (m.hasMatch())
        number.replace(m.capturedStart(), m.capturedLength(),
                       QStringLiteral("%1").arg(sequence, int(m.capturedLength()), 10, QChar(u'0')));
    return number;
}

QString describe(const Settings &r)
{
    if (r.engine == Engine::PostgreSQL)
        return QStringLiteral("%1 on %2:%3").arg(r.database, r.host).arg(r.port);
    return r.sqlitePath.isEmpty() ? defaultSqlitePath() : r.sqlitePath;
}

} // namespace certregister
