#include "FaultSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace faults {

QString fileDigest(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("unreadable: ") + file.errorString();
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return QString::fromLatin1(hash.result().toHex()) + QStringLiteral(" %1 bytes").arg(file.size());
}

FolderState folderState(const QString &folder)
{
    FolderState state;
    const QFileInfoList entries = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &entry : entries) {
        if (entry.isSymLink())
            state.insert(entry.fileName(), QStringLiteral("link to ") + entry.symLinkTarget());
        else if (entry.isDir())
            state.insert(entry.fileName(), QStringLiteral("folder"));
        else
            state.insert(entry.fileName(), fileDigest(entry.filePath()));
    }
    return state;
}

SmallDisk::SmallDisk(const QString &folder, int kilobytes)
    : m_folder(folder)
{
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + 'k';
    if (::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", MS_NOSUID, options.constData()) == 0)
        m_mounted = true;
    else
        m_error = QStringLiteral("cannot mount a small file system on %1: %2")
                      .arg(folder, QString::fromLocal8Bit(std::strerror(errno)));
}

SmallDisk::~SmallDisk()
{
    if (!m_mounted)
        return;
    const QByteArray folder = QFile::encodeName(m_folder);
    if (::umount2(folder.constData(), 0) != 0)
        ::umount2(folder.constData(), MNT_DETACH);  // still busy: detach it now, freed when let go
}

bool SmallDisk::fill(const QString &name)
{
    const int fd = ::open(QFile::encodeName(m_folder + u'/' + name).constData(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    // Whole pages first, then single bytes into the last page.
    const QByteArray page(4096, 'f');
    for (qsizetype chunk = page.size(); chunk > 0;) {
        const ssize_t n = ::write(fd, page.constData(), size_t(chunk));
        if (n < 0 && errno != ENOSPC) {
            ::close(fd);
            return false;
        }
        if (n < chunk)
            chunk = chunk > 1 ? 1 : 0;
    }
    return ::close(fd) == 0;
}

bool SmallDisk::remountReadOnly()
{
    return ::mount(nullptr, QFile::encodeName(m_folder).constData(), nullptr, MS_REMOUNT | MS_RDONLY | MS_NOSUID,
                   nullptr)
        == 0;
}

ModalScript::ModalScript()
{
    connect(&m_timer, &QTimer::timeout, this, &ModalScript::tick);
    m_timer.start(5);
}

void ModalScript::then(const QString &className, Action action, bool again)
{
    m_steps.append({className, std::move(action), again});
}

void ModalScript::receiveOn(const QString &port)
{
    then(QStringLiteral("TForm2"), [port](QWidget *dialog) {
        dialog->findChild<QComboBox *>(QStringLiteral("CBPort"))->setCurrentText(port);
        // Pressed from an event of its own: the reception runs inside the
        // click, and this script must go on answering meanwhile.
        QTimer::singleShot(0, dialog->findChild<QPushButton *>(QStringLiteral("Button1")),
                           &QAbstractButton::click);
    });
}

void ModalScript::saveAs(const QString &name)
{
    then(QStringLiteral("QFileDialog"), [name](QWidget *modal) {
        auto *dialog = static_cast<QFileDialog *>(modal);
        // Typed, as the user does: selectFile() leaves a focused name field alone.
        dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(name);
        static_cast<QDialog *>(dialog)->accept();  // QFileDialog::accept, through the public base
    });
}

void ModalScript::cancelFile()
{
    then(QStringLiteral("QFileDialog"), [](QWidget *modal) { static_cast<QDialog *>(modal)->reject(); });
}

void ModalScript::acknowledge()
{
    then(QStringLiteral("QMessageBox"), [](QWidget *modal) {
        const QList<QAbstractButton *> buttons = static_cast<QMessageBox *>(modal)->buttons();
        if (buttons.size() == 1)
            buttons.constFirst()->click();
        else
            modal->close();
    });
}

void ModalScript::press(QMessageBox::StandardButton button)
{
    then(QStringLiteral("QMessageBox"), [button](QWidget *modal) {
        if (QAbstractButton *b = static_cast<QMessageBox *>(modal)->button(button))
            b->click();
        else
            modal->close();
    });
}

void ModalScript::closeReceiveDialog()
{
    then(QStringLiteral("TForm2"), [](QWidget *dialog) {
        QTimer::singleShot(0, dialog->findChild<QPushButton *>(QStringLiteral("BitBtn1")), &QAbstractButton::click);
    }, true);
}

QStringList ModalScript::messages() const
{
    QStringList texts;
    for (const QString &s : m_seen)
        if (s.startsWith(QLatin1String("QMessageBox: ")))
            texts.append(s.mid(13));
    return texts;
}

bool ModalScript::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Hide) {
        m_handled.removeAll(static_cast<QWidget *>(watched));
        watched->removeEventFilter(this);
    }
    return false;
}

void ModalScript::tick()
{
    m_handled.removeAll(nullptr);
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    const bool fresh = !m_handled.contains(modal);
    const bool matches = !m_steps.isEmpty() && modal->inherits(m_steps.first().className.toLatin1().constData());
    if (fresh) {
        const auto *box = qobject_cast<QMessageBox *>(modal);
        const QString description = box ? QStringLiteral("QMessageBox: ") + box->text()
                                        : QString::fromLatin1(modal->metaObject()->className());
        m_seen.append(description);
        m_handled.append(modal);
        modal->installEventFilter(this);
        if (!matches) {
            m_unexpected.append(description);
            if (auto *dialog = qobject_cast<QDialog *>(modal))
                dialog->reject();
            else
                modal->close();
            return;
        }
    } else if (!matches || !m_steps.first().again) {
        return;  // busy, e.g. the receive dialog during a reception
    }
    const Step step = m_steps.takeFirst();
    step.action(modal);
}

} // namespace faults
