#pragma once

#include "RecordHeader.h"
#include "SampleRecord.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QVector>

// A service centre's archive as years of work leave it: a fleet of SARTs on
// Latin- and Cyrillic-named vessels, each tested about once a year, most
// records with a saved header, about one in ten just as the tester sent it. For the
// tests, the benchmarks and screenshots of the archive views.
namespace sample {

struct ArchiveRecord
{
    QString fileName;
    QByteArray bytes;      // the record file's content
    bool saved = false;    // true when the header was written by Save changes
    RecordHeader header;    // what the header holds when saved
    Params params;         // what the tester measured, and the testing date
};

// `count` records of count / 8 SARTs (at least one); the last test of each
// SART lies 0..419 days before `today`, and each header's next testing date
// is a year after its testing date, so some SARTs are overdue.
QVector<ArchiveRecord> serviceArchive(int count, const QDate &today);

// The latest record with a saved header of each SART, by its manufacturer's
// number: what a list of SARTs due for their next test goes by.
QVector<const ArchiveRecord *> latestSavedOfEachSart(const QVector<ArchiveRecord> &records);

// Writes the records into a folder that exists; false when a write fails.
bool writeArchive(const QString &folder, const QVector<ArchiveRecord> &records);

} // namespace sample
