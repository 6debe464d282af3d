#include "CertificateCheck.h"

#include "AppError.h"
#include "ArchiveScan.h"
#include "Decoder.h"
#include "FileNames.h"
#include "RecordLayout.h"

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
constexpr Control Compared[] = {
    C::Label8, C::Label11, C::Label12, C::Label13, C::Label14, C::Label15, C::Label16,
    C::DateTimePicker3, C::ComboBox1, C::ComboBox2, C::ComboBox3, C::Edit3, C::Edit9, C::Edit4,
    C::DateTimePicker1, C::DateTimePicker2, C::Edit5, C::Edit6, C::Edit7, C::Edit8, C::Edit1,
};

// What one decode of the bytes puts into the panel's controls.
class Collected final : public DecodeTarget
{
public:
    void setText(Control control, const QString &text) override { values.insert(control, text); }
    void setItemIndex(Control control, int index) override { values.insert(control, index); }
    void setDate(Control control, const QDate &date) override
    {
        if (!date.isValid() || date < pickerMinimum() || date > pickerMaximum())
            errors::throwText(errors::CalendarRefused);
        values.insert(control, date);
    }
    QHash<Control, QVariant> values;
};

QString dateText(const QDate &date) { return QLocale().toString(date, QLocale::ShortFormat); }

// An answer selector's text for an item index, as the panel shows it.
QString answerText(int index)
{
    return index == 0 ? QStringLiteral("YES") : index == 1 ? QStringLiteral("NO") : QString();
}

bool isDate(Control c) { return c == C::DateTimePicker1 || c == C::DateTimePicker2 || c == C::DateTimePicker3; }
bool isAnswer(Control c) { return c == C::ComboBox1 || c == C::ComboBox2 || c == C::ComboBox3; }

// The panel's value of a control as the certificate prints it.
QString shownText(const PanelValues &v, Control c)
{
    switch (c) {
    case C::Label8: return v.label8;
    case C::Label11: return v.label11;
    case C::Label12: return v.label12;
    case C::Label13: return v.label13;
    case C::Label14: return v.label14;
    case C::Label15: return v.label15;
    case C::Label16: return v.label16;
    case C::Edit1: return v.edit1;
    case C::Edit2: return v.edit2;
    case C::Edit3: return v.edit3;
    case C::Edit4: return v.edit4;
    case C::Edit5: return v.edit5;
    case C::Edit6: return v.edit6;
    case C::Edit7: return v.edit7;
    case C::Edit8: return v.edit8;
    case C::Edit9: return v.edit9;
    case C::ComboBox1: return v.comboBox1Text;
    case C::ComboBox2: return v.comboBox2Text;
    case C::ComboBox3: return v.comboBox3Text;
    case C::DateTimePicker1: return dateText(v.dateTimePicker1);
    case C::DateTimePicker2: return dateText(v.dateTimePicker2);
    case C::DateTimePicker3: return dateText(v.dateTimePicker3);
    }
    return {};
}

QDate shownDate(const PanelValues &v, Control c)
{
    return c == C::DateTimePicker1 ? v.dateTimePicker1 : c == C::DateTimePicker2 ? v.dateTimePicker2 : v.dateTimePicker3;
}

QString fileText(Control c, const QVariant &value)
{
    if (isDate(c))
        return dateText(value.toDate());
    if (isAnswer(c))
        return answerText(value.toInt());
    return value.toString();
}

// Equal as the certificate prints them; dates by their day, not their text.
bool same(const PanelValues &v, Control c, const std::optional<QVariant> &inFile)
{
    if (!inFile)  // the record holds none: only an empty box prints what it holds
        return !isDate(c) && shownText(v, c).isEmpty();
    if (isDate(c))
        return shownDate(v, c) == inFile->toDate();
    return shownText(v, c) == fileText(c, *inFile);
}

QString quoted(Control c, const QString &text)
{
    return isDate(c) ? text : QStringLiteral("\"%1\"").arg(text);
}

} // namespace

QString captionOf(Control control)
{
    switch (control) {
    case C::Label8: return QStringLiteral("Frequency high");
    case C::Label11: return QStringLiteral("Frequency low");
    case C::Label12: return QStringLiteral("Emitted Power");
    case C::Label13: return QStringLiteral("Emitted signal duration");
    case C::Label14: return QStringLiteral("Number of frequency tunings");
    case C::Label15: return QStringLiteral("Frequency repetition");
    case C::Label16: return QStringLiteral("Tester emitted signal duration");
    case C::Edit1: return QStringLiteral("Radioengineer");
    case C::Edit2: return QStringLiteral("Controller");
    case C::Edit3: return QStringLiteral("SART Model");
    case C::Edit4: return QStringLiteral("Vessel Name");
    case C::Edit5: return QStringLiteral("Service center Name");
    case C::Edit6: return QStringLiteral("Service center Address");
    case C::Edit7: return QStringLiteral("Service center Tel");
    case C::Edit8: return QStringLiteral("Service center Fax");
    case C::Edit9: return QStringLiteral("Manufacturer №");
    case C::ComboBox1: return QStringLiteral("Stand by");
    case C::ComboBox2: return QStringLiteral("Led");
    case C::ComboBox3: return QStringLiteral("Sound beeper");
    case C::DateTimePicker1: return QStringLiteral("Next testing date");
    case C::DateTimePicker2: return QStringLiteral("Testing date");
    case C::DateTimePicker3: return QStringLiteral("Battery replacement date");
    }
    return {};
}

QString Difference::text(const QString &recordName) const
{
    const QString value = caption + u' ' + quoted(control, shown);
    const QString holds = inFile.isNull() ? QStringLiteral("the record holds none")
                                          : QStringLiteral("the record holds %1").arg(quoted(control, inFile));
    switch (kind) {
    case Kind::Unreadable:
    case Kind::ChangedOnDisk:
        return detail;
    case Kind::Typed:
        return QStringLiteral("%1 is typed and not saved (%2).").arg(value, holds);
    case Kind::CarriedOver:
        return QStringLiteral("%1 is carried over from the record %2 (%3).").arg(value, detail, holds);
    case Kind::TestingDate:
        return QStringLiteral("The testing date shown, %1, is not the record's: the record %2 was tested on %3.")
            .arg(shown, recordName, inFile);
    case Kind::NotInFile:
        return QStringLiteral("%1 is not what the file holds now (%2).").arg(value, holds);
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
    return QStringLiteral("The certificate would not say what the record %1 holds:\n%2")
        .arg(recordName, lines.join(u'\n'));
}

Result check(const Input &input)
{
    if (input.recordPath.isEmpty())
        errors::throwText(QStringLiteral("No record is shown: there is nothing to certify."));
    Result result;
    result.recordName = filenames::display(QFileInfo(input.recordPath).fileName());

    // The bytes are read once: what is compared is what the register keeps.
    const recordstate::Fingerprint now = recordstate::ofFile(input.recordPath, &result.bytes);
    if (now.readable)
        result.sha256 = QString::fromLatin1(QCryptographicHash::hash(result.bytes, QCryptographicHash::Sha256).toHex());
    const recordstate::Change change = recordstate::compare(input.shown, now);
    if (change != recordstate::Change::None) {
        result.differences.append({Difference::Kind::ChangedOnDisk, C::Edit1, {}, {}, {},
                                   recordstate::describe(change, QFileInfo(input.recordPath).fileName(), now)});
    }
    if (!now.isRecord()) {
        if (change == recordstate::Change::None)
            result.differences.append({Difference::Kind::Unreadable, C::Edit1, {}, {}, {},
                                       QStringLiteral("The file of the record %1 cannot be read as a record.")
                                           .arg(result.recordName)});
        return result;
    }

    RecordBytes bytes;
    std::memcpy(bytes.data(), result.bytes.constData(), bytes.size());
    decoder::Input decode;
    decode.path = input.recordPath;
    decode.modeIndex = input.panel.comboBox4Index;
    decode.testingDateCell = archive::testingDateCell(bytes.data() + layout::TestingDate);
    decode.currentYear = input.currentYear;
    Collected file;
    try {
        decoder::decodeBuffer(bytes, decode, file);
    } catch (const AppError &e) {
        result.differences.append({Difference::Kind::Unreadable, C::Edit1, {}, {}, {},
                                   QStringLiteral("The record %1 cannot be decoded as it is now: %2")
                                       .arg(result.recordName, e.text())});
        return result;
    }
    result.recordTestingDate = file.values.value(C::DateTimePicker2).toDate();

    for (Control c : Compared) {
        const auto found = file.values.constFind(c);
        const std::optional<QVariant> inFile =
            found == file.values.constEnd() ? std::nullopt : std::optional<QVariant>(*found);
        if (same(input.panel, c, inFile))
            continue;
        Difference d{Difference::Kind::NotInFile, c, captionOf(c), shownText(input.panel, c),
                     inFile ? fileText(c, *inFile) : QString(), {}};
        if (c == C::DateTimePicker2)
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
