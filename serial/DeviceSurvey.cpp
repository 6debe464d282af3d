#include "DeviceSurvey.h"

#include <QThread>

#include <memory>
#include <utility>

DeviceSurvey::DeviceSurvey(QObject *parent) : QObject(parent) {}

DeviceSurvey::~DeviceSurvey()
{
    if (m_worker) {
        m_worker->wait();
        delete m_worker;
    }
}

void DeviceSurvey::start()
{
    if (m_worker) {
        m_again = true;
        return;
    }
    auto result = std::make_shared<serialdevices::Listing>();
    m_worker = QThread::create([result] { *result = serialdevices::survey(); });
    // finished comes from the worker thread: queued to this object's thread.
    connect(m_worker, &QThread::finished, this, [this, result] {
        m_worker->deleteLater();
        m_worker = nullptr;
        if (std::exchange(m_again, false)) {
            start();
            return;
        }
        emit finished(*result);
    });
    // A fair share of the processor, never an idle thread (SCHED_IDLE on
    // Linux), which a busy machine would hold off while the list stays empty.
    m_worker->start(QThread::LowPriority);
}
