#include "app/StatisticCtl.h"

#include "common/clsSystem.h"
#include "data/RecColl.h"
#include "data/clsDB.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

QLineEdit* addBox(QFormLayout* layout, QWidget* parent, const char* name, const QString& caption)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setReadOnly(true);
    auto* label = new QLabel(caption, parent);
    label->setBuddy(box);
    layout->addRow(label, box);
    return box;
}

} // namespace

StatisticCtl::StatisticCtl(QWidget* parent)
    : QGroupBox(QStringLiteral("Last Modified"), parent)
{
    setObjectName(QStringLiteral("LE"));
    auto* layout = new QFormLayout(this);
    txtModifiedBy = addBox(layout, this, "txtModifiedBy", QStringLiteral("&By:"));
    txtModifiedOn = addBox(layout, this, "txtModifiedOn", QStringLiteral("&On:"));
    txtModifiedAt = addBox(layout, this, "txtModifiedAt", QStringLiteral("&At:"));
}

void StatisticCtl::Clear() { SetValue(QString(), QString(), QString()); }

void StatisticCtl::SetValue(const QString& By, const QString& On, const QString& At)
{
    txtModifiedBy->setText(By);
    txtModifiedOn->setText(On);
    txtModifiedAt->setText(At);
}

void StatisticCtl::Init(const QString& TablePath, const QString& TableName, qint32 RowID)
{
    if (RowID < 1)
        return;
    RecColl coll(TablePath, RowID, QStringLiteral("_lastedit"));
    coll.set(QStringLiteral("_tablename"), TableName);
    if (DB().ReadRecord(coll, false)) {
        SetValue(DB().GetUsername(coll.value(QStringLiteral("lastmodby")).toInt()),
                 Sys().DBDateToDislayDate(coll.text(QStringLiteral("lastmoddt")), QStringLiteral("Long Date")),
                 Sys().DBTimeToDislayTime(coll.text(QStringLiteral("lastmodtm"))));
    }
    coll.clear();
}

QString StatisticCtl::ModifiedBy() const { return txtModifiedBy->text(); }
QString StatisticCtl::ModifiedOn() const { return txtModifiedOn->text(); }
QString StatisticCtl::ModifiedAt() const { return txtModifiedAt->text(); }
