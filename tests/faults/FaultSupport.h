#pragma once

// Helpers for driving the program into faults: what the archive folder holds,
// byte for byte; a small file system that fills up or turns read-only; and a
// script that answers the modal windows as they come, nested ones included.

#include <QMap>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>

namespace faults {

// Every entry of a folder, hidden ones included, with the SHA-256 and size of
// each file ("folder" for a folder). Two states compare equal only when no
// entry was added, lost, renamed or changed by a single byte.
using FolderState = QMap<QString, QString>;
FolderState folderState(const QString &folder);
QString fileDigest(const QString &path);

// A tmpfs of a few kilobytes mounted over a folder for as long as the object
// lives. Mounting needs root; without it isMounted() is false and error()
// says why.
class SmallDisk
{
public:
    SmallDisk(const QString &folder, int kilobytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool isMounted() const { return m_mounted; }
    QString error() const { return m_error; }

    // Writes a file named `name` (not a record name) until the disk is full.
    bool fill(const QString &name);
    bool remountReadOnly();

private:
    QString m_folder;
    QString m_error;
    bool m_mounted = false;
};

// Answers the modal windows over the main window, one step per window as it
// comes up, in order. A window that is already being handled (the receive
// dialog during a reception) is left alone until a step names it again with
// `again`. A window that comes up with no step for it is recorded as
// unexpected and closed, so a test fails instead of hanging.
class ModalScript : public QObject
{
public:
    using Action = std::function<void(QWidget *modal)>;

    ModalScript();

    // The next window must be of this class ("QMessageBox", "QFileDialog",
    // "TForm2", ...); `again` lets the step act on a window handled before.
    void then(const QString &className, Action action, bool again = false);

    // Usual steps.
    void receiveOn(const QString &port);        // receive dialog: choose the port, press "Data import"
    void saveAs(const QString &name);           // save dialog: type the name, accept
    void cancelFile();                          // file dialog: cancel
    void acknowledge();                         // message box with one button: press it
    void press(QMessageBox::StandardButton button);
    void closeReceiveDialog();                  // "Close" in the receive dialog shown before

    // What came up: "QMessageBox: <text>" for message boxes, else the class name.
    QStringList seen() const { return m_seen; }
    QStringList messages() const;               // the message boxes' texts only
    QStringList unexpected() const { return m_unexpected; }
    int pending() const { return int(m_steps.size()); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Step
    {
        QString className;
        Action action;
        bool again = false;
    };
    void tick();

    QTimer m_timer;
    QList<Step> m_steps;
    QList<QPointer<QWidget>> m_handled;  // shown and handled, until hidden
    QStringList m_seen;
    QStringList m_unexpected;
};

} // namespace faults
