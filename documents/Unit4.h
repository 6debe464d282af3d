#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

// The About box: title, rights, maker, and the contact lines. The web
// address is a link; the e-mail addresses are shown only.
class TForm4 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm4(QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Label2MouseMove();
    void Label2MouseDown();
    void Label2MouseUp();
    void Label2Click();
    void Panel1MouseMove();
    void setLinkColor(const QColor &color);

    QFrame *Panel1;
    QLabel *Label1;
    QLabel *Image2;
    QLabel *Label3;
    QLabel *Label4;
    QLabel *Label5;
    QLabel *Label2;
    QLabel *Label6;
    QLabel *Label7;
    QLabel *Label8;
    QPushButton *BitBtn1;
    bool m_linkPressed = false;
};
