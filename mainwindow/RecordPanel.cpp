#include "RecordPanel.h"

#include "AppError.h"
#include "CertificateCheck.h"
#include "DatePicker.h"
#include "DecodedRecord.h"
#include "FileNames.h"
#include "Marks.h"
#include "RecordLayout.h"

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
#include <QToolTip>
#include <QVBoxLayout>
#include <QValidator>

namespace {

using C = DecodeTarget;

// The controls Save changes writes into the record's header.
constexpr C::Control HeaderControls[] = {
    C::Edit1, C::Edit3, C::Edit9, C::Edit4, C::Edit5, C::Edit6, C::Edit7, C::Edit8,
    C::ComboBox1, C::ComboBox2, C::ComboBox3, C::DateTimePicker1, C::DateTimePicker3,
};

// The controls whose changes are the user's typing: the header, and the
// testing date, which is never saved but may be certified as typed.
constexpr C::Control TypedControls[] = {
    C::Edit1, C::Edit3, C::Edit9, C::Edit4, C::Edit5, C::Edit6, C::Edit7, C::Edit8,
    C::ComboBox1, C::ComboBox2, C::ComboBox3, C::DateTimePicker1, C::DateTimePicker3, C::DateTimePicker2,
};

// The values the limits judge, and the control that shows each.
constexpr std::pair<limits::Value, C::Control> JudgedControls[] = {
    {limits::Value::FrequencyHigh, C::Label8}, {limits::Value::FrequencyLow, C::Label11},
    {limits::Value::Power, C::Label12},        {limits::Value::Duration, C::Label13},
    {limits::Value::Tunings, C::Label14},      {limits::Value::BatteryDate, C::DateTimePicker3},
    {limits::Value::StandBy, C::ComboBox1},    {limits::Value::Led, C::ComboBox2},
    {limits::Value::Beeper, C::ComboBox3},
};

// The record file ends a header text at its first "@": a text box refuses
// the character rather than let Save changes drop what follows it, and says
// why where the user typed or pasted. A text set by the program (a tester's
// name holding "@") stays as it is.
class NoTerminator : public QValidator
{
public:
    explicit NoTerminator(QLineEdit *line) : QValidator(line)
    {
        // Told once the refused input is undone; a text set by the program
        // keeps its "@" and is not told about.
        connect(line, &QLineEdit::inputRejected, line, [line] {
            QMetaObject::invokeMethod(line, [line] {
                if (!line->text().contains(QLatin1Char(layout::TextTerminator)))
                    QToolTip::showText(line->mapToGlobal(QPoint(0, line->height())), RefusedTip, line);
            }, Qt::QueuedConnection);
        });
    }

    State validate(QString &input, int &) const override
    {
        return input.contains(QLatin1Char(layout::TextTerminator)) ? Invalid : Acceptable;
    }

    static inline const QString RefusedTip =
        QStringLiteral("\"@\" cannot be typed or pasted here: the record file ends a text at \"@\", "
                       "so Save changes would drop it and everything after it.");
};

// Why a value is not the record shown's own: "Not read from the record
// b.bin: carried over from the record a.bin."
QString carriedTip(const QString &notOwn, const QString &shown, const QString &source, const QString &value)
{
    return source.isEmpty()
               ? QStringLiteral("%1 the record %2: this %3 was in the panel before any record was shown.")
                     .arg(notOwn, shown, value)
               : QStringLiteral("%1 the record %2: carried over from the record %3.").arg(notOwn, shown, source);
}

void emphasise(QWidget *w)
{
    QFont f = w->font();
    f.setBold(true);
    f.setUnderline(true);
    w->setFont(f);
}

// Section frames have a bold underlined title; their contents keep the
// regular font.
QGroupBox *section(const QString &name, const QString &title, QWidget *parent, bool emphasised)
{
    auto *box = new QGroupBox(title, parent);
    box->setObjectName(name);
    if (emphasised) {
        QFont f = box->font();
        f.setBold(true);
        f.setUnderline(true);
        box->setFont(f);
    }
    return box;
}

// Children of an emphasised frame take the regular font back.
void regularFont(QWidget *w)
{
    QFont f = w->font();
    f.setBold(false);
    f.setUnderline(false);
    w->setFont(f);
}

QWidget *framed(QGroupBox *box, QWidget *content)
{
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(6, 2, 6, 4);
    layout->addWidget(content);
    return box;
}

} // namespace

RecordPanel::RecordPanel(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("Panel1"));
    setFrameShape(QFrame::StyledPanel);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);
    outer->setSpacing(4);
    auto *columns = new QHBoxLayout;
    columns->setSpacing(8);
    outer->addLayout(columns, 1);

    // Column 1: SART technical characteristics.
    auto *technical = section(QStringLiteral("GroupBox1"), QStringLiteral("SART technical characteristics"), this, true);
    {
        auto *layout = new QVBoxLayout(technical);
        auto *range = section(QStringLiteral("GroupBox3"), QStringLiteral("Frequency Range, GHz"), technical, false);
        regularFont(range);
        auto *grid = new QGridLayout(range);
        grid->setContentsMargins(6, 2, 6, 4);
        grid->addWidget(caption(QStringLiteral("Label10"), QStringLiteral("Frequency high")), 0, 0);
        grid->addWidget(valueLabel(QStringLiteral("Label8")), 0, 1);
        grid->addWidget(caption(QStringLiteral("Label9"), QStringLiteral("Frequency low")), 1, 0);
        grid->addWidget(valueLabel(QStringLiteral("Label11")), 1, 1);
        layout->addWidget(range);
        const std::tuple<const char *, const char *, const char *> singles[] = {
            {"GroupBox4", "Emitted Power, mW", "Label12"},
            {"GroupBox5", "Emitted signal duration, mks", "Label13"},
            {"GroupBox13", "Number of frequency tunings in signal", "Label14"},
        };
        for (const auto &[boxName, title, label] : singles) {
            auto *box = section(QString::fromLatin1(boxName), QString::fromLatin1(title), technical, false);
            regularFont(box);
            layout->addWidget(framed(box, valueLabel(QString::fromLatin1(label))));
        }
        layout->addStretch();
    }
    columns->addWidget(technical, 1);

    // Column 2: SART tester setup, battery replacement date below.
    auto *column2 = new QVBoxLayout;
    auto *setup = section(QStringLiteral("GroupBox2"), QStringLiteral("SART tester setup"), this, true);
    {
        auto *layout = new QVBoxLayout(setup);
        auto *repetition = section(QStringLiteral("GroupBox6"), QStringLiteral("Frequency repetition, Hz "), setup, false);
        regularFont(repetition);
        layout->addWidget(framed(repetition, valueLabel(QStringLiteral("Label15"))));
        auto *modeBox = section(QStringLiteral("GroupBox9"), QStringLiteral("Testing mode"), setup, false);
        regularFont(modeBox);
        m_mode = selector(QStringLiteral("ComboBox4"), {QStringLiteral("Auto"), QStringLiteral("Manual")});
        m_mode->setEditable(false);  // "Auto" or "Manual", nothing typed
        m_mode->setCurrentIndex(-1);
        layout->addWidget(framed(modeBox, m_mode));
        auto *duration = section(QStringLiteral("GroupBox7"), QStringLiteral("Tester emitted signal duration, mks"), setup, false);
        regularFont(duration);
        layout->addWidget(framed(duration, valueLabel(QStringLiteral("Label16"))));
        layout->addStretch();
    }
    column2->addWidget(setup, 1);
    column2->addWidget(caption(QStringLiteral("Label27"), QStringLiteral("Battery replacement date"), true));
    column2->addWidget(picker(QStringLiteral("DateTimePicker3"), QDate(2004, 8, 20)));
    columns->addLayout(column2, 1);

    // Column 3: visual characteristics, SART and vessel data, two dates.
    auto *column3 = new QVBoxLayout;
    auto *visual = section(QStringLiteral("GroupBox14"), QStringLiteral("SART visual characteristics"), this, true);
    {
        auto *grid = new QGridLayout(visual);
        const QString yes = QStringLiteral("YES"), no = QStringLiteral("NO");
        grid->addWidget(caption(QStringLiteral("Label2"), QStringLiteral("Stand by")), 0, 0);
        grid->addWidget(selector(QStringLiteral("ComboBox1"), {yes, no, QString(), QString()}), 0, 1);
        grid->addWidget(caption(QStringLiteral("Label3"), QStringLiteral("Led")), 1, 0);
        grid->addWidget(selector(QStringLiteral("ComboBox2"), {yes, no, QString()}), 1, 1);
        grid->addWidget(caption(QStringLiteral("Label4"), QStringLiteral("Sound beeper")), 2, 0);
        grid->addWidget(selector(QStringLiteral("ComboBox3"), {yes, no, QString()}), 2, 1);
        for (auto *w : visual->findChildren<QWidget *>())
            regularFont(w);
    }
    column3->addWidget(visual);
    auto *sart = new QGridLayout;
    sart->addWidget(caption(QStringLiteral("Label18"), QStringLiteral("SART Model"), true), 0, 0);
    sart->addWidget(caption(QStringLiteral("Label28"), QStringLiteral("Manufacturer №"), true), 0, 1);
    sart->addWidget(edit(QStringLiteral("Edit3")), 1, 0);
    sart->addWidget(edit(QStringLiteral("Edit9")), 1, 1);
    column3->addLayout(sart);
    column3->addWidget(caption(QStringLiteral("Label21"), QStringLiteral("Vessel Name"), true));
    column3->addWidget(edit(QStringLiteral("Edit4")));
    auto *dates = new QGridLayout;
    dates->addWidget(caption(QStringLiteral("Label20"), QStringLiteral("Next testing date"), true), 0, 0);
    dates->addWidget(picker(QStringLiteral("DateTimePicker1"), QDate(2001, 9, 26)), 1, 0);
    dates->addWidget(caption(QStringLiteral("Label17"), QStringLiteral("Testing date"), true), 0, 1);
    dates->addWidget(picker(QStringLiteral("DateTimePicker2"), QDate(2004, 8, 20)), 1, 1);
    column3->addStretch();
    column3->addLayout(dates);
    columns->addLayout(column3, 1);

    // Column 4: service centre, radio engineer, conclusions.
    auto *column4 = new QVBoxLayout;
    auto *centre = section(QStringLiteral("GroupBox15"), QStringLiteral("Service center"), this, true);
    {
        auto *grid = new QGridLayout(centre);
        const std::pair<const char *, const char *> rows[] = {
            {"Label23", "Name"}, {"Label24", "Address"}, {"Label25", "Tel"}, {"Label26", "Fax"}};
        const char *edits[] = {"Edit5", "Edit6", "Edit7", "Edit8"};
        for (int i = 0; i < 4; ++i) {
            grid->addWidget(caption(QString::fromLatin1(rows[i].first), QString::fromLatin1(rows[i].second)), i, 0);
            grid->addWidget(edit(QString::fromLatin1(edits[i])), i, 1);
        }
        for (auto *w : centre->findChildren<QWidget *>())
            regularFont(w);
    }
    column4->addWidget(centre);
    auto *engineer = section(QStringLiteral("GroupBox8"), QStringLiteral("Radioengineer"), this, false);
    column4->addWidget(framed(engineer, edit(QStringLiteral("Edit1"))));
    column4->addStretch();
    column4->addWidget(caption(QStringLiteral("Label22"), QStringLiteral("Conclusions:"), true));
    m_conclusions = selector(QStringLiteral("ComboBox5"),
                             {QStringLiteral("SART PASSED TESTS"), QStringLiteral("SART FAILED TESTS")});
    m_conclusions->setEditable(false);  // one of the two verdicts, nothing typed
    m_conclusions->setCurrentIndex(0);
    column4->addWidget(m_conclusions);
    columns->addLayout(column4, 1);

    // Below the columns: how the record shown keeps the limits, and whether
    // its file is still there. Long lines wrap rather than widen the panel.
    m_limitsLine = new QLabel(this);
    m_limitsLine->setObjectName(QStringLiteral("LimitsLine"));
    m_limitsLine->setWordWrap(true);
    m_goneLine = new QLabel(this);
    m_goneLine->setObjectName(QStringLiteral("RecordGoneLine"));
    m_goneLine->setWordWrap(true);
    emphasise(m_goneLine);
    QPalette warning = m_goneLine->palette();
    warning.setColor(QPalette::WindowText, QColor(176, 0, 0));
    m_goneLine->setPalette(warning);
    m_goneLine->hide();
    m_lastIssuedLine = new QLabel(this);
    m_lastIssuedLine->setObjectName(QStringLiteral("LastIssuedLine"));
    m_lastIssuedLine->setWordWrap(true);
    m_lastIssuedLine->hide();
    outer->addWidget(m_limitsLine);
    outer->addWidget(m_lastIssuedLine);
    outer->addWidget(m_goneLine);

    // The controller's name: carried from the record to Save changes, never shown.
    auto *controller = section(QStringLiteral("GroupBox12"), QStringLiteral("CONTROLLER"), this, false);
    framed(controller, edit(QStringLiteral("Edit2")));
    controller->hide();

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
    for (const auto &[value, c] : JudgedControls)
        m_controls.value(c)->setProperty("outsideLimit", false);
    auto judgeAgain = [this] {
        if (!m_applying)
            updateLimits();
    };
    for (Control c : {ComboBox1, ComboBox2, ComboBox3}) {
        auto *combo = static_cast<QComboBox *>(m_controls.value(c));
        connect(combo, &QComboBox::currentIndexChanged, this, judgeAgain);
        connect(combo, &QComboBox::editTextChanged, this, judgeAgain);
    }
    for (Control c : {DateTimePicker2, DateTimePicker3})
        connect(static_cast<QDateEdit *>(m_controls.value(c)), &QDateEdit::dateChanged, this, judgeAgain);
    connect(&limits::InForce::instance(), &limits::InForce::changed, this, &RecordPanel::updateLimits);

    // A testing date the user changed is not the record's: marked, and
    // named before a certificate goes out.
    auto *testingDate = static_cast<QDateEdit *>(m_controls.value(DateTimePicker2));
    testingDate->setProperty("notRecordDate", false);
    connect(testingDate, &QDateEdit::dateChanged, this, [this] {
        if (!m_applying) {
            updateTestingDateMark();
            updateEdited();
        }
    });

    for (Control c : HeaderControls) {
        QWidget *w = m_controls.value(c);
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
    remember();
}

QLabel *RecordPanel::valueLabel(const QString &name)
{
    // Empty until the first record is shown.
    auto *label = new QLabel(this);
    label->setObjectName(name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    static const QHash<QString, Control> controls = {
        {QStringLiteral("Label8"), Label8},   {QStringLiteral("Label11"), Label11},
        {QStringLiteral("Label12"), Label12}, {QStringLiteral("Label13"), Label13},
        {QStringLiteral("Label14"), Label14}, {QStringLiteral("Label15"), Label15},
        {QStringLiteral("Label16"), Label16},
    };
    m_controls.insert(controls.value(name), label);
    return label;
}

QLabel *RecordPanel::caption(const QString &name, const QString &text, bool emphasised)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(name);
    if (emphasised)
        emphasise(label);
    return label;
}

QLineEdit *RecordPanel::edit(const QString &name)
{
    auto *line = new QLineEdit(this);
    line->setObjectName(name);
    // At most what the record's field holds, so that Save changes cuts nothing.
    line->setMaxLength(name == QLatin1String("Edit1")   ? layout::RadioEngineerWidth
                       : name == QLatin1String("Edit2") ? layout::ControllerTextWidth
                                                        : layout::TextFieldWidth);
    static const QHash<QString, Control> controls = {
        {QStringLiteral("Edit1"), Edit1}, {QStringLiteral("Edit2"), Edit2}, {QStringLiteral("Edit3"), Edit3},
        {QStringLiteral("Edit4"), Edit4}, {QStringLiteral("Edit5"), Edit5}, {QStringLiteral("Edit6"), Edit6},
        {QStringLiteral("Edit7"), Edit7}, {QStringLiteral("Edit8"), Edit8}, {QStringLiteral("Edit9"), Edit9},
    };
    m_controls.insert(controls.value(name), line);
    if (name != QLatin1String("Edit2"))  // the hidden controller text is never typed
        line->setValidator(new NoTerminator(line));
    return line;
}

QComboBox *RecordPanel::selector(const QString &name, const QStringList &items)
{
    auto *combo = new QComboBox(this);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    static const QHash<QString, Control> controls = {
        {QStringLiteral("ComboBox1"), ComboBox1},
        {QStringLiteral("ComboBox2"), ComboBox2},
        {QStringLiteral("ComboBox3"), ComboBox3},
    };
    if (controls.contains(name))
        m_controls.insert(controls.value(name), combo);
    return combo;
}

QDateEdit *RecordPanel::picker(const QString &name, const QDate &date)
{
    auto *picker = new DatePicker(this);
    picker->setObjectName(name);
    picker->setCalendarPopup(true);
    picker->setDateRange(pickerMinimum(), pickerMaximum());
    picker->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    picker->setDate(date);
    static const QHash<QString, Control> controls = {
        {QStringLiteral("DateTimePicker1"), DateTimePicker1},
        {QStringLiteral("DateTimePicker2"), DateTimePicker2},
        {QStringLiteral("DateTimePicker3"), DateTimePicker3},
    };
    m_controls.insert(controls.value(name), picker);
    return picker;
}

void RecordPanel::setText(Control control, const QString &text)
{
    QWidget *w = m_controls.value(control);
    if (auto *label = qobject_cast<QLabel *>(w))
        label->setText(text);
    else if (auto *line = qobject_cast<QLineEdit *>(w))
        line->setText(text);
}

void RecordPanel::setItemIndex(Control control, int index)
{
    if (auto *combo = qobject_cast<QComboBox *>(m_controls.value(control))) {
        combo->setCurrentIndex(index < combo->count() ? index : -1);
        if (combo->currentIndex() < 0)
            combo->setEditText(QString());
    }
}

void RecordPanel::setMeasured(const MeasuredValues &measured) { m_measured = measured; }

void RecordPanel::setDate(Control control, const QDate &date)
{
    if (!date.isValid() || date < pickerMinimum() || date > pickerMaximum())
        errors::throwText(errors::CalendarRefused);
    if (auto *picker = qobject_cast<QDateEdit *>(m_controls.value(control)))
        picker->setDate(date);
}

int RecordPanel::itemIndex(const QComboBox *combo)
{
    const QString text = combo->currentText();
    const int current = combo->currentIndex();
    if (current >= 0 && combo->itemText(current) == text)
        return current;
    return combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
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
    m_shownRecord = recordName;
    m_recordTestingDate = static_cast<QDateEdit *>(m_controls.value(DateTimePicker2))->date();
    updateTestingDateMark();
    for (Control c : HeaderControls) {
        if (record.sets(c)) {
            m_source[c] = recordName;
            setCarried(c, false);
            continue;
        }
        // An empty box cannot be taken for this record's data.
        const auto *line = qobject_cast<const QLineEdit *>(m_controls.value(c));
        setCarried(c, m_source.value(c) != recordName && !(line && line->text().isEmpty()));
    }
    setRecordGone(false);
    updateConclusionMark();
    updateLimits();
    remember();
    updateEdited();
}

bool RecordPanel::hasTypedEdits() const
{
    return !m_shownRecord.isEmpty() && (headerState() != m_remembered || !m_filledIn.isEmpty());
}

void RecordPanel::discardTypedEdits()
{
    {
        const QScopedValueRollback applying(m_applying, true);
        setHeaderState(m_remembered);
    }
    m_source = m_rememberedSource;
    m_filledIn.clear();
    for (Control c : HeaderControls)
        setCarried(c, m_rememberedCarried.contains(c));
    updateTestingDateMark();
    updateLimits();
    updateEdited();
}

void RecordPanel::headerSaved()
{
    for (Control c : HeaderControls) {
        m_source[c] = m_shownRecord;
        setCarried(c, false);
    }
    remember();
    updateEdited();
}

void RecordPanel::recordReplaced()
{
    const QString earlier = QStringLiteral("%1 as it was before it was replaced").arg(m_shownRecord);
    for (QHash<Control, QString> *sources : {&m_source, &m_rememberedSource})
        for (QString &source : *sources)
            if (source == m_shownRecord)
                source = earlier;
    if (m_conclusionSource == m_shownRecord)
        m_conclusionSource = earlier;
    updateConclusionMark();
}

QList<RecordPanel::CarriedValue> RecordPanel::carriedOverValues() const
{
    // In the order the panel shows them, the SART's identity first.
    constexpr Control order[] = {Edit3, Edit9, Edit4, DateTimePicker1, DateTimePicker3, Edit5, Edit6,
                                 Edit7, Edit8, Edit1, ComboBox1, ComboBox2, ComboBox3};
    QList<CarriedValue> carried;
    for (Control control : order)
        if (m_carried.contains(control))
            carried.append({control, certificate::captionOf(control), m_source.value(control)});
    return carried;
}

certificate::Provenance RecordPanel::provenance() const
{
    certificate::Provenance p;
    for (Control c : std::as_const(m_carried))
        p.carried.insert(c, m_source.value(c));
    for (const auto &[control, state] : typedValues())
        p.typed.insert(control);
    return p;
}

bool RecordPanel::testingDateEdited() const
{
    return !m_shownRecord.isEmpty()
           && static_cast<QDateEdit *>(m_controls.value(DateTimePicker2))->date() != m_recordTestingDate;
}

void RecordPanel::updateTestingDateMark()
{
    QWidget *w = m_controls.value(DateTimePicker2);
    const bool edited = testingDateEdited();
    if (edited)
        m_carriedTip[w] = QStringLiteral("Not the testing date of the record %1: it was tested on %2. "
                                         "A certificate with this date is made only when asked for in so many words.")
                              .arg(m_shownRecord, QLocale().toString(m_recordTestingDate, QLocale::ShortFormat));
    else
        m_carriedTip.remove(w);
    w->setProperty("notRecordDate", edited);
    updateMark(w);
}

QVariant RecordPanel::stateOf(Control control) const
{
    QWidget *w = m_controls.value(control);
    if (auto *line = qobject_cast<QLineEdit *>(w))
        return line->text();
    if (auto *combo = qobject_cast<QComboBox *>(w))
        return QVariant(QVariantList{combo->currentIndex(), combo->currentText()});
    return static_cast<QDateEdit *>(w)->date();
}

void RecordPanel::setState(Control control, const QVariant &state)
{
    QWidget *w = m_controls.value(control);
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

QVariantList RecordPanel::headerState() const
{
    QVariantList state;
    for (Control c : TypedControls)
        state.append(stateOf(c));
    return state;
}

void RecordPanel::setHeaderState(const QVariantList &state)
{
    for (qsizetype i = 0; i < state.size(); ++i)
        setState(TypedControls[i], state[i]);
}

RecordPanel::TypedValues RecordPanel::typedValues() const
{
    TypedValues typed;
    if (m_shownRecord.isEmpty())
        return typed;
    for (qsizetype i = 0; i < qsizetype(std::size(TypedControls)); ++i)
        if (const QVariant now = stateOf(TypedControls[i]);
            now != m_remembered.value(i) || m_filledIn.contains(TypedControls[i]))
            typed.append({TypedControls[i], now});
    return typed;
}

void RecordPanel::reapply(const TypedValues &values)
{
    // Set as the user sets them: each becomes a typed change of the record shown.
    for (const auto &[control, state] : values)
        setState(control, state);
}

bool RecordPanel::wouldChange(const TypedValues &values) const
{
    return std::any_of(values.cbegin(), values.cend(), [this](const auto &v) {
        return m_carried.contains(v.first) || stateOf(v.first) != v.second;
    });
}

void RecordPanel::fillIn(const TypedValues &values)
{
    for (const auto &[control, state] : values) {
        setState(control, state);  // as the user sets it
        m_source[control] = m_shownRecord;
        setCarried(control, false);
        m_filledIn.insert(control);
    }
    updateEdited();
}

void RecordPanel::headerEdited(Control control)
{
    if (m_applying)
        return;
    // Typed in: the value is now the record shown's, no longer carried over.
    m_source[control] = m_shownRecord;
    setCarried(control, false);
    updateEdited();
}

void RecordPanel::setCarried(Control control, bool carried)
{
    QWidget *w = m_controls.value(control);
    if (carried) {
        m_carried.insert(control);
        m_carriedTip[w] = carriedTip(QStringLiteral("Not read from"), m_shownRecord, m_source.value(control),
                                     QStringLiteral("value"));
    } else {
        m_carried.remove(control);
        m_carriedTip.remove(w);
    }
    w->setProperty("carriedOver", carried);
    updateMark(w);
}

std::optional<QString> RecordPanel::carriedOverConclusion() const
{
    if (m_shownRecord.isEmpty() || m_conclusionSource == m_shownRecord)
        return std::nullopt;
    return m_conclusionSource;
}

void RecordPanel::conclusionChosen()
{
    m_conclusionSource = m_shownRecord;
    updateConclusionMark();
}

void RecordPanel::updateConclusionMark()
{
    const std::optional<QString> source = carriedOverConclusion();
    if (source)
        m_carriedTip[m_conclusions] =
            carriedTip(QStringLiteral("Not chosen for"), m_shownRecord, *source, QStringLiteral("conclusion"));
    else
        m_carriedTip.remove(m_conclusions);
    m_conclusions->setProperty("carriedOver", source.has_value());
    updateMark(m_conclusions);
}

limits::RecordValues RecordPanel::recordValues() const
{
    auto index = [this](Control c) { return itemIndex(static_cast<QComboBox *>(m_controls.value(c))); };
    auto date = [this](Control c) { return static_cast<QDateEdit *>(m_controls.value(c))->date(); };
    return {m_measured, index(ComboBox1), index(ComboBox2), index(ComboBox3), date(DateTimePicker3),
            date(DateTimePicker2)};
}

QList<limits::Judgement> RecordPanel::outsideLimits() const
{
    if (m_shownRecord.isEmpty())
        return {};
    return limits::outside(recordValues(), limits::inForce());
}

void RecordPanel::updateLimits()
{
    m_judged.clear();
    QList<limits::Judgement> outside;
    if (!m_shownRecord.isEmpty()) {
        for (const limits::Judgement &j : limits::judge(recordValues(), limits::inForce())) {
            for (const auto &[value, c] : JudgedControls)
                if (value == j.value)
                    m_judged.insert(m_controls.value(c), j);
            if (j.outside)
                outside.append(j);
        }
    }
    for (const auto &[value, c] : JudgedControls)
        updateMark(m_controls.value(c));

    m_limitsLine->setText(m_shownRecord.isEmpty() ? QString() : limits::summary(outside));
    QPalette p = m_limitsLine->palette();
    p.setColor(QPalette::WindowText, outside.isEmpty() ? palette().color(QPalette::WindowText) : QColor(176, 0, 0));
    m_limitsLine->setPalette(p);
}

void RecordPanel::updateMark(QWidget *w)
{
    const auto judged = m_judged.constFind(w);
    const bool isJudged = judged != m_judged.constEnd();
    const bool outside = isJudged && judged->outside;
    const bool carried = m_carriedTip.contains(w);
    // A value label shows its mark behind its text, a box in its field.
    const bool label = qobject_cast<QLabel *>(w) != nullptr;
    QPalette p;
    if (outside || carried)
        p.setColor(label ? QPalette::Window : QPalette::Base, outside ? OutsideLimitBackground : CarriedBackground);
    w->setPalette(p);
    if (label)
        w->setAutoFillBackground(outside);
    QStringList tips;
    if (carried)
        tips.append(m_carriedTip.value(w));
    if (isJudged) {
        tips.append(judged->description());
        w->setProperty("outsideLimit", outside);
    } else if (w->property("outsideLimit").isValid()) {
        w->setProperty("outsideLimit", false);
    }
    w->setToolTip(tips.join(QStringLiteral("\n\n")));
}

void RecordPanel::setLastIssued(const QString &text)
{
    m_lastIssuedLine->setText(text);
    m_lastIssuedLine->setVisible(!text.isEmpty());
}

void RecordPanel::setRecordGone(bool gone)
{
    m_goneLine->setText(QStringLiteral("The file of the record %1 no longer exists: "
                                       "nothing can be saved or certified from it.")
                            .arg(filenames::display(m_shownRecord)));
    m_goneLine->setVisible(gone);
}

void RecordPanel::remember()
{
    m_filledIn.clear();
    m_remembered = headerState();
    m_rememberedSource = m_source;
    m_rememberedCarried = m_carried;
}

void RecordPanel::updateEdited()
{
    const bool edited = hasTypedEdits();
    if (edited != m_edited) {
        m_edited = edited;
        emit typedEditsChanged(edited);
    }
}

PanelValues RecordPanel::values() const
{
    auto text = [this](Control c) {
        QWidget *w = m_controls.value(c);
        if (auto *label = qobject_cast<QLabel *>(w))
            return label->text();
        return static_cast<QLineEdit *>(w)->text();
    };
    auto combo = [this](Control c) { return static_cast<QComboBox *>(m_controls.value(c)); };
    auto date = [this](Control c) { return static_cast<QDateEdit *>(m_controls.value(c))->date(); };

    PanelValues v;
    v.edit1 = text(Edit1);
    v.edit2 = text(Edit2);
    v.edit3 = text(Edit3);
    v.edit4 = text(Edit4);
    v.edit5 = text(Edit5);
    v.edit6 = text(Edit6);
    v.edit7 = text(Edit7);
    v.edit8 = text(Edit8);
    v.edit9 = text(Edit9);
    v.label8 = text(Label8);
    v.label11 = text(Label11);
    v.label12 = text(Label12);
    v.label13 = text(Label13);
    v.label14 = text(Label14);
    v.label15 = text(Label15);
    v.label16 = text(Label16);
    v.comboBox1Text = combo(ComboBox1)->currentText();
    v.comboBox2Text = combo(ComboBox2)->currentText();
    v.comboBox3Text = combo(ComboBox3)->currentText();
    v.comboBox4Text = m_mode->currentText();
    v.comboBox5Text = m_conclusions->currentText();
    v.comboBox1Index = itemIndex(combo(ComboBox1));
    v.comboBox2Index = itemIndex(combo(ComboBox2));
    v.comboBox3Index = itemIndex(combo(ComboBox3));
    v.comboBox4Index = itemIndex(m_mode);
    v.comboBox5Index = itemIndex(m_conclusions);
    v.dateTimePicker1 = date(DateTimePicker1);
    v.dateTimePicker2 = date(DateTimePicker2);
    v.dateTimePicker3 = date(DateTimePicker3);
    return v;
}
