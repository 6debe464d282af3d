#include "FileWritten.h"

#include "ErrorBox.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

void showFileWritten(QWidget *parent, const QString &what, const QString &path)
{
    const QString file = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    QMessageBox box(QMessageBox::Information, ProgramTitle,
                    QStringLiteral("%1 was saved as\n%2").arg(what, file), QMessageBox::Open | QMessageBox::Ok,
                    parent);
    box.setObjectName(QStringLiteral("FileWritten"));
    box.button(QMessageBox::Open)->setText(QStringLiteral("Open &folder"));
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    if (box.exec() != QMessageBox::Open)
        return;
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(folder)))
        showErrorBox(parent, QStringLiteral("The folder %1 could not be opened: the desktop has no file manager "
                                            "set up for folders.")
                                 .arg(QDir::toNativeSeparators(folder)));
}
