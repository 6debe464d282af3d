#include "SigningSettingsDialog.h"

#include "AppError.h"
#include "CertificateSigning.h"
#include "ErrorBox.h"
#include "SigningKey.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <sys/stat.h>

namespace {

QLineEdit *pathField(const QString &name, const QString &text, QWidget *parent)
{
    auto *edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    edit->setMinimumWidth(360);
    return edit;
}

} // namespace

SigningSettingsDialog::SigningSettingsDialog(const signing::Settings &s, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SigningSettingsDialog"));
    setWindowTitle(tr("Certificate signing"));

    auto *intro = new QLabel(tr("With a key file set, every PDF certificate is signed as its last "
                                            "step, so that any change made to it afterwards shows. Leave the key "
                                            "file empty to save certificates unsigned."),
                             this);
    intro->setWordWrap(true);

    m_keyFile = pathField(QStringLiteral("SigningKeyFile"), s.keyFile, this);
    m_keyFile->setPlaceholderText(tr("not signed"));
    auto *browseKey = new QPushButton(tr("&Browse..."), this);
    browseKey->setObjectName(QStringLiteral("SigningBrowseKey"));
    auto *test = new QPushButton(tr("&Test the key"), this);
    test->setObjectName(QStringLiteral("SigningTest"));
    auto *keyRow = new QHBoxLayout;
    keyRow->addWidget(m_keyFile, 1);
    keyRow->addWidget(browseKey);
    keyRow->addWidget(test);

    m_identity = new QLabel(this);
    m_identity->setObjectName(QStringLiteral("SigningIdentity"));
    m_identity->setWordWrap(true);
    m_identity->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_identity->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Room for subject, issuer and validity, and a warning or a refusal.
    m_identity->setMinimumHeight(m_identity->fontMetrics().lineSpacing() * 6);
    m_identity->setText(s.enabled() ? tr("Test the key to see whose certificate it holds.")
                                    : tr("Certificates are not signed."));

    m_caFile = pathField(QStringLiteral("SigningCaFile"), s.caFile, this);
    m_caFile->setPlaceholderText(tr("none: signers are not checked against a CA"));
    auto *browseCa = new QPushButton(tr("Bro&wse..."), this);
    browseCa->setObjectName(QStringLiteral("SigningBrowseCa"));
    auto *caRow = new QHBoxLayout;
    caRow->addWidget(m_caFile, 1);
    caRow->addWidget(browseCa);

    m_visibleLine = new QCheckBox(tr("&Draw \"Signed by <name>, <date>\" at the top of the page"), this);
    m_visibleLine->setObjectName(QStringLiteral("SigningVisibleLine"));
    m_visibleLine->setChecked(s.visibleLine);

    const auto label = [this](const QString &text, QWidget *buddy) {
        auto *l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    auto *form = new QFormLayout;
    form->addRow(label(tr("&Key file (PKCS#12):"), m_keyFile), keyRow);
    form->addRow(tr("Certificate:"), m_identity);
    form->addRow(label(tr("&CA file for Check:"), m_caFile), caRow);
    form->addRow(m_visibleLine);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &SigningSettingsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(browseKey, &QPushButton::clicked, this, [this] {
        browse(m_keyFile, tr("Key file"), tr("PKCS#12 key files (*.p12 *.pfx);;All files (*)"));
        if (!m_keyFile->text().isEmpty())
            guarded(this, [this] { testKey(); });
    });
    connect(browseCa, &QPushButton::clicked, this, [this] {
        browse(m_caFile, tr("CA certificate"),
               tr("CA certificates (*.pem *.crt *.cer);;All files (*)"));
    });
    connect(test, &QPushButton::clicked, this, [this] { guarded(this, [this] { testKey(); }); });
    connect(m_keyFile, &QLineEdit::textEdited, this, [this] { m_tested.clear(); });
}

void SigningSettingsDialog::browse(QLineEdit *field, const QString &title, const QString &filter)
{
    QFileDialog dialog(this, title);
    dialog.setObjectName(QStringLiteral("SigningFileDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(filter);
    if (!field->text().isEmpty())
        dialog.selectFile(field->text());
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        field->setText(dialog.selectedFiles().constFirst());
        if (field == m_keyFile)
            m_tested.clear();
    }
}

bool SigningSettingsDialog::testKey()
{
    const QString path = m_keyFile->text().trimmed();
    m_tested.clear();
    if (path.isEmpty()) {
        m_identity->setText(tr("Certificates are not signed."));
        return true;
    }
    std::optional<signing::SigningKey> key;
    try {
        key = certificatesigning::askKey(this, path, tr("The key file is tested now."));
    } catch (const AppError &e) {
        m_identity->setText(e.text());
        throw;
    }
    if (!key) {
        m_identity->setText(tr("Not tested: no password was given."));
        return false;
    }
    const signing::Identity &id = key->identity();
    QString text = tr("Subject: %1\nIssued by: %2\nValid from %3 until %4")
                       .arg(id.subject, id.issuer, signing::dateText(id.notBefore), signing::dateText(id.notAfter));
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) == 0 && (st.st_mode & 077))
        text += u'\n' + tr("The key file can be read by others (mode %1): chmod 600 it.")
                    .arg(st.st_mode & 0777, 4, 8, QLatin1Char('0'));
    try {
        key->requireValidAt(QDateTime::currentDateTimeUtc());
    } catch (const AppError &e) {
        m_identity->setText(text + QStringLiteral("\n\n") + tr("Refused: %1").arg(e.text()));
        adjustSize();
        throw;
    }
    m_identity->setText(text);
    adjustSize();
    m_tested = path;
    return true;
}

void SigningSettingsDialog::accept()
{
    guarded(this, [this] {
        const QString ca = m_caFile->text().trimmed();
        if (!ca.isEmpty() && !QFileInfo(ca).isFile())
            errors::throwFile(ca, tr("no such CA certificate file"));
        const QString key = m_keyFile->text().trimmed();
        if (!key.isEmpty() && m_tested != key && !testKey())
            return;
        QDialog::accept();
    });
}

signing::Settings SigningSettingsDialog::settings() const
{
    return {m_keyFile->text().trimmed(), m_caFile->text().trimmed(), m_visibleLine->isChecked()};
}
