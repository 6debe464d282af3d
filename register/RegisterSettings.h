#pragma once

#include <QString>

class QSettings;

// Where the register of certificates issued is kept and how its numbers
// look; kept in the program's settings. The PostgreSQL password is never
// kept here: the server's client library reads it from ~/.pgpass or from
// PGPASSWORD.
namespace certregister {

enum class Engine { SQLite, PostgreSQL };

struct Settings
{
    // "YYYY" stands for the year of issue, a run of "#" for the sequence
    // with that many digits at least: "YYYY-#####" gives "2026-00042".
    QString numberFormat = QStringLiteral("YYYY-#####");
    // Whether the number is printed on the page and written into the Word
    // document (it is always in the PDF's metadata and file name).
    bool printNumber = false;
    Engine engine = Engine::SQLite;
    QString sqlitePath;  // empty: defaultSqlitePath()
    QString host = QStringLiteral("localhost");
    int port = 5432;
    QString database = QStringLiteral("sart_register");
    QString user;        // empty: the client library's default (the login name)
    // Not empty when the settings could not be read as written (the file
    // unreadable, an engine or number format this program does not know):
    // why, naming the settings file. No certificate is numbered by them.
    QString unusable;

    bool operator==(const Settings &) const = default;
};

// $XDG_DATA_HOME/sart-tester/certificates.sqlite (by default under
// ~/.local/share), as the environment says now: a folder of the local disk,
// never the archive folder, which may lie on a network share.
QString defaultSqlitePath();

Settings load(const QSettings &settings);
void store(QSettings &settings, const Settings &register_);
// The settings kept in the program's settings file; store() raises AppError
// naming the file when it cannot be written, and keeps the register as the
// one numbered with last (lastUsedRegister()).
Settings loadProgramSettings();
void storeProgramSettings(const Settings &register_);

// Raises `unusable` when the settings cannot number certificates.
void requireUsable(const Settings &register_);

// The register this program numbered with last (describe() of it), as kept
// in the program's settings; empty when none is kept.
QString lastUsedRegister();
// Keeps this register as the one numbered with last (nothing when the
// settings file cannot be written).
void rememberLastUsed(const Settings &register_);

inline constexpr int MaxFormatLength = 40;
// Why a number format cannot number certificates: a character that is not
// printable (a control character, a line break), not exactly one run of "#",
// more than MaxFormatLength characters. Empty when it can.
QString formatProblem(const QString &format);
bool isValidFormat(const QString &format);
// The format as the engineer can read it in a message: control characters
// and line breaks written as \n, \t, \u001b.
QString visibleFormat(const QString &format);
// The number of the sequence in the year by the format.
QString formatNumber(const QString &format, int year, int sequence);
// Whether the format counts per year ("YYYY" in it): else one sequence for
// every year.
bool countsPerYear(const QString &format);

// The register named for the engineer: its file, or its database on its
// server ("sart_register on db.centre:5432").
QString describe(const Settings &register_);

} // namespace certregister
