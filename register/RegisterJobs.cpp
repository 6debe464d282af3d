#include "RegisterJobs.h"

namespace certregister {

RegisterJobs::~RegisterJobs()
{
    cancelAll();
    for (const Job &job : m_jobs) {
        // A job that waits on a server that does not answer is left to end
        // by itself (its connection times out) rather than hold up the
        // window: its thread is never deleted while it runs.
        if (job.thread->wait(QDeadlineTimer(LeaveAfterMs)))
            delete job.thread;
        else
            QObject::connect(job.thread, &QThread::finished, job.thread, &QObject::deleteLater);
    }
}

void RegisterJobs::cancelAll()
{
    for (const Job &job : m_jobs)
        *job.stop = true;
}

void RegisterJobs::forget(QThread *thread)
{
    std::erase_if(m_jobs, [thread](const Job &job) { return job.thread == thread; });
    thread->deleteLater();
}

} // namespace certregister
