#include "HistoryDialog.h"

#include "ArchiveIndex.h"
#include "FileNames.h"
#include "HistoryPlot.h"
#include "RowsModel.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

HistoryDialog::HistoryDialog(const archive::ArchiveIndex &index, QWidget *parent)
    : QDialog(parent), m_index(index)
{
    setObjectName(QStringLiteral("HistoryDialog"));
    resize(1180, 640);

    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("HistoryTitle"));
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);

    m_model = new RowsModel({tr("Testing date"), tr("Upper frequency, GHz"), tr("Lower frequency, GHz"), tr("Power, mW"),
                             tr("Signal duration, \u00B5s"), tr("Tunings"), tr("Next testing date"), tr("Vessel"),
                             tr("Engineer"), tr("File"), limitsColumn()},
                            this);
    m_view = rowsView(m_model, QStringLiteral("HistoryList"), this);
    m_plot = new HistoryPlot(this);

    auto *split = new QSplitter(Qt::Vertical, this);
    split->addWidget(m_view);
    split->addWidget(m_plot);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_title);
    layout->addWidget(split, 1);
    layout->addWidget(buttons);

    connect(m_view, &QAbstractItemView::activated, this, [this](const QModelIndex &i) {
        emit recordChosen(m_model->row(i.row()).fileName);
    });
    followArchive(this, m_index, [this] { refill(); });
}

void HistoryDialog::showFor(const QString &manufacturerNo)
{
    m_number = manufacturerNo.trimmed();
    setWindowTitle(tr("History of SART %1").arg(m_number));
    refill();
    show();
    raise();
    activateWindow();
    m_view->setFocus();
}

void HistoryDialog::refill()
{
    const QVector<archive::IndexEntry> &entries = m_index.entries();
    const QVector<int> found = archive::history(entries, m_number);
    QVector<RowsModel::Row> rows;
    QVector<HistoryPlot::Point> points;
    for (int i : found) {
        const archive::IndexEntry &e = entries[i];
        rows.append({{archive::dateText(e.testingDate), e.frequencyHigh, e.frequencyLow, e.power, e.signalDuration,
                      e.tunings, archive::dateText(e.nextTestDate), e.vessel, e.engineer,
                      filenames::display(e.fileName)},
                     e.fileName});
        addLimitsCell(rows.back(), e);
        if (e.measured) {
            const MeasuredValues &m = *e.measured;
            QString details = tr("%1, %2\nEmitted power %3 mW\nFrequency %4 to %5\n"
                                 "Signal duration %6, %n tunings",
                                 nullptr, int(m.tunings))
                                  .arg(archive::dateText(e.testingDate), filenames::display(e.fileName))
                                  .arg(m.powerMw)
                                  .arg(limits::frequencyText(m.lowKHz), limits::frequencyText(m.highKHz),
                                       limits::durationText(m.durationUnits));
            if (!rows.back().outsideLimits.isEmpty())
                details += QStringLiteral("\n\n") + rows.back().outsideLimits;
            points.append({e.testingDate, double(m.powerMw), m.lowKHz / 1e6, m.highKHz / 1e6,
                           !rows.back().outsideLimits.isEmpty(), details});
        }
    }
    m_model->setRows(std::move(rows));
    m_plot->setPoints(std::move(points));
    m_view->resizeColumnsToContents();
    if (m_model->rowCount() > 0)
        m_view->selectRow(m_model->rowCount() - 1);

    const int count = int(found.size());
    const bool building = m_index.isBuilding();
    if (found.isEmpty()) {
        m_title->setText((building ? tr("Manufacturer's number %1: %n records (reading the archive...)", nullptr, count)
                                   : tr("Manufacturer's number %1: %n records", nullptr, count))
                             .arg(m_number));
        return;
    }
    const archive::IndexEntry &latest = entries[found.back()];
    m_title->setText(
        (building ? tr("Manufacturer's number %1: %n records; %2 on %3 (reading the archive...)", nullptr, count)
                  : tr("Manufacturer's number %1: %n records; %2 on %3", nullptr, count))
            .arg(m_number, latest.sartModel, latest.vessel));
}
