#include "Unit5.h"

#include "PdfFinish.h"
#include "ReportPage.h"
#include "ReportPrinter.h"

#include <QPainter>

TQuickReport5::TQuickReport5(QObject *parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("QuickReport5"));
}

void TQuickReport5::fill(const RecordHeader &panel)
{
    m_content.fill(panel);
    m_numberLine.clear();
}

void TQuickReport5::paint(QPainter &painter) const
{
    reportpage::paint(painter, m_content.valueLines(), m_content.verdict(), m_numberLine);
    if (const QString signedBy = pdffinish::pageLine(painter.device()); !signedBy.isEmpty())
        reportpage::paintSignedBy(painter, signedBy);
}

void TQuickReport5::preview(QWidget *parent, const printing::IssueAround &issue, const QString &title,
                            const QString &what)
{
    printing::preview(
        parent, what, [this](QPainter &painter, QPagedPaintDevice &) { paint(painter); }, issue, title);
}

void TQuickReport5::pageSetup(QWidget *parent)
{
    printing::pageSetup(parent);
}

void TQuickReport5::printToPdf(const QString &path, const QString &title)
{
    printing::printToPdf(path, title, [this](QPainter &painter, QPagedPaintDevice &) { paint(painter); });
}
