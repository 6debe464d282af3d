// The record view panel inside the real main window: its contents before the
// first record, its captions, the system's number and date formats, and what
// a decode keeps from the record shown before. Runs under LC_ALL=C and under
// LC_ALL=de_DE.UTF-8.
#include "SampleRecord.h"
#include "TestSupport.h"
#include "Unit1.h"
#include "WindowFixture.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTest>

using namespace windowtest;

namespace {

QStringList items(const QComboBox *combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts.append(combo->itemText(i));
    return texts;
}

QDate pickerDate(TForm1 &form, const QString &name) { return child<QDateEdit>(&form, name)->date(); }

} // namespace

class TestRecordPanel : public WindowTestCase
{
    Q_OBJECT

private slots:
    void initialContents();
    void captions_data();
    void captions();
    void regionalSettings();
    void receivedRecordAfterSavedOne();
};

void TestRecordPanel::initialContents()
{
    StartDirectory dir;
    auto form = startWindow();
    QCOMPARE(m_dialogs->takeSeen().size(), 0);

    // Empty value labels until a record is shown.
    for (const char *name : {"Label8", "Label11", "Label12", "Label13", "Label14", "Label15", "Label16"})
        QCOMPARE(labelText(*form, name), QString());
    for (int i = 1; i <= 9; ++i)
        QCOMPARE(editText(*form, QStringLiteral("Edit%1").arg(i)), QString());

    const QString yes = QStringLiteral("YES"), no = QStringLiteral("NO");
    const std::pair<const char *, QStringList> answers[] = {
        {"ComboBox1", {yes, no, QString(), QString()}}, {"ComboBox2", {yes, no, QString()}},
        {"ComboBox3", {yes, no, QString()}}};
    for (const auto &[name, list] : answers) {
        auto *combo = child<QComboBox>(form.get(), name);
        QCOMPARE(items(combo), list);
        QCOMPARE(combo->currentIndex(), -1);
        QCOMPARE(combo->currentText(), QString());
    }
    auto *mode = child<QComboBox>(form.get(), "ComboBox4");
    QCOMPARE(items(mode), QStringList({"Auto", "Manual"}));
    QCOMPARE(mode->currentText(), QStringLiteral("Auto"));
    auto *conclusions = child<QComboBox>(form.get(), "ComboBox5");
    QCOMPARE(items(conclusions), QStringList({"SART PASSED TESTS", "SART FAILED TESTS"}));
    QCOMPARE(conclusions->currentText(), QStringLiteral("SART PASSED TESTS"));

    QCOMPARE(pickerDate(*form, "DateTimePicker1"), QDate(2001, 9, 26));
    QCOMPARE(pickerDate(*form, "DateTimePicker2"), QDate(2004, 8, 20));
    QCOMPARE(pickerDate(*form, "DateTimePicker3"), QDate(2004, 8, 20));

    // The controller's box exists but is never shown.
    QVERIFY(!child<QGroupBox>(form.get(), "GroupBox12")->isVisible());
    QVERIFY(!child<QLineEdit>(form.get(), "Edit2")->isVisible());
    QVERIFY(child<QWidget>(form.get(), "Panel1")->isVisible());
}

void TestRecordPanel::captions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("emphasised");  // bold and underlined

    const std::tuple<const char *, const char *, bool> rows[] = {
        {"GroupBox1", "SART technical characteristics", true},
        {"GroupBox3", "Frequency Range, GHz", false},
        {"Label10", "Frequency high", false},
        {"Label9", "Frequency low", false},
        {"GroupBox4", "Emitted Power, mW", false},
        {"GroupBox5", "Emitted signal duration, mks", false},
        {"GroupBox13", "Number of frequency tunings in signal", false},
        {"GroupBox2", "SART tester setup", true},
        {"GroupBox6", "Frequency repetition, Hz ", false},
        {"GroupBox9", "Testing mode", false},
        {"GroupBox7", "Tester emitted signal duration, mks", false},
        {"Label27", "Battery replacement date", true},
        {"GroupBox14", "SART visual characteristics", true},
        {"Label2", "Stand by", false},
        {"Label3", "Led", false},
        {"Label4", "Sound beeper", false},
        {"Label18", "SART Model", true},
        {"Label28", "Manufacturer \u2116", true},
        {"Label21", "Vessel Name", true},
        {"Label20", "Next testing date", true},
        {"Label17", "Testing date", true},
        {"GroupBox15", "Service center", true},
        {"Label23", "Name", false},
        {"Label24", "Address", false},
        {"Label25", "Tel", false},
        {"Label26", "Fax", false},
        {"Label22", "Conclusions:", true},
        {"Label8", "", false},  // a value, empty before the first record
    };
    for (const auto &[name, caption, emphasised] : rows)
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromUtf8(caption) << emphasised;
}

void TestRecordPanel::captions()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(bool, emphasised);
    StartDirectory dir;
    auto form = startWindow();
    QWidget *w = child<QWidget>(form.get(), name);
    if (auto *box = qobject_cast<QGroupBox *>(w))
        QCOMPARE(box->title(), caption);
    else
        QCOMPARE(qobject_cast<QLabel *>(w)->text(), caption);
    QCOMPARE(w->font().bold(), emphasised);
    QCOMPARE(w->font().underline(), emphasised);
    QVERIFY(w->isVisible());
}

void TestRecordPanel::regionalSettings()
{
    struct Formats
    {
        QString frequency, pickerFormat, pickerText;
    };
    const QString system = QLocale::system().name();
    Formats expected;
    if (system == QLatin1String("C"))
        expected = {"9.41", "d MMM yyyy", "26 Sep 2001"};
    else if (system == QLatin1String("de_DE"))
        expected = {"9,41", "dd.MM.yy", "26.09.01"};
    else
        QFAIL(qPrintable("run under LC_ALL=C or LC_ALL=de_DE.UTF-8, not " + system));

    StartDirectory dir;
    sample::Params params = sample::variant(0);
    params.automatic.highKHz = 9410000;
    params.automatic.durationUnits = 62;
    dir.addFile("a.bin", sample::makeRecord(params));
    auto form = startWindow();

    QCOMPARE(labelText(*form, "Label8"), expected.frequency);
    QCOMPARE(labelText(*form, "Label13"), QStringLiteral("12,4"));  // always a comma
    QCOMPARE(labelText(*form, "Label16"), QStringLiteral("1.1"));   // always a point
    auto *picker = child<QDateEdit>(form.get(), "DateTimePicker1");
    QCOMPARE(picker->displayFormat(), expected.pickerFormat);
    QCOMPARE(picker->text(), expected.pickerText);
    // The testing date is read back from the table whatever the system's format.
    QCOMPARE(pickerDate(*form, "DateTimePicker2"), params.testingDate);
    // The reception stamp is shown as the record holds it whatever the system's formats.
    const FileTable &table = form->navigation().table();
    QCOMPARE(table.cell(1, FileTable::ComputerDate), params.receiveDate.toString("dd.MM.yy"));
    QCOMPARE(table.cell(1, FileTable::ComputerTime), params.receiveTime.toString("HH:mm:ss"));
    QCOMPARE(m_dialogs->takeSeen().size(), 0);
}

void TestRecordPanel::receivedRecordAfterSavedOne()
{
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    dir.addRecord("b.bin", 1);
    auto form = startWindow();
    clickRow(*form, 1);

    const QStringList boxes = {"Edit3", "Edit9", "Edit4", "Edit5", "Edit6", "Edit7", "Edit8"};
    const QStringList saved = {"SART-20", "No 12345", "MV NORTHERN STAR", "Marine Radio", "Port street 1",
                               "+7 812 000", "+7 812 001"};
    setEdit(*form, "Edit1", "IVANOV I.I.");
    for (int i = 0; i < boxes.size(); ++i)
        setEdit(*form, boxes[i], saved[i]);
    child<QDateEdit>(form.get(), "DateTimePicker1")->setDate(QDate(2027, 3, 5));
    child<QDateEdit>(form.get(), "DateTimePicker3")->setDate(QDate(2028, 6, 30));
    child<QComboBox>(form.get(), "ComboBox1")->setCurrentIndex(1);  // NO
    child<QComboBox>(form.get(), "ComboBox2")->setCurrentIndex(2);  // blank
    child<QComboBox>(form.get(), "ComboBox3")->setCurrentIndex(0);  // YES
    clickTool(*form, "ToolButton11");
    QCOMPARE(m_dialogs->takeSeen().size(), 0);

    // Clear the panel, then read the saved record back through the decoder.
    for (const QString &box : boxes)
        setEdit(*form, box, "junk");
    child<QDateEdit>(form.get(), "DateTimePicker1")->setDate(QDate(2030, 1, 1));
    m_dialogs->answer(QMessageBox::Discard);
    clickRow(*form, 1);
    QCOMPARE(m_dialogs->takeSeen().size(), 1);
    // The fields come back as typed, without the fill of the stored fields.
    QCOMPARE(editText(*form, "Edit1"), QStringLiteral("IVANOV I.I."));
    for (int i = 0; i < boxes.size(); ++i)
        QCOMPARE(editText(*form, boxes[i]), saved[i]);
    QCOMPARE(pickerDate(*form, "DateTimePicker1"), QDate(2027, 3, 5));
    QCOMPARE(child<QComboBox>(form.get(), "ComboBox1")->currentText(), QStringLiteral("NO"));

    // The received record keeps the saved one's seven texts and dates and
    // brings its own answers and the tester's engineer name.
    clickRow(*form, 2);
    QCOMPARE(m_dialogs->takeSeen().size(), 0);
    for (int i = 0; i < boxes.size(); ++i)
        QCOMPARE(editText(*form, boxes[i]), saved[i]);
    QCOMPARE(pickerDate(*form, "DateTimePicker1"), QDate(2027, 3, 5));
    QCOMPARE(pickerDate(*form, "DateTimePicker3"), QDate(2028, 6, 30));
    QCOMPARE(pickerDate(*form, "DateTimePicker2"), sample::variant(1).testingDate);
    QCOMPARE(editText(*form, "Edit1"), QStringLiteral("SMIRNOV"));
    for (const char *name : {"ComboBox1", "ComboBox2", "ComboBox3"})
        QCOMPARE(child<QComboBox>(form.get(), name)->currentText(), QStringLiteral("YES"));
    QCOMPARE(shownPower(*form), powerOf(1));
}

QTEST_MAIN(TestRecordPanel)
#include "tst_recordpanel.moc"
