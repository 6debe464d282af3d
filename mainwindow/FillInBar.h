#pragma once

#include "FillIn.h"

#include <QFrame>

class QLabel;
class QPushButton;

// The offer under the record view panel to fill in a SART's data from its
// latest record: one line naming the record and its values, "Use these
// values" (Alt+U) and "Dismiss" (or Escape). It never takes the focus.
class FillInBar : public QFrame
{
    Q_OBJECT

public:
    explicit FillInBar(QWidget *parent = nullptr);

    void offer(const certificate::FillIn &fillIn);
    void withdraw();
    const std::optional<certificate::FillIn> &offered() const { return m_offered; }

signals:
    void accepted(const certificate::FillIn &fillIn);
    void dismissed(const QString &manufacturerNo);

private:
    QLabel *m_text = nullptr;
    QPushButton *m_use = nullptr;
    std::optional<certificate::FillIn> m_offered;
};
