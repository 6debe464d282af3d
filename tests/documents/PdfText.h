#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Reads a PDF back with poppler's tools, as a reader of the printed page would.
namespace pdftext {

constexpr double PointsPerMm = 72.0 / 25.4;

struct Word
{
    int page = 0;  // from 0
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;  // points, origin top left
    QString text;

    // The baseline, from the box pdftotext gives for the font's ascent and
    // descent (Liberation Serif: 0.891 and 0.216 of the size).
    double baseline() const { return yMax - (yMax - yMin) * 0.216 / 1.107; }
};

QList<Word> words(const QString &pdfPath);
// The text in drawing order, every run of white space made one space.
QString flatText(const QString &pdfPath);
// pdfinfo's "Key: value" lines.
QString info(const QString &pdfPath, const QString &key);

QString collapseSpaces(const QString &text);

} // namespace pdftext
