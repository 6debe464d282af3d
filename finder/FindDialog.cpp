#include "FindDialog.h"

#include "ArchiveIndex.h"
#include "FileNames.h"
#include "RowsModel.h"

#include <QCoreApplication>
#include <QDate>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

namespace {

enum Column { FileColumn, VesselColumn, ModelColumn, NumberColumn, TestingColumn, NextColumn };

// Every column fits the window at any width: the model, the number and the
// two dates as wide as their headings or a long date need, the file name and
// the vessel sharing the rest.
void fitColumns(QTableView &view)
{
    QHeaderView *header = view.horizontalHeader();
    header->setStretchLastSection(false);
    const int margin = 2 * view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 12;
    const int date = view.fontMetrics().horizontalAdvance(archive::dateText(QDate(2026, 12, 28))) + margin;
    for (const int c : {ModelColumn, NumberColumn, TestingColumn, NextColumn}) {
        header->setSectionResizeMode(c, QHeaderView::Interactive);
        const int dates = c == TestingColumn || c == NextColumn ? date : 0;
        header->resizeSection(c, std::max({header->sectionSizeHint(c), dates, c == ModelColumn ? 120 : 0}));
    }
    for (const int c : {FileColumn, VesselColumn})
        header->setSectionResizeMode(c, QHeaderView::Stretch);
}

} // namespace

FindDialog::FindDialog(const archive::ArchiveIndex &index, QWidget *parent)
    : QDialog(parent), m_index(index)
{
    setObjectName(QStringLiteral("FindDialog"));
    setWindowTitle(QStringLiteral("Find"));
    resize(900, 480);

    auto *prompt = new QLabel(QStringLiteral("&Vessel, SART model, manufacturer's number, file or date:"), this);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("FindEdit"));
    m_edit->setClearButtonEnabled(true);
    prompt->setBuddy(m_edit);
    m_edit->installEventFilter(this);

    m_model = new RowsModel({QStringLiteral("File"), QStringLiteral("Vessel"), QStringLiteral("SART model"),
                             QStringLiteral("Manufacturer's number"), QStringLiteral("Testing date"),
                             QStringLiteral("Next testing date")},
                            this);
    m_view = rowsView(m_model, QStringLiteral("FindResults"), this);
    fitColumns(*m_view);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("FindStatus"));

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *show = buttons->addButton(QStringLiteral("&Show record"), QDialogButtonBox::AcceptRole);
    show->setObjectName(QStringLiteral("FindShow"));
    show->setAutoDefault(false);
    buttons->addButton(QDialogButtonBox::Close)->setAutoDefault(false);
    connect(show, &QPushButton::clicked, this, &FindDialog::chooseCurrent);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_edit);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_status);
    layout->addWidget(buttons);

    connect(m_edit, &QLineEdit::textChanged, this, &FindDialog::refill);
    connect(m_edit, &QLineEdit::returnPressed, this, &FindDialog::chooseCurrent);
    connect(m_view, &QAbstractItemView::activated, this, &FindDialog::chooseCurrent);
    // A hidden window is filled when it is shown.
    connect(&m_index, &archive::ArchiveIndex::changed, this, [this] {
        if (isVisible())
            refill();
    });
    refill();
}

void FindDialog::showForSearch()
{
    refill();
    show();
    raise();
    activateWindow();
    m_edit->setFocus();
    m_edit->selectAll();
}

void FindDialog::refill()
{
    const QVector<archive::IndexEntry> &entries = m_index.entries();
    QVector<RowsModel::Row> rows;
    const QVector<int> found = archive::search(entries, m_edit->text());
    rows.reserve(found.size());
    for (int i : found) {
        const archive::IndexEntry &e = entries[i];
        // A record never saved, or with a header that cannot be read, says so
        // where the vessel would be.
        const bool incomplete = !e.headerSaved || !e.problem.isEmpty();
        const QString vessel = !e.headerSaved       ? QStringLiteral("(header not saved)")
                               : !e.problem.isEmpty() ? QStringLiteral("(header unreadable: %1)").arg(e.problem)
                                                      : e.vessel;
        rows.append({{filenames::display(e.fileName), vessel, e.sartModel, e.manufacturerNo, archive::dateText(e.testingDate),
                      archive::dateText(e.nextTestDate)},
                     e.fileName,
                     false,
                     incomplete});
    }
    m_model->setRows(std::move(rows));
    if (m_model->rowCount() > 0)
        m_view->selectRow(0);
    QString status = QStringLiteral("%1 of %2 records").arg(found.size()).arg(entries.size());
    if (m_index.isBuilding())
        status += QStringLiteral(" (reading the archive...)");
    m_status->setText(status);
}

void FindDialog::chooseCurrent()
{
    const QModelIndex current = m_view->currentIndex();
    if (!current.isValid())
        return;
    const QString fileName = m_model->row(current.row()).fileName;
    hide();
    emit recordChosen(fileName);
}

bool FindDialog::eventFilter(QObject *watched, QEvent *event)
{
    // Up and down in the search field move through the results.
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
            QCoreApplication::sendEvent(m_view, event);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
