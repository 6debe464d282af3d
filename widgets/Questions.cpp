#include "Questions.h"

#include "ErrorBox.h"

bool askYesNo(QWidget *parent, const QString &objectName, const QString &text, QMessageBox::Icon icon)
{
    QMessageBox box(icon, ProgramTitle, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setObjectName(objectName);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}
