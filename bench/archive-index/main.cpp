// Start-up of the program with 10,000 record files in its archive, measured
// as a whole process from launch until the last record is shown, against a
// bare window showing one label.
#include "SampleArchive.h"
#include "Unit1.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int RecordCount = 10000;

int runBare(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QLabel(QStringLiteral("SART")));
    window.showMaximized();
    QTimer::singleShot(0, &app, &QApplication::quit);
    return app.exec();
}

int runProgram(int argc, char **argv)
{
    QApplication app(argc, argv);
    TForm1 form;
    form.showMaximized();
    auto *poll = new QTimer(&app);
    QObject::connect(poll, &QTimer::timeout, &app, [&] {
        if (!form.navigation().shownPath().isEmpty())
            app.quit();
    });
    poll->start(0);
    return app.exec();
}

double timeChild(const QString &program, const QString &mode, const QString &dir)
{
    QProcess child;
    child.setWorkingDirectory(dir);
    QElapsedTimer t;
    t.start();
    child.start(program, {mode});
    child.waitForFinished(120000);
    return t.nsecsElapsed() / 1e6;
}

double median(QVector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc > 1 && qstrcmp(argv[1], "--bare") == 0)
        return runBare(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], "--program") == 0)
        return runProgram(argc, argv);

    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("bin"));
    if (!sample::writeArchive(dir.filePath(QStringLiteral("bin")),
                              sample::serviceArchive(RecordCount, QDate::currentDate())))
        return 1;
    const QString self = QCoreApplication::applicationFilePath();
    QVector<double> bare, program;
    for (int run = 0; run < 9; ++run) {
        bare << timeChild(self, QStringLiteral("--bare"), dir.path());
        program << timeChild(self, QStringLiteral("--program"), dir.path());
    }
    const double b = median(bare), p = median(program);
    std::printf("start-up with %d records until the last is shown: %.0f ms (bare window with a label %.0f ms, "
                "ratio %.2f)\n",
                RecordCount, p, b, p / b);
    return 0;
}
