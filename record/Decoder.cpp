#include "Decoder.h"

#include "AppError.h"
#include "BitField.h"
#include "Convert.h"
#include "RecordFile.h"
#include "RecordText.h"

#include <QLocale>

namespace decoder {
namespace {

// Big-endian unsigned value of `width` bytes at `offset`, read through the
// bit-field reader like every number of the tester area.
int fieldValue(const RecordBytes &buffer, int offset, int width)
{
    bits::LoadBits(buffer, offset + 1, offset + width);
    return bits::BitsValue(1, 8 * width);
}

QString textOf(const RecordBytes &buffer, int offset, int width)
{
    QString text;
    for (int i = offset; i < offset + width; ++i)
        if (buffer[i] != 0)
            text.append(recordtext::fromByte(buffer[i]));
    return text;
}

// Save changes fills a text field up with spaces; they are not part of the
// text, and the next save fills the field again with the same bytes.
QString withoutFill(QString text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == u' ')
        --end;
    text.truncate(end);
    return text;
}

// A header text field: characters up to the '@' terminator or the 20th,
// without its fill.
QString headerText(const RecordBytes &buffer, int offset)
{
    QString text;
    for (int i = offset; i < offset + layout::TextFieldWidth; ++i) {
        if (buffer[i] == layout::TextTerminator)
            break;
        if (buffer[i] != 0)
            text.append(recordtext::fromByte(buffer[i]));
    }
    return withoutFill(text);
}

int number(const RecordBytes &buffer, int offset, int width)
{
    QByteArray bytes(reinterpret_cast<const char *>(buffer.data() + offset), width);
    return convert::toInt(recordtext::fromBytes(bytes));
}

int datePart(const RecordBytes &buffer, int offset, int width)
{
    const int value = number(buffer, offset, width);
    if (value < 0)
        errors::throwText(errors::RangeCheck);
    return value;
}

QDate headerDate(const RecordBytes &buffer, int offset)
{
    const int day = datePart(buffer, offset, 2);
    const int month = datePart(buffer, offset + 2, 2);
    const int year = datePart(buffer, offset + 4, 4);
    return convert::encodeDate(year, month, day);
}

int answerFromDigit(const RecordBytes &buffer, int offset, int itemCount)
{
    const int index = number(buffer, offset, 1);
    return index < itemCount ? index : -1;
}

} // namespace

QString frequencyText(int kilohertz)
{
    // value / 10000 rounded to the nearest integer, halves to the even neighbour
    int k = kilohertz / 10000;
    const int rest = kilohertz % 10000;
    if (rest > 5000 || (rest == 5000 && k % 2 == 1))
        ++k;
    QString text = QString::number(k / 100);
    const int cents = k % 100;
    if (cents != 0) {
        text += QLocale().decimalPoint();
        text += QString::number(cents / 10);
        if (cents % 10 != 0)
            text += QString::number(cents % 10);
    }
    return text;
}

QString signalDurationText(int units)
{
    return QStringLiteral("%1,%2").arg(units / 5).arg((units % 5) * 2);
}

QString repetitionText(int code)
{
    static const char *const texts[] = {"400", "800", "1250", "2000", "2500", "4000"};
    return code >= 0 && code < 6 ? QString::fromLatin1(texts[code]) : QStringLiteral("BAD");
}

QString testerDurationText(int code)
{
    static const char *const texts[] = {"0.5", "0.7", "0.9", "1.1", "1.3", "1.5"};
    return code >= 0 && code < 6 ? QString::fromLatin1(texts[code]) : QStringLiteral("BAD");
}

int answerFromCode(int code)
{
    const int low = code & 0x0F;
    return low < 2 ? low : 2;
}

void readRecord(const QString &path, RecordBytes &buffer)
{
    // Only a regular file is a record, and opening it never waits: a pipe or
    // device named like a record cannot hang the program.
    const recordfile::Source source(path);
    source.readAt(buffer.data(), qsizetype(buffer.size()), 0);
}

void decode(const Input &input, DecodeTarget &target)
{
    readRecord(input.path, recordBuffer());
    decodeBuffer(recordBuffer(), input, target);
}

void decodeBuffer(const RecordBytes &buffer, const Input &input, DecodeTarget &target)
{
    using T = DecodeTarget;
    // The selector has two items; -1 (none selected) reads 128 bytes lower.
    if (input.modeIndex < -1 || input.modeIndex > 1)
        errors::throwText(errors::RangeCheck);
    const int m = layout::ModeStride * input.modeIndex;

    const int block = layout::MeasurementBlock + m;
    MeasuredValues measured;
    measured.highKHz = fieldValue(buffer, block + layout::FrequencyHigh, 3);
    target.setText(T::FrequencyHigh, frequencyText(measured.highKHz));
    measured.lowKHz = fieldValue(buffer, block + layout::FrequencyLow, 3);
    target.setText(T::FrequencyLow, frequencyText(measured.lowKHz));
    measured.powerMw = fieldValue(buffer, block + layout::EmittedPower, 2);
    target.setText(T::Power, QString::number(measured.powerMw));
    measured.durationUnits = fieldValue(buffer, block + layout::SignalDuration, 2);
    target.setText(T::SignalDuration, signalDurationText(measured.durationUnits));
    measured.tunings = fieldValue(buffer, block + layout::TuningCount, 1);
    target.setText(T::Tunings, QString::number(measured.tunings));
    target.setMeasured(measured);

    // Engineer's name: the saved one under the mark, else the tester's ten
    // characters (+0..+8 and +10), ending at the first 0x00.
    if (buffer[layout::EngineerMark] == layout::Mark) {
        target.setText(T::RadioEngineer, withoutFill(textOf(buffer, layout::RadioEngineer, layout::RadioEngineerWidth)));
    } else {
        const int base = layout::TesterEngineer + m;
        QString name;
        for (int offset : {0, 1, 2, 3, 4, 5, 6, 7, 8, 10}) {
            if (buffer[base + offset] == 0)
                break;
            name.append(recordtext::fromByte(buffer[base + offset]));
        }
        target.setText(T::RadioEngineer, name);
    }

    // Controller: byte 20 tells whether there is a text; the text itself starts
    // at byte 21, where Save changes writes it.
    target.setText(T::Controller, buffer[layout::Controller] == 0
                                 ? QString()
                                 : textOf(buffer, layout::ControllerText, layout::ControllerTextWidth));

    const bool serviceSaved = buffer[layout::ServiceMark] == layout::Mark;
    if (serviceSaved) {
        target.setDate(T::NextTestDate, headerDate(buffer, layout::NextTestDate));
        target.setItemIndex(T::StandBy, answerFromDigit(buffer, layout::StandByAnswer, 4));
        target.setItemIndex(T::Led, answerFromDigit(buffer, layout::LedAnswer, 3));
        target.setItemIndex(T::Beeper, answerFromDigit(buffer, layout::BeeperAnswer, 3));
        const std::pair<T::Field, int> texts[] = {
            {T::SartModel, layout::SartModel},     {T::ManufacturerNo, layout::ManufacturerNo},
            {T::Vessel, layout::VesselName},    {T::CentreName, layout::CentreName},
            {T::CentreAddress, layout::CentreAddress}, {T::CentreTel, layout::CentreTel},
            {T::CentreFax, layout::CentreFax},
        };
        for (const auto &[field, offset] : texts)
            target.setText(field, headerText(buffer, offset));
    }

    if (buffer[layout::BatteryMark] == layout::Mark)
        target.setDate(T::BatteryDate, headerDate(buffer, layout::BatteryDate));

    const int year = input.currentYear ? input.currentYear : QDate::currentDate().year();
    target.setDate(T::TestingDate, convert::tableDate(input.testingDateCell, year));

    target.setText(T::Repetition, repetitionText(buffer[block + layout::RepetitionCode]));
    target.setText(T::TesterDuration, testerDurationText(buffer[block + layout::TesterDurationCode]));

    if (!serviceSaved) {
        target.setItemIndex(T::StandBy, answerFromCode(buffer[block + layout::StandByCode]));
        target.setItemIndex(T::Led, answerFromCode(buffer[block + layout::LedCode]));
        target.setItemIndex(T::Beeper, answerFromCode(buffer[block + layout::BeeperCode]));
    }
}

} // namespace decoder
