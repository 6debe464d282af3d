#include "SignedPdfTools.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>

namespace signedpdf {

Run run(const QString &program, const QStringList &arguments, const QString &workingFolder)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (!workingFolder.isEmpty())
        process.setWorkingDirectory(workingFolder);
    process.start(program, arguments);
    Run result;
    if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit)
        result.exitCode = process.exitCode();
    result.output = QString::fromUtf8(process.readAll());
    return result;
}

Run pdfsig(const QString &path)
{
    return run(QStringLiteral("pdfsig"), {QStringLiteral("-nocert"), path});
}

Run cmsVerify(const QByteArray &pdf, const QString &caPem, const QString &workFolder)
{
    static const QRegularExpression range(QStringLiteral("/ByteRange\\s*\\[\\s*(\\d+)\\s+(\\d+)\\s+(\\d+)\\s+(\\d+)"));
    QRegularExpressionMatch m;
    for (auto it = range.globalMatch(QString::fromLatin1(pdf)); it.hasNext();)
        m = it.next();
    if (!m.hasMatch())
        return {1, QStringLiteral("no byte range")};
    const qint64 a = m.captured(2).toLongLong(), b = m.captured(3).toLongLong(), c = m.captured(4).toLongLong();
    const QDir dir(workFolder);
    QFile content(dir.filePath(QStringLiteral("content.bin")));
    content.open(QIODevice::WriteOnly);
    content.write(pdf.left(a) + pdf.mid(b, c));
    content.close();
    QFile signature(dir.filePath(QStringLiteral("signature.der")));
    signature.open(QIODevice::WriteOnly);
    signature.write(QByteArray::fromHex(pdf.mid(a + 1, b - a - 2)));
    signature.close();
    return run(QStringLiteral("openssl"),
               {"cms", "-verify", "-binary", "-inform", "DER", "-purpose", "any", "-CAfile", caPem, "-content",
                content.fileName(), "-in", signature.fileName(), "-out", "/dev/null"});
}

QByteArray qtPdf(const QString &title)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(title);
        writer.setPageSize(QPageSize(QPageSize::A4));
        QPainter painter(&writer);
        painter.drawText(QPointF(500, 500), QStringLiteral("SART TEST REPORT"));
    }
    return buffer.data();
}

QByteArray changedByte(QByteArray pdf, const QByteArray &what, char to)
{
    const qsizetype at = pdf.indexOf(what);
    if (at >= 0)
        pdf[at + what.size() - 1] = to;
    return pdf;
}

QByteArray withAppendedUpdate(const QByteArray &pdf, const QString &otherNumber)
{
    static const QRegularExpression root(QStringLiteral("/Root\\s+(\\d+\\s+\\d+\\s+R)"));
    static const QRegularExpression start(QStringLiteral("startxref\\s+(\\d+)"));
    QRegularExpressionMatch r, s;
    const QString text = QString::fromLatin1(pdf);
    for (auto it = root.globalMatch(text); it.hasNext();)
        r = it.next();
    for (auto it = start.globalMatch(text); it.hasNext();)
        s = it.next();
    QByteArray out = pdf;
    if (!out.endsWith('\n'))
        out += '\n';
    const qsizetype object = out.size();
    out += QStringLiteral("900 0 obj\n<< /Title (SART TEST REPORT, certificate %1) /CertificateNumber (%1) >>\nendobj\n")
               .arg(otherNumber)
               .toLatin1();
    const qsizetype xref = out.size();
    out += QStringLiteral("xref\n900 1\n%1 00000 n \ntrailer\n<< /Size 901 /Root %2 /Info 900 0 R /Prev %3 >>\n"
                          "startxref\n%4\n%%EOF\n")
               .arg(object, 10, 10, QLatin1Char('0'))
               .arg(r.captured(1), s.captured(1))
               .arg(xref)
               .toLatin1();
    return out;
}

} // namespace signedpdf
