// The archive views in the Russian interface: counts take the Russian plural
// form their number asks for (1 выдача, 2 выдачи, 5 выдач, 21 выдача), and a
// status line with the archive still being read is one sentence.

#include "ArchiveIndex.h"
#include "DueDialog.h"
#include "FindDialog.h"
#include "Language.h"
#include "RegisterModel.h"

#include <QApplication>
#include <QLabel>
#include <QSpinBox>
#include <QTest>

class TestFinderRussian : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void outputsNotCompleted_data();
    void outputsNotCompleted();
    void emptyArchive();
};

void TestFinderRussian::initTestCase()
{
    language::install(language::Choice::Russian);
    QCOMPARE(language::shown(), QStringLiteral("ru"));
}

void TestFinderRussian::outputsNotCompleted_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("tooltip");
    const QString rest = QString::fromUtf8(": сертификат, возможно, не был выдан.");
    QTest::newRow("1") << 1 << QString::fromUtf8("1 выдача не завершена") + rest;
    QTest::newRow("2") << 2 << QString::fromUtf8("2 выдачи не завершены") + rest;
    QTest::newRow("5") << 5 << QString::fromUtf8("5 выдач не завершено") + rest;
    QTest::newRow("11") << 11 << QString::fromUtf8("11 выдач не завершено") + rest;
    QTest::newRow("21") << 21 << QString::fromUtf8("21 выдача не завершена") + rest;
    QTest::newRow("22") << 22 << QString::fromUtf8("22 выдачи не завершены") + rest;
}

// The register's tooltip of an entry with outputs not completed.
void TestFinderRussian::outputsNotCompleted()
{
    QFETCH(int, count);
    QFETCH(QString, tooltip);
    RegisterModel model([count](const QStringList &numbers) {
        QVector<certregister::Entry> entries;
        for (const QString &number : numbers) {
            certregister::Entry e;
            e.number = number;
            for (int i = 1; i <= count; ++i) {
                certregister::Output o;
                o.index = i;
                o.status = certregister::OutputStatus::NotCompleted;
                e.outputs.append(o);
            }
            entries.append(e);
        }
        return entries;
    });
    model.setNumbers({QStringLiteral("2026-00001")});
    QCOMPARE(model.data(model.index(0, 0), Qt::ToolTipRole).toString(), tooltip);
}

// With no record, the due list and Find say so in Russian, the days after
// the number and the date in the Russian short format.
void TestFinderRussian::emptyArchive()
{
    archive::ArchiveIndex index;
    DueDialog due(index);
    QCOMPARE(due.windowTitle(), QString::fromUtf8("Сроки проверки"));
    QCOMPARE(due.daysField()->suffix(), QString::fromUtf8(" дн."));
    auto *dueStatus = due.findChild<QLabel *>(QStringLiteral("DueStatus"));
    QVERIFY(dueStatus);
    QCOMPARE(dueStatus->text(), QString::fromUtf8("0 САРТ к проверке, из них просрочено: 0, на %1")
                                    .arg(archive::dateText(QDate::currentDate())));
    QVERIFY2(archive::dateText(QDate::currentDate()).contains(u'.'), "dates as dd.MM.yyyy");

    FindDialog find(index);
    auto *findStatus = find.findChild<QLabel *>(QStringLiteral("FindStatus"));
    QVERIFY(findStatus);
    QVERIFY(QTest::qWaitFor([&] { return findStatus->text() == QString::fromUtf8("Найдено 0 из 0 записей"); },
                            5000));
}

QTEST_MAIN(TestFinderRussian)
#include "tst_finderrussian.moc"
