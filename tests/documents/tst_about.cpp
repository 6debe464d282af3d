// The About box: its elements, the web link's colours through the mouse
// events, the address handed to the desktop, and the inert e-mail addresses.
#include "Unit4.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

// Receives what the About box hands to the desktop instead of a browser.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened.append(url); }
};

class TestAbout : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void elements();
    void linkColourFollowsPointer();
    void clickOpensWebAddress();
    void releaseOutsideIsNoClick();
    void mailAddressesAreInert();
    void enterClosesWithOk();

private:
    QColor linkColour() const { return m_form->findChild<QLabel *>("Label2")->palette().color(QPalette::WindowText); }
    QLabel *label(const char *name) const { return m_form->findChild<QLabel *>(name); }

    TForm4 *m_form = nullptr;
    UrlCatcher m_catcher;
};

void TestAbout::init()
{
    for (const QString &scheme : {"http", "https", "mailto"})
        QDesktopServices::setUrlHandler(scheme, &m_catcher, "open");
    m_catcher.opened.clear();
    m_form = new TForm4;
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
}

void TestAbout::cleanup()
{
    delete m_form;
    for (const QString &scheme : {"http", "https", "mailto"})
        QDesktopServices::unsetUrlHandler(scheme);
}

void TestAbout::elements()
{
    QCOMPARE(m_form->windowTitle(), QStringLiteral("SART TESTER SOFTWARE"));
    QCOMPARE(label("Label5")->text(), QStringLiteral("WEB:"));
    QCOMPARE(label("Label6")->text(), QStringLiteral("e-mail:"));
    QCOMPARE(label("Label5")->font().family(), QStringLiteral("Arial"));
    QCOMPARE(label("Label5")->font().pointSize(), 14);
    for (const char *name : {"Label2", "Label7", "Label8"}) {
        QCOMPARE(label(name)->font().pointSize(), 12);
        QVERIFY(label(name)->font().underline());
        QCOMPARE(label(name)->cursor().shape(), Qt::PointingHandCursor);
    }
    QCOMPARE(linkColour(), QColor(0, 0, 255));
    QCOMPARE(label("Label7")->palette().color(QPalette::WindowText), QColor(255, 0, 255));
    QCOMPARE(label("Label8")->palette().color(QPalette::WindowText), QColor(255, 0, 255));

    QLabel *logo = label("Image2");
    QCOMPARE(logo->size(), QSize(81, 65));
    QCOMPARE(logo->pixmap().size(), QSize(106, 64));
    QVERIFY(logo->hasScaledContents());
    // Top-right corner: right of the title, above the address rows.
    QVERIFY(logo->geometry().left() > label("Label1")->geometry().right());
    QVERIFY(logo->geometry().bottom() < label("Label2")->geometry().top());

    auto *ok = m_form->findChild<QPushButton *>("BitBtn1");
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QVERIFY(ok->isDefault());
    QVERIFY(!ok->icon().isNull());
    QVERIFY(ok->geometry().top() > label("Label8")->geometry().bottom());
    // All elements lie on the raised panel.
    QWidget *panel = m_form->findChild<QWidget *>("Panel1");
    for (QWidget *child : m_form->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        QCOMPARE(child, panel);
}

void TestAbout::linkColourFollowsPointer()
{
    QLabel *link = label("Label2");
    QWidget *panel = m_form->findChild<QWidget *>("Panel1");
    const QColor blue(0, 0, 255), yellow(255, 255, 0);

    QTest::mouseMove(link);
    QCOMPARE(linkColour(), yellow);
    // Over another label the address keeps its hover colour ...
    QTest::mouseMove(label("Label4"));
    QCOMPARE(linkColour(), yellow);
    // ... the bare panel ends it.
    QTest::mouseMove(panel, QPoint(3, panel->height() - 3));
    QCOMPARE(linkColour(), blue);

    QTest::mouseMove(link);
    QCOMPARE(linkColour(), yellow);
    QTest::mousePress(link, Qt::LeftButton);
    QCOMPARE(linkColour(), blue);
    QTest::mouseMove(link);
    QCOMPARE(linkColour(), yellow);
    QTest::mouseRelease(link, Qt::LeftButton);
    QCOMPARE(linkColour(), blue);

    // The colour is not reset by closing: the box opens again as it was left.
    QTest::mouseMove(link, QPoint(2, 2));
    QCOMPARE(linkColour(), yellow);
    m_form->hide();
    m_form->show();
    QCOMPARE(linkColour(), yellow);
}

void TestAbout::clickOpensWebAddress()
{
    QTest::mouseClick(label("Label2"), Qt::LeftButton);
    QCOMPARE(m_catcher.opened, (QList<QUrl>{QUrl("http://www.example.com")}));
    QCOMPARE(linkColour(), QColor(0, 0, 255));
}

void TestAbout::releaseOutsideIsNoClick()
{
    QLabel *link = label("Label2");
    QTest::mousePress(link, Qt::LeftButton);
    QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(link->width() + 20, link->height() / 2));
    QTest::mouseClick(link, Qt::RightButton);
    QVERIFY(m_catcher.opened.isEmpty());
}

void TestAbout::mailAddressesAreInert()
{
    for (const char *name : {"Label7", "Label8"}) {
        QTest::mouseClick(label(name), Qt::LeftButton);
        QTest::mouseDClick(label(name), Qt::LeftButton);
        QCOMPARE(label(name)->palette().color(QPalette::WindowText), QColor(255, 0, 255));
    }
    QVERIFY(m_catcher.opened.isEmpty());
    QCOMPARE(linkColour(), QColor(0, 0, 255));
}

void TestAbout::enterClosesWithOk()
{
    m_form->hide();
    QTimer::singleShot(0, this, [this] { QTest::keyClick(m_form, Qt::Key_Return); });
    QCOMPARE(m_form->exec(), int(QDialog::Accepted));
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
