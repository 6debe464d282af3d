#include "ReportPage.h"

#include "PageUnits.h"
#include "ReportContent.h"

#include <QFontMetricsF>
#include <QPainter>

namespace reportpage {

namespace {

QFont timesNewRoman(qreal points)
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSizeF(points);
    return font;
}

QFont greyNote()
{
    QFont font = timesNewRoman(10);
    font.setItalic(true);
    font.setUnderline(true);
    return font;
}

// Draws one value on the baseline of its caption line, shrinking and then
// eliding it when it is wider than the column.
void drawValue(QPainter &painter, QFont font, const QPointF &baseline, qreal width, QString text)
{
    QPaintDevice *device = painter.device();
    qreal advance = QFontMetricsF(font, device).horizontalAdvance(text);
    if (advance > width) {
        qreal points = qMax(MinimumValuePointSize, font.pointSizeF() * width / advance);
        font.setPointSizeF(points);
        // Text does not scale exactly with the size: step down until it fits.
        while ((advance = QFontMetricsF(font, device).horizontalAdvance(text)) > width
               && points > MinimumValuePointSize) {
            points = qMax(MinimumValuePointSize, points - 0.25);
            font.setPointSizeF(points);
        }
        if (advance > width)
            text = QFontMetricsF(font, device).elidedText(text, Qt::ElideRight, width);
    }
    painter.setFont(font);
    painter.drawText(baseline, text);
}

} // namespace

void paint(QPainter &painter, const QStringList &values, const QString &verdict, const QString &numberLine)
{
    const PageUnits mm(*painter.device());
    painter.save();
    painter.fillRect(mm.rect(Band), Qt::white);
    painter.setPen(Qt::black);

    QFont title = timesNewRoman(28);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(mm.rect(Title), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, report::Title);

    // Both columns share top edge and font, so line n of the values lies on
    // the baseline of caption line n.
    const QFont body = timesNewRoman(14);
    const QFontMetricsF metrics(body, painter.device());
    const QRectF captions = mm.rect(Captions);
    const QRectF valueColumn = mm.rect(Values);
    const QStringList &captionLines = report::captionLines();
    for (int line = 0; line < report::LineCount; ++line) {
        const qreal baseline = captions.top() + metrics.ascent() + line * metrics.height();
        painter.setFont(body);
        painter.drawText(QPointF(captions.left(), baseline), captionLines.at(line));
        drawValue(painter, body, QPointF(valueColumn.left(), baseline), valueColumn.width(), values.value(line));
    }

    QFont verdictFont = body;
    verdictFont.setItalic(true);
    verdictFont.setUnderline(true);
    painter.setFont(verdictFont);
    painter.drawText(mm.rect(Verdict), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, verdict);

    if (!numberLine.isEmpty()) {
        painter.setFont(timesNewRoman(10));
        painter.drawText(mm.rect(Number), Qt::AlignRight | Qt::AlignVCenter, numberLine);
    }

    painter.setPen(QColor(128, 128, 128));
    painter.setFont(greyNote());
    painter.drawText(mm.rect(Stamp), Qt::AlignHCenter | Qt::AlignTop, report::Stamp);
    // The trailing spaces are the underlined line to sign on.
    painter.drawText(mm.rect(Signature), Qt::AlignHCenter | Qt::AlignTop | Qt::TextIncludeTrailingSpaces,
                     report::Signature);
    painter.restore();
}

void paintSignedBy(QPainter &painter, const QString &line)
{
    const PageUnits mm(*painter.device());
    painter.save();
    painter.setPen(Qt::black);
    painter.setFont(timesNewRoman(10));
    painter.drawText(mm.rect(SignedBy), Qt::AlignLeft | Qt::AlignVCenter, line);
    painter.restore();
}

} // namespace reportpage
