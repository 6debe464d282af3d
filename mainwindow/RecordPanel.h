#pragma once

#include "DecodeTarget.h"
#include "PanelValues.h"

#include <QFrame>
#include <QHash>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;

// The record view panel (Panel1): shows one decoded record in four columns and
// holds the user's edits. The decoder writes into it through DecodeTarget;
// Save changes, the report and the word export read values().
class RecordPanel : public QFrame, public DecodeTarget
{
    Q_OBJECT

public:
    explicit RecordPanel(QWidget *parent = nullptr);

    void setText(Control control, const QString &text) override;
    void setItemIndex(Control control, int index) override;
    void setDate(Control control, const QDate &date) override;

    PanelValues values() const;
    int testingModeIndex() const;
    void selectTestingMode(int index);  // programmatic: not a user change

    // Item index of a selector whose text can be typed: the selected item when
    // the text is still that item's, else the first item with exactly that
    // text, else -1.
    static int itemIndex(const QComboBox *combo);

signals:
    // Every change of the testing mode's text or selection made by the user.
    void testingModeChanged();

private:
    QLabel *valueLabel(const QString &name);
    QLabel *caption(const QString &name, const QString &text, bool emphasised = false);
    QLineEdit *edit(const QString &name);
    QComboBox *selector(const QString &name, const QStringList &items);
    QDateEdit *picker(const QString &name, const QDate &date);

    QHash<Control, QWidget *> m_controls;
    QComboBox *m_mode = nullptr;
    QComboBox *m_conclusions = nullptr;
};
