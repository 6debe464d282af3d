#pragma once

#include "DecodeTarget.h"
#include "RecordBuffer.h"

#include <QString>

// Reads a record file into the record buffer and puts each decoded value into
// its field, in the order of the decoding steps. Errors are raised as
// AppError at the step where they happen; fields already set stay set.
namespace decoder {

struct Input
{
    QString path;
    int modeIndex = 0;          // item index of the testing-mode selector; -1 none
    QString testingDateCell;    // the current row's "Testing date" cell
    int currentYear = 0;        // for the two-digit year window; 0: this year
};

// Reads input.path into the record buffer, then decodes the buffer.
void decode(const Input &input, DecodeTarget &target);

// The decoding steps on a buffer already read.
void decodeBuffer(const RecordBytes &buffer, const Input &input, DecodeTarget &target);

// The pieces of the decoding, exposed for tests and fuzzing.
QString frequencyText(int kilohertz);          // "9.41" with the locale's separator
QString signalDurationText(int units);         // "12,4"
QString repetitionText(int code);              // "400" .. "4000" or "BAD"
QString testerDurationText(int code);          // "0.5" .. "1.5" or "BAD"
int answerFromCode(int code);                  // 0, 1 or 2

// Reads the first 4096 bytes of the file into buffer; raises the I/O error texts.
void readRecord(const QString &path, RecordBytes &buffer);

} // namespace decoder
