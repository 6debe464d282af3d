#include "RegisterDialog.h"

#include "CsvFile.h"
#include "ErrorBox.h"
#include "FileWritten.h"
#include "Questions.h"
#include "RegisterModel.h"
#include "RowsModel.h"

#include <QCoreApplication>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// The earliest date of the range selectors, shown as "any": no limit.
const QDate AnyDate(2000, 1, 1);

QDateEdit *dateSelector(const QString &name, QWidget *parent)
{
    auto *edit = new QDateEdit(parent);
    edit->setObjectName(name);
    edit->setCalendarPopup(true);
    edit->setMinimumDate(AnyDate);
    edit->setSpecialValueText(QCoreApplication::translate("RegisterDialog", "any", "no date limit"));
    edit->setDate(AnyDate);
    edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    return edit;
}

QDate limitOf(const QDateEdit *edit) { return edit->date() == AnyDate ? QDate() : edit->date(); }

QString checkWord(const QHash<QString, certregister::RecordCheck> &checks, const QString &number, bool verified)
{
    if (!verified)
        return {};
    switch (checks.value(number, certregister::RecordCheck::Unchanged)) {
    case certregister::RecordCheck::Changed:
        return QStringLiteral("changed");
    case certregister::RecordCheck::Missing:
        return QStringLiteral("missing");
    case certregister::RecordCheck::Unchanged:
        break;
    }
    return QStringLiteral("unchanged");
}

} // namespace

RegisterDialog::RegisterDialog(const certregister::Settings &settings, QWidget *parent)
    : QDialog(parent), m_settings(settings), m_register(settings)
{
    setObjectName(QStringLiteral("RegisterDialog"));
    setWindowTitle(tr("Certificates issued"));
    resize(1100, 560);

    auto *prompt = new QLabel(tr("&Number, vessel, SART model, manufacturer's number, record, engineer:"), this);
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("RegisterSearch"));
    m_search->setClearButtonEnabled(true);
    prompt->setBuddy(m_search);
    m_search->installEventFilter(this);

    m_from = dateSelector(QStringLiteral("RegisterFrom"), this);
    m_to = dateSelector(QStringLiteral("RegisterTo"), this);
    auto *fromLabel = new QLabel(tr("Issued &from:"), this);
    fromLabel->setBuddy(m_from);
    auto *toLabel = new QLabel(tr("&to:"), this);
    toLabel->setBuddy(m_to);
    auto *range = new QHBoxLayout;
    range->addWidget(fromLabel);
    range->addWidget(m_from);
    range->addWidget(toLabel);
    range->addWidget(m_to);
    range->addStretch();

    m_model = new RegisterModel(
        [this](const QStringList &numbers) {
            // A register gone meanwhile shows the numbers alone; the status says why.
            try {
                return m_register.entries(numbers);
            } catch (const AppError &e) {
                m_error = e.text();
                QMetaObject::invokeMethod(this, &RegisterDialog::showStatus, Qt::QueuedConnection);
                return QVector<certregister::Entry>();
            }
        },
        this);
    m_view = rowsView(m_model, QStringLiteral("RegisterTable"), this);
    const int widths[] = {95, 135, 170, 110, 100, 120, 150, 85, 85, 85, 135, 150, 110, 80, 130};
    // A column is never narrower than its caption, in any language.
    for (int c = 0; c < int(std::size(widths)); ++c)
        m_view->horizontalHeader()->resizeSection(
            c, std::max(widths[c], m_view->horizontalHeader()->sectionSizeHint(c)));
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("RegisterStatus"));
    m_status->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(this);
    m_verify = buttons->addButton(tr("&Verify"), QDialogButtonBox::ActionRole);
    m_verify->setObjectName(QStringLiteral("RegisterVerify"));
    QPushButton *csv = buttons->addButton(tr("&Export CSV..."), QDialogButtonBox::ActionRole);
    csv->setObjectName(QStringLiteral("RegisterExport"));
    QPushButton *show = buttons->addButton(tr("&Show record"), QDialogButtonBox::AcceptRole);
    show->setObjectName(QStringLiteral("RegisterShow"));
    buttons->addButton(QDialogButtonBox::Close);
    for (QAbstractButton *b : buttons->buttons())
        if (auto *p = qobject_cast<QPushButton *>(b))
            p->setAutoDefault(false);
    connect(m_verify, &QPushButton::clicked, this, &RegisterDialog::verify);
    connect(csv, &QPushButton::clicked, this, [this] { guarded(this, [this] { exportWithDialog(); }); });
    connect(show, &QPushButton::clicked, this, &RegisterDialog::chooseCurrent);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_search);
    layout->addLayout(range);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_status);
    layout->addWidget(buttons);

    connect(m_search, &QLineEdit::textChanged, this, &RegisterDialog::refill);
    connect(m_from, &QDateEdit::dateChanged, this, &RegisterDialog::refill);
    connect(m_to, &QDateEdit::dateChanged, this, &RegisterDialog::refill);
    connect(m_search, &QLineEdit::returnPressed, this, &RegisterDialog::chooseCurrent);
    connect(m_view, &QAbstractItemView::activated, this, &RegisterDialog::chooseCurrent);
}

void RegisterDialog::showFresh()
{
    refill();
    show();
    raise();
    activateWindow();
    m_search->setFocus();
    m_search->selectAll();
}

void RegisterDialog::refill()
{
    // The newest search replaces any still running.
    m_searches.cancelAll();
    m_searching = true;
    m_error.clear();
    const certregister::Filter filter{limitOf(m_from), limitOf(m_to), m_search->text()};
    using Found = std::pair<QStringList, int>;
    m_searches.run<Found>(
        m_settings,
        [filter](certregister::Register &reg, const certregister::RegisterJobs::Stop &stop) {
            Found found{reg.numbers(filter, [&stop] { return stop.load(); }), 0};
            const QSet<QString> notCompleted = reg.notCompletedNumbers();
            for (const QString &number : found.first)
                found.second += notCompleted.contains(number);
            return found;
        },
        [this](const Found &found) {
            m_searching = false;
            m_notCompleted = found.second;
            m_model->setNumbers(found.first);
            if (m_model->rowCount() > 0)
                m_view->selectRow(0);
            showStatus();
        },
        [this](const QString &error) {
            m_searching = false;
            m_error = error;
            m_model->setNumbers({});
            showStatus();
        });
    showStatus();
}

void RegisterDialog::verify()
{
    m_checks.cancelAll();
    m_verify->setEnabled(false);
    m_checkSummary = tr("Verifying the records...");
    using Result = std::pair<QHash<QString, certregister::RecordCheck>, int>;
    m_checks.run<Result>(
        m_settings,
        [folder = m_archiveFolder](certregister::Register &reg, const certregister::RegisterJobs::Stop &stop) {
            Result result;
            result.first = reg.checkRecords(folder, [&stop] { return stop.load(); }, result.second);
            return result;
        },
        [this](const Result &result) {
            m_verify->setEnabled(true);
            int changed = 0;
            for (const certregister::RecordCheck c : result.first)
                changed += c == certregister::RecordCheck::Changed;
            const int missing = int(result.first.size()) - changed;
            m_checkSummary = result.first.isEmpty()
                                 ? tr("Verified: the records of all %n certificates are unchanged.", nullptr,
                                      result.second)
                                 : tr("Verified %n certificates: %1 with the record changed since "
                                      "issue (marked violet), %2 with the record missing (marked grey).",
                                      nullptr, result.second)
                                       .arg(changed)
                                       .arg(missing);
            m_model->setChecks(result.first);
            m_verified = true;
            showStatus();
        },
        [this](const QString &error) {
            m_verify->setEnabled(true);
            m_checkSummary = error;
            showStatus();
        });
    showStatus();
}

void RegisterDialog::showStatus()
{
    QStringList lines;
    if (!m_error.isEmpty())
        lines << m_error;
    else if (m_searching)
        lines << tr("Searching the register...");
    else
        lines << (m_notCompleted > 0 ? tr("%n certificates, %1 of them with an output not completed "
                                          "(in dark red)",
                                          nullptr, m_model->rowCount())
                                           .arg(m_notCompleted)
                                     : tr("%n certificates", nullptr, m_model->rowCount()));
    if (!m_checkSummary.isEmpty())
        lines << m_checkSummary;
    m_status->setText(lines.join(u'\n'));
}

void RegisterDialog::exportCsv(const QString &path)
{
    const QVector<certregister::Entry> entries = m_register.entries(m_model->numbers());
    // The columns of the first export stay first, "Record now" among them;
    // the later ones follow.
    QStringList captions = certregister::columnCaptions();
    captions.insert(certregister::FirstColumns, QStringLiteral("Record now"));
    QList<QStringList> rows{captions};
    for (const certregister::Entry &e : entries) {
        QStringList cells = certregister::cells(e);
        cells.insert(certregister::FirstColumns, checkWord(m_model->checks(), e.number, m_verified));
        rows.append(cells);
    }
    csvfile::write(path, rows);
}

void RegisterDialog::exportWithDialog()
{
    const QString path = askCsvFile(this, QStringLiteral("RegisterExportDialog"),
                                    QStringLiteral("certificates-%1.csv").arg(QDate::currentDate().toString(Qt::ISODate)));
    if (path.isEmpty())
        return;
    exportCsv(path);
    showFileWritten(this, tr("The list of %n certificates", nullptr, m_model->rowCount()), path);
}

void RegisterDialog::chooseCurrent()
{
    const QModelIndex current = m_view->currentIndex();
    if (!current.isValid())
        return;
    const QString fileName = m_model->entry(current.row()).recordFile;
    if (fileName.isEmpty())
        return;
    hide();
    emit recordChosen(fileName);
}

bool RegisterDialog::eventFilter(QObject *watched, QEvent *event)
{
    // Up and down in the search field move through the entries.
    if (watched == m_search && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
            QCoreApplication::sendEvent(m_view, event);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
