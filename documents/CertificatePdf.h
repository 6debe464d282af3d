#pragma once

#include "RecordHeader.h"

#include <QString>

class QWidget;
class CertificateIssuer;
class TQuickReport5;

// Data export > PDF: the printed certificate saved as a PDF file directly,
// without the print preview.
namespace certificatepdf {

// The name the file is offered under: the certificate's number, the vessel,
// the manufacturer's number and the testing date (yyyy-MM-dd) that the panel
// shows, e.g. "2026-00042 - NORTHERN STAR - 123456 - 2024-03-05.pdf".
// Characters that do not belong in a file name become "_"; empty parts are
// left out, and with all four empty the name is "SART TEST REPORT.pdf".
QString fileName(const RecordHeader &values, const QString &number = {});

// The PDF's title: the report's title followed by the same parts, the
// number as "certificate 2026-00042".
QString title(const RecordHeader &values, const QString &number = {});

// Asks where to save, starting in the folder a certificate was saved in last
// time, and writes the certificate of the values there under the number the
// issuer gives (in its metadata and name, and on the page when the issuer
// prints numbers). The name offered carries the number expected; when
// another program took that number meanwhile and the engineer kept the name
// offered, the file is named with the number given. Write failures raise
// AppError; the folder is remembered once the file is written, and a message
// names the file.
void save(QWidget *parent, TQuickReport5 &report, const RecordHeader &values, CertificateIssuer &issuer);

} // namespace certificatepdf
