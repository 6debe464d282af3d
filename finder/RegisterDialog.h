#pragma once

#include "CertificateRegister.h"
#include "RegisterJobs.h"

#include <QDialog>

class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class RegisterModel;

// Archive > Certificates issued: the register as a table, newest first,
// narrowed by a search text and a range of issue dates as the engineer
// types. Searching and Verify run off the window's thread; the table reads
// only the entries it shows. Verify marks the entries whose record changed
// since issue or is missing (looked for in the archive folder by its name
// there); certificates with an output not completed are shown in dark red
// and counted. The entries found can be exported as CSV.
class RegisterDialog : public QDialog
{
    Q_OBJECT

public:
    RegisterDialog(const certregister::Settings &settings, QWidget *parent = nullptr);

    // Brings the window up with the register read afresh and the search
    // text selected for typing over.
    void showFresh();
    // Reads the register again with the search and dates as they are.
    void refill();
    void verify();
    // The archive folder in which Verify looks for the records.
    void setArchiveFolder(const QString &folder) { m_archiveFolder = folder; }
    // Writes the entries found as CSV (csvfile::write).
    void exportCsv(const QString &path);

    QLineEdit *searchField() const { return m_search; }
    QDateEdit *fromDate() const { return m_from; }
    QDateEdit *toDate() const { return m_to; }
    QTableView *table() const { return m_view; }
    RegisterModel *model() const { return m_model; }
    // No search or Verify still running.
    bool isIdle() const { return !m_searches.isBusy() && !m_checks.isBusy(); }

signals:
    void recordChosen(const QString &fileName);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showStatus();
    void exportWithDialog();
    void chooseCurrent();

    certregister::Settings m_settings;
    certregister::Register m_register;  // the window thread's: reads the rows shown
    certregister::RegisterJobs m_searches, m_checks;
    QLineEdit *m_search = nullptr;
    QDateEdit *m_from = nullptr, *m_to = nullptr;
    QTableView *m_view = nullptr;
    RegisterModel *m_model = nullptr;
    QLabel *m_status = nullptr;
    QPushButton *m_verify = nullptr;
    QString m_archiveFolder;
    int m_notCompleted = 0;  // certificates found with an output not completed
    QString m_error;
    QString m_checkSummary;
    bool m_searching = false;
    bool m_verified = false;
};
