#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <initializer_list>

class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;

// The record view panel's controls as it makes them: value labels, captions,
// text boxes, selectors, date pickers and the frames around them. Each is
// named (its object name) as the panel's table of fields knows it.
namespace panelcontrols {

// A label that shows a value of the record, selectable, empty until a record is shown.
QLabel *valueLabel(QWidget *parent, const QString &name);
QLabel *caption(QWidget *parent, const QString &name, const QString &text, bool emphasised = false);
// A text box as long as the record's field it shows; it refuses the record's
// text terminator "@" where the user may type.
QLineEdit *edit(QWidget *parent, const QString &name);
// An editable selector with no item chosen. Its items are shown translated
// in `context`; each keeps its English text as its data (Qt::UserRole), which
// is what the record's header, the certificate and the register take.
QComboBox *selector(QWidget *parent, const QString &name, std::initializer_list<const char *> items,
                    const char *context);
QDateEdit *picker(QWidget *parent, const QString &name, const QDate &date);

// Section frames have a bold underlined title; their contents keep the
// regular font.
QGroupBox *section(const QString &name, const QString &title, QWidget *parent, bool emphasised);
void emphasise(QWidget *w);
void regularFont(QWidget *w);
// `content` alone in the frame `box`.
QWidget *framed(QGroupBox *box, QWidget *content);

} // namespace panelcontrols
