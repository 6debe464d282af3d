// The record panel in Russian: its selectors show their items translated,
// while the header it gives Save changes, the certificate, the Word document
// and the register (values()) holds what an English panel gives, item texts
// in English above all. The file table's header is translated on screen only.
#include "DecodedRecord.h"
#include "Decoder.h"
#include "FileGrid.h"
#include "FileTable.h"
#include "Language.h"
#include "RecordPanel.h"
#include "SampleRecord.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// Every text and index values() gives, named, dates as ISO text.
QStringList fields(const RecordHeader &v)
{
    return {
        u"radioEngineer="_qs + v.radioEngineer,       u"controller="_qs + v.controller,
        u"sartModel="_qs + v.sartModel,               u"manufacturerNo="_qs + v.manufacturerNo,
        u"vessel="_qs + v.vessel,                     u"centreName="_qs + v.centreName,
        u"centreAddress="_qs + v.centreAddress,       u"centreTel="_qs + v.centreTel,
        u"centreFax="_qs + v.centreFax,               u"frequencyHigh="_qs + v.frequencyHigh,
        u"frequencyLow="_qs + v.frequencyLow, u"power="_qs + v.power,
        u"signalDuration="_qs + v.signalDuration, u"tunings="_qs + v.tunings,
        u"repetition="_qs + v.repetition,             u"testerDuration="_qs + v.testerDuration,
        u"standBy="_qs + v.standByText + u'/' + QString::number(v.standByIndex),
        u"led="_qs + v.ledText + u'/' + QString::number(v.ledIndex),
        u"beeper="_qs + v.beeperText + u'/' + QString::number(v.beeperIndex),
        u"testingMode="_qs + v.testingModeText + u'/' + QString::number(v.testingModeIndex),
        u"verdict="_qs + v.verdictText + u'/' + QString::number(v.verdictIndex),
        u"nextTestDate="_qs + v.nextTestDate.toString(Qt::ISODate),
        u"testingDate="_qs + v.testingDate.toString(Qt::ISODate),
        u"batteryDate="_qs + v.batteryDate.toString(Qt::ISODate),
    };
}

} // namespace

class TestPanelLanguage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void selectorsShowRussian();
    void valuesAsInEnglish_data();
    void valuesAsInEnglish();
    void fileTableHeaderShownInRussian();

private:
    QTemporaryDir m_dir;
    DecodedRecord m_record;
    std::unique_ptr<RecordPanel> m_english, m_russian;
};

void TestPanelLanguage::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const QString path = m_dir.filePath(QStringLiteral("a.bin"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    sample::Params params = sample::variant(0);
    params.automatic.standBy = 1;  // a "NO" among the answers
    file.write(sample::makeRecord(params));
    file.close();
    decoder::decode({path, 0, QStringLiteral("30.11.26"), 2026}, m_record);

    // The English panel is made before the translation is installed. Both
    // show the one decode, so the measured values are the same texts.
    m_english = std::make_unique<RecordPanel>();
    language::install(language::Choice::Russian);
    m_russian = std::make_unique<RecordPanel>();
}

void TestPanelLanguage::cleanupTestCase()
{
    m_russian.reset();
    m_english.reset();
}

void TestPanelLanguage::selectorsShowRussian()
{
    // Shown translated: else the comparison below would prove nothing.
    const std::pair<const char *, QStringList> shown[] = {
        {"ComboBox1", {u"ДА"_qs, u"НЕТ"_qs, QString(), QString()}},
        {"ComboBox2", {u"ДА"_qs, u"НЕТ"_qs, QString()}},
        {"ComboBox4", {u"Авто"_qs, u"Ручной"_qs}},
        {"ComboBox5", {u"САРТ ПРОШЁЛ ПРОВЕРКУ"_qs, u"САРТ НЕ ПРОШЁЛ ПРОВЕРКУ"_qs}},
    };
    for (const auto &[name, items] : shown) {
        auto *combo = m_russian->findChild<QComboBox *>(QString::fromLatin1(name));
        QVERIFY(combo);
        QStringList texts;
        for (int i = 0; i < combo->count(); ++i)
            texts.append(combo->itemText(i));
        QCOMPARE(texts, items);
    }
    QCOMPARE(m_russian->findChild<QComboBox *>(u"ComboBox1"_qs)->currentText(), QString());
    // A verdict the register keeps, shown in the interface's language.
    QCOMPARE(RecordPanel::shownItem(u"SART FAILED TESTS"_qs), u"САРТ НЕ ПРОШЁЛ ПРОВЕРКУ"_qs);
    QCOMPARE(RecordPanel::shownItem(u"PASSED, see notes"_qs), u"PASSED, see notes"_qs);
}

void TestPanelLanguage::valuesAsInEnglish_data()
{
    // A selector set by index (as the user picks an item) or by a typed text,
    // or a value label given a text as the decoder gives it.
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("typed");

    QTest::newRow("as decoded") << QString() << -1 << QString();
    for (const char *answer : {"ComboBox1", "ComboBox2", "ComboBox3"}) {
        QTest::addRow("%s YES", answer) << answer << 0 << QString();
        QTest::addRow("%s NO", answer) << answer << 1 << QString();
        QTest::addRow("%s blank", answer) << answer << 2 << QString();
    }
    QTest::newRow("Manual mode") << "ComboBox4" << 1 << QString();
    QTest::newRow("Auto mode") << "ComboBox4" << 0 << QString();
    QTest::newRow("failed") << "ComboBox5" << 1 << QString();
    QTest::newRow("passed") << "ComboBox5" << 0 << QString();
    // The English item text typed is that item in either language.
    QTest::newRow("YES typed") << "ComboBox1" << -1 << "YES";
    QTest::newRow("NO typed") << "ComboBox3" << -1 << "NO";
    QTest::newRow("other text typed") << "ComboBox2" << -1 << "dim";
    // A code the tester sent that is not valid.
    QTest::newRow("repetition BAD") << "Label15" << -1 << "BAD";
    QTest::newRow("tester duration BAD") << "Label16" << -1 << "BAD";
}

void TestPanelLanguage::valuesAsInEnglish()
{
    QFETCH(QString, control);
    QFETCH(int, index);
    QFETCH(QString, typed);

    for (RecordPanel *panel : {m_english.get(), m_russian.get()}) {
        panel->showRecord(m_record, QStringLiteral("a.bin"));
        if (auto *combo = panel->findChild<QComboBox *>(control)) {
            if (index >= 0)
                combo->setCurrentIndex(index);
            else
                combo->setEditText(typed);
        } else if (!control.isEmpty()) {
            panel->setText(control == u"Label15" ? DecodeTarget::Repetition : DecodeTarget::TesterDuration, typed);
        }
    }
    const QStringList english = fields(m_english->values());
    QCOMPARE(fields(m_russian->values()), english);
    // The English panel gives the texts it shows, as before there were
    // translations; the Russian one shows a code not valid in Russian.
    if (auto *combo = m_english->findChild<QComboBox *>(control)) {
        QCOMPARE(RecordPanel::englishText(combo), combo->currentText());
    } else if (!control.isEmpty()) {
        QCOMPARE(m_russian->findChild<QLabel *>(control)->text(), u"НЕВЕРНО"_qs);
        const RecordHeader v = m_russian->values();
        QCOMPARE(control == u"Label15" ? v.repetition : v.testerDuration, u"BAD"_qs);
    }
}

void TestPanelLanguage::fileTableHeaderShownInRussian()
{
    // Shown translated; the table's header row, which the navigation meets
    // when the header row is clicked, stays as it is.
    FileTable table;
    FileTableModel model(table);
    const QString shown[] = {u"№ файла"_qs, u"Имя файла"_qs, u"Дата проверки"_qs, u"Дата на компьютере"_qs,
                             u"Время на компьютере"_qs};
    const QString held[] = {u"File number"_qs, u"File name"_qs, u"Testing date"_qs, u"Computer date"_qs,
                            u"Computer time"_qs};
    for (int column = 0; column < FileTable::ColumnCount; ++column) {
        QCOMPARE(model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString(), shown[column]);
        QCOMPARE(table.cell(0, column), held[column]);
    }
}

QTEST_MAIN(TestPanelLanguage)
#include "tst_panellanguage.moc"
