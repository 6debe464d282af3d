#pragma once

#include <QDateEdit>

// The panel's date picker: edits a date field by field as QDateEdit does, and
// also takes a whole date typed at once ("05.01.2027", "5.1.27", "2027-01-05",
// a month's name in the system's language or in English). Alt+Down and F4
// open the calendar.
class DatePicker : public QDateEdit
{
    Q_OBJECT

public:
    explicit DatePicker(QWidget *parent = nullptr);

    void showCalendar();

protected:
    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;
    QDateTime dateTimeFromText(const QString &text) const override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    QDate wholeDate(const QString &text) const;
    QString m_typed;  // the characters typed since the picker got the focus or another key
};
