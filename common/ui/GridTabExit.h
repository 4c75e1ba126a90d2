#pragma once

class QAbstractItemView;
class QKeyEvent;

// Tab moves from cell to cell in a grid; at the grid's ends it would wrap
// round (Shift+Tab in the first cell goes to the last one), so a keyboard
// user could never leave backwards. From now on Shift+Tab in the first cell
// and Tab in the last cell go on to the neighbouring control, and the grid
// keeps its current cell for when the focus comes back. The helper goes
// with the view.
void leaveGridAtItsEnds(QAbstractItemView* view);

// Whether `key` is Tab in the view's last cell or Shift+Tab in its first:
// the key that leaves the grid. A cell editor that sees it closes and hands
// the key to the view.
bool keyLeavesGrid(const QAbstractItemView* view, const QKeyEvent* key);
