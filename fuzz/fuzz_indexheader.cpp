// The archive index's reading of one record: any header, Auto block and
// testing date. Indexing never raises; a header is taken as saved exactly when
// its mark says so, and only then gives texts and a next testing date; texts
// come from their own field, trimmed; a testing date of six digits is read as
// the file table reads it; a record that cannot be decoded marks no limits;
// and what the index holds is what Find, the due list and a SART's history
// find the record by.
//
// Input: byte 0 chooses the record the bytes are written into (bit 0: a
// record with a saved header, else one as received); then the 200 header
// bytes, the 128 bytes of the Auto block (the testing date among them) and
// the 11 bytes of the tester's engineer name, as far as the input goes.
#include "ArchiveIndex.h"
#include "Convert.h"
#include "HeaderWriteBack.h"
#include "RecordLayout.h"
#include "RecordText.h"
#include "SampleRecord.h"

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

[[noreturn]] void fail(const char *what, const QString &detail)
{
    std::fprintf(stderr, "%s: %s\n", what, qPrintable(detail));
    std::abort();
}

RecordBytes asReceived, withHeader;

RecordBytes toBytes(const QByteArray &record)
{
    RecordBytes bytes{};
    std::memcpy(bytes.data(), record.constData(), std::min<size_t>(bytes.size(), size_t(record.size())));
    return bytes;
}

// Copies the next input bytes over [offset, offset + count).
void patch(RecordBytes &bytes, int offset, int count, const uint8_t *&data, size_t &size)
{
    const size_t n = std::min(size, size_t(count));
    std::memcpy(bytes.data() + offset, data, n);
    data += n;
    size -= n;
}

// The text is the field's characters in order, some left out (the fill, and
// what follows a terminator), and never longer than the field.
void checkText(const RecordBytes &bytes, int offset, int width, const QString &text, const char *what)
{
    if (text.size() > width)
        fail(what, QStringLiteral("longer than its field: ") + text);
    if (text != text.trimmed())
        fail(what, QStringLiteral("not trimmed: ") + text);
    const QString field =
        recordtext::fromBytes(QByteArray(reinterpret_cast<const char *>(bytes.data() + offset), width));
    qsizetype at = 0;
    for (const QChar c : text) {
        at = field.indexOf(c, at);
        if (at < 0)
            fail(what, QStringLiteral("not from its field: ") + text);
        ++at;
    }
}

// The testing date of six digits "ddmmyy", as the file table reads it.
void checkTestingDate(const RecordBytes &bytes, const QDate &read)
{
    if (read.isValid() && (read.year() < 1 || read.year() > 9999))
        fail("testing date out of range", read.toString(Qt::ISODate));
    const uint8_t *d = bytes.data() + layout::TestingDate;
    if (!std::all_of(d, d + layout::TestingDateWidth, [](uint8_t b) { return b >= '0' && b <= '9'; }))
        return;
    auto two = [&](int i) { return (d[i] - '0') * 10 + d[i + 1] - '0'; };
    const qint64 year = convert::windowedYear(two(4), QDate::currentDate().year());
    const QDate expected(int(year), two(2), two(0));
    if (read != expected)
        fail("testing date of six digits", read.toString(Qt::ISODate) + u'/' + expected.toString(Qt::ISODate));
}

void found(const QVector<archive::IndexEntry> &entries, const QString &query, const char *what)
{
    if (archive::search(entries, query) != QVector<int>{0})
        fail(what, query);
}

void checkEntry(const RecordBytes &bytes, const archive::IndexSource &source, const archive::IndexEntry &e)
{
    if (e.fileName != source.fileName || e.path() != source.path || !(e.identity == source.identity))
        fail("source not carried", e.fileName);
    if (e.headerSaved != (bytes[layout::ServiceMark] == layout::Mark))
        fail("header saved", QString::number(bytes[layout::ServiceMark]));

    const std::pair<const QString *, int> texts[] = {
        {&e.sartModel, layout::SartModel},     {&e.manufacturerNo, layout::ManufacturerNo},
        {&e.vessel, layout::VesselName},       {&e.centreName, layout::CentreName},
        {&e.centreAddress, layout::CentreAddress}, {&e.centreTel, layout::CentreTel},
        {&e.centreFax, layout::CentreFax},
    };
    for (const auto &[text, offset] : texts) {
        if (!e.headerSaved && !text->isEmpty())
            fail("a text from a header never saved", *text);
        checkText(bytes, offset, layout::TextFieldWidth, *text, "header text");
    }
    if (!e.headerSaved && e.nextTestDate.isValid())
        fail("a next testing date from a header never saved", e.nextTestDate.toString(Qt::ISODate));
    if (e.engineer.size() > layout::RadioEngineerWidth || e.engineer != e.engineer.trimmed())
        fail("engineer", e.engineer);
    for (int answer : {e.standBy, e.led, e.beeper})
        if (answer < -1 || answer > 3)
            fail("answer index", QString::number(answer));
    checkTestingDate(bytes, e.testingDate);

    if (e.measured) {
        const MeasuredValues &m = *e.measured;
        if (m.highKHz < 0 || m.highKHz > 0xFFFFFF || m.lowKHz < 0 || m.lowKHz > 0xFFFFFF || m.powerMw < 0
            || m.powerMw > 0xFFFF || m.durationUnits < 0 || m.durationUnits > 0xFFFF || m.tunings < 0
            || m.tunings > 0xFF)
            fail("measured value beyond its field", QString::number(m.highKHz));
    }
    if (!e.problem.isEmpty() && !e.outsideLimits(limits::Limits()).isEmpty())
        fail("limits marked on a record that cannot be decoded", e.problem);

    // Find, the due list and the history find the record by what it holds.
    const QVector<archive::IndexEntry> entries{e};
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    found(entries, QString(), "empty query");
    found(entries, source.fileName.toUpper(), "file name");
    for (const QString *text : {&e.vessel, &e.sartModel, &e.manufacturerNo}) {
        const QStringList words = text->split(blanks, Qt::SkipEmptyParts);
        if (!words.isEmpty())
            found(entries, words.first(), "first word of a text");
    }
    const QLocale c = QLocale::c();
    if (e.testingDate.isValid())
        found(entries, c.toString(e.testingDate, QStringLiteral("dd.MM.yyyy")), "testing date");
    if (e.nextTestDate.isValid()) {
        found(entries, c.toString(e.nextTestDate, QStringLiteral("yyyy-MM-dd")), "next testing date");
        found(entries, c.toString(e.nextTestDate, QStringLiteral("MM.yyyy")), "next testing month");
    }
    const bool numbered = e.headerSaved && !e.manufacturerNo.isEmpty();
    if (archive::history(entries, e.manufacturerNo.toLower() + u' ').size() != int(numbered))
        fail("history by the manufacturer's number", e.manufacturerNo);
    const QVector<archive::DueItem> due = archive::dueForTest(entries, e.nextTestDate, 0);
    const bool dueToday = numbered && e.nextTestDate.isValid();
    if (due.size() != int(dueToday) || (dueToday && (due[0].entry != 0 || due[0].daysLeft != 0)))
        fail("due on the next testing date", e.nextTestDate.toString(Qt::ISODate));
    const QList<QStringList> table = archive::dueTable(entries, due);
    if (table.size() != due.size() + 1 || !std::all_of(table.begin(), table.end(), [&](const QStringList &row) {
            return row.size() == table[0].size();
        }))
        fail("due table", QString::number(table.size()));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    QLocale::setDefault(QLocale::c());
    recordtext::fromBytes("\x80\xC0");
    const sample::Params params = sample::variant(0);
    asReceived = toBytes(sample::makeRecord(params));
    RecordHeader header;
    header.radioEngineer = QStringLiteral("A. Sidorov");
    header.sartModel = QStringLiteral("SART-20");
    header.manufacturerNo = QStringLiteral("12345");
    header.vessel = QStringLiteral("MV Baltic Dawn");
    header.standByIndex = header.ledIndex = header.beeperIndex = 0;
    header.nextTestDate = QDate(2027, 1, 5);
    header.batteryDate = QDate(2029, 1, 5);
    withHeader = toBytes(writeback::rewrite(sample::makeRecord(params), header));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    RecordBytes bytes = data[0] & 1 ? withHeader : asReceived;
    ++data;
    --size;
    patch(bytes, 0, layout::HeaderSize, data, size);
    patch(bytes, layout::MeasurementBlock, layout::ModeStride, data, size);
    patch(bytes, layout::TesterEngineer, 11, data, size);

    const archive::IndexSource source{QStringLiteral("a.bin"), QStringLiteral("/archive/a.bin"), {}};
    archive::IndexEntry entry;
    try {
        entry = archive::indexRecord(source, bytes);
    } catch (...) {
        fail("indexing raised", QString());
    }
    checkEntry(bytes, source, entry);
    return 0;
}
