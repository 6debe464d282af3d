#pragma once

#include <QFrame>

class QLabel;
class QPushButton;

// A strip above the record view panel that tells about the record shown
// without replacing it: that its file changed or vanished on disk since it was
// shown (with "Show it as it is now"), and that values typed for it were kept
// when it was shown again (with "Re-apply typed values" and "Discard them").
// Hidden while there is nothing to tell.
class RecordNotice : public QFrame
{
    Q_OBJECT

public:
    explicit RecordNotice(QWidget *parent = nullptr);

    // Empty text: the record shown is as it was read.
    void setStale(const QString &text, bool canShowAgain);
    void offerTypedValues(const QString &recordName);
    void clearTypedValues();
    QString staleText() const;
    bool offersTypedValues() const;

signals:
    void showAgainRequested();
    void reapplyRequested();
    void discardRequested();

private:
    void updateVisibility();

    QLabel *m_stale;
    QPushButton *m_showAgain;
    QWidget *m_staleLine;
    QLabel *m_typed;
    QWidget *m_typedLine;
};
