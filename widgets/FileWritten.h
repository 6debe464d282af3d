#pragma once

#include <QString>

class QWidget;

// The end of every export into a file the engineer chose (a certificate as
// PDF, a print into a file, a CSV list): a message naming the file, with
// "Open folder", which opens the file's folder in the desktop's file manager,
// and OK, the default. The box's object name is "FileWritten".
// `what` starts the sentence: "The certificate", "The due list".
void showFileWritten(QWidget *parent, const QString &what, const QString &path);
