#include "common/ui/PrintLayout.h"

#include "common/WaitCursor.h"
#include "common/clsSystem.h"
#include "common/ui/PrintSurface.h"
#include "common/ui/clsSystemUI.h"

#include <QHeaderView>

#include <cmath>

namespace PrintLayout {

Area area(const PrintSurface& surface, int left, int top, int right, int bottom)
{
    const PrintSurface::Metrics m = surface.metrics();
    return {left - m.offsetX, top - m.offsetY, m.pageWidth - right - m.offsetX, m.pageHeight - bottom - m.offsetY};
}

QList<Column> columns(const QHeaderView* header, int available)
{
    constexpr double kTwipsPerInch = 1440.0;
    const double twipsPerPixel = kTwipsPerInch / header->logicalDpiX();
    QList<Column> shown;
    int total = 0;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (header->isSectionHidden(logical))
            continue;
        const int width = int(std::nearbyint(header->sectionSize(logical) * twipsPerPixel));
        shown.append({logical, width});
        total += width;
    }
    if (available < total) {
        for (Column& c : shown)
            c.width = int(std::nearbyint(double(c.width) / total * available));
    }
    return shown;
}

QFont printFont(const QFont& font)
{
    QFont f(font.family());
    f.setPointSize(std::max(1, int(std::nearbyint(font.pointSizeF()))));
    return f;
}

void drawRow(PrintSurface& surface, const QList<Column>& columns, int left, int y,
             const std::function<QString(int logical)>& text)
{
    int x = left;
    for (const Column& c : columns) {
        surface.drawText(x, y, SysUI().TrimTextToFit(surface, text(c.logical), c.width));
        x += c.width;
    }
}

void pageNumber(PrintSurface& surface, int page, int bottomMargin)
{
    const PrintSurface::Metrics m = surface.metrics();
    surface.drawText(m.printableWidth / 2, m.printableHeight - bottomMargin / 4, QStringLiteral(" %1").arg(page));
}

void title(PrintSurface& surface, const QString& title, int topMargin)
{
    if (title.isEmpty())
        return;
    const PrintSurface::Metrics m = surface.metrics();
    const int x = int(std::nearbyint(m.printableWidth / 2.0 - surface.textWidth(title) / 2.0));
    surface.drawText(std::max(0, x), topMargin / 4, title);
}

bool finish(PrintSurface& surface, const QFont& savedFont, const QString& label, WaitCursor& busy)
{
    if (!surface.error().isError())
        surface.endJob();
    const RunError error = surface.error();
    if (error.isError())
        surface.abortJob();
    surface.setFont(savedFont);
    busy.done();
    if (!error.isError())
        return true;
    Sys().ShowError(label, error);
    return false;
}

} // namespace PrintLayout
