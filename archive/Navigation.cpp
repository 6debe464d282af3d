#include "Navigation.h"

#include "AppError.h"
#include "ArchiveScan.h"
#include "Convert.h"
#include "Decoder.h"
#include "FileNames.h"
#include "RecordImport.h"

#include <QFileInfo>

#include <cerrno>
#include <unistd.h>

Navigation::Navigation(const QString &startDirectory, NavigationView &view)
    : m_folder(startDirectory + QStringLiteral("/bin")), m_view(view)
{
}

QString Navigation::rowPath(int row) const
{
    return m_folder + u'/' + m_table.fileName(row);
}

void Navigation::scan()
{
    archive::ScanResult result = archive::scan(m_folder);
    m_table.setRecords(std::move(result.rows), std::move(result.names));
    LastRow = m_table.listedCount();
    UseLastFile = true;
    FromTable = false;
    // The current row follows the record shown to its row in the new listing.
    const int shownRow = QFileInfo(m_shownPath).absolutePath() == m_folder
                             ? m_table.rowOfFile(QFileInfo(m_shownPath).fileName())
                             : 0;
    m_view.tableChanged();
    if (shownRow > 0)
        CurrentRow = shownRow;
    // Rebuilding the table drops its highlight: put it back on the current row.
    if (CurrentRow < m_table.rowCount())
        m_view.selectRow(CurrentRow);
    for (const QString &warning : m_warnings.after(m_folder, result))
        m_view.showWarning(warning);
}

void Navigation::openAndDecode()
{
    if (!m_view.settleTypedEdits(QStringLiteral("opening a record")))
        return;
    if (!FromTable) {
        if (const std::optional<QString> chosen = m_view.chooseRecordFile()) {
            CurrentPath = *chosen;
            const QString copy = archive::importRecord(*chosen, m_folder, [this](const QString &name) {
                return m_view.confirmReplace(name);
            });
            if (copy.isEmpty())
                return;
            if (!m_shownPath.isEmpty() && QFileInfo(copy) == QFileInfo(m_shownPath))
                m_view.shownRecordReplaced();
            // The record is shown from its archive copy, so that Save changes
            // writes into the archive and never into the file chosen elsewhere.
            m_shownPath = copy;
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
    decoder::Input input;
    input.path = path;
    input.modeIndex = m_view.testingModeIndex();
    input.testingDateCell = m_table.cell(CurrentRow, FileTable::TestingDate);
    m_chosenPath = path;
    // All or nothing: a record that fails at any step leaves the panel, the
    // record buffer and the record shown as they were.
    RecordBytes bytes;
    decoder::readRecord(path, bytes);
    DecodedRecord record;
    decoder::decodeBuffer(bytes, input, record);
    recordBuffer() = bytes;
    m_shownPath = path;
    m_view.showRecord(record, path);
}

void Navigation::rowChosen(int row, bool moveToLastRow)
{
    if (!m_view.settleTypedEdits(QStringLiteral("showing another record")))
        return;
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
}

void Navigation::mouseUp(int row)
{
    // Outside every cell, or an archive with nothing listed: nothing to show.
    if (row < 0 || row >= m_table.rowCount() || LastRow == 0)
        return;
    rowChosen(row, true);
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

void Navigation::requireCurrentRowIs(const QString &path, const QString &action) const
{
    if (path.isEmpty())
        errors::throwText(QStringLiteral("No record is shown: there is nothing to %1.").arg(action));
    const QString name = QFileInfo(path).fileName();
    if (QFileInfo(path).absolutePath() != m_folder || m_table.rowOfFile(name) == 0)
        errors::throwText(QStringLiteral("The record %1 is not listed in the archive: "
                                         "there is nothing to %2.")
                              .arg(filenames::display(name), action));
    if (!m_table.isListed(CurrentRow) || rowPath(CurrentRow) != path)
        errors::throwText(QStringLiteral("The current row of the file table is not the record %1. "
                                         "Select its row first, then %2 again.")
                              .arg(filenames::display(name), action));
}

QString Navigation::saveTarget() const
{
    requireCurrentRowIs(m_shownPath, QStringLiteral("save"));
    return m_shownPath;
}

int Navigation::refreshRow(const QString &path)
{
    const QFileInfo file(path);
    const int row = file.absolutePath() == m_folder ? m_table.rowOfFile(file.fileName()) : 0;
    if (row > 0) {
        QString problem;
        m_table.setRow(row, archive::readRow(m_folder, m_table.fileName(row), row, problem));
    }
    return row;
}

void Navigation::deleteCurrent()
{
    // A record that could not be shown (too short, unreadable) can still be
    // deleted once chosen in the table.
    requireCurrentRowIs(m_chosenPath, QStringLiteral("delete"));
    // The file question comes first, so that answering No keeps everything,
    // typed changes included. Typing in the panel is lost with the file only
    // when it is the record shown.
    if (!m_view.confirmDelete(filenames::display(QFileInfo(m_chosenPath).fileName())))
        return;
    if (m_chosenPath == m_shownPath && !m_view.settleTypedEdits(QStringLiteral("deleting its file")))
        return;
    CurrentPath = rowPath(CurrentRow);
    const int removed = ::unlink(filenames::toBytes(CurrentPath).constData());
    const int error = errno;
    FromTable = true;
    scan();
    if (removed != 0)
        errors::throwText(QStringLiteral("Cannot delete file %1: %2")
                              .arg(filenames::display(CurrentPath), errors::ioText(error)));
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
