#pragma once

#include "CertificateEntry.h"
#include "RegisterSettings.h"

#include <QDate>
#include <QHash>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <functional>
#include <optional>

// The register of certificates issued in its database: SQLite or
// PostgreSQL, one schema and one code path, the schema made (or brought up
// to date) on first use. One object holds one connection and is used on one
// thread. Every failure raises AppError with a text that names the register
// and says why; a server that does not answer fails within seconds.
//
// Issuing survives a crash at any instant: the number is taken and the
// certificate with an output "being issued" committed in one short
// transaction (the only time the write lock is held), the output's file is
// recorded before it takes its name, and the output is marked "issued" once
// made. Outputs left "being issued" by a program that is gone are settled
// later ("issued" when their file is there and carries the number, else "not
// completed"); their number is never given to another certificate.
namespace certregister {

inline constexpr int SchemaVersion = 2;

// The document tells where its output goes before a file takes its name:
// how ("PDF <path>", "Printer <name>", "Word") and the file (empty: none).
using GoingTo = std::function<void(const QString &how, const QString &filePath)>;

// A result row's values read into an entry (the certificate columns in the
// order of the register's SELECTs) or an output (number first); any values
// at all give some entry, never a crash.
Entry readEntry(const QVector<QVariant> &row);
Output readOutput(const QVector<QVariant> &row);
// A file name as stored: the text when its bytes are UTF-8, else "hex:" and
// its bytes in hex; and back to the carried name.
QString storedName(const QString &carried);
QString carriedName(const QString &stored);
// Whether the PDF file's metadata carries "certificate <number>".
bool pdfCarriesNumber(const QString &path, const QString &number);

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

    // Issues a certificate: the number of the same certificate issued before
    // (same record bytes, verdict and certified values) or the next number,
    // with a new output "being issued", in one short transaction; then hands
    // the numbered entry to `produce`, which makes the certificate carrying
    // that number, telling `goingTo` where it goes before a file takes its
    // name. `produce` returns true: the output is "issued" (with its file's
    // SHA-256); false (cancelled, nothing went out): the output is removed,
    // and the certificate too when it has no other. `produce` raises: the
    // output is "not completed" and the error raised. Two programs issuing at
    // once never get the same number.
    // When the output cannot be marked after the certificate was made (the
    // server gone at the last moment), `withdraw` removes what it can of the
    // certificate (a PDF file) and the failure is raised.
    using Produce = std::function<bool(Entry &numbered, const GoingTo &goingTo)>;
    using Withdraw = std::function<void(const Entry &numbered)>;
    std::optional<Entry> issueOutput(const Entry &entry, const Produce &produce, const Withdraw &withdraw = {});
    // The same without telling where it goes first (how is read from
    // `numbered.issuedHow`, a file from "PDF <path>").
    std::optional<Entry> issue(const Entry &entry, const std::function<bool(Entry &numbered)> &produce,
                               const Withdraw &withdraw = {});

    // The number the next certificate would get now; another program may
    // take it first.
    QString nextNumber();
    // The number the entry's certificate will get: its own when the same
    // certificate was issued already, else the next.
    QString expectedNumber(const Entry &entry);

    // Settles the outputs left "being issued" by programs that are gone;
    // returns how many were settled.
    int settle();

    // Numbers of the entries that pass the filter, newest first. `stop`,
    // asked now and then, ends the search early (returns what was found).
    QStringList numbers(const Filter &filter, const std::function<bool()> &stop = {});
    // The entries of these numbers, in the order asked.
    QVector<Entry> entries(const QStringList &numbers);
    QVector<Entry> allEntries();
    int count();
    // The numbers of the certificates with an output not completed.
    QSet<QString> notCompletedNumbers();
    // The entry issued last for a record file of this name and these bytes.
    std::optional<Entry> lastFor(const QString &recordFile, const QString &sha256);

    // Verify: the entries whose record changed since issue or is missing,
    // by number (the unchanged ones are left out); `total` counts the entries
    // checked. A record is looked for by its archive name in this archive
    // folder (the path it was issued from is never used).
    QHash<QString, RecordCheck> checkRecords(const QString &archiveFolder, const std::function<bool()> &stop,
                                             int &total);

    // Appends entries as they are, numbers included (tools and benchmarks);
    // an entry without outputs gets one "issued" output of its issuedHow.
    void insertAsIs(const QVector<Entry> &entries);
    // The bare INSERT of one entry (benchmarks measure issue() against it).
    void insertOne(const Entry &entry);

private:
    // The open connection with its schema in place; raises when it cannot.
    QSqlDatabase db();
    void ensureSchema(QSqlDatabase &db);
    int schemaVersion(QSqlDatabase &db);
    void createOrUpgrade(QSqlDatabase &db, int version);
    void begin(QSqlDatabase &db);
    void commit(QSqlDatabase &db);
    // Refuses a database file or one of its companions that is there but is
    // not a regular file (a FIFO would hang the open).
    void checkFiles();
    // Runs a statement; on PostgreSQL a statement the server does not answer
    // in time is cut off (its connection is shut).
    bool exec(QSqlQuery &q, const QString &sql = {});
    bool prepare(QSqlQuery &q, const QString &sql);
    // The failure's text; "does not answer" for a statement cut off.
    QString why(const QSqlError &error);
    // Raises the failure, naming the register; the connection is closed so
    // that the next use connects afresh (a server back up, a disk freed).
    [[noreturn]] void fail(const QString &why);
    [[noreturn]] void fail(const QSqlError &error) { fail(why(error)); }
    // A statement of this connection, prepared once.
    QSqlQuery &statement(QSqlDatabase &db, const QString &sql);
    // Runs a prepared statement of this connection with these values; raises
    // the QSqlError.
    QSqlQuery &run(QSqlDatabase &db, const QString &sql, const QVariantList &values);
    // The last sequence given in the counter's year (0: none yet).
    int lastSequence(QSqlDatabase &db, int key);
    bool numberInUse(QSqlDatabase &db, const QString &number);
    // The number of the same certificate issued before; empty when none.
    QString sameCertificateNumber(QSqlDatabase &db, const Entry &entry);
    void attachOutputs(QSqlDatabase &db, QVector<Entry> &entries, bool all);
    bool issuerGone(QSqlDatabase &db, const QString &number, const Output &output);
    bool isPostgres() const { return m_settings.engine == Engine::PostgreSQL; }

    Settings m_settings;
    QString m_connection;
    bool m_schemaChecked = false;
    bool m_timedOut = false;
    QHash<QString, QSqlQuery> m_statements;
};

} // namespace certregister
