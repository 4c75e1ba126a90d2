#include "common/ui/clsSystemUI.h"

#include <QHeaderView>
#include <QTreeView>
#include <QTreeWidget>

namespace {

// The order LVSort flips, kept on the list view itself.
const char* const kSortOrderProperty = "bmSortOrder";

void selectRow(QTreeWidget* lv, QTreeWidgetItem* item)
{
    lv->setCurrentItem(item);
    item->setSelected(true);
    lv->scrollToItem(item);
}

QTreeWidgetItem* firstSelected(const QTreeWidget* lv)
{
    const int count = lv->topLevelItemCount();
    for (int i = 0; i < count; ++i) {
        QTreeWidgetItem* item = lv->topLevelItem(i);
        if (item->isSelected())
            return item;
    }
    return nullptr;
}

} // namespace

clsSystemUI& clsSystemUI::instance()
{
    static clsSystemUI ui;
    return ui;
}

QTreeWidgetItem* clsSystemUI::lvAddItem(QTreeWidget* lv, const QString& key, const QStringList& texts) const
{
    auto* item = new QTreeWidgetItem(texts);
    lvSetItemKey(item, key);
    lv->addTopLevelItem(item);
    return item;
}

QString clsSystemUI::lvItemKey(const QTreeWidgetItem* item)
{
    return item ? item->data(0, kKeyRole).toString() : QString();
}

void clsSystemUI::lvSetItemKey(QTreeWidgetItem* item, const QString& key) { item->setData(0, kKeyRole, key); }

bool clsSystemUI::LvGetSelectedItem(QTreeWidget* lv, QTreeWidgetItem*& item) const
{
    QTreeWidgetItem* found = firstSelected(lv);
    if (!found)
        return false;
    item = found;
    return true;
}

bool clsSystemUI::LvSelectFirstItem(QTreeWidget* lv) const
{
    if (lv->topLevelItemCount() == 0)
        return false;
    selectRow(lv, lv->topLevelItem(0));
    return true;
}

QString clsSystemUI::LvGetSelectedItemText(QTreeWidget* lv) const
{
    const QTreeWidgetItem* item = firstSelected(lv);
    return item ? item->text(0) : QString();
}

QString clsSystemUI::LvGetSelectedItemKey(QTreeWidget* lv) const { return lvItemKey(firstSelected(lv)); }

bool clsSystemUI::LvIsItemSelected(QTreeWidget* lv) const { return firstSelected(lv) != nullptr; }

bool clsSystemUI::LvSelectItem(QTreeWidget* lv, const QString& key) const
{
    if (key.isEmpty())
        return false;
    const int count = lv->topLevelItemCount();
    for (int i = 0; i < count; ++i) {
        if (lvItemKey(lv->topLevelItem(i)) == key) {
            selectRow(lv, lv->topLevelItem(i));
            return true;
        }
    }
    return false;
}

bool clsSystemUI::LvSelectItemByText(QTreeWidget* lv, const QString& text) const
{
    if (text.isEmpty())
        return false;
    const int count = lv->topLevelItemCount();
    for (int i = 0; i < count; ++i) {
        if (lv->topLevelItem(i)->text(0).compare(text, Qt::CaseInsensitive) == 0) {
            selectRow(lv, lv->topLevelItem(i));
            return true;
        }
    }
    return false;
}

void clsSystemUI::LVSort(QTreeWidget* lv, int column) const
{
    const QVariant kept = lv->property(kSortOrderProperty);
    const auto before = kept.isValid() ? Qt::SortOrder(kept.toInt()) : Qt::AscendingOrder;
    const Qt::SortOrder order = before == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    lv->setProperty(kSortOrderProperty, int(order));
    // Called from the header's click handler, after the header has flipped
    // its own indicator: setting ours last decides the order.
    lv->setSortingEnabled(true);
    lv->header()->setSortIndicator(column, order);
    lv->sortItems(column, order);
}

// --- Lists over a model ------------------------------------------------------

namespace {

// Set once a column click has turned the list's sorting on.
const char* const kSortedProperty = "bmSorted";

void selectRow(QTreeView* lv, const QModelIndex& index)
{
    lv->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    lv->scrollTo(index);
}

QModelIndex firstSelected(const QTreeView* lv)
{
    const QItemSelectionModel* selection = lv->selectionModel();
    if (!selection)
        return {};
    // Any selected cell marks its row, whatever the view's selection behaviour.
    int first = -1;
    for (const QItemSelectionRange& range : selection->selection()) {
        if (range.parent() == lv->rootIndex() && (first < 0 || range.top() < first))
            first = range.top();
    }
    return first < 0 ? QModelIndex() : lv->model()->index(first, 0, lv->rootIndex());
}

void sortList(QTreeView* lv, int column, Qt::SortOrder order)
{
    lv->header()->setSortIndicatorShown(true);
    lv->header()->setSortIndicator(column, order);
    if (lv->model())
        lv->model()->sort(column, order);
}

} // namespace

bool clsSystemUI::LvSelectFirstItem(QTreeView* lv) const
{
    const QAbstractItemModel* model = lv->model();
    if (!model || model->rowCount(lv->rootIndex()) == 0)
        return false;
    selectRow(lv, model->index(0, 0, lv->rootIndex()));
    return true;
}

QString clsSystemUI::LvGetSelectedItemKey(QTreeView* lv) const
{
    return firstSelected(lv).data(kKeyRole).toString();
}

bool clsSystemUI::LvIsItemSelected(QTreeView* lv) const { return firstSelected(lv).isValid(); }

bool clsSystemUI::LvSelectItem(QTreeView* lv, const QString& key) const
{
    const QAbstractItemModel* model = lv->model();
    if (key.isEmpty() || !model)
        return false;
    const QModelIndex root = lv->rootIndex();
    const int count = model->rowCount(root);
    for (int i = 0; i < count; ++i) {
        const QModelIndex index = model->index(i, 0, root);
        if (index.data(kKeyRole).toString() == key) {
            selectRow(lv, index);
            return true;
        }
    }
    return false;
}

void clsSystemUI::LVSort(QTreeView* lv, int column) const
{
    const QVariant kept = lv->property(kSortOrderProperty);
    const auto before = kept.isValid() ? Qt::SortOrder(kept.toInt()) : Qt::AscendingOrder;
    const Qt::SortOrder order = before == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    lv->setProperty(kSortOrderProperty, int(order));
    lv->setProperty(kSortedProperty, true);
    sortList(lv, column, order);
}

void clsSystemUI::LvSetSortKey(QTreeView* lv, int column, Qt::SortOrder order) const
{
    lv->setProperty(kSortOrderProperty, int(order));
    if (lv->property(kSortedProperty).toBool())
        sortList(lv, column, order);
}
