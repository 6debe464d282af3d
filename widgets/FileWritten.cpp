#include "FileWritten.h"

#include "ErrorBox.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

void showFileWritten(QWidget *parent, const QString &what, const QString &path)
{
    const QString file = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    //: %1 starts the sentence: "The certificate 2026-00042", "The due list".
    QMessageBox box(QMessageBox::Information, programTitle(),
                    QCoreApplication::translate("FileWritten", "%1 was saved as\n%2").arg(what, file),
                    QMessageBox::Open | QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("FileWritten"));
    box.button(QMessageBox::Open)->setText(QCoreApplication::translate("FileWritten", "Open &folder"));
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    if (box.exec() != QMessageBox::Open)
        return;
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(folder)))
        showErrorBox(parent, QCoreApplication::translate("FileWritten",
                                                         "The folder %1 could not be opened: the desktop has no "
                                                         "file manager set up for folders.")
                                 .arg(QDir::toNativeSeparators(folder)));
}
