#include "HeaderWriteBack.h"

#include "AppError.h"
#include "AtomicFile.h"
#include "FileNames.h"
#include "RecordFile.h"
#include "RecordLayout.h"
#include "RecordLock.h"
#include "RecordText.h"

#include <cerrno>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace writeback {
namespace {

QByteArray dateField(const QDate &date)
{
    return date.toString(QStringLiteral("ddMMyyyy")).toLatin1().leftJustified(layout::DateWidth, '0', true);
}

} // namespace

QByteArray textField(const QString &text, int width)
{
    QByteArray bytes = recordtext::toBytes(text);
    const qsizetype end = bytes.indexOf(layout::TextTerminator);
    if (end >= 0)
        bytes.truncate(end);
    return bytes.left(width).leftJustified(width, ' ');
}

char answerDigit(int itemIndex)
{
    return itemIndex >= 0 && itemIndex <= 9 ? char('0' + itemIndex) : '2';
}

QByteArray buildHeader(const RecordHeader &v)
{
    QByteArray h;
    h.reserve(layout::HeaderSize);
    h += textField(QStringLiteral("9") + v.radioEngineer, layout::RadioEngineerWidth + 1);
    h += textField(QStringLiteral(" ") + v.controller, layout::ControllerWidth);
    h += layout::Mark;
    h += dateField(v.nextTestDate);
    h += answerDigit(v.standByIndex);
    h += answerDigit(v.ledIndex);
    h += answerDigit(v.beeperIndex);
    for (const QString *text : {&v.sartModel, &v.manufacturerNo, &v.vessel, &v.centreName, &v.centreAddress, &v.centreTel, &v.centreFax})
        h += textField(*text, layout::TextFieldWidth);
    h += layout::Mark;
    h += dateField(v.batteryDate);
    Q_ASSERT(h.size() == layout::HeaderSize);
    return h;
}

QByteArray rewrite(const QByteArray &source, const RecordHeader &values)
{
    if (source.isEmpty())
        return source;
    if (source.size() < layout::HeaderSize)
        errors::throwText(errors::ReadBeyondEnd);
    return buildHeader(values) + source.mid(layout::HeaderSize);
}

namespace {

// The checks both saves make before writing; false for an empty file, which
// stays empty.
bool writable(const recordfile::Source &source)
{
    const QString &path = source.path();
    // A rename would replace even a read-only file: refuse it as a write would be.
    if ((source.mode() & 0222) == 0 || ::access(filenames::toBytes(path).constData(), W_OK) != 0)
        errors::throwFile(path, errors::FileAccessDenied);
    source.refuseOversize();
    if (source.size() == 0)
        return false;
    if (source.size() < layout::HeaderSize)
        errors::throwFile(path, errors::ReadBeyondEnd);
    return true;
}

void replaceRecord(const QString &path, mode_t mode, const std::function<void(int fd)> &write,
                   const std::function<void()> &beforeRename = {})
{
    try {
        atomicfile::replaceWith(path, mode & 07777, write, beforeRename);
    } catch (const FileError &) {
        throw;
    } catch (const AppError &e) {
        errors::throwFile(path, e.text());
    }
}

// Raised by the check before the rename: the name no longer stands for the
// file that was read.
struct Moved
{
};

} // namespace

void save(const QString &recordPath, const RecordHeader &values)
{
    const recordfile::Source source(recordPath);
    if (!writable(source))
        return;
    // The header is new; every byte after it is copied from the file as it is.
    const QByteArray header = buildHeader(values);
    replaceRecord(recordPath, source.mode(), [&](int fd) {
        atomicfile::writeAll(fd, header.constData(), header.size());
        source.copyTail(layout::HeaderSize, fd);
    });
}

namespace {

// Save changes under the archive folder's lock; nullopt when the file was
// replaced by a program that takes no lock while the new copy was written,
// and found the same bytes again: then it is saved into anew.
std::optional<SaveResult> saveUnderLock(const QString &recordPath, const RecordHeader &values,
                                        const recordstate::Fingerprint &shown)
{
    using recordstate::Change;
    std::optional<recordfile::Source> source;
    try {
        source.emplace(recordPath);
    } catch (const FileError &) {
        const recordstate::Fingerprint now = recordstate::ofFile(recordPath);
        if (const Change change = recordstate::compare(shown, now); change != Change::None)
            return SaveResult{change, now};
        throw;
    }
    // The bytes as they are now, read again: never the attributes a share
    // may answer from its cache.
    const QByteArray content = source->readAll();
    recordstate::Fingerprint now = recordstate::ofContent(content);
    now.size = source->size();
    if (const Change change = recordstate::compare(shown, now); change != Change::None)
        return SaveResult{change, now};
    if (!writable(*source))
        return SaveResult{Change::None, now};
    const QByteArray written = buildHeader(values) + content.sliced(layout::HeaderSize);
    try {
        replaceRecord(
            recordPath, source->mode(), [&](int fd) { atomicfile::writeAll(fd, written.constData(), written.size()); },
            [&] {
                if (!source->stillNamedBy(recordPath))
                    throw Moved();
                source.reset();  // a network share renames no file over one still open
            });
    } catch (const Moved &) {
        // Replaced while the new copy was written: say what is there now; the
        // same bytes again (a copy of the record shown) are saved into anew.
        now = recordstate::ofFile(recordPath);
        const Change change = recordstate::compare(shown, now);
        if (change != Change::None)
            return SaveResult{change, now};
        return std::nullopt;
    }
    return SaveResult{Change::None, recordstate::ofContent(written)};
}

} // namespace

SaveResult saveIfUnchanged(const QString &recordPath, const RecordHeader &values,
                           const recordstate::Fingerprint &shown)
{
    for (;;) {
        const recordlock::Held lock(recordPath, recordlock::Action::Save);
        if (std::optional<SaveResult> result = saveUnderLock(recordPath, values, shown))
            return *result;
    }
}

} // namespace writeback
