#include "issues/TemplateList.h"

#include "common/ui/clsSystemUI.h"
#include "data/clsDB.h"
#include "data/ui/clsDBUI.h"

#include <QHeaderView>
#include <QTreeWidget>

namespace TemplateList {

namespace {

constexpr int kTwipsPerPixel = 15;

} // namespace

QTreeWidget* make(QWidget* parent)
{
    auto* lv = new QTreeWidget(parent);
    lv->setObjectName(QStringLiteral("lv"));
    lv->setAccessibleName(QStringLiteral("Issue Templates"));
    lv->setRootIsDecorated(false);
    lv->setColumnCount(1);
    lv->setHeaderLabels({QStringLiteral("Issue Templates")});
    lv->setSelectionMode(QAbstractItemView::SingleSelection);
    lv->setMinimumSize(300, 240);
    return lv;
}

void fitColumn(QTreeWidget* lv) { lv->setColumnWidth(0, std::max(0, lv->width() - 400 / kTwipsPerPixel)); }

qint32 rowIdOf(const QTreeWidgetItem* item) { return SysUI().lvItemKey(item).mid(1).toInt(); }

void load(QTreeWidget* lv, bool clear)
{
    DBUI().LoadLV(lv, DB().IssuesTemplatesTable(), QStringLiteral("rowid"), QStringLiteral("name"), 0, clear);
}

} // namespace TemplateList
