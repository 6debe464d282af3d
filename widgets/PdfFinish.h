#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QPaintDevice;

// The last step of a certificate's PDF before it takes its name: while a
// Scope lives (on the thread that writes), every PDF file the report writes
// (printing::printToPdf, or the preview printing into a file) is passed
// through its step, and the file is written with the bytes the step returns.
// A step that raises leaves no file under the name. Used to sign the PDF;
// the scope may also give a line for the page ("Signed by ...").
namespace pdffinish {

struct Finish
{
    std::function<QByteArray(const QByteArray &pdf)> step;  // empty: nothing to do
    std::function<QString()> pageLine;                      // empty: no line
};

class Scope
{
public:
    explicit Scope(Finish finish);
    ~Scope();
    Scope(const Scope &) = delete;
    Scope &operator=(const Scope &) = delete;

private:
    Finish m_previous;
};

bool active();
// The bytes as the step in force makes them (unchanged without one).
QByteArray apply(const QByteArray &pdf);
// The line to draw on a page painted onto the device: only onto a PDF file
// being written while a scope with a line is in force; else empty.
QString pageLine(const QPaintDevice *device);

} // namespace pdffinish
