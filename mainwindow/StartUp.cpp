// What the main window does at start-up beyond building itself: the archive
// listed as it comes, and the dialogs built only when first opened.
#include "Unit1.h"

#include "FileGrid.h"
#include "Finder.h"
#include "FolderWatch.h"
#include "Unit2.h"
#include "Unit3.h"
#include "Unit4.h"

#include <QTimer>

void TForm1::namesListed() { StringGrid1->refresh(); }

// The dates are in: the index and the folder's watch start from the rows as
// they are now.
void TForm1::listingFinished()
{
    indexArchive();
    checkShownRecordFile();
    const FileTable &table = m_navigation->table();
    m_watch->watch(m_navigation->archiveFolder(), table.names(), table.identities());
}

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
