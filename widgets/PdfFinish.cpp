#include "PdfFinish.h"

#include <QPdfWriter>
#include <QPrinter>

namespace pdffinish {

namespace {
thread_local Finish current;
}

Scope::Scope(Finish finish) : m_previous(std::move(current))
{
    current = std::move(finish);
}

Scope::~Scope()
{
    current = std::move(m_previous);
}

bool active()
{
    return bool(current.step);
}

QByteArray apply(const QByteArray &pdf)
{
    return current.step ? current.step(pdf) : pdf;
}

QString pageLine(const QPaintDevice *device)
{
    if (!current.pageLine)
        return {};
    const auto *printer = dynamic_cast<const QPrinter *>(device);
    const bool pdfFile = dynamic_cast<const QPdfWriter *>(device)
                         || (printer && printer->outputFormat() == QPrinter::PdfFormat
                             && !printer->outputFileName().isEmpty());
    return pdfFile ? current.pageLine() : QString();
}

} // namespace pdffinish
