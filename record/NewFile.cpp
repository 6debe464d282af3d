#include "NewFile.h"

#include "AtomicFile.h"
#include "FileNames.h"
#include "RecordLock.h"
#include "RecordState.h"

#include <optional>

#include <sys/stat.h>

namespace newfile {
namespace {

// Raised just before the rename when the file agreed to be replaced is no
// longer the one under the name.
struct NotAgreed
{
};

} // namespace

bool write(const QString &path, mode_t mode, const std::function<void(int fd)> &fill, const Questions &ask)
{
    bool checkedIsEnough = false;
    for (;;) {
        struct stat st {};
        if (::lstat(filenames::toBytes(path).constData(), &st) == 0) {
            const recordstate::Fingerprint agreed = recordstate::ofFile(path);
            if (!ask.replace(path))
                return false;
            // Compared and replaced under the archive folder's lock: no
            // program that takes it writes another version in between.
            std::optional<recordlock::Held> lock;
            try {
                atomicfile::replaceWith(path, mode, fill, [&] {
                    lock.emplace(path, recordlock::Action::Save);
                    if (!(recordstate::ofFile(path) == agreed))
                        throw NotAgreed();
                });
                return true;
            } catch (const NotAgreed &) {
                continue;  // asked again about the file there now
            }
        }
        std::optional<recordlock::Held> lock;
        try {
            atomicfile::createWith(path, mode, fill, checkedIsEnough,
                                   [&] { lock.emplace(path, recordlock::Action::Save); });
            return true;
        } catch (const atomicfile::TargetExists &) {
            continue;  // appeared while written: the question comes now
        } catch (const atomicfile::NoReplaceUnsupported &e) {
            lock.reset();  // never held while a question waits for the user
            if (!ask.goOnUnguarded(e.text()))
                return false;
            checkedIsEnough = true;
        }
    }
}

} // namespace newfile
