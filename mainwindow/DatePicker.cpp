#include "DatePicker.h"

#include "TypedDate.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionComboBox>

namespace {

// What may still become a whole date while it is typed: digits, letters and
// the separators people put between them.
bool mayBecomeDate(const QString &text)
{
    static const QRegularExpression typing(QStringLiteral("^[\\d\\p{L}\\s./,-]{0,32}$"));
    return typing.match(text).hasMatch();
}

} // namespace

QDate DatePicker::wholeDate(const QString &text) const
{
    // Month names in the picker's language, the system's, or English.
    const QDate date = typeddate::parse(text, locale());
    return date.isValid() || locale() == QLocale::system() ? date : typeddate::parse(text, QLocale::system());
}

DatePicker::DatePicker(QWidget *parent)
    : QDateEdit(parent)
{
}

QValidator::State DatePicker::validate(QString &input, int &pos) const
{
    // What QDateEdit can read field by field stays its own; only a text it
    // refuses is read as a whole date.
    QString asSections = input;
    int sectionPos = pos;
    const QValidator::State state = QDateEdit::validate(asSections, sectionPos);
    if (state != QValidator::Invalid) {
        input = asSections;
        pos = sectionPos;
        return state;
    }
    const QDate typed = wholeDate(input);
    if (typed.isValid() && typed >= minimumDate() && typed <= maximumDate())
        return QValidator::Acceptable;
    if (mayBecomeDate(input))
        return QValidator::Intermediate;
    input = asSections;
    pos = sectionPos;
    return state;
}

void DatePicker::fixup(QString &input) const
{
    const QDate typed = wholeDate(input);
    if (typed.isValid() && typed >= minimumDate() && typed <= maximumDate()) {
        input = locale().toString(typed, displayFormat());
        return;
    }
    QDateEdit::fixup(input);
}

QDateTime DatePicker::dateTimeFromText(const QString &text) const
{
    // A text in the display format is read as QDateEdit reads it; a whole
    // date typed otherwise is read as engineers write dates.
    const QDateTime asSections = QDateEdit::dateTimeFromText(text);
    if (asSections.isValid() && locale().toString(asSections.date(), displayFormat()) == text)
        return asSections;
    const QDate typed = wholeDate(text);
    if (typed.isValid())
        return QDateTime(typed, QTime(0, 0));
    return asSections;
}

void DatePicker::keyPressEvent(QKeyEvent *event)
{
    const bool altDown = event->key() == Qt::Key_Down && event->modifiers() == Qt::AltModifier;
    if ((altDown || (event->key() == Qt::Key_F4 && event->modifiers() == Qt::NoModifier)) && calendarPopup()) {
        showCalendar();
        event->accept();
        return;
    }
    // Enter takes a whole date typed before it goes to the dialog or window.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        const QDate typed = wholeDate(lineEdit()->text());
        if (typed.isValid() && typed >= minimumDate() && typed <= maximumDate())
            setDate(typed);
    }
    // The characters typed one after the other, whatever QDateEdit made of
    // them field by field: once they are a whole date, that is the date.
    const QString text = event->text();
    const bool typing = !text.isEmpty() && text.at(0).isPrint()
                        && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    QDateEdit::keyPressEvent(event);
    if (!typing) {
        m_typed.clear();
        return;
    }
    m_typed = (m_typed + text).right(32);
    const QDate typed = wholeDate(m_typed);
    if (typed.isValid() && typed >= minimumDate() && typed <= maximumDate() && typed != date())
        setDate(typed);
}

void DatePicker::focusInEvent(QFocusEvent *event)
{
    m_typed.clear();
    QDateEdit::focusInEvent(event);
}

void DatePicker::showCalendar()
{
    // QDateEdit opens its calendar from a press on its arrow: the same press,
    // at the arrow the style draws.
    QStyleOptionComboBox option;
    option.initFrom(this);
    option.editable = true;
    option.subControls = QStyle::SC_All;
    const QRect arrow = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this);
    const QPointF at = arrow.center();
    QMouseEvent press(QEvent::MouseButtonPress, at, mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(this, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, mapToGlobal(at), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(this, &release);
}
