#pragma once

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

} // namespace language
