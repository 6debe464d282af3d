#include "FindDialog.h"

#include "ArchiveIndex.h"
#include "FoundModel.h"
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

enum Column { FileColumn, VesselColumn, ModelColumn, NumberColumn, TestingColumn, NextColumn, OutsideColumn };

// Every column fits the window at any width: the model, the number, the
// two dates and the limits as wide as their headings or a long date need,
// the file name and the vessel sharing the rest.
void fitColumns(QTableView &view)
{
    QHeaderView *header = view.horizontalHeader();
    header->setStretchLastSection(false);
    const int margin = 2 * view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 12;
    const int date = view.fontMetrics().horizontalAdvance(archive::dateText(QDate(2026, 12, 28))) + margin;
    for (const int c : {ModelColumn, NumberColumn, TestingColumn, NextColumn, OutsideColumn}) {
        header->setSectionResizeMode(c, QHeaderView::Interactive);
        const int dates = c == TestingColumn || c == NextColumn ? date : 0;
        header->resizeSection(c, std::max({header->sectionSizeHint(c), dates, c == ModelColumn ? 120 : 0}));
    }
    for (const int c : {FileColumn, VesselColumn})
        header->setSectionResizeMode(c, QHeaderView::Stretch);
}

} // namespace

FindDialog::FindDialog(archive::ArchiveIndex &index, QWidget *parent)
    : QDialog(parent), m_index(index)
{
    setObjectName(QStringLiteral("FindDialog"));
    setWindowTitle(tr("Find"));
    resize(900, 480);

    auto *prompt = new QLabel(tr("&Vessel, SART model, manufacturer's number, file or date:"), this);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("FindEdit"));
    m_edit->setClearButtonEnabled(true);
    prompt->setBuddy(m_edit);
    m_edit->installEventFilter(this);

    m_model = new FoundModel(this);
    m_view = rowsView(m_model, QStringLiteral("FindResults"), this);
    fitColumns(*m_view);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("FindStatus"));

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *show = buttons->addButton(tr("&Show record"), QDialogButtonBox::AcceptRole);
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
    followArchive(this, m_index, [this] { refill(); });
    connect(&m_index, &archive::ArchiveIndex::found, this,
            [this](const QString &query, const QVector<archive::IndexEntry> &entries, const QVector<int> &matches) {
                if (query != m_edit->text())
                    return;  // typed on meanwhile: a newer search comes
                m_model->setResults(entries, matches);
                if (m_model->rowCount() > 0)
                    m_view->selectRow(0);
                m_resultsFor = query;
                m_hasResults = true;
                showStatus();
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
    m_hasResults = false;
    m_index.find(m_edit->text());
    showStatus();
}

void FindDialog::showStatus()
{
    const int total = int(m_index.entries().size());
    if (m_hasResults)
        m_status->setText((m_index.isBuilding() ? tr("%1 of %n records (reading the archive...)", nullptr, total)
                                                : tr("%1 of %n records", nullptr, total))
                              .arg(m_model->rowCount()));
    else
        m_status->setText(m_index.isBuilding() ? tr("Searching %n records... (reading the archive...)", nullptr, total)
                                               : tr("Searching %n records...", nullptr, total));
}

void FindDialog::chooseCurrent()
{
    const QModelIndex current = m_view->currentIndex();
    if (!current.isValid())
        return;
    const QString fileName = m_model->entry(current.row()).fileName;
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
