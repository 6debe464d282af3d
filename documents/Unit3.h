#pragma once

#include <QDialog>

class QFrame;
class QPlainTextEdit;
class QPushButton;
class TQuickReport6;

// The help window: the Russian help text, read-only, with Print (preview of
// the printable help) and Close.
class TForm3 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm3(QWidget *parent = nullptr);

public slots:
    void Button1Click();
    void BitBtn1Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QFrame *Panel1;
    QPushButton *Button1;
    QPushButton *BitBtn1;
    QPlainTextEdit *Memo1;
    TQuickReport6 *QuickReport6;
};
