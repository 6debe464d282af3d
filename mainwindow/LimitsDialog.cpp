#include "LimitsDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

using limits::Value;

// The record's units: kHz for frequencies, 0.2 us for the signal duration.
constexpr double KHzPerGHz = 1e6;
constexpr double UnitsPerMicrosecond = 5;

// A frequency in GHz, to the kHz the record and the settings hold it in: at
// least the three decimals the standard is written with, and every further
// digit the value has ("9.200 GHz", "9.2004 GHz"), as the panel writes it.
class FrequencyField : public QDoubleSpinBox
{
public:
    using QDoubleSpinBox::QDoubleSpinBox;

    QString textFromValue(double value) const override
    {
        const qint64 kHz = qRound64(value * KHzPerGHz);
        QString decimals = QStringLiteral("%1").arg(kHz % qint64(KHzPerGHz), 6, 10, QLatin1Char('0'));
        while (decimals.size() > 3 && decimals.endsWith(u'0'))
            decimals.chop(1);
        return QString::number(kHz / qint64(KHzPerGHz)) + locale().decimalPoint() + decimals;
    }
};

QDoubleSpinBox *frequencyField(const QString &name, QWidget *parent)
{
    auto *field = new FrequencyField(parent);
    field->setObjectName(name);
    field->setDecimals(6);  // kHz: before the range, which is rounded to them
    field->setRange(0, 0xFFFFFF / KHzPerGHz);
    field->setSingleStep(0.01);
    field->setSuffix(LimitsDialog::tr(" GHz"));
    return field;
}

QDoubleSpinBox *durationField(const QString &name, QWidget *parent)
{
    auto *field = new QDoubleSpinBox(parent);
    field->setObjectName(name);
    field->setDecimals(1);
    field->setRange(0, 0xFFFF / UnitsPerMicrosecond);
    field->setSingleStep(1 / UnitsPerMicrosecond);
    field->setSuffix(LimitsDialog::tr(" \u00B5s"));
    field->setToolTip(LimitsDialog::tr("In steps of 0.2 \u00B5s, as the record holds the duration."));
    // A value between two steps goes to the nearer one.
    QObject::connect(field, &QDoubleSpinBox::editingFinished, field, [field] {
        field->setValue(qRound(field->value() * UnitsPerMicrosecond) / UnitsPerMicrosecond);
    });
    return field;
}

QSpinBox *countField(const QString &name, int maximum, const QString &suffix, QWidget *parent)
{
    auto *field = new QSpinBox(parent);
    field->setObjectName(name);
    field->setRange(0, maximum);
    field->setSuffix(suffix);
    return field;
}

QLabel *sourceLabel(Value value, QWidget *parent)
{
    auto *label = new QLabel(limits::sourceOf(value), parent);
    label->setWordWrap(true);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, QColor(90, 90, 90));
    label->setPalette(p);
    return label;
}

} // namespace

LimitsDialog::LimitsDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("LimitsDialog"));
    setWindowTitle(tr("SART limits"));

    auto *note = new QLabel(
        tr("The panel, the archive views and the questions before a certificate goes out mark "
                       "the values outside these limits. The limits are advisory: they never change the "
                       "conclusion, the record file or the certificate. National rules differ; the "
                       "standard's values can be restored at any time."),
        this);
    note->setWordWrap(true);

    m_lowMax = frequencyField(QStringLiteral("LowerFrequencyMax"), this);
    m_highMin = frequencyField(QStringLiteral("UpperFrequencyMin"), this);
    m_power = countField(QStringLiteral("PowerMin"), 0xFFFF, tr(" mW"), this);
    m_tunings = countField(QStringLiteral("Tunings"), 0xFF, QString(), this);
    m_durationMin = durationField(QStringLiteral("DurationMin"), this);
    m_durationMax = durationField(QStringLiteral("DurationMax"), this);
    m_battery = new QCheckBox(tr("&Battery replacement date not before the testing date"), this);
    m_battery->setObjectName(QStringLiteral("BatteryInDate"));
    m_answers = new QCheckBox(tr("Stand by, Led and Sound beeper &answered \"YES\""), this);
    m_answers->setObjectName(QStringLiteral("AnsweredYes"));

    auto *grid = new QGridLayout;
    grid->setColumnStretch(2, 1);
    int row = 0;
    auto addRow = [&](const QString &caption, QWidget *field, QWidget *buddy, Value value) {
        auto *label = new QLabel(caption, this);
        label->setBuddy(buddy);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        grid->addWidget(sourceLabel(value, this), row, 2);
        ++row;
    };
    addRow(tr("Frequency &low at most"), m_lowMax, m_lowMax, Value::FrequencyLow);
    addRow(tr("Frequency &high at least"), m_highMin, m_highMin, Value::FrequencyHigh);
    addRow(tr("Emitted &power at least"), m_power, m_power, Value::Power);
    addRow(tr("Number of frequency &tunings, exactly"), m_tunings, m_tunings, Value::Tunings);
    auto *duration = new QWidget(this);
    auto *durationRow = new QHBoxLayout(duration);
    durationRow->setContentsMargins(0, 0, 0, 0);
    durationRow->addWidget(m_durationMin);
    durationRow->addWidget(new QLabel(tr("to"), duration));
    durationRow->addWidget(m_durationMax);
    addRow(tr("Emitted signal &duration from"), duration, m_durationMin, Value::Duration);
    grid->addWidget(m_battery, row, 0, 1, 2);
    grid->addWidget(sourceLabel(Value::BatteryDate, this), row++, 2);
    grid->addWidget(m_answers, row, 0, 1, 2);
    grid->addWidget(sourceLabel(Value::StandBy, this), row++, 2);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton *restore =
        buttons->addButton(tr("&Restore the standard's values"), QDialogButtonBox::ResetRole);
    restore->setObjectName(QStringLiteral("RestoreStandard"));
    restore->setAutoDefault(false);
    connect(restore, &QPushButton::clicked, this, [this] { setLimits(limits::Limits()); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addWidget(buttons);
    resize(820, sizeHint().height());

    setLimits(limits::inForce());
    m_lowMax->setFocus();
}

limits::Limits LimitsDialog::limits() const
{
    limits::Limits l;
    l.lowMaxKHz = qRound(m_lowMax->value() * KHzPerGHz);
    l.highMinKHz = qRound(m_highMin->value() * KHzPerGHz);
    l.powerMinMw = m_power->value();
    l.tunings = m_tunings->value();
    l.durationMinUnits = qRound(m_durationMin->value() * UnitsPerMicrosecond);
    l.durationMaxUnits = qRound(m_durationMax->value() * UnitsPerMicrosecond);
    // A range given the wrong way round is the same range.
    if (l.durationMinUnits > l.durationMaxUnits)
        std::swap(l.durationMinUnits, l.durationMaxUnits);
    l.batteryInDate = m_battery->isChecked();
    l.answeredYes = m_answers->isChecked();
    return l;
}

void LimitsDialog::setLimits(const limits::Limits &l)
{
    m_lowMax->setValue(l.lowMaxKHz / KHzPerGHz);
    m_highMin->setValue(l.highMinKHz / KHzPerGHz);
    m_power->setValue(l.powerMinMw);
    m_tunings->setValue(l.tunings);
    m_durationMin->setValue(l.durationMinUnits / UnitsPerMicrosecond);
    m_durationMax->setValue(l.durationMaxUnits / UnitsPerMicrosecond);
    m_battery->setChecked(l.batteryInDate);
    m_answers->setChecked(l.answeredYes);
}
