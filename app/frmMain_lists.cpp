#include "app/frmMain.h"

#include "app/ModalWindows.h"
#include "app/frmEditCategories.h"
#include "common/ui/ObjectTag.h"
#include "data/CategoryTypes.h"
#include "data/Schema.h"
#include "data/clsDB.h"

// The List Management commands: each opens the list editor on one list of
// the categories table, with the tables and fields that refer to its
// entries by row identifier (none for the quick entry lists, whose fields
// keep the chosen text).

namespace {

using TablePath = QString (clsDB::*)() const;

struct ListSpec {
    const char* key;
    const char* caption;
    const char* heading;
    qint32 type;
    TablePath inUseTable1 = nullptr;
    const char* inUseField1 = "";
    TablePath inUseTable2 = nullptr;
    const char* inUseField2 = "";
};

void openList(frmMain& main, const ListSpec& list)
{
    if (!DB().Perm_ListMgmt())
        return;
    const auto path = [](TablePath table) { return table ? (DB().*table)() : QString(); };
    main.ListMgmt(QString::fromLatin1(list.key), QString::fromLatin1(list.caption), QString::fromLatin1(list.heading),
                  Schema::dataFileName(Schema::Table::Cat), DB().CategoryTable(), QStringLiteral("rowid"),
                  QStringLiteral("desc"), list.type, path(list.inUseTable1), QString::fromLatin1(list.inUseField1),
                  path(list.inUseTable2), QString::fromLatin1(list.inUseField2));
}

} // namespace

void frmMain::ListMgmt(const QString& key, const QString& caption, const QString& columnHeading,
                       const QString& tableFile, const QString& tablePath, const QString& keyField,
                       const QString& textField, qint32 categoryType, const QString& inUseTable1,
                       const QString& inUseField1, const QString& inUseTable2, const QString& inUseField2)
{
    frmEditCategories editor(this);
    editor.Init(caption, columnHeading, tableFile, tablePath, keyField, textField, categoryType, inUseTable1,
                inUseField1, inUseTable2, inUseField2, 1060);
    setObjectTag(&editor, key);
    ModalWindows::exec(editor);
}

void frmMain::EditCustomerCategory()
{
    openList(*this, {"LISTMGMT_CUSTOMERCATEGORIES", "Edit Customer Categories", "Customer Categories",
                     CatType::CustomerCategory, &clsDB::CustomerTable, "custcat"});
}

void frmMain::EditCustomFieldCategory(qint32 catType)
{
    openList(*this, {"LISTMGMT_CUSTOMFIELDS", "Edit Quick Entry List", "Quick Entry List", catType});
}

void frmMain::EditProductServiceCategory()
{
    openList(*this, {"LISTMGMT_PRODUCTSERVICECATEGORIES", "Edit Products/Services", "Products/Services",
                     CatType::ProductService, &clsDB::Customers2PSTable, "psid", &clsDB::IssuesTable, "psid"});
}

void frmMain::EditContractTypesCategory()
{
    openList(*this, {"LISTMGMT_CONTRACTTYPECATEGORIES", "Edit Contract Types", "Contract Types",
                     CatType::ContractType, &clsDB::Customers2PSTable, "conttype"});
}

void frmMain::EditContractDurationsCategory()
{
    openList(*this, {"LISTMGMT_CONTRACTDURATIONCATEGORIES", "Edit Contract Durations", "Contract Durations",
                     CatType::ContractDuration, &clsDB::Customers2PSTable, "contdur"});
}

void frmMain::EditStateCategory()
{
    openList(*this, {"LISTMGMT_STATECATEGORIES", "Edit States/Provinces", "States/Provinces", CatType::State,
                     &clsDB::CustomerTable, "state"});
}

void frmMain::EditCountryCategory()
{
    openList(*this, {"LISTMGMT_COUNTRYCATEGORIES", "Edit Countries", "Countries", CatType::Country,
                     &clsDB::CustomerTable, "country"});
}

void frmMain::EditIssueStatusCategory()
{
    openList(*this, {"LISTMGMT_ISSUESTATUSES", "Edit Issue Statuses", "Issue Statuses", CatType::IssueStatus,
                     &clsDB::IssuesTable, "status"});
}

void frmMain::EditIssueActionsCategory()
{
    openList(*this, {"LISTMGMT_ISSUEACTIONSTATUSES", "Edit Issue Actions", "Issue Actions", CatType::IssueAction,
                     &clsDB::IssuesActionsTable, "action"});
}

void frmMain::EditIssuePriorityCategory()
{
    openList(*this, {"LISTMGMT_ISSUEPRIORITIES", "Edit Issue Priorities", "Issue Priorities",
                     CatType::IssuePriority, &clsDB::IssuesTable, "priority"});
}

void frmMain::EditIssueCategory()
{
    openList(*this, {"LISTMGMT_ISSUECATETORIES", "Edit Issue Categories", "Issue Categories",
                     CatType::IssueCategory, &clsDB::IssuesTable, "issuecat"});
}
