#pragma once

#include "SerialDevices.h"

#include <QObject>

class QThread;

// Lists the serial devices (serialdevices::survey) on a worker thread, so
// that a window never waits on the device folders, however many devices
// there are; the result comes back as `finished`, on this object's thread.
// A start while a listing runs lists again once it has ended, so that the
// last result is always as fresh as the last start.
class DeviceSurvey : public QObject
{
    Q_OBJECT

public:
    explicit DeviceSurvey(QObject *parent = nullptr);
    ~DeviceSurvey() override;  // waits for a listing that runs

    void start();
    bool isRunning() const { return m_worker != nullptr; }

signals:
    void finished(const serialdevices::Listing &listing);

private:
    QThread *m_worker = nullptr;
    bool m_again = false;
};
