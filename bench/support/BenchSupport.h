#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QProcess>
#include <QString>
#include <QVector>

#include <algorithm>

// Small helpers the benchmarks share.
namespace bench {

inline double median(QVector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Milliseconds a run of program with one argument takes, started in dir.
inline double timeChild(const QString &program, const QString &mode, const QString &dir, int timeoutMs)
{
    QProcess child;
    child.setWorkingDirectory(dir);
    QElapsedTimer t;
    t.start();
    child.start(program, {mode});
    child.waitForFinished(timeoutMs);
    return t.nsecsElapsed() / 1e6;
}

// The record counts to measure: those given on the command line, or the
// defaults.
inline QList<int> recordCounts(int argc, char **argv, QList<int> defaults)
{
    if (argc <= 1)
        return defaults;
    QList<int> counts;
    for (int i = 1; i < argc; ++i)
        counts << QByteArray(argv[i]).toInt();
    return counts;
}

} // namespace bench
