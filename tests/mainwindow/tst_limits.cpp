// The limits of the SART standard through the real main window: each value
// exactly at its limit and one unit beyond, in both testing modes, marked or
// not with its tooltip; the answers and dates judged as the user changes
// them; a limit changed in the limits dialog, kept, and restored; the
// dialog keeping every limit exactly as stored or typed.
#include "HeaderWriteBack.h"
#include "LimitsDialog.h"
#include "Marks.h"
#include "ProgramSettings.h"
#include "RecordPanel.h"
#include "SampleRecord.h"
#include "SartLimits.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScopeGuard>
#include <QSpinBox>
#include <QTest>

#include <functional>

using namespace windowtest;

namespace limits {
// For QCOMPARE's message.
char *toString(const Limits &l)
{
    return qstrdup(qPrintable(QStringLiteral("{%1 kHz, %2 kHz, %3 mW, %4 tunings, %5..%6 units, %7, %8}")
                                  .arg(l.lowMaxKHz).arg(l.highMinKHz).arg(l.powerMinMw).arg(l.tunings)
                                  .arg(l.durationMinUnits).arg(l.durationMaxUnits)
                                  .arg(l.batteryInDate).arg(l.answeredYes)));
}
} // namespace limits

namespace {

// The controls that show the judged values.
const QStringList JudgedControls = {"Label8",          "Label11",   "Label12",   "Label13",  "Label14",
                                    "DateTimePicker3", "ComboBox1", "ComboBox2", "ComboBox3"};

// Values with room to every limit, in both testing modes.
sample::Measurement sound()
{
    sample::Measurement m;
    m.highKHz = 9520000;
    m.lowKHz = 9180000;
    m.powerMw = 650;
    m.durationUnits = 500;
    m.tunings = 12;
    return m;
}

const QDate TestingDate(2026, 1, 5);

// A record saved with every answer "YES" and the battery good for years.
RecordHeader soundHeader()
{
    RecordHeader h;
    h.radioEngineer = QStringLiteral("A. Sidorov");
    h.sartModel = QStringLiteral("SART-20");
    h.manufacturerNo = QStringLiteral("12345");
    h.vessel = QStringLiteral("MV Baltic Dawn");
    h.standByIndex = h.ledIndex = h.beeperIndex = 0;
    h.nextTestDate = TestingDate.addYears(1);
    h.batteryDate = TestingDate.addYears(3);
    return h;
}

QByteArray record(const std::function<void(sample::Params &, RecordHeader &)> &change)
{
    sample::Params params = sample::variant(0);
    params.automatic = params.manual = sound();
    params.testingDate = TestingDate;
    RecordHeader header = soundHeader();
    change(params, header);
    return writeback::rewrite(sample::makeRecord(params), header);
}

bool outsideLimit(TForm1 &form, const QString &name)
{
    const QVariant p = child<QWidget>(&form, name)->property("outsideLimit");
    if (!p.isValid())
        qFatal("%s has no outsideLimit property", qPrintable(name));
    return p.toBool();
}

QStringList markedControls(TForm1 &form)
{
    QStringList names;
    for (const QString &name : JudgedControls)
        if (outsideLimit(form, name))
            names.append(name);
    return names;
}

// The colour behind a value: a label's own background, a box's field.
QColor background(TForm1 &form, const QString &name)
{
    auto *w = child<QWidget>(&form, name);
    return w->palette().color(qobject_cast<QLabel *>(w) ? QPalette::Window : QPalette::Base);
}

QString limitsLine(TForm1 &form) { return child<QLabel>(&form, "LimitsLine")->text(); }

// Runs `edit` on the limits dialog once it is up, then closes it with the
// button named (OK or Cancel).
void inLimitsDialog(const std::function<void(LimitsDialog &)> &edit, QDialogButtonBox::StandardButton close)
{
    QTimer::singleShot(0, [=] {
        QTRY_VERIFY(qobject_cast<LimitsDialog *>(QApplication::activeModalWidget()));
        auto *dialog = qobject_cast<LimitsDialog *>(QApplication::activeModalWidget());
        // Closed also when a check fails, so that the test goes on.
        const auto closeIt = qScopeGuard([&] { dialog->findChild<QDialogButtonBox *>()->button(close)->click(); });
        edit(*dialog);
    });
}

} // namespace

class TestLimits : public WindowTestCase
{
    Q_OBJECT

private slots:
    void initTestCase();
    void valuesAtAndBeyondTheirLimits_data();
    void valuesAtAndBeyondTheirLimits();
    void answersAndDatesAreJudgedAsTheyChange();
    void changedAndRestoredLimit();
    void okKeepsTheStoredLimits_data();
    void okKeepsTheStoredLimits();
    void typedLimitIsKeptExactly_data();
    void typedLimitIsKeptExactly();
    void everyStoredValueRoundTrips();
};

void TestLimits::initTestCase()
{
    ProgramSettings().clear();
    QCOMPARE(limits::inForce(), limits::Limits());
}

void TestLimits::valuesAtAndBeyondTheirLimits_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::addColumn<std::function<void(sample::Measurement &)>>("atLimit");
    QTest::addColumn<std::function<void(sample::Measurement &)>>("beyond");
    QTest::addColumn<QString>("atText");
    QTest::addColumn<QString>("beyondText");

    using M = sample::Measurement;
    struct Case
    {
        const char *row, *control, *name;
        std::function<void(M &)> at, beyond;
        const char *atText, *beyondText;
    };
    const Case cases[] = {
        {"upper frequency", "Label8", "Frequency high", [](M &m) { m.highKHz = 9500000; },
         [](M &m) { m.highKHz = 9499999; }, "Frequency high: 9.500 GHz; limit: at least 9.500 GHz.",
         "Frequency high: 9.499999 GHz; limit: at least 9.500 GHz."},
        {"lower frequency", "Label11", "Frequency low", [](M &m) { m.lowKHz = 9200000; },
         [](M &m) { m.lowKHz = 9200001; }, "Frequency low: 9.200 GHz; limit: at most 9.200 GHz.",
         "Frequency low: 9.200001 GHz; limit: at most 9.200 GHz."},
        {"power", "Label12", "Emitted power", [](M &m) { m.powerMw = 400; }, [](M &m) { m.powerMw = 399; },
         "Emitted power: 400 mW; limit: at least 400 mW.", "Emitted power: 399 mW; limit: at least 400 mW."},
        {"shortest signal", "Label13", "Emitted signal duration", [](M &m) { m.durationUnits = 408; },
         [](M &m) { m.durationUnits = 407; }, "Emitted signal duration: 81.6 µs; limit: 81.6 µs to 108.0 µs.",
         "Emitted signal duration: 81.4 µs; limit: 81.6 µs to 108.0 µs."},
        {"longest signal", "Label13", "Emitted signal duration", [](M &m) { m.durationUnits = 540; },
         [](M &m) { m.durationUnits = 541; }, "Emitted signal duration: 108.0 µs; limit: 81.6 µs to 108.0 µs.",
         "Emitted signal duration: 108.2 µs; limit: 81.6 µs to 108.0 µs."},
        {"fewer tunings", "Label14", "Number of frequency tunings", [](M &m) { m.tunings = 12; },
         [](M &m) { m.tunings = 11; }, "Number of frequency tunings: 12; limit: exactly 12.",
         "Number of frequency tunings: 11; limit: exactly 12."},
        {"more tunings", "Label14", "Number of frequency tunings", [](M &m) { m.tunings = 12; },
         [](M &m) { m.tunings = 13; }, "Number of frequency tunings: 12; limit: exactly 12.",
         "Number of frequency tunings: 13; limit: exactly 12."},
    };
    for (int mode : {0, 1})
        for (const Case &c : cases)
            QTest::addRow("%s, %s", mode == 0 ? "Auto" : "Manual", c.row)
                << mode << QString::fromLatin1(c.control) << QString::fromLatin1(c.name) << c.at << c.beyond
                << QString::fromUtf8(c.atText) << QString::fromUtf8(c.beyondText);
}

// Each value is judged as the record holds it, in the testing mode shown:
// the other mode holds the opposite case, so that a mix-up shows.
void TestLimits::valuesAtAndBeyondTheirLimits()
{
    QFETCH(int, mode);
    QFETCH(QString, control);
    QFETCH(QString, name);
    QFETCH(std::function<void(sample::Measurement &)>, atLimit);
    QFETCH(std::function<void(sample::Measurement &)>, beyond);
    QFETCH(QString, atText);
    QFETCH(QString, beyondText);

    for (bool outside : {false, true}) {
        StartDirectory dir;
        dir.addFile("a.bin", record([&](sample::Params &p, RecordHeader &) {
            sample::Measurement &shown = mode == 0 ? p.automatic : p.manual;
            sample::Measurement &other = mode == 0 ? p.manual : p.automatic;
            (outside ? beyond : atLimit)(shown);
            (outside ? atLimit : beyond)(other);
        }));
        auto form = startWindow();
        if (mode == 1)
            QTest::keyClick(child<QComboBox>(form.get(), "ComboBox4"), Qt::Key_Down);
        QCOMPARE(form->recordPanel()->testingModeIndex(), mode);

        QCOMPARE(markedControls(*form), outside ? QStringList{control} : QStringList());
        QCOMPARE(background(*form, control) == OutsideLimitBackground, outside);
        const QString tip = child<QWidget>(form.get(), control)->toolTip();
        QVERIFY2(tip.startsWith(outside ? "Outside the limit of the SART standard (advisory).\n"
                                        : "Within the limit of the SART standard.\n"),
                 qPrintable(tip));
        QVERIFY2(tip.contains(outside ? beyondText : atText), qPrintable(tip));
        QVERIFY2(tip.contains("Source: "), qPrintable(tip));
        if (control == QLatin1String("Label13"))
            QVERIFY2(tip.contains("derived"), qPrintable(tip));
        QCOMPARE(limitsLine(*form), outside ? "1 value outside the limits of the SART standard: " + name
                                            : QStringLiteral("All values within the limits of the SART standard"));
        // What a certificate issued for the record shown would keep.
        const QList<limits::Judgement> kept = form->recordPanel()->outsideLimits();
        QCOMPARE(kept.size(), int(outside));
        if (outside)
            QCOMPARE(kept[0].text(), beyondText.chopped(1).replace(": ", " ").replace("; limit ", " (limit: ") + ')');
    }
}

// The answers and the battery date are the user's: each change is judged at
// once, and so is the testing date the battery date is held against.
void TestLimits::answersAndDatesAreJudgedAsTheyChange()
{
    StartDirectory dir;
    dir.addFile("a.bin", record([](sample::Params &, RecordHeader &) {}));
    auto form = startWindow();
    QCOMPARE(markedControls(*form), QStringList());

    auto *led = child<QComboBox>(form.get(), "ComboBox2");
    led->setCurrentIndex(1);
    QCOMPARE(markedControls(*form), QStringList{"ComboBox2"});
    QVERIFY2(led->toolTip().contains("Led: NO; limit: \"YES\"."), qPrintable(led->toolTip()));
    led->setCurrentIndex(2);  // no answer is not "YES" either
    QVERIFY2(led->toolTip().contains("Led: no answer;"), qPrintable(led->toolTip()));
    led->setEditText("YES");  // typed: the item's own text
    QCOMPARE(markedControls(*form), QStringList());

    auto *battery = child<QDateEdit>(form.get(), "DateTimePicker3");
    battery->setDate(TestingDate);
    QCOMPARE(markedControls(*form), QStringList());
    QVERIFY2(battery->toolTip().contains("Battery replacement date: 5 Jan 2026; limit: not before the testing date, "
                                         "5 Jan 2026."),
             qPrintable(battery->toolTip()));
    battery->setDate(TestingDate.addDays(-1));
    QCOMPARE(markedControls(*form), QStringList{"DateTimePicker3"});
    child<QDateEdit>(form.get(), "DateTimePicker2")->setDate(TestingDate.addDays(-1));
    QCOMPARE(markedControls(*form), QStringList());
    QCOMPARE(limitsLine(*form), QStringLiteral("All values within the limits of the SART standard"));

    // Discarding the typing judges the record as it was shown.
    child<QComboBox>(form.get(), "ComboBox1")->setCurrentIndex(1);
    QCOMPARE(markedControls(*form), QStringList{"ComboBox1"});
    form->recordPanel()->discardTypedEdits();
    QCOMPARE(markedControls(*form), QStringList());
}

// A limit changed in the dialog (Settings > SART limits..., from the
// keyboard) marks at once, says it was changed and is kept in the settings;
// Cancel changes nothing; the standard's values come back with one button.
void TestLimits::changedAndRestoredLimit()
{
    StartDirectory dir;
    dir.addFile("a.bin", record([](sample::Params &p, RecordHeader &) { p.automatic.powerMw = 450; }));
    auto form = startWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    QCOMPARE(markedControls(*form), QStringList());
    m_dialogs->setPaused(true);

    inLimitsDialog([](LimitsDialog &d) {
        QCOMPARE(d.limits(), limits::Limits());
        QCOMPARE(d.focusWidget(), d.findChild<QWidget *>("LowerFrequencyMax"));
        d.findChild<QSpinBox *>("PowerMin")->setValue(500);
    }, QDialogButtonBox::Ok);
    QTest::keyClick(form.get(), Qt::Key_S, Qt::AltModifier);
    auto *menu = child<QMenu>(form.get(), "Settings1");
    QTRY_VERIFY(menu->isVisible());
    QTest::keyClick(menu, Qt::Key_L);
    QTRY_COMPARE(limits::inForce().powerMinMw, 500);

    QCOMPARE(markedControls(*form), QStringList{"Label12"});
    const QString tip = child<QWidget>(form.get(), "Label12")->toolTip();
    QVERIFY2(tip.contains("Emitted power: 450 mW; limit: at least 500 mW.\n"), qPrintable(tip));
    QVERIFY2(tip.contains("changed in the limits dialog, the standard's limit is at least 400 mW"), qPrintable(tip));
    QCOMPARE(limits::load(ProgramSettings()).powerMinMw, 500);

    // Kept for the next start; Cancel leaves the limits as they are.
    form.reset();
    form = startWindow();
    QCOMPARE(markedControls(*form), QStringList{"Label12"});
    inLimitsDialog([](LimitsDialog &d) {
        QCOMPARE(d.findChild<QSpinBox *>("PowerMin")->value(), 500);
        d.findChild<QPushButton *>("RestoreStandard")->click();
        QCOMPARE(d.limits(), limits::Limits());
    }, QDialogButtonBox::Cancel);
    action(*form, "Limits1")->trigger();
    QCOMPARE(limits::inForce().powerMinMw, 500);
    QCOMPARE(markedControls(*form), QStringList{"Label12"});

    inLimitsDialog([](LimitsDialog &d) { d.findChild<QPushButton *>("RestoreStandard")->click(); },
                   QDialogButtonBox::Ok);
    action(*form, "Limits1")->trigger();
    QCOMPARE(limits::inForce(), limits::Limits());
    QCOMPARE(limits::load(ProgramSettings()), limits::Limits());
    QCOMPARE(markedControls(*form), QStringList());
    QVERIFY(!child<QWidget>(form.get(), "Label12")->toolTip().contains("changed"));
    m_dialogs->setPaused(false);
}

namespace {

limits::Limits limitsWith(const std::function<void(limits::Limits &)> &change)
{
    limits::Limits l;
    change(l);
    return l;
}

// The program's default locale for as long as the object lives.
class DefaultLocale
{
public:
    explicit DefaultLocale(const QString &name) { QLocale::setDefault(QLocale(name)); }
    ~DefaultLocale() { QLocale::setDefault(m_previous); }

private:
    QLocale m_previous;
};

QString fieldText(LimitsDialog &d, const char *name) { return d.findChild<QAbstractSpinBox *>(name)->text(); }

} // namespace

void TestLimits::okKeepsTheStoredLimits_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<limits::Limits>("stored");
    QTest::addColumn<QStringList>("shown");  // the frequencies and durations as the dialog shows them

    using L = limits::Limits;
    QTest::newRow("standard") << "C" << L() << QStringList{"9.200 GHz", "9.500 GHz", "81.6 µs", "108.0 µs"};
    QTest::newRow("9200400 kHz") << "C" << limitsWith([](L &l) { l.lowMaxKHz = 9200400; })
                                 << QStringList{"9.2004 GHz", "9.500 GHz", "81.6 µs", "108.0 µs"};
    QTest::newRow("single kHz and odd duration units")
        << "C" << limitsWith([](L &l) {
               l.lowMaxKHz = 9199999;
               l.highMinKHz = 9500001;
               l.durationMinUnits = 407;
               l.durationMaxUnits = 541;
               l.powerMinMw = 399;
               l.tunings = 11;
           })
        << QStringList{"9.199999 GHz", "9.500001 GHz", "81.4 µs", "108.2 µs"};
    QTest::newRow("smallest values, rules off")
        << "C" << limitsWith([](L &l) {
               l.lowMaxKHz = 0;
               l.highMinKHz = 1;
               l.powerMinMw = 0;
               l.tunings = 0;
               l.durationMinUnits = 0;
               l.durationMaxUnits = 1;
               l.batteryInDate = false;
               l.answeredYes = false;
           })
        << QStringList{"0.000 GHz", "0.000001 GHz", "0.0 µs", "0.2 µs"};
    QTest::newRow("largest values the record holds")
        << "C" << limitsWith([](L &l) {
               l.lowMaxKHz = 0xFFFFFF;
               l.highMinKHz = 0xFFFFFE;
               l.powerMinMw = 0xFFFF;
               l.tunings = 0xFF;
               l.durationMinUnits = 0xFFFF;
               l.durationMaxUnits = 0xFFFF;
               l.answeredYes = false;
           })
        << QStringList{"16.777215 GHz", "16.777214 GHz", "13107.0 µs", "13107.0 µs"};
    QTest::newRow("decimal comma") << "de_DE" << limitsWith([](L &l) {
        l.lowMaxKHz = 9200400;
        l.highMinKHz = 9490010;
        l.durationMinUnits = 409;
        l.durationMaxUnits = 3333;
        l.batteryInDate = false;
    }) << QStringList{"9,2004 GHz", "9,49001 GHz", "81,8 µs", "666,6 µs"};
}

// OK without a change keeps every limit as it was stored, to the unit the
// record holds it in (kHz, mW, 0.2 µs), and the dialog shows every digit.
void TestLimits::okKeepsTheStoredLimits()
{
    QFETCH(QString, locale);
    QFETCH(limits::Limits, stored);
    QFETCH(QStringList, shown);

    const DefaultLocale inLocale(locale);
    limits::InForce::instance().set(stored);
    QCOMPARE(limits::inForce(), stored);
    // What OK keeps is what the dialog gives, not what was there before.
    ProgramSettings().clear();
    StartDirectory dir;
    auto form = startWindow();
    m_dialogs->setPaused(true);
    const auto resume = qScopeGuard([&] { m_dialogs->setPaused(false); });

    QStringList seen;
    inLimitsDialog([&](LimitsDialog &d) {
        for (const char *name : {"LowerFrequencyMax", "UpperFrequencyMin", "DurationMin", "DurationMax"})
            seen.append(fieldText(d, name));
    }, QDialogButtonBox::Ok);
    action(*form, "Limits1")->trigger();
    QCOMPARE(limits::inForce(), stored);
    QCOMPARE(limits::load(ProgramSettings()), stored);
    QCOMPARE(seen, shown);
    limits::InForce::instance().set(limits::Limits());
}

void TestLimits::typedLimitIsKeptExactly_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<limits::Limits>("kept");

    using L = limits::Limits;
    QTest::newRow("lower frequency to the kHz") << "C" << "LowerFrequencyMax" << "9.2004" << "9.2004 GHz"
                                                << limitsWith([](L &l) { l.lowMaxKHz = 9200400; });
    QTest::newRow("upper frequency, one kHz above") << "C" << "UpperFrequencyMin" << "9.500001" << "9.500001 GHz"
                                                    << limitsWith([](L &l) { l.highMinKHz = 9500001; });
    QTest::newRow("upper frequency, whole GHz") << "C" << "UpperFrequencyMin" << "10.0" << "10.0 GHz"
                                                << limitsWith([](L &l) { l.highMinKHz = 10000000; });
    QTest::newRow("largest frequency") << "C" << "LowerFrequencyMax" << "16.777215" << "16.777215 GHz"
                                       << limitsWith([](L &l) { l.lowMaxKHz = 0xFFFFFF; });
    QTest::newRow("shortest signal") << "C" << "DurationMin" << "81.8" << "81.8 µs"
                                     << limitsWith([](L &l) { l.durationMinUnits = 409; });
    QTest::newRow("longest signal") << "C" << "DurationMax" << "108.2" << "108.2 µs"
                                    << limitsWith([](L &l) { l.durationMaxUnits = 541; });
    QTest::newRow("power") << "C" << "PowerMin" << "399" << "399 mW" << limitsWith([](L &l) { l.powerMinMw = 399; });
    QTest::newRow("decimal comma") << "de_DE" << "LowerFrequencyMax" << "9,2004" << "9,2004 GHz"
                                   << limitsWith([](L &l) { l.lowMaxKHz = 9200400; });
}

// A limit typed in, the rest left as they are: OK keeps exactly what was typed.
void TestLimits::typedLimitIsKeptExactly()
{
    QFETCH(QString, locale);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(limits::Limits, kept);

    const DefaultLocale inLocale(locale);
    limits::InForce::instance().set(limits::Limits());
    StartDirectory dir;
    auto form = startWindow();
    m_dialogs->setPaused(true);
    const auto resume = qScopeGuard([&] { m_dialogs->setPaused(false); });

    QString after;
    inLimitsDialog([&](LimitsDialog &d) {
        auto *box = d.findChild<QAbstractSpinBox *>(field);
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, typed);
        QTest::keyClick(box, Qt::Key_Tab);  // on to the next field: the value as the dialog shows it
        QVERIFY(!box->hasFocus());
        after = box->text();
    }, QDialogButtonBox::Ok);
    action(*form, "Limits1")->trigger();
    QCOMPARE(after, shown);
    QCOMPARE(limits::inForce(), kept);
    QCOMPARE(limits::load(ProgramSettings()), kept);
    limits::InForce::instance().set(limits::Limits());
}

// Any value the settings may hold comes back from the dialog unchanged: every
// duration, and frequencies across the whole range, every kHz near the
// standard's limits.
void TestLimits::everyStoredValueRoundTrips()
{
    LimitsDialog d;
    QList<int> frequencies;
    for (int kHz = 0; kHz <= 0xFFFFFF; kHz += 7919)
        frequencies.append(kHz);
    for (int kHz : {9200000, 9500000})
        for (int near = kHz - 2000; near <= kHz + 2000; ++near)
            frequencies.append(near);
    frequencies.append(0xFFFFFF);
    for (int kHz : std::as_const(frequencies)) {
        limits::Limits l;
        l.lowMaxKHz = kHz;
        l.highMinKHz = 0xFFFFFF - kHz;
        d.setLimits(l);
        QCOMPARE(d.limits(), l);
    }
    for (int units = 0; units <= 0xFFFF; ++units) {
        limits::Limits l;
        l.durationMinUnits = units;
        l.durationMaxUnits = units;
        d.setLimits(l);
        QCOMPARE(d.limits(), l);
    }
}

QTEST_MAIN(TestLimits)
#include "tst_limits.moc"
