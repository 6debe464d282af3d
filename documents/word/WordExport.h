#pragma once

#include "RecordHeader.h"

class WordProcessor;

// Data export > Word: writes the test report of the shown record into a new
// document of LibreOffice Writer and leaves Writer running with it, unsaved.
// Raises AppError when the export fails; whatever was appended stays. An
// office that cannot show a window is refused before anything is started.
// `numberLine`, when not empty, is written at the end (wordreport::pieces).
void exportToWord(const RecordHeader &values, const QString &numberLine = {});

// The same export through any word processor. After a failure both links are
// released, so the next export starts afresh.
void exportToWord(const RecordHeader &values, WordProcessor &wordProcessor, const QString &numberLine = {});
