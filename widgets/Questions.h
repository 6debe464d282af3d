#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// A Yes/No question with the program's title whose default and Escape answer
// is No: for every question before something that cannot be taken back.
// objectName lets tests find and answer the box.
bool askYesNo(QWidget *parent, const QString &objectName, const QString &text,
              QMessageBox::Icon icon = QMessageBox::Warning);

// Whether the file the engineer chose in a save dialog may be written: yes
// when nothing lies at the path, or a regular file that the engineer agrees
// to replace (the question's default is No). Anything else lying there (a
// link, a FIFO, a device, a folder) is refused: raises the FileError that
// names it (outputfile::inspect).
bool mayWriteFile(QWidget *parent, const QString &path);

// The save dialog of a CSV export, offering the name given; the path chosen
// once mayWriteFile agreed, or empty when the engineer gave up.
QString askCsvFile(QWidget *parent, const QString &objectName, const QString &offeredName);
