#include "Unit1.h"

#include "AtomicFile.h"
#include "CertificateCommands.h"
#include "CertificateSigning.h"
#include "ErrorBox.h"
#include "FileGrid.h"
#include "FileNames.h"
#include "FillInBar.h"
#include "FillInOffer.h"
#include "Finder.h"
#include "Glyphs.h"
#include "GuideWindow.h"
#include "LimitsDialog.h"
#include "RecordNotice.h"
#include "RecordPanel.h"
#include "RegisterCommands.h"
#include "Unit2.h"
#include "Unit3.h"
#include "Unit4.h"
#include "Unit5.h"
#include "WindowNavigationView.h"

#include <QAbstractSpinBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

#include <functional>

namespace {

// Runs `work` once, on the turn of the event loop after `widget` first
// painted, or after `latest` ms when it was not painted by then (a window
// started minimised): what the first screen does not need waits for it.
void afterFirstPaint(QWidget *widget, int latest, std::function<void()> work)
{
    class Watch : public QObject
    {
    public:
        Watch(QWidget *widget, std::function<void()> work) : QObject(widget), m_work(std::move(work))
        {
            widget->installEventFilter(this);
        }
        void run()
        {
            if (auto work = std::exchange(m_work, nullptr))
                work();
            deleteLater();
        }
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Paint && m_work)
                QTimer::singleShot(0, this, &Watch::run);
            return false;
        }

    private:
        std::function<void()> m_work;
    };
    auto *watch = new Watch(widget, std::move(work));
    QTimer::singleShot(latest, watch, &Watch::run);
}

} // namespace

TForm1::TForm1(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(programTitle());
    setWindowIcon(glyphs::application());
    setGeometry(172, 97, 803, 564);

    m_startDirectory = QDir::currentPath();
    m_view = new WindowNavigationView(*this);
    m_navigation = std::make_unique<Navigation>(m_startDirectory, *m_view);

    // File table above, record view panel below; the whole area scrolls when
    // the window is smaller than its contents, the tool bar stays in place.
    auto *content = new QWidget;
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    StringGrid1 = new FileGrid(m_navigation->table(), content);
    m_navigation->observeTable(StringGrid1->tableObserver());
    m_notice = new RecordNotice(content);
    Panel1 = new RecordPanel(content);
    layout->addWidget(StringGrid1, 1);
    layout->addWidget(m_notice, 0);
    layout->addWidget(Panel1, 0);
    m_fillIn = new FillInBar(content);
    layout->addWidget(m_fillIn, 0);
    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("ScrollBox1"));
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    setCentralWidget(scroll);

    Finder1 = new Finder(this);
    m_registerCommands = new RegisterCommands(this, *m_navigation, Panel1, Finder1);
    m_certificates = std::make_unique<CertificateCommands>(this, *m_navigation, Panel1, *m_view, *m_registerCommands);
    buildMenus();
    certificatesigning::addCommands(this, [this] { return m_navigation->archiveFolder(); });
    buildToolBar();
    // The register of certificates waits for the first screen and for the
    // archive's listing, which it would slow down on a busy machine.
    afterFirstPaint(StringGrid1->viewport(), 10000,
                    [this] { m_navigation->whenListed([this] { m_registerCommands->begin(); }); });

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    for (QTimer *timer : {Timer1, Timer2}) {
        timer->setSingleShot(true);
        timer->setInterval(10);
    }
    connect(Timer1, &QTimer::timeout, this, [this] { guarded(this, [this] { Timer1Timer(); }); });
    connect(Timer2, &QTimer::timeout, this, [this] { guarded(this, [this] { Timer2Timer(); }); });

    connect(StringGrid1, &FileGrid::mouseReleased, this,
            [this](int row, Qt::MouseButton button, const QPoint &pos) {
                bool stayed = false;
                guarded(this, [&] { stayed = !StringGrid1MouseUp(row); });
                // A right click brings up the pop-up menu after the row choice,
                // also when that row's record could not be shown; not when the
                // user chose to stay with typed changes, whose row stays current.
                if (button == Qt::RightButton && !stayed)
                    PopupMenu1->popup(pos);
            });
    connect(StringGrid1, &FileGrid::keyReleased, this, [this] { guarded(this, [this] { StringGrid1KeyUp(); }); });
    // From the keyboard the pop-up acts on the current row, chosen already.
    connect(StringGrid1, &FileGrid::popupRequested, PopupMenu1, [this](const QPoint &pos) { PopupMenu1->popup(pos); });
    connect(Panel1, &RecordPanel::testingModeChanged, this, [this] { guarded(this, [this] { ComboBox4Change(); }); });
    connect(Panel1, &RecordPanel::typedEditsChanged, this, &TForm1::updateTitle);
    connect(m_notice, &RecordNotice::showAgainRequested, this,
            [this] { guarded(this, [this] { m_view->showShownAgain(); }); });
    connect(m_notice, &RecordNotice::reapplyRequested, m_view, &WindowNavigationView::reapplyKeptTyped);
    connect(m_notice, &RecordNotice::discardRequested, m_view, &WindowNavigationView::dropKeptTyped);
    connect(m_view, &WindowNavigationView::recordShown, this, [this] {
        m_fillInOffer->recordShown();
        m_registerCommands->showLastIssued();
        updateTitle();
    });
    // A record chosen in an archive view is shown as a click on its row shows
    // it (asking first about typed changes of the record shown).
    connect(Finder1, &Finder::recordChosen, this, [this](const QString &fileName) {
        guarded(this, [&] {
            const int row = m_navigation->table().rowOfFile(fileName);
            if (row == 0)
                errors::throwText(tr("The record %1 is no longer listed in the archive.").arg(fileName));
            activateWindow();
            StringGrid1->setFocus();
            chooseRow(row);
        });
    });

    // Ctrl+A saves also while an edit box has the focus. A selector whose
    // text can be typed hands the key to its line edit past that line edit's
    // filters, so the selector gets the filter too.
    for (QWidget *w : Panel1->findChildren<QWidget *>())
        if (qobject_cast<QLineEdit *>(w) || qobject_cast<QAbstractSpinBox *>(w) || qobject_cast<QComboBox *>(w))
            w->installEventFilter(this);

    m_fillInOffer = new FillInOffer(this, Panel1, m_fillIn, *m_navigation, Finder1);
    guarded(this, [this] { FormCreate(); });
    createWindows();
}

// The file table's model reads the navigation's table: the widgets go first.
TForm1::~TForm1()
{
    m_navigation->observeTable(nullptr);
    delete takeCentralWidget();
}

bool TForm1::lastIssuedPending() const { return m_registerCommands->lookupPending(); }

void TForm1::createWindows()
{
    // The receive, help and About dialogs are built when first opened (WindowDialogs.cpp).
    QuickReport5 = new TQuickReport5(this);
}

void TForm1::FormCreate()
{
    // The window fits itself to its contents, except on a screen 640 pixels
    // wide, where the contents scroll instead.
    if (const QScreen *s = screen(); s && s->geometry().width() != 640) {
        const QSize frame = size() - centralWidget()->size();
        const QSize needed = static_cast<QScrollArea *>(centralWidget())->widget()->sizeHint() + frame;
        const QRect available = s->availableGeometry();
        resize(size().expandedTo(needed).boundedTo(available.size()));
        // A grown window still lies wholly on the screen.
        move(std::max(available.left(), std::min(x(), available.right() + 1 - width())),
             std::max(available.top(), std::min(y(), available.bottom() + 1 - height())));
    }
    Panel1->selectTestingMode(0);
    // A first run in a new folder starts with an empty archive; a save cut
    // off last time may have left its temporary file there.
    QDir().mkpath(m_navigation->archiveFolder());
    m_navigation->listAtStart();
    // Never listed: removed once the archive is (after the window shows, for a large one).
    m_navigation->whenListed(
        [folder = m_navigation->archiveFolder()] { atomicfile::removeStaleTemporaries(folder); });
    Timer2->start();
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_A)) {
            event->ignore();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::ToolButton10Click() { m_navigation->openAndDecode(); }
void TForm1::ToolButton11Click() { m_view->saveChanges(); }
void TForm1::ToolButton13Click() { m_certificates->print(*QuickReport5); }
void TForm1::Print1Click() { QuickReport5->pageSetup(this); }
void TForm1::ToolButton4Click() { close(); }
void TForm1::N4Click() { form2()->exec(); }
void TForm1::Word1Click() { m_certificates->exportToWriter(); }
void TForm1::Pdf1Click() { m_certificates->savePdf(*QuickReport5); }

void TForm1::UserGuide1Click()
{
    if (!Guide1)
        Guide1 = new GuideWindow(this);
    Guide1->showGuide();
}

void TForm1::Abaut1Click() { form3()->exec(); }
void TForm1::About2Click() { form4()->exec(); }
void TForm1::ToolButton16Click() { About2Click(); }

void TForm1::Limits1Click()
{
    LimitsDialog dialog(this);
    if (dialog.exec() == QDialog::Accepted)
        limits::InForce::instance().set(dialog.limits());
}

void TForm1::Certificates1Click() { m_registerCommands->showCertificates(); }
void TForm1::Register1Click() { m_registerCommands->editSettings(); }

bool TForm1::StringGrid1MouseUp(int tableRow) { return m_navigation->mouseUp(tableRow); }

void TForm1::chooseRow(int tableRow)
{
    // The highlight follows also when the row's record could not be shown.
    bool stayed = false;
    const auto highlight = qScopeGuard([&] {
        if (!stayed)
            StringGrid1->selectTableRow(tableRow);
    });
    stayed = !StringGrid1MouseUp(tableRow);
}

void TForm1::StringGrid1KeyUp() { m_navigation->keyUp(); }
void TForm1::N4531Click() { m_navigation->goTo(); }

void TForm1::N131Click()
{
    if (m_navigation->deleteCurrent() != Navigation::Outcome::ShowAsItIsNow)
        return;
    // The file chosen for deleting, as it is now: the record shown, keeping
    // what was typed for it, or a record that could not be shown before.
    if (m_navigation->chosenPath() == m_navigation->shownPath())
        m_view->showShownAgain();
    else
        chooseRow(m_navigation->CurrentRow);
}

void TForm1::ComboBox4Change() { m_view->changeTestingMode(); }

void TForm1::Timer1Timer()
{
    const QString received = Form2 ? Form2->takeSavedPath() : QString();
    m_navigation->rescan();
    if (const int row = m_view->receivedRow(received))
        chooseRow(row);
}

void TForm1::Timer2Timer() { m_navigation->startupOpen(); }

void TForm1::changeEvent(QEvent *event)
{
    // Back in the window: the record's file may have gone meanwhile.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        m_view->checkShownRecordFile();
    QMainWindow::changeEvent(event);
}

void TForm1::closeEvent(QCloseEvent *event)
{
    bool leave = false;
    guarded(this, [&] { leave = m_view->settleTypedEdits(QStringLiteral("closing the program")); });
    if (leave)
        QMainWindow::closeEvent(event);
    else
        event->ignore();
}

void TForm1::updateTitle()
{
    // "sart-0412.bin - SART TESTER SOFTWARE", marked "*" while typed changes
    // are not saved.
    const QString path = m_navigation->shownPath();
    const QString title = path.isEmpty() ? programTitle()
                                         : filenames::display(QFileInfo(path).fileName()) + QStringLiteral(" - ")
                                               + programTitle();
    setWindowTitle(Panel1->hasTypedEdits() || Panel1->testingDateEdited() ? u'*' + title : title);
}
