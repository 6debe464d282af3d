#pragma once

#include <QLocale>
#include <QString>

class QCoreApplication;

// The language of the program's interface: the system's (LANGUAGE,
// LC_ALL, LC_MESSAGES, LANG) unless the engineer chose one in Settings >
// Language. It is applied at start; a change is applied at the next start.
// Certificates, PDFs and Word documents are English whatever it is.
namespace language {

enum class Choice { System, English, Russian };

// The choice kept in the settings (System when there is none).
Choice chosen();
void choose(Choice choice);

// "ru" or "en": what the choice comes to on this system.
QString effective(Choice choice);

// Loads the program's translation and Qt's own (message box buttons, file
// and print dialogs) for the choice, and makes the interface's locale the
// default one, so numbers and dates on screen follow the language shown.
// Call once, after the application object is made and before any window.
void install(Choice choice);

// The language the running program shows: "ru" or "en".
QString shown();

// Makes `locale` the default one, for the numbers and dates the interface
// shows, and keeps the one it replaces as the regional locale.
void setInterfaceLocale(const QLocale &locale);
// The locale of the system's regional settings, before the interface's
// language replaced it (QLocale() when it did not): certificates, their PDF
// and Word documents are written in it, the same in every language.
QLocale regionalLocale();
// A number as the interface shows it (the interface locale's decimal point)
// with the regional locale's decimal point instead.
QString regionalNumber(const QString &shown);

} // namespace language
