#pragma once

#include "CertificateEntry.h"
#include "RegisterSettings.h"

#include <QDate>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <optional>

// The register of certificates issued in its database: SQLite or
// PostgreSQL, one schema and one code path, the schema made on first use.
// One object holds one connection and is used on one thread. Every failure
// raises AppError with a text that names the register and says why.
namespace certregister {

inline constexpr int SchemaVersion = 1;

// A date range (either end open) and a search text over the entries.
struct Filter
{
    QDate from, to;   // of issue, local dates, both ends included
    QString text;     // in any column but the hash, case ignored
};

class Register
{
public:
    explicit Register(Settings settings);
    ~Register();
    Register(const Register &) = delete;
    Register &operator=(const Register &) = delete;

    const Settings &settings() const { return m_settings; }

    // Opens the register (making its file and schema when missing) and
    // makes sure an entry can be written now, writing none. Raises when it
    // cannot, naming the register and why.
    void checkWritable();

    // Issues a certificate: takes the next number and writes the entry in
    // one transaction, hands the numbered entry to `produce` (which makes the
    // certificate carrying that number) and keeps the entry only when
    // `produce` returns true. When `produce` returns false (cancelled) or
    // raises, nothing is kept and the number is not used. Two programs
    // issuing at once never get the same number.
    // When the entry cannot be kept after the certificate was made (the
    // server gone at the last moment), `withdraw` removes what it can of the
    // certificate (a PDF file) and the failure is raised.
    std::optional<Entry> issue(const Entry &entry, const std::function<bool(Entry &numbered)> &produce,
                               const std::function<void(const Entry &numbered)> &withdraw = {});

    // The number the next certificate would get now; another program may
    // take it first.
    QString nextNumber();

    // Numbers of the entries that pass the filter, newest first. `stop`,
    // asked now and then, ends the search early (returns what was found).
    QStringList numbers(const Filter &filter, const std::function<bool()> &stop = {});
    // The entries of these numbers, in the order asked.
    QVector<Entry> entries(const QStringList &numbers);
    QVector<Entry> allEntries();
    int count();
    // The entry issued last for a record file of this name and these bytes.
    std::optional<Entry> lastFor(const QString &recordFile, const QString &sha256);

    // Verify: the entries whose record changed since issue or is missing,
    // by number (the unchanged ones are left out); `total` counts the entries
    // checked.
    QHash<QString, RecordCheck> checkRecords(const std::function<bool()> &stop, int &total);

    // Appends entries as they are, numbers included (tools and benchmarks).
    void insertAsIs(const QVector<Entry> &entries);
    // The bare INSERT of one entry (benchmarks measure issue() against it).
    void insertOne(const Entry &entry);

private:
    // The open connection with its schema in place; raises when it cannot.
    QSqlDatabase db();
    void ensureSchema(QSqlDatabase &db);
    void begin(QSqlDatabase &db);
    // Raises the failure, naming the register; the connection is closed so
    // that the next use connects afresh (a server back up, a disk freed).
    [[noreturn]] void fail(const QString &why);
    // A statement of this connection, prepared once.
    QSqlQuery &statement(QSqlDatabase &db, const QString &sql);
    // The last sequence given in the counter's year (0: none yet).
    int lastSequence(QSqlDatabase &db, int key);
    bool numberInUse(QSqlDatabase &db, const QString &number);

    Settings m_settings;
    QString m_connection;
    bool m_schemaChecked = false;
    QHash<QString, QSqlQuery> m_statements;
};

} // namespace certregister
