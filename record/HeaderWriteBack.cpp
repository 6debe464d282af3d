#include "HeaderWriteBack.h"

#include "AppError.h"
#include "AtomicFile.h"
#include "RecordLayout.h"
#include "RecordText.h"

#include <QFile>

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
    const QByteArray path = QFile::encodeName(recordPath);
    struct stat st {};
    if (::stat(path.constData(), &st) != 0)
        errors::throwIo(errno);
    // A rename would replace even a read-only file: refuse it as a write would be.
    if (!S_ISDIR(st.st_mode) && ((st.st_mode & 0222) == 0 || ::access(path.constData(), W_OK) != 0))
        errors::throwText(errors::FileAccessDenied);
    const QByteArray source = atomicfile::readAll(recordPath);
    atomicfile::replace(recordPath, rewrite(source, values), st.st_mode & 07777);
}

} // namespace writeback
