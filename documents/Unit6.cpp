#include "Unit6.h"

#include "HelpPage.h"
#include "HelpText.h"
#include "ReportPrinter.h"

TQuickReport6::TQuickReport6(QObject *parent)
    : QObject(parent), m_lines(help::printLines())
{
    setObjectName(QStringLiteral("QuickReport6"));
}

void TQuickReport6::preview(QWidget *parent)
{
    printing::preview(parent, tr("The help"), [this](QPainter &painter, QPagedPaintDevice &device) {
        helppage::paint(painter, device, m_lines);
    });
}

void TQuickReport6::printToPdf(const QString &path)
{
    printing::printToPdf(path, QStringLiteral("Help"), [this](QPainter &painter, QPagedPaintDevice &device) {
        helppage::paint(painter, device, m_lines);
    });
}
