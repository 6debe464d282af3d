#include "CertificateCheck.h"

#include "AppError.h"
#include "ArchiveScan.h"
#include "Decoder.h"
#include "FileNames.h"
#include "RecordLayout.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFileInfo>
#include <QLocale>
#include <QVariant>

#include <cstring>

namespace certificate {
namespace {

using C = DecodeTarget;

// The values the certificate prints that a record file holds, in the order
// the panel shows them. The testing mode is the panel's own choice, and the
// record is decoded in it; the verdict is the engineer's.
constexpr Field Compared[] = {
    C::FrequencyHigh, C::FrequencyLow, C::Power, C::SignalDuration, C::Tunings, C::Repetition, C::TesterDuration,
    C::BatteryDate, C::StandBy, C::Led, C::Beeper, C::SartModel, C::ManufacturerNo, C::Vessel,
    C::NextTestDate, C::TestingDate, C::CentreName, C::CentreAddress, C::CentreTel, C::CentreFax, C::RadioEngineer,
};

// What one decode of the bytes puts into the panel's fields.
class Collected final : public DecodeTarget
{
public:
    void setText(Field field, const QString &text) override { values.insert(field, text); }
    void setItemIndex(Field field, int index) override { values.insert(field, index); }
    void setDate(Field field, const QDate &date) override
    {
        if (!date.isValid() || date < pickerMinimum() || date > pickerMaximum())
            errors::throwText(errors::CalendarRefused);
        values.insert(field, date);
    }
    QHash<Field, QVariant> values;
};

QString dateText(const QDate &date) { return QLocale().toString(date, QLocale::ShortFormat); }

// An answer selector's text for an item index, as the panel shows it.
QString answerText(int index)
{
    return index == 0 ? QStringLiteral("YES") : index == 1 ? QStringLiteral("NO") : QString();
}

bool isDate(Field c) { return c == C::NextTestDate || c == C::TestingDate || c == C::BatteryDate; }
bool isAnswer(Field c) { return c == C::StandBy || c == C::Led || c == C::Beeper; }

// The panel's value of a field as the certificate prints it.
QString shownText(const RecordHeader &v, Field c)
{
    switch (c) {
    case C::FrequencyHigh: return v.frequencyHigh;
    case C::FrequencyLow: return v.frequencyLow;
    case C::Power: return v.power;
    case C::SignalDuration: return v.signalDuration;
    case C::Tunings: return v.tunings;
    case C::Repetition: return v.repetition;
    case C::TesterDuration: return v.testerDuration;
    case C::RadioEngineer: return v.radioEngineer;
    case C::Controller: return v.controller;
    case C::SartModel: return v.sartModel;
    case C::Vessel: return v.vessel;
    case C::CentreName: return v.centreName;
    case C::CentreAddress: return v.centreAddress;
    case C::CentreTel: return v.centreTel;
    case C::CentreFax: return v.centreFax;
    case C::ManufacturerNo: return v.manufacturerNo;
    case C::StandBy: return v.standByText;
    case C::Led: return v.ledText;
    case C::Beeper: return v.beeperText;
    case C::NextTestDate: return dateText(v.nextTestDate);
    case C::TestingDate: return dateText(v.testingDate);
    case C::BatteryDate: return dateText(v.batteryDate);
    }
    return {};
}

QDate shownDate(const RecordHeader &v, Field c)
{
    return c == C::NextTestDate ? v.nextTestDate : c == C::TestingDate ? v.testingDate : v.batteryDate;
}

QString fileText(Field c, const QVariant &value)
{
    if (isDate(c))
        return dateText(value.toDate());
    if (isAnswer(c))
        return answerText(value.toInt());
    return value.toString();
}

// Equal as the certificate prints them; dates by their day, not their text.
bool same(const RecordHeader &v, Field c, const std::optional<QVariant> &inFile)
{
    if (!inFile)  // the record holds none: only an empty box prints what it holds
        return !isDate(c) && shownText(v, c).isEmpty();
    if (isDate(c))
        return shownDate(v, c) == inFile->toDate();
    return shownText(v, c) == fileText(c, *inFile);
}

QString quoted(Field c, const QString &text)
{
    return isDate(c) ? text : QCoreApplication::translate("CertificateCheck", "\"%1\"", "a value quoted").arg(text);
}

} // namespace

QString captionOf(Field field)
{
    switch (field) {
    case C::FrequencyHigh: return QCoreApplication::translate("CertificateCheck", "Frequency high");
    case C::FrequencyLow: return QCoreApplication::translate("CertificateCheck", "Frequency low");
    case C::Power: return QCoreApplication::translate("CertificateCheck", "Emitted Power");
    case C::SignalDuration: return QCoreApplication::translate("CertificateCheck", "Emitted signal duration");
    case C::Tunings: return QCoreApplication::translate("CertificateCheck", "Number of frequency tunings");
    case C::Repetition: return QCoreApplication::translate("CertificateCheck", "Frequency repetition");
    case C::TesterDuration: return QCoreApplication::translate("CertificateCheck", "Tester emitted signal duration");
    case C::RadioEngineer: return QCoreApplication::translate("CertificateCheck", "Radioengineer");
    case C::Controller: return QCoreApplication::translate("CertificateCheck", "Controller");
    case C::SartModel: return QCoreApplication::translate("CertificateCheck", "SART Model");
    case C::Vessel: return QCoreApplication::translate("CertificateCheck", "Vessel Name");
    case C::CentreName: return QCoreApplication::translate("CertificateCheck", "Service center Name");
    case C::CentreAddress: return QCoreApplication::translate("CertificateCheck", "Service center Address");
    case C::CentreTel: return QCoreApplication::translate("CertificateCheck", "Service center Tel");
    case C::CentreFax: return QCoreApplication::translate("CertificateCheck", "Service center Fax");
    case C::ManufacturerNo: return QCoreApplication::translate("CertificateCheck", "Manufacturer №");
    case C::StandBy: return QCoreApplication::translate("CertificateCheck", "Stand by");
    case C::Led: return QCoreApplication::translate("CertificateCheck", "Led");
    case C::Beeper: return QCoreApplication::translate("CertificateCheck", "Sound beeper");
    case C::NextTestDate: return QCoreApplication::translate("CertificateCheck", "Next testing date");
    case C::TestingDate: return QCoreApplication::translate("CertificateCheck", "Testing date");
    case C::BatteryDate: return QCoreApplication::translate("CertificateCheck", "Battery replacement date");
    }
    return {};
}

QString Difference::text(const QString &recordName) const
{
    const QString value = caption + u' ' + quoted(field, shown);
    const QString holds = inFile.isNull()
        ? QCoreApplication::translate("CertificateCheck", "the record holds none")
        : QCoreApplication::translate("CertificateCheck", "the record holds %1").arg(quoted(field, inFile));
    switch (kind) {
    case Kind::Unreadable:
    case Kind::ChangedOnDisk:
        return detail;
    case Kind::Typed:
        return QCoreApplication::translate("CertificateCheck", "%1 is typed and not saved (%2).").arg(value, holds);
    case Kind::CarriedOver:
        return QCoreApplication::translate("CertificateCheck", "%1 is carried over from the record %2 (%3).")
            .arg(value, detail, holds);
    case Kind::TestingDate:
        return QCoreApplication::translate(
            "CertificateCheck", "The testing date shown, %1, is not the record's: the record %2 was tested on %3.")
            .arg(shown, recordName, inFile);
    case Kind::NotInFile:
        return QCoreApplication::translate("CertificateCheck", "%1 is not what the file holds now (%2).")
            .arg(value, holds);
    }
    return {};
}

bool Result::has(Difference::Kind kind) const
{
    return std::any_of(differences.cbegin(), differences.cend(), [kind](const Difference &d) { return d.kind == kind; });
}

bool Result::onlyTestingDate() const
{
    return !differences.isEmpty()
           && std::all_of(differences.cbegin(), differences.cend(),
                          [](const Difference &d) { return d.kind == Difference::Kind::TestingDate; });
}

bool Result::saveResolves() const
{
    // Save changes writes typed and carried header values; it never writes
    // over a file another program changed, and the testing date is not saved.
    return (has(Difference::Kind::Typed) || has(Difference::Kind::CarriedOver))
           && !has(Difference::Kind::ChangedOnDisk) && !has(Difference::Kind::Unreadable)
           && !has(Difference::Kind::NotInFile);
}

QString Result::describe() const
{
    QStringList lines;
    for (const Difference &d : differences)
        lines.append(QStringLiteral("- ") + d.text(recordName));
    return QCoreApplication::translate(
        "CertificateCheck", "The certificate would not say what the record %1 holds:\n%2")
        .arg(recordName, lines.join(u'\n'));
}

Result check(const Input &input)
{
    if (input.recordPath.isEmpty())
        errors::throwText(
            QCoreApplication::translate("CertificateCheck", "No record is shown: there is nothing to certify."));
    Result result;
    result.recordName = filenames::display(QFileInfo(input.recordPath).fileName());

    // The bytes are read once: what is compared is what the register keeps.
    const recordstate::Fingerprint now = recordstate::ofFile(input.recordPath, &result.bytes);
    if (now.readable)
        result.sha256 = QString::fromLatin1(QCryptographicHash::hash(result.bytes, QCryptographicHash::Sha256).toHex());
    const recordstate::Change change = recordstate::compare(input.shown, now);
    if (change != recordstate::Change::None) {
        result.differences.append({Difference::Kind::ChangedOnDisk, C::RadioEngineer, {}, {}, {},
                                   recordstate::describe(change, QFileInfo(input.recordPath).fileName(), now)});
    }
    if (!now.isRecord()) {
        if (change == recordstate::Change::None)
            result.differences.append({Difference::Kind::Unreadable, C::RadioEngineer, {}, {}, {},
                QCoreApplication::translate("CertificateCheck", "The file of the record %1 cannot be read as a record.")
                    .arg(result.recordName)});
        return result;
    }

    RecordBytes bytes;
    std::memcpy(bytes.data(), result.bytes.constData(), bytes.size());
    decoder::Input decode;
    decode.path = input.recordPath;
    decode.modeIndex = input.panel.testingModeIndex;
    decode.testingDateCell = archive::testingDateCell(bytes.data() + layout::TestingDate);
    decode.currentYear = input.currentYear;
    Collected file;
    try {
        decoder::decodeBuffer(bytes, decode, file);
    } catch (const AppError &e) {
        result.differences.append({Difference::Kind::Unreadable, C::RadioEngineer, {}, {}, {},
            QCoreApplication::translate("CertificateCheck", "The record %1 cannot be decoded as it is now: %2")
                .arg(result.recordName, e.text())});
        return result;
    }
    result.recordTestingDate = file.values.value(C::TestingDate).toDate();

    for (Field c : Compared) {
        const auto found = file.values.constFind(c);
        const std::optional<QVariant> inFile =
            found == file.values.constEnd() ? std::nullopt : std::optional<QVariant>(*found);
        if (same(input.panel, c, inFile))
            continue;
        Difference d{Difference::Kind::NotInFile, c, captionOf(c), shownText(input.panel, c),
                     inFile ? fileText(c, *inFile) : QString(), {}};
        if (c == C::TestingDate)
            d.kind = Difference::Kind::TestingDate;
        else if (const auto carried = input.provenance.carried.constFind(c); carried != input.provenance.carried.constEnd()) {
            // The panel's start values (its first dates) are the program's,
            // no other record's: printed as before, and marked on the panel.
            if (carried->isEmpty())
                continue;
            d.kind = Difference::Kind::CarriedOver;
            d.detail = *carried;
        } else if (input.provenance.typed.contains(c)) {
            d.kind = Difference::Kind::Typed;
        }
        result.differences.append(d);
    }
    return result;
}

} // namespace certificate
