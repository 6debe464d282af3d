#include "PanelControls.h"

#include "DatePicker.h"
#include "DecodeTarget.h"
#include "PanelFields.h"
#include "RecordLayout.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValidator>

namespace panelcontrols {
namespace {

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
                    QToolTip::showText(line->mapToGlobal(QPoint(0, line->height())), refusedTip(), line);
            }, Qt::QueuedConnection);
        });
    }

    State validate(QString &input, int &) const override
    {
        return input.contains(QLatin1Char(layout::TextTerminator)) ? Invalid : Acceptable;
    }

    static QString refusedTip()
    {
        return QCoreApplication::translate("PanelControls",
                                           "\"@\" cannot be typed or pasted here: the record file ends a text "
                                           "at \"@\", so Save changes would drop it and everything after it.");
    }
};

} // namespace

QLabel *valueLabel(QWidget *parent, const QString &name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QLabel *caption(QWidget *parent, const QString &name, const QString &text, bool emphasised)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    if (emphasised)
        emphasise(label);
    return label;
}

QLineEdit *edit(QWidget *parent, const QString &name)
{
    auto *line = new QLineEdit(parent);
    line->setObjectName(name);
    // At most what the record's field holds, so that Save changes cuts nothing.
    const std::optional<DecodeTarget::Field> field = panelfields::fieldOf(name);
    line->setMaxLength(field == DecodeTarget::RadioEngineer ? layout::RadioEngineerWidth
                       : field == DecodeTarget::Controller  ? layout::ControllerTextWidth
                                                            : layout::TextFieldWidth);
    if (field != DecodeTarget::Controller)  // the hidden controller text is never typed
        line->setValidator(new NoTerminator(line));
    return line;
}

QComboBox *selector(QWidget *parent, const QString &name, std::initializer_list<const char *> items,
                    const char *context)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    for (const char *item : items) {
        const QString english = QString::fromUtf8(item);
        combo->addItem(english.isEmpty() ? QString() : QCoreApplication::translate(context, item), english);
    }
    combo->setCurrentIndex(-1);
    return combo;
}

QDateEdit *picker(QWidget *parent, const QString &name, const QDate &date)
{
    auto *picker = new DatePicker(parent);
    picker->setObjectName(name);
    picker->setCalendarPopup(true);
    picker->setDateRange(DecodeTarget::pickerMinimum(), DecodeTarget::pickerMaximum());
    picker->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    picker->setDate(date);
    return picker;
}

void emphasise(QWidget *w)
{
    QFont f = w->font();
    f.setBold(true);
    f.setUnderline(true);
    w->setFont(f);
}

QGroupBox *section(const QString &name, const QString &title, QWidget *parent, bool emphasised)
{
    auto *box = new QGroupBox(title, parent);
    box->setObjectName(name);
    if (emphasised)
        emphasise(box);
    return box;
}

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

} // namespace panelcontrols
