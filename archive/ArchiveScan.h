#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <cstdint>

// Lists the archive folder: every entry whose name ends in ".bin" (any case),
// sorted by name ignoring case, with the cells of its file table row.
namespace archive {

struct ScanProblem
{
    QString fileName;
    QString reason;  // the I/O error's text
};

struct ScanResult
{
    QVector<QStringList> rows;       // one per listed file, five cells
    QVector<ScanProblem> problems;   // files listed with empty date cells
};

ScanResult scan(const QString &folder);

// Cells from record bytes: six bytes with a point after the second and fourth.
// Testing date: bytes 0x1E..0x3B pass, others become "0". Reception date:
// bytes 0x28..0x3A pass.
QString testingDateCell(const std::uint8_t *sixBytes);
QString receptionDateCell(const std::uint8_t *sixBytes);
// Eight characters; control characters are shown as spaces.
QString timeCell(const std::uint8_t *eightBytes);

// The one message shown after a scan that met unreadable files.
QString problemsMessage(const QVector<ScanProblem> &problems);

} // namespace archive
