// The register of certificates issued, in an SQLite file on the local disk.
// 1. The register's work for one certificate as the program does it (the
//    check that the register can be written, the number taken and the entry
//    kept in one transaction, the record's hash) against the bare INSERT of
//    the same entry, alternated in the same run; the goal is a ratio of at
//    most 1.2.
// 2. The register's view with 100,000 entries: the time until it shows them
//    all, and the longest the window's thread is held up while the engineer
//    types a search, one key every 150 ms, and pages through the table.
// Only reports; the exit code is 0 unless the register cannot be made.
#include "BenchSupport.h"
#include "CertificateRegister.h"
#include "RegisterDialog.h"
#include "RegisterModel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>

using namespace certregister;

namespace {

Entry sample(const QString &record, int i)
{
    Entry e;
    e.recordPath = record;
    e.recordFile = QStringLiteral("sart-%1.bin").arg(i % 5000, 4, 10, QChar(u'0'));
    e.recordSha256 = sha256OfFile(record);
    e.issuedHow = QStringLiteral("Printer Office");
    e.sartModel = QStringLiteral("SART-%1").arg(i % 7);
    e.manufacturerNumber = QStringLiteral("No %1").arg(100000 + i);
    e.vessel = i % 3 ? QStringLiteral("Northern Star %1").arg(i % 400) : QStringLiteral("Baltic Dawn %1").arg(i % 300);
    e.testingDate = QDate(2020, 1, 1).addDays(i % 2000);
    e.nextTestingDate = e.testingDate.addYears(1);
    e.batteryDate = e.testingDate.addYears(3);
    e.verdict = i % 11 ? QStringLiteral("SART PASSED TESTS") : QStringLiteral("SART FAILED TESTS");
    e.engineer = QStringLiteral("A. Sidorov");
    e.userName = QStringLiteral("engineer");
    return e;
}

// The longest time between two turns of the window's event loop.
class StallWatch : public QObject
{
public:
    StallWatch()
    {
        m_timer.setInterval(1);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            m_longest = std::max(m_longest, m_clock.nsecsElapsed() / 1e6);
            m_clock.restart();
        });
    }
    void start()
    {
        m_longest = 0;
        m_clock.start();
        m_timer.start();
    }
    double stop()
    {
        m_timer.stop();
        return m_longest;
    }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    double m_longest = 0;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // On the local disk, where the program keeps its register.
    QTemporaryDir dir;
    const QString record = dir.filePath(QStringLiteral("record.bin"));
    {
        QFile f(record);
        if (!f.open(QIODevice::WriteOnly) || f.write(QByteArray(4096, 'x')) != 4096)
            return 1;
    }

    // 1. Issuing against the bare INSERT.
    Settings issueSettings;
    issueSettings.sqlitePath = dir.filePath(QStringLiteral("issue.sqlite"));
    Register reg(issueSettings);
    try {
        reg.checkWritable();
        constexpr int Rounds = 200;
        QVector<double> issued, bare;
        for (int i = 0; i < Rounds; ++i) {
            // The panel's values are there already; the register's work is
            // the check, the record's hash and the issue.
            Entry e = sample(record, i);
            Entry plain = e;
            plain.number = QStringLiteral("BARE-%1").arg(i);
            plain.issuedAt = QDateTime::currentDateTimeUtc();

            QElapsedTimer t;
            t.start();
            reg.checkWritable();
            e.recordSha256 = sha256OfFile(record);
            reg.issue(e, [](Entry &) { return true; });
            issued.append(t.nsecsElapsed() / 1e6);

            t.restart();
            reg.insertOne(plain);
            bare.append(t.nsecsElapsed() / 1e6);
        }
        const double i = bench::median(issued), b = bench::median(bare);
        std::printf("register: issuing one certificate %.2f ms, bare INSERT %.2f ms (medians of %d): ratio %.2f "
                    "(goal <= 1.2)\n",
                    i, b, Rounds, i / b);
    } catch (const AppError &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        return 1;
    }

    // 2. The view of 100,000 entries.
    constexpr int Entries = 100000;
    Settings viewSettings;
    viewSettings.sqlitePath = dir.filePath(QStringLiteral("view.sqlite"));
    {
        Register big(viewSettings);
        QVector<Entry> entries;
        entries.reserve(Entries);
        const QDateTime first(QDate(2020, 1, 1), QTime(8, 0), Qt::UTC);
        for (int i = 0; i < Entries; ++i) {
            Entry e = sample(record, i);
            e.number = QStringLiteral("%1-%2").arg(2020 + i / 20000).arg(i % 20000 + 1, 5, 10, QChar(u'0'));
            e.issuedAt = first.addSecs(qint64(i) * 1800);
            entries.append(e);
        }
        big.insertAsIs(entries);
    }
    StallWatch watch;
    QElapsedTimer opening;
    opening.start();
    watch.start();
    RegisterDialog view(viewSettings);
    view.showFresh();
    (void)QTest::qWaitFor([&] { return view.isIdle() && view.model()->rowCount() == Entries; }, 60000);
    QCoreApplication::processEvents();
    const double opened = opening.nsecsElapsed() / 1e6;
    const double openStall = watch.stop();
    std::printf("register view: %d entries shown in %.0f ms; the window's thread held up at most %.1f ms meanwhile\n",
                view.model()->rowCount(), opened, openStall);

    watch.start();
    QElapsedTimer typing;
    typing.start();
    for (const QChar c : QStringLiteral("dawn 2")) {
        QTest::keyClick(view.searchField(), c.toLatin1());
        QTest::qWait(150);
    }
    (void)QTest::qWaitFor([&] { return view.isIdle(); }, 60000);
    const double typeStall = watch.stop();
    std::printf("register view: search \"dawn 2\" typed one key per 150 ms, %d found, done %.0f ms after the first "
                "key; longest hold-up of the window's thread %.1f ms\n",
                view.model()->rowCount(), typing.nsecsElapsed() / 1e6, typeStall);

    view.searchField()->clear();
    (void)QTest::qWaitFor([&] { return view.isIdle() && view.model()->rowCount() == Entries; }, 60000);
    watch.start();
    QTableView *table = view.table();
    for (int page = 0; page < 20; ++page) {
        table->scrollTo(view.model()->index(page * 5000, 0));
        QTest::qWait(20);
    }
    std::printf("register view: 20 jumps through the table; longest hold-up of the window's thread %.1f ms\n",
                watch.stop());
    return 0;
}
