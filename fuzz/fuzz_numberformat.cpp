// Number formats and the register's settings as read: whatever a settings
// file holds, reading it never fails, and settings taken as usable always
// have a format that numbers. A format that numbers gives one printable line,
// a different number for every sequence of a year; the format as shown in a
// message is printable.
//
// Input: the bytes as the number format (UTF-8), and as the text of a
// settings file.
#include "RegisterSettings.h"

#include <QByteArray>
#include <QFile>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char *what, const QByteArray &input)
{
    std::fprintf(stderr, "%s: %s\n", what, input.toHex(' ').constData());
    std::abort();
}

bool printableLine(const QString &text)
{
    for (const QChar c : text)
        if (!c.isPrint() || c.category() == QChar::Separator_Line || c.category() == QChar::Separator_Paragraph)
            return false;
    return true;
}

void checkFormat(const QString &format, const QByteArray &input)
{
    const QString problem = certregister::formatProblem(format);
    if (problem.isEmpty() != certregister::isValidFormat(format))
        fail("check and reason disagree", input);
    if (!printableLine(certregister::visibleFormat(format)))
        fail("format shown with a control character", input);
    if (!problem.isEmpty())
        return;
    if (format.size() > certregister::MaxFormatLength)
        fail("long format taken", input);
    const int sequences[] = {0, 1, 9, 10, 42, 99999, 100000, 2147483647};
    QStringList numbers;
    for (int sequence : sequences) {
        const QString number = certregister::formatNumber(format, 2026, sequence);
        if (!printableLine(number))
            fail("number with a control character", input);
        if (numbers.contains(number))
            fail("two sequences give one number", input);
        numbers << number;
    }
}

void checkSettings(const QByteArray &input)
{
    static QTemporaryDir dir;
    static int serial = 0;
    // A file of its own each time: QSettings keeps what it read of a path.
    const QString path = dir.filePath(QStringLiteral("settings-%1.conf").arg(serial++));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(input) != input.size())
            std::abort();
    }
    certregister::Settings s;
    {
        const QSettings settings(path, QSettings::IniFormat);
        s = certregister::load(settings);
    }
    QFile::remove(path);
    if (s.unusable.isEmpty() && !certregister::isValidFormat(s.numberFormat))
        fail("settings usable with a format that cannot number", input);
    if (!s.unusable.isEmpty() && !s.unusable.contains(path))
        fail("refusal does not name the settings file", input);
    if (s.port <= 0 || s.port > 65535)
        fail("port out of range", input);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 4096)
        return 0;
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    checkFormat(QString::fromUtf8(input), input);
    if (size % 2 == 0)
        checkFormat(QString(reinterpret_cast<const QChar *>(data), qsizetype(size / 2)), input);
    checkSettings(input);
    return 0;
}
