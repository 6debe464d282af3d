#include "Unit1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("sart-tester"));
    QApplication::setApplicationDisplayName(QStringLiteral("SART TESTER SOFTWARE"));
    QApplication::setDesktopFileName(QStringLiteral("sart-tester"));

    TForm1 form1;
    form1.showMaximized();
    return app.exec();
}
