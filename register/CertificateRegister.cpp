#include "CertificateRegister.h"

#include "AppError.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimeZone>
#include <QVariant>

#include <atomic>

namespace certregister {

namespace {

const QString IssuedFormat = QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ");
const QString Columns = QStringLiteral(
    "number, issued_at, issued_how, record_file, record_path, record_sha256, sart_model, manufacturer_number, "
    "vessel, testing_date, next_testing_date, battery_date, verdict, outside_limits, engineer, user_name");
constexpr int ColumnCount = 16;
constexpr int Attempts = 20;
constexpr int PageSize = 200;
// The key of PostgreSQL's advisory lock that stands for the register's write lock.
constexpr int WriteLock = 742017;

QString errorText(const QSqlError &error)
{
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.text().trimmed();
    return text.isEmpty() ? QStringLiteral("unknown error") : text;
}

QString dateText(const QDate &date) { return date.isValid() ? date.toString(Qt::ISODate) : QString(); }
QDate dateOf(const QVariant &value) { return QDate::fromString(value.toString(), Qt::ISODate); }

Entry entryOf(const QSqlQuery &q)
{
    Entry e;
    e.number = q.value(0).toString();
    e.issuedAt = QDateTime::fromString(q.value(1).toString(), Qt::ISODateWithMs);
    e.issuedAt.setTimeZone(QTimeZone::utc());
    e.issuedHow = q.value(2).toString();
    e.recordFile = q.value(3).toString();
    e.recordPath = q.value(4).toString();
    e.recordSha256 = q.value(5).toString();
    e.sartModel = q.value(6).toString();
    e.manufacturerNumber = q.value(7).toString();
    e.vessel = q.value(8).toString();
    e.testingDate = dateOf(q.value(9));
    e.nextTestingDate = dateOf(q.value(10));
    e.batteryDate = dateOf(q.value(11));
    e.verdict = q.value(12).toString();
    e.outsideLimits = q.value(13).toString();
    e.engineer = q.value(14).toString();
    e.userName = q.value(15).toString();
    return e;
}

void bindEntry(QSqlQuery &q, const Entry &e)
{
    // Never NULL: an empty value is an empty text.
    const auto text = [](const QString &value) { return value.isNull() ? QStringLiteral("") : value; };
    const QString values[ColumnCount] = {e.number,
                                          e.issuedAt.toUTC().toString(IssuedFormat),
                                          e.issuedHow,
                                          e.recordFile,
                                          e.recordPath,
                                          e.recordSha256,
                                          e.sartModel,
                                          e.manufacturerNumber,
                                          e.vessel,
                                          dateText(e.testingDate),
                                          dateText(e.nextTestingDate),
                                          dateText(e.batteryDate),
                                          e.verdict,
                                          e.outsideLimits,
                                          e.engineer,
                                          e.userName};
    for (int i = 0; i < ColumnCount; ++i)
        q.bindValue(i, text(values[i]));
}

// With `numbered`, the counter key and the sequence follow the columns.
QString insertStatement(bool numbered = false)
{
    QStringList marks;
    for (int i = 0; i < ColumnCount + (numbered ? 2 : 0); ++i)
        marks << QStringLiteral("?");
    return QStringLiteral("INSERT INTO certificates (%1%2) VALUES (%3)")
        .arg(Columns, numbered ? QStringLiteral(", counter_key, sequence") : QString(), marks.join(u','));
}

// Two programs took the same number (PostgreSQL's SQLSTATE 23505, SQLite's
// extended codes 2067 and 1555).
bool isUniqueViolation(const QSqlError &error)
{
    const QString code = error.nativeErrorCode();
    return code == QLatin1String("23505") || code == QLatin1String("2067") || code == QLatin1String("1555");
}

// Local midnight of a date as the register's UTC text.
QString utcText(const QDate &date) { return date.startOfDay().toUTC().toString(IssuedFormat); }

bool matches(const QSqlQuery &q, const QString &text)
{
    if (text.isEmpty())
        return true;
    for (int i = 0; i < ColumnCount; ++i)
        if (i != 5 && q.value(i).toString().contains(text, Qt::CaseInsensitive))
            return true;
    return false;
}

} // namespace

Register::Register(Settings settings)
    : m_settings(std::move(settings))
{
    static std::atomic<int> serial{0};
    m_connection = QStringLiteral("certificate-register-%1").arg(serial++);
}

Register::~Register()
{
    m_statements.clear();
    if (QSqlDatabase::contains(m_connection)) {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
    }
}

void Register::fail(const QString &why)
{
    m_statements.clear();
    if (QSqlDatabase::contains(m_connection))
        QSqlDatabase::database(m_connection, false).close();
    m_schemaChecked = false;
    errors::throwText(QStringLiteral("The register of certificates %1 cannot be used: %2.")
                          .arg(describe(m_settings), why.endsWith(u'.') ? why.chopped(1) : why));
}

QSqlDatabase Register::db()
{
    const bool postgres = m_settings.engine == Engine::PostgreSQL;
    const QString driver = postgres ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE");
    if (!QSqlDatabase::contains(m_connection)) {
        if (!QSqlDatabase::isDriverAvailable(driver))
            fail(postgres ? QStringLiteral("the PostgreSQL driver of Qt (libqt6sql6-psql) is not installed")
                          : QStringLiteral("the SQLite driver of Qt (libqt6sql6-sqlite) is not installed"));
        QSqlDatabase db = QSqlDatabase::addDatabase(driver, m_connection);
        if (postgres) {
            db.setHostName(m_settings.host);
            db.setPort(m_settings.port);
            db.setDatabaseName(m_settings.database);
            db.setUserName(m_settings.user);
            db.setConnectOptions(QStringLiteral("connect_timeout=5"));
        } else {
            db.setDatabaseName(describe(m_settings));
            // Another program issuing holds the database for a moment.
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
        }
    }
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.isOpen()) {
        if (!postgres) {
            const QString path = db.databaseName();
            const QFileInfo file(path);
            if (!QDir().mkpath(file.absolutePath()))
                fail(QStringLiteral("its folder %1 cannot be made").arg(file.absolutePath()));
            if (file.exists() && !file.isFile())
                fail(QStringLiteral("%1 is not a file").arg(path));
        }
        if (!db.open())
            fail(errorText(db.lastError()));
        // The server's notices ("already exists, skipping") are no news.
        if (postgres)
            QSqlQuery(db).exec(QStringLiteral("SET client_min_messages = warning"));
    }
    if (!m_schemaChecked)
        ensureSchema(db);
    return db;
}

void Register::begin(QSqlDatabase &db)
{
    // The register's write lock at once, held until the transaction ends, so
    // that programs issuing at the same moment take their numbers in turn:
    // SQLite's immediate transaction, a transaction-scoped lock on PostgreSQL
    // (readers are never held up).
    QSqlQuery q(db);
    const bool postgres = m_settings.engine == Engine::PostgreSQL;
    if (!q.exec(postgres ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE"))
        || (postgres && !q.exec(QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(WriteLock)))) {
        const QString why = errorText(q.lastError());
        q.finish();
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        fail(why);
    }
}

namespace {

void rollback(QSqlDatabase &db)
{
    QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
}

} // namespace

void Register::ensureSchema(QSqlDatabase &db)
{
    begin(db);
    QSqlQuery q(db);
    auto run = [&](const QString &sql) {
        if (!q.exec(sql)) {
            const QString why = errorText(q.lastError());
            q.finish();
            rollback(db);
            fail(why);
        }
    };
    // Two programs making the schema at once: the second waits for the
    // first (begin() took the write lock).
    run(QStringLiteral("CREATE TABLE IF NOT EXISTS register_schema (version INTEGER NOT NULL)"));
    run(QStringLiteral("CREATE TABLE IF NOT EXISTS certificates ("
                       "number VARCHAR(64) PRIMARY KEY, issued_at VARCHAR(32) NOT NULL, issued_how TEXT NOT NULL, "
                       "record_file TEXT NOT NULL, record_path TEXT NOT NULL, record_sha256 VARCHAR(64) NOT NULL, "
                       "sart_model TEXT, manufacturer_number TEXT, vessel TEXT, testing_date VARCHAR(10), "
                       "next_testing_date VARCHAR(10), battery_date VARCHAR(10), verdict TEXT, "
                       "outside_limits TEXT, engineer TEXT, user_name TEXT, "
                       // The sequence of the number in its year (0: numbers
                       // without the year); none for entries taken over as they are.
                       "counter_key INTEGER, sequence INTEGER, UNIQUE (counter_key, sequence))"));
    run(QStringLiteral("CREATE INDEX IF NOT EXISTS certificates_issued ON certificates (issued_at)"));
    run(QStringLiteral("CREATE INDEX IF NOT EXISTS certificates_record ON certificates (record_file, record_sha256)"));
    run(QStringLiteral("SELECT MAX(version) FROM register_schema"));
    const QVariant version = q.next() ? q.value(0) : QVariant();
    if (version.isNull() || !version.isValid()) {
        run(QStringLiteral("INSERT INTO register_schema (version) VALUES (%1)").arg(SchemaVersion));
    } else if (version.toInt() > SchemaVersion) {
        q.finish();
        rollback(db);
        fail(QStringLiteral("it was made by a newer version of the program (schema %1; this version knows %2)")
                 .arg(version.toInt())
                 .arg(SchemaVersion));
    }
    q.finish();
    if (!QSqlQuery(db).exec(QStringLiteral("COMMIT"))) {
        rollback(db);
        fail(errorText(db.lastError()));
    }
    m_schemaChecked = true;
}

void Register::checkWritable()
{
    QSqlDatabase d = db();
    begin(d);
    // A write that is rolled back: a read-only file, a full disk or a user
    // without the right to write fail here, before anything is issued.
    QSqlQuery q(d);
    const bool written = q.exec(QStringLiteral("UPDATE register_schema SET version = version"));
    const QString why = written ? QString() : errorText(q.lastError());
    q.finish();
    rollback(d);
    if (!written)
        fail(why);
}

QSqlQuery &Register::statement(QSqlDatabase &db, const QString &sql)
{
    auto it = m_statements.find(sql);
    if (it == m_statements.end()) {
        it = m_statements.insert(sql, QSqlQuery(db));
        if (!it->prepare(sql)) {
            const QSqlError error = it->lastError();
            m_statements.erase(it);
            throw error;
        }
    }
    return *it;
}

int Register::lastSequence(QSqlDatabase &db, int key)
{
    QSqlQuery &q = statement(db, QStringLiteral("SELECT MAX(sequence) FROM certificates WHERE counter_key = ?"));
    q.bindValue(0, key);
    if (!q.exec() || !q.next())
        throw q.lastError();
    const int last = q.value(0).toInt();
    q.finish();
    return last;
}

bool Register::numberInUse(QSqlDatabase &db, const QString &number)
{
    QSqlQuery &q = statement(db, QStringLiteral("SELECT 1 FROM certificates WHERE number = ?"));
    q.bindValue(0, number);
    if (!q.exec())
        throw q.lastError();
    const bool used = q.next();
    q.finish();
    return used;
}

std::optional<Entry> Register::issue(const Entry &entry, const std::function<bool(Entry &numbered)> &produce,
                                     const std::function<void(const Entry &numbered)> &withdraw)
{
    QSqlDatabase d = db();
    Entry numbered = entry;
    // The entry goes in before the certificate is made: its number is then
    // this program's until the transaction ends, and the write lock keeps
    // every other program waiting to take the next. Should a number be taken
    // all the same (a register written by some other means), the unique
    // sequence refuses it and the next is tried.
    for (int attempt = 1;; ++attempt) {
        begin(d);
        try {
            numbered.issuedAt = QDateTime::currentDateTimeUtc();
            const int year = numbered.issuedAt.toLocalTime().date().year();
            const int key = countsPerYear(m_settings.numberFormat) ? year : 0;
            int sequence = lastSequence(d, key) + 1;
            numbered.number = formatNumber(m_settings.numberFormat, year, sequence);
            // Tried again: a number an earlier format gave already is passed
            // over (the unique number refused it).
            for (int skip = 0; attempt > 1 && numberInUse(d, numbered.number); ++skip) {
                if (skip == Attempts)
                    throw QSqlError(QString(), QStringLiteral("the number format %1 gives only numbers in use")
                                                   .arg(m_settings.numberFormat));
                numbered.number = formatNumber(m_settings.numberFormat, year, ++sequence);
            }
            QSqlQuery &q = statement(d, insertStatement(true));
            bindEntry(q, numbered);
            q.bindValue(ColumnCount, key);
            q.bindValue(ColumnCount + 1, sequence);
            if (!q.exec())
                throw q.lastError();
        } catch (const QSqlError &error) {
            rollback(d);
            if (isUniqueViolation(error) && attempt < Attempts)
                continue;
            fail(errorText(error));
        }
        break;
    }
    bool produced = false;
    try {
        produced = produce(numbered);
    } catch (...) {
        rollback(d);
        throw;
    }
    if (!produced) {
        rollback(d);
        return std::nullopt;
    }
    // How it went out is known once it went out; nobody has seen the entry yet.
    QString why;
    try {
        QSqlQuery &q = statement(d, QStringLiteral("UPDATE certificates SET issued_how = ? WHERE number = ?"));
        q.bindValue(0, numbered.issuedHow.isNull() ? QStringLiteral("") : numbered.issuedHow);
        q.bindValue(1, numbered.number);
        QSqlQuery commit(d);
        if (!q.exec())
            throw q.lastError();
        if (!commit.exec(QStringLiteral("COMMIT")))
            throw commit.lastError();
    } catch (const QSqlError &error) {
        why = errorText(error);
    }
    if (!why.isEmpty()) {
        rollback(d);
        if (withdraw)
            withdraw(numbered);
        fail(QStringLiteral("the certificate %1 was made but its entry could not be kept (%2)%3")
                 .arg(numbered.number, why,
                      withdraw ? QStringLiteral("; it was withdrawn")
                               : QStringLiteral("; write the certificate's details into the register by hand")));
    }
    return numbered;
}

QString Register::nextNumber()
{
    QSqlDatabase d = db();
    const int year = QDate::currentDate().year();
    QSqlQuery q(d);
    q.prepare(QStringLiteral("SELECT MAX(sequence) FROM certificates WHERE counter_key = ?"));
    q.bindValue(0, countsPerYear(m_settings.numberFormat) ? year : 0);
    if (!q.exec())
        fail(errorText(q.lastError()));
    return formatNumber(m_settings.numberFormat, year, (q.next() ? q.value(0).toInt() : 0) + 1);
}

QStringList Register::numbers(const Filter &filter, const std::function<bool()> &stop)
{
    QSqlDatabase d = db();
    QSqlQuery q(d);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT %1 FROM certificates WHERE issued_at >= ? AND issued_at < ? "
                             "ORDER BY issued_at DESC, number DESC")
                  .arg(Columns));
    q.bindValue(0, filter.from.isValid() ? utcText(filter.from) : QStringLiteral(""));
    q.bindValue(1, filter.to.isValid() ? utcText(filter.to.addDays(1)) : QStringLiteral("9"));
    if (!q.exec())
        fail(errorText(q.lastError()));
    const QString text = filter.text.trimmed();
    QStringList found;
    for (int n = 0; q.next(); ++n) {
        if (stop && n % 1000 == 0 && stop())
            break;
        if (matches(q, text))
            found.append(q.value(0).toString());
    }
    return found;
}

QVector<Entry> Register::entries(const QStringList &numbers)
{
    QSqlDatabase d = db();
    QHash<QString, Entry> byNumber;
    for (qsizetype start = 0; start < numbers.size(); start += PageSize) {
        const QStringList page = numbers.mid(start, PageSize);
        QStringList marks;
        for (qsizetype i = 0; i < page.size(); ++i)
            marks << QStringLiteral("?");
        QSqlQuery q(d);
        q.setForwardOnly(true);
        q.prepare(QStringLiteral("SELECT %1 FROM certificates WHERE number IN (%2)").arg(Columns, marks.join(u',')));
        for (qsizetype i = 0; i < page.size(); ++i)
            q.bindValue(int(i), page[i]);
        if (!q.exec())
            fail(errorText(q.lastError()));
        while (q.next())
            byNumber.insert(q.value(0).toString(), entryOf(q));
    }
    QVector<Entry> result;
    result.reserve(numbers.size());
    for (const QString &number : numbers)
        if (auto it = byNumber.constFind(number); it != byNumber.constEnd())
            result.append(*it);
    return result;
}

QVector<Entry> Register::allEntries()
{
    QSqlDatabase d = db();
    QSqlQuery q(d);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT %1 FROM certificates ORDER BY issued_at DESC, number DESC").arg(Columns)))
        fail(errorText(q.lastError()));
    QVector<Entry> result;
    while (q.next())
        result.append(entryOf(q));
    return result;
}

int Register::count()
{
    QSqlDatabase d = db();
    QSqlQuery q(d);
    if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM certificates")) || !q.next())
        fail(errorText(q.lastError()));
    return q.value(0).toInt();
}

std::optional<Entry> Register::lastFor(const QString &recordFile, const QString &sha256)
{
    QSqlDatabase d = db();
    QSqlQuery q(d);
    q.prepare(QStringLiteral("SELECT %1 FROM certificates WHERE record_file = ? AND record_sha256 = ? "
                             "ORDER BY issued_at DESC, number DESC LIMIT 1")
                  .arg(Columns));
    q.bindValue(0, recordFile);
    q.bindValue(1, sha256);
    if (!q.exec())
        fail(errorText(q.lastError()));
    if (!q.next())
        return std::nullopt;
    return entryOf(q);
}

QHash<QString, RecordCheck> Register::checkRecords(const std::function<bool()> &stop, int &total)
{
    QSqlDatabase d = db();
    QSqlQuery q(d);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT number, record_file, record_path, record_sha256 FROM certificates")))
        fail(errorText(q.lastError()));
    QHash<QString, RecordCheck> found;
    // Many certificates may come from one record: each file is read once.
    QHash<QString, QString> hashNow;
    total = 0;
    while (q.next()) {
        if (stop && stop())
            break;
        ++total;
        const QString path = q.value(2).toString();
        auto it = hashNow.find(path);
        if (it == hashNow.end())
            it = hashNow.insert(path, QFileInfo::exists(path) ? sha256OfFile(path) : QString());
        const RecordCheck c = !QFileInfo::exists(path) ? RecordCheck::Missing
                              : *it == q.value(3).toString() ? RecordCheck::Unchanged
                                                             : RecordCheck::Changed;
        if (c != RecordCheck::Unchanged)
            found.insert(q.value(0).toString(), c);
    }
    return found;
}

void Register::insertAsIs(const QVector<Entry> &entries)
{
    QSqlDatabase d = db();
    begin(d);
    {
        QSqlQuery q(d);
        q.prepare(insertStatement());
        for (const Entry &e : entries) {
            bindEntry(q, e);
            if (!q.exec()) {
                const QString why = errorText(q.lastError());
                q.finish();
                rollback(d);
                fail(why);
            }
        }
    }
    if (!QSqlQuery(d).exec(QStringLiteral("COMMIT")))
        fail(errorText(d.lastError()));
}

void Register::insertOne(const Entry &entry)
{
    QSqlDatabase d = db();
    try {
        QSqlQuery &q = statement(d, insertStatement());
        bindEntry(q, entry);
        if (!q.exec())
            throw q.lastError();
    } catch (const QSqlError &error) {
        fail(errorText(error));
    }
}

} // namespace certregister
