#pragma once

#include <QDialog>
#include <QString>

class QComboBox;
class QFileDialog;
class QGroupBox;
class QLabel;
class QProgressBar;
class QTreeWidget;
class QPushButton;
class TComm;

// The receive dialog: fetches a record from the SART tester over a serial
// port and saves it, stamped with the computer's date and time, as a record
// file. Shown modally by the main window; every closing emits formClosed().
class TForm2 : public QDialog
{
    Q_OBJECT
public:
    explicit TForm2(const QString &startDirectory, QWidget *parent = nullptr);
    ~TForm2() override;

    void done(int result) override;

    // The record file the last reception saved, once; empty when none was.
    QString takeSavedPath();

signals:
    void formClosed();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void FormClose();
    void Button1Click();
    void Button9Click();
    void CBPortChange();
    void AssignButtonClick();
    void refreshDevices();
    void fitDeviceList();
    QString selectedDevicePath() const;
    bool confirmDiscard();
    void showReceivingError();
    void showLostLine(int received);
    bool confirmReplace(const QString &path);
    bool confirmUnguarded(const QString &text);

    QString m_startDirectory;
    QGroupBox *GroupBox1;
    QLabel *Label2;
    QComboBox *CBPort;
    QLabel *Label1;
    QComboBox *CBBaud;
    QLabel *DeviceLabel;
    QProgressBar *Gauge1;
    QPushButton *Button1;
    QPushButton *BitBtn1;
    QPushButton *Button9;
    QGroupBox *DevicesBox;
    QTreeWidget *DeviceList;
    QPushButton *AssignButton;
    QPushButton *RefreshButton;
    QFileDialog *SaveDialog1 = nullptr;  // made on first use
    TComm *Comm1;
    QByteArray ReceiveBuffer;
    bool m_stopRequested = false;
    QString m_savedPath;
};
