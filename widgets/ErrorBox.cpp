#include "ErrorBox.h"

#include <QCoreApplication>
#include <QMessageBox>

QString programTitle()
{
    return QCoreApplication::translate("ErrorBox", "SART TESTER SOFTWARE");
}

QString errorBoxText(const QString &text)
{
    return text.endsWith(u'.') ? text : text + u'.';
}

void showErrorBox(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Critical, programTitle(), errorBoxText(text), QMessageBox::Ok, parent);
    box.exec();
}
