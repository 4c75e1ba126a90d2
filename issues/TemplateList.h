#pragma once

#include <QString>

class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

// What the two template dialogs share: their one-column list and the row
// identifier behind an item's key ("N1004" gives 1004, "N-1" gives -1).
namespace TemplateList {

// Makes the list "lv" with the heading "Issue Templates", one row selected
// at a time.
QTreeWidget* make(QWidget* parent);
// The heading's width: 400 twips less than the list's.
void fitColumn(QTreeWidget* lv);
qint32 rowIdOf(const QTreeWidgetItem* item);
// The stored templates appended in name order (the list is not cleared
// when `clear` is false).
void load(QTreeWidget* lv, bool clear);

} // namespace TemplateList
