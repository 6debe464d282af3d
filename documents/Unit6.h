#pragma once

#include <QObject>
#include <QStringList>

class QWidget;

// The printable help: the help text laid out for A4 pages, previewed and
// printed like the test report.
class TQuickReport6 : public QObject
{
    Q_OBJECT

public:
    explicit TQuickReport6(QObject *parent = nullptr);

    const QStringList &lines() const { return m_lines; }

    // Print preview of the help on the program's printer; returns when closed.
    void preview(QWidget *parent);
    void printToPdf(const QString &path);

private:
    QStringList m_lines;
};
