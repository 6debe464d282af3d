// Scans an archive folder that holds one record file made of any bytes, next
// to a well-formed record. Every file gets its row with the right number and
// name; a file shorter than a record is reported with the I/O text and listed
// with empty date cells; otherwise the cells follow the date rules byte for
// byte, in the first row as in every other.
//
// Input: byte 0 chooses where the file is listed (bit 0: first row, or second
// after a valid record) and how its extension is spelt (bit 1: ".bin" or
// ".BIN"); the rest is the file's content.
#include "AppError.h"
#include "ArchiveScan.h"
#include "FileTable.h"
#include "RecordLayout.h"
#include "RecordText.h"
#include "SampleRecord.h"

#include <QDir>
#include <QFile>
#include <QLocale>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

[[noreturn]] void fail(const char *what, const QString &detail)
{
    std::fprintf(stderr, "%s: %s\n", what, qPrintable(detail));
    std::abort();
}

QString folder;
QByteArray validRecord;

void writeFile(const QString &name, const QByteArray &bytes)
{
    QFile file(folder + u'/' + name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        fail("cannot write the fuzz folder", file.fileName());
}

// Six bytes as "dd.mm.yy": a byte within [low, high] is its own character,
// any other byte the character '0'.
QString expectedDate(const QByteArray &file, int offset, int low, int high)
{
    QString digits;
    for (int i = 0; i < 6; ++i) {
        const int byte = quint8(file[offset + i]);
        digits += byte >= low && byte <= high ? QChar(byte) : QChar(u'0');
    }
    return digits.left(2) + u'.' + digits.mid(2, 2) + u'.' + digits.mid(4);
}

QString expectedTime(const QByteArray &file)
{
    QString text;
    for (int i = layout::ReceiveTime; i < layout::ReceiveTime + layout::ReceiveTimeWidth; ++i) {
        const quint8 byte = quint8(file[i]);
        text += byte < 0x20 ? QChar(u' ') : recordtext::fromByte(byte);
    }
    return text;
}

void checkRow(const archive::ScanResult &result, int index, const QString &name, const QByteArray &file)
{
    const QStringList &row = result.rows[index];
    if (row.size() != FileTable::ColumnCount)
        fail("cells in a row", QString::number(row.size()));
    if (row[FileTable::Number] != QString::number(index + 1) || row[FileTable::Name] != name)
        fail("number or name", row.join(u'|'));

    int reported = 0;
    for (const archive::ScanProblem &p : result.problems) {
        if (p.fileName != name)
            continue;
        ++reported;
        if (p.reason != errors::ReadBeyondEnd)
            fail("problem text", p.reason);
    }
    if (file.size() < layout::RecordSize) {
        if (reported != 1)
            fail("short file not reported once", QString::number(file.size()));
        for (int c : {FileTable::TestingDate, FileTable::ComputerDate, FileTable::ComputerTime})
            if (!row[c].isEmpty())
                fail("date cell of an unreadable file", row[c]);
        if (!archive::problemsMessage(result.problems).contains(name + QStringLiteral(": ") + errors::ReadBeyondEnd))
            fail("problems message", archive::problemsMessage(result.problems));
        return;
    }
    if (reported != 0)
        fail("readable file reported", name);

    if (row[FileTable::TestingDate] != expectedDate(file, layout::TestingDate, 0x1E, 0x3B))
        fail("testing date", row[FileTable::TestingDate]);
    if (row[FileTable::ComputerDate] != expectedDate(file, layout::ReceiveDate, 0x28, 0x3A))
        fail("reception date", row[FileTable::ComputerDate]);
    if (row[FileTable::ComputerTime] != expectedTime(file))
        fail("reception time", row[FileTable::ComputerTime]);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    QLocale::setDefault(QLocale::c());
    recordtext::fromBytes("\x80\xC0");
    // A run that stopped at a finding could not remove its folder: do it now.
    const QDir shm(QStringLiteral("/dev/shm"));
    for (const QString &stale : shm.entryList({QStringLiteral("sart-fuzz-scan-*")}, QDir::Dirs)) {
        const pid_t owner = pid_t(stale.section(u'-', -1).toInt());
        if (owner > 0 && ::kill(owner, 0) != 0 && errno == ESRCH)
            QDir(shm.filePath(stale)).removeRecursively();
    }
    folder = QStringLiteral("/dev/shm/sart-fuzz-scan-%1").arg(::getpid());
    if (!QDir().mkpath(folder))
        fail("cannot create", folder);
    std::atexit([] { QDir(folder).removeRecursively(); });
    validRecord = sample::makeRecord(sample::variant(0));
    // Not a record file: never listed.
    writeFile(QStringLiteral("notes.txt"), validRecord);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const bool first = data[0] & 1;
    const QString name = data[0] & 2 ? QStringLiteral("b.BIN") : QStringLiteral("b.bin");
    const QString other = first ? QStringLiteral("c.bin") : QStringLiteral("a.bin");
    const QByteArray file(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));

    for (const char *stale : {"a.bin", "b.bin", "b.BIN", "c.bin"})
        QFile::remove(folder + u'/' + QLatin1String(stale));
    writeFile(name, file);
    writeFile(other, validRecord);

    const archive::ScanResult result = archive::scan(folder);
    if (result.rows.size() != 2)
        fail("rows", QString::number(result.rows.size()));
    checkRow(result, first ? 0 : 1, name, file);
    checkRow(result, first ? 1 : 0, other, validRecord);
    return 0;
}
