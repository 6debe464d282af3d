#include "ErrorBox.h"

#include <QMessageBox>

QString errorBoxText(const QString &text)
{
    return text.endsWith(u'.') ? text : text + u'.';
}

void showErrorBox(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Critical, ProgramTitle, errorBoxText(text), QMessageBox::Ok, parent);
    box.exec();
}
