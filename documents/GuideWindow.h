#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QTextBrowser;

// The user guide: the guide to the program in the interface's language (an
// English and a Russian Markdown source compiled into the program), shown
// beside a list of its sections, searchable through a find field and
// printable through the print preview.
// A window of its own, not modal: the engineer may read it while working.
class GuideWindow : public QWidget
{
    Q_OBJECT

public:
    explicit GuideWindow(QWidget *parent = nullptr);

    // The guide's Markdown source.
    static QString markdown();

    // Brings the window up, or to the front when it is open.
    void showGuide();
    // Moves to the next (or previous) place where the find field's text
    // stands, starting again at the other end; false when it stands nowhere.
    bool findNext(bool backward = false);
    void print();

    QTextBrowser *text() const { return m_text; }
    QLineEdit *findField() const { return m_find; }
    QListWidget *contents() const { return m_contents; }

private:
    void fillContents();
    void showSection(int row);

    QTextBrowser *m_text = nullptr;
    QLineEdit *m_find = nullptr;
    QLabel *m_findStatus = nullptr;
    QListWidget *m_contents = nullptr;
};
