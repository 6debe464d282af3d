#include "DueDialog.h"

#include "ArchiveIndex.h"
#include "CsvFile.h"
#include "ErrorBox.h"
#include "FileNames.h"
#include "FileWritten.h"
#include "Marks.h"
#include "PrintToFile.h"
#include "Questions.h"
#include "RowsModel.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

namespace {

QString daysText(int daysLeft)
{
    if (daysLeft < 0)
        return QCoreApplication::translate("DueDialog", "OVERDUE by %n d", nullptr, -daysLeft);
    if (daysLeft == 0)
        return QCoreApplication::translate("DueDialog", "today");
    return QCoreApplication::translate("DueDialog", "in %n d", nullptr, daysLeft);
}

} // namespace

DueDialog::DueDialog(const archive::ArchiveIndex &index, QWidget *parent)
    : QDialog(parent), m_index(index)
{
    setObjectName(QStringLiteral("DueDialog"));
    setWindowTitle(tr("Due for test"));
    resize(980, 520);

    auto *prompt = new QLabel(tr("Next testing date &within"), this);
    m_days = new QSpinBox(this);
    m_days->setObjectName(QStringLiteral("DueDays"));
    m_days->setRange(0, 3650);
    m_days->setValue(30);
    m_days->setSuffix(tr(" days", "after the number of days"));
    prompt->setBuddy(m_days);
    auto *after = new QLabel(tr("or passed"), this);
    auto *top = new QHBoxLayout;
    top->addWidget(prompt);
    top->addWidget(m_days);
    top->addWidget(after);
    top->addStretch(1);

    m_model = new RowsModel({tr("Next testing date"), tr("Due"), tr("Manufacturer's number"), tr("SART model"),
                             tr("Vessel"), tr("Last tested"), tr("File"), limitsColumn()},
                            this);
    m_view = rowsView(m_model, QStringLiteral("DueList"), this);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("DueStatus"));

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *printButton = buttons->addButton(tr("&Print..."), QDialogButtonBox::ActionRole);
    printButton->setObjectName(QStringLiteral("DuePrint"));
    QPushButton *csvButton = buttons->addButton(tr("&Export CSV..."), QDialogButtonBox::ActionRole);
    csvButton->setObjectName(QStringLiteral("DueExport"));
    buttons->addButton(QDialogButtonBox::Close);
    for (QAbstractButton *b : buttons->buttons())
        static_cast<QPushButton *>(b)->setAutoDefault(false);
    connect(printButton, &QPushButton::clicked, this, [this] { guarded(this, [this] { print(); }); });
    connect(csvButton, &QPushButton::clicked, this, [this] { guarded(this, [this] { exportWithDialog(); }); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_status);
    layout->addWidget(buttons);

    connect(m_days, &QSpinBox::valueChanged, this, &DueDialog::refill);
    connect(m_view, &QAbstractItemView::activated, this, [this](const QModelIndex &i) {
        emit recordChosen(m_model->row(i.row()).fileName);
    });
    followArchive(this, m_index, [this] { refill(); });
    refill();
}

void DueDialog::showList()
{
    refill();
    show();
    raise();
    activateWindow();
    m_view->setFocus();
}

void DueDialog::refill()
{
    m_today = QDate::currentDate();
    const QVector<archive::IndexEntry> &entries = m_index.entries();
    const QVector<archive::DueItem> items = archive::dueForTest(entries, m_today, m_days->value());
    QVector<RowsModel::Row> rows;
    rows.reserve(items.size());
    int overdue = 0;
    for (const archive::DueItem &item : items) {
        const archive::IndexEntry &e = entries[item.entry];
        rows.append({{archive::dateText(e.nextTestDate), daysText(item.daysLeft), e.manufacturerNo, e.sartModel,
                      e.vessel, archive::dateText(e.testingDate), filenames::display(e.fileName)},
                     e.fileName,
                     item.overdue()});
        addLimitsCell(rows.back(), e);
        overdue += item.overdue();
    }
    m_model->setRows(std::move(rows));
    m_view->resizeColumnsToContents();
    if (m_model->rowCount() > 0)
        m_view->selectRow(0);
    const QString status = m_index.isBuilding()
                               ? tr("%n SARTs due, %1 of them overdue, as of %2 (reading the archive...)", nullptr,
                                    int(items.size()))
                               : tr("%n SARTs due, %1 of them overdue, as of %2", nullptr, int(items.size()));
    m_status->setText(status.arg(overdue).arg(archive::dateText(m_today)));
}

void DueDialog::paintList(QPrinter &printer) const
{
    QPainter p(&printer);
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution()).translated(
        -printer.pageLayout().paintRectPixels(printer.resolution()).topLeft());
    const double mm = printer.resolution() / 25.4;
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(9);
    QFont bold = font;
    bold.setBold(true);
    QFont title = bold;
    title.setPointSizeF(14);

    // Column widths in parts of the page width.
    const double parts[] = {0.11, 0.11, 0.13, 0.12, 0.17, 0.10, 0.14, 0.12};
    const double line = 6 * mm;
    int pageNumber = 1;
    double y = 0;
    auto header = [&] {
        p.setFont(title);
        p.setPen(Qt::black);
        p.drawText(QRectF(0, 0, page.width(), 9 * mm), Qt::AlignLeft | Qt::AlignVCenter,
                   tr("SARTs due for test within %n days", nullptr, m_days->value()));
        p.setFont(font);
        p.drawText(QRectF(0, 9 * mm, page.width(), line), Qt::AlignLeft | Qt::AlignVCenter,
                   m_status->text());
        y = 9 * mm + line * 1.5;
        p.setFont(bold);
        double x = 0;
        for (int c = 0; c < m_model->headers().size(); ++c) {
            p.drawText(QRectF(x, y, parts[c] * page.width() - mm, line), Qt::AlignLeft | Qt::AlignVCenter,
                       m_model->headers()[c]);
            x += parts[c] * page.width();
        }
        y += line;
        p.drawLine(QPointF(0, y), QPointF(page.width(), y));
        p.setFont(font);
    };
    auto footer = [&] {
        p.setPen(Qt::black);
        p.drawText(QRectF(0, page.height() - line, page.width(), line), Qt::AlignRight | Qt::AlignVCenter,
                   tr("Page %1").arg(pageNumber));
    };
    header();
    for (const RowsModel::Row &row : m_model->rows()) {
        if (y + line > page.height() - line * 1.5) {
            footer();
            printer.newPage();
            ++pageNumber;
            header();
        }
        if (!row.outsideLimits.isEmpty())
            p.fillRect(QRectF(0, y, page.width(), line), OutsideLimitBackground);
        p.setPen(row.marked ? QColor(176, 0, 0) : QColor(Qt::black));
        double x = 0;
        for (int c = 0; c < row.cells.size(); ++c) {
            const double w = parts[c] * page.width() - mm;
            p.drawText(QRectF(x, y, w, line), Qt::AlignLeft | Qt::AlignVCenter,
                       p.fontMetrics().elidedText(row.cells[c], Qt::ElideRight, int(w)));
            x += parts[c] * page.width();
        }
        y += line;
    }
    footer();
}

void DueDialog::print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    QPrintPreviewDialog preview(&printer, this);
    preview.setObjectName(QStringLiteral("DuePreview"));
    preview.setWindowTitle(tr("Due for test"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter *p) { paintList(*p); });
    takeOverPrinting(preview, printer);
    if (preview.exec() == QDialog::Accepted && !printer.outputFileName().isEmpty())
        showFileWritten(this, tr("The due list"), printer.outputFileName());
}

void DueDialog::exportCsv(const QString &path) const
{
    const QVector<archive::IndexEntry> &entries = m_index.entries();
    const QVector<archive::DueItem> items = archive::dueForTest(entries, m_today, m_days->value());
    csvfile::write(path, archive::dueTable(entries, items));
}

void DueDialog::exportWithDialog()
{
    const QString path = askCsvFile(this, QStringLiteral("DueExportDialog"),
                                    QStringLiteral("due-for-test-%1.csv").arg(m_today.toString(Qt::ISODate)));
    if (path.isEmpty())
        return;
    exportCsv(path);
    showFileWritten(this, tr("The due list"), path);
}
