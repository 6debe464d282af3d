#pragma once

#include "RecordHeader.h"
#include "ReportContent.h"
#include "ReportPrinter.h"

#include <QObject>
#include <QStringList>

class QPainter;
class QWidget;

// The printed test report: a one-page A4 certificate filled from the record
// view panel and shown in the print preview, from which the user prints.
class TQuickReport5 : public QObject
{
    Q_OBJECT

public:
    explicit TQuickReport5(QObject *parent = nullptr);

    // Replaces the value column and the verdict with what the panel shows;
    // no number line.
    void fill(const RecordHeader &panel);
    // The certificate's number printed on the page (empty: none).
    void setNumberLine(const QString &line) { m_numberLine = line; }

    QStringList valueLines() const { return m_content.valueLines(); }
    QString verdict() const { return m_content.verdict(); }

    // Print preview of the report on the program's printer; returns when
    // closed. `issue` runs around the printing itself; `title` is the
    // preview's title, `what` begins the message naming a file printed into
    // (read when the preview closes; printing::preview).
    void preview(QWidget *parent, const printing::IssueAround &issue = {}, const QString &title = {},
                 const QString &what = tr("The certificate"));
    // The platform's page set-up dialog for the program's printer.
    void pageSetup(QWidget *parent);
    // Writes the page as a PDF file; errors raise AppError.
    void printToPdf(const QString &path, const QString &title = report::Title);

private:
    void paint(QPainter &painter) const;

    ReportContent m_content;
    QString m_numberLine;
};
