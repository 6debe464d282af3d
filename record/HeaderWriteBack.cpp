#include "HeaderWriteBack.h"

#include "AppError.h"
#include "AtomicFile.h"
#include "FileNames.h"
#include "RecordFile.h"
#include "RecordLayout.h"
#include "RecordText.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace writeback {
namespace {

QByteArray dateField(const QDate &date)
{
    return date.toString(QStringLiteral("ddMMyyyy")).toLatin1().leftJustified(layout::DateWidth, '0', true);
}

} // namespace

QByteArray textField(const QString &text, int width)
{
    QByteArray bytes = recordtext::toBytes(text);
    const qsizetype end = bytes.indexOf(layout::TextTerminator);
    if (end >= 0)
        bytes.truncate(end);
    return bytes.left(width).leftJustified(width, ' ');
}

char answerDigit(int itemIndex)
{
    return itemIndex >= 0 && itemIndex <= 9 ? char('0' + itemIndex) : '2';
}

QByteArray buildHeader(const PanelValues &v)
{
    QByteArray h;
    h.reserve(layout::HeaderSize);
    h += textField(QStringLiteral("9") + v.edit1, layout::RadioEngineerWidth + 1);
    h += textField(QStringLiteral(" ") + v.edit2, layout::ControllerWidth);
    h += layout::Mark;
    h += dateField(v.dateTimePicker1);
    h += answerDigit(v.comboBox1Index);
    h += answerDigit(v.comboBox2Index);
    h += answerDigit(v.comboBox3Index);
    for (const QString *text : {&v.edit3, &v.edit9, &v.edit4, &v.edit5, &v.edit6, &v.edit7, &v.edit8})
        h += textField(*text, layout::TextFieldWidth);
    h += layout::Mark;
    h += dateField(v.dateTimePicker3);
    Q_ASSERT(h.size() == layout::HeaderSize);
    return h;
}

QByteArray rewrite(const QByteArray &source, const PanelValues &values)
{
    if (source.isEmpty())
        return source;
    if (source.size() < layout::HeaderSize)
        errors::throwText(errors::ReadBeyondEnd);
    return buildHeader(values) + source.mid(layout::HeaderSize);
}

void save(const QString &recordPath, const PanelValues &values)
{
    const recordfile::Source source(recordPath);
    // A rename would replace even a read-only file: refuse it as a write would be.
    if ((source.mode() & 0222) == 0 || ::access(filenames::toBytes(recordPath).constData(), W_OK) != 0)
        errors::throwFile(recordPath, errors::FileAccessDenied);
    source.refuseOversize();
    if (source.size() == 0)
        return;  // an empty file stays empty
    if (source.size() < layout::HeaderSize)
        errors::throwFile(recordPath, errors::ReadBeyondEnd);
    // The header is new; every byte after it is copied from the file as it is.
    const QByteArray header = buildHeader(values);
    try {
        atomicfile::replaceWith(recordPath, source.mode() & 07777, [&](int fd) {
            atomicfile::writeAll(fd, header.constData(), header.size());
            source.copyTail(layout::HeaderSize, fd);
        });
    } catch (const FileError &) {
        throw;
    } catch (const AppError &e) {
        errors::throwFile(recordPath, e.text());
    }
}

} // namespace writeback
