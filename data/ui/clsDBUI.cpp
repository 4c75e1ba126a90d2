#include "data/ui/clsDBUI.h"

#include "common/WaitCursor.h"
#include "common/clsSystem.h"
#include "common/ui/clsSystemUI.h"
#include "data/clsDB.h"

#include <QComboBox>
#include <QListWidget>
#include <QTreeWidget>

clsDBUI& clsDBUI::instance()
{
    static clsDBUI ui;
    return ui;
}

void clsDBUI::LoadLV(QTreeWidget* lv, const QString& path, const QString& idField, const QString& textField,
                     qint32 type, bool clear) const
{
    const WaitCursor busy;
    const QString selectedKey = SysUI().LvGetSelectedItemKey(lv);
    lv->setUpdatesEnabled(false);
    if (const auto rows = DB().listRows(path, idField, textField, type)) {
        if (clear)
            lv->clear();
        for (const DbListRow& row : *rows)
            SysUI().lvAddItem(lv, QStringLiteral("N") + QString::number(row.id), {row.text});
        if (!selectedKey.isEmpty())
            SysUI().LvSelectItem(lv, selectedKey);
        QTreeWidgetItem* item = nullptr;
        if (SysUI().LvGetSelectedItem(lv, item))
            lv->scrollToItem(item);
    }
    lv->setUpdatesEnabled(true);
}

void clsDBUI::LoadCbo(QComboBox* cbo, const QString& path, const QString& idField, const QString& textField,
                      const QString& filterField, qint32 filterValue, bool clear, bool blank,
                      qint32 selectId) const
{
    const auto rows = DB().comboRows(path, idField, textField, filterField, filterValue);
    if (!rows)
        return;
    if (clear)
        cbo->clear();
    if (blank)
        cbo->addItem(QString(), -1);
    for (const DbListRow& row : *rows)
        cbo->addItem(row.text, row.id);
    if (selectId > 0)
        SysUI().cboSelectAtID(cbo, selectId);
}

void clsDBUI::LoadCbo_Users(QComboBox* cbo, bool activeOnly, bool clearFirst) const
{
    const auto rows = DB().userRows(activeOnly);
    if (!rows)
        return;
    if (clearFirst)
        cbo->clear();
    for (const DbListRow& row : *rows)
        cbo->addItem(row.text, row.id);
}

void clsDBUI::LBLoadRptColumns(QListWidget* list, const QString& reportType, const QString& purpose) const
{
    list->clear();
    const auto rows = DB().rptColumnRows(reportType, purpose);
    if (!rows)
        return;
    for (const DbListRow& row : *rows) {
        auto* item = new QListWidgetItem(row.text, list);
        item->setData(Qt::UserRole, row.id);
    }
}
