// The receive dialog and the reception's messages in the Russian interface:
// the captions translated, each message one whole translated sentence with
// the port, the device, the system's reason and the byte counts in place.

#include "Language.h"
#include "PortNames.h"
#include "Reception.h"
#include "RecordLayout.h"
#include "Unit2.h"

#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>

class TestSerialRussian : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void receiveDialog_data();
    void receiveDialog();
    void messages_data();
    void messages();

private:
    QTemporaryDir m_devices;  // no device at all: nothing is listed or opened
};

void TestSerialRussian::initTestCase()
{
    QVERIFY(m_devices.isValid());
    qputenv("SART_DEVICE_ROOT", QFile::encodeName(m_devices.path()));
    language::install(language::Choice::Russian);
    QCOMPARE(language::shown(), QStringLiteral("ru"));
}

void TestSerialRussian::receiveDialog_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("text");
    QTest::newRow("port") << "Label2" << QString::fromUtf8("Порт");
    QTest::newRow("port rate") << "Label1" << QString::fromUtf8("Скорость порта");
    QTest::newRow("data import") << "Button1" << QString::fromUtf8("Импорт данных");
    QTest::newRow("close") << "BitBtn1" << QString::fromUtf8("&Закрыть");
    QTest::newRow("save") << "Button9" << QString::fromUtf8("Сохранить данные в файл");
    QTest::newRow("devices") << "DevicesBox" << QString::fromUtf8("Последовательные &устройства");
    QTest::newRow("refresh") << "RefreshButton" << QString::fromUtf8("&Обновить");
    QTest::newRow("assign") << "AssignButton" << QString::fromUtf8("&Назначить COM1");
}

void TestSerialRussian::receiveDialog()
{
    QFETCH(QString, objectName);
    QFETCH(QString, text);
    QTemporaryDir start;
    TForm2 form(start.path());
    QObject *child = form.findChild<QObject *>(objectName);
    QVERIFY(child);
    if (auto *label = qobject_cast<QLabel *>(child))
        QCOMPARE(label->text(), text);
    else if (auto *button = qobject_cast<QPushButton *>(child))
        QCOMPARE(button->text(), text);
    else if (auto *box = qobject_cast<QGroupBox *>(child))
        QCOMPARE(box->title(), text);
    else
        QFAIL("no text to compare");
}

void TestSerialRussian::messages_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("expected");
    const QString again = QString::fromUtf8(". Ничего не сохранено. Проверьте, что тестер включён и подключён, и снова "
                                            "запустите импорт данных");
    QTest::newRow("line lost at a byte")
        << reception::lostLineText(1000)
        << QString::fromUtf8("Связь с тестером САРТ потеряна на байте 1000 из %1").arg(layout::RecordSize) + again;
    QTest::newRow("line lost before the answer")
        << reception::lostLineText(-1)
        << QString::fromUtf8("Связь с тестером САРТ потеряна до ответа на запрос начала передачи") + again;
    QTest::newRow("receiving error") << reception::shownText(reception::ReceivingErrorText)
                                     << QString::fromUtf8("ОШИБКА приёма");
    QTest::newRow("no answer") << reception::shownText(reception::NoAnswerText)
                               << QString::fromUtf8("Тестер САРТ не отвечает. Проверьте, что тестер включён и "
                                                    "подключён, и что порт и скорость порта выбраны верно");

    const QString device = QDir(m_devices.path()).filePath(QStringLiteral("dev/ttyUSB0"));
    const QString head = QString::fromUtf8("Не удаётся открыть порт COM2 (%1): ").arg(device);
    auto reason = [](int error) { return QString::fromLocal8Bit(std::strerror(error)); };
    QTest::newRow("port busy") << portnames::openFailureText(QStringLiteral("COM2"), device, EBUSY)
                               << head + reason(EBUSY) + QString::fromUtf8(". Его занимает другая программа");
    QTest::newRow("device gone")
        << portnames::openFailureText(QStringLiteral("COM2"), device, ENOENT)
        << head + reason(ENOENT)
               + QString::fromUtf8(". Проверьте, подключён ли адаптер, или направьте COM2 на нужное устройство "
                                   "ссылкой в %1")
                     .arg(portnames::portsFolder());
    QTest::newRow("other reason") << portnames::openFailureText(QStringLiteral("COM2"), device, EIO)
                                  << head + reason(EIO);
}

void TestSerialRussian::messages()
{
    QFETCH(QString, shown);
    QFETCH(QString, expected);
    QCOMPARE(shown, expected);
}

QTEST_MAIN(TestSerialRussian)
#include "tst_serialrussian.moc"
