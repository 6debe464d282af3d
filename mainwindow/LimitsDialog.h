#pragma once

#include "SartLimits.h"

#include <QDialog>

class QCheckBox;
class QDoubleSpinBox;
class QSpinBox;

// Settings > SART limits...: the limits of the SART standard that the panel,
// the archive views and the certificate questions judge values by, each with
// its source. National rules differ, so every limit can be changed; one
// button puts the standard's values back. OK keeps them in the settings.
class LimitsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit LimitsDialog(QWidget *parent = nullptr);

    limits::Limits limits() const;
    void setLimits(const limits::Limits &limits);

private:
    QDoubleSpinBox *m_lowMax = nullptr;
    QDoubleSpinBox *m_highMin = nullptr;
    QSpinBox *m_power = nullptr;
    QSpinBox *m_tunings = nullptr;
    QDoubleSpinBox *m_durationMin = nullptr;
    QDoubleSpinBox *m_durationMax = nullptr;
    QCheckBox *m_battery = nullptr;
    QCheckBox *m_answers = nullptr;
};
