// The help text, its printable copy, the help window and the printed help.
#include "HelpPage.h"
#include "HelpText.h"
#include "PdfText.h"
#include "Unit3.h"
#include "Unit6.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cmath>

namespace {

const QStringList FieldNames = {
    "Низкая частота ", "Высокая частота ", "Мощность", "Последовательность", "Количество дотов",
    "Частота повторения", "Время генерации", "Минимальное напряжение", "Максимальное напряжение",
    "Тестовый режим", "Номер тестера", "Количество тестов", "Радиоинженер", "Быть на готове", "Светодиод",
    "Звук", "Следующая дата теста ", "Контроллер", "Дата теста (дата прибора)",
    "Дата теста (компьютерная дата)", "Время теста (компьютерное время)",
};

// The field list as the printed copy writes it: names 1-6, 7-11, 12-18,
// 19-21, comma separated, trailing spaces dropped.
QStringList printedFieldList()
{
    QStringList names;
    for (const QString &name : FieldNames)
        names << name.trimmed();
    return {
        names.mid(0, 6).join(", ") + ",",
        names.mid(6, 5).join(", ") + ",",
        names.mid(11, 7).join(", ") + ",",
        names.mid(18, 3).join(", "),
    };
}

struct Wire
{
    int computerPin;
    int testerPin;
    QString label;
    bool operator==(const Wire &) const = default;
};

// Reads the cable drawing: pins are numbered beside the connectors, wires are
// runs of "-" between a computer pin and a tester pin, labelled on the line above.
QList<Wire> wires(const QStringList &drawing, QList<int> *computerPins, QList<int> *testerPins)
{
    static const QRegularExpression wireRe(QStringLiteral("(\\d)-{3,}(\\d)"));
    static const QRegularExpression leftPin(QStringLiteral("^[^\\d]*\\|(\\d)"));
    static const QRegularExpression rightPin(QStringLiteral("(\\d)\\|[^|]*[|/\\\\]\\s*$"));
    QList<Wire> result;
    for (int i = 0; i < drawing.size(); ++i) {
        const QString &row = drawing.at(i);
        if (auto m = leftPin.match(row); m.hasMatch())
            computerPins->append(m.captured(1).toInt());
        if (auto m = rightPin.match(row); m.hasMatch())
            testerPins->append(m.captured(1).toInt());
        if (auto m = wireRe.match(row); m.hasMatch() && i > 0)
            result.append({m.captured(1).toInt(), m.captured(2).toInt(), drawing.at(i - 1).simplified().section(' ', -4, -4)});
    }
    return result;
}

} // namespace

class TestHelp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void windowTextLines_data();
    void windowTextLines();
    void windowTextListsFieldsTwice();
    void cableDrawing_data();
    void cableDrawing();
    void printedCopyLayout();
    void printedHelpIsComplete();
    void helpWindow();
    void helpWindowOpensAtFirstLine();
    void printPreviewsPrintableHelp();
    void closeEndsModalCall();

private:
    QTemporaryDir m_dir;
};

void TestHelp::windowTextLines_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("text");
    const QStringList lines = help::windowLines();
    QCOMPARE(lines.size(), 128);
    QTest::newRow("3") << 3 << "Контексное меню содержит:";
    QTest::newRow("32") << 32 << "1. Обрыв линии связи.";
    QTest::newRow("103") << 103 << "РАСПАЙКА КАБЕЛЯ:";
    QTest::newRow("105") << 105 << "\tВИД СО СТОРОНЫ ПАЙКИ";
    QTest::newRow("126") << 126 << " ";
    for (int line : {2, 4, 15, 17, 23, 30, 33, 34, 59, 62, 85, 90, 91, 93, 101, 102, 104, 106,
                     121, 122, 123, 124, 125, 127, 128})
        QTest::addRow("%d empty", line) << line << QString();
}

void TestHelp::windowTextLines()
{
    QFETCH(int, line);
    QFETCH(QString, text);
    QCOMPARE(help::windowLines().at(line - 1), text);
}

void TestHelp::windowTextListsFieldsTwice()
{
    const QStringList lines = help::windowLines();
    QCOMPARE(lines.mid(37, 21), FieldNames);
    QCOMPARE(lines.mid(63, 21), FieldNames);
    QVERIFY(lines.at(0).contains(QLatin1String("Marine Test Instruments")));
    QVERIFY(lines.at(4).startsWith(QLatin1String("1. File")));
    QVERIFY(lines.at(15).startsWith(QLatin1String("2. Work")));
    QVERIFY(lines.at(34).startsWith(QLatin1String("3. Tools")));
    QVERIFY(lines.at(35).startsWith(QLatin1String("3.1 World")));
    QVERIFY(lines.at(62).startsWith(QLatin1String("3.2 File.txt")));
    QVERIFY(lines.at(85).startsWith(QLatin1String("4. Help")));
    QVERIFY(lines.at(91).startsWith(QLatin1String("4.2 About")));
}

void TestHelp::cableDrawing_data()
{
    QTest::addColumn<QStringList>("drawing");
    QTest::addColumn<QStringList>("captions");
    const QStringList window = help::windowLines();
    const QStringList printed = help::printLines();
    const int heading = printed.indexOf(QStringLiteral("РАСПАЙКА КАБЕЛЯ: (ВИД СО СТОРОНЫ ПАЙКИ)"));
    QVERIFY(heading > 0);
    QTest::newRow("window") << window.mid(109, 11) << window.mid(106, 3);
    QTest::newRow("printed") << printed.mid(heading + 4, 11) << printed.mid(heading + 1, 3);
}

void TestHelp::cableDrawing()
{
    QFETCH(QStringList, drawing);
    QFETCH(QStringList, captions);
    QList<int> computerPins, testerPins;
    const QList<Wire> found = wires(drawing, &computerPins, &testerPins);
    QCOMPARE(found, (QList<Wire>{{2, 4, "Rxd"}, {3, 3, "Txd"}, {5, 1, "Gnd"}}));
    QCOMPARE(computerPins, (QList<int>{1, 2, 3, 4, 5}));
    QCOMPARE(testerPins, (QList<int>{5, 4, 3, 2, 1}));
    QCOMPARE(drawing.join(QString()).count(u'o'), 18);  // two 9-pin connectors

    QVERIFY(captions.at(0).startsWith(QStringLiteral("\u0420\u0421 к разъему")));
    QVERIFY(captions.at(0).trimmed().endsWith(QStringLiteral("блок питания")));
    QVERIFY(captions.at(1).startsWith(QLatin1String("com")));
    QVERIFY(captions.at(1).trimmed().endsWith(QStringLiteral("прибора к разъему")));
    QCOMPARE(captions.at(2).trimmed(), QStringLiteral("\"COMPUTER\""));
}

void TestHelp::printedCopyLayout()
{
    const QStringList window = help::windowLines();
    const QStringList printed = help::printLines();
    QVERIFY(!printed.join(QString()).contains(u'\t'));
    QVERIFY(printed.at(0).contains(QLatin1String("Marine Test Instruments")));

    // Each field list as four lines followed by one empty line.
    const QStringList list = printedFieldList();
    QList<int> lists;
    for (int i = 0; i + 4 < printed.size(); ++i) {
        if (printed.mid(i, 4) == list) {
            QVERIFY(printed.at(i + 4).isEmpty());
            lists << i;
        }
    }
    QCOMPARE(lists.size(), 2);

    // The only empty lines: after the lists, and nine at the end.
    QCOMPARE(printed.mid(printed.size() - 9), (QStringList{"", "", "", "", "", " ", "", "", ""}));
    QCOMPARE(printed.mid(0, printed.size() - 9).count(QString()), 2);

    // The wiring section: one heading, the same drawing with spaces for tabs.
    const int heading = printed.indexOf(QStringLiteral("РАСПАЙКА КАБЕЛЯ: (ВИД СО СТОРОНЫ ПАЙКИ)"));
    QVERIFY(heading > lists.last());
    // Wires are drawn as long as the spacing needs.
    static const QRegularExpression wire(QStringLiteral("-+"));
    for (int i = 0; i < 14; ++i) {
        QCOMPARE(pdftext::collapseSpaces(printed.at(heading + 1 + i)).replace(wire, "-"),
                 pdftext::collapseSpaces(window.at(106 + i)).replace(wire, "-"));
    }
    QVERIFY(window.mid(106, 14).join(QString()).contains(u'\t'));

    // Nothing of the window's text is lost in the joined lines.
    QString windowWords;
    QString printedWords;
    for (int i = 2; i < 120; ++i) {
        if ((i < 37 || i > 57) && (i < 63 || i > 83) && i != 102 && i != 104)
            windowWords += window.at(i) + u' ';
    }
    for (int i = printed.indexOf(window.at(2)); i < printed.size(); ++i) {
        if (!lists.contains(i) && !lists.contains(i - 1) && !lists.contains(i - 2) && !lists.contains(i - 3)
            && i != heading)
            printedWords += printed.at(i) + u' ';
    }
    QCOMPARE(pdftext::collapseSpaces(printedWords).replace(wire, "-"),
             pdftext::collapseSpaces(windowWords).replace(wire, "-"));
}

void TestHelp::printedHelpIsComplete()
{
    TQuickReport6 report;
    const QString path = m_dir.filePath("help.pdf");
    report.printToPdf(path);

    // More text than one memo frame holds: it goes on over the next page.
    QCOMPARE(pdftext::info(path, "Pages"), QStringLiteral("2"));
    QString expected;
    for (const QString &line : report.lines())
        expected += line + u' ';
    QCOMPARE(pdftext::flatText(path), pdftext::collapseSpaces(expected));

    // Every word within the memo frame, and no page without text.
    const QList<pdftext::Word> words = pdftext::words(path);
    QList<int> wordsPerPage(2, 0);
    const double left = (10 + helppage::Memo.left()) * pdftext::PointsPerMm;
    const double top = (10 + helppage::Memo.top()) * pdftext::PointsPerMm;
    for (const pdftext::Word &w : words) {
        ++wordsPerPage[w.page];
        QVERIFY(w.xMin >= left - 1 && w.xMax <= left + helppage::Memo.width() * pdftext::PointsPerMm + 1);
        QVERIFY(w.yMin >= top - 1 && w.yMax <= top + helppage::Memo.height() * pdftext::PointsPerMm + 1);
    }
    QVERIFY(wordsPerPage.at(0) > 0 && wordsPerPage.at(1) > 0);
    QVERIFY(!words.isEmpty() && words.first().text == QStringLiteral("Программное"));
    QVERIFY(std::abs(words.first().xMin / pdftext::PointsPerMm - 20.6) < 0.5);
    QVERIFY(std::abs(words.first().yMin / pdftext::PointsPerMm - 12.1) < 0.5);
}

void TestHelp::helpWindow()
{
    TForm3 form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Form3"));
    auto *memo = form.findChild<QPlainTextEdit *>("Memo1");
    auto *print = form.findChild<QPushButton *>("Button1");
    auto *close = form.findChild<QPushButton *>("BitBtn1");
    auto *panel = form.findChild<QWidget *>("Panel1");
    QVERIFY(memo && print && close && panel);
    QCOMPARE(print->text(), QStringLiteral("Print"));
    QCOMPARE(close->text(), QStringLiteral("&Close"));
    QVERIFY(!close->icon().isNull());

    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(form.isMaximized());
    QCOMPARE(panel->height(), 57);
    QCOMPARE(panel->width(), form.width());
    QVERIFY(print->geometry().right() < close->geometry().left());
    QCOMPARE(memo->geometry().top(), panel->geometry().bottom() + 1);

    QCOMPARE(memo->document()->blockCount(), 128);
    QCOMPARE(memo->toPlainText(), help::windowLines().join(u'\n'));
    QCOMPARE(memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QVERIFY(memo->isReadOnly());
    memo->setFocus();
    QTest::keyClicks(memo, "typed");
    QTest::keyClick(memo, Qt::Key_Delete);
    QCOMPARE(memo->toPlainText(), help::windowLines().join(u'\n'));
}

void TestHelp::helpWindowOpensAtFirstLine()
{
    TForm3 form;
    auto *memo = form.findChild<QPlainTextEdit *>("Memo1");
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    memo->verticalScrollBar()->setValue(memo->verticalScrollBar()->maximum());
    QVERIFY(memo->verticalScrollBar()->value() > 0);
    form.hide();
    form.show();
    QCOMPARE(memo->verticalScrollBar()->value(), 0);
    QVERIFY(form.isMaximized());
}

void TestHelp::printPreviewsPrintableHelp()
{
    TForm3 form;
    form.show();
    int pages = -1;
    QString previewed;
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        pages = dialog->findChild<QPrintPreviewWidget *>()->pageCount();
        dialog->close();
    });
    QTest::mouseClick(form.findChild<QPushButton *>("Button1"), Qt::LeftButton);
    QCOMPARE(pages, 2);
    QVERIFY(form.isVisible());
}

void TestHelp::closeEndsModalCall()
{
    TForm3 form;
    QTimer::singleShot(0, this, [&] { QTest::mouseClick(form.findChild<QPushButton *>("BitBtn1"), Qt::LeftButton); });
    form.exec();
    QVERIFY(!form.isVisible());
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
