#include "CheckCommand.h"
#include "CommandLinePdf.h"
#include "ErrorBox.h"
#include "Language.h"
#include "StartFolder.h"
#include "Unit1.h"
#include "WindowSettings.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // A certificate checked from the command line: no window, no display.
    if (checkcommand::asked(argc, argv)) {
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("sart-tester"));
        language::install(language::chosen());
        return checkcommand::run(QCoreApplication::arguments());
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("sart-tester"));
    QApplication::setApplicationDisplayName(QStringLiteral("SART TESTER SOFTWARE"));
    QApplication::setDesktopFileName(QStringLiteral("sart-tester"));
    language::install(language::chosen());
    // The name the desktop adds to window titles, in the language shown.
    QApplication::setApplicationDisplayName(programTitle());

    if (const std::optional<int> status = commandlinepdf::run(QApplication::arguments()))
        return *status;

    try {
        startfolder::enter(QApplication::arguments());
    } catch (const AppError &e) {
        showErrorBox(nullptr, e.text());
        return 1;
    }

    TForm1 form1;
    showAsLeft(form1);
    return app.exec();
}
