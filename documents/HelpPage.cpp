#include "HelpPage.h"

#include "PageUnits.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextLayout>

#include <memory>
#include <vector>

namespace helppage {

namespace {

struct PlacedLine
{
    const QTextLayout *layout;
    int line;
    int page;
    qreal top;  // within the memo frame of its page
};

QFont arial()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(10);
    return font;
}

int lastVisibleLine(const QStringList &lines)
{
    for (int i = lines.size() - 1; i >= 0; --i) {
        if (!lines.at(i).trimmed().isEmpty())
            return i;
    }
    return -1;
}

} // namespace

void paint(QPainter &painter, QPagedPaintDevice &device, const QStringList &lines)
{
    const QRectF frame = PageUnits(device).rect(Memo);
    const QFont font = arial();
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);

    std::vector<std::unique_ptr<QTextLayout>> layouts;
    std::vector<PlacedLine> placed;
    const int lastVisible = lastVisibleLine(lines);
    int page = 0;
    qreal top = 0;
    bool full = false;
    for (int i = 0; i < lines.size() && !full; ++i) {
        auto layout = std::make_unique<QTextLayout>(lines.at(i), font, &device);
        layout->setTextOption(option);
        layout->beginLayout();
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
            line.setLineWidth(frame.width());
            if (top > 0 && top + line.height() > frame.height()) {
                if (i > lastVisible) {
                    full = true;
                    break;
                }
                ++page;
                top = 0;
            }
            line.setPosition(QPointF(0, top));
            placed.push_back({layout.get(), line.lineNumber(), page, top});
            top += line.height();
        }
        layout->endLayout();
        layouts.push_back(std::move(layout));
    }

    painter.save();
    painter.setPen(Qt::black);
    int current = 0;
    for (const PlacedLine &p : placed) {
        if (p.page != current) {
            device.newPage();
            current = p.page;
        }
        p.layout->lineAt(p.line).draw(&painter, frame.topLeft());
    }
    painter.restore();
}

} // namespace helppage
