// Start-up until the last of 999 records is shown, against a bare QMainWindow
// start, each measured as a whole process (library loading and QApplication
// included) on the offscreen platform.
#include "BenchSupport.h"
#include "RecordPanel.h"
#include "SampleRecord.h"
#include "Unit1.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

int runBare(int argc, char **argv, bool withText)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("bare"));
    // Any window that shows text pays for loading the font database.
    if (withText)
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
    // Done when the start-up open has shown the last record.
    auto *poll = new QTimer(&app);
    QObject::connect(poll, &QTimer::timeout, &app, [&] {
        if (!form.navigation().shownPath().isEmpty())
            app.quit();
    });
    poll->start(0);
    return app.exec();
}



} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc > 1 && qstrcmp(argv[1], "--bare") == 0)
        return runBare(argc, argv, false);
    if (argc > 1 && qstrcmp(argv[1], "--text") == 0)
        return runBare(argc, argv, true);
    if (argc > 1 && qstrcmp(argv[1], "--program") == 0)
        return runProgram(argc, argv);

    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("bin"));
    for (int i = 0; i < 999; ++i) {
        QFile f(dir.filePath(QStringLiteral("bin/rec%1.bin").arg(i, 4, 10, QChar(u'0'))));
        if (!f.open(QIODevice::WriteOnly) || f.write(sample::makeRecord(sample::variant(i))) != 4096)
            return 1;
    }
    const QString self = QCoreApplication::applicationFilePath();
    QVector<double> bare, text, program;
    for (int run = 0; run < 7; ++run) {
        bare << bench::timeChild(self, QStringLiteral("--bare"), dir.path(), 60000);
        text << bench::timeChild(self, QStringLiteral("--text"), dir.path(), 60000);
        program << bench::timeChild(self, QStringLiteral("--program"), dir.path(), 60000);
    }
    const double b = bench::median(bare), t = bench::median(text), p = bench::median(program);
    std::printf("start-up with 999 records: %.0f ms, bare window %.0f ms, ratio = %.2f (goal <= 1.5)\n", p, b, p / b);
    std::printf("start-up with 999 records: against a bare window showing one label (%.0f ms), ratio = %.2f\n", t, p / t);
    return 0;
}
