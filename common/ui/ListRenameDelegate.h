#pragma once

#include "common/ui/clsSystemUI.h"

#include <QAbstractItemModel>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTreeWidget>

#include <functional>

// In-place renaming of the items of a one-column list: the end of an edit
// goes to `decide`, which may change the typed text (trim it, cut it) and
// write it, or refuse it, in which case the item keeps its text. Each
// editor box is handed to `prepare` (when given) before it shows, so that
// it can be fitted to the field that the names are stored in.
class ListRenameDelegate : public QStyledItemDelegate {
public:
    using Decide = std::function<bool(QTreeWidgetItem* item, QString& edited)>;
    using Prepare = std::function<void(QLineEdit* editor)>;

    ListRenameDelegate(QTreeWidget* lv, Decide decide, Prepare prepare = {})
        : QStyledItemDelegate(lv)
        , m_lv(lv)
        , m_decide(std::move(decide))
        , m_prepare(std::move(prepare))
    {
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* box = qobject_cast<QLineEdit*>(editor); box && m_prepare)
            m_prepare(box);
        return editor;
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        auto* box = qobject_cast<QLineEdit*>(editor);
        QTreeWidgetItem* item = m_lv->itemFromIndex(index);
        if (!box || !item)
            return;
        QString edited = box->text();
        if (m_decide(item, edited))
            model->setData(index, edited, Qt::EditRole);
    }

    // Lets the user rename the item in place.
    static void makeEditable(QTreeWidgetItem* item) { item->setFlags(item->flags() | Qt::ItemIsEditable); }

    // A new entry added at the end of the list, renamable, selected alone,
    // current and scrolled into view.
    static QTreeWidgetItem* appendSelected(QTreeWidget* lv, const QString& key, const QString& text)
    {
        QTreeWidgetItem* item = SysUI().lvAddItem(lv, key, {text});
        makeEditable(item);
        lv->clearSelection();
        item->setSelected(true);
        lv->setCurrentItem(item);
        lv->scrollToItem(item);
        return item;
    }

    // Starts renaming the item in place when the list is on screen.
    static void startRename(QTreeWidget* lv, QTreeWidgetItem* item)
    {
        if (!lv->isVisible())
            return;
        lv->setFocus();
        lv->editItem(item, 0);
    }

    // A typed name trimmed and cut to `maxLength`; false when nothing is
    // left of it.
    static bool tidyName(QString& edited, int maxLength)
    {
        edited = edited.trimmed().left(maxLength);
        return !edited.isEmpty();
    }

private:
    QTreeWidget* m_lv = nullptr;
    Decide m_decide;
    Prepare m_prepare;
};
