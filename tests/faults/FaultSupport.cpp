#include "FaultSupport.h"

#include "FileNames.h"

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
#include <dirent.h>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace faults {

QString fileDigest(const QString &path)
{
    // Without waiting, and only regular files: a pipe in the folder must not
    // hang the test.
    const int fd = ::open(filenames::toBytes(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return QStringLiteral("unreadable: ") + QString::fromLocal8Bit(std::strerror(errno));
    QFile file;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return QStringLiteral("not a regular file");
    }
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return QString::fromLatin1(hash.result().toHex()) + QStringLiteral(" %1 bytes").arg(st.st_size);
}

FolderState folderState(const QString &folder)
{
    // By the names' bytes, so that names that are not UTF-8 stay apart.
    FolderState state;
    DIR *dir = ::opendir(filenames::toBytes(folder).constData());
    if (!dir)
        return state;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray bytes(entry->d_name);
        if (bytes == "." || bytes == "..")
            continue;
        const QString name = filenames::fromBytes(bytes);
        const QString path = folder + u'/' + name;
        struct stat st {};
        if (::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
            state.insert(name, QStringLiteral("gone"));
        } else if (S_ISLNK(st.st_mode)) {
            char target[4096];
            const ssize_t n = ::readlinkat(::dirfd(dir), entry->d_name, target, sizeof target);
            state.insert(name, QStringLiteral("link to ") + filenames::fromBytes(QByteArray(target, std::max<ssize_t>(n, 0))));
        } else if (S_ISDIR(st.st_mode)) {
            state.insert(name, QStringLiteral("folder"));
        } else if (!S_ISREG(st.st_mode)) {
            state.insert(name, QStringLiteral("special file"));
        } else {
            state.insert(name, fileDigest(path));
        }
    }
    ::closedir(dir);
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
