#include "Questions.h"

#include "ErrorBox.h"
#include "FileNames.h"
#include "OutputFile.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>

bool askYesNo(QWidget *parent, const QString &objectName, const QString &text, QMessageBox::Icon icon)
{
    QMessageBox box(icon, programTitle(), text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setObjectName(objectName);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

bool mayWriteFile(QWidget *parent, const QString &path)
{
    if (outputfile::inspect(path) == outputfile::Existing::Nothing)
        return true;
    return askYesNo(parent, QStringLiteral("ReplaceQuestion"),
                    QCoreApplication::translate("Questions", "The file %1 already exists.\nDo you want to replace it?")
                        .arg(filenames::display(QFileInfo(path).fileName())),
                    QMessageBox::Question);
}

QString askCsvFile(QWidget *parent, const QString &objectName, const QString &offeredName)
{
    QFileDialog dialog(parent, QCoreApplication::translate("Questions", "Export CSV"));
    dialog.setObjectName(objectName);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QCoreApplication::translate("Questions", "CSV files (*.csv)"));
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);  // asked below, after a look at what lies there
    dialog.selectFile(offeredName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString path = dialog.selectedFiles().constFirst();
    return mayWriteFile(parent, path) ? path : QString();
}
