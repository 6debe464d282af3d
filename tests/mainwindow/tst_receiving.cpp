// "Receiving" from the main window against the SART tester simulator on a
// pseudo-terminal: the record saved into the archive is selected and shown,
// a cancelled save asks before the record is given up, and the port and rate
// come back at the next start of the program.
#include "FaultSupport.h"
#include "HeaderWriteBack.h"
#include "RecordLayout.h"
#include "SampleRecord.h"
#include "SimProcess.h"
#include "TestSupport.h"
#include "Unit1.h"
#include "WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QTemporaryDir>
#include <QTest>

using namespace windowtest;
using faults::ModalScript;

namespace {

const QString SimPort = QStringLiteral("COM2");
constexpr int SentVariant = 5;

// "Receiving" from the menu; returns when the receive dialog has closed and
// the rescan it asks for has run.
void receive(TForm1 &form)
{
    action(form, QStringLiteral("N4"))->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(!form.Timer1->isActive(), 5000);
    QTest::qWait(20);
}

QString report(const ModalScript &script)
{
    return QStringLiteral("seen: ") + script.seen().join(QStringLiteral(" | ")) + QStringLiteral("; unexpected: ")
        + script.unexpected().join(QStringLiteral(" | "));
}

} // namespace

class TestReceiving : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void receivedRecordShown_data();
    void receivedRecordShown();
    void cancelledSaveAsks_data();
    void cancelledSaveAsks();
    void portAndRateAfterRestart();
    void savedOverRecordWithTypedChanges();
    void reopenedDialogStartsAtZero();
    void savedOverRecordMarksItsValues();

private:
    QTemporaryDir m_config;   // XDG_CONFIG_HOME: port links and settings
    QTemporaryDir m_devices;  // SART_DEVICE_ROOT: no devices of the machine
    QString m_sentRecord;
};

void TestReceiving::initTestCase()
{
    QVERIFY(m_config.isValid() && m_devices.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
    qputenv("SART_DEVICE_ROOT", QFile::encodeName(m_devices.path()));
    m_sentRecord = m_config.filePath(QStringLiteral("sent.bin"));
    testsupport::writeFile(m_sentRecord, sample::makeRecord(sample::variant(SentVariant)));
}

void TestReceiving::receivedRecordShown_data()
{
    QTest::addColumn<QString>("name");     // as typed in the save dialog; "/" for the start directory
    QTest::addColumn<bool>("inArchive");
    QTest::newRow("new name") << "new" << true;
    QTest::newRow("first in the table") << "0-first" << true;
    QTest::newRow("over the record shown") << "b" << true;
    QTest::newRow("outside the archive") << "/elsewhere" << false;
}

// The saved record's row is selected and the record is shown as a click on
// that row shows it. A record saved elsewhere is not listed, and the record
// shown stays.
void TestReceiving::receivedRecordShown()
{
    QFETCH(QString, name);
    QFETCH(bool, inArchive);
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    dir.addRecord("b.bin", 1);
    SimProcess sim(SimPort, {QStringLiteral("--record"), m_sentRecord});
    QVERIFY2(sim.isReady(), qPrintable(sim.output()));
    auto form = startWindow();
    QCOMPARE(shownPower(*form), powerOf(1));

    ModalScript script;
    script.receiveOn(SimPort);
    script.saveAs(name.startsWith(u'/') ? dir.path() + name : name);
    if (name == u"b")
        script.press(QMessageBox::Yes);
    receive(*form);

    QVERIFY2(script.unexpected().isEmpty() && script.pending() == 0, qPrintable(report(script)));
    if (!inArchive) {
        QVERIFY(QFileInfo::exists(dir.path() + name + QStringLiteral(".bin")));
        QCOMPARE(listedNames(*form), QStringList({"a.bin", "b.bin"}));
        QCOMPARE(shownPower(*form), powerOf(1));
        QCOMPARE(highlightedRows(*form), QList<int>{2});
        return;
    }
    const int row = form->navigation().table().rowOfFile(name + QStringLiteral(".bin"));
    QVERIFY(row > 0);
    QCOMPARE(highlightedRows(*form), QList<int>{row});
    QCOMPARE(form->navigation().CurrentRow, row);
    QCOMPARE(form->navigation().shownPath(), dir.inArchive(name + QStringLiteral(".bin")));
    QCOMPARE(shownPower(*form), powerOf(SentVariant));
}

void TestReceiving::cancelledSaveAsks_data()
{
    QTest::addColumn<bool>("discard");
    QTest::newRow("discard") << true;
    QTest::newRow("keep, then save") << false;
}

// Cancelling the save dialog asks first. Discarding leaves the archive and
// the record shown as they were; keeping shows the save dialog again.
void TestReceiving::cancelledSaveAsks()
{
    QFETCH(bool, discard);
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    SimProcess sim(SimPort, {QStringLiteral("--record"), m_sentRecord});
    QVERIFY2(sim.isReady(), qPrintable(sim.output()));
    auto form = startWindow();

    ModalScript script;
    script.receiveOn(SimPort);
    script.cancelFile();
    script.press(discard ? QMessageBox::Discard : QMessageBox::Save);
    if (!discard)
        script.saveAs(QStringLiteral("kept"));
    receive(*form);

    QVERIFY2(script.unexpected().isEmpty() && script.pending() == 0, qPrintable(report(script)));
    QCOMPARE(script.messages(),
             QStringList{"The received record has not been saved. Discard it?\n"
                         "A discarded record can only be had again by receiving it once more."});
    if (discard) {
        QCOMPARE(listedNames(*form), QStringList{"a.bin"});
        QCOMPARE(shownPower(*form), powerOf(0));
    } else {
        QCOMPARE(listedNames(*form), QStringList({"a.bin", "kept.bin"}));
        QCOMPARE(highlightedRows(*form), QList<int>{2});
        QCOMPARE(shownPower(*form), powerOf(SentVariant));
    }
}

// The port and rate of a reception are chosen again when the program starts
// anew with the same settings folder.
void TestReceiving::portAndRateAfterRestart()
{
    StartDirectory dir;
    SimProcess sim(SimPort, {QStringLiteral("--record"), m_sentRecord});
    QVERIFY2(sim.isReady(), qPrintable(sim.output()));
    {
        auto form = startWindow();
        ModalScript script;
        script.then(QStringLiteral("TForm2"), [](QWidget *dialog) {
            dialog->findChild<QComboBox *>(QStringLiteral("CBBaud"))->setCurrentText(QStringLiteral("57600"));
            dialog->findChild<QComboBox *>(QStringLiteral("CBPort"))->setCurrentText(SimPort);
            QTimer::singleShot(0, dialog->findChild<QPushButton *>(QStringLiteral("Button1")),
                               &QAbstractButton::click);
        });
        script.saveAs(QStringLiteral("r"));
        receive(*form);
        QVERIFY2(script.unexpected().isEmpty() && script.pending() == 0, qPrintable(report(script)));
        QCOMPARE(listedNames(*form), QStringList{"r.bin"});
    }

    auto form = startWindow();
    QString port;
    QString rate;
    ModalScript script;
    script.then(QStringLiteral("TForm2"), [&](QWidget *dialog) {
        port = dialog->findChild<QComboBox *>(QStringLiteral("CBPort"))->currentText();
        rate = dialog->findChild<QComboBox *>(QStringLiteral("CBBaud"))->currentText();
        static_cast<QDialog *>(dialog)->reject();
    });
    receive(*form);
    QVERIFY2(script.unexpected().isEmpty() && script.pending() == 0, qPrintable(report(script)));
    QCOMPARE(port, SimPort);
    QCOMPARE(rate, QStringLiteral("57600"));
}

// A received record saved over the record shown while that record has typed
// changes: the changes are told as lost and never written into the received
// record, which is shown as received.
void TestReceiving::savedOverRecordWithTypedChanges()
{
    StartDirectory dir;
    dir.addRecord("a.bin", 0);
    const QString b = dir.addRecord("b.bin", 1);
    SimProcess sim(SimPort, {QStringLiteral("--record"), m_sentRecord});
    QVERIFY2(sim.isReady(), qPrintable(sim.output()));
    auto form = startWindow();
    auto *edit = form->findChild<QLineEdit *>(QStringLiteral("Edit3"));
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("TYPED"));
    QCOMPARE(form->windowTitle(), QStringLiteral("*b.bin - SART TESTER SOFTWARE"));

    ModalScript script;
    script.receiveOn(SimPort);
    script.saveAs(QStringLiteral("b"));
    script.press(QMessageBox::Yes);
    script.acknowledge();
    receive(*form);

    QVERIFY2(script.unexpected().isEmpty() && script.pending() == 0, qPrintable(report(script)));
    QCOMPARE(script.messages().last(),
             QStringLiteral("The received record replaced the record b.bin: the changes typed for it were not saved."));
    const QByteArray sent = testsupport::readFile(m_sentRecord);
    const QByteArray saved = testsupport::readFile(b);
    QCOMPARE(saved.mid(layout::SartModel, 20), sent.mid(layout::SartModel, 20));
    QCOMPARE(form->windowTitle(), QStringLiteral("b.bin - SART TESTER SOFTWARE"));
    QCOMPARE(shownPower(*form), powerOf(SentVariant));
    QVERIFY(editText(*form, "Edit3") != QStringLiteral("TYPED"));
}

// A received record saved over a record with saved SART data: the values read
// from that record are marked as another record's, and Print asks.
void TestReceiving::savedOverRecordMarksItsValues()
{
    StartDirectory dir;
    RecordHeader v;
    v.sartModel = QStringLiteral("OLD-SART");
    v.manufacturerNo = QStringLiteral("111");
    v.vessel = QStringLiteral("MV Old");
    v.standByIndex = v.ledIndex = v.beeperIndex = 0;
    v.nextTestDate = QDate(2027, 1, 1);
    v.batteryDate = QDate(2028, 1, 1);
    dir.addFile("b.bin", writeback::rewrite(sample::makeRecord(sample::variant(1)), v));
    SimProcess sim(SimPort, {QStringLiteral("--record"), m_sentRecord});
    QVERIFY2(sim.isReady(), qPrintable(sim.output()));
    auto form = startWindow();
    auto *model = form->findChild<QLineEdit *>(QStringLiteral("Edit3"));
    QVERIFY(!model->property("carriedOver").toBool());

    {
        ModalScript script;
        script.receiveOn(SimPort);
        script.saveAs(QStringLiteral("b"));
        script.press(QMessageBox::Yes);
        receive(*form);
        QVERIFY2(script.unexpected().isEmpty() && script.pending() == 0, qPrintable(report(script)));
    }
    QCOMPARE(shownPower(*form), powerOf(SentVariant));
    QCOMPARE(model->text(), QStringLiteral("OLD-SART"));
    QVERIFY(model->property("carriedOver").toBool());

    // Print names them in the check before a certificate, which has no Yes.
    ModalScript print;
    print.press(QMessageBox::Cancel);
    form->findChild<QToolButton *>(QStringLiteral("ToolButton13"))->click();
    QVERIFY2(print.unexpected().isEmpty() && print.pending() == 0, qPrintable(report(print)));
    QVERIFY2(print.messages().value(0).contains(
                 QStringLiteral("is carried over from the record b.bin as it was before it was replaced")),
             qPrintable(report(print)));
}

// After a complete reception the dialog opens again with nothing received.
void TestReceiving::reopenedDialogStartsAtZero()
{
    StartDirectory dir;
    SimProcess sim(SimPort, {QStringLiteral("--record"), m_sentRecord});
    QVERIFY2(sim.isReady(), qPrintable(sim.output()));
    auto form = startWindow();
    {
        ModalScript script;
        script.receiveOn(SimPort);
        script.saveAs(QStringLiteral("r"));
        receive(*form);
        QVERIFY2(script.unexpected().isEmpty() && script.pending() == 0, qPrintable(report(script)));
    }
    int shown = -1;
    ModalScript script;
    script.then(QStringLiteral("TForm2"), [&](QWidget *dialog) {
        shown = dialog->findChild<QProgressBar *>(QStringLiteral("Gauge1"))->value();
        static_cast<QDialog *>(dialog)->reject();
    });
    receive(*form);
    QVERIFY2(script.unexpected().isEmpty() && script.pending() == 0, qPrintable(report(script)));
    QCOMPARE(shown, 0);
}

QTEST_MAIN(TestReceiving)
#include "tst_receiving.moc"
