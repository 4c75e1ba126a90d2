#include "common/ui/clsSystemUI.h"

#include "common/PromptService.h"

#include <QComboBox>
#include <QListWidget>

namespace {

// Entries added without data carry 0, as they always have.
qint32 idOf(const QVariant& data) { return data.isValid() ? data.toInt() : 0; }

int findId(const QComboBox* cbo, qint32 id)
{
    for (int i = 0; i < cbo->count(); ++i) {
        if (idOf(cbo->itemData(i)) == id)
            return i;
    }
    return -1;
}

int findId(const QListWidget* lb, qint32 id)
{
    for (int i = 0; i < lb->count(); ++i) {
        if (idOf(lb->item(i)->data(Qt::UserRole)) == id)
            return i;
    }
    return -1;
}

} // namespace

qint32 clsSystemUI::cboGetItemID(const QComboBox* cbo) const
{
    const int index = cbo->currentIndex();
    return index < 0 ? -1 : idOf(cbo->itemData(index));
}

void clsSystemUI::cboSelectAtID(QComboBox* cbo, qint32 id) const
{
    const int index = findId(cbo, id);
    if (index >= 0)
        cbo->setCurrentIndex(index);
}

qint32 clsSystemUI::lbGetItemID(const QListWidget* lb) const
{
    const QListWidgetItem* item = lb->currentItem();
    return item && item->isSelected() ? idOf(item->data(Qt::UserRole)) : -1;
}

void clsSystemUI::lbSelectAtID(QListWidget* lb, qint32 id) const
{
    const int index = findId(lb, id);
    if (index >= 0)
        lb->setCurrentRow(index);
}

void clsSystemUI::LBRemoveItemWithID(QListWidget* lb, qint32 id) const
{
    const int index = findId(lb, id);
    if (index >= 0)
        delete lb->takeItem(index);
}

void clsSystemUI::LB2LBRemoveItems(const QListWidget* a, QListWidget* b) const
{
    for (int i = 0; i < a->count(); ++i)
        LBRemoveItemWithID(b, idOf(a->item(i)->data(Qt::UserRole)));
}

void clsSystemUI::LBRemoveCurSelected(QListWidget* lb) const
{
    const QListWidgetItem* item = lb->currentItem();
    if (!item || !item->isSelected()) {
        MsgBox(QStringLiteral("Please select a listbox item first!"), MsgStyle::Exclamation);
        return;
    }
    delete lb->takeItem(lb->row(item));
}

void clsSystemUI::LBSwapItems(QListWidget* lb, int pos1, int pos2) const
{
    const int count = lb->count();
    if (pos1 < 0 || pos2 < 0 || pos1 >= count || pos2 >= count)
        return;
    QListWidgetItem* one = lb->item(pos1);
    QListWidgetItem* two = lb->item(pos2);
    const QString text = one->text();
    const QVariant data = one->data(Qt::UserRole);
    one->setText(two->text());
    one->setData(Qt::UserRole, two->data(Qt::UserRole));
    two->setText(text);
    two->setData(Qt::UserRole, data);
    lb->setCurrentRow(pos2);
}
