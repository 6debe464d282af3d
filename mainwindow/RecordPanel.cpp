#include "RecordPanel.h"

#include "AppError.h"
#include "DecodedRecord.h"
#include "FileNames.h"
#include "PanelControls.h"
#include "PanelFields.h"
#include "PanelMarks.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

using C = DecodeTarget;

// The dynamic property of a value label that holds the text the record gave.
constexpr char RecordText[] = "recordText";
// What the decoder writes for a code the tester sent that is not valid.
const QString BadCode = QStringLiteral("BAD");

// The values the limits judge, and the field that shows each.
constexpr std::pair<limits::Value, C::Field> JudgedFields[] = {
    {limits::Value::FrequencyHigh, C::FrequencyHigh}, {limits::Value::FrequencyLow, C::FrequencyLow},
    {limits::Value::Power, C::Power},                 {limits::Value::Duration, C::SignalDuration},
    {limits::Value::Tunings, C::Tunings},             {limits::Value::BatteryDate, C::BatteryDate},
    {limits::Value::StandBy, C::StandBy},             {limits::Value::Led, C::Led},
    {limits::Value::Beeper, C::Beeper},
};

} // namespace

RecordPanel::RecordPanel(QWidget *parent)
    : QFrame(parent)
{
    using namespace panelcontrols;
    setObjectName(QStringLiteral("Panel1"));
    setFrameShape(QFrame::StyledPanel);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);
    outer->setSpacing(4);
    auto *columns = new QHBoxLayout;
    columns->setSpacing(8);
    outer->addLayout(columns, 1);

    // Column 1: SART technical characteristics.
    auto *technical = section(QStringLiteral("GroupBox1"), tr("SART technical characteristics"), this, true);
    {
        auto *layout = new QVBoxLayout(technical);
        auto *range = section(QStringLiteral("GroupBox3"), tr("Frequency Range, GHz"), technical, false);
        regularFont(range);
        auto *grid = new QGridLayout(range);
        grid->setContentsMargins(6, 2, 6, 4);
        grid->addWidget(caption(this, QStringLiteral("Label10"), tr("Frequency high")), 0, 0);
        grid->addWidget(valueLabel(this, QStringLiteral("Label8")), 0, 1);
        grid->addWidget(caption(this, QStringLiteral("Label9"), tr("Frequency low")), 1, 0);
        grid->addWidget(valueLabel(this, QStringLiteral("Label11")), 1, 1);
        layout->addWidget(range);
        const std::tuple<const char *, const char *, const char *> singles[] = {
            {"GroupBox4", QT_TR_NOOP("Emitted Power, mW"), "Label12"},
            {"GroupBox5", QT_TR_NOOP("Emitted signal duration, mks"), "Label13"},
            {"GroupBox13", QT_TR_NOOP("Number of frequency tunings in signal"), "Label14"},
        };
        for (const auto &[boxName, title, label] : singles) {
            auto *box = section(QString::fromLatin1(boxName), tr(title), technical, false);
            regularFont(box);
            layout->addWidget(framed(box, valueLabel(this, QString::fromLatin1(label))));
        }
        layout->addStretch();
    }
    columns->addWidget(technical, 1);

    // Column 2: SART tester setup, battery replacement date below.
    auto *column2 = new QVBoxLayout;
    auto *setup = section(QStringLiteral("GroupBox2"), tr("SART tester setup"), this, true);
    {
        auto *layout = new QVBoxLayout(setup);
        auto *repetition = section(QStringLiteral("GroupBox6"), tr("Frequency repetition, Hz "), setup, false);
        regularFont(repetition);
        layout->addWidget(framed(repetition, valueLabel(this, QStringLiteral("Label15"))));
        auto *modeBox = section(QStringLiteral("GroupBox9"), tr("Testing mode"), setup, false);
        regularFont(modeBox);
        m_mode = selector(this, QStringLiteral("ComboBox4"), {QT_TR_NOOP("Auto"), QT_TR_NOOP("Manual")}, "RecordPanel");
        m_mode->setEditable(false);  // "Auto" or "Manual", nothing typed
        m_mode->setCurrentIndex(-1);
        layout->addWidget(framed(modeBox, m_mode));
        auto *duration = section(QStringLiteral("GroupBox7"), tr("Tester emitted signal duration, mks"), setup, false);
        regularFont(duration);
        layout->addWidget(framed(duration, valueLabel(this, QStringLiteral("Label16"))));
        layout->addStretch();
    }
    column2->addWidget(setup, 1);
    column2->addWidget(caption(this, QStringLiteral("Label27"), tr("Battery replacement date"), true));
    column2->addWidget(picker(this, QStringLiteral("DateTimePicker3"), QDate(2004, 8, 20)));
    columns->addLayout(column2, 1);

    // Column 3: visual characteristics, SART and vessel data, two dates.
    auto *column3 = new QVBoxLayout;
    auto *visual = section(QStringLiteral("GroupBox14"), tr("SART visual characteristics"), this, true);
    {
        auto *grid = new QGridLayout(visual);
        const char *yes = QT_TR_NOOP("YES"), *no = QT_TR_NOOP("NO");
        grid->addWidget(caption(this, QStringLiteral("Label2"), tr("Stand by")), 0, 0);
        grid->addWidget(selector(this, QStringLiteral("ComboBox1"), {yes, no, "", ""}, "RecordPanel"), 0, 1);
        grid->addWidget(caption(this, QStringLiteral("Label3"), tr("Led")), 1, 0);
        grid->addWidget(selector(this, QStringLiteral("ComboBox2"), {yes, no, ""}, "RecordPanel"), 1, 1);
        grid->addWidget(caption(this, QStringLiteral("Label4"), tr("Sound beeper")), 2, 0);
        grid->addWidget(selector(this, QStringLiteral("ComboBox3"), {yes, no, ""}, "RecordPanel"), 2, 1);
        for (auto *w : visual->findChildren<QWidget *>())
            regularFont(w);
    }
    column3->addWidget(visual);
    auto *sart = new QGridLayout;
    sart->addWidget(caption(this, QStringLiteral("Label18"), tr("SART Model"), true), 0, 0);
    sart->addWidget(caption(this, QStringLiteral("Label28"), tr("Manufacturer №"), true), 0, 1);
    sart->addWidget(edit(this, QStringLiteral("Edit3")), 1, 0);
    sart->addWidget(edit(this, QStringLiteral("Edit9")), 1, 1);
    column3->addLayout(sart);
    column3->addWidget(caption(this, QStringLiteral("Label21"), tr("Vessel Name"), true));
    column3->addWidget(edit(this, QStringLiteral("Edit4")));
    auto *dates = new QGridLayout;
    dates->addWidget(caption(this, QStringLiteral("Label20"), tr("Next testing date"), true), 0, 0);
    dates->addWidget(picker(this, QStringLiteral("DateTimePicker1"), QDate(2001, 9, 26)), 1, 0);
    dates->addWidget(caption(this, QStringLiteral("Label17"), tr("Testing date"), true), 0, 1);
    dates->addWidget(picker(this, QStringLiteral("DateTimePicker2"), QDate(2004, 8, 20)), 1, 1);
    column3->addStretch();
    column3->addLayout(dates);
    columns->addLayout(column3, 1);

    // Column 4: service centre, radio engineer, conclusions.
    auto *column4 = new QVBoxLayout;
    auto *centre = section(QStringLiteral("GroupBox15"), tr("Service center"), this, true);
    {
        auto *grid = new QGridLayout(centre);
        const std::pair<const char *, const char *> rows[] = {
            {"Label23", QT_TR_NOOP("Name")},
            {"Label24", QT_TR_NOOP("Address")},
            {"Label25", QT_TR_NOOP("Tel")},
            {"Label26", QT_TR_NOOP("Fax")}};
        const char *edits[] = {"Edit5", "Edit6", "Edit7", "Edit8"};
        for (int i = 0; i < 4; ++i) {
            grid->addWidget(caption(this, QString::fromLatin1(rows[i].first), tr(rows[i].second)), i, 0);
            grid->addWidget(edit(this, QString::fromLatin1(edits[i])), i, 1);
        }
        for (auto *w : centre->findChildren<QWidget *>())
            regularFont(w);
    }
    column4->addWidget(centre);
    auto *engineer = section(QStringLiteral("GroupBox8"), tr("Radioengineer"), this, false);
    column4->addWidget(framed(engineer, edit(this, QStringLiteral("Edit1"))));
    column4->addStretch();
    column4->addWidget(caption(this, QStringLiteral("Label22"), tr("Conclusions:"), true));
    m_conclusions = selector(this, QStringLiteral("ComboBox5"),
                             {QT_TR_NOOP("SART PASSED TESTS"), QT_TR_NOOP("SART FAILED TESTS")}, "RecordPanel");
    m_conclusions->setEditable(false);  // one of the two verdicts, nothing typed
    m_conclusions->setCurrentIndex(0);
    column4->addWidget(m_conclusions);
    columns->addLayout(column4, 1);

    // Below the columns: how the record shown keeps the limits, the
    // certificate last issued for it and whether its file is still there.
    m_marks = std::make_unique<PanelMarks>(this, outer);

    // The controller's name: carried from the record to Save changes, never shown.
    auto *controller = section(QStringLiteral("GroupBox12"), QStringLiteral("CONTROLLER"), this, false);
    framed(controller, edit(this, QStringLiteral("Edit2")));
    controller->hide();

    // The controls that show the record's fields, by the one table that names them.
    for (const panelfields::Entry &e : panelfields::table())
        m_controls.insert(e.field, findChild<QWidget *>(QString::fromLatin1(e.control)));

    connect(m_mode, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index != m_shownMode)
            emit testingModeChanged();
    });

    // The conclusion is the user's choice for the record shown, also when
    // the item chosen is the one already there.
    m_conclusions->setProperty("carriedOver", false);
    connect(m_conclusions, &QComboBox::activated, this, &RecordPanel::conclusionChosen);

    // The answers and dates the user sets are judged as they change, as
    // are all values when the limits change.
    for (const auto &[value, c] : JudgedFields)
        control(c)->setProperty("outsideLimit", false);
    auto judgeAgain = [this] {
        if (!m_applying)
            updateLimits();
    };
    for (Field c : {StandBy, Led, Beeper}) {
        auto *combo = static_cast<QComboBox *>(control(c));
        connect(combo, &QComboBox::currentIndexChanged, this, judgeAgain);
        connect(combo, &QComboBox::editTextChanged, this, judgeAgain);
    }
    for (Field c : {TestingDate, BatteryDate})
        connect(static_cast<QDateEdit *>(control(c)), &QDateEdit::dateChanged, this, judgeAgain);
    connect(&limits::InForce::instance(), &limits::InForce::changed, this, &RecordPanel::updateLimits);

    // A testing date the user changed is not the record's: marked, and
    // named before a certificate goes out.
    auto *testingDate = static_cast<QDateEdit *>(control(TestingDate));
    testingDate->setProperty("notRecordDate", false);
    connect(testingDate, &QDateEdit::dateChanged, this, [this] {
        if (!m_applying) {
            updateTestingDateMark();
            updateEdited();
        }
    });

    for (Field c : certificate::Provenance::headerFields()) {
        QWidget *w = control(c);
        w->setProperty("carriedOver", false);
        auto edited = [this, c] { headerEdited(c); };
        if (auto *line = qobject_cast<QLineEdit *>(w)) {
            connect(line, &QLineEdit::textChanged, this, edited);
        } else if (auto *combo = qobject_cast<QComboBox *>(w)) {
            connect(combo, &QComboBox::currentIndexChanged, this, edited);
            connect(combo, &QComboBox::editTextChanged, this, edited);
        } else {
            connect(static_cast<QDateEdit *>(w), &QDateEdit::dateChanged, this, edited);
        }
    }
    m_provenance.begin(typedState());
}


RecordPanel::~RecordPanel() = default;

void RecordPanel::setText(Field field, const QString &text)
{
    QWidget *w = control(field);
    if (auto *label = qobject_cast<QLabel *>(w)) {
        // The record's own text is kept for values(); a code the tester sent
        // that is not valid is shown in the language of the interface.
        label->setProperty(RecordText, text);
        label->setText(text == BadCode ? tr("BAD", "value a record holds as an invalid code") : text);
    } else if (auto *line = qobject_cast<QLineEdit *>(w))
        line->setText(text);
}

void RecordPanel::setItemIndex(Field field, int index)
{
    if (auto *combo = qobject_cast<QComboBox *>(control(field))) {
        combo->setCurrentIndex(index < combo->count() ? index : -1);
        if (combo->currentIndex() < 0)
            combo->setEditText(QString());
    }
}

void RecordPanel::setMeasured(const MeasuredValues &measured) { m_measured = measured; }

void RecordPanel::setDate(Field field, const QDate &date)
{
    if (!date.isValid() || date < pickerMinimum() || date > pickerMaximum())
        errors::throwText(errors::CalendarRefused);
    if (auto *picker = qobject_cast<QDateEdit *>(control(field)))
        picker->setDate(date);
}

int RecordPanel::itemIndex(const QComboBox *combo)
{
    const QString text = combo->currentText();
    const int current = combo->currentIndex();
    if (current >= 0 && combo->itemText(current) == text)
        return current;
    const int shown = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    // An item's English text typed in another language is that item too.
    return shown >= 0 ? shown : combo->findData(text, Qt::UserRole, Qt::MatchExactly | Qt::MatchCaseSensitive);
}

QString RecordPanel::englishText(const QComboBox *combo)
{
    const int index = itemIndex(combo);
    return index >= 0 ? combo->itemData(index).toString() : combo->currentText();
}

QString RecordPanel::shownItem(const QString &english)
{
    return english.isEmpty() ? english : tr(english.toUtf8().constData());
}

int RecordPanel::testingModeIndex() const { return itemIndex(m_mode); }

void RecordPanel::selectTestingMode(int index)
{
    const QSignalBlocker blocker(m_mode);
    m_mode->setCurrentIndex(index);
    m_shownMode = index;
}

void RecordPanel::restoreTestingMode() { selectTestingMode(m_shownMode); }

void RecordPanel::acceptTestingMode() { m_shownMode = m_mode->currentIndex(); }

void RecordPanel::showRecord(const DecodedRecord &record, const QString &recordName)
{
    {
        const QScopedValueRollback applying(m_applying, true);
        record.applyTo(*this);
    }
    m_provenance.shown(recordName, record, typedState());
    updateTestingDateMark();
    updateCarriedMarks();
    setRecordGone(false);
    updateConclusionMark();
    updateLimits();
    updateEdited();
}

bool RecordPanel::hasTypedEdits() const { return m_provenance.hasTypedEdits(typedState()); }

void RecordPanel::discardTypedEdits()
{
    const certificate::Provenance::Values remembered = m_provenance.discard();
    {
        const QScopedValueRollback applying(m_applying, true);
        for (Field f : certificate::Provenance::typedFields())
            setState(f, remembered.value(f));
    }
    updateCarriedMarks();
    updateTestingDateMark();
    updateLimits();
    updateEdited();
}

void RecordPanel::headerSaved()
{
    m_provenance.saved(typedState());
    updateCarriedMarks();
    updateEdited();
}

void RecordPanel::recordReplaced()
{
    m_provenance.replaced();
    updateConclusionMark();
}

certificate::Provenance::Origins RecordPanel::provenance() const { return m_provenance.origins(typedState()); }

bool RecordPanel::testingDateEdited() const { return m_provenance.testingDateEdited(dateOf(TestingDate)); }

std::optional<QString> RecordPanel::carriedOverConclusion() const { return m_provenance.carriedOverVerdict(); }

QDate RecordPanel::dateOf(Field field) const { return static_cast<QDateEdit *>(control(field))->date(); }

QVariant RecordPanel::stateOf(Field field) const
{
    QWidget *w = control(field);
    if (auto *line = qobject_cast<QLineEdit *>(w))
        return line->text();
    if (auto *combo = qobject_cast<QComboBox *>(w))
        return QVariant(QVariantList{combo->currentIndex(), combo->currentText()});
    return static_cast<QDateEdit *>(w)->date();
}

void RecordPanel::setState(Field field, const QVariant &state)
{
    QWidget *w = control(field);
    if (auto *line = qobject_cast<QLineEdit *>(w)) {
        line->setText(state.toString());
    } else if (auto *combo = qobject_cast<QComboBox *>(w)) {
        const QVariantList selector = state.toList();
        combo->setCurrentIndex(selector[0].toInt());
        combo->setEditText(selector[1].toString());
    } else {
        static_cast<QDateEdit *>(w)->setDate(state.toDate());
    }
}

certificate::Provenance::Values RecordPanel::typedState() const
{
    certificate::Provenance::Values state;
    for (Field f : certificate::Provenance::typedFields())
        state.insert(f, stateOf(f));
    return state;
}

RecordPanel::TypedValues RecordPanel::typedValues() const { return m_provenance.typedValues(typedState()); }

void RecordPanel::reapply(const TypedValues &values)
{
    // Set as the user sets them: each becomes a typed change of the record shown.
    for (const auto &[field, state] : values)
        setState(field, state);
}

bool RecordPanel::wouldChange(const TypedValues &values) const
{
    return m_provenance.wouldChange(values, typedState());
}

void RecordPanel::fillIn(const TypedValues &values)
{
    QList<Field> fields;
    for (const auto &[field, state] : values) {
        setState(field, state);  // as the user sets it
        fields.append(field);
    }
    m_provenance.filledIn(fields);
    updateCarriedMarks();
    updateEdited();
}

void RecordPanel::headerEdited(Field field)
{
    if (m_applying)
        return;
    // Typed in: the value is now the record shown's, no longer carried over.
    m_provenance.typed(field);
    updateCarriedMarks();
    updateEdited();
}

void RecordPanel::updateCarriedMarks()
{
    for (Field f : certificate::Provenance::headerFields())
        m_marks->setNotOwn(control(f), "carriedOver",
                           m_provenance.isCarried(f)
                               ? PanelMarks::notOwnTip(PanelMarks::NotRead, shownRecord(), m_provenance.sourceOf(f))
                               : QString());
}

void RecordPanel::updateTestingDateMark()
{
    m_marks->setNotOwn(control(TestingDate), "notRecordDate",
                       testingDateEdited()
                           ? tr("Not the testing date of the record %1: it was tested on %2. "
                                "A certificate with this date is made only when asked for in so many words.")
                                 .arg(shownRecord(), QLocale().toString(m_provenance.recordTestingDate(),
                                                                        QLocale::ShortFormat))
                           : QString());
}

void RecordPanel::conclusionChosen()
{
    m_provenance.verdictChosen();
    updateConclusionMark();
}

void RecordPanel::updateConclusionMark()
{
    const std::optional<QString> source = carriedOverConclusion();
    m_marks->setNotOwn(m_conclusions, "carriedOver",
                       source ? PanelMarks::notOwnTip(PanelMarks::NotChosen, shownRecord(), *source)
                              : QString());
}

limits::RecordValues RecordPanel::recordValues() const
{
    auto index = [this](Field f) { return itemIndex(static_cast<QComboBox *>(control(f))); };
    return {m_measured, index(StandBy), index(Led), index(Beeper), dateOf(BatteryDate), dateOf(TestingDate)};
}

QList<limits::Judgement> RecordPanel::outsideLimits() const
{
    if (shownRecord().isEmpty())
        return {};
    return limits::outside(recordValues(), limits::inForce());
}

void RecordPanel::updateLimits()
{
    QHash<QWidget *, limits::Judgement> judged;
    QList<limits::Judgement> outside;
    if (!shownRecord().isEmpty()) {
        for (const limits::Judgement &j : limits::judge(recordValues(), limits::inForce())) {
            for (const auto &[value, f] : JudgedFields)
                if (value == j.value)
                    judged.insert(control(f), j);
            if (j.outside)
                outside.append(j);
        }
    }
    QList<QWidget *> controls;
    for (const auto &[value, f] : JudgedFields)
        controls.append(control(f));
    m_marks->setJudged(controls, judged, outside, !shownRecord().isEmpty());
}

void RecordPanel::setLastIssued(const QString &text) { m_marks->setLastIssued(text); }

void RecordPanel::setRecordGone(bool gone)
{
    m_marks->setRecordGone(tr("The file of the record %1 no longer exists: "
                              "nothing can be saved or certified from it.")
                               .arg(filenames::display(shownRecord())),
                           gone);
}

void RecordPanel::updateEdited()
{
    const bool edited = hasTypedEdits();
    if (edited != m_edited) {
        m_edited = edited;
        emit typedEditsChanged(edited);
    }
}

RecordHeader RecordPanel::values() const
{
    auto text = [this](Field f) {
        QWidget *w = control(f);
        if (auto *label = qobject_cast<QLabel *>(w))
            return label->property(RecordText).toString();
        return static_cast<QLineEdit *>(w)->text();
    };
    auto combo = [this](Field f) { return static_cast<QComboBox *>(control(f)); };

    RecordHeader v;
    v.radioEngineer = text(RadioEngineer);
    v.controller = text(Controller);
    v.sartModel = text(SartModel);
    v.manufacturerNo = text(ManufacturerNo);
    v.vessel = text(Vessel);
    v.centreName = text(CentreName);
    v.centreAddress = text(CentreAddress);
    v.centreTel = text(CentreTel);
    v.centreFax = text(CentreFax);
    v.frequencyHigh = text(FrequencyHigh);
    v.frequencyLow = text(FrequencyLow);
    v.power = text(Power);
    v.signalDuration = text(SignalDuration);
    v.tunings = text(Tunings);
    v.repetition = text(Repetition);
    v.testerDuration = text(TesterDuration);
    v.standByText = englishText(combo(StandBy));
    v.ledText = englishText(combo(Led));
    v.beeperText = englishText(combo(Beeper));
    v.testingModeText = englishText(m_mode);
    v.verdictText = englishText(m_conclusions);
    v.standByIndex = itemIndex(combo(StandBy));
    v.ledIndex = itemIndex(combo(Led));
    v.beeperIndex = itemIndex(combo(Beeper));
    v.testingModeIndex = itemIndex(m_mode);
    v.verdictIndex = itemIndex(m_conclusions);
    v.nextTestDate = dateOf(NextTestDate);
    v.testingDate = dateOf(TestingDate);
    v.batteryDate = dateOf(BatteryDate);
    return v;
}
