#pragma once

#include "AppError.h"

#include <QString>
#include <QWidget>

#include <exception>
#include <utility>

// The program's title in English: the name written into files (a PDF's
// creator) whatever the language shown.
inline const QString ProgramTitle = QStringLiteral("SART TESTER SOFTWARE");
// The program's title as shown: the main window's and every message box's
// title, in the language of the interface.
QString programTitle();

// The error box: error icon, one OK button, the program's title, the text with
// a full stop added when it does not end in one.
void showErrorBox(QWidget *parent, const QString &text);
QString errorBoxText(const QString &text);

// Runs a handler; an error it raises ends it and is shown in the error box,
// and the program goes on. Every handler of every window runs through this.
template<typename Handler>
void guarded(QWidget *parent, Handler &&handler)
{
    try {
        std::forward<Handler>(handler)();
    } catch (const AppError &e) {
        showErrorBox(parent, e.text());
    } catch (const std::exception &e) {
        showErrorBox(parent, QString::fromLocal8Bit(e.what()));
    }
}
