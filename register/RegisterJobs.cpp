#include "RegisterJobs.h"

namespace certregister {

RegisterJobs::~RegisterJobs()
{
    cancelAll();
    for (const Job &job : m_jobs) {
        job.thread->wait();
        delete job.thread;
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
