#pragma once

#include "AppError.h"
#include "CertificateRegister.h"

#include <QObject>
#include <QThread>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

// Register work that must not hold up the window (a search through 100,000
// entries, Verify): each job runs on a thread of its own with a connection
// of its own, and its result or error comes back on the owner's thread. A
// job cancelled, or whose owner is gone, delivers nothing.
namespace certregister {

class RegisterJobs : public QObject
{
    Q_OBJECT

public:
    explicit RegisterJobs(QObject *parent = nullptr) : QObject(parent) {}
    ~RegisterJobs() override;

    using Stop = std::atomic_bool;

    template<typename R>
    void run(const Settings &settings, std::function<R(Register &, const Stop &)> work,
             std::function<void(const R &)> done, std::function<void(const QString &error)> failed)
    {
        auto stop = std::make_shared<Stop>(false);
        struct Outcome
        {
            R result{};
            QString error;
        };
        auto outcome = std::make_shared<Outcome>();
        QThread *thread = QThread::create([settings, work = std::move(work), stop, outcome] {
            try {
                Register reg(settings);
                outcome->result = work(reg, *stop);
            } catch (const AppError &e) {
                outcome->error = e.text();
            }
        });
        m_jobs.push_back({thread, stop});
        connect(thread, &QThread::finished, this, [this, thread, stop, outcome, done, failed] {
            forget(thread);
            if (stop->load())
                return;
            if (outcome->error.isEmpty())
                done(outcome->result);
            else
                failed(outcome->error);
        });
        thread->start(QThread::LowPriority);
    }

    // Jobs still running deliver nothing; they end soon after. Gone with
    // its owner, the object waits at most LeaveAfterMs for each.
    void cancelAll();
    static constexpr int LeaveAfterMs = 1000;
    bool isBusy() const { return !m_jobs.empty(); }

private:
    struct Job
    {
        QThread *thread;
        std::shared_ptr<Stop> stop;
    };
    void forget(QThread *thread);

    std::vector<Job> m_jobs;
};

} // namespace certregister
