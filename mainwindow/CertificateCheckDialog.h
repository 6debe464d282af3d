#pragma once

#include "CertificateFindings.h"

#include <QDialog>

class QLabel;
class QListWidget;

// Archive > Check a certificate: the findings of a PDF certificate, one a
// line, each marked as holding or not, with a line that sums them up.
class CertificateCheckDialog : public QDialog
{
    Q_OBJECT

public:
    CertificateCheckDialog(const QString &pdfPath, const signing::Findings &findings, QWidget *parent = nullptr);

    // Asks for a PDF file, checks it against the CA of the signing settings,
    // the register in force and the archive, and shows the findings.
    static void chooseAndCheck(QWidget *parent, const QString &archiveFolder);
};
