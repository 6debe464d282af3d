#pragma once

#include "MyCom.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <chrono>
#include <functional>

// The exchange with the SART tester: the computer sends the start request,
// the tester answers with one byte; then the computer sends one byte request
// per record byte and the tester answers each with the next record byte.
namespace reception {

constexpr quint8 StartRequest = 0xA5;
constexpr quint8 ByteRequest = 0x9B;

enum class Outcome {
    Complete,          // all 4096 bytes received
    PortFailed,        // the port could not be opened or set up (errorCode)
    NoAnswer,          // no answer to the start request
    ExtraStartAnswer,  // more than one byte answered the start request
    LostAtStart,       // the line broke before the start answer (errorCode)
    LineLost,          // the line broke after `received` record bytes (errorCode)
    ByteMissing,       // a byte request went unanswered
    StrayByte,         // a byte came that no request asked for
    Stopped,           // the caller asked to stop
};

struct Result
{
    Outcome outcome = Outcome::Stopped;
    int received = 0;   // record bytes received
    int errorCode = 0;  // the port's error code for PortFailed, LostAtStart and
                        // LineLost; 0 when the line ended without an error
};

// What the caller does while the reception waits.
struct Hooks
{
    std::function<void()> processEvents;   // run the window's pending events
    std::function<void(int)> progress;     // record bytes received so far
    std::function<bool()> stopRequested;   // checked after processEvents
    // The clock the waits are measured on and how time is let pass; the
    // system's steady clock and sleep when not set.
    std::function<std::chrono::steady_clock::time_point()> now;
    std::function<void(std::chrono::steady_clock::duration)> sleep;
};

// How long a wait for the tester lasts at a line rate: at least 1 s and at
// least 50 byte times.
int waitTimeoutMs(TBaud baud);
// How long the line must stay quiet after an answer before the next step:
// a few byte times plus the latency of the system.
int quietTimeMs(TBaud baud);

// Runs one reception on a component whose Port and Baud are set: connects,
// discards stale input, and fetches the record into buffer (resized to the
// record length). The buffer holds a complete record only for Complete.
// A port that fails, hangs up or ends its data ends the reception at once:
// a record byte counts only when a read gave it.
Result receive(TComm &comm, QByteArray &buffer, const Hooks &hooks);

// Writes the reception stamps into a record: the time as "HH:mm:ss" and the
// date as "ddMMyy".
void stampRecord(QByteArray &record, const QDateTime &now);

// A chosen file name with the record extension: ".bin" is appended unless
// the name already ends in it (in any case).
QString withRecordExtension(const QString &fileName);

// The name the save dialog proposes for a record received at `received`:
// its testing date and the reception time, "sart-2026-01-05-143012.bin"
// (the reception's date when the record's testing date is no date), with
// "-2", "-3", ... before ".bin" while `folder` holds a file of that name.
QString proposedName(const QByteArray &record, const QDateTime &received, const QString &folder);

// The messages of failed receptions, in English; shownText() gives them in
// the interface language.
inline const QString NoAnswerText = QStringLiteral(QT_TRANSLATE_NOOP(
    "Reception", "No answer from the SART tester. Check that the tester is switched on and connected, "
                 "and that the port and the port rate are right"));
inline const QString ExtraStartAnswerText = QStringLiteral(QT_TRANSLATE_NOOP(
    "Reception", "The SART tester answered the start request with more than one byte. "
                 "Check the port rate and start the data import again"));
inline const QString ReceivingErrorText = QStringLiteral(QT_TRANSLATE_NOOP("Reception", "Receiving ERROR"));
QString shownText(const QString &message);
// The line broke: before the start answer (received < 0) or after that many
// record bytes.
QString lostLineText(int received);

} // namespace reception
