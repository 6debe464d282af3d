#pragma once

#include "RegisterSettings.h"

#include <QString>
#include <QStringList>
#include <QVector>

// Check: what can be said of a PDF certificate, one finding a line, in plain
// words: whether it is signed, whether the signature covers the whole file
// and is intact, who signed and when, whether the signer chains to the CA
// named, whether this program's register issued it (number, record hash,
// verdict, date, the PDF's own SHA-256) and whether the record is in the
// archive unchanged. Any difference is named.
namespace signing {

struct Finding
{
    enum Kind { Holds, Fails, Note };  // a note neither holds nor fails (nothing to check against)
    Kind kind;
    QString text;
};

struct Findings
{
    QVector<Finding> lines;
    bool allHold() const;
    // "OK: ...", "PROBLEM: ...", "NOTE: ..."
    QStringList texts() const;
};

struct CheckPlace
{
    QString caFile;                     // empty: no chain check
    certregister::Settings register_;   // the register to look the number up in
    QString archiveFolder;              // where the record is looked for
};

// Reads the file and checks it; never raises: a file or register that cannot
// be read is a finding.
Findings checkCertificateFile(const QString &pdfPath, const CheckPlace &place);

} // namespace signing
