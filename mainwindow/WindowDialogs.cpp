// The dialogs of the main window that are built only when first opened, so
// that nothing but the archive's listing and the record shown comes before
// the window's first paint.
#include "Unit1.h"

#include "Unit2.h"
#include "Unit3.h"
#include "Unit4.h"

#include <QTimer>

TForm2 *TForm1::form2()
{
    if (!Form2) {
        Form2 = new TForm2(m_startDirectory, this);
        connect(Form2, &TForm2::formClosed, Timer1, qOverload<>(&QTimer::start));
    }
    return Form2;
}

TForm3 *TForm1::form3()
{
    if (!Form3)
        Form3 = new TForm3(this);  // holds the printable help
    return Form3;
}

TForm4 *TForm1::form4()
{
    if (!Form4)
        Form4 = new TForm4(this);
    return Form4;
}
