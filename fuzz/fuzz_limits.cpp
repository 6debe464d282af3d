// The limits read from a settings file of any text. Every limit read is one
// the record can hold, the signal duration a range the right way round; a
// limit differs from the standard's only when the file holds its key, and a
// whole number there within range (with a duration range that is one) is
// read as it is. The limits read, kept in that same file or in a new one,
// read back the same.
//
// Input: the settings file's bytes.
#include "SartLimits.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSettings>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

[[noreturn]] void fail(const char *what, const QString &detail)
{
    std::fprintf(stderr, "%s: %s\n", what, qPrintable(detail));
    std::abort();
}

QString folder;
qint64 stamps = 0;

// QSettings keeps what it read of a file, by name, and reads the file again
// only when its size or time of modification changed: a time never given
// before makes it read what the file holds now. (New names each run would
// keep it from reading stale content too, but fill its cache, and every run
// would then look like a leak.)
void freshStamp(const QString &path)
{
    QFile file(path);
    const QDateTime stamp = QDateTime::fromSecsSinceEpoch(1000000000 + ++stamps, Qt::UTC);
    if (!file.open(QIODevice::ReadWrite) || !file.setFileTime(stamp, QFileDevice::FileModificationTime))
        fail("cannot set the time of", path);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            fail("cannot write", path);
    }
    freshStamp(path);
}

struct Integer
{
    const char *key;
    int limits::Limits::*field;
    int maximum;
};
const Integer Integers[] = {
    {"Limits/lowerFrequencyMaxKHz", &limits::Limits::lowMaxKHz, 0xFFFFFF},
    {"Limits/upperFrequencyMinKHz", &limits::Limits::highMinKHz, 0xFFFFFF},
    {"Limits/powerMinMw", &limits::Limits::powerMinMw, 0xFFFF},
    {"Limits/tunings", &limits::Limits::tunings, 0xFF},
    {"Limits/durationMinUnits", &limits::Limits::durationMinUnits, 0xFFFF},
    {"Limits/durationMaxUnits", &limits::Limits::durationMaxUnits, 0xFFFF},
};
const std::pair<const char *, bool limits::Limits::*> Rules[] = {
    {"Limits/batteryInDate", &limits::Limits::batteryInDate},
    {"Limits/answeredYes", &limits::Limits::answeredYes},
};

// The whole number the file holds for a key, when it is written plainly and
// within range; -1 otherwise.
int plainValue(const QSettings &settings, const Integer &i)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,9}\\z"));
    const QString text = settings.value(QLatin1String(i.key)).toString();
    if (!digits.match(text).hasMatch())
        return -1;
    const int value = text.toInt();
    return value <= i.maximum ? value : -1;
}

void checkRead(const QSettings &settings, const limits::Limits &l)
{
    const limits::Limits standard;
    for (const Integer &i : Integers) {
        const int value = l.*i.field;
        if (value < 0 || value > i.maximum)
            fail("limit out of range", QLatin1String(i.key) + QStringLiteral(": ") + QString::number(value));
        if (value != standard.*i.field && !settings.contains(QLatin1String(i.key)))
            fail("limit changed without its key", QLatin1String(i.key));
    }
    if (l.durationMinUnits > l.durationMaxUnits)
        fail("duration range the wrong way round", QString::number(l.durationMinUnits));
    for (const auto &[key, field] : Rules)
        if (l.*field != standard.*field && !settings.contains(QLatin1String(key)))
            fail("rule changed without its key", QLatin1String(key));

    const int durationMin = plainValue(settings, Integers[4]), durationMax = plainValue(settings, Integers[5]);
    const bool durationsPlain = durationMin >= 0 && durationMax >= 0 && durationMin <= durationMax;
    for (const Integer &i : Integers) {
        const int plain = plainValue(settings, i);
        const bool duration = &i >= &Integers[4];
        if (plain >= 0 && (!duration || durationsPlain) && l.*i.field != plain)
            fail("plain whole number not read", QLatin1String(i.key));
    }
    for (const auto &[key, field] : Rules) {
        const QString text = settings.value(QLatin1String(key)).toString();
        if ((text == QLatin1String("true") || text == QLatin1String("false"))
            && l.*field != (text == QLatin1String("true")))
            fail("rule not read", QLatin1String(key));
    }
}

// Keeps the limits in the file at `path` and reads them back from it.
void checkKept(const QString &path, const limits::Limits &l)
{
    {
        QSettings settings(path, QSettings::IniFormat);
        limits::store(settings, l);
        settings.sync();
        if (settings.status() != QSettings::NoError)
            return;  // a file QSettings refuses to write, left as it was
    }
    freshStamp(path);
    const QSettings settings(path, QSettings::IniFormat);
    if (!(limits::load(settings) == l))
        fail("limits kept read back differently", path);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // A run that stopped at a finding could not remove its folder: do it now.
    const QDir shm(QStringLiteral("/dev/shm"));
    for (const QString &stale : shm.entryList({QStringLiteral("sart-fuzz-limits-*")}, QDir::Dirs)) {
        const pid_t owner = pid_t(stale.section(u'-', -1).toInt());
        if (owner > 0 && ::kill(owner, 0) != 0 && errno == ESRCH)
            QDir(shm.filePath(stale)).removeRecursively();
    }
    folder = QStringLiteral("/dev/shm/sart-fuzz-limits-%1").arg(::getpid());
    if (!QDir().mkpath(folder))
        fail("cannot create", folder);
    std::atexit([] { QDir(folder).removeRecursively(); });
    // The harness itself: a rewrite of the same size is read.
    const QString path = folder + QStringLiteral("/read.conf");
    for (int tunings : {11, 13}) {
        writeFile(path, QByteArray("[Limits]\ntunings=") + QByteArray::number(tunings));
        if (limits::load(QSettings(path, QSettings::IniFormat)).tunings != tunings)
            fail("settings file read stale", path);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = folder + QStringLiteral("/read.conf");
    writeFile(path, QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    limits::Limits read;
    {
        const QSettings settings(path, QSettings::IniFormat);
        read = limits::load(settings);
        checkRead(settings, read);
    }
    checkKept(path, read);
    const QString fresh = folder + QStringLiteral("/new.conf");
    writeFile(fresh, QByteArray());
    checkKept(fresh, read);
    return 0;
}
