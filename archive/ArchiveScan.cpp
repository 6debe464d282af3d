#include "ArchiveScan.h"

#include "AppError.h"
#include "FileNames.h"
#include "FileTable.h"
#include "RecordFile.h"
#include "RecordLayout.h"
#include "RecordText.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace archive {
namespace {

// The bytes the table needs all lie in 3444..4095: one read gets them.
constexpr int Start = layout::TestingDate;
constexpr int Span = layout::RecordSize - Start;

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

// Case folding of ASCII is lowering; other names go through Unicode. Compared
// byte-wise, the keys give code point order.
QByteArray sortKeyOf(const QByteArray &bytes, const QString &shown)
{
    const bool ascii = std::all_of(bytes.cbegin(), bytes.cend(), [](char c) { return c >= 0; });
    return ascii ? bytes.toLower() : shown.toCaseFolded().toUtf8();
}

bool keyBefore(const QByteArray &a, const QByteArray &aBytes, const QByteArray &b, const QByteArray &bBytes)
{
    const int c = std::memcmp(a.constData(), b.constData(), size_t(std::min(a.size(), b.size())));
    if (c != 0)
        return c < 0;
    return a.size() != b.size() ? a.size() < b.size() : aBytes < bBytes;
}

struct Entry
{
    QByteArray bytes;
    QString carried;
    QString shown;
    QByteArray sortKey;  // the shown name, case folded, as UTF-8: compared byte-wise, in code point order
    unsigned char type;
};

std::vector<Entry> listEntries(DIR *dir)
{
    std::vector<Entry> entries;
    while (const dirent *entry = ::readdir(dir)) {
        if (!isRecordName(entry->d_name))
            continue;
        Entry e;
        e.bytes = QByteArray(entry->d_name);
        e.carried = filenames::fromBytes(e.bytes);
        e.shown = filenames::display(e.carried);
        e.sortKey = sortKeyOf(e.bytes, e.shown);
        e.type = entry->d_type;
        entries.push_back(std::move(e));
    }
    return entries;
}

// The listing order: by shown name ignoring case, then by bytes. The keys are
// folded once per name and compared as bytes, in code point order. The sort
// moves small items that carry each key's first eight bytes, so that most
// comparisons never leave the array.
std::vector<Entry *> sorted(std::vector<Entry> &entries)
{
    struct Item
    {
        std::uint64_t head;  // the key's first bytes, big-endian, zero-padded
        Entry *entry;
    };
    std::vector<Item> items;
    items.reserve(entries.size());
    for (Entry &e : entries) {
        std::uint64_t head = 0;
        for (qsizetype i = 0; i < 8; ++i)
            head = (head << 8) | (i < e.sortKey.size() ? std::uint8_t(e.sortKey[i]) : 0);
        items.push_back({head, &e});
    }
    std::sort(items.begin(), items.end(), [](const Item &x, const Item &y) {
        if (x.head != y.head)
            return x.head < y.head;
        return keyBefore(x.entry->sortKey, x.entry->bytes, y.entry->sortKey, y.entry->bytes);
    });
    std::vector<Entry *> order;
    order.reserve(items.size());
    for (const Item &item : items)
        order.push_back(item.entry);
    return order;
}

class Fd
{
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

// Fills the date cells of one row and the file's identity; returns the error
// text, or an empty text. Every row, the first included, shows the stamps
// inside its record.
QString readCells(int dirFd, const QByteArray &name, unsigned char type, QStringList &row, FileIdentity &identity)
{
    struct stat st {};
    // An entry that is not plainly a regular file is looked at before it is
    // opened: a device is never opened, a pipe never waited for.
    if (type != DT_REG) {
        if (::fstatat(dirFd, name.constData(), &st, 0) != 0)
            return errors::ioText(errno);
        identity = identityOf(st);
        if (const QString reason = recordfile::notRecordReason(st.st_mode); !reason.isEmpty())
            return reason;
    }
    const Fd fd(::openat(dirFd, name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (fd.get() < 0) {
        const int e = errno;
        if (::fstatat(dirFd, name.constData(), &st, 0) == 0)
            identity = identityOf(st);
        return errors::ioText(e);
    }
    if (::fstat(fd.get(), &st) != 0)
        return errors::ioText(errno);
    identity = identityOf(st);
    if (const QString reason = recordfile::notRecordReason(st.st_mode); !reason.isEmpty())
        return reason;
    std::uint8_t bytes[Span];
    const ssize_t n = ::pread(fd.get(), bytes, Span, Start);
    if (n < 0)
        return errors::ioText(errno);
    if (n < Span)
        return errors::ReadBeyondEnd;

    row[FileTable::TestingDate] = testingDateCell(bytes);
    // Offsets into the buffer: bytes + ReceiveDate alone would point far past it.
    row[FileTable::ComputerDate] = receptionDateCell(bytes + (layout::ReceiveDate - Start));
    row[FileTable::ComputerTime] = timeCell(bytes + (layout::ReceiveTime - Start));
    return {};
}

QString elided(const QString &name)
{
    constexpr int Most = 60;
    return name.size() <= Most ? name : name.left(Most / 2 - 1) + QStringLiteral("...") + name.right(Most / 2 - 2);
}

} // namespace

bool isRecordName(const char *name)
{
    const size_t n = strlen(name);
    return n >= 4 && strcasecmp(name + n - 4, ".bin") == 0;
}

bool listedBefore(const QString &carriedA, const QString &carriedB)
{
    const QByteArray a = filenames::toBytes(carriedA), b = filenames::toBytes(carriedB);
    return keyBefore(sortKeyOf(a, filenames::display(carriedA)), a, sortKeyOf(b, filenames::display(carriedB)), b);
}

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

NameListing listNames(const QString &folder)
{
    NameListing listing;
    ScanResult &result = listing.result;
    result.folderProblem = folderProblem(folder);
    if (!result.folderProblem.isEmpty())
        return listing;
    DIR *dir = ::opendir(filenames::toBytes(folder).constData());
    if (!dir) {
        result.folderProblem = QString::fromLocal8Bit(std::strerror(errno));
        return listing;
    }
    std::vector<Entry> entries = listEntries(dir);
    ::closedir(dir);
    const qsizetype count = qsizetype(entries.size());
    result.rows.reserve(count);
    result.names.reserve(count);
    result.identities.resize(count);
    listing.bytes.reserve(count);
    listing.types.reserve(count);
    // The names move into the result: their texts are never touched again,
    // which matters when 100,000 of them lie scattered in memory.
    for (Entry *entryPointer : sorted(entries)) {
        Entry &entry = *entryPointer;
        QStringList row(FileTable::ColumnCount);
        // Most names show as they are carried: the cell and the name share one text.
        row[FileTable::Name] = entry.shown == entry.carried ? entry.carried : std::move(entry.shown);
        result.rows.append(std::move(row));
        result.names.append(std::move(entry.carried));
        listing.bytes.append(std::move(entry.bytes));
        listing.types.append(entry.type);
    }
    return listing;
}

CellReader::CellReader(const QString &folder)
    : m_dirFd(::open(filenames::toBytes(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
{
}

CellReader::~CellReader()
{
    if (m_dirFd >= 0)
        ::close(m_dirFd);
}

QString CellReader::read(const QByteArray &name, unsigned char type, QStringList &row, FileIdentity &identity) const
{
    if (m_dirFd < 0)
        return errors::ioText(EBADF);
    return readCells(m_dirFd, name, type, row, identity);
}

ScanResult scan(const QString &folder)
{
    NameListing listing = listNames(folder);
    ScanResult &result = listing.result;
    if (!result.folderProblem.isEmpty())
        return result;
    const CellReader reader(folder);
    for (qsizetype i = 0; i < result.rows.size(); ++i) {
        QStringList &row = result.rows[i];
        row[FileTable::Number] = QString::number(i + 1);
        const QString problem = reader.read(listing.bytes[i], listing.types[i], row, result.identities[i]);
        if (!problem.isEmpty())
            result.problems.append({result.names[i], problem});
    }
    return result;
}

ScannedRow scanFile(const QString &folder, const QString &carriedName)
{
    ScannedRow scanned;
    const QByteArray name = filenames::toBytes(carriedName);
    const Fd dir(::open(filenames::toBytes(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    struct stat st {};
    if (dir.get() < 0 || ::fstatat(dir.get(), name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return scanned;
    scanned.exists = true;
    scanned.cells = QStringList(FileTable::ColumnCount);
    scanned.cells[FileTable::Name] = filenames::display(carriedName);
    scanned.problem = readCells(dir.get(), name, S_ISREG(st.st_mode) ? DT_REG : DT_UNKNOWN, scanned.cells,
                                scanned.identity);
    return scanned;
}

std::optional<FileIdentity> identityIn(const QString &folder, const QString &carriedName)
{
    const QByteArray path = filenames::toBytes(folder + u'/' + carriedName);
    struct stat st {};
    if (::stat(path.constData(), &st) == 0)
        return identityOf(st);
    if (::lstat(path.constData(), &st) != 0)
        return std::nullopt;
    return FileIdentity{};  // a link to nothing: listed, never read
}

QString folderProblem(const QString &folder)
{
    const QByteArray path = filenames::toBytes(folder);
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0)
        return errno == ENOENT ? QCoreApplication::translate("ArchiveScan", "it does not exist") : QString::fromLocal8Bit(std::strerror(errno));
    if (S_ISLNK(st.st_mode) && ::stat(path.constData(), &st) != 0) {
        const int e = errno;
        char target[4096];
        const ssize_t n = ::readlink(path.constData(), target, sizeof target);
        const QString to = n > 0 ? filenames::display(filenames::fromBytes(QByteArray(target, n))) : QString();
        return e == ENOENT ? QCoreApplication::translate("ArchiveScan", "it is a link to %1, which does not exist").arg(to)
                           : QCoreApplication::translate("ArchiveScan", "it is a link to %1, which cannot be followed: %2")
                                 .arg(to, QString::fromLocal8Bit(std::strerror(e)));
    }
    if (!S_ISDIR(st.st_mode))
        return S_ISREG(st.st_mode) ? QCoreApplication::translate("ArchiveScan", "it is a file, not a folder")
                                   : QCoreApplication::translate("ArchiveScan", "it is not a folder");
    // Listing needs read permission, opening the records search permission.
    if (::faccessat(AT_FDCWD, path.constData(), R_OK, AT_EACCESS) != 0)
        return QCoreApplication::translate("ArchiveScan", "its list of files cannot be read: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
    if (::faccessat(AT_FDCWD, path.constData(), X_OK, AT_EACCESS) != 0)
        return QCoreApplication::translate("ArchiveScan", "the files in it cannot be opened (no search permission): %1")
            .arg(QString::fromLocal8Bit(std::strerror(errno)));
    return {};
}

QString folderMessage(const QString &folder, const QString &problem)
{
    return QCoreApplication::translate("ArchiveScan", "The archive folder %1 cannot be used: %2. No records are listed.")
        .arg(filenames::display(folder), problem);
}

QString problemsMessage(const QVector<ScanProblem> &problems)
{
    QStringList lines;
    for (const ScanProblem &p : problems.first(std::min<qsizetype>(problems.size(), ProblemsNamed)))
        lines.append(QStringLiteral("%1: %2").arg(elided(filenames::display(p.fileName)), errors::shown(p.reason)));
    if (problems.size() > ProblemsNamed)
        lines.append(QCoreApplication::translate("ArchiveScan", "... and %n more", nullptr, int(problems.size() - ProblemsNamed)));
    return QCoreApplication::translate("ArchiveScan", "Some record files in the archive folder cannot be read and are listed "
                          "without dates:\n")
           + lines.join(u'\n');
}

} // namespace archive
