#pragma once

#include "PanelValues.h"

#include <QString>

class QWidget;
class TQuickReport5;

// Data export > PDF: the printed certificate saved as a PDF file directly,
// without the print preview.
namespace certificatepdf {

// The name the file is offered under: the vessel, the manufacturer's number
// and the testing date (yyyy-MM-dd) that the panel shows, e.g.
// "NORTHERN STAR - 123456 - 2024-03-05.pdf". Characters that do not belong in
// a file name become "_"; empty parts are left out, and with all three empty
// the name is "SART TEST REPORT.pdf".
QString fileName(const PanelValues &values);

// The PDF's title: the report's title followed by the same parts.
QString title(const PanelValues &values);

// Asks where to save, starting in the folder a certificate was saved in last
// time, and writes the certificate of the values there. Write failures raise
// AppError; the folder is remembered once the file is written, and a message
// names the file.
void save(QWidget *parent, TQuickReport5 &report, const PanelValues &values);

} // namespace certificatepdf
