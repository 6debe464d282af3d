#include "Navigation.h"

#include "AppError.h"
#include "ArchiveScan.h"
#include "Convert.h"
#include "Decoder.h"
#include "FileNames.h"
#include "HeaderWriteBack.h"
#include "RecordImport.h"
#include "RecordLock.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTimer>

#include <algorithm>
#include <cstring>

namespace {

// More changed files than this at once are listed anew instead.
constexpr int IncrementalLimit = 100;

} // namespace

// The start-up listing's dates still to read, by place in the listing.
struct Navigation::Listing
{
    explicit Listing(const QString &folder) : reader(folder) {}
    archive::CellReader reader;
    QStringList names;              // carried, in the listing's order
    QVector<QByteArray> bytes;
    QVector<unsigned char> types;
    std::vector<bool> read;
    qsizetype next = 0;             // where the slices go on
    std::vector<std::function<void()>> waiting;
};

Navigation::Navigation(const QString &startDirectory, NavigationView &view)
    : m_folder(filenames::archiveFolder(startDirectory)), m_view(view)
{
}

Navigation::~Navigation() = default;

void Navigation::listAtStart()
{
    archive::NameListing listing = archive::listNames(m_folder);
    if (!listing.result.folderProblem.isEmpty() || listing.result.rows.size() <= WholeAtOnce) {
        scan();
        return;
    }
    for (const auto &done : stopListing())
        done();
    m_problems.clear();
    m_folderProblem.clear();
    auto pending = std::make_unique<Listing>(m_folder);
    pending->names = listing.result.names;  // shared with the table's
    pending->bytes = std::move(listing.bytes);
    pending->types = std::move(listing.types);
    pending->read.assign(size_t(pending->names.size()), false);
    m_table.setRecords(std::move(listing.result.rows), std::move(listing.result.names),
                       std::move(listing.result.identities));
    LastRow = m_table.listedCount();
    UseLastFile = true;
    FromTable = false;
    m_listing = std::move(pending);
    m_view.namesListed();
    if (CurrentRow < m_table.rowCount())
        m_view.selectRow(CurrentRow);
    // What the window shows first: the top rows and the record shown at start.
    for (qsizetype place = 0; place < std::min<qsizetype>(FirstScreen, LastRow); ++place)
        readListed(place);
    readListed(LastRow - 1);
    // One timer for the navigation's life: it is never deleted while it fires.
    if (!m_slices) {
        m_slices = std::make_unique<QTimer>();
        m_slices->setInterval(0);
        QObject::connect(m_slices.get(), &QTimer::timeout, [this] { readSlice(); });
    }
    m_slices->start();
}

void Navigation::whenListed(std::function<void()> done)
{
    if (m_listing)
        m_listing->waiting.push_back(std::move(done));
    else
        done();
}

// Reads the dates of the file at `place` of the start-up listing into its
// row, wherever that row is now (rows may have come or gone meanwhile).
void Navigation::readListed(qsizetype place)
{
    Listing &l = *m_listing;
    if (place < 0 || place >= qsizetype(l.read.size()) || l.read[size_t(place)])
        return;
    l.read[size_t(place)] = true;
    const QString &name = l.names[place];
    int row = int(place) + 1;
    if (!m_table.isListed(row) || m_table.fileName(row) != name)
        row = m_table.rowOfFile(name);
    if (row == 0)
        return;  // no longer listed
    QStringList cells(FileTable::ColumnCount);
    archive::FileIdentity identity;
    const QString problem = l.reader.read(l.bytes[place], l.types[place], cells, identity);
    m_table.setDates(row, cells, identity);
    if (problem.isEmpty())
        m_problems.remove(name);
    else
        m_problems.insert(name, problem);
}

void Navigation::readListedRow(int row)
{
    if (!m_listing || !m_table.isListed(row))
        return;
    const QString name = m_table.fileName(row);
    const QStringList &names = m_listing->names;
    qsizetype place = row - 1;
    if (place >= names.size() || names[place] != name) {
        place = std::lower_bound(names.cbegin(), names.cend(), name, archive::listedBefore) - names.cbegin();
        if (place >= names.size() || names[place] != name)
            return;  // listed since: read when it came
    }
    readListed(place);
}

void Navigation::readSlice()
{
    if (!m_listing)
        return;
    QElapsedTimer took;
    took.start();
    Listing &l = *m_listing;
    const qsizetype count = qsizetype(l.read.size());
    while (l.next < count) {
        readListed(l.next++);
        if ((l.next & 15) == 0 && took.elapsed() >= SliceMs)
            return;
    }
    finishListing();
}

std::vector<std::function<void()>> Navigation::stopListing()
{
    if (!m_listing)
        return {};
    m_slices->stop();
    std::vector<std::function<void()>> waiting = std::move(m_listing->waiting);
    m_listing.reset();
    return waiting;
}

void Navigation::finishListing()
{
    const auto waiting = stopListing();
    m_view.listingFinished();
    warnAboutProblems();
    checkShown();
    for (const auto &done : waiting)
        done();
}

QString Navigation::rowPath(int row) const
{
    return m_folder + u'/' + m_table.fileName(row);
}

void Navigation::scan()
{
    relist(QFileInfo(m_shownPath).absolutePath() == m_folder ? QFileInfo(m_shownPath).fileName() : QString(), true);
}

void Navigation::relist(const QString &keepOn, bool asScan)
{
    // A whole scan ends the start-up listing: those waiting for it are told after it.
    const auto waiting = stopListing();
    const auto tell = qScopeGuard([&] {
        for (const auto &done : waiting)
            done();
    });
    archive::ScanResult result = archive::scan(m_folder);
    m_problems.clear();
    for (const archive::ScanProblem &p : std::as_const(result.problems))
        m_problems.insert(p.fileName, p.reason);
    m_folderProblem = result.folderProblem;
    m_table.setRecords(std::move(result.rows), std::move(result.names), std::move(result.identities));
    LastRow = m_table.listedCount();
    if (asScan) {
        UseLastFile = true;
        FromTable = false;
    }
    // The current row follows its file (for a scan: the record shown) to its
    // row in the new listing.
    const int keptRow = keepOn.isEmpty() ? 0 : m_table.rowOfFile(keepOn);
    m_view.tableChanged();
    if (keptRow > 0)
        CurrentRow = keptRow;
    // Rebuilding the table drops its highlight: put it back on the current row.
    if (CurrentRow < m_table.rowCount())
        m_view.selectRow(CurrentRow);
    for (const QString &warning : m_warnings.after(m_folder, result))
        m_view.showWarning(warning);
    checkShown();
}

bool Navigation::putFile(const QString &name)
{
    archive::ScannedRow scanned = archive::scanFile(m_folder, name);
    if (!scanned.exists) {
        m_table.takeRow(name);
        m_problems.remove(name);
        return false;
    }
    m_table.putRow(name, std::move(scanned.cells), scanned.identity);
    if (scanned.problem.isEmpty())
        m_problems.remove(name);
    else
        m_problems.insert(name, scanned.problem);
    return true;
}

void Navigation::filesChanged(const QStringList &names, const QStringList &gone)
{
    const QString currentFile = m_table.isListed(CurrentRow) ? m_table.fileName(CurrentRow) : QString();
    // Many at once (a folder copied in): one listing costs less than reading
    // each into its place.
    if (names.size() > IncrementalLimit) {
        relist(currentFile, false);
        return;
    }
    const auto problemsBefore = m_problems;
    QStringList changed, removed;
    for (const QString &name : names) {
        const std::optional<archive::FileIdentity> now =
            gone.contains(name) ? std::nullopt : archive::identityIn(m_folder, name);
        const int row = m_table.rowOfFile(name);
        if (!now) {
            if (m_table.takeRow(name) > 0) {
                m_problems.remove(name);
                removed.append(name);
            }
            continue;
        }
        if (row > 0 && m_table.identity(row) == *now)
            continue;  // listed as it is
        if (!putFile(name)) {
            if (row > 0)
                removed.append(name);
            continue;
        }
        changed.append(name);
    }

    LastRow = m_table.listedCount();
    if (const int row = currentFile.isEmpty() ? 0 : m_table.rowOfFile(currentFile))
        CurrentRow = row;
    CurrentRow = std::min(CurrentRow, m_table.rowCount() - 1);
    if (!changed.isEmpty() || !removed.isEmpty())
        m_view.filesUpdated(changed, removed);
    if (m_problems != problemsBefore)
        warnAboutProblems();
    const QString shownName = QFileInfo(m_shownPath).fileName();
    if (!m_shownPath.isEmpty() && names.contains(shownName))
        checkShown();
}

void Navigation::warnAboutProblems()
{
    archive::ScanResult known;
    known.folderProblem = m_folderProblem;
    for (auto it = m_problems.cbegin(); it != m_problems.cend(); ++it)
        known.problems.append({it.key(), it.value()});
    std::sort(known.problems.begin(), known.problems.end(), [](const auto &a, const auto &b) {
        return archive::listedBefore(a.fileName, b.fileName);
    });
    for (const QString &warning : m_warnings.after(m_folder, known))
        m_view.showWarning(warning);
}

void Navigation::checkShown()
{
    // A record this program deleted goes on being shown as it was.
    if (m_shownPath.isEmpty() || m_shownDeleted)
        return;
    using recordstate::Change;
    const recordstate::Fingerprint now = recordstate::ofFile(m_shownPath);
    const Change change = recordstate::compare(m_shownState, now);
    const QString text =
        change == Change::None ? QString() : recordstate::describe(change, QFileInfo(m_shownPath).fileName(), now);
    if (text == m_staleText)
        return;
    m_staleText = text;
    m_view.shownRecordStale(text, now.isRecord());
}

void Navigation::showAgain()
{
    if (m_shownPath.isEmpty())
        return;
    const QString name = QFileInfo(m_shownPath).fileName();
    filesChanged({name});
    const int row = m_table.rowOfFile(name);
    if (row == 0)
        errors::throwText(QCoreApplication::translate("Navigation", "The record %1 is no longer in the archive: it was removed by "
                                         "another program.")
                              .arg(filenames::display(name)));
    CurrentRow = row;
    m_view.selectRow(row);
    CurrentPath = m_shownPath;
    UseLastFile = false;
    FromTable = false;
    // Its file may hold another record now: what the panel holds and the file
    // does not is carried over from the record as it was.
    m_view.shownRecordReplaced();
    decode(CurrentPath);
}

NavigationView::Conflict Navigation::askAbout(recordstate::Change change, const QString &name,
                                              const recordstate::Fingerprint &now, const QString &nothingDone,
                                              const QString &goOn)
{
    using recordstate::Change;
    const QString text = recordstate::describe(change, name, now) + u' ' + nothingDone;
    // Nothing to show, or nothing a record view could show: told, not asked.
    if (change == Change::Removed || !now.isRecord()) {
        m_view.showWarning(text);
        checkShown();
        return NavigationView::Conflict::Cancel;
    }
    return m_view.askConflict(text, change == Change::HeaderChanged ? goOn : QString());
}

Navigation::Outcome Navigation::saveShown(const RecordHeader &values)
{
    using recordstate::Change;
    const QString name = QFileInfo(m_shownPath).fileName();
    // A record another program removed is told as such, before any rule of rows.
    if (m_shownPath.isEmpty() || m_shownDeleted || recordstate::ofFile(m_shownPath).exists)
        requireListed(m_shownPath, recordlock::Action::Save);
    recordstate::Fingerprint expected = m_shownState;
    for (;;) {
        const writeback::SaveResult result = writeback::saveIfUnchanged(m_shownPath, values, expected);
        if (result.change == Change::None) {
            m_shownState = result.now;
            filesChanged({name});  // its row and the archive index follow
            return Outcome::Done;
        }
        switch (askAbout(result.change, name, result.now, QCoreApplication::translate("Navigation", "Nothing was written."),
                         QCoreApplication::translate("Navigation", "Save over it"))) {
        case NavigationView::Conflict::ShowAsItIsNow:
            return Outcome::ShowAsItIsNow;
        case NavigationView::Conflict::GoOn:
            expected = result.now;  // written only while it is still as just told
            continue;
        case NavigationView::Conflict::Cancel:
            checkShown();
            return Outcome::NotDone;
        }
    }
}

void Navigation::openAndDecode()
{
    if (!m_view.settleTypedEdits(QStringLiteral("opening a record")))
        return;
    if (!FromTable) {
        if (const std::optional<QString> chosen = m_view.chooseRecordFile()) {
            CurrentPath = *chosen;
            const QString copy = archive::importRecord(
                *chosen, m_folder,
                {[this](const QString &path) {
                     return m_view.confirmReplace(filenames::display(QFileInfo(path).fileName()));
                 },
                 [this](const QString &text) { return m_view.confirmUnguarded(text); }});
            if (copy.isEmpty())
                return;
            if (!m_shownPath.isEmpty() && QFileInfo(copy) == QFileInfo(m_shownPath))
                m_view.shownRecordReplaced();
            // The record is shown from its archive copy, so that Save changes
            // writes into the archive and never into the file chosen elsewhere.
            m_shownPath = copy;
            m_shownState = recordstate::ofFile(copy);  // shown next
            scan();
            CurrentPath = copy;
            UseLastFile = false;
        } else {
            CurrentPath = rowPath(CurrentRow);
            m_view.selectRow(CurrentRow);
        }
    }
    FromTable = false;
    if (UseLastFile)
        CurrentPath = LastFilePath;
    decode(CurrentPath);
}

void Navigation::decode(const QString &path)
{
    // A row of the start-up listing not read yet is read first.
    readListedRow(CurrentRow);
    decoder::Input input;
    input.path = path;
    input.modeIndex = m_view.testingModeIndex();
    input.testingDateCell = m_table.cell(CurrentRow, FileTable::TestingDate);
    m_chosenPath = path;
    // The bytes decoded are the bytes compared before Save changes or Delete
    // touch the file.
    QByteArray content;
    m_chosenState = recordstate::ofFile(path, &content);
    // All or nothing: a record that fails at any step leaves the panel, the
    // record buffer and the record shown as they were.
    RecordBytes bytes;
    if (content.size() >= qsizetype(bytes.size()))
        std::memcpy(bytes.data(), content.constData(), bytes.size());
    else
        decoder::readRecord(path, bytes);  // raises what the file lacks
    DecodedRecord record;
    decoder::decodeBuffer(bytes, input, record);
    recordBuffer() = bytes;
    m_shownPath = path;
    m_shownState = m_chosenState;
    m_shownDeleted = false;
    m_staleText.clear();
    m_view.showRecord(record, path);
}

bool Navigation::rowChosen(int row, bool moveToLastRow)
{
    if (!m_view.settleTypedEdits(QStringLiteral("showing another record")))
        return false;
    CurrentRow = row;
    if (m_table.isListed(row) || row == 0) {
        CurrentPath = rowPath(row);
    } else {
        CurrentPath = rowPath(LastRow);
        if (moveToLastRow)
            CurrentRow = LastRow;
    }
    if (CurrentRow == 0)
        CurrentPath = rowPath(1);
    UseLastFile = false;
    FromTable = true;
    openAndDecode();
    return true;
}

bool Navigation::mouseUp(int row)
{
    // Outside every cell, or an archive with nothing listed: nothing to show.
    if (row < 0 || row >= m_table.rowCount() || LastRow == 0)
        return true;
    return rowChosen(row, true);
}

void Navigation::keyUp()
{
    const int row = m_view.selectedRow();
    if (row < 0 || LastRow == 0)
        return;
    rowChosen(row, false);
}

void Navigation::goTo()
{
    const bool fromTable = FromTable;
    FromTable = true;
    const std::optional<QString> input = m_view.askRowNumber();
    if (!input)
        return;
    const int row = convert::toInt(*input);
    if (row < 0)
        errors::throwListIndex(row);
    if (row >= m_table.rowCount()) {
        CurrentPath = m_folder + u'/';
        errors::throwText(errors::GridIndex);
    }
    if (!m_view.settleTypedEdits(QStringLiteral("showing another record"))) {
        FromTable = fromTable;
        return;
    }
    m_view.selectRow(row);
    rowChosen(row, false);
}

void Navigation::requireListed(const QString &path, recordlock::Action action) const
{
    const bool save = action == recordlock::Action::Save;
    if (path.isEmpty())
        errors::throwText(save ? QCoreApplication::translate("Navigation", "No record is shown: there is nothing to save.")
                               : QCoreApplication::translate("Navigation", "No record is shown: there is nothing to delete."));
    const QString name = QFileInfo(path).fileName();
    if (QFileInfo(path).absolutePath() != m_folder || m_table.rowOfFile(name) == 0)
        errors::throwText((save ? QCoreApplication::translate("Navigation", "The record %1 is not listed in the archive: "
                                                                            "there is nothing to save.")
                                : QCoreApplication::translate("Navigation", "The record %1 is not listed in the archive: "
                                                                            "there is nothing to delete."))
                              .arg(filenames::display(name)));
}

void Navigation::requireCurrentRowIs(const QString &path, recordlock::Action action) const
{
    requireListed(path, action);
    const QString name = QFileInfo(path).fileName();
    if (!m_table.isListed(CurrentRow) || rowPath(CurrentRow) != path)
        errors::throwText((action == recordlock::Action::Save
                               ? QCoreApplication::translate("Navigation", "The current row of the file table is not "
                                                                           "the record %1. Select its row first, then "
                                                                           "save again.")
                               : QCoreApplication::translate("Navigation", "The current row of the file table is not "
                                                                           "the record %1. Select its row first, then "
                                                                           "delete again."))
                              .arg(filenames::display(name)));
}

Navigation::Outcome Navigation::deleteCurrent()
{
    // A record that could not be shown (too short, unreadable) can still be
    // deleted once chosen in the table.
    requireCurrentRowIs(m_chosenPath, recordlock::Action::Delete);
    const QString name = QFileInfo(m_chosenPath).fileName();
    // The file question comes first, so that answering No keeps everything,
    // typed changes included. Typing in the panel is lost with the file only
    // when it is the record shown.
    if (!m_view.confirmDelete(filenames::display(name)))
        return Outcome::NotDone;
    if (m_chosenPath == m_shownPath && !m_view.settleTypedEdits(QStringLiteral("deleting its file")))
        return Outcome::NotDone;
    CurrentPath = rowPath(CurrentRow);
    // Only the file as it was chosen is deleted: not one another program has
    // changed or put in its place since.
    using recordstate::Change;
    recordstate::Fingerprint expected = m_chosenPath == m_shownPath ? m_shownState : m_chosenState;
    recordlock::RemoveResult result;
    for (;;) {
        // Compared and removed under the archive folder's lock.
        result = recordlock::removeIfUnchanged(CurrentPath, expected);
        const Change change = result.change;
        if (change == Change::None)
            break;
        if (change == Change::Removed) {
            m_view.showWarning(QCoreApplication::translate("Navigation", "The record %1 was already removed by another program.")
                                   .arg(filenames::display(name)));
            FromTable = true;
            scan();
            return Outcome::NotDone;
        }
        switch (askAbout(change, name, result.now, QCoreApplication::translate("Navigation", "Nothing was deleted."),
                         QCoreApplication::translate("Navigation", "Delete it anyway"))) {
        case NavigationView::Conflict::ShowAsItIsNow:
            return Outcome::ShowAsItIsNow;
        case NavigationView::Conflict::GoOn:
            expected = result.now;
            continue;
        case NavigationView::Conflict::Cancel:
            return Outcome::NotDone;
        }
    }
    if (result.error == 0 && CurrentPath == m_shownPath)
        m_shownDeleted = true;
    FromTable = true;
    scan();
    if (result.error != 0)
        errors::throwText(QCoreApplication::translate("Navigation", "Cannot delete file %1: %2")
                              .arg(filenames::display(CurrentPath), errors::ioText(result.error)));
    return Outcome::Done;
}

bool Navigation::testingModeChanged()
{
    // The record shown is decoded again with the other measurement block.
    // With nothing shown there is nothing to decode, and the next Open must
    // still ask for a file.
    if (m_shownPath.isEmpty())
        return true;
    if (!m_view.settleTypedEdits(QStringLiteral("showing it in the other testing mode")))
        return false;
    CurrentPath = m_shownPath;
    FromTable = false;
    decode(CurrentPath);
    return true;
}

void Navigation::startupOpen()
{
    if (LastRow == 0)
        return;  // an empty archive: nothing to show
    LastFilePath = CurrentPath = rowPath(LastRow);
    m_view.selectRow(LastRow);
    CurrentRow = LastRow;
    FromTable = true;
    openAndDecode();
}

void Navigation::rescan() { scan(); }
