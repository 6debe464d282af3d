#include "WindowSettings.h"

#include "FileGrid.h"
#include "ProgramSettings.h"
#include "Unit1.h"

namespace {

const QString GeometryKey = QStringLiteral("MainWindow/geometry");
const QString ColumnsKey = QStringLiteral("MainWindow/columnWidths");

} // namespace

void showAsLeft(TForm1 &form)
{
    const ProgramSettings settings;
    QList<int> widths;
    for (const QString &width : settings.value(ColumnsKey).toStringList())
        widths.append(width.toInt());
    form.grid()->setColumnWidths(widths);

    // The saved geometry holds the maximized state and the size and position
    // the window has when it is not maximized; a screen that has gone since is
    // allowed for by restoreGeometry.
    const QByteArray geometry = settings.value(GeometryKey).toByteArray();
    if (geometry.isEmpty() || !form.restoreGeometry(geometry))
        form.showMaximized();
    else
        form.show();
}

void rememberWindow(const TForm1 &form)
{
    ProgramSettings settings;
    settings.setValue(GeometryKey, form.saveGeometry());
    QStringList widths;
    for (int width : form.grid()->columnWidths())
        widths.append(QString::number(width));
    settings.setValue(ColumnsKey, widths);
}
