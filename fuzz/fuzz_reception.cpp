// The reception protocol against a scripted SART tester behind a fake serial
// port: answers on time, late, doubled or missing, stray bytes, line errors,
// failing reads, writes, waits and queue queries, and hang-ups seen either as
// a failing wait or as input that reads as the end of the data. Time is the
// fake's own: waits and pauses advance it instead of taking real time.
//
// Checked: a record byte counts only when a read gave it; Complete only with
// 4096 record bytes read, in the buffer as read, after exactly one start
// request and 4096 byte requests; a hang-up or a failing port ends the
// reception as a lost line with the number of bytes read; the reception never
// reads from an empty port (a read that would block for ever).
//
// Input: byte 0 sets the line rate (bits 0-3), a failing open (bit 4) or
// setup (bit 5), hang-ups seen as the end of the data (bit 6) and a request
// to stop (bit 7, after (byte 1 >> 1) * 8 event rounds); byte 1 bit 0 makes
// discarding stale input fail. Then one action byte per request the tester
// receives (kind in bits 0-3, argument in bits 4-7), some followed by answer
// bytes. The end of the input is the tester hanging up.
#include "MyCom.h"
#include "Reception.h"
#include "RecordLayout.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

[[noreturn]] void fail(const char *what, long long detail = 0)
{
    std::fprintf(stderr, "%s: %lld\n", what, detail);
    std::abort();
}

class Reader
{
public:
    Reader(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}
    bool atEnd() const { return m_at >= m_size; }
    quint8 byte() { return m_at < m_size ? m_data[m_at++] : 0; }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_at = 0;
};

constexpr int Errors[] = {EIO, ENXIO, ENODEV, EPIPE};

// The tester and its line, on a clock of their own.
class FakeLine final : public SerialPlatform
{
public:
    FakeLine(Reader &script, TBaud baud, quint8 setup, quint8 extra)
        : m_script(script), m_timeout(reception::waitTimeoutMs(baud)), m_quiet(reception::quietTimeMs(baud)),
          m_openFails(setup & 0x10), m_setupFails(setup & 0x20), m_hangUpReadsAsEnd(setup & 0x40),
          m_purgeFails(extra & 1)
    {
    }

    Clock::time_point now() const { return m_now; }
    void sleep(Clock::duration d) { advance(m_now + d); }

    // What the reception did on this line.
    int startRequests = 0;
    int byteRequests = 0;
    int otherRequests = 0;
    int readsBeforeFirstByteRequest = 0;
    QByteArray recordBytesRead;     // bytes read after the first byte request
    bool hungUp = false;
    bool failedTransfer = false;    // a transfer, wait or query returned an error
    bool connectFailed = false;
    int firstFault = 0;             // the first error a transfer returned

    Handle open(const QByteArray &) override
    {
        if (m_openFails) {
            connectFailed = true;
            return fault(ENOENT), InvalidHandle;
        }
        m_open = true;
        return Port;
    }
    bool setupQueues(Handle h, quint32, quint32) override { return valid(h); }
    bool getState(Handle h, LineSettings &) override { return valid(h); }
    bool setState(Handle h, const LineSettings &) override
    {
        if (!valid(h))
            return false;
        if (m_setupFails) {
            connectFailed = true;
            return fault(EINVAL);
        }
        return true;
    }

    bool clearError(Handle h, quint32 &errors, PortStatus &status) override
    {
        if (!valid(h))
            return false;
        if (hungUp || std::exchange(m_statusFails, 0) != 0)
            return transferFault(hungUp ? EIO : m_lastFaultCode);
        errors = std::exchange(m_lineErrors, 0);
        status.cbInQue = quint32(m_queue.size());
        status.cbOutQue = 0;
        return true;
    }

    bool read(Handle h, char *data, quint32 size, quint32 &done) override
    {
        done = 0;
        if (!valid(h))
            return false;
        if (hungUp)
            return m_hangUpReadsAsEnd ? true : transferFault(EIO);
        if (const int e = std::exchange(m_readFails, 0); e != 0)
            return transferFault(e);
        if (m_queue.isEmpty() && size > 0)
            fail("read from an empty port: it would block for ever");
        done = quint32(std::min<qsizetype>(size, m_queue.size()));
        std::copy_n(m_queue.constData(), done, data);
        if (byteRequests == 0)
            readsBeforeFirstByteRequest += int(done);
        else
            recordBytesRead.append(m_queue.constData(), done);
        m_queue.remove(0, done);
        if (std::exchange(m_hangUpOnRead, false))
            hangUp();
        return true;
    }

    bool write(Handle h, const char *data, quint32 size, quint32 &done) override
    {
        done = 0;
        if (!valid(h))
            return false;
        if (hungUp)
            return transferFault(EIO);
        for (quint32 i = 0; i < size; ++i) {
            if (!request(quint8(data[i])))
                return transferFault(EIO);
            ++done;
        }
        return true;
    }

    bool waitInput(Handle h, int timeoutMs, bool &ready) override
    {
        ready = false;
        if (!valid(h))
            return false;
        if (timeoutMs < 0)
            fail("negative wait", timeoutMs);
        if (const int e = std::exchange(m_waitFails, 0); e != 0)
            return transferFault(e);
        if (!hungUp && m_queue.isEmpty()) {
            Clock::time_point until = m_now + milliseconds(timeoutMs);
            if (!m_arrivals.empty())
                until = std::min(until, m_arrivals.front().at);
            advance(until);
        }
        if (hungUp) {
            // Input that reads as the end of the data, or a failing wait.
            if (m_hangUpReadsAsEnd)
                return ready = true;
            return transferFault(EIO);
        }
        ready = !m_queue.isEmpty();
        return true;
    }

    bool purgeInput(Handle h) override
    {
        if (!valid(h))
            return false;
        if (hungUp || m_purgeFails)
            return transferFault(EIO);
        m_queue.clear();
        return true;
    }

    bool getMask(Handle h, quint32 &mask) override { return (mask = 0), valid(h); }
    bool setMask(Handle h, quint32) override { return valid(h); }
    bool escape(Handle h, int) override { return valid(h); }
    bool close(Handle h) override
    {
        if (!valid(h))
            return false;
        m_open = false;
        return true;
    }
    int lastError() const override { return m_lastError; }

private:
    static constexpr Handle Port = 7;

    struct Arrival
    {
        Clock::time_point at;
        QByteArray bytes;
        bool hangUp = false;
    };

    bool fault(int e)
    {
        m_lastError = e;
        return false;
    }
    bool transferFault(int e)
    {
        if (!failedTransfer)
            firstFault = e;
        failedTransfer = true;
        return fault(e);
    }
    bool valid(Handle h) { return (h == Port && m_open) || fault(EBADF); }

    // Lets time pass up to a point: what arrives by then is queued.
    void advance(Clock::time_point to)
    {
        if (to < m_now)
            fail("time ran backwards");
        while (!m_arrivals.empty() && m_arrivals.front().at <= to && !hungUp) {
            const Arrival a = m_arrivals.front();
            m_arrivals.erase(m_arrivals.begin());
            m_now = std::max(m_now, a.at);
            if (a.hangUp)
                hangUp();
            else
                m_queue += a.bytes;
        }
        m_now = std::max(m_now, to);
    }

    void hangUp()
    {
        hungUp = true;
        m_queue.clear();  // a hung-up line discards its input
        m_arrivals.clear();
    }

    void arrive(milliseconds delay, QByteArray bytes, bool hangUpThen = false)
    {
        Arrival a {m_now + delay, std::move(bytes), hangUpThen};
        const auto at = std::upper_bound(m_arrivals.begin(), m_arrivals.end(), a.at,
                                         [](Clock::time_point t, const Arrival &x) { return t < x.at; });
        m_arrivals.insert(at, std::move(a));
    }

    milliseconds delayOf(int arg) const
    {
        const int table[16] = {0,
                               0,
                               1,
                               m_quiet - 1,
                               m_quiet,
                               m_quiet + 1,
                               2 * m_quiet,
                               100,
                               m_timeout / 2,
                               m_timeout - 1,
                               m_timeout,
                               m_timeout + 1,
                               m_timeout + m_quiet,
                               2 * m_timeout,
                               10 * m_timeout,
                               3};
        return milliseconds(std::max(table[arg & 15], 0));
    }

    // The tester receives one request byte; false when the write fails.
    bool request(quint8 byte)
    {
        if (byte == reception::StartRequest)
            ++startRequests;
        else if (byte == reception::ByteRequest)
            ++byteRequests;
        else
            ++otherRequests;
        const char pattern = char(byteRequests * 31 + 7);
        if (m_run > 0) {
            --m_run;
            arrive(milliseconds(0), QByteArray(1, pattern));
            return true;
        }
        if (m_script.atEnd()) {
            hangUp();  // the tester switched off
            return true;
        }
        const quint8 action = m_script.byte();
        const int arg = action >> 4;
        switch (action & 15) {
        case 0:  // a run of answers on time
            m_run = (1 << arg) - 1;
            arrive(milliseconds(0), QByteArray(1, pattern));
            return true;
        case 15:  // an answer on time; the line hangs up as soon as it is read
            m_hangUpOnRead = true;
            break;
        case 1: case 14:  // one answer, perhaps late
            arrive(delayOf(arg), QByteArray(1, char(m_script.byte())));
            return true;
        case 2:  // no answer
            return true;
        case 3: {  // two answer bytes
            QByteArray two(1, char(m_script.byte()));
            two += char(m_script.byte());
            arrive(delayOf(arg), two);
            return true;
        }
        case 4:  // an answer, then the line hangs up
            arrive(delayOf(arg), QByteArray(1, pattern));
            arrive(delayOf(arg) + delayOf(m_script.byte()), {}, true);
            return true;
        case 5:  // hangs up at this request
            hangUp();
            return true;
        case 6:  // hangs up a while after this request
            arrive(delayOf(arg), {}, true);
            return true;
        case 7:  // this write fails
            m_lastFaultCode = Errors[arg % std::size(Errors)];
            return false;
        case 8:  // the read of the answer fails
            m_readFails = Errors[arg % std::size(Errors)];
            break;
        case 9:  // the next queue query fails
            m_statusFails = m_lastFaultCode = Errors[arg % std::size(Errors)];
            break;
        case 10:  // the next wait fails
            m_waitFails = Errors[arg % std::size(Errors)];
            break;
        case 11:  // line errors reported with the answer
            m_lineErrors = lineerrors::Frame | lineerrors::RxParity;
            break;
        case 12:  // a byte nobody asked for, a while after the answer
            arrive(delayOf(arg), QByteArray(1, '\xEE'));
            break;
        case 13:  // the answer at the edge of the wait
            arrive(milliseconds(m_timeout - arg), QByteArray(1, pattern));
            return true;
        }
        arrive(milliseconds(0), QByteArray(1, pattern));
        return true;
    }

    Reader &m_script;
    const int m_timeout;
    const int m_quiet;
    const bool m_openFails;
    const bool m_setupFails;
    const bool m_hangUpReadsAsEnd;
    const bool m_purgeFails;
    bool m_open = false;
    Clock::time_point m_now = Clock::time_point() + std::chrono::hours(1);
    std::vector<Arrival> m_arrivals;  // by time
    QByteArray m_queue;               // arrived, not yet read
    int m_run = 0;
    bool m_hangUpOnRead = false;
    int m_readFails = 0;
    int m_statusFails = 0;
    int m_waitFails = 0;
    int m_lastFaultCode = EIO;
    quint32 m_lineErrors = 0;
    int m_lastError = 0;
};

bool lineLost(reception::Outcome o)
{
    return o == reception::Outcome::LostAtStart || o == reception::Outcome::LineLost;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using reception::Outcome;
    Reader script(data, size);
    const quint8 setup = script.byte();
    const quint8 extra = script.byte();
    const TBaud baud = TBaud((setup & 15) % 14);
    auto owned = std::make_unique<FakeLine>(script, baud, setup, extra);
    FakeLine &line = *owned;
    TComm comm(std::move(owned));
    comm.SetBaud(baud);

    const int stopAfter = (setup & 0x80) ? (extra >> 1) * 8 : -1;
    int rounds = 0;
    int lastProgress = -1;
    reception::Hooks hooks;
    hooks.processEvents = [&] { ++rounds; };
    hooks.stopRequested = [&] { return stopAfter >= 0 && rounds >= stopAfter; };
    hooks.now = [&] { return line.now(); };
    hooks.sleep = [&](Clock::duration d) { line.sleep(d); };
    hooks.progress = [&](int received) {
        if (received > line.recordBytesRead.size())
            fail("progress counts bytes not read", received);
        if (received != lastProgress + 1 && received != 0)
            fail("progress skipped", received);
        lastProgress = received;
    };

    QByteArray buffer;
    const reception::Result r = reception::receive(comm, buffer, hooks);
    const int read = int(line.recordBytesRead.size());

    if (buffer.size() != layout::RecordSize)
        fail("buffer size", buffer.size());
    if (line.startRequests > 1 || line.otherRequests != 0)
        fail("requests", line.startRequests * 1000 + line.otherRequests);
    if (line.byteRequests > 0 && line.readsBeforeFirstByteRequest != 1)
        fail("start answer bytes read", line.readsBeforeFirstByteRequest);
    if (read > line.byteRequests)
        fail("read more record bytes than requested", read);
    if (r.received < 0 || r.received > read)
        fail("received bytes that were not read", r.received);
    if (buffer.left(read) != line.recordBytesRead)
        fail("buffer differs from the bytes read", read);

    if (r.outcome == Outcome::Complete
        && (read != layout::RecordSize || line.byteRequests != layout::RecordSize
            || r.received != layout::RecordSize || line.hungUp || line.failedTransfer))
        fail("complete without a whole record read from a sound line", read);
    if (r.outcome == Outcome::PortFailed && !line.connectFailed)
        fail("port failed without a failure", r.errorCode);
    if (line.connectFailed && r.outcome != Outcome::PortFailed)
        fail("a port that could not be set up was used", int(r.outcome));
    if ((line.hungUp || line.failedTransfer) && !lineLost(r.outcome) && r.outcome != Outcome::Stopped)
        fail("a broken line not told", int(r.outcome));
    if (lineLost(r.outcome)) {
        if (!line.hungUp && !line.failedTransfer)
            fail("a sound line called lost", int(r.outcome));
        const bool startAnswerRead = line.readsBeforeFirstByteRequest == 1;
        if (r.outcome == Outcome::LostAtStart && (startAnswerRead || line.byteRequests != 0 || r.received != 0))
            fail("lost at the start after the start answer", line.byteRequests);
        if (r.outcome == Outcome::LineLost && (!startAnswerRead || r.received != read))
            fail("lost line counts other than the bytes read", r.received);
        if (r.errorCode != (line.failedTransfer ? line.firstFault : 0))
            fail("lost line reason", r.errorCode);
        if (reception::lostLineText(r.outcome == Outcome::LostAtStart ? -1 : r.received).isEmpty())
            fail("no message", r.received);
    }
    return 0;
}
