#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// A Yes/No question with the program's title whose default and Escape answer
// is No: for every question before something that cannot be taken back.
// objectName lets tests find and answer the box.
bool askYesNo(QWidget *parent, const QString &objectName, const QString &text,
              QMessageBox::Icon icon = QMessageBox::Warning);
