#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>

// Answers the modal dialogs that appear over a window, one step per dialog,
// in order, from a timer that keeps running inside their event loops. A
// dialog nobody expected is recorded and closed, so a test fails instead of
// hanging.
class ModalDriver : public QObject
{
public:
    using Step = std::function<void(QWidget *modal)>;

    explicit ModalDriver(QWidget *window) : m_window(window)
    {
        connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
        m_timer.start(10);
    }

    void expect(Step step) { m_steps.append(std::move(step)); }
    // Runs on every tick, e.g. to act in the middle of a reception.
    void onTick(std::function<void()> action) { m_tick = std::move(action); }

    QStringList seen() const { return m_seen; }
    QStringList unexpected() const { return m_unexpected; }
    // Windows of this class seen again when no step is left are neither
    // answered nor counted: the print preview, which is the active window
    // for a moment between its print dialog closing and its own closing.
    void tolerate(const QString &className) { m_tolerated.append(className); }
    int pending() const { return int(m_steps.size()); }

    // Steps for the usual dialogs.
    static Step saveAs(const QString &name)
    {
        return [name](QWidget *modal) {
            auto *dialog = qobject_cast<QFileDialog *>(modal);
            auto *edit = dialog ? dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")) : nullptr;
            if (!edit)
                return reject(modal);
            edit->setText(name);  // as typed: selectFile() leaves a focused name field alone
            static_cast<QDialog *>(dialog)->accept();
        };
    }
    static Step cancel() { return [](QWidget *modal) { reject(modal); }; }
    static Step press(QMessageBox::StandardButton button)
    {
        return [button](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            if (!box)
                return reject(modal);
            box->button(button)->click();
        };
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Hide) {
            watched->removeEventFilter(this);
            m_open.removeAll(watched);
            if (watched == m_last) {
                auto *dialog = qobject_cast<QDialog *>(watched);
                m_lastAccepted = dialog && !qobject_cast<QMessageBox *>(dialog) && dialog->result() == QDialog::Accepted;
                m_last = nullptr;
            }
        }
        return false;
    }

private:
    static void reject(QWidget *modal)
    {
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else
            modal->close();
    }

    static QString describe(QWidget *modal)
    {
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            return QStringLiteral("message: ") + box->text();
        return QString::fromLatin1(modal->metaObject()->className());
    }

    void tick()
    {
        if (m_tick)
            m_tick();
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal == m_window || modal == m_last || !modal->isVisible())
            return;
        // A dialog shown again after it was hidden counts again, and so does
        // one that stayed open under a message or a dialog given up (a print
        // dialog that asks for another name, a preview whose print dialog was
        // cancelled). One under a dialog that was accepted goes on by itself,
        // maybe after a moment as the active one (the preview that closes
        // once it printed): it does not count again.
        m_open.removeAll(nullptr);
        if (m_open.contains(modal) && m_lastAccepted)
            return;
        m_last = modal;
        if (!m_open.contains(modal)) {
            m_open.append(modal);
            modal->installEventFilter(this);
        }
        // A window that may come to the front again on its own while a
        // step's work goes on, with nothing left to answer: left alone.
        if (m_steps.isEmpty() && m_tolerated.contains(QString::fromLatin1(modal->metaObject()->className())))
            return;
        m_seen.append(describe(modal));
        if (m_steps.isEmpty()) {
            m_unexpected.append(describe(modal));
            reject(modal);
            return;
        }
        const Step step = m_steps.takeFirst();
        step(modal);
    }

    QWidget *m_window;
    QTimer m_timer;
    QList<Step> m_steps;
    std::function<void()> m_tick;
    QList<QPointer<QObject>> m_open;  // counted and not hidden since
    QPointer<QWidget> m_last;         // the dialog counted last
    bool m_lastAccepted = false;      // the dialog counted last closed accepted
    QStringList m_seen;
    QStringList m_unexpected;
    QStringList m_tolerated;
};
