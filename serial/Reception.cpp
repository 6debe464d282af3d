#include "Reception.h"

#include "AppError.h"
#include "Convert.h"
#include "RecordLayout.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
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
// once per slice and notices a request to stop and a line that broke.
class Waiter
{
public:
    enum Status { Ready, TimedOut, Stop, Lost };

    Waiter(TComm &comm, const Hooks &hooks) : m_comm(comm), m_hooks(hooks), m_lastEvents(now()) {}

    // Waits until received bytes are waiting or the time-out has passed.
    Status waitInput(milliseconds timeout)
    {
        const Clock::time_point deadline = now() + timeout;
        for (;;) {
            if (serviceEvents())
                return Stop;
            const auto left = std::chrono::ceil<milliseconds>(deadline - now());
            if (m_comm.WaitIn(int(std::clamp(left, milliseconds(0), Slice).count())))
                return Ready;
            if (m_comm.LineFault() != 0)
                return Lost;
            if (now() >= deadline)
                return TimedOut;
        }
    }

    // Lets the given time pass.
    Status pause(milliseconds duration)
    {
        const Clock::time_point end = now() + duration;
        for (Clock::time_point t = now(); t < end; t = now()) {
            sleep(std::min<Clock::duration>(end - t, Slice));
            if (serviceEvents())
                return Stop;
        }
        return Ready;
    }

private:
    Clock::time_point now() const { return m_hooks.now ? m_hooks.now() : Clock::now(); }

    void sleep(Clock::duration d) const
    {
        if (m_hooks.sleep)
            m_hooks.sleep(d);
        else
            std::this_thread::sleep_for(d);
    }

    // Runs the window's events when a slice has passed since the last time;
    // true when the caller asked to stop.
    bool serviceEvents()
    {
        const Clock::time_point t = now();
        if (t - m_lastEvents < Slice)
            return false;
        m_lastEvents = t;
        if (m_hooks.processEvents)
            m_hooks.processEvents();
        return m_hooks.stopRequested && m_hooks.stopRequested();
    }

    TComm &m_comm;
    const Hooks &m_hooks;
    Clock::time_point m_lastEvents;
};

// Reads the byte a wait found. GetByte cannot tell a byte 0 from none; a read
// that gives nothing after the wait found input means the device has ended
// its data: it was hung up.
bool readByte(TComm &comm, char &byte)
{
    const QByteArray read = comm.GetString(1);
    if (read.size() != 1)
        return false;
    byte = read.at(0);
    return true;
}

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
    // The line broke before the start answer (received < 0) or at a record
    // byte; the port's first failure is the reason.
    const auto lost = [&comm](int received) {
        return received < 0 ? Result{Outcome::LostAtStart, 0, comm.LineFault()}
                            : Result{Outcome::LineLost, received, comm.LineFault()};
    };
    comm.PurgeIn();  // whatever came before the start request is not an answer

    Waiter waiter(comm, hooks);
    comm.SendByte(StartRequest);
    if (comm.LineFault() != 0)
        return lost(-1);
    switch (waiter.waitInput(timeout)) {
    case Waiter::Stop: return {Outcome::Stopped};
    case Waiter::TimedOut: return {Outcome::NoAnswer};
    case Waiter::Lost: return lost(-1);
    case Waiter::Ready: break;
    }
    // A second answer byte would be taken for the first record byte.
    if (waiter.pause(quiet) == Waiter::Stop)
        return {Outcome::Stopped};
    const qint32 answers = comm.GetIn();
    if (comm.LineFault() != 0)
        return lost(-1);
    if (answers != 1)
        return {Outcome::ExtraStartAnswer};
    if (char startAnswer = 0; !readByte(comm, startAnswer))
        return lost(-1);

    for (int k = 0; k < layout::RecordSize; ++k) {
        // A byte waiting before its request was asked for by nobody: taking it
        // would shift the rest of the record by one byte.
        const qint32 waiting = comm.GetIn();
        if (comm.LineFault() != 0)
            return lost(k);
        if (waiting != 0)
            return {Outcome::StrayByte, k};
        comm.SendByte(ByteRequest);
        if (comm.LineFault() != 0)
            return lost(k);
        switch (waiter.waitInput(timeout)) {
        case Waiter::Stop: return {Outcome::Stopped, k};
        case Waiter::TimedOut: return {Outcome::ByteMissing, k};
        case Waiter::Lost: return lost(k);
        case Waiter::Ready: break;
        }
        if (!readByte(comm, buffer[k]))
            return lost(k);
        if (hooks.progress)
            hooks.progress(k + 1);
    }
    // A byte arriving after the last answer means one of the answers was not
    // the answer to its request; a line that breaks now leaves that unknown.
    if (waiter.pause(quiet) == Waiter::Stop)
        return {Outcome::Stopped, layout::RecordSize};
    const qint32 extra = comm.GetIn();
    if (comm.LineFault() != 0)
        return lost(layout::RecordSize);
    if (extra != 0)
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

QString shownText(const QString &message)
{
    return QCoreApplication::translate("Reception", message.toUtf8().constData());
}

QString lostLineText(int received)
{
    if (received < 0)
        return QCoreApplication::translate("Reception",
                                           "The connection to the SART tester was lost before it answered the start "
                                           "request. Nothing was saved. Check that the tester is switched on and "
                                           "connected, then start the data import again");
    if (received >= layout::RecordSize)
        return QCoreApplication::translate("Reception",
                                           "The connection to the SART tester was lost after the last byte, before "
                                           "the record could be checked. Nothing was saved. Check that the tester is "
                                           "switched on and connected, then start the data import again");
    return QCoreApplication::translate("Reception",
                                       "The connection to the SART tester was lost at byte %1 of %2. Nothing was "
                                       "saved. Check that the tester is switched on and connected, then start the "
                                       "data import again")
        .arg(received)
        .arg(layout::RecordSize);
}

QString proposedName(const QByteArray &record, const QDateTime &received, const QString &folder)
{
    // "ddmmyy" as the tester writes it, read as the file table reads it.
    const QByteArray digits = record.mid(layout::TestingDate, layout::TestingDateWidth);
    QDate tested;
    if (digits.size() == layout::TestingDateWidth
        && std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        const QString cell = QString::fromLatin1(digits.left(2) + '.' + digits.mid(2, 2) + '.' + digits.mid(4));
        try {
            tested = convert::tableDate(cell, received.date().year());
        } catch (const AppError &) {
            // no such day: the reception's date stands in
        }
    }
    const QLocale c = QLocale::c();
    const QString stem = QStringLiteral("sart-%1-%2")
                             .arg(c.toString(tested.isValid() ? tested : received.date(), QStringLiteral("yyyy-MM-dd")),
                                  c.toString(received.time(), QStringLiteral("HHmmss")));
    const QDir dir(folder);
    QString name = stem + QStringLiteral(".bin");
    for (int n = 2; QFileInfo::exists(dir.filePath(name)) || QFileInfo(dir.filePath(name)).isSymLink(); ++n)
        name = QStringLiteral("%1-%2.bin").arg(stem).arg(n);
    return name;
}

QString withRecordExtension(const QString &fileName)
{
    if (fileName.endsWith(QStringLiteral(".bin"), Qt::CaseInsensitive))
        return fileName;
    return fileName + QStringLiteral(".bin");
}

} // namespace reception
