#include "WindowSettings.h"

#include "FileGrid.h"
#include "ProgramSettings.h"
#include "Unit1.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>

namespace windowsettings {

std::optional<QRect> soundGeometry(const QStringList &remembered, const QList<QRect> &screens, QSize minimum)
{
    constexpr int Slack = 50;  // a frame, or a window dragged a little beyond the edge
    if (remembered.size() != 4)
        return std::nullopt;
    int values[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = remembered[i].trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    const QRect rect(values[0], values[1], values[2], values[3]);
    if (rect.width() < minimum.width() || rect.height() < minimum.height())
        return std::nullopt;
    for (const QRect &screen : screens)
        if (screen.adjusted(-Slack, -Slack, Slack, Slack).contains(rect))
            return rect;
    return std::nullopt;
}

QList<int> columnWidths(const QStringList &remembered)
{
    QList<int> widths;
    for (const QString &entry : remembered) {
        bool ok = false;
        const int width = entry.trimmed().toInt(&ok);
        widths.append(ok ? width : -1);
    }
    return widths;
}

} // namespace windowsettings

namespace {

const QString GeometryKey = QStringLiteral("MainWindow/normalGeometry");
const QString MaximizedKey = QStringLiteral("MainWindow/maximized");
const QString ColumnsKey = QStringLiteral("MainWindow/columnWidths");
// Where earlier versions kept the geometry, in Qt's own form, whose contents
// cannot be checked before the window takes them: no longer read.
const QString FormerGeometryKey = QStringLiteral("MainWindow/geometry");

// The smallest window that shows its tool bar, table and panel usefully.
constexpr QSize SmallestWindow(400, 300);

void remember(const TForm1 &form)
{
    ProgramSettings settings;
    const QRect normal = form.normalGeometry();
    settings.setValue(GeometryKey, QStringList{QString::number(normal.x()), QString::number(normal.y()),
                                               QString::number(normal.width()), QString::number(normal.height())});
    settings.setValue(MaximizedKey, form.isMaximized());
    settings.remove(FormerGeometryKey);
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

QList<QRect> availableScreens()
{
    QList<QRect> areas;
    for (const QScreen *screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    return areas;
}

} // namespace

void showAsLeft(TForm1 &form)
{
    const ProgramSettings settings;
    form.grid()->setColumnWidths(windowsettings::columnWidths(settings.value(ColumnsKey).toStringList()));

    const std::optional<QRect> normal = windowsettings::soundGeometry(
        settings.value(GeometryKey).toStringList(), availableScreens(), SmallestWindow);
    if (!normal) {
        form.showMaximized();
    } else {
        form.setGeometry(*normal);
        if (settings.value(MaximizedKey).toBool())
            form.showMaximized();
        else
            form.show();
    }
    new Keeper(form);
}
