#pragma once

#include "SigningSettings.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;

// Settings > Certificate signing: the PKCS#12 key file certificates are
// signed with, tested on the spot (its certificate's subject, issuer and
// validity shown; one expired or not yet valid refused), the CA file Check
// verifies signers against, and the visible "Signed by" line. An empty key
// file: certificates are not signed.
class SigningSettingsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit SigningSettingsDialog(const signing::Settings &settings, QWidget *parent = nullptr);
    signing::Settings settings() const;

    void accept() override;

private:
    // Opens the key file (asking its password) and shows what it holds;
    // false, saying why, when it cannot sign now.
    bool testKey();
    void browse(QLineEdit *field, const QString &title, const QString &filter);

    QLineEdit *m_keyFile;
    QLineEdit *m_caFile;
    QCheckBox *m_visibleLine;
    QLabel *m_identity;
    QString m_tested;  // the key file as last tested and found able to sign
};
