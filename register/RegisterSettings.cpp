#include "RegisterSettings.h"

#include "AppError.h"
#include "ProgramSettings.h"

#include <QCoreApplication>
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
    const QString file = settings.fileName();
    QStringList problems;
    if (settings.status() == QSettings::FormatError)
        problems << QCoreApplication::translate(
            "RegisterSettings", "The settings file %1 cannot be read: it is not in the form of a settings file.")
                        .arg(file);
    const QString format = settings.value(Group + QStringLiteral("numberFormat"), s.numberFormat).toString();
    // A format that cannot number is kept as read, for the register's
    // settings to show it, and stops numbering.
    s.numberFormat = format;
    const QString formatWhy = formatProblem(format);
    if (!formatWhy.isEmpty())
        problems << QCoreApplication::translate("RegisterSettings",
            "The settings file %1 gives the certificate number format \"%2\", which cannot "
            "number certificates: %3.")
                        .arg(file, visibleFormat(format), formatWhy);
    s.printNumber = settings.value(Group + QStringLiteral("printNumber"), false).toBool();
    const QString engine = settings.value(Group + QStringLiteral("engine")).toString().trimmed();
    if (engine.compare(QLatin1String("postgresql"), Qt::CaseInsensitive) == 0)
        s.engine = Engine::PostgreSQL;
    else if (engine.isEmpty() || engine.compare(QLatin1String("sqlite"), Qt::CaseInsensitive) == 0)
        s.engine = Engine::SQLite;
    else
        problems << QCoreApplication::translate("RegisterSettings",
            "The settings file %1 names the register engine \"%2\", which this program "
            "does not know: it keeps the register in SQLite or PostgreSQL.")
                        .arg(file, visibleFormat(engine));
    s.sqlitePath = settings.value(Group + QStringLiteral("sqlitePath")).toString();
    s.host = settings.value(Group + QStringLiteral("host"), s.host).toString();
    if (settings.contains(Group + QStringLiteral("port"))) {
        bool ok = false;
        const QString portText = settings.value(Group + QStringLiteral("port")).toString().trimmed();
        const int port = portText.toInt(&ok);
        if (ok && port > 0 && port < 65536)
            s.port = port;
        else
            problems << QCoreApplication::translate("RegisterSettings",
                "The settings file %1 gives the register's server the port \"%2\", which "
                "is no port number.")
                            .arg(file, visibleFormat(portText));
    }
    s.database = settings.value(Group + QStringLiteral("database"), s.database).toString();
    s.user = settings.value(Group + QStringLiteral("user")).toString();
    if (!problems.isEmpty())
        s.unusable = problems.join(u' ') + u' '
            + QCoreApplication::translate("RegisterSettings",
                "No certificate is numbered until Settings > Certificate register "
                "says how.");
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

Settings loadProgramSettings()
{
    const QString unreadable = ProgramSettings::unreadable();
    Settings s = load(ProgramSettings());
    if (!unreadable.isEmpty()) {
        // The defaults would number with another register than the one set.
        s = Settings();
        s.unusable = unreadable + u' '
            + QCoreApplication::translate("RegisterSettings",
                "No certificate is numbered until it can be read: the register "
                "it names is not known.");
    }
    return s;
}

void requireUsable(const Settings &r)
{
    if (!r.unusable.isEmpty())
        errors::throwText(r.unusable);
}

QString lastUsedRegister()
{
    if (!ProgramSettings::unreadable().isEmpty())
        return {};
    return ProgramSettings().value(Group + QStringLiteral("lastUsed")).toString();
}

void rememberLastUsed(const Settings &r)
{
    if (!ProgramSettings::unreadable().isEmpty())
        return;
    ProgramSettings settings;
    settings.setValue(Group + QStringLiteral("lastUsed"), describe(r));
    settings.sync();
}

void storeProgramSettings(const Settings &r)
{
    ProgramSettings settings;
    store(settings, r);
    // The register chosen in the program is the one it numbers with from
    // now on: no question about the change at the next certificate.
    settings.setValue(Group + QStringLiteral("lastUsed"), describe(r));
    settings.sync();
    if (settings.status() != QSettings::NoError)
        errors::throwText(
            QCoreApplication::translate("RegisterSettings", "The register settings could not be kept in %1.")
                .arg(ProgramSettings::filePath()));
}

QString formatProblem(const QString &format)
{
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        char32_t code = c.unicode();
        if (c.isHighSurrogate() && i + 1 < format.size() && format.at(i + 1).isLowSurrogate())
            code = QChar::surrogateToUcs4(c, format.at(++i));
        else if (c.isSurrogate())
            return QCoreApplication::translate("RegisterSettings", "it holds a broken character");
        const QChar::Category category = QChar::category(code);
        if (!QChar::isPrint(code) || category == QChar::Separator_Line || category == QChar::Separator_Paragraph)
            return QCoreApplication::translate("RegisterSettings", "it holds a control character or a line break");
    }
    static const QRegularExpression run(QStringLiteral("#+"));
    int runs = 0;
    for (QRegularExpressionMatchIterator it = run.globalMatch(format); it.hasNext(); it.next())
        ++runs;
    if (runs == 0)
        return QCoreApplication::translate(
            "RegisterSettings", "it needs a run of # for the sequence, for example YYYY-#####");
    if (runs > 1)
        return QCoreApplication::translate(
            "RegisterSettings", "it has more than one run of #, and only one can stand for the sequence");
    if (format.size() > MaxFormatLength)
        return QCoreApplication::translate(
            "RegisterSettings", "it is longer than %n characters", nullptr, MaxFormatLength);
    return {};
}

bool isValidFormat(const QString &format) { return formatProblem(format).isEmpty(); }

QString visibleFormat(const QString &text)
{
    QString shown;
    for (const QChar c : text) {
        if (c == u'\n')
            shown += QStringLiteral("\\n");
        else if (c == u'\r')
            shown += QStringLiteral("\\r");
        else if (c == u'\t')
            shown += QStringLiteral("\\t");
        else if (c.isPrint() && c.category() != QChar::Separator_Line && c.category() != QChar::Separator_Paragraph)
            shown += c;
        else
            shown += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QChar(u'0'));
    }
    return shown;
}

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
