#include "WindowSettings.h"

#include "FileGrid.h"
#include "ProgramSettings.h"
#include "Unit1.h"

#include <QEvent>

namespace {

const QString GeometryKey = QStringLiteral("MainWindow/geometry");
const QString ColumnsKey = QStringLiteral("MainWindow/columnWidths");

void remember(const TForm1 &form)
{
    ProgramSettings settings;
    settings.setValue(GeometryKey, form.saveGeometry());
    QStringList widths;
    for (int width : form.grid()->columnWidths())
        widths.append(QString::number(width));
    settings.setValue(ColumnsKey, widths);
}

// Remembers the window whenever it is asked to close, however that ends.
class Keeper : public QObject
{
public:
    explicit Keeper(TForm1 &form) : QObject(&form), m_form(form) { form.installEventFilter(this); }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == &m_form && event->type() == QEvent::Close)
            remember(m_form);
        return false;
    }

private:
    TForm1 &m_form;
};

} // namespace

void showAsLeft(TForm1 &form)
{
    const ProgramSettings settings;
    QList<int> widths;
    for (const QString &width : settings.value(ColumnsKey).toStringList())
        widths.append(width.toInt());
    form.grid()->setColumnWidths(widths);

    // The saved geometry holds the maximized state and the size and position
    // the window has when it is not maximized; restoreGeometry keeps the
    // window on a screen that is there now.
    const QByteArray geometry = settings.value(GeometryKey).toByteArray();
    if (geometry.isEmpty() || !form.restoreGeometry(geometry))
        form.showMaximized();
    else
        form.show();
    new Keeper(form);
}
