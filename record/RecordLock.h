#pragma once

#include "RecordState.h"

#include <QByteArray>
#include <QString>

// Save changes, Delete, receptions and imports compare a record file with what
// they expect and then replace or remove it. Between the two another program,
// here or on another computer sharing the archive folder, could write the
// file: its version would be lost unseen. Each of them therefore holds the
// archive folder's lock while it compares and replaces.
//
// The lock is the file ".sart-archive.lock" in the folder, made by an
// exclusive create and removed when the lock is let go. Byte-range locks
// (fcntl, flock) are not used: a FUSE share such as bindfs keeps them to
// itself, so a lock taken through it would not stop a program working on the
// folder beside it, whereas an exclusive create reaches the folder's own file
// system from everywhere. The file tells who holds it (host, process, since
// when): a lock left by a program that ended without letting go (its process
// gone on this computer, or older than a minute when held elsewhere) is taken
// away, and so is one naming this very process while it holds none (a share
// that refused to remove it). The name never ends in ".bin": the archive never
// lists it. One lock for the whole folder: a save holds it for milliseconds,
// and no lock files gather, one per record.
namespace recordlock {

inline constexpr char FileName[] = ".sart-archive.lock";
inline constexpr int DefaultWaitMs = 5000;
inline constexpr int StaleSeconds = 60;

// What is done under the lock; the error texts name it.
enum class Action { Save, Delete };

class Held
{
public:
    // Takes the lock of the folder that holds `recordPath`, waiting up to
    // `waitMs` while another program holds it. `action` names what is done:
    // the error texts say which record could not be saved or deleted and
    // why. Where the folder's file system gives no lock file at all (a
    // read-only folder, a full disk) nothing is held: the write that follows
    // fails with its own error.
    explicit Held(const QString &recordPath, Action action, int waitMs = DefaultWaitMs);
    // The same with the action named "save" or "delete".
    Held(const QString &recordPath, const QString &action, int waitMs = DefaultWaitMs);
    ~Held();
    Held(const Held &) = delete;
    Held &operator=(const Held &) = delete;

    bool isHeld() const { return m_held; }

private:
    QByteArray m_lockPath;
    bool m_held = false;
};

// The lock file's path for a record file's folder.
QString lockPathFor(const QString &recordPath);

struct RemoveResult
{
    recordstate::Change change = recordstate::Change::None;  // None: compared equal, and removal tried
    recordstate::Fingerprint now;                            // the file as found
    int error = 0;                                           // errno of a removal that failed
};

// Delete: removes the record file under the lock, only while it holds exactly
// the bytes `expected` was taken from (read again under the lock, whatever a
// share's cache says of its attributes).
RemoveResult removeIfUnchanged(const QString &path, const recordstate::Fingerprint &expected);

} // namespace recordlock
