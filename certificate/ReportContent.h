#pragma once

#include "RecordHeader.h"

#include <QString>
#include <QStringList>

// What the printed test report says: the fixed caption column, the value
// column read from the record view panel, and the verdict sentence.
namespace report {

inline const QString Title = QStringLiteral("SART TEST REPORT");
inline const QString Certified = QStringLiteral(
    "It is hereby certified that all electrical parameters, as well as the documentation on the "
    "SART comply with the requirements of the IMO.");
inline const QString NotCompliant = QStringLiteral("SART does not comply with its specification");
inline const QString Stamp = QStringLiteral("Stamp\n here");
inline const QString Signature = QStringLiteral("Signature") + QString(33, u' ');

// The certificate's number from the register, on the page and in the Word
// document only when the register's settings ask for it.
inline QString numberLine(const QString &number) { return QStringLiteral("Certificate № %1").arg(number); }

constexpr int LineCount = 36;

// The 36 lines of the caption column; headings and empty lines included.
const QStringList &captionLines();

// The 36 lines printed beside the captions: line n belongs to caption line n,
// and is empty where the caption column has a heading or an empty line.
// Dates are written in the system's short date format.
QStringList valueLines(const RecordHeader &panel);

// Index 0 of the conclusions selector certifies the SART; any other index,
// including -1 for typed text that matches no item, does not.
QString verdict(int conclusionIndex);

} // namespace report

// The report's variable part, kept from one fill to the next.
class ReportContent
{
public:
    ReportContent();

    // Replaces the value lines and the verdict completely.
    void fill(const RecordHeader &panel);

    const QStringList &valueLines() const { return m_values; }
    const QString &verdict() const { return m_verdict; }

private:
    QStringList m_values;
    QString m_verdict;
};
