#pragma once

#include "RegisterSettings.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

// Settings > Certificate register: how certificate numbers look, whether the
// number is printed on the certificate, and where the register is kept (an
// SQLite file on this computer or the centre's PostgreSQL server), with a
// test of the connection. The password is never asked for or kept.
class RegisterSettingsDialog : public QDialog
{
    Q_OBJECT

public:
    RegisterSettingsDialog(const certregister::Settings &settings, QWidget *parent = nullptr);

    certregister::Settings settings() const;
    // Opens the register as set in the dialog and tries a write that is
    // rolled back; the outcome is shown in the dialog.
    void testConnection();

    void accept() override;

private:
    void updateFields();

    QLineEdit *m_format = nullptr;
    QLabel *m_example = nullptr;
    QCheckBox *m_printNumber = nullptr;
    QRadioButton *m_sqlite = nullptr, *m_postgres = nullptr;
    QLineEdit *m_file = nullptr;
    QLineEdit *m_host = nullptr, *m_database = nullptr, *m_user = nullptr;
    QSpinBox *m_port = nullptr;
    QLabel *m_testResult = nullptr;
    QPushButton *m_ok = nullptr;
};
