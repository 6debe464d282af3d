#include "PdfText.h"

#include <QProcess>
#include <QRegularExpression>

namespace pdftext {

static QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        qWarning("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
    return QString::fromUtf8(process.readAllStandardOutput());
}

static QString unescape(QString s)
{
    s.replace(QLatin1String("&lt;"), QLatin1String("<"));
    s.replace(QLatin1String("&gt;"), QLatin1String(">"));
    s.replace(QLatin1String("&quot;"), QLatin1String("\""));
    s.replace(QLatin1String("&apos;"), QLatin1String("'"));
    s.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return s;
}

QList<Word> words(const QString &pdfPath)
{
    static const QRegularExpression wordRe(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<Word> result;
    int page = -1;
    const QStringList lines = run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdfPath, QStringLiteral("-")})
                                  .split(u'\n');
    for (const QString &line : lines) {
        if (line.contains(QLatin1String("<page ")))
            ++page;
        const auto m = wordRe.match(line);
        if (m.hasMatch())
            result.append({page, m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                           m.captured(4).toDouble(), unescape(m.captured(5))});
    }
    return result;
}

QString collapseSpaces(const QString &text)
{
    static const QRegularExpression spaces(QStringLiteral("\\s+"));
    return QString(text).replace(spaces, QStringLiteral(" ")).trimmed();
}

QString flatText(const QString &pdfPath)
{
    return collapseSpaces(run(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdfPath, QStringLiteral("-")}));
}

QString info(const QString &pdfPath, const QString &key)
{
    const QStringList lines = run(QStringLiteral("pdfinfo"), {pdfPath}).split(u'\n');
    for (const QString &line : lines) {
        if (line.startsWith(key + u':'))
            return line.mid(key.size() + 1).trimmed();
    }
    return QString();
}

} // namespace pdftext
