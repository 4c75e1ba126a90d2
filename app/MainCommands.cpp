#include "app/MainCommands.h"

#include <array>

namespace {

using K = MainCommand::Kind;
using F = frmMain;

constexpr MainCommand menu(const char* parent, const char* name, const char* caption)
{
    return {K::Menu, parent, name, caption};
}

constexpr MainCommand item(const char* parent, const char* name, const char* caption, frmMain::Command member,
                           const char* shortcut = "")
{
    return {K::Item, parent, name, caption, shortcut, member};
}

constexpr MainCommand sep(const char* parent, const char* name)
{
    return {K::Separator, parent, name, "-"};
}

constexpr MainCommand button(const char* key, const char* text, frmMain::Command member, int image,
                             const char* tooltip = "")
{
    return {K::Button, "", key, text, "", member, image, tooltip};
}

constexpr MainCommand buttonSep(const char* name)
{
    return {K::ButtonSeparator, "", name, ""};
}

constexpr MainCommand entry(const char* buttonKey, const char* key, const char* text, frmMain::Command member)
{
    return {K::ButtonMenuEntry, buttonKey, key, text, "", member};
}

constexpr MainCommand hiddenItem(const char* parent, const char* name, const char* caption, frmMain::Command member)
{
    MainCommand row = item(parent, name, caption, member);
    row.hidden = true;
    return row;
}

constexpr std::array kTable{
    // File
    menu("", "mnuFile", "&File"),
    item("mnuFile", "mnuFileNew", "&New Database...", &F::mnuFileNew_Click),
    item("mnuFile", "mnuFileOpen", "&Open Database...", &F::mnuFileOpen_Click, "Ctrl+O"),
    item("mnuFile", "mnuFileClose", "Close Database", &F::mnuFileClose_Click),
    sep("mnuFile", "mnuSepAfterCloseDatabase"),
    item("mnuFile", "mnuDisplayDataFolder", "Display Data Folder", &F::mnuDisplayDataFolder_Click),
    sep("mnuFile", "mnuSepBeforePassword"),
    item("mnuFile", "mnuFileChangePWD", "&Change Password...", &F::mnuFileChangePWD_Click),
    sep("mnuFile", "mnuSep31"),
    item("mnuFile", "mnuFileExit", "E&xit", &F::mnuFileExit_Click, "Ctrl+Q"),
    // View
    menu("", "mnuView", "&View"),
    item("mnuView", "mnuViewLookupCustomer", "&Lookup Customer...", &F::LookupCustomer, "F5"),
    item("mnuView", "mnuViewNewCustomer", "&New Customer", &F::NewCustomer, "F2"),
    item("mnuView", "mnuViewSearchIssues", "Search &Issues...", &F::SearchIssues, "F6"),
    item("mnuView", "mnuViewLookupByIssueNumber", "Lookup by Issue ID...", &F::LookupByIssueNumber, "Ctrl+I"),
    item("mnuView", "mnuViewMyIssues", "&My Issues", &F::MyIssues, "F7"),
    item("mnuView", "mnuViewReports", "&Reports", &F::Reports, "F3"),
    sep("mnuView", "mnuCap18"),
    menu("mnuView", "mnuViewListMgmt", "List Management"),
    item("mnuViewListMgmt", "mnuViewLMCustCat", "Customer Categories...", &F::EditCustomerCategory),
    item("mnuViewListMgmt", "mnuViewLMPS", "Products && Services...", &F::EditProductServiceCategory),
    item("mnuViewListMgmt", "mnuViewLMPSContractTypes", "Contract Types...", &F::EditContractTypesCategory),
    item("mnuViewListMgmt", "mnuViewLMPSContractDurations", "Contract Durations...",
         &F::EditContractDurationsCategory),
    item("mnuViewListMgmt", "mnuViewLMStatesProvinces", "States/Provinces...", &F::EditStateCategory),
    item("mnuViewListMgmt", "mnuViewLMCountries", "Countries...", &F::EditCountryCategory),
    item("mnuViewListMgmt", "mnuViewLMIssueStatuses", "Issue Statuses...", &F::EditIssueStatusCategory),
    item("mnuViewListMgmt", "mnuViewLMIssueActionStatuses", "Issue Actions...", &F::EditIssueActionsCategory),
    item("mnuViewListMgmt", "mnuViewLMIssuePriorities", "Issue Priorities...", &F::EditIssuePriorityCategory),
    item("mnuViewListMgmt", "mnuViewLMIssueCategory", "Issue Categories...", &F::EditIssueCategory),
    menu("mnuView", "mnuViewDatabaseAdmin", "Database Admin"),
    item("mnuViewDatabaseAdmin", "mnuViewDatabaseAdminUserMgmt", "User Management...", &F::UserManagement,
         "Ctrl+U"),
    item("mnuViewDatabaseAdmin", "mnuViewDatabaseAdminIssueTemplates", "Issue Templates...",
         &F::ManageIssueTemplates),
    item("mnuViewDatabaseAdmin", "mnuViewDatabaseAdminImportData", "Import Data Wizard...", &F::ImportData),
    item("mnuViewDatabaseAdmin", "mnuViewDatabaseAdminCustomizations", "Customizations...", &F::Customizations),
    item("mnuViewDatabaseAdmin", "mnuViewOptions", "Email Options...", &F::EmailHandlerDlg),
    item("mnuViewDatabaseAdmin", "mnuViewDatabaseAdminPurgeOldIssues", "Purge Old Issues Wizard...",
         &F::PurgeOldIssues),
    item("mnuViewDatabaseAdmin", "mnuViewDatabaseAdminStatistics", "Statistics",
         &F::mnuViewDatabaseAdminStatistics_Click),
    // Window (the list of open child windows follows these items)
    menu("", "mnuWindow", "&Window"),
    item("mnuWindow", "mnuWindowTH", "Tile &Horizontally", &F::mnuWindowTH_Click),
    item("mnuWindow", "mnuWindowTV", "Tile &Vertically", &F::mnuWindowTV_Click),
    item("mnuWindow", "mnuWindowCascade", "&Cascade", &F::mnuWindowCascade_Click),
    item("mnuWindow", "mnuWindowArrangeIcons", "&Arrange Icons", &F::mnuWindowArrangeIcons_Click),
    item("mnuWindow", "mnuWindowCloseAll", "&Close All", &F::mnuWindowCloseAll_Click, "Ctrl+X"),
    // Help
    menu("", "mnuHelp", "&Help"),
    item("mnuHelp", "menuHelpDatabaseMaintenance", "Database &Maintenance...",
         &F::menuHelpDatabaseMaintenance_Click),
    sep("mnuHelp", "menuSep81"),
    item("mnuHelp", "mnuHelpFAQs", "FAQs", &F::mnuHelpFAQs_Click),
    item("mnuHelp", "mnuHelpQuickTour", "Product Overview", &F::mnuHelpQuickTour_Click),
    item("mnuHelp", "mnuHelpSpecSheet", "Specifications Sheet (pdf)", &F::mnuHelpSpecSheet_Click),
    item("mnuHelp", "mnuHelpUserManual", "&User Manual", &F::mnuHelpUserManual_Click, "F1"),
    item("mnuHelp", "mnuHelpTutorial", "&Tutorial", &F::mnuHelpTutorial_Click),
    item("mnuHelp", "mnuHelpTip", "Tip of the day", &F::mnuHelpTip_Click),
    item("mnuHelp", "mnuHelpSupport", "Support", &F::mnuHelpSupport_Click),
    sep("mnuHelp", "mnuSep11"),
    item("mnuHelp", "mnuHelpBackup", "How to backup your data?", &F::mnuHelpBackup_Click),
    sep("mnuHelp", "mnuSep87"),
    item("mnuHelp", "mnuHelpAbout", "&About", &F::mnuHelpAbout_Click),
    hiddenItem("mnuHelp", "mnuHelpBulkIssues", "Add Bulk Issues", &F::mnuHelpBulkIssues_Click),
    // Toolbar
    button("NEWCUST", "New Customer", &F::NewCustomer, 1, "Add a new customer"),
    button("LOOKUPCUST", "Lookup Customer", &F::LookupCustomer, 2),
    buttonSep("TBSep1"),
    button("SEARCHISSUES", "Search Issues", &F::SearchIssues, 3),
    entry("SEARCHISSUES", "SEARCHISSUES", "Search Issues", &F::SearchIssues),
    entry("SEARCHISSUES", "SEARCHISSUESBYID", "Lookup by Issue ID", &F::LookupByIssueNumber),
    button("MYISSUES", "My Issues", &F::MyIssues, 4),
    buttonSep("TBSep2"),
    button("REPORTS", "Reports", &F::Reports, 5),
    buttonSep("TBSep3"),
    button("LISTMGMT", "List Management", nullptr, 6),
    entry("LISTMGMT", "CATCUST", "Customer Categories", &F::EditCustomerCategory),
    entry("LISTMGMT", "CATPS", "Product && Services", &F::EditProductServiceCategory),
    entry("LISTMGMT", "CATCONT", "Contract Types", &F::EditContractTypesCategory),
    entry("LISTMGMT", "CATCONTDUR", "Contract Durations", &F::EditContractDurationsCategory),
    entry("LISTMGMT", "CATSTATES", "States && Provinces", &F::EditStateCategory),
    entry("LISTMGMT", "CATCOUNTRIES", "Countries", &F::EditCountryCategory),
    entry("LISTMGMT", "CATISTAT", "Issue Statuses", &F::EditIssueStatusCategory),
    entry("LISTMGMT", "CATIACT", "Issue Actions", &F::EditIssueActionsCategory),
    entry("LISTMGMT", "CATIPRIOR", "Issue Priorities", &F::EditIssuePriorityCategory),
    entry("LISTMGMT", "CATICAT", "Issue Categories", &F::EditIssueCategory),
    button("ADMIN", "Administration", nullptr, 7),
    entry("ADMIN", "ADUSERMAN", "User Management", &F::UserManagement),
    entry("ADMIN", "ADITEMP", "Issue Templates", &F::ManageIssueTemplates),
    entry("ADMIN", "ADIMPWIZ", "Import Data Wizard", &F::ImportData),
    entry("ADMIN", "ADCUSTOM", "Customizations", &F::Customizations),
    entry("ADMIN", "ADEMAILOPT", "Email Options", &F::EmailHandlerDlg),
    entry("ADMIN", "ADIPURGE", "Purge Old Issues Wizard", &F::PurgeOldIssues),
    entry("ADMIN", "ADSTAT", "Statistics", &F::mnuViewDatabaseAdminStatistics_Click),
};

} // namespace

namespace MainCommands {

std::span<const MainCommand> table() { return kTable; }

const MainCommand* find(MainCommand::Kind kind, const QString& name, const QString& parent)
{
    for (const MainCommand& row : kTable) {
        if (row.kind == kind && text(row.name) == name && (parent.isEmpty() || text(row.parent) == parent))
            return &row;
    }
    return nullptr;
}

} // namespace MainCommands
