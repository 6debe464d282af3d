#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <chrono>

// A SART tester on a pseudo-terminal: answers the start request 0xA5 with one
// byte and each byte request 0x9B with the next byte of its record, optionally
// paced at a line rate and with chosen faults.
class TesterSimulator
{
public:
    struct Options
    {
        QByteArray record;           // the 4096 bytes to send
        quint32 rate = 0;            // bits per second to pace at; 0: at once
        bool silent = false;         // never answers the start request
        int stopAfter = -1;          // answers only this many byte requests
        bool doubleStart = false;    // answers the start request with two bytes
        int strayAfter = -1;         // an extra byte after the answer to this byte
        int slowMs = 0;              // late answers: the start answer and every 256th byte
        int hangUpAfter = -1;        // hangs up at the byte request after this many answers
        bool hangUpAtStart = false;  // hangs up at the start request, without answering
        bool once = false;           // ends after one reception
        bool defaultLine = false;    // leaves the line at the system's terminal settings
    };

    explicit TesterSimulator(Options options);
    ~TesterSimulator();
    TesterSimulator(const TesterSimulator &) = delete;
    TesterSimulator &operator=(const TesterSimulator &) = delete;

    // Opens the pseudo-terminal; false with the reason in error.
    bool open(QString &error);
    // The device the program opens.
    QString devicePath() const { return m_devicePath; }

    // Answers requests until stop is set or, with once, a reception has ended.
    void run(const std::atomic<bool> &stop);

private:
    using Clock = std::chrono::steady_clock;

    void handle(quint8 request, Clock::time_point arrival);
    void answer(const QByteArray &bytes, Clock::time_point arrival, bool late);
    void endReception();
    void hangUp();
    void lingerUntilClosed(const std::atomic<bool> &stop);

    Options m_options;
    int m_master = -1;
    QString m_devicePath;
    bool m_serving = false;
    bool m_ended = false;
    bool m_hungUp = false;           // the master is closed: the line is gone for good
    int m_next = 0;                  // next record byte to send
    Clock::time_point m_lineFree;    // when the last answer has left the line
};
