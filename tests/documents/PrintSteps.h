#pragma once

// Steps of a ModalDriver for printing from the print preview to a file.

#include "ModalDriver.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QTimer>

// The print dialog set to print to a file and its Print button pressed, once
// the step has returned, so that the driver answers a message it brings.
inline ModalDriver::Step printToFile(const QString &path)
{
    return [path](QWidget *modal) {
        auto *dialog = qobject_cast<QPrintDialog *>(modal);
        auto *printers = dialog ? dialog->findChild<QComboBox *>(QStringLiteral("printers")) : nullptr;
        auto *fileName = dialog ? dialog->findChild<QLineEdit *>(QStringLiteral("filename")) : nullptr;
        auto *buttons = dialog ? dialog->findChild<QDialogButtonBox *>() : nullptr;
        if (!printers || !fileName || !buttons) {
            qWarning("not the print dialog");
            modal->close();
            return;
        }
        printers->setCurrentIndex(printers->count() - 1);  // "Print to File (PDF)"
        fileName->setText(path);
        QTimer::singleShot(0, buttons->button(QDialogButtonBox::Ok), &QAbstractButton::click);
    };
}

// The preview's own Print command, from its tool bar; run once the step has
// returned, so that the driver answers the dialogs the command opens.
inline ModalDriver::Step printFromPreview()
{
    return [](QWidget *modal) {
        for (QAction *action : modal->findChildren<QAction *>())
            if (action->text() == QLatin1String("Print"))
                return QTimer::singleShot(0, action, &QAction::trigger);
        qWarning("no Print command");
        modal->close();
    };
}
