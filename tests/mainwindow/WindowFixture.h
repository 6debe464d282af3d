#pragma once

// Helpers for driving the real main window under the offscreen platform: a
// temporary start directory with its archive folder, the window started in
// it, clicks and keys on the file table, and a driver that answers the modal
// dialogs the window opens and records every message box.

#include "Unit1.h"

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <deque>
#include <memory>

class FileGrid;
class QAction;
class QPrinter;

namespace windowtest {

// A fresh start directory, made the process's current directory for as long
// as the object lives (the main window captures it when it is created).
class StartDirectory
{
public:
    explicit StartDirectory(bool withArchive = true);
    ~StartDirectory();

    QString path() const { return m_dir.path(); }
    QString archive() const { return m_dir.path() + QStringLiteral("/bin"); }
    QString inArchive(const QString &name) const { return archive() + u'/' + name; }

    // Writes sample::variant(n) into the archive folder and returns its path.
    QString addRecord(const QString &name, int variant) const;
    QString addFile(const QString &name, const QByteArray &bytes) const;

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

// What a modal dialog showed.
struct SeenDialog
{
    QString kind;        // "box", "input", "file" or the class name
    QString objectName;
    QString title;
    QString text;        // message, the input dialog's label, the path a file dialog offers
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons; // message box buttons, by text without '&'
    QString defaultButton;
    QString value;       // input dialog's initial text, file dialog's filters
};

// Answers the modal dialogs as they come. Message boxes with a single button
// (error and warning boxes) are acknowledged by themselves; questions, the
// input dialog, the file dialog and the program's other windows take the next
// queued answer. A dialog that comes with no answer queued is cancelled and
// listed as unexpected.
class DialogDriver : public QObject
{
public:
    DialogDriver();

    void answer(QMessageBox::StandardButton button);  // the next question
    void answerInput(const QString &text);             // the next input dialog
    void cancelInput();
    void chooseFile(const QString &path);              // the next file dialog
    void cancelFile();
    void closeWindow(const QString &className);        // the next other modal window
    // While paused, dialogs are left to the test.
    void setPaused(bool paused) { m_paused = paused; }

    // Texts of the error boxes seen so far, and clears the record.
    QStringList takeErrors();
    QList<SeenDialog> takeSeen();
    QStringList unexpected() const { return m_unexpected; }
    int queued() const { return int(m_answers.size()); }

private:
    struct Answer
    {
        QString kind;
        bool accept = true;
        QString text;
        QMessageBox::StandardButton button = QMessageBox::NoButton;
    };
    void poll();
    bool takeAnswer(const QString &kind, Answer &answer);

    QTimer m_timer;
    std::deque<Answer> m_answers;
    QList<SeenDialog> m_seen;
    QStringList m_unexpected;
    bool m_paused = false;
};

// Base of the window test classes: a fresh dialog driver for every test
// function, and after it no dialog left unanswered or answer left unused.
class WindowTestCase : public QObject
{
    Q_OBJECT

protected:
    std::unique_ptr<DialogDriver> m_dialogs;

private slots:
    void init();
    void cleanup();
};

// Makes the next print preview print into `path` on `printer` and close, as
// its Print command does once the print dialog named that file. The driver
// leaves dialogs alone until then. The preview is looked for while the
// returned timer lives.
std::unique_ptr<QTimer> printNextPreviewInto(DialogDriver &dialogs, QPrinter &printer, const QString &path);

// Waits until a shown main window is on the screen, its start-up has run and
// the archive is listed whole.
void waitForStartUp(TForm1 &form);
// Creates the main window in the current directory, shows it and lets the
// start-up timer run its open.
std::unique_ptr<TForm1> startWindow();

template<typename T>
T *child(QObject *parent, const QString &name)
{
    T *found = parent->findChild<T *>(name);
    if (!found)
        qFatal("no child %s", qPrintable(name));
    return found;
}

QAction *action(TForm1 &form, const QString &name);
QString labelText(TForm1 &form, const QString &name);
QString editText(TForm1 &form, const QString &name);
void setEdit(TForm1 &form, const QString &name, const QString &text);
// File names of the listed rows, from row 1 down to the blank row.
QStringList listedNames(TForm1 &form);

// The power shown is different for each sample variant: it tells which
// record the panel shows.
QString powerOf(int variant);
QString shownPower(TForm1 &form);
// The tester's engineer name that a record as received shows.
QString engineerOf(int variant);

// Mouse release on a table row (0: the header row) with the given button.
void clickRow(TForm1 &form, int tableRow, Qt::MouseButton button = Qt::LeftButton);
void pressKey(TForm1 &form, Qt::Key key);
// Right-clicks a table row and chooses an item of the pop-up menu; false when
// the pop-up menu did not come up.
bool popupCommand(TForm1 &form, int tableRow, const QString &item);
// Clicks a tool button by its name.
void clickTool(TForm1 &form, const QString &name);
// Chooses the conclusion for the record shown from the selector's list, as
// the user does (0 "SART PASSED TESTS", 1 "SART FAILED TESTS").
void chooseConclusion(TForm1 &form, int index);
// The rows the table highlights, in table rows.
QList<int> highlightedRows(TForm1 &form);

} // namespace windowtest
