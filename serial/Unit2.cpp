#include "Unit2.h"

#include "AtomicFile.h"
#include "ErrorBox.h"
#include "MyCom.h"
#include "PortNames.h"
#include "RecordLayout.h"
#include "Reception.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QStyle>
#include <QVBoxLayout>

namespace {

const QStringList portItems = {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8"};
const QStringList baudItems = {"110",   "300",   "1200",  "2400",   "4800",   "9600",   "14400",
                               "19200", "38400", "56000", "57600", "115200", "128000", "256000"};

template<typename W>
W *named(W *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

TForm2::TForm2(const QString &startDirectory, QWidget *parent)
    : QDialog(parent), m_startDirectory(startDirectory)
{
    setWindowTitle(QString());
    resize(270, 248);

    GroupBox1 = named(new QGroupBox(this), "GroupBox1");
    QFont font = GroupBox1->font();
    font.setPixelSize(16);
    GroupBox1->setFont(font);

    Label2 = named(new QLabel(QStringLiteral("Port"), GroupBox1), "Label2");
    CBPort = named(new QComboBox(GroupBox1), "CBPort");
    CBPort->addItems(portItems);
    Label1 = named(new QLabel(QStringLiteral("Port rate"), GroupBox1), "Label1");
    CBBaud = named(new QComboBox(GroupBox1), "CBBaud");
    CBBaud->addItems(baudItems);
    DeviceLabel = named(new QLabel(GroupBox1), "DeviceLabel");
    DeviceLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    DeviceLabel->setFont(QDialog::font());
    Gauge1 = named(new QProgressBar(GroupBox1), "Gauge1");
    Gauge1->setRange(0, layout::RecordSize);
    Gauge1->setFormat(QStringLiteral("%p%"));
    Gauge1->setAlignment(Qt::AlignCenter);
    Gauge1->setStyleSheet(QStringLiteral("QProgressBar { background: white; border: 1px solid gray; }"
                                         "QProgressBar::chunk { background: aqua; }"));
    Gauge1->setMinimumHeight(17);
    Button1 = named(new QPushButton(QStringLiteral("Data import"), GroupBox1), "Button1");
    Button1->setMinimumHeight(33);
    BitBtn1 = named(new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton),
                                    QStringLiteral("&Close"), GroupBox1),
                    "BitBtn1");
    BitBtn1->setMinimumHeight(33);
    Button9 = named(new QPushButton(QStringLiteral("Save data to file"), GroupBox1), "Button9");
    Button9->hide();

    auto *grid = new QGridLayout(GroupBox1);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(6);
    grid->addWidget(Label2, 0, 0);
    grid->addWidget(Label1, 0, 1);
    grid->addWidget(CBPort, 1, 0);
    grid->addWidget(CBBaud, 1, 1);
    grid->addWidget(DeviceLabel, 2, 0, 1, 2);
    grid->addWidget(Gauge1, 3, 0, 1, 2);
    grid->addWidget(Button1, 4, 0, 1, 2);
    grid->addWidget(BitBtn1, 5, 0, 1, 2);
    grid->setRowMinimumHeight(3, 30);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);
    outer->addWidget(GroupBox1);

    setTabOrder(CBBaud, CBPort);
    setTabOrder(CBPort, BitBtn1);
    setTabOrder(BitBtn1, Button1);

    Comm1 = new TComm(this);
    Comm1->setObjectName(QStringLiteral("Comm1"));
    ReceiveBuffer = QByteArray(layout::RecordSize, '\0');

    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button9, &QPushButton::clicked, this, [this] { guarded(this, [this] { Button9Click(); }); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { guarded(this, [this] { close(); }); });
    connect(CBPort, &QComboBox::currentIndexChanged, this, [this] { CBPortChange(); });

    FormCreate();
}

TForm2::~TForm2() = default;

void TForm2::FormCreate()
{
    CBPort->setCurrentIndex(portItems.indexOf(QStringLiteral("COM1")));
    CBBaud->setCurrentIndex(baudItems.indexOf(QStringLiteral("19200")));
    Gauge1->setValue(0);
    CBPortChange();
}

void TForm2::done(int result)
{
    // A closing during a reception stops it; nothing is saved.
    m_stopRequested = true;
    QDialog::done(result);
    FormClose();
}

void TForm2::FormClose() { emit formClosed(); }

void TForm2::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    CBPortChange();  // the port links may have changed since the last opening
}

void TForm2::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    CBPortChange();
}

void TForm2::CBPortChange()
{
    const QString port = CBPort->currentText();
    const QString device = portnames::devicePath(port);
    const QString text = QStringLiteral("Device: %1").arg(device);
    DeviceLabel->setText(DeviceLabel->fontMetrics().elidedText(text, Qt::ElideMiddle,
                                                               qMax(DeviceLabel->width(), 1)));
    DeviceLabel->setToolTip(QStringLiteral("%1 stands for %2.\nPoint %1 at another device with a "
                                           "symbolic link named %1 in %3")
                                .arg(port, device, portnames::portsFolder()));
}

void TForm2::Button1Click()
{
    guarded(this, [this] {
        // One reception at a time: a second start would open the port again
        // under the running one.
        m_stopRequested = false;
        Button1->setEnabled(false);
        const auto restore = qScopeGuard([this] { Button1->setEnabled(true); });

        Gauge1->setValue(0);
        Comm1->SetBaud(TBaud(CBBaud->currentIndex()));
        Comm1->SetPort(tPort(CBPort->currentIndex()));
        reception::Hooks hooks;
        hooks.processEvents = [] { QCoreApplication::processEvents(); };
        hooks.progress = [this](int received) { Gauge1->setValue(received); };
        hooks.stopRequested = [this] { return m_stopRequested; };
        const reception::Result result = reception::receive(*Comm1, ReceiveBuffer, hooks);

        switch (result.outcome) {
        case reception::Outcome::Complete:
            Button9Click();
            close();
            break;
        case reception::Outcome::PortFailed: {
            const QString port = QString::fromLatin1(portName(Comm1->Port()));
            errors::throwText(portnames::openFailureText(port, portnames::devicePath(port), result.errorCode));
        }
        case reception::Outcome::NoAnswer:
            errors::throwText(reception::NoAnswerText);
        case reception::Outcome::ExtraStartAnswer:
            errors::throwText(reception::ExtraStartAnswerText);
        case reception::Outcome::LostAtStart:
            showLostLine(-1);
            break;
        case reception::Outcome::LineLost:
            showLostLine(result.received);
            break;
        case reception::Outcome::ByteMissing:
        case reception::Outcome::StrayByte:
            showReceivingError();
            break;
        case reception::Outcome::Stopped:
            break;
        }
    });
}

void TForm2::showReceivingError()
{
    QMessageBox box(QMessageBox::Critical, ProgramTitle, reception::ReceivingErrorText, QMessageBox::Ok, this);
    box.exec();
    Gauge1->setValue(0);
}

// The line broke: the message names the byte; the bar then starts again.
void TForm2::showLostLine(int received)
{
    showErrorBox(this, reception::lostLineText(received));
    Gauge1->setValue(0);
}

bool TForm2::confirmReplace(const QString &path)
{
    return QMessageBox::question(this, ProgramTitle,
                                 QStringLiteral("The file %1 already exists.\nDo you want to replace it?")
                                     .arg(QFileInfo(path).fileName()),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}

// Saves the received record. Asked again after a refused replacement or a
// failed write, so that the record is not lost; cancelling gives it up.
void TForm2::Button9Click()
{
    // Made on first use: a file dialog starts watching its folder at once,
    // which would slow down every start of the program.
    if (!SaveDialog1) {
        SaveDialog1 = named(new QFileDialog(this), "SaveDialog1");
        SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);
        SaveDialog1->setFileMode(QFileDialog::AnyFile);
        SaveDialog1->setOption(QFileDialog::DontUseNativeDialog);
        SaveDialog1->setOption(QFileDialog::DontConfirmOverwrite);  // asked below
        SaveDialog1->setNameFilters({QStringLiteral("*.bin"), QStringLiteral("*.*")});
        SaveDialog1->setDirectory(m_startDirectory + QStringLiteral("/bin"));
    }
    for (;;) {
        if (SaveDialog1->exec() != QDialog::Accepted || SaveDialog1->selectedFiles().isEmpty())
            return;
        const QString path = reception::withRecordExtension(SaveDialog1->selectedFiles().constFirst());
        SaveDialog1->selectFile(path);  // proposed again by the next save
        if (QFileInfo::exists(path) && !confirmReplace(path))
            continue;
        reception::stampRecord(ReceiveBuffer, QDateTime::currentDateTime());
        try {
            atomicfile::replace(path, ReceiveBuffer);
            return;
        } catch (const AppError &e) {
            showErrorBox(this, e.text());
        }
    }
}
