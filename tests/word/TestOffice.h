#pragma once

#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/text/XTextDocument.hpp>

#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>

// A headless LibreOffice for tests and benchmarks: its own profile, its own
// pipe, reached through UNO from the test process. The destructor stops the
// office (and kills it if it does not end) so no test leaves one behind.
class TestOffice
{
public:
    TestOffice(QString profileDir, QString pipeName);
    ~TestOffice();

    const QString &pipeName() const { return m_pipeName; }

    // Starts the office and waits until it answers on its pipe. A new profile
    // makes the first run restart once, which is handled here.
    void start();
    // Takes charge of an office that someone else started (pid) and that
    // listens on this pipe.
    void adopt(qint64 pid);
    // Ends the office at once, as if it crashed.
    void kill();
    // Asks the office to quit, kills it when it does not.
    void stop();

    // A launcher that starts a headless office on this profile with the
    // arguments it is given and writes its process id into pidFile: lets the
    // program under test start "its" office without showing a window.
    void writeLauncher(const QString &path, const QString &pidFile) const;

    css::uno::Reference<css::frame::XDesktop2> desktop() const { return m_desktop; }
    QList<css::uno::Reference<css::text::XTextDocument>> textDocuments() const;

    static QString uniquePipeName(const QString &purpose);

private:
    void connect(int timeoutMs);
    void waitForEnd(int timeoutMs);
    QStringList officeArguments() const;

    QString m_profileUrl;
    QString m_pipeName;
    std::unique_ptr<QProcess> m_process;
    qint64 m_adoptedPid = 0;
    css::uno::Reference<css::frame::XDesktop2> m_desktop;
};

// Reading a Writer document back.
namespace officetext {
QStringList paragraphs(const css::uno::Reference<css::text::XTextDocument> &document);
QString frameTitle(const css::uno::Reference<css::text::XTextDocument> &document);
bool windowVisible(const css::uno::Reference<css::text::XTextDocument> &document);
bool modified(const css::uno::Reference<css::text::XTextDocument> &document);
bool stored(const css::uno::Reference<css::text::XTextDocument> &document);
// A document the test opens itself, as if the user had it open.
css::uno::Reference<css::text::XTextDocument> openUserDocument(
    const css::uno::Reference<css::frame::XDesktop2> &desktop, const QString &text);
} // namespace officetext
