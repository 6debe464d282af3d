#include "RegisterSettingsDialog.h"

#include "AppError.h"
#include "CertificateRegister.h"
#include "ErrorBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QDate>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QLineEdit *field(const QString &name, const QString &text, QWidget *parent)
{
    auto *edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    return edit;
}

} // namespace

RegisterSettingsDialog::RegisterSettingsDialog(const certregister::Settings &s, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("RegisterSettingsDialog"));
    setWindowTitle(tr("Certificate register"));

    auto *numbers = new QGroupBox(tr("Certificate numbers"), this);
    auto *numberForm = new QFormLayout(numbers);
    m_format = field(QStringLiteral("RegisterFormat"), s.numberFormat, numbers);
    m_format->setToolTip(tr("YYYY: the year of issue; a run of # the sequence, with that many digits "
                                        "at least. With YYYY the sequence starts again each year."));
    numberForm->addRow(tr("&Format:"), m_format);
    m_example = new QLabel(numbers);
    m_example->setObjectName(QStringLiteral("RegisterExample"));
    numberForm->addRow(tr("Example:"), m_example);
    m_printNumber = new QCheckBox(tr("&Print the number on the certificate page and in the Word document"),
                                  numbers);
    m_printNumber->setObjectName(QStringLiteral("RegisterPrintNumber"));
    m_printNumber->setChecked(s.printNumber);
    numberForm->addRow(m_printNumber);

    auto *storage = new QGroupBox(tr("Where the register is kept"), this);
    auto *storageLayout = new QVBoxLayout(storage);
    m_sqlite = new QRadioButton(tr("&SQLite file on this computer"), storage);
    m_sqlite->setObjectName(QStringLiteral("RegisterSqlite"));
    m_file = field(QStringLiteral("RegisterFile"), s.sqlitePath, storage);
    m_file->setPlaceholderText(certregister::defaultSqlitePath());
    m_postgres = new QRadioButton(tr("Post&greSQL server of the service centre"), storage);
    m_postgres->setObjectName(QStringLiteral("RegisterPostgres"));
    (s.engine == certregister::Engine::PostgreSQL ? m_postgres : m_sqlite)->setChecked(true);
    auto *server = new QFormLayout;
    m_host = field(QStringLiteral("RegisterHost"), s.host, storage);
    m_port = new QSpinBox(storage);
    m_port->setObjectName(QStringLiteral("RegisterPort"));
    m_port->setRange(1, 65535);
    m_port->setValue(s.port);
    m_database = field(QStringLiteral("RegisterDatabase"), s.database, storage);
    m_user = field(QStringLiteral("RegisterUser"), s.user, storage);
    m_user->setPlaceholderText(tr("your login name"));
    server->addRow(tr("&Host:"), m_host);
    server->addRow(tr("P&ort:"), m_port);
    server->addRow(tr("&Database:"), m_database);
    server->addRow(tr("&User:"), m_user);
    auto *password = new QLabel(tr("The password is read from ~/.pgpass or the environment variable "
                                               "PGPASSWORD; the program never asks for it or keeps it."),
                                storage);
    password->setWordWrap(true);
    storageLayout->addWidget(m_sqlite);
    storageLayout->addWidget(m_file);
    storageLayout->addWidget(m_postgres);
    storageLayout->addLayout(server);
    storageLayout->addWidget(password);

    auto *test = new QPushButton(tr("&Test the connection"), this);
    test->setObjectName(QStringLiteral("RegisterTest"));
    test->setAutoDefault(false);
    m_testResult = new QLabel(this);
    m_testResult->setObjectName(QStringLiteral("RegisterTestResult"));
    m_testResult->setWordWrap(true);
    m_testResult->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(test, &QPushButton::clicked, this, &RegisterSettingsDialog::testConnection);
    connect(m_format, &QLineEdit::textChanged, this, &RegisterSettingsDialog::updateFields);
    connect(m_sqlite, &QRadioButton::toggled, this, &RegisterSettingsDialog::updateFields);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(numbers);
    layout->addWidget(storage);
    layout->addWidget(test, 0, Qt::AlignLeft);
    layout->addWidget(m_testResult);
    layout->addWidget(buttons);
    updateFields();
}

certregister::Settings RegisterSettingsDialog::settings() const
{
    certregister::Settings s;
    s.numberFormat = m_format->text().trimmed();
    s.printNumber = m_printNumber->isChecked();
    s.engine = m_postgres->isChecked() ? certregister::Engine::PostgreSQL : certregister::Engine::SQLite;
    s.sqlitePath = m_file->text().trimmed();
    s.host = m_host->text().trimmed();
    s.port = m_port->value();
    s.database = m_database->text().trimmed();
    s.user = m_user->text().trimmed();
    return s;
}

void RegisterSettingsDialog::updateFields()
{
    // A format that cannot number says why while it is typed, and OK waits.
    const QString format = m_format->text().trimmed();
    const QString problem = certregister::formatProblem(format);
    m_example->setText(problem.isEmpty() ? certregister::formatNumber(format, QDate::currentDate().year(), 42)
                                         : tr("This format cannot number certificates: %1.").arg(problem));
    m_ok->setEnabled(problem.isEmpty());
    const bool server = m_postgres->isChecked();
    m_file->setEnabled(!server);
    for (QWidget *w : {static_cast<QWidget *>(m_host), static_cast<QWidget *>(m_port),
                       static_cast<QWidget *>(m_database), static_cast<QWidget *>(m_user)})
        w->setEnabled(server);
}

void RegisterSettingsDialog::testConnection()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        certregister::Register reg(settings());
        reg.checkWritable();
        m_testResult->setText(tr("The register %1 can be written: %n certificates in it.", nullptr, reg.count())
                                  .arg(certregister::describe(settings())));
    } catch (const AppError &e) {
        m_testResult->setText(e.text());
    }
    QApplication::restoreOverrideCursor();
}

void RegisterSettingsDialog::accept()
{
    const QString format = m_format->text().trimmed();
    const QString problem = certregister::formatProblem(format);
    if (!problem.isEmpty()) {
        QMessageBox::warning(this, programTitle(),
                             tr("The certificate number format \"%1\" cannot number certificates: %2.")
                                 .arg(certregister::visibleFormat(format), problem));
        m_format->setFocus();
        return;
    }
    QDialog::accept();
}
