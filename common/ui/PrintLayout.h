#pragma once

#include <QFont>
#include <QList>
#include <QString>

#include <functional>

class PrintSurface;
class QHeaderView;
class WaitCursor;

// Helpers shared by the list, grid and rich text prints.
namespace PrintLayout {

// Text area of a page, in printable-area twips, for margins measured from
// the paper edge.
struct Area {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
};
Area area(const PrintSurface& surface, int left, int top, int right, int bottom);

// The shown columns of a header, each with its width in twips; when they
// are wider together than `available`, each is narrowed in proportion.
struct Column {
    int logical = 0;
    int width = 0;
};
QList<Column> columns(const QHeaderView* header, int available);

// A control's font as the printer takes it: family and whole point size.
QFont printFont(const QFont& font);

// One table row from `left` at `y`: each column's text cut to its width.
void drawRow(PrintSurface& surface, const QList<Column>& columns, int left, int y,
             const std::function<QString(int logical)>& text);

// Page number at the foot (" 1", from the middle of the printable width) and
// the title centred at the head, both a quarter of the margin from the edge.
void pageNumber(PrintSurface& surface, int page, int bottomMargin);
void title(PrintSurface& surface, const QString& title, int topMargin);

// Ends a finished job, or aborts a failed one; either way the font saved
// before the job is put back, the job's wait cursor taken away, and a
// failure shown under `label` (after the job is gone). True when the job
// went through.
bool finish(PrintSurface& surface, const QFont& savedFont, const QString& label, WaitCursor& busy);

} // namespace PrintLayout
