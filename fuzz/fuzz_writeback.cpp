// Save changes on any source bytes with any panel values. The new content
// keeps the source's length and every byte from 200 on, the header carries the
// marks, the fields hold what the text field rule makes of each text, and
// decoding the saved record shows the same values again.
//
// Input: bytes 0..2 are the answer selectors' item indexes (mod 11, minus 1:
// -1..9), bytes 3..5 and 6..8 the next testing and battery dates (days after
// 1 January 1601, within 9999), then nine texts in UTF-8 (radio engineer,
// controller, SART model, vessel, centre name, address, tel, fax,
// manufacturer's number), each a length byte (mod 64) and its bytes; the rest
// is the source.
#include "AppError.h"
#include "Decoder.h"
#include "HeaderWriteBack.h"
#include "RecordLayout.h"
#include "RecordText.h"

#include <QLocale>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace {

using T = DecodeTarget;

[[noreturn]] void fail(const char *what, const QString &detail)
{
    std::fprintf(stderr, "%s: %s\n", what, qPrintable(detail));
    std::abort();
}

class Reader
{
public:
    Reader(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}
    quint32 number(int bytes)
    {
        quint32 value = 0;
        for (int i = 0; i < bytes; ++i)
            value = value << 8 | (m_at < m_size ? m_data[m_at++] : 0);
        return value;
    }
    QByteArray bytes(size_t count)
    {
        count = std::min(count, m_size - m_at);
        const QByteArray out(reinterpret_cast<const char *>(m_data + m_at), qsizetype(count));
        m_at += count;
        return out;
    }
    QByteArray rest() { return bytes(m_size - m_at); }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_at = 0;
};

QDate dateFrom(quint32 days)
{
    const qint64 first = QDate(1601, 1, 1).toJulianDay();
    const qint64 span = QDate(9999, 12, 31).toJulianDay() - first + 1;
    return QDate::fromJulianDay(first + days % span);
}

// The record bytes a text becomes in a field of `width`: its windows-1251
// bytes before the first '@', cut to width, filled up with spaces.
QByteArray expectedField(const QString &text, int width)
{
    QByteArray bytes = recordtext::toBytes(text);
    if (bytes.size() != text.toUcs4().size())
        fail("one byte per character", text);
    bytes.truncate(std::min<qsizetype>(bytes.indexOf('@') < 0 ? bytes.size() : bytes.indexOf('@'), width));
    return bytes + QByteArray(width - bytes.size(), ' ');
}

// What the panel shows for a field: the decoder passes over 0x00 bytes.
QString shown(QByteArray field)
{
    field.replace('\0', QByteArray());
    return recordtext::fromBytes(field);
}

QByteArray dateBytes(const QDate &date)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d%02d%04d", date.day(), date.month(), date.year());
    return QByteArray(text);
}

char expectedDigit(int index) { return index >= 0 ? char('0' + index) : '2'; }

// The item a decoded answer digit selects: digits past the selector's items
// select nothing.
int expectedItem(int index, int items)
{
    const int digit = expectedDigit(index) - '0';
    return digit < items ? digit : -1;
}

class Panel : public DecodeTarget
{
public:
    std::map<Field, QString> texts;
    std::map<Field, int> items;
    std::map<Field, QDate> dates;
    void setText(Field c, const QString &text) override { texts[c] = text; }
    void setItemIndex(Field c, int index) override { items[c] = index; }
    void setDate(Field c, const QDate &date) override { dates[c] = date; }
};

void checkHeader(const QByteArray &out, const RecordHeader &v)
{
    const auto expectBytes = [&](int offset, const QByteArray &expected, const char *what) {
        if (out.mid(offset, expected.size()) != expected)
            fail(what, QString::fromLatin1(out.mid(offset, expected.size()).toHex()));
    };
    for (int mark : {layout::EngineerMark, layout::ServiceMark, layout::BatteryMark})
        if (out[mark] != layout::Mark)
            fail("mark", QString::number(mark));
    for (const auto &[from, to] : {std::pair{1, 38}, std::pair{51, 190}})
        for (int i = from; i <= to; ++i)
            if (out[i] == layout::TextTerminator)
                fail("'@' in a text field", QString::number(i));
    for (int i = layout::StandByAnswer; i <= layout::BeeperAnswer; ++i)
        if (out[i] < '0' || out[i] > '9')
            fail("answer digit", QString::number(i));

    expectBytes(layout::RadioEngineer, expectedField(v.radioEngineer, layout::RadioEngineerWidth), "radio engineer field");
    expectBytes(layout::Controller, ' ' + expectedField(v.controller, layout::ControllerTextWidth), "controller field");
    expectBytes(layout::NextTestDate, dateBytes(v.nextTestDate), "next testing date");
    expectBytes(layout::BatteryDate, dateBytes(v.batteryDate), "battery date");
    const char answers[] = {expectedDigit(v.standByIndex), expectedDigit(v.ledIndex),
                            expectedDigit(v.beeperIndex)};
    expectBytes(layout::StandByAnswer, QByteArray(answers, 3), "answers");
    const std::pair<const QString *, int> fields[] = {
        {&v.sartModel, layout::SartModel},     {&v.manufacturerNo, layout::ManufacturerNo},
        {&v.vessel, layout::VesselName},    {&v.centreName, layout::CentreName},
        {&v.centreAddress, layout::CentreAddress}, {&v.centreTel, layout::CentreTel},
        {&v.centreFax, layout::CentreFax},
    };
    for (const auto &[text, offset] : fields)
        expectBytes(offset, expectedField(*text, layout::TextFieldWidth), "text field");
}

void checkDecoded(const QByteArray &out, const RecordHeader &v)
{
    RecordBytes record{};
    std::copy_n(out.constData(), std::min<qsizetype>(out.size(), record.size()), record.begin());
    decoder::Input input;
    input.modeIndex = 0;
    input.testingDateCell = QStringLiteral("01.02.25");
    input.currentYear = 2025;
    Panel panel;
    try {
        decoder::decodeBuffer(record, input, panel);
    } catch (const AppError &e) {
        fail("decoding the saved record", e.text());
    }

    const auto expectText = [&](T::Field c, const QString &text, int width) {
        QString expected = shown(expectedField(text, width));
        // The fill is not shown, except in the hidden controller box.
        while (c != T::Controller && expected.endsWith(u' '))
            expected.chop(1);
        if (panel.texts[c] != expected)
            fail("decoded text", panel.texts[c] + QStringLiteral(" instead of ") + expected);
    };
    expectText(T::RadioEngineer, v.radioEngineer, layout::RadioEngineerWidth);
    expectText(T::Controller, v.controller, layout::ControllerTextWidth);
    const std::pair<T::Field, const QString *> fields[] = {
        {T::SartModel, &v.sartModel}, {T::Vessel, &v.vessel}, {T::CentreName, &v.centreName}, {T::CentreAddress, &v.centreAddress},
        {T::CentreTel, &v.centreTel}, {T::CentreFax, &v.centreFax}, {T::ManufacturerNo, &v.manufacturerNo},
    };
    for (const auto &[control, text] : fields)
        expectText(control, *text, layout::TextFieldWidth);

    if (panel.dates[T::NextTestDate] != v.nextTestDate || panel.dates[T::BatteryDate] != v.batteryDate)
        fail("decoded dates", panel.dates[T::NextTestDate].toString() + u' '
                                  + panel.dates[T::BatteryDate].toString());
    if (panel.items[T::StandBy] != expectedItem(v.standByIndex, 4)
        || panel.items[T::Led] != expectedItem(v.ledIndex, 3)
        || panel.items[T::Beeper] != expectedItem(v.beeperIndex, 3))
        fail("decoded answers", QString());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    QLocale::setDefault(QLocale::c());
    recordtext::toBytes(recordtext::fromBytes("\x80\xC0"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Reader in(data, size);
    RecordHeader v;
    v.standByIndex = int(in.number(1) % 11) - 1;
    v.ledIndex = int(in.number(1) % 11) - 1;
    v.beeperIndex = int(in.number(1) % 11) - 1;
    v.nextTestDate = dateFrom(in.number(3));
    v.batteryDate = dateFrom(in.number(3));
    for (QString *text : {&v.radioEngineer, &v.controller, &v.sartModel, &v.vessel, &v.centreName, &v.centreAddress, &v.centreTel, &v.centreFax, &v.manufacturerNo})
        *text = QString::fromUtf8(in.bytes(in.number(1) % 64));
    const QByteArray source = in.rest();

    QByteArray out;
    try {
        out = writeback::rewrite(source, v);
    } catch (const AppError &e) {
        if (source.isEmpty() || source.size() >= layout::HeaderSize || e.text() != errors::ReadBeyondEnd)
            fail("rewrite error", e.text());
        return 0;
    }
    if (source.size() > 0 && source.size() < layout::HeaderSize)
        fail("short source accepted", QString::number(source.size()));
    if (out.size() != source.size())
        fail("length changed", QString::number(out.size()));
    if (source.isEmpty())
        return 0;
    if (out.mid(layout::HeaderSize) != source.mid(layout::HeaderSize))
        fail("bytes after the header changed", QString());
    checkHeader(out, v);
    checkDecoded(out, v);
    if (writeback::rewrite(out, v) != out)
        fail("saving twice differs", QString());
    return 0;
}
