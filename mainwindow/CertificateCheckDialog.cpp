#include "CertificateCheckDialog.h"

#include "RegisterSettings.h"
#include "SigningSettings.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QStandardPaths>
#include <QStyle>
#include <QVBoxLayout>

CertificateCheckDialog::CertificateCheckDialog(const QString &pdfPath, const signing::Findings &findings,
                                               QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CertificateCheckDialog"));
    setWindowTitle(tr("Check of %1").arg(QFileInfo(pdfPath).fileName()));

    auto *summary = new QLabel(this);
    summary->setObjectName(QStringLiteral("CheckSummary"));
    summary->setWordWrap(true);
    summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    const bool holds = findings.allHold();
    summary->setText((holds ? tr("Everything checked holds for %1.")
                            : tr("Not everything holds for %1: see the lines marked with a cross."))
                         .arg(QDir::toNativeSeparators(pdfPath)));
    QFont bold = summary->font();
    bold.setBold(true);
    summary->setFont(bold);

    auto *list = new QListWidget(this);
    list->setObjectName(QStringLiteral("CheckFindings"));
    list->setWordWrap(true);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    const QStringList texts = findings.texts();
    for (int i = 0; i < findings.lines.size(); ++i) {
        const signing::Finding &f = findings.lines[i];
        auto *item = new QListWidgetItem(f.text, list);
        item->setData(Qt::UserRole, texts[i]);
        item->setIcon(style()->standardIcon(f.kind == signing::Finding::Holds   ? QStyle::SP_DialogApplyButton
                                            : f.kind == signing::Finding::Fails ? QStyle::SP_MessageBoxCritical
                                                                                : QStyle::SP_MessageBoxInformation));
        if (f.kind == signing::Finding::Fails)
            item->setForeground(QColor(0xb0, 0, 0));
    }

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(list, 1);
    layout->addWidget(buttons);
    resize(760, 420);
}

void CertificateCheckDialog::chooseAndCheck(QWidget *parent, const QString &archiveFolder)
{
    QFileDialog dialog(parent, tr("Check a certificate"));
    dialog.setObjectName(QStringLiteral("CheckFileDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(tr("PDF files (*.pdf);;All files (*)"));
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    dialog.setDirectory(QFileInfo(documents).isDir() ? documents : QDir::homePath());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    signing::CheckPlace place;
    place.caFile = signing::loadSettings().caFile;
    place.register_ = certregister::loadProgramSettings();
    place.archiveFolder = archiveFolder;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const signing::Findings findings = signing::checkCertificateFile(path, place);
    QGuiApplication::restoreOverrideCursor();
    CertificateCheckDialog result(path, findings, parent);
    result.exec();
}
