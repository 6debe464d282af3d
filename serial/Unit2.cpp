#include "Unit2.h"

#include "AtomicFile.h"
#include "DeviceSurvey.h"
#include "ErrorBox.h"
#include "FileNames.h"
#include "MyCom.h"
#include "NewFile.h"
#include "OutputFile.h"
#include "PortNames.h"
#include "Questions.h"
#include "RecordLayout.h"
#include "ReceiveSettings.h"
#include "Reception.h"
#include "SerialDevices.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QStringList &portItems = serialdevices::portNames();
const QStringList baudItems = {"110",   "300",   "1200",  "2400",   "4800",   "9600",   "14400",
                               "19200", "38400", "56000", "57600", "115200", "128000", "256000"};

template<typename W>
W *named(W *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// The port names that stand for a listed device, kept with its row.
constexpr int PortsRole = Qt::UserRole + 1;

bool isEnterKey(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

TForm2::TForm2(const QString &startDirectory, QWidget *parent)
    : QDialog(parent), m_startDirectory(startDirectory)
{
    setWindowTitle(QString());

    GroupBox1 = named(new QGroupBox(this), "GroupBox1");
    QFont font = GroupBox1->font();
    font.setPixelSize(16);
    GroupBox1->setFont(font);

    Label2 = named(new QLabel(tr("Port"), GroupBox1), "Label2");
    CBPort = named(new QComboBox(GroupBox1), "CBPort");
    CBPort->addItems(portItems);
    Label1 = named(new QLabel(tr("Port rate"), GroupBox1), "Label1");
    CBBaud = named(new QComboBox(GroupBox1), "CBBaud");
    CBBaud->addItems(baudItems);
    DeviceLabel = named(new QLabel(GroupBox1), "DeviceLabel");
    DeviceLabel->setWordWrap(true);
    // In the application's text size, set explicitly so that the group's
    // larger text is not inherited: the device names are long.
    QFont lineFont = QApplication::font();
    lineFont.setPointSizeF(QApplication::font().pointSizeF());
    DeviceLabel->setFont(lineFont);
    Gauge1 = named(new QProgressBar(GroupBox1), "Gauge1");
    Gauge1->setRange(0, layout::RecordSize);
    Gauge1->setFormat(QStringLiteral("%p%"));
    Gauge1->setAlignment(Qt::AlignCenter);
    Gauge1->setStyleSheet(QStringLiteral("QProgressBar { background: white; border: 1px solid gray; }"
                                         "QProgressBar::chunk { background: aqua; }"));
    Gauge1->setMinimumHeight(17);
    Button1 = named(new QPushButton(tr("Data import"), GroupBox1), "Button1");
    Button1->setMinimumHeight(33);
    BitBtn1 = named(new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton),
                                    tr("&Close"), GroupBox1),
                    "BitBtn1");
    BitBtn1->setMinimumHeight(33);
    Button9 = named(new QPushButton(tr("Save data to file"), GroupBox1), "Button9");
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

    // The serial devices that exist, and which port name stands for which.
    DevicesBox = named(new QGroupBox(tr("Serial &devices"), this), "DevicesBox");
    DeviceList = named(new QTreeWidget(DevicesBox), "DeviceList");
    DeviceList->setHeaderLabels({tr("Port", "column"), tr("Device"), tr("Description")});
    DeviceList->setRootIsDecorated(false);
    DeviceList->setUniformRowHeights(true);
    DeviceList->setAllColumnsShowFocus(true);
    DeviceList->setSelectionMode(QAbstractItemView::SingleSelection);
    DeviceList->header()->setStretchLastSection(true);
    DeviceList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    DeviceList->setMinimumHeight(120);
    AssignButton = named(new QPushButton(DevicesBox), "AssignButton");
    RefreshButton = named(new QPushButton(tr("&Refresh"), DevicesBox), "RefreshButton");
    auto *devicesLayout = new QVBoxLayout(DevicesBox);
    devicesLayout->addWidget(DeviceList, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(AssignButton);
    buttons->addStretch(1);
    buttons->addWidget(RefreshButton);
    devicesLayout->addLayout(buttons);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);
    outer->addWidget(GroupBox1, 0);
    outer->addWidget(DevicesBox, 1);

    setTabOrder(CBBaud, CBPort);
    setTabOrder(CBPort, BitBtn1);
    setTabOrder(BitBtn1, Button1);
    setTabOrder(Button1, DeviceList);
    setTabOrder(DeviceList, AssignButton);
    setTabOrder(AssignButton, RefreshButton);
    resize(640, 480);

    Comm1 = new TComm(this);
    Comm1->setObjectName(QStringLiteral("Comm1"));
    ReceiveBuffer = QByteArray(layout::RecordSize, '\0');
    m_survey = new DeviceSurvey(this);
    connect(m_survey, &DeviceSurvey::finished, this, &TForm2::showDevices);

    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button9, &QPushButton::clicked, this, [this] { guarded(this, [this] { Button9Click(); }); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { guarded(this, [this] { close(); }); });
    connect(CBPort, &QComboBox::currentIndexChanged, this, [this] { CBPortChange(); });
    connect(DeviceList, &QTreeWidget::itemSelectionChanged, this, [this] { CBPortChange(); });
    // The row that has the keyboard focus is the one chosen.
    connect(DeviceList, &QTreeWidget::currentItemChanged, this, [](QTreeWidgetItem *current) {
        if (current && !current->isSelected())
            current->setSelected(true);
    });
    connect(DeviceList, &QTreeWidget::itemDoubleClicked, this,
            [this] { guarded(this, [this] { AssignButtonClick(); }); });
    DeviceList->installEventFilter(this);
    DeviceList->viewport()->installEventFilter(this);
    DevicesBox->installEventFilter(this);
    for (QWidget *w : {static_cast<QWidget *>(CBPort), static_cast<QWidget *>(CBBaud), static_cast<QWidget *>(BitBtn1)})
        w->installEventFilter(this);
    connect(AssignButton, &QPushButton::clicked, this, [this] { guarded(this, [this] { AssignButtonClick(); }); });
    connect(RefreshButton, &QPushButton::clicked, this, [this] { refreshDevices(); });

    FormCreate();
}

TForm2::~TForm2() = default;

void TForm2::FormCreate()
{
    CBPort->setCurrentIndex(portItems.indexOf(QStringLiteral("COM1")));
    CBBaud->setCurrentIndex(baudItems.indexOf(QStringLiteral("19200")));
    // The port and rate of the last reception are chosen again.
    const receivesettings::Choice last = receivesettings::load();
    if (portItems.contains(last.port))
        CBPort->setCurrentIndex(portItems.indexOf(last.port));
    if (baudItems.contains(last.rate))
        CBBaud->setCurrentIndex(baudItems.indexOf(last.rate));
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

QString TForm2::takeSavedPath() { return std::exchange(m_savedPath, QString()); }

bool TForm2::isListingDevices() const { return m_survey->isRunning(); }

void TForm2::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Gauge1->setValue(0);  // each opening starts from nothing received
    m_listChosen = false;
    refreshDevices();  // adapters may have come or gone since the last opening
}

// Lists the devices again, never opening one, on a worker thread: the dialog
// answers at once, however many devices there are, and the list fills in
// (showDevices).
void TForm2::refreshDevices()
{
    RefreshButton->setEnabled(false);
    if (DeviceList->topLevelItemCount() == 0) {
        auto *looking = new QTreeWidgetItem(DeviceList, {QString(), tr("Looking for serial devices...")});
        looking->setDisabled(true);
    }
    m_survey->start();
}

// Shows the devices listed, keeping the selected one.
void TForm2::showDevices(const serialdevices::Listing &listing)
{
    m_listing = listing;
    const QList<serialdevices::Device> devices = m_listing.overview();
    const QString selected = selectedDevicePath();
    QList<QTreeWidgetItem *> items;
    items.reserve(devices.size());
    QTreeWidgetItem *current = nullptr;
    for (const serialdevices::Device &device : devices) {
        QStringList about;
        if (device.kernelName != QFileInfo(device.name).fileName())
            about.append(device.kernelName);
        if (!device.description.isEmpty())
            about.append(device.description);
        auto *item = new QTreeWidgetItem(
            QStringList{device.ports.join(QStringLiteral(", ")), device.name, about.join(QStringLiteral(", "))});
        item->setData(0, Qt::UserRole, device.path);
        item->setData(0, PortsRole, device.ports);
        item->setToolTip(1, device.name);
        if (!device.present)
            item->setDisabled(true);
        if (device.path == selected)
            current = item;
        items.append(item);
    }
    DeviceList->clear();
    DeviceList->addTopLevelItems(items);
    if (current)
        DeviceList->setCurrentItem(current);
    for (int i = 0; i < CBPort->count(); ++i)
        CBPort->setItemData(i, m_listing.portStatusText(CBPort->itemText(i)), Qt::ToolTipRole);
    RefreshButton->setEnabled(true);
    CBPortChange();
    fitDeviceList();
}


// Widens the dialog so that the list shows its longest device name whole,
// as far as the screen allows; it never narrows, so it does not jump about.
void TForm2::fitDeviceList()
{
    const QAbstractItemView *view = DeviceList;  // where sizeHintForColumn() is public
    int content = 2 * DeviceList->frameWidth() + DeviceList->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < DeviceList->columnCount(); ++column)
        content += std::max(view->sizeHintForColumn(column), DeviceList->header()->sectionSizeHint(column));
    layout()->activate();
    int wanted = content + width() - DeviceList->width();
    if (const QScreen *s = screen())
        wanted = std::min(wanted, s->availableGeometry().width());
    if (wanted > width())
        resize(wanted, height());
}

QString TForm2::selectedDevicePath() const
{
    const QList<QTreeWidgetItem *> items = DeviceList->selectedItems();
    return items.isEmpty() ? QString() : items.constFirst()->data(0, Qt::UserRole).toString();
}

void TForm2::CBPortChange()
{
    const QString port = CBPort->currentText();
    DeviceLabel->setText(m_listing.portStatusText(port));
    DeviceLabel->setToolTip(tr("A port name stands for a device through a link in %1. "
                               "Choose a device below and press \"Use as %2\" to change it.")
                                .arg(portnames::portsFolder(), port));
    AssignButton->setText(tr("&Use as %1").arg(port));
    AssignButton->setEnabled(!selectedDevicePath().isEmpty());
}

// No stray key does harm. While a reception runs, Enter does nothing at all
// (on Close it would end the reception). Enter on a device gives it the port
// name only when the engineer brought the focus to the list (Tab, a click,
// Alt+D), not when the focus landed there by itself; it goes no further
// either way: the dialog would take it for its default button.
bool TForm2::eventFilter(QObject *watched, QEvent *event)
{
    if (m_receiving && isEnterKey(event))
        return true;
    if ((watched == DeviceList->viewport() && event->type() == QEvent::MouseButtonPress)
        || (watched == DevicesBox && event->type() == QEvent::Shortcut))
        m_listChosen = true;
    if (watched == DeviceList && event->type() == QEvent::FocusIn) {
        switch (static_cast<QFocusEvent *>(event)->reason()) {
        case Qt::TabFocusReason:
        case Qt::BacktabFocusReason:
        case Qt::MouseFocusReason:
        case Qt::ShortcutFocusReason:
            m_listChosen = true;
            break;
        case Qt::ActiveWindowFocusReason:  // back from a message box: as it was
        case Qt::PopupFocusReason:
            break;
        default:
            m_listChosen = false;
        }
    }
    if (watched == DeviceList && isEnterKey(event)) {
        if (m_listChosen)
            guarded(this, [this] { AssignButtonClick(); });
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

// Makes the chosen port name stand for the selected device, after the
// question when it stands for another device that is there.
void TForm2::AssignButtonClick()
{
    const QString device = selectedDevicePath();
    const QString port = CBPort->currentText();
    if (device.isEmpty() || m_receiving || !confirmRepoint(port, device))
        return;
    portnames::assign(port, device);
    refreshDevices();
}

bool TForm2::confirmRepoint(const QString &port, const QString &device)
{
    for (int i = 0; i < DeviceList->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = DeviceList->topLevelItem(i);
        if (item->isDisabled() || !item->data(0, PortsRole).toStringList().contains(port))
            continue;
        if (item->data(0, Qt::UserRole).toString() == device)
            return true;
        return askYesNo(this, QStringLiteral("RepointQuestion"),
                        tr("%1 stands for %2, which is there.\nDo you want %1 to stand for %3 instead?")
                            .arg(port, item->text(1), serialdevices::displayName(device)),
                        QMessageBox::Question);
    }
    return true;
}

void TForm2::Button1Click()
{
    guarded(this, [this] {
        // One reception at a time: a second start would open the port again
        // under the running one.
        // The focus goes to Close first: taken from a disabled button, it
        // would move on to the device list. The devices cannot be changed
        // while their port is in use.
        m_stopRequested = false;
        m_receiving = true;
        BitBtn1->setFocus();
        Button1->setEnabled(false);
        DevicesBox->setEnabled(false);
        const auto restore = qScopeGuard([this] {
            m_receiving = false;
            DevicesBox->setEnabled(true);
            Button1->setEnabled(true);
            if (focusWidget() == BitBtn1)
                Button1->setFocus();
        });

        Gauge1->setValue(0);
        receivesettings::save({CBPort->currentText(), CBBaud->currentText()});
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
            errors::throwText(reception::shownText(reception::NoAnswerText));
        case reception::Outcome::ExtraStartAnswer:
            errors::throwText(reception::shownText(reception::ExtraStartAnswerText));
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
            Gauge1->setValue(0);  // the next opening starts from nothing received
            break;
        }
    });
}

void TForm2::showReceivingError()
{
    QMessageBox box(QMessageBox::Critical, programTitle(), reception::shownText(reception::ReceivingErrorText), QMessageBox::Ok, this);
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
    return askYesNo(this, QStringLiteral("ReplaceQuestion"),
                    tr("The file %1 already exists.\nDo you want to replace it?")
                        .arg(QFileInfo(path).fileName()),
                    QMessageBox::Question);
}

bool TForm2::confirmUnguarded(const QString &text)
{
    return askYesNo(this, QStringLiteral("UnguardedQuestion"),
                    tr("%1\n\nSave the received record under this name all the same?").arg(text));
}

// Asks before a received record is given up; the default keeps it.
bool TForm2::confirmDiscard()
{
    QMessageBox box(QMessageBox::Question, programTitle(),
                    tr("The received record has not been saved. Discard it?\n"
                       "A discarded record can only be had again by receiving it once more."),
                    QMessageBox::Save | QMessageBox::Discard, this);
    box.setObjectName(QStringLiteral("DiscardQuestion"));
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Save);
    return box.exec() == QMessageBox::Discard;
}

// Saves the received record. Asked again after a refused replacement or a
// failed write, so that the record is not lost; cancelling gives it up only
// when the user confirms.
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
    }
    // Each reception is offered a name of its own in the archive folder, made
    // from its testing date and the time it came in, which is also its stamp.
    const QDateTime received = QDateTime::currentDateTime();
    const QString archive = filenames::archiveFolder(m_startDirectory);
    SaveDialog1->setDirectory(archive);
    SaveDialog1->selectFile(reception::proposedName(ReceiveBuffer, received, archive));
    for (;;) {
        if (SaveDialog1->exec() != QDialog::Accepted || SaveDialog1->selectedFiles().isEmpty()) {
            if (confirmDiscard())
                return;
            continue;
        }
        const QString path = reception::withRecordExtension(SaveDialog1->selectedFiles().constFirst());
        SaveDialog1->selectFile(path);  // offered again when this save is refused or fails
        reception::stampRecord(ReceiveBuffer, received);
        // A file that appears under the name after the question (another
        // engineer's reception) is asked about, never replaced unseen; only a
        // regular file is replaced at all.
        const newfile::Questions ask{[this](const QString &existing) {
                                         outputfile::inspect(existing);
                                         return confirmReplace(existing);
                                     },
                                     [this](const QString &text) { return confirmUnguarded(text); }};
        try {
            bool written = false;
            outputfile::named(path, [&] {
                written = newfile::write(path, 0644, [this](int fd) {
                    atomicfile::writeAll(fd, ReceiveBuffer.constData(), ReceiveBuffer.size());
                }, ask);
            });
            if (!written)
                continue;
            m_savedPath = path;
            return;
        } catch (const AppError &e) {
            showErrorBox(this, e.text());
        }
    }
}
