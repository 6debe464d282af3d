#pragma once

#include <QByteArray>

#include <functional>

// The last step of a certificate's PDF before it takes its name: while a
// Scope lives (on the thread that writes), every PDF file the report writes
// (printing::printToPdf, or the preview printing into a file) is passed
// through its step, and the file is written with the bytes the step returns.
// A step that raises leaves no file under the name. Used to sign the PDF.
namespace pdffinish {

using Step = std::function<QByteArray(const QByteArray &pdf)>;

class Scope
{
public:
    explicit Scope(Step step);  // an empty step: nothing to do
    ~Scope();
    Scope(const Scope &) = delete;
    Scope &operator=(const Scope &) = delete;

private:
    Step m_previous;
};

bool active();
// The bytes as the step in force makes them (unchanged without one).
QByteArray apply(const QByteArray &pdf);

} // namespace pdffinish
