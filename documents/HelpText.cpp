#include "HelpText.h"

#include <QFile>

// The resources live in a static library: register them before first use.
static void initResources()
{
    Q_INIT_RESOURCE(documents);
}

namespace help {

// Every line of the file ends with a newline; the last one does not start
// another line.
static QStringList readLines(const QString &path)
{
    initResources();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("help text resource %s is missing", qPrintable(path));
    QString text = QString::fromUtf8(file.readAll());
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text.split(u'\n');
}

QStringList windowLines()
{
    return readLines(QStringLiteral(":/help/help.txt"));
}

QStringList printLines()
{
    return readLines(QStringLiteral(":/help/help-print.txt"));
}

} // namespace help
