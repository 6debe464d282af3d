#include "Reception.h"

#include "RecordLayout.h"

#include <QLocale>

#include <algorithm>
#include <chrono>
#include <thread>

namespace reception {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// The longest the loop waits on the port, or sleeps, before it runs the
// window's events again: the window stays responsive, and a slow line costs
// almost no processor time.
constexpr milliseconds Slice(5);

// A rate outside the list counts as the slowest; the port refuses it anyway.
int byteTimeUs(TBaud baud) { return int(10'000'000 / std::max(baudRate(baud), 110u)); }

// The waits of one reception. Runs the caller's event processing at least
// once per slice and notices a request to stop.
class Waiter
{
public:
    enum Status { Ready, TimedOut, Stop };

    Waiter(TComm &comm, const Hooks &hooks) : m_comm(comm), m_hooks(hooks) {}

    // Waits until received bytes are waiting or the time-out has passed.
    Status waitInput(milliseconds timeout)
    {
        const Clock::time_point deadline = Clock::now() + timeout;
        for (;;) {
            if (serviceEvents())
                return Stop;
            const auto left = std::chrono::ceil<milliseconds>(deadline - Clock::now());
            if (m_comm.WaitIn(int(std::clamp(left, milliseconds(0), Slice).count())))
                return Ready;
            if (Clock::now() >= deadline)
                return TimedOut;
        }
    }

    // Lets the given time pass.
    Status pause(milliseconds duration)
    {
        const Clock::time_point end = Clock::now() + duration;
        for (Clock::time_point now = Clock::now(); now < end; now = Clock::now()) {
            std::this_thread::sleep_for(std::min<Clock::duration>(end - now, Slice));
            if (serviceEvents())
                return Stop;
        }
        return Ready;
    }

private:
    // Runs the window's events when a slice has passed since the last time;
    // true when the caller asked to stop.
    bool serviceEvents()
    {
        const Clock::time_point now = Clock::now();
        if (now - m_lastEvents < Slice)
            return false;
        m_lastEvents = now;
        if (m_hooks.processEvents)
            m_hooks.processEvents();
        return m_hooks.stopRequested && m_hooks.stopRequested();
    }

    TComm &m_comm;
    const Hooks &m_hooks;
    Clock::time_point m_lastEvents = Clock::now();
};

} // namespace

int waitTimeoutMs(TBaud baud) { return std::max(1000, 50 * byteTimeUs(baud) / 1000); }

int quietTimeMs(TBaud baud) { return 2 + (3 * byteTimeUs(baud) + 999) / 1000; }

Result receive(TComm &comm, QByteArray &buffer, const Hooks &hooks)
{
    const milliseconds timeout(waitTimeoutMs(comm.Baud()));
    const milliseconds quiet(quietTimeMs(comm.Baud()));
    buffer.resize(layout::RecordSize);
    if (hooks.progress)
        hooks.progress(0);

    comm.Connect();
    if (const int e = comm.GetError(); e != 0)
        return {Outcome::PortFailed, 0, e};
    comm.PurgeIn();  // whatever came before the start request is not an answer

    Waiter waiter(comm, hooks);
    comm.SendByte(StartRequest);
    switch (waiter.waitInput(timeout)) {
    case Waiter::Stop: return {Outcome::Stopped};
    case Waiter::TimedOut: return {Outcome::NoAnswer};
    case Waiter::Ready: break;
    }
    // A second answer byte would be taken for the first record byte.
    if (waiter.pause(quiet) == Waiter::Stop)
        return {Outcome::Stopped};
    if (comm.GetIn() != 1)
        return {Outcome::ExtraStartAnswer};
    comm.GetByte();

    for (int k = 0; k < layout::RecordSize; ++k) {
        // A byte waiting before its request was asked for by nobody: taking it
        // would shift the rest of the record by one byte.
        if (comm.GetIn() != 0)
            return {Outcome::StrayByte, k};
        comm.SendByte(ByteRequest);
        switch (waiter.waitInput(timeout)) {
        case Waiter::Stop: return {Outcome::Stopped, k};
        case Waiter::TimedOut: return {Outcome::ByteMissing, k};
        case Waiter::Ready: break;
        }
        buffer[k] = char(comm.GetByte());
        if (hooks.progress)
            hooks.progress(k + 1);
    }
    // A byte arriving after the last answer means one of the answers was not
    // the answer to its request.
    if (waiter.pause(quiet) == Waiter::Stop)
        return {Outcome::Stopped, layout::RecordSize};
    if (comm.GetIn() != 0)
        return {Outcome::StrayByte, layout::RecordSize};
    return {Outcome::Complete, layout::RecordSize};
}

void stampRecord(QByteArray &record, const QDateTime &now)
{
    const QLocale c = QLocale::c();
    const QByteArray time = c.toString(now.time(), QStringLiteral("HH:mm:ss")).toLatin1();
    const QByteArray date = c.toString(now.date(), QStringLiteral("ddMMyy")).toLatin1();
    record.replace(layout::ReceiveTime, layout::ReceiveTimeWidth, time);
    record.replace(layout::ReceiveDate, layout::ReceiveDateWidth, date);
}

QString withRecordExtension(const QString &fileName)
{
    if (fileName.endsWith(QStringLiteral(".bin"), Qt::CaseInsensitive))
        return fileName;
    return fileName + QStringLiteral(".bin");
}

} // namespace reception
