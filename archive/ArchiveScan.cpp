#include "ArchiveScan.h"

#include "AppError.h"
#include "FileTable.h"
#include "RecordLayout.h"
#include "RecordText.h"

#include <QDateTime>
#include <QFile>
#include <QLocale>

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace archive {
namespace {

// The bytes the table needs all lie in 3444..4095: one read gets them.
constexpr int Start = layout::TestingDate;
constexpr int Span = layout::RecordSize - Start;
constexpr int FirstRowNeeds = layout::TestingDate + layout::TestingDateWidth - Start;

QString dateCell(const std::uint8_t *bytes, std::uint8_t low, std::uint8_t high)
{
    QString text;
    text.reserve(8);
    for (int i = 0; i < 6; ++i) {
        if (i == 2 || i == 4)
            text += u'.';
        text += bytes[i] >= low && bytes[i] <= high ? QChar(bytes[i]) : QChar(u'0');
    }
    return text;
}

bool isRecordName(const char *name)
{
    const size_t n = strlen(name);
    return n >= 4 && strcasecmp(name + n - 4, ".bin") == 0;
}

QStringList listNames(const QString &folder)
{
    QStringList names;
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return names;
    while (const dirent *entry = ::readdir(dir))
        if (isRecordName(entry->d_name))
            names.append(QFile::decodeName(entry->d_name));
    ::closedir(dir);
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

// Fills the date cells of one row; returns the error text, or an empty text.
QString readCells(const QString &path, bool firstRow, QStringList &row)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errors::ioText(errno);
    std::uint8_t bytes[Span];
    const ssize_t n = ::pread(fd, bytes, Span, Start);
    const int readError = errno;
    struct stat st {};
    const bool statted = firstRow && n >= 0 && ::fstat(fd, &st) == 0;
    ::close(fd);
    if (n < 0)
        return errors::ioText(readError);
    if (n < (firstRow ? FirstRowNeeds : Span))
        return errors::ReadBeyondEnd;

    row[FileTable::TestingDate] = testingDateCell(bytes);
    if (firstRow) {
        // The first row shows the file's modification time in the system's formats.
        const QDateTime modified = statted
            ? QDateTime::fromSecsSinceEpoch(st.st_mtim.tv_sec).addMSecs(st.st_mtim.tv_nsec / 1000000)
            : QDateTime();
        const QLocale locale;
        row[FileTable::ComputerDate] = locale.toString(modified.date(), QLocale::ShortFormat);
        row[FileTable::ComputerTime] = locale.toString(modified.time(), QLocale::LongFormat);
    } else {
        // Offsets into the buffer: bytes + ReceiveDate alone would point far past it.
        row[FileTable::ComputerDate] = receptionDateCell(bytes + (layout::ReceiveDate - Start));
        row[FileTable::ComputerTime] = timeCell(bytes + (layout::ReceiveTime - Start));
    }
    return {};
}

} // namespace

QString testingDateCell(const std::uint8_t *sixBytes) { return dateCell(sixBytes, 0x1E, 0x3B); }
QString receptionDateCell(const std::uint8_t *sixBytes) { return dateCell(sixBytes, 0x28, 0x3A); }

QString timeCell(const std::uint8_t *eightBytes)
{
    QString text;
    text.reserve(8);
    for (int i = 0; i < 8; ++i)
        text += eightBytes[i] < 0x20 ? QChar(u' ') : recordtext::fromByte(eightBytes[i]);
    return text;
}

ScanResult scan(const QString &folder)
{
    ScanResult result;
    const QStringList names = listNames(folder);
    result.rows.reserve(names.size());
    for (const QString &name : names) {
        QStringList row(FileTable::ColumnCount);
        row[FileTable::Number] = QString::number(result.rows.size() + 1);
        row[FileTable::Name] = name;
        const QString problem = readCells(folder + u'/' + name, result.rows.isEmpty(), row);
        if (!problem.isEmpty())
            result.problems.append({name, problem});
        result.rows.append(std::move(row));
    }
    return result;
}

QString problemsMessage(const QVector<ScanProblem> &problems)
{
    QStringList lines;
    for (const ScanProblem &p : problems)
        lines.append(QStringLiteral("%1: %2").arg(p.fileName, p.reason));
    return QStringLiteral("Some record files in the archive folder cannot be read and are listed "
                          "without dates:\n")
           + lines.join(u'\n');
}

} // namespace archive
