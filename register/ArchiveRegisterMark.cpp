#include "ArchiveRegisterMark.h"

#include "AppError.h"
#include "AtomicFile.h"
#include "SmallFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSysInfo>

namespace certregister {

namespace {

constexpr qint64 MaxMarkSize = 4096;
const QString IdentityKey = QStringLiteral("identity=");
const QString DescriptionKey = QStringLiteral("description=");

[[noreturn]] void refuseMark(const QString &path, const QString &why)
{
    errors::throwText(QCoreApplication::translate("ArchiveRegisterMark",
        "The file %1 should name the register of certificates that numbers for this "
        "archive, but %2. Remove it, and the next certificate marks the archive anew.")
                          .arg(path, why));
}

// One line of the mark: no line breaks within a value.
QString oneLine(QString value)
{
    value.replace(u'\n', u' ');
    value.replace(u'\r', u' ');
    return value;
}

// The path with the links of its existing part resolved: the same before
// the database file (or its folder) is made as after.
QString canonicalPath(const QString &path)
{
    QString existing = QFileInfo(path).absoluteFilePath();
    QString rest;
    while (!QFileInfo::exists(existing)) {
        const QFileInfo info(existing);
        const QString parent = info.absolutePath();
        if (parent == existing)
            break;
        rest = u'/' + info.fileName() + rest;
        existing = parent;
    }
    const QString canonical = QFileInfo(existing).canonicalFilePath();
    return (canonical.isEmpty() ? existing : canonical == QLatin1String("/") ? QString() : canonical) + rest;
}

} // namespace

QString registerIdentity(const Settings &r)
{
    if (r.engine == Engine::PostgreSQL)
        return QStringLiteral("postgresql://%1:%2/%3").arg(r.host.toLower()).arg(r.port).arg(r.database);
    QString machine = QString::fromLatin1(QSysInfo::machineUniqueId()).trimmed();
    if (machine.isEmpty())
        machine = QSysInfo::machineHostName();
    return QStringLiteral("sqlite://%1%2").arg(machine, canonicalPath(describe(r)));
}

ArchiveMark markOf(const Settings &r) { return {registerIdentity(r), describe(r)}; }

QString markPath(const QString &archiveFolder) { return archiveFolder + QStringLiteral("/.sart-register"); }

std::optional<ArchiveMark> readMark(const QString &archiveFolder)
{
    const QString path = markPath(archiveFolder);
    if (QFileInfo(path).isSymLink())
        refuseMark(path, QCoreApplication::translate("ArchiveRegisterMark", "it is a link"));
    switch (smallfile::check(path, MaxMarkSize)) {
    case smallfile::Kind::Missing:
        return std::nullopt;
    case smallfile::Kind::Unusable:
        refuseMark(path,
            QCoreApplication::translate(
                "ArchiveRegisterMark", "it is not a regular file of at most %n bytes", nullptr, int(MaxMarkSize)));
    case smallfile::Kind::Usable:
        break;
    }
    const std::optional<QByteArray> bytes = smallfile::read(path, MaxMarkSize);
    if (!bytes)
        refuseMark(path, QCoreApplication::translate("ArchiveRegisterMark", "it cannot be read"));
    ArchiveMark mark;
    for (const QString &line : QString::fromUtf8(*bytes).split(u'\n')) {
        if (line.startsWith(IdentityKey))
            mark.identity = line.mid(IdentityKey.size()).trimmed();
        else if (line.startsWith(DescriptionKey))
            mark.description = line.mid(DescriptionKey.size()).trimmed();
    }
    if (mark.identity.isEmpty())
        refuseMark(path, QCoreApplication::translate("ArchiveRegisterMark", "it names no register"));
    if (mark.description.isEmpty())
        mark.description = mark.identity;
    return mark;
}

MarkCheck claimArchive(const QString &archiveFolder, const Settings &r)
{
    const ArchiveMark ours = markOf(r);
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (const std::optional<ArchiveMark> found = readMark(archiveFolder)) {
            if (found->identity == ours.identity)
                return {MarkCheck::Ours, *found, {}};
            return {MarkCheck::Other, *found, {}};
        }
        const QByteArray content = (QStringLiteral("# The register of certificates that numbers for this archive.\n")
                                    + IdentityKey + oneLine(ours.identity) + u'\n' + DescriptionKey
                                    + oneLine(ours.description) + u'\n')
                                       .toUtf8();
        try {
            // Never over a mark another program wrote a moment ago: that one
            // is read on the next turn.
            atomicfile::create(markPath(archiveFolder), content, 0644, true);
            return {MarkCheck::Ours, ours, {}};
        } catch (const atomicfile::TargetExists &) {
        } catch (const AppError &e) {
            return {MarkCheck::NotWritable, {}, e.text()};
        }
    }
    return {MarkCheck::NotWritable, {},
        QCoreApplication::translate("ArchiveRegisterMark", "the mark %1 changed while it was read")
            .arg(markPath(archiveFolder))};
}

} // namespace certregister
