// Where each header value and the verdict came from, without any window: a
// panel is a table of field values, and each row of the table plays what the
// engineer and the program do (records shown with or without a saved header,
// typing, filling in, saving, dropping typed changes, a record file replaced,
// the verdict chosen, the testing date moved) and checks what the model says
// is carried over, typed, offered to Save's question and behind the verdict.
#include "CertificateCheck.h"
#include "DecodedRecord.h"
#include "Provenance.h"

#include <QRegularExpression>
#include <QTest>

using certificate::Provenance;
using C = DecodeTarget;

namespace {

const QHash<QString, C::Field> Names = {
    {"RadioEngineer", C::RadioEngineer}, {"SartModel", C::SartModel},   {"ManufacturerNo", C::ManufacturerNo},
    {"Vessel", C::Vessel},               {"CentreName", C::CentreName}, {"CentreAddress", C::CentreAddress},
    {"CentreTel", C::CentreTel},         {"CentreFax", C::CentreFax},   {"StandBy", C::StandBy},
    {"Led", C::Led},                     {"Beeper", C::Beeper},         {"NextTestDate", C::NextTestDate},
    {"BatteryDate", C::BatteryDate},     {"TestingDate", C::TestingDate},
};

QString nameOf(C::Field f) { return Names.key(f); }

// The panel: what each typed field holds, as the record view panel hands it
// over (a text, a selector's [index, text], a date), and the model beside it.
struct Panel
{
    Provenance::Values now;
    Provenance model;

    Panel()
    {
        // The panel's first values: empty boxes, no answers, its start dates.
        for (C::Field f : Provenance::typedFields())
            now.insert(f, QString());
        for (C::Field f : {C::StandBy, C::Led, C::Beeper})
            now.insert(f, QVariantList{-1, QString()});
        now.insert(C::NextTestDate, QDate(2001, 9, 26));
        now.insert(C::BatteryDate, QDate(2004, 8, 20));
        now.insert(C::TestingDate, QDate(2004, 8, 20));
        model.begin(now);
    }

    // A record as the decoder gives it: the measured values, the engineer,
    // the answers and the testing date always; the rest of the header only
    // when the record holds a saved header.
    void show(const QString &name, bool savedHeader)
    {
        DecodedRecord r;
        const QString tag = name.left(1);
        r.setText(C::FrequencyHigh, QStringLiteral("9,5"));
        r.setText(C::RadioEngineer, "engineer " + tag);
        r.setText(C::Controller, QString());
        if (savedHeader) {
            r.setDate(C::NextTestDate, QDate(2027, 3, 5));
            for (C::Field f : {C::SartModel, C::ManufacturerNo, C::Vessel, C::CentreName, C::CentreAddress,
                               C::CentreTel, C::CentreFax})
                r.setText(f, nameOf(f) + ' ' + tag);
            r.setDate(C::BatteryDate, QDate(2028, 6, 30));
        }
        r.setDate(C::TestingDate, QDate(2026, 11, 30));
        for (C::Field f : {C::StandBy, C::Led, C::Beeper})
            r.setItemIndex(f, 0);
        // Into the panel's fields, as the record view panel shows a record.
        Collect c;
        r.applyTo(c);
        for (C::Field f : Provenance::typedFields())
            if (r.sets(f))
                now[f] = c.values.value(f);
        model.shown(name, r, now);
    }

    // One step of a row's script.
    void play(const QString &step)
    {
        const QStringList w = step.split(' ');
        if (w[0] == "show")
            show(w[1], w.value(2) == "header");
        else if (w[0] == "type") {
            now[Names.value(w[1])] = w.mid(2).join(' ');
            model.typed(Names.value(w[1]));
        } else if (w[0] == "fill") {
            // Filled in with the value the panel holds already: still the record's own now.
            model.filledIn({Names.value(w[1])});
        } else if (w[0] == "save")
            model.saved(now);
        else if (w[0] == "discard") {
            const Provenance::Values back = model.discard();
            for (auto it = back.cbegin(); it != back.cend(); ++it)
                now[it.key()] = it.value();
        } else if (w[0] == "replace")
            model.replaced();
        else if (w[0] == "verdict")
            model.verdictChosen();
        else if (w[0] == "date")
            now[C::TestingDate] = now.value(C::TestingDate).toDate().addDays(w[1].toInt());
        else
            QFAIL(qPrintable("unknown step " + step));
    }

    struct Collect final : DecodeTarget
    {
        void setText(Field f, const QString &text) override { values.insert(f, text); }
        void setItemIndex(Field f, int index) override
        {
            values.insert(f, QVariantList{index, index == 0 ? QStringLiteral("YES") : QString()});
        }
        void setDate(Field f, const QDate &date) override { values.insert(f, date); }
        QHash<Field, QVariant> values;
    };
};

// "Vessel=a.bin", in the order the panel shows the fields.
QStringList described(const QList<Provenance::CarriedValue> &values)
{
    QStringList d;
    for (const Provenance::CarriedValue &v : values)
        d.append(nameOf(v.field) + '=' + v.source);
    return d;
}

QStringList without(const QStringList &l, const QString &name)
{
    return l.filter(QRegularExpression("^(?!" + name + "=)"));
}

QStringList sorted(QStringList l)
{
    l.sort();
    return l;
}

} // namespace

class TestProvenance : public QObject
{
    Q_OBJECT

private slots:
    void origins_data();
    void origins();
    void captionsAreThePanels();
};

void TestProvenance::origins_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("carried");       // carriedOver(): field=record
    QTest::addColumn<QStringList>("intoSave");      // carriedIntoSave()
    QTest::addColumn<QStringList>("typed");         // origins().typed
    QTest::addColumn<QString>("verdictFrom");       // carriedOverVerdict(); "-": none
    QTest::addColumn<bool>("dateEdited");

    const QStringList headerFromA = {"SartModel=a.bin", "ManufacturerNo=a.bin", "Vessel=a.bin",
                                     "NextTestDate=a.bin", "BatteryDate=a.bin", "CentreName=a.bin",
                                     "CentreAddress=a.bin", "CentreTel=a.bin", "CentreFax=a.bin"};
    const QStringList startDates = {"NextTestDate=", "BatteryDate="};

    QTest::newRow("saved header: all its own") << QStringList{"show a.bin header"} << QStringList{}
                                               << QStringList{} << QStringList{} << "" << false;
    QTest::newRow("first record without header: empty boxes are no data, the start dates are")
        << QStringList{"show b.bin"} << startDates << QStringList{} << QStringList{} << "" << false;
    QTest::newRow("record without header after one with: carried from it")
        << QStringList{"show a.bin header", "show b.bin"} << headerFromA << headerFromA << QStringList{} << ""
        << false;
    QTest::newRow("verdict chosen for the earlier record")
        << QStringList{"show a.bin header", "verdict", "show b.bin"} << headerFromA << headerFromA << QStringList{}
        << "a.bin" << false;
    QTest::newRow("verdict chosen for the record shown")
        << QStringList{"show a.bin header", "show b.bin", "verdict"} << headerFromA << headerFromA << QStringList{}
        << "-" << false;
    QTest::newRow("typed: the record's own, not carried")
        << QStringList{"show a.bin header", "show b.bin", "type Vessel MV Other"}
        << without(headerFromA, "Vessel") << without(headerFromA, "Vessel") << QStringList{"Vessel"} << ""
        << false;
    QTest::newRow("filled in unchanged: typed all the same")
        << QStringList{"show a.bin header", "show b.bin", "fill SartModel"}
        << without(headerFromA, "SartModel") << without(headerFromA, "SartModel") << QStringList{"SartModel"} << ""
        << false;
    QTest::newRow("saved: nothing carried or typed")
        << QStringList{"show a.bin header", "show b.bin", "type Vessel MV Other", "save"} << QStringList{}
        << QStringList{} << QStringList{} << "" << false;
    QTest::newRow("typed and dropped: carried again")
        << QStringList{"show a.bin header", "show b.bin", "type Vessel MV Other", "fill SartModel", "discard"}
        << headerFromA << headerFromA << QStringList{} << "" << false;
    QTest::newRow("same record shown again: its own values stay its own")
        << QStringList{"show a.bin header", "show a.bin"} << QStringList{} << QStringList{} << QStringList{} << ""
        << false;
    QTest::newRow("record file replaced: its values came from the one before")
        << QStringList{"show a.bin header", "verdict", "replace", "show a.bin"}
        << QStringList(headerFromA).replaceInStrings("=a.bin", "=a.bin as it was before it was replaced")
        << QStringList(headerFromA).replaceInStrings("=a.bin", "=a.bin as it was before it was replaced")
        << QStringList{} << "a.bin as it was before it was replaced" << false;
    QTest::newRow("testing date moved: typed, not carried")
        << QStringList{"show a.bin header", "date 1"} << QStringList{} << QStringList{} << QStringList{"TestingDate"}
        << "" << true;
    QTest::newRow("testing date moved back: as the record's")
        << QStringList{"show a.bin header", "date 1", "date -1"} << QStringList{} << QStringList{} << QStringList{}
        << "" << false;
}

void TestProvenance::origins()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, carried);
    QFETCH(QStringList, intoSave);
    QFETCH(QStringList, typed);
    QFETCH(QString, verdictFrom);
    QFETCH(bool, dateEdited);

    Panel panel;
    for (const QString &step : steps)
        panel.play(step);
    const Provenance &p = panel.model;

    QCOMPARE(described(p.carriedOver()), carried);
    QCOMPARE(described(p.carriedIntoSave()), intoSave);

    const Provenance::Origins o = p.origins(panel.now);
    QStringList originsCarried, originsTyped;
    for (auto it = o.carried.cbegin(); it != o.carried.cend(); ++it)
        originsCarried.append(nameOf(it.key()) + '=' + it.value());
    for (C::Field f : o.typed)
        originsTyped.append(nameOf(f));
    QCOMPARE(sorted(originsCarried), sorted(carried));
    QCOMPARE(sorted(originsTyped), sorted(typed));
    QCOMPARE(p.hasTypedEdits(panel.now), !typed.isEmpty());
    for (C::Field f : Provenance::headerFields())
        QCOMPARE(p.isCarried(f), carried.contains(nameOf(f) + '=' + p.sourceOf(f)));

    const std::optional<QString> verdict = p.carriedOverVerdict();
    QCOMPARE(verdict.value_or(QStringLiteral("-")), verdictFrom);
    QCOMPARE(p.testingDateEdited(panel.now.value(C::TestingDate).toDate()), dateEdited);

    // Filling in what the panel holds changes nothing only where it is not carried.
    for (C::Field f : Provenance::headerFields())
        QCOMPARE(p.wouldChange({{f, panel.now.value(f)}}, panel.now), p.isCarried(f));
}

void TestProvenance::captionsAreThePanels()
{
    Panel panel;
    panel.play("show a.bin header");
    panel.play("show b.bin");
    QStringList captions;
    for (const Provenance::CarriedValue &v : panel.model.carriedOver())
        captions.append(v.caption);
    QCOMPARE(captions, (QStringList{"SART Model", "Manufacturer №", "Vessel Name", "Next testing date",
                                    "Battery replacement date", "Service center Name", "Service center Address",
                                    "Service center Tel", "Service center Fax"}));
}

QTEST_GUILESS_MAIN(TestProvenance)
#include "tst_provenance.moc"
