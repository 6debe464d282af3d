#pragma once

#include "FileIdentity.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <cstdint>
#include <optional>

// Lists the archive folder: every entry whose name ends in ".bin" (any case),
// sorted by its shown name ignoring case, with the cells of its file table
// row. Names are carried as the bytes the folder holds (see FileNames.h); the
// Name cell shows them. Only regular files are read, and none is waited for.
namespace archive {

struct ScanProblem
{
    QString fileName;  // carried name
    QString reason;    // the I/O error's text
};

struct ScanResult
{
    QVector<QStringList> rows;       // one per listed file, five cells
    QStringList names;               // the carried name of each row
    QVector<FileIdentity> identities;  // of each row's file, as its cells were read
    QVector<ScanProblem> problems;   // files listed with empty date cells
    QString folderProblem;           // why the folder cannot be used; empty when it can
};

ScanResult scan(const QString &folder);

// The first half of a scan: the folder's record names in the listing's order,
// without opening a file. Rows hold the Name cell only; the dates are read
// with CellReader, row by row, in any order.
struct NameListing
{
    ScanResult result;              // rows with Name cells, identities unknown, no problems
    QVector<QByteArray> bytes;      // each row's name as the folder holds it
    QVector<unsigned char> types;   // each entry's type as the listing gave it (dirent d_type)
};
NameListing listNames(const QString &folder);

// Reads the date cells and identity of listed rows from one open folder.
class CellReader
{
public:
    explicit CellReader(const QString &folder);
    ~CellReader();
    CellReader(const CellReader &) = delete;
    CellReader &operator=(const CellReader &) = delete;
    // Fills the three date cells of `row` (five cells) and `identity`;
    // returns why the file cannot be read, or an empty text.
    QString read(const QByteArray &name, unsigned char type, QStringList &row, FileIdentity &identity) const;

private:
    int m_dirFd;
};

// One file of the folder as the scan lists it, for a single row that changed:
// its cells, its identity and why it cannot be read.
struct ScannedRow
{
    bool exists = false;   // false: the folder has no entry of that name
    QStringList cells;     // five; the number is left empty
    FileIdentity identity;
    QString problem;
};
ScannedRow scanFile(const QString &folder, const QString &carriedName);

// The identity of an entry of the folder as the scan records it (following a
// link); a size of -1 when it cannot be looked at, nullopt when there is no
// entry of that name.
std::optional<FileIdentity> identityIn(const QString &folder, const QString &carriedName);

// Names the archive lists: ending in ".bin", any case.
bool isRecordName(const char *name);
// The listing's order: by the shown name ignoring case, then by the bytes.
bool listedBefore(const QString &carriedA, const QString &carriedB);

// Why the archive folder cannot be used, in words ("it is a file, not a
// folder", ...), as it is for the user running the program; empty when it can.
QString folderProblem(const QString &folder);

// Cells from record bytes: six bytes with a point after the second and fourth.
// Testing date: bytes 0x1E..0x3B pass, others become "0". Reception date:
// bytes 0x28..0x3A pass.
QString testingDateCell(const std::uint8_t *sixBytes);
QString receptionDateCell(const std::uint8_t *sixBytes);
// Eight characters; control characters are shown as spaces.
QString timeCell(const std::uint8_t *eightBytes);

// The one message shown after a scan that met unreadable files: the first few
// by name, then how many more, so that it fits the screen.
QString problemsMessage(const QVector<ScanProblem> &problems);
constexpr int ProblemsNamed = 10;
// The message for a folder that cannot be used.
QString folderMessage(const QString &folder, const QString &problem);

} // namespace archive
