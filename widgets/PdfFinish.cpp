#include "PdfFinish.h"

namespace pdffinish {

namespace {
thread_local Step current;
}

Scope::Scope(Step step) : m_previous(std::move(current))
{
    current = std::move(step);
}

Scope::~Scope()
{
    current = std::move(m_previous);
}

bool active()
{
    return bool(current);
}

QByteArray apply(const QByteArray &pdf)
{
    return current ? current(pdf) : pdf;
}

} // namespace pdffinish
