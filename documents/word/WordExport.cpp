#include "WordExport.h"

#include "LibreOfficeWriter.h"
#include "WordProcessor.h"
#include "WordReport.h"

void exportToWord(const RecordHeader &values, const QString &numberLine)
{
    const LibreOfficeOptions options = LibreOfficeOptions::defaults();
    requireOfficeWindow(options.office.officeProgram);
    LibreOfficeWriter writer(options);
    exportToWord(values, writer, numberLine);
}

void exportToWord(const RecordHeader &values, WordProcessor &wordProcessor, const QString &numberLine)
{
    try {
        wordProcessor.connectApplication();
        wordProcessor.setVisible(true);
        wordProcessor.setCaption(wordreport::WindowCaption);
        for (const QString &piece : wordreport::pieces(values, numberLine))
            wordProcessor.appendToDocument(piece);
        wordProcessor.disconnectDocument();
        wordProcessor.disconnectApplication();
    } catch (...) {
        // Let go of both links so that the next export connects afresh; the
        // original failure is the one the user needs to see.
        try { wordProcessor.disconnectDocument(); } catch (...) {}
        try { wordProcessor.disconnectApplication(); } catch (...) {}
        throw;
    }
}
