#include "CertificateRegister.h"

#include "AppError.h"
#include "FileNames.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QScopeGuard>
#include <QSet>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSysInfo>
#include <QTimeZone>
#include <QVariant>

#include <atomic>
#include <cctype>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <set>
#include <thread>

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#ifdef SART_HAVE_LIBPQ
#include <libpq-fe.h>
#endif

namespace certregister {

namespace {

const QString IssuedFormat = QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ");
const QString Columns = QStringLiteral(
    "number, issued_at, issued_how, record_file, record_path, record_sha256, sart_model, manufacturer_number, "
    "vessel, testing_date, next_testing_date, battery_date, verdict, outside_limits, engineer, user_name, "
    "record_name, record_testing_date");
constexpr int ColumnCount = 18;
constexpr int ShaColumn = 5, NameColumn = 16;
const QString OutputColumns = QStringLiteral(
    "number, output, issued_at, issued_how, file_path, file_sha256, status, host, pid, process_start");
constexpr int Attempts = 20;
constexpr int PageSize = 200;
// The key of PostgreSQL's advisory lock that stands for the register's write lock.
constexpr int WriteLock = 742017;
// The first key of the advisory lock an issuing session holds on each output
// it is making (the second: a hash of the output's number and index).
constexpr int OutputLock = 742018;
// PostgreSQL: what the server may take for a statement, and how long the
// program waits for its answer before it cuts the connection.
constexpr int StatementTimeoutMs = 15000;
constexpr auto AnswerWithin = std::chrono::seconds(20);

QString errorText(const QSqlError &error)
{
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.text().trimmed();
    return text.isEmpty() ? QCoreApplication::translate("CertificateRegister", "unknown error") : text;
}

QString dateText(const QDate &date) { return date.isValid() ? date.toString(Qt::ISODate) : QString(); }
QDate dateOf(const QVariant &value) { return QDate::fromString(value.toString(), Qt::ISODate); }
QString text(const QString &value) { return value.isNull() ? QStringLiteral("") : value; }
QString utcText(const QDateTime &time) { return time.toUTC().toString(IssuedFormat); }
QDateTime utcOf(const QVariant &value)
{
    QDateTime t = QDateTime::fromString(value.toString(), Qt::ISODateWithMs);
    t.setTimeZone(QTimeZone::utc());
    return t;
}

QString statusValue(OutputStatus status)
{
    return status == OutputStatus::BeingIssued ? QStringLiteral("being issued")
           : status == OutputStatus::Issued    ? QStringLiteral("issued")
                                               : QStringLiteral("not completed");
}

OutputStatus statusOf(const QString &value)
{
    if (value == QLatin1String("being issued"))
        return OutputStatus::BeingIssued;
    if (value == QLatin1String("issued"))
        return OutputStatus::Issued;
    return OutputStatus::NotCompleted;
}

QVector<QVariant> rowOf(const QSqlQuery &q, int count)
{
    QVector<QVariant> row;
    row.reserve(count);
    for (int i = 0; i < count; ++i)
        row.append(q.value(i));
    return row;
}

QVariantList entryValues(const Entry &e)
{
    return {text(e.number),
            utcText(e.issuedAt),
            text(e.issuedHow),
            text(e.recordFile),
            storedName(e.recordPath),
            text(e.recordSha256),
            text(e.sartModel),
            text(e.manufacturerNumber),
            text(e.vessel),
            text(dateText(e.testingDate)),
            text(dateText(e.nextTestingDate)),
            text(dateText(e.batteryDate)),
            text(e.verdict),
            text(e.outsideLimits),
            text(e.engineer),
            text(e.userName),
            storedName(e.recordName),
            text(dateText(e.recordTestingDate))};
}

QVariantList outputValues(const QString &number, const Output &o)
{
    return {number,          o.index,           utcText(o.issuedAt),    text(o.how),
            storedName(o.filePath), text(o.fileSha256), statusValue(o.status), text(o.host),
            o.pid,           text(o.processStart)};
}

QString marks(int count)
{
    QStringList m;
    for (int i = 0; i < count; ++i)
        m << QStringLiteral("?");
    return m.join(u',');
}

// With `numbered`, the counter key and the sequence follow the columns.
QString insertStatement(bool numbered = false)
{
    return QStringLiteral("INSERT INTO certificates (%1%2) VALUES (%3)")
        .arg(Columns, numbered ? QStringLiteral(", counter_key, sequence") : QString(),
             marks(ColumnCount + (numbered ? 2 : 0)));
}

const QString InsertOutput =
    QStringLiteral("INSERT INTO certificate_outputs (%1) VALUES (%2)").arg(OutputColumns, marks(10));

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
        if (i != ShaColumn && i != NameColumn && q.value(i).toString().contains(text, Qt::CaseInsensitive))
            return true;
    return filenames::display(carriedName(q.value(NameColumn).toString())).contains(text, Qt::CaseInsensitive);
}

// This process as an issuer: the computer, the pid and the process's start
// (the boot and the start time in clock ticks, from /proc).
QString processStartOf(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return {};
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')');
    if (close < 0)
        return {};
    // Fields after the command's name start with the third; the start time is the 22nd.
    const QList<QByteArray> fields = line.mid(close + 2).split(' ');
    if (fields.size() < 20)
        return {};
    static const QByteArray boot = [] {
        QFile id(QStringLiteral("/proc/sys/kernel/random/boot_id"));
        return id.open(QIODevice::ReadOnly) ? id.readAll().trimmed() : QByteArray();
    }();
    return QString::fromLatin1(boot + ':' + fields[19]);
}

const QString &thisHost()
{
    static const QString host = QSysInfo::machineHostName();
    return host;
}

const QString &thisProcessStart()
{
    static const QString start = processStartOf(::getpid());
    return start;
}

// The outputs this process is making now (by "number#index" and register).
QMutex makingMutex;
QSet<QString> making;

QString outputKey(const QString &where, const QString &number, int index)
{
    return where + u'\n' + number + u'#' + QString::number(index);
}

// Cuts PostgreSQL connections whose statement gets no answer in time: a
// server stopped (or a network gone silent) would otherwise hold the
// statement for ever, as the kernel still takes the bytes.
class Watchdog
{
public:
    static Watchdog &instance()
    {
        static Watchdog *watchdog = new Watchdog;  // never destroyed: its thread runs to the end
        return *watchdog;
    }

    int arm(int fd, std::chrono::steady_clock::time_point deadline)
    {
        std::lock_guard lock(m_mutex);
        const int token = ++m_next;
        m_armed[token] = {fd, deadline};
        m_changed.notify_one();
        return token;
    }

    // Whether the connection was cut.
    bool disarm(int token)
    {
        std::lock_guard lock(m_mutex);
        m_armed.erase(token);
        return m_fired.erase(token) > 0;
    }

private:
    Watchdog()
    {
        std::thread([this] { watch(); }).detach();
    }

    void watch()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            if (m_armed.empty()) {
                m_changed.wait(lock);
                continue;
            }
            auto first = m_armed.begin();
            for (auto it = m_armed.begin(); it != m_armed.end(); ++it)
                if (it->second.second < first->second.second)
                    first = it;
            // A copy: the entry may go while the lock is let go in the wait.
            const auto deadline = first->second.second;
            if (std::chrono::steady_clock::now() < deadline) {
                m_changed.wait_until(lock, deadline);
                continue;
            }
            ::shutdown(first->second.first, SHUT_RDWR);
            m_fired.insert(first->first);
            m_armed.erase(first);
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::map<int, std::pair<int, std::chrono::steady_clock::time_point>> m_armed;
    std::set<int> m_fired;
    int m_next = 0;
};

int socketOf(const QSqlDatabase &db)
{
#ifdef SART_HAVE_LIBPQ
    if (!db.driver())
        return -1;
    const QVariant handle = db.driver()->handle();
    if (handle.isValid()
        && (qstrcmp(handle.typeName(), "PGconn*") == 0 || qstrcmp(handle.typeName(), "pg_conn*") == 0))
        if (PGconn *conn = *static_cast<PGconn *const *>(handle.constData()))
            return PQsocket(conn);
#else
    Q_UNUSED(db);
#endif
    return -1;
}

QString fileKind(mode_t mode)
{
    if (S_ISDIR(mode))
        return QCoreApplication::translate("CertificateRegister", "a folder");
    if (S_ISFIFO(mode))
        return QCoreApplication::translate("CertificateRegister", "a FIFO");
    if (S_ISLNK(mode))
        return QCoreApplication::translate("CertificateRegister", "a symbolic link");
    if (S_ISSOCK(mode))
        return QCoreApplication::translate("CertificateRegister", "a socket");
    return QCoreApplication::translate("CertificateRegister", "a device");
}

} // namespace

QString storedName(const QString &carried)
{
    const QByteArray bytes = filenames::toBytes(carried);
    if (filenames::isUtf8(bytes) && !carried.startsWith(QLatin1String("hex:")))
        return text(carried);
    return QStringLiteral("hex:") + QString::fromLatin1(bytes.toHex());
}

QString carriedName(const QString &stored)
{
    if (!stored.startsWith(QLatin1String("hex:")))
        return stored;
    const QByteArray hex = stored.mid(4).toLatin1();
    for (const char c : hex)
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return stored;
    return filenames::fromBytes(QByteArray::fromHex(hex));
}

Entry readEntry(const QVector<QVariant> &row)
{
    const auto v = [&](int i) { return i < row.size() ? row[i] : QVariant(); };
    Entry e;
    e.number = v(0).toString();
    e.issuedAt = utcOf(v(1));
    e.issuedHow = v(2).toString();
    e.recordFile = v(3).toString();
    e.recordPath = carriedName(v(4).toString());
    e.recordSha256 = v(5).toString();
    e.sartModel = v(6).toString();
    e.manufacturerNumber = v(7).toString();
    e.vessel = v(8).toString();
    e.testingDate = dateOf(v(9));
    e.nextTestingDate = dateOf(v(10));
    e.batteryDate = dateOf(v(11));
    e.verdict = v(12).toString();
    e.outsideLimits = v(13).toString();
    e.engineer = v(14).toString();
    e.userName = v(15).toString();
    e.recordName = carriedName(v(16).toString());
    e.recordTestingDate = dateOf(v(17));
    return e;
}

Output readOutput(const QVector<QVariant> &row)
{
    const auto v = [&](int i) { return i < row.size() ? row[i] : QVariant(); };
    Output o;
    o.index = v(1).toInt();
    o.issuedAt = utcOf(v(2));
    o.how = v(3).toString();
    o.filePath = carriedName(v(4).toString());
    o.fileSha256 = v(5).toString();
    o.status = statusOf(v(6).toString());
    o.host = v(7).toString();
    o.pid = v(8).toLongLong();
    o.processStart = v(9).toString();
    return o;
}

bool pdfCarriesNumber(const QString &path, const QString &number)
{
    struct stat st;
    if (number.isEmpty() || ::lstat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    // Whole: it starts and ends as a PDF does.
    if (!bytes.startsWith("%PDF") || !bytes.trimmed().endsWith("%%EOF"))
        return false;
    // The title as the PDF writer puts it: plain, or UTF-16 (big-endian) with
    // "(", ")" and "\" escaped.
    const QString title = QStringLiteral("certificate ") + number;
    QByteArray plain, wide;
    for (const QChar c : title) {
        const auto escaped = [](QByteArray &out, char byte) {
            if (byte == '(' || byte == ')' || byte == '\\')
                out += '\\';
            out += byte;
        };
        escaped(plain, char(c.unicode() & 0xff));
        escaped(wide, char(c.unicode() >> 8));
        escaped(wide, char(c.unicode() & 0xff));
    }
    return bytes.contains(plain) || bytes.contains(wide);
}

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
    m_timedOut = false;
    errors::throwText(
        QCoreApplication::translate("CertificateRegister", "The register of certificates %1 cannot be used: %2.")
            .arg(describe(m_settings), why.endsWith(u'.') ? why.chopped(1) : why));
}

QString Register::why(const QSqlError &error)
{
    if (m_timedOut || error.nativeErrorCode() == QLatin1String("57014"))
        return QCoreApplication::translate("CertificateRegister", "the server does not answer (no answer within %1 s)")
            .arg(std::chrono::duration_cast<std::chrono::seconds>(AnswerWithin).count());
    return errorText(error);
}

bool Register::exec(QSqlQuery &q, const QString &sql)
{
    const int fd = isPostgres() ? socketOf(QSqlDatabase::database(m_connection, false)) : -1;
    const int token = fd >= 0 ? Watchdog::instance().arm(fd, std::chrono::steady_clock::now() + AnswerWithin) : -1;
    const bool done = sql.isNull() ? q.exec() : q.exec(sql);
    if (token >= 0 && Watchdog::instance().disarm(token))
        m_timedOut = true;
    return done && !m_timedOut;
}

bool Register::prepare(QSqlQuery &q, const QString &sql)
{
    const int fd = isPostgres() ? socketOf(QSqlDatabase::database(m_connection, false)) : -1;
    const int token = fd >= 0 ? Watchdog::instance().arm(fd, std::chrono::steady_clock::now() + AnswerWithin) : -1;
    const bool done = q.prepare(sql);
    if (token >= 0 && Watchdog::instance().disarm(token))
        m_timedOut = true;
    return done && !m_timedOut;
}

void Register::checkFiles()
{
    if (isPostgres())
        return;
    const QString path = describe(m_settings);
    for (const char *suffix : {"", "-journal", "-wal", "-shm"}) {
        const QString file = path + QLatin1String(suffix);
        struct stat st;
        if (::lstat(QFile::encodeName(file).constData(), &st) != 0 || S_ISREG(st.st_mode))
            continue;
        if (*suffix == 0 && S_ISDIR(st.st_mode))
            fail(QCoreApplication::translate("CertificateRegister", "%1 is not a file").arg(file));
        fail(QCoreApplication::translate(
            "CertificateRegister", "%1 is not a regular file but %2; the register opens none but regular files")
                 .arg(file, fileKind(st.st_mode)));
    }
}

QSqlDatabase Register::db()
{
    const bool postgres = isPostgres();
    if (!QSqlDatabase::contains(m_connection)) {
        QSqlDatabase db = QSqlDatabase::addDatabase(postgres ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE"),
                                                    m_connection);
        if (!db.isValid())
            fail(QCoreApplication::translate("CertificateRegister", "the program's %1 driver is not installed")
                     .arg(postgres ? QStringLiteral("PostgreSQL") : QStringLiteral("SQLite")));
        if (postgres) {
            db.setHostName(m_settings.host);
            db.setPort(m_settings.port);
            db.setDatabaseName(m_settings.database);
            db.setUserName(m_settings.user);
            // A server gone silent is noticed: the connection is tried for
            // 5 s, and an idle connection is probed every few seconds.
            db.setConnectOptions(QStringLiteral("connect_timeout=5;keepalives=1;keepalives_idle=5;"
                                                "keepalives_interval=2;keepalives_count=3"));
        } else {
            db.setDatabaseName(describe(m_settings));
            // Another program issuing holds the database for a moment.
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
        }
    }
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.isOpen()) {
        m_timedOut = false;
        if (!postgres) {
            const QFileInfo file(db.databaseName());
            if (!QDir().mkpath(file.absolutePath()))
                fail(QCoreApplication::translate("CertificateRegister", "its folder %1 cannot be made")
                         .arg(file.absolutePath()));
        }
        checkFiles();
        if (!db.open())
            fail(errorText(db.lastError()));
        if (postgres) {
            QSqlQuery q(db);
            // The server's notices ("already exists, skipping") are no news.
            if (!exec(q, QStringLiteral("SET client_min_messages = warning"))
                || !exec(q, QStringLiteral("SET statement_timeout = %1").arg(StatementTimeoutMs)))
                fail(q.lastError());
        }
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
    checkFiles();
    QSqlQuery q(db);
    const bool postgres = isPostgres();
    if (!exec(q, postgres ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE"))
        || (postgres && !exec(q, QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(WriteLock)))) {
        const QSqlError error = q.lastError();
        q.finish();
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        fail(error);
    }
}

namespace {

void rollback(QSqlDatabase &db)
{
    QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
}

} // namespace

void Register::commit(QSqlDatabase &db)
{
    QSqlQuery q(db);
    if (!exec(q, QStringLiteral("COMMIT"))) {
        const QSqlError error = q.lastError();
        rollback(db);
        fail(error);
    }
}

int Register::schemaVersion(QSqlDatabase &db)
{
    // Whether the table is there is asked of the catalogue: a failed SELECT
    // would spoil a PostgreSQL transaction.
    QSqlQuery q(db);
    const QString exists = isPostgres()
                               ? QStringLiteral("SELECT to_regclass('register_schema') IS NOT NULL")
                               : QStringLiteral("SELECT COUNT(*) > 0 FROM sqlite_master WHERE type = 'table' "
                                                "AND name = 'register_schema'");
    if (!exec(q, exists) || !q.next()) {
        const QSqlError error = q.lastError();
        q.finish();
        rollback(db);
        fail(error);
    }
    if (!q.value(0).toBool())
        return 0;
    if (!exec(q, QStringLiteral("SELECT MAX(version) FROM register_schema")) || !q.next()) {
        const QSqlError error = q.lastError();
        q.finish();
        rollback(db);
        fail(error);
    }
    const QVariant version = q.value(0);
    return version.isNull() ? 0 : version.toInt();
}

void Register::ensureSchema(QSqlDatabase &db)
{
    // Read only: a register that is up to date takes no lock and no DDL, so
    // that readers never wait and an engineer's role needs no ownership.
    int version = schemaVersion(db);
    if (version != SchemaVersion) {
        if (version > SchemaVersion)
            fail(QCoreApplication::translate("CertificateRegister",
                "it was made by a newer version of the program (schema %1; this version knows %2)")
                     .arg(version)
                     .arg(SchemaVersion));
        // Two programs making the schema at once: the second waits for the
        // first and finds it made. On PostgreSQL the wait is for a session
        // lock taken before the transaction starts: a transaction that began
        // before the other's commit would still look the tables up in its
        // stale catalogue cache, miss them and fail to create them again.
        const bool postgres = isPostgres();
        if (postgres) {
            QSqlQuery q(db);
            if (!exec(q, QStringLiteral("SELECT pg_advisory_lock(%1)").arg(WriteLock)))
                fail(q.lastError());
        }
        const auto unlock = qScopeGuard([&] {
            if (postgres)
                QSqlQuery(db).exec(QStringLiteral("SELECT pg_advisory_unlock(%1)").arg(WriteLock));
        });
        begin(db);
        version = schemaVersion(db);
        if (version < SchemaVersion)
            createOrUpgrade(db, version);
        commit(db);
    }
    m_schemaChecked = true;
}

void Register::createOrUpgrade(QSqlDatabase &db, int version)
{
    QSqlQuery q(db);
    auto run = [&](const QString &sql) {
        if (!exec(q, sql)) {
            const QSqlError error = q.lastError();
            q.finish();
            rollback(db);
            fail(error);
        }
    };
    const QString outputs = QStringLiteral(
        "CREATE TABLE certificate_outputs (number VARCHAR(64) NOT NULL, output INTEGER NOT NULL, "
        "issued_at VARCHAR(32) NOT NULL, issued_how TEXT NOT NULL, file_path TEXT NOT NULL, "
        "file_sha256 VARCHAR(64) NOT NULL, status VARCHAR(16) NOT NULL, host TEXT NOT NULL, pid BIGINT NOT NULL, "
        "process_start TEXT NOT NULL, PRIMARY KEY (number, output))");
    if (version == 0) {
        run(QStringLiteral("CREATE TABLE IF NOT EXISTS register_schema (version INTEGER NOT NULL)"));
        run(QStringLiteral("CREATE TABLE certificates ("
                           "number VARCHAR(64) PRIMARY KEY, issued_at VARCHAR(32) NOT NULL, issued_how TEXT NOT NULL, "
                           "record_file TEXT NOT NULL, record_path TEXT NOT NULL, record_sha256 VARCHAR(64) NOT NULL, "
                           "sart_model TEXT, manufacturer_number TEXT, vessel TEXT, testing_date VARCHAR(10), "
                           "next_testing_date VARCHAR(10), battery_date VARCHAR(10), verdict TEXT, "
                           "outside_limits TEXT, engineer TEXT, user_name TEXT, "
                           // The sequence of the number in its year (0: numbers
                           // without the year); none for entries taken over as they are.
                           "counter_key INTEGER, sequence INTEGER, "
                           // The record's name in the archive folder (FileNames'
                           // carried name as storedName() keeps it).
                           "record_name TEXT, record_testing_date VARCHAR(10), UNIQUE (counter_key, sequence))"));
        run(QStringLiteral("CREATE INDEX certificates_issued ON certificates (issued_at)"));
        run(QStringLiteral("CREATE INDEX certificates_record ON certificates (record_file, record_sha256)"));
        run(outputs);
        run(QStringLiteral("INSERT INTO register_schema (version) VALUES (%1)").arg(SchemaVersion));
    } else {
        // Version 1: one row per certificate issued, how it went out in it.
        // Each becomes a certificate with one output, issued.
        run(QStringLiteral("ALTER TABLE certificates ADD COLUMN record_name TEXT"));
        run(QStringLiteral("ALTER TABLE certificates ADD COLUMN record_testing_date VARCHAR(10)"));
        run(outputs);
        run(QStringLiteral("INSERT INTO certificate_outputs (%1) SELECT number, 1, issued_at, issued_how, "
                           "CASE WHEN issued_how LIKE 'PDF %' THEN SUBSTR(issued_how, 5) ELSE '' END, '', "
                           "'issued', '', 0, '' FROM certificates")
                .arg(OutputColumns));
        run(QStringLiteral("UPDATE certificates SET record_testing_date = testing_date"));
        // The archive name: the file name of the path it was issued from.
        QHash<QString, QString> names;
        run(QStringLiteral("SELECT number, record_path FROM certificates"));
        while (q.next())
            names.insert(q.value(0).toString(), storedName(QFileInfo(q.value(1).toString()).fileName()));
        QSqlQuery update(db);
        if (!prepare(update, QStringLiteral("UPDATE certificates SET record_name = ? WHERE number = ?"))) {
            const QSqlError error = update.lastError();
            rollback(db);
            fail(error);
        }
        for (auto it = names.cbegin(); it != names.cend(); ++it) {
            update.bindValue(0, it.value());
            update.bindValue(1, it.key());
            if (!exec(update)) {
                const QSqlError error = update.lastError();
                update.finish();
                rollback(db);
                fail(error);
            }
        }
        run(QStringLiteral("UPDATE register_schema SET version = %1").arg(SchemaVersion));
    }
    run(QStringLiteral("CREATE INDEX certificates_sha256 ON certificates (record_sha256)"));
    run(QStringLiteral("CREATE INDEX certificate_outputs_status ON certificate_outputs (status)"));
    q.finish();
}

void Register::checkWritable()
{
    QSqlDatabase d = db();
    begin(d);
    // A write that is rolled back: a read-only file, a full disk or a user
    // without the right to write fail here, before anything is issued.
    QSqlQuery q(d);
    const bool written = exec(q, QStringLiteral("UPDATE register_schema SET version = version"));
    const QSqlError error = q.lastError();
    q.finish();
    rollback(d);
    if (!written)
        fail(error);
}

QSqlQuery &Register::statement(QSqlDatabase &db, const QString &sql)
{
    auto it = m_statements.find(sql);
    if (it == m_statements.end()) {
        it = m_statements.insert(sql, QSqlQuery(db));
        if (!prepare(*it, sql)) {
            const QSqlError error = it->lastError();
            m_statements.erase(it);
            throw error;
        }
    }
    return *it;
}

QSqlQuery &Register::run(QSqlDatabase &db, const QString &sql, const QVariantList &values)
{
    QSqlQuery &q = statement(db, sql);
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values[i]);
    if (!exec(q))
        throw q.lastError();
    return q;
}

int Register::lastSequence(QSqlDatabase &db, int key)
{
    QSqlQuery &q = run(db, QStringLiteral("SELECT MAX(sequence) FROM certificates WHERE counter_key = ?"), {key});
    if (!q.next())
        throw q.lastError();
    const int last = q.value(0).toInt();
    q.finish();
    return last;
}

bool Register::numberInUse(QSqlDatabase &db, const QString &number)
{
    QSqlQuery &q = run(db, QStringLiteral("SELECT 1 FROM certificates WHERE number = ?"), {number});
    const bool used = q.next();
    q.finish();
    return used;
}

QString Register::sameCertificateNumber(QSqlDatabase &db, const Entry &entry)
{
    if (entry.recordSha256.isEmpty())
        return {};
    QSqlQuery &q = run(db,
                       QStringLiteral("SELECT %1 FROM certificates WHERE record_sha256 = ? AND verdict = ? "
                                      "ORDER BY issued_at DESC, number DESC")
                           .arg(Columns),
                       {entry.recordSha256, text(entry.verdict)});
    QString number;
    while (number.isEmpty() && q.next())
        if (const Entry e = readEntry(rowOf(q, ColumnCount)); sameCertificate(e, entry))
            number = e.number;
    q.finish();
    return number;
}

bool Register::issuerGone(QSqlDatabase &db, const QString &number, const Output &o)
{
    if (isPostgres()) {
        // The issuing session holds the output's lock while it makes it.
        QSqlQuery &q = run(db, QStringLiteral("SELECT pg_try_advisory_lock(%1, hashtext(?))").arg(OutputLock),
                           {number + u'#' + QString::number(o.index)});
        const bool free = q.next() && q.value(0).toBool();
        q.finish();
        if (free)
            run(db, QStringLiteral("SELECT pg_advisory_unlock(%1, hashtext(?))").arg(OutputLock),
                {number + u'#' + QString::number(o.index)})
                .finish();
        return free;
    }
    if (o.host != thisHost())
        return false;  // another computer's: only it knows
    if (o.pid == ::getpid() && o.processStart == thisProcessStart()) {
        QMutexLocker lock(&makingMutex);
        return !making.contains(outputKey(describe(m_settings), number, o.index));
    }
    return o.processStart.isEmpty() || processStartOf(o.pid) != o.processStart;
}

int Register::settle()
{
    QSqlDatabase d = db();
    QVector<std::pair<QString, Output>> left;
    try {
        QSqlQuery &q = run(d, QStringLiteral("SELECT %1 FROM certificate_outputs WHERE status = ?").arg(OutputColumns),
                           {statusValue(OutputStatus::BeingIssued)});
        while (q.next())
            left.append({q.value(0).toString(), readOutput(rowOf(q, 10))});
        q.finish();
        int settled = 0;
        for (auto &[number, o] : left) {
            if (!issuerGone(d, number, o))
                continue;
            // A file made whole carries the number in its title (written last,
            // the file takes its name once complete).
            const bool made = !o.filePath.isEmpty() && pdfCarriesNumber(o.filePath, number);
            o.status = made ? OutputStatus::Issued : OutputStatus::NotCompleted;
            o.fileSha256 = made ? sha256OfFile(o.filePath) : QString();
            // Another program settling it at the same moment writes the same.
            run(d,
                QStringLiteral("UPDATE certificate_outputs SET status = ?, file_sha256 = ? "
                               "WHERE number = ? AND output = ? AND status = ?"),
                {statusValue(o.status), text(o.fileSha256), number, o.index, statusValue(OutputStatus::BeingIssued)})
                .finish();
            ++settled;
        }
        return settled;
    } catch (const QSqlError &error) {
        fail(error);
    }
}

std::optional<Entry> Register::issue(const Entry &entry, const std::function<bool(Entry &numbered)> &produce,
                                     const Withdraw &withdraw)
{
    return issueOutput(
        entry, [&](Entry &numbered, const GoingTo &) { return produce(numbered); }, withdraw);
}

std::optional<Entry> Register::issueOutput(const Entry &entry, const Produce &produce, const Withdraw &withdraw)
{
    settle();
    QSqlDatabase d = db();
    Entry numbered = entry;
    numbered.outputs.clear();
    Output out;
    out.host = thisHost();
    out.pid = ::getpid();
    out.processStart = thisProcessStart();
    const QString lockKeySql = QStringLiteral("%1, hashtext(?)").arg(OutputLock);
    // (a) The number and the output "being issued", committed at once: the
    // number is then this certificate's for good. The write lock keeps every
    // other program waiting to take the next. Should a number be taken all
    // the same (a register written by some other means), the unique sequence
    // refuses it and the next is tried.
    for (int attempt = 1;; ++attempt) {
        begin(d);
        try {
            out.issuedAt = QDateTime::currentDateTimeUtc();
            numbered.issuedAt = out.issuedAt;
            numbered.number = sameCertificateNumber(d, entry);
            if (!numbered.number.isEmpty()) {
                QSqlQuery &q = run(d, QStringLiteral("SELECT MAX(output) FROM certificate_outputs WHERE number = ?"),
                                   {numbered.number});
                out.index = (q.next() ? q.value(0).toInt() : 0) + 1;
                q.finish();
            } else {
                const int year = numbered.issuedAt.toLocalTime().date().year();
                const int key = countsPerYear(m_settings.numberFormat) ? year : 0;
                int sequence = lastSequence(d, key) + 1;
                numbered.number = formatNumber(m_settings.numberFormat, year, sequence);
                // Tried again: a number an earlier format gave already is passed
                // over (the unique number refused it).
                for (int skip = 0; attempt > 1 && numberInUse(d, numbered.number); ++skip) {
                    if (skip == Attempts)
                        throw QSqlError(QString(),
                            QCoreApplication::translate(
                                "CertificateRegister", "the number format %1 gives only numbers in use")
                                .arg(m_settings.numberFormat));
                    numbered.number = formatNumber(m_settings.numberFormat, year, ++sequence);
                }
                Entry row = numbered;
                row.issuedHow = QString();
                QVariantList values = entryValues(row);
                values << key << sequence;
                run(d, insertStatement(true), values).finish();
                out.index = 1;
            }
            run(d, InsertOutput, outputValues(numbered.number, out)).finish();
            if (isPostgres())
                run(d, QStringLiteral("SELECT pg_advisory_lock(%1)").arg(lockKeySql),
                    {numbered.number + u'#' + QString::number(out.index)})
                    .finish();
            QSqlQuery c(d);
            if (!exec(c, QStringLiteral("COMMIT")))
                throw c.lastError();
        } catch (const QSqlError &error) {
            rollback(d);
            if (isUniqueViolation(error) && attempt < Attempts)
                continue;
            fail(error);
        }
        break;
    }
    const QString key = outputKey(describe(m_settings), numbered.number, out.index);
    {
        QMutexLocker lock(&makingMutex);
        making.insert(key);
    }
    const QVariantList where{numbered.number, out.index};
    // Done with the output: this process no longer makes it, and on
    // PostgreSQL its lock is let go (a broken connection let it go already).
    const auto done = [&] {
        {
            QMutexLocker lock(&makingMutex);
            making.remove(key);
        }
        if (isPostgres() && QSqlDatabase::database(m_connection, false).isOpen()) {
            try {
                run(d, QStringLiteral("SELECT pg_advisory_unlock(%1)").arg(lockKeySql),
                    {numbered.number + u'#' + QString::number(out.index)})
                    .finish();
            } catch (const QSqlError &) {
            }
        }
    };
    const auto markNotCompleted = [&] {
        try {
            run(d, QStringLiteral("UPDATE certificate_outputs SET status = ? WHERE number = ? AND output = ?"),
                {statusValue(OutputStatus::NotCompleted), numbered.number, out.index})
                .finish();
        } catch (const QSqlError &) {
            // Settled later: the issuer is gone by then.
        }
    };

    // (b) The certificate is made; where it goes is written down before a
    // file takes its name.
    const GoingTo goingTo = [&](const QString &how, const QString &filePath) {
        out.how = how;
        out.filePath = filePath;
        try {
            run(d,
                QStringLiteral("UPDATE certificate_outputs SET issued_how = ?, file_path = ? "
                               "WHERE number = ? AND output = ?"),
                {text(how), storedName(filePath), numbered.number, out.index})
                .finish();
        } catch (const QSqlError &error) {
            fail(error);
        }
    };
    bool produced = false;
    try {
        produced = produce(numbered, goingTo);
    } catch (...) {
        markNotCompleted();
        done();
        throw;
    }
    if (!produced) {
        // Nothing went out: the output goes, and the certificate with it when
        // it has no other (taken under the write lock, so that no program
        // adds an output to it meanwhile).
        try {
            begin(d);
            run(d, QStringLiteral("DELETE FROM certificate_outputs WHERE number = ? AND output = ?"), where).finish();
            run(d,
                QStringLiteral("DELETE FROM certificates WHERE number = ? AND NOT EXISTS "
                               "(SELECT 1 FROM certificate_outputs WHERE number = ?)"),
                {numbered.number, numbered.number})
                .finish();
            commit(d);
        } catch (const QSqlError &error) {
            rollback(d);
            markNotCompleted();
            done();
            fail(error);
        } catch (...) {
            markNotCompleted();
            done();
            throw;
        }
        done();
        return std::nullopt;
    }
    // (c) Made: how it went out and the file's fingerprint; "issued" last.
    if (numbered.issuedHow.isEmpty())
        numbered.issuedHow = out.how;
    if (out.filePath.isEmpty() && numbered.issuedHow.startsWith(QLatin1String("PDF ")))
        out.filePath = numbered.issuedHow.mid(4);
    out.how = numbered.issuedHow;
    out.fileSha256 = out.filePath.isEmpty() ? QString() : sha256OfFile(out.filePath);
    out.status = OutputStatus::Issued;
    QString failure;
    try {
        run(d, QStringLiteral("UPDATE certificates SET issued_how = ? WHERE number = ? AND issued_how = ''"),
            {text(out.how), numbered.number})
            .finish();
        run(d,
            QStringLiteral("UPDATE certificate_outputs SET issued_how = ?, file_path = ?, file_sha256 = ?, "
                           "status = ? WHERE number = ? AND output = ?"),
            {text(out.how), storedName(out.filePath), text(out.fileSha256), statusValue(out.status), numbered.number,
             out.index})
            .finish();
    } catch (const QSqlError &error) {
        failure = why(error);
    }
    if (!failure.isEmpty()) {
        if (withdraw)
            withdraw(numbered);
        markNotCompleted();
        done();
        fail((withdraw ? QCoreApplication::translate("CertificateRegister",
                  "the certificate %1 was made but its entry could not be kept "
                  "(%2); it was withdrawn")
                       : QCoreApplication::translate("CertificateRegister",
                           "the certificate %1 was made but its entry could not be kept "
                           "(%2); write the certificate's details into the register by "
                           "hand"))
                 .arg(numbered.number, failure));
    }
    done();
    numbered.outputs = {out};
    return numbered;
}

QString Register::nextNumber()
{
    QSqlDatabase d = db();
    const int year = QDate::currentDate().year();
    QSqlQuery q(d);
    if (!prepare(q, QStringLiteral("SELECT MAX(sequence) FROM certificates WHERE counter_key = ?")))
        fail(q.lastError());
    q.bindValue(0, countsPerYear(m_settings.numberFormat) ? year : 0);
    if (!exec(q))
        fail(q.lastError());
    return formatNumber(m_settings.numberFormat, year, (q.next() ? q.value(0).toInt() : 0) + 1);
}

QString Register::expectedNumber(const Entry &entry)
{
    QSqlDatabase d = db();
    QString number;
    try {
        number = sameCertificateNumber(d, entry);
    } catch (const QSqlError &error) {
        fail(error);
    }
    return number.isEmpty() ? nextNumber() : number;
}

QStringList Register::numbers(const Filter &filter, const std::function<bool()> &stop)
{
    QSqlDatabase d = db();
    QSqlQuery q(d);
    q.setForwardOnly(true);
    if (!prepare(q, QStringLiteral("SELECT %1 FROM certificates WHERE issued_at >= ? AND issued_at < ? "
                                   "ORDER BY issued_at DESC, number DESC")
                        .arg(Columns)))
        fail(q.lastError());
    q.bindValue(0, filter.from.isValid() ? utcText(filter.from) : QStringLiteral(""));
    q.bindValue(1, filter.to.isValid() ? utcText(filter.to.addDays(1)) : QStringLiteral("9"));
    if (!exec(q))
        fail(q.lastError());
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

void Register::attachOutputs(QSqlDatabase &db, QVector<Entry> &entries, bool all)
{
    QHash<QString, qsizetype> at;
    for (qsizetype i = 0; i < entries.size(); ++i)
        at.insert(entries[i].number, i);
    const auto read = [&](QSqlQuery &q) {
        while (q.next())
            if (auto it = at.constFind(q.value(0).toString()); it != at.constEnd())
                entries[*it].outputs.append(readOutput(rowOf(q, 10)));
    };
    if (all) {
        QSqlQuery q(db);
        q.setForwardOnly(true);
        if (!exec(q, QStringLiteral("SELECT %1 FROM certificate_outputs ORDER BY number, output").arg(OutputColumns)))
            fail(q.lastError());
        read(q);
        return;
    }
    for (qsizetype start = 0; start < entries.size(); start += PageSize) {
        const qsizetype size = std::min<qsizetype>(PageSize, entries.size() - start);
        QSqlQuery q(db);
        q.setForwardOnly(true);
        if (!prepare(q, QStringLiteral("SELECT %1 FROM certificate_outputs WHERE number IN (%2) ORDER BY number, output")
                            .arg(OutputColumns, marks(int(size)))))
            fail(q.lastError());
        for (qsizetype i = 0; i < size; ++i)
            q.bindValue(int(i), entries[start + i].number);
        if (!exec(q))
            fail(q.lastError());
        read(q);
    }
}

QVector<Entry> Register::entries(const QStringList &numbers)
{
    QSqlDatabase d = db();
    QHash<QString, Entry> byNumber;
    for (qsizetype start = 0; start < numbers.size(); start += PageSize) {
        const QStringList page = numbers.mid(start, PageSize);
        QSqlQuery q(d);
        q.setForwardOnly(true);
        if (!prepare(q, QStringLiteral("SELECT %1 FROM certificates WHERE number IN (%2)")
                            .arg(Columns, marks(int(page.size())))))
            fail(q.lastError());
        for (qsizetype i = 0; i < page.size(); ++i)
            q.bindValue(int(i), page[i]);
        if (!exec(q))
            fail(q.lastError());
        while (q.next())
            byNumber.insert(q.value(0).toString(), readEntry(rowOf(q, ColumnCount)));
    }
    QVector<Entry> result;
    result.reserve(numbers.size());
    for (const QString &number : numbers)
        if (auto it = byNumber.constFind(number); it != byNumber.constEnd())
            result.append(*it);
    attachOutputs(d, result, false);
    return result;
}

QVector<Entry> Register::allEntries()
{
    QSqlDatabase d = db();
    QSqlQuery q(d);
    q.setForwardOnly(true);
    if (!exec(q, QStringLiteral("SELECT %1 FROM certificates ORDER BY issued_at DESC, number DESC").arg(Columns)))
        fail(q.lastError());
    QVector<Entry> result;
    while (q.next())
        result.append(readEntry(rowOf(q, ColumnCount)));
    attachOutputs(d, result, true);
    return result;
}

int Register::count()
{
    QSqlDatabase d = db();
    QSqlQuery q(d);
    if (!exec(q, QStringLiteral("SELECT COUNT(*) FROM certificates")) || !q.next())
        fail(q.lastError());
    return q.value(0).toInt();
}

QSet<QString> Register::notCompletedNumbers()
{
    QSqlDatabase d = db();
    QSqlQuery q(d);
    q.setForwardOnly(true);
    if (!exec(q, QStringLiteral("SELECT DISTINCT number FROM certificate_outputs WHERE status = '%1'")
                     .arg(statusValue(OutputStatus::NotCompleted))))
        fail(q.lastError());
    QSet<QString> numbers;
    while (q.next())
        numbers.insert(q.value(0).toString());
    return numbers;
}

std::optional<Entry> Register::lastFor(const QString &recordFile, const QString &sha256)
{
    QSqlDatabase d = db();
    QSqlQuery q(d);
    if (!prepare(q, QStringLiteral("SELECT %1 FROM certificates WHERE record_file = ? AND record_sha256 = ? "
                                   "ORDER BY issued_at DESC, number DESC LIMIT 1")
                        .arg(Columns)))
        fail(q.lastError());
    q.bindValue(0, recordFile);
    q.bindValue(1, sha256);
    if (!exec(q))
        fail(q.lastError());
    if (!q.next())
        return std::nullopt;
    QVector<Entry> found{readEntry(rowOf(q, ColumnCount))};
    q.finish();
    attachOutputs(d, found, false);
    return found.constFirst();
}

QHash<QString, RecordCheck> Register::checkRecords(const QString &archiveFolder, const std::function<bool()> &stop,
                                                   int &total)
{
    QSqlDatabase d = db();
    QSqlQuery q(d);
    q.setForwardOnly(true);
    if (!exec(q, QStringLiteral("SELECT number, record_path, record_sha256, record_name FROM certificates")))
        fail(q.lastError());
    QHash<QString, RecordCheck> found;
    // Many certificates may come from one record: each file is read once.
    QHash<QString, QString> hashNow;
    const QDir archive(archiveFolder);
    total = 0;
    while (q.next()) {
        if (stop && stop())
            break;
        ++total;
        QString name = carriedName(q.value(3).toString());
        if (name.isEmpty())
            name = QFileInfo(carriedName(q.value(1).toString())).fileName();
        const QString path = archive.filePath(name);
        auto it = hashNow.find(path);
        if (it == hashNow.end())
            it = hashNow.insert(path, sha256OfFile(path));
        const RecordCheck c = it->isEmpty()                       ? RecordCheck::Missing
                              : *it == q.value(2).toString() ? RecordCheck::Unchanged
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
    try {
        for (const Entry &e : entries) {
            run(d, insertStatement(), entryValues(e)).finish();
            QVector<Output> outputs = e.outputs;
            if (outputs.isEmpty()) {
                Output o;
                o.index = 1;
                o.issuedAt = e.issuedAt;
                o.how = e.issuedHow;
                o.filePath = e.issuedHow.startsWith(QLatin1String("PDF ")) ? e.issuedHow.mid(4) : QString();
                o.status = OutputStatus::Issued;
                outputs << o;
            }
            for (const Output &o : outputs)
                run(d, InsertOutput, outputValues(e.number, o)).finish();
        }
    } catch (const QSqlError &error) {
        rollback(d);
        fail(error);
    }
    commit(d);
}

void Register::insertOne(const Entry &entry)
{
    QSqlDatabase d = db();
    try {
        run(d, insertStatement(), entryValues(entry)).finish();
    } catch (const QSqlError &error) {
        fail(error);
    }
}

} // namespace certregister
