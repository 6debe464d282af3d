// Decodes any bytes as a record, in Auto, in Manual and with no testing mode
// selected, with a "Testing date" cell taken from the input. Only the
// program's own errors may come out, the controls change in decoding order
// (a failure stops the sequence, it never skips or repeats a control), and
// every value has the form its control expects.
//
// Input: byte 0 chooses the mode (mod 3: none, Auto, Manual), byte 1 the
// length of the cell text (mod 32) that follows it; the rest is the record,
// filled up with zeros to 4096 bytes.
#include "AppError.h"
#include "DecodeTarget.h"
#include "Decoder.h"
#include "RecordText.h"

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using T = DecodeTarget;

[[noreturn]] void fail(const char *what, const QString &detail)
{
    std::fprintf(stderr, "%s: %s\n", what, qPrintable(detail));
    std::abort();
}

void expectMatch(const QRegularExpression &re, const QString &text, const char *what)
{
    if (!re.match(text).hasMatch())
        fail(what, text);
}

class CheckingTarget : public DecodeTarget
{
public:
    std::vector<Field> calls;

    void setText(Field control, const QString &text) override
    {
        static const QRegularExpression frequency(QStringLiteral("^(0|[1-9][0-9]*)(\\.[0-9]?[1-9])?$"));
        static const QRegularExpression number(QStringLiteral("^(0|[1-9][0-9]*)$"));
        static const QRegularExpression duration(QStringLiteral("^(0|[1-9][0-9]*),[02468]$"));
        static const QStringList repetitions{"400", "800", "1250", "2000", "2500", "4000", "BAD"};
        static const QStringList durations{"0.5", "0.7", "0.9", "1.1", "1.3", "1.5", "BAD"};
        switch (control) {
        case FrequencyHigh:
        case FrequencyLow:
            expectMatch(frequency, text, "frequency");
            if (text.toDouble() > 16.78)
                fail("frequency above 24 bits", text);
            break;
        case Power:
        case Tunings:
            expectMatch(number, text, "whole number");
            if (text.toInt() > (control == Power ? 65535 : 255))
                fail("number too large", text);
            break;
        case SignalDuration:
            expectMatch(duration, text, "signal duration");
            break;
        case Repetition:
            if (!repetitions.contains(text))
                fail("repetition", text);
            break;
        case TesterDuration:
            if (!durations.contains(text))
                fail("tester duration", text);
            break;
        case RadioEngineer:
            if (text.size() > 19)
                fail("engineer name too long", text);
            break;
        case Controller:
            if (text.size() > 18)
                fail("controller too long", text);
            break;
        default:
            if (text.size() > 20 || text.contains(u'@'))
                fail("header text field", text);
        }
        calls.push_back(control);
    }

    void setItemIndex(Field control, int index) override
    {
        const int items = control == StandBy ? 4 : 3;
        if (index < -1 || index >= items)
            fail("answer index", QString::number(index));
        calls.push_back(control);
    }

    void setDate(Field control, const QDate &date) override
    {
        if (!date.isValid())
            fail("invalid date", QString());
        if (date < pickerMinimum() || date > pickerMaximum())
            throw AppError(errors::CalendarRefused);
        calls.push_back(control);
    }
};

std::vector<T::Field> expectedOrder(const RecordBytes &record)
{
    std::vector<T::Field> order{T::FrequencyHigh, T::FrequencyLow, T::Power, T::SignalDuration, T::Tunings,
                                  T::RadioEngineer, T::Controller};
    const bool service = record[layout::ServiceMark] == layout::Mark;
    if (service)
        order.insert(order.end(), {T::NextTestDate, T::StandBy, T::Led, T::Beeper,
                                   T::SartModel, T::ManufacturerNo, T::Vessel, T::CentreName, T::CentreAddress, T::CentreTel, T::CentreFax});
    if (record[layout::BatteryMark] == layout::Mark)
        order.push_back(T::BatteryDate);
    order.insert(order.end(), {T::TestingDate, T::Repetition, T::TesterDuration});
    if (!service)
        order.insert(order.end(), {T::StandBy, T::Led, T::Beeper});
    return order;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    QLocale::setDefault(QLocale::c());
    // Qt's lazily built tables are allocated once, before leak checking starts.
    recordtext::fromBytes("\x80\xC0");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    decoder::Input input;
    input.modeIndex = data[0] % 3 - 1;
    const size_t cellLength = std::min<size_t>(data[1] % 32, size - 2);
    input.testingDateCell = recordtext::fromBytes(
        QByteArray(reinterpret_cast<const char *>(data + 2), qsizetype(cellLength)));
    input.currentYear = 2025;

    RecordBytes record{};
    const size_t recordBytes = std::min(size - 2 - cellLength, record.size());
    std::copy_n(data + 2 + cellLength, recordBytes, record.begin());

    CheckingTarget target;
    bool failed = false;
    try {
        decoder::decodeBuffer(record, input, target);
    } catch (const AppError &e) {
        if (e.text().isEmpty())
            fail("empty error text", QString());
        failed = true;
    }
    const std::vector<T::Field> order = expectedOrder(record);
    const bool prefix = target.calls.size() <= order.size()
                        && std::equal(target.calls.begin(), target.calls.end(), order.begin());
    if (!prefix || (!failed && target.calls.size() != order.size()))
        fail("controls out of order", QString::number(target.calls.size()));
    return 0;
}
