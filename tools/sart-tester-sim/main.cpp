// sart-tester-sim: a SART tester simulator on a pseudo-terminal, for trying
// the program without a tester and for its tests and benchmarks.

#include "AppError.h"
#include "PortNames.h"
#include "RecordLayout.h"
#include "SampleRecord.h"
#include "TesterSimulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

std::atomic<bool> stopRequested {false};

void onSignal(int) { stopRequested = true; }

[[noreturn]] void fail(const QString &text)
{
    std::fprintf(stderr, "sart-tester-sim: %s\n", qPrintable(text));
    std::exit(2);
}

int number(const QString &text, const QString &what)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 0)
        fail(QStringLiteral("%1 must be a number >= 0, not \"%2\"").arg(what, text));
    return value;
}

void applyFault(const QString &fault, TesterSimulator::Options &options)
{
    const QString name = fault.section(u'=', 0, 0);
    const QString value = fault.section(u'=', 1);
    if (name == u"silent")
        options.silent = true;
    else if (name == u"double-start")
        options.doubleStart = true;
    else if (name == u"stop-after")
        options.stopAfter = number(value, QStringLiteral("stop-after"));
    else if (name == u"stray-byte")
        options.strayAfter = value.isEmpty() ? layout::RecordSize / 2 : number(value, QStringLiteral("stray-byte"));
    else if (name == u"hangup-after")
        options.hangUpAfter = number(value, QStringLiteral("hangup-after"));
    else if (name == u"hangup-at-start")
        options.hangUpAtStart = true;
    else if (name == u"slow")
        options.slowMs = value.isEmpty() ? 300 : number(value, QStringLiteral("slow"));
    else
        fail(QStringLiteral("unknown fault \"%1\"").arg(fault));
}

// Makes the port name stand for the simulator's device, as the receive
// dialog's "Use as" does.
QString linkPort(const QString &port, const QString &device)
{
    try {
        portnames::assign(port, device);
    } catch (const AppError &e) {
        fail(e.text());
    }
    return portnames::linkPath(port);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("sart-tester-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Simulates a SART tester on a pseudo-terminal. Start a reception in the program on the "
        "port given with --port (or open the printed device)."));
    parser.addHelpOption();
    const QCommandLineOption portOption(QStringLiteral("port"),
        QStringLiteral("Make the port name (COM1..COM8) stand for the simulator, through a link in the "
                       "per-user ports folder, removed at exit."), QStringLiteral("COMn"));
    const QCommandLineOption recordOption(QStringLiteral("record"),
        QStringLiteral("Send this 4096-byte record file instead of a generated record."), QStringLiteral("FILE"));
    const QCommandLineOption rateOption(QStringLiteral("rate"),
        QStringLiteral("Pace the exchange at this line rate (each request and each answer takes 10 bit "
                       "times); without it the simulator answers at once."), QStringLiteral("BITS"));
    const QCommandLineOption faultOption(QStringLiteral("fault"),
        QStringLiteral("A fault: silent, stop-after=N, double-start, stray-byte[=N] (an extra byte after "
                       "the answer to byte N, default 2048), slow[=MS] (the start answer and every 256th "
                       "byte answer come MS late, default 300), hangup-after=N (answers N byte requests, then hangs up "
                       "the line and ends at the next one, as a tester switched off or an adapter pulled "
                       "out; N from 0 to 4095), hangup-at-start (hangs up at the start request, before "
                       "answering it). May be given more than once."),
        QStringLiteral("FAULT"));
    const QCommandLineOption onceOption(QStringLiteral("once"),
        QStringLiteral("End after one reception instead of serving repeatedly."));
    const QCommandLineOption defaultLineOption(QStringLiteral("default-line"),
        QStringLiteral("Leave the line at the system's default terminal settings, as a freshly plugged "
                       "USB serial adapter has them (flow-control characters, end-of-line translation, "
                       "echo), instead of setting it raw."));
    parser.addOptions({portOption, recordOption, rateOption, faultOption, onceOption, defaultLineOption});
    parser.process(app);

    TesterSimulator::Options options;
    if (parser.isSet(recordOption)) {
        QFile file(parser.value(recordOption));
        if (!file.open(QIODevice::ReadOnly))
            fail(QStringLiteral("cannot read %1: %2").arg(file.fileName(), file.errorString()));
        options.record = file.read(layout::RecordSize + 1);
        if (options.record.size() != layout::RecordSize)
            fail(QStringLiteral("%1 is not a record of %2 bytes").arg(file.fileName()).arg(layout::RecordSize));
    } else {
        options.record = sample::makeRecord(sample::variant(0));
    }
    if (parser.isSet(rateOption))
        options.rate = quint32(number(parser.value(rateOption), QStringLiteral("the rate")));
    for (const QString &fault : parser.values(faultOption))
        applyFault(fault, options);
    options.once = parser.isSet(onceOption);
    options.defaultLine = parser.isSet(defaultLineOption);

    TesterSimulator simulator(options);
    QString error;
    if (!simulator.open(error))
        fail(error);

    struct sigaction action {};
    action.sa_handler = onSignal;  // no SA_RESTART: the wait ends at once
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGHUP, &action, nullptr);

    QString link;
    std::printf("SART tester simulator on %s\n", qPrintable(simulator.devicePath()));
    if (parser.isSet(portOption)) {
        const QString port = parser.value(portOption);
        link = linkPort(port, simulator.devicePath());
        std::printf("%s stands for it: %s\n", qPrintable(port), qPrintable(link));
    }
    std::printf("ready\n");
    std::fflush(stdout);

    simulator.run(stopRequested);

    // Remove the link only while it still names this simulator's device.
    if (!link.isEmpty() && QFileInfo(link).symLinkTarget() == simulator.devicePath())
        ::unlink(QFile::encodeName(link).constData());
    return 0;
}
