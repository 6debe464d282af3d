#include "CommandLinePdf.h"

#include "AppError.h"
#include "ArchiveScan.h"
#include "CertificateEntry.h"
#include "CertificatePdf.h"
#include "CertificateRegister.h"
#include "DecodedRecord.h"
#include "Decoder.h"
#include "RecordLayout.h"
#include "RecordPanel.h"
#include "RegisterSettings.h"
#include "ReportContent.h"
#include "Unit5.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <exception>

namespace commandlinepdf {

namespace {

const QString VerdictOption = QStringLiteral("--verdict");

// The options' names and the verdict's words stay as typed whatever the language.
QString usage()
{
    return QCoreApplication::translate("CommandLinePdf", "usage: %1 --print-pdf RECORD PDF --verdict passed|failed")
        .arg(QStringLiteral("sart-tester"));
}

void printLine(FILE *stream, const QString &text)
{
    std::fputs(qPrintable(text + u'\n'), stream);
}

struct Request
{
    QString record, pdf;
    int conclusion = -1;  // the conclusions selector's item: 0 passed, 1 failed
};

Request parse(const QStringList &arguments)
{
    Request r;
    const qsizetype at = arguments.indexOf(Option);
    if (at + 2 >= arguments.size())
        throw AppError(usage());
    r.record = arguments[at + 1];
    r.pdf = arguments[at + 2];
    const qsizetype verdict = arguments.indexOf(VerdictOption);
    const QString word = verdict >= 0 && verdict + 1 < arguments.size() ? arguments[verdict + 1] : QString();
    if (word == QLatin1String("passed"))
        r.conclusion = 0;
    else if (word == QLatin1String("failed"))
        r.conclusion = 1;
    else
        throw AppError(usage() + u'\n'
                       + QCoreApplication::translate("CommandLinePdf",
                                                     "The verdict must be given: --verdict passed or --verdict "
                                                     "failed."));
    return r;
}

QString issue(const Request &request)
{
    if (QFileInfo(request.pdf).exists() || QFileInfo(request.pdf).isSymLink())
        throw AppError(QCoreApplication::translate("CommandLinePdf", "The file %1 exists already: nothing was written.")
                           .arg(request.pdf));

    // The record decoded and shown in a panel exactly as the window shows it,
    // in the testing mode the window starts in.
    RecordPanel panel;
    panel.selectTestingMode(0);
    RecordBytes bytes;
    decoder::readRecord(request.record, bytes);
    decoder::Input input;
    input.path = request.record;
    input.modeIndex = panel.testingModeIndex();
    input.testingDateCell = archive::testingDateCell(bytes.data() + layout::TestingDate);
    DecodedRecord record;
    decoder::decodeBuffer(bytes, input, record);
    panel.showRecord(record, QFileInfo(request.record).fileName());
    if (auto *conclusions = panel.findChild<QComboBox *>(QStringLiteral("ComboBox5")))
        conclusions->setCurrentIndex(request.conclusion);
    const RecordHeader values = panel.values();
    if (values.verdictIndex != request.conclusion)
        throw AppError(QCoreApplication::translate("CommandLinePdf", "The verdict cannot be chosen: nothing was written."));

    QStringList outside;
    for (const limits::Judgement &j : panel.outsideLimits())
        outside << j.text();
    if (request.conclusion == 0 && !outside.isEmpty())
        throw AppError(QCoreApplication::translate("CommandLinePdf",
                                                   "The certificate of %1 would say \"SART PASSED TESTS\", but values "
                                                   "are outside the limits of the SART standard:\n- %2\nNothing was "
                                                   "written.")
                           .arg(request.record, outside.join(QStringLiteral("\n- "))));

    // The register numbers it as it numbers the window's certificates; one
    // that is not the register that numbered last is left to the window,
    // which asks.
    const certregister::Settings settings = certregister::loadProgramSettings();
    certregister::requireUsable(settings);
    const QString last = certregister::lastUsedRegister();
    if (!last.isEmpty() && last != certregister::describe(settings))
        throw AppError(QCoreApplication::translate("CommandLinePdf",
                                                   "Certificates were numbered by the register %1; the settings now "
                                                   "name the register %2. Issue the next certificate from the "
                                                   "window, which asks about the change: nothing was written.")
                           .arg(last, certregister::describe(settings)));
    certregister::Register reg(settings);
    certregister::Entry entry = certregister::entryFor(QFileInfo(request.record).absoluteFilePath(), values,
                                                       outside.join(QStringLiteral("; ")),
                                                       QFileInfo(request.record).absolutePath());
    entry.recordSha256 =
        certregister::sha256Of(QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size())));

    TQuickReport5 report;
    report.fill(values);
    const QString path = QFileInfo(request.pdf).absoluteFilePath();
    QString number;
    reg.issueOutput(
        entry,
        [&](certregister::Entry &numbered, const certregister::GoingTo &goingTo) {
            report.setNumberLine(settings.printNumber ? report::numberLine(numbered.number) : QString());
            numbered.issuedHow = QStringLiteral("PDF ") + path;
            goingTo(numbered.issuedHow, path);
            report.printToPdf(path, certificatepdf::title(values, numbered.number));
            number = numbered.number;
            return true;
        },
        [&](const certregister::Entry &) { QFile::remove(path); });
    certregister::rememberLastUsed(settings);
    return number;
}

} // namespace

std::optional<int> run(const QStringList &arguments)
{
    if (!arguments.contains(Option))
        return std::nullopt;
    try {
        const Request request = parse(arguments);
        const QString number = issue(request);
        printLine(stdout, QCoreApplication::translate("CommandLinePdf", "The certificate %1 was written to %2")
                              .arg(number, request.pdf));
        return 0;
    } catch (const AppError &e) {
        printLine(stderr, e.text());
        return 1;
    } catch (const std::exception &e) {
        printLine(stderr, QString::fromUtf8(e.what()));
        return 1;
    }
}

} // namespace commandlinepdf
