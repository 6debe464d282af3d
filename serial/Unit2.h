#pragma once

#include "SerialDevices.h"

#include <QDialog>
#include <QString>

class QComboBox;
class QFileDialog;
class QGroupBox;
class QLabel;
class QProgressBar;
class QTreeWidget;
class QPushButton;
class DeviceSurvey;
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

    // True while the serial devices are being listed; the list fills in
    // when they have been.
    bool isListingDevices() const;

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
    void showDevices(const serialdevices::Listing &listing);
    void fitDeviceList();
    QString selectedDevicePath() const;
    bool confirmRepoint(const QString &port, const QString &device);
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
    bool m_receiving = false;
    bool m_listChosen = false;  // the device list got the focus by the engineer's choice
    QString m_savedPath;
    DeviceSurvey *m_survey;
    serialdevices::Listing m_listing;  // the last one made
};
