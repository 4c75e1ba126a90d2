#include "AppFixture.h"

#include "app/frmMain.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>

namespace {

using F = frmMain;

// Records the commands that reach it instead of running them.
class SpyMain : public frmMain {
public:
    QList<Command> ran;

protected:
    void runCommand(Command command) override { ran.append(command); }
};

struct Route {
    const char* name;
    frmMain::Command member;
};

// Every menu item and the member it must run.
const Route kMenuItems[] = {
    {"mnuFileNew", &F::mnuFileNew_Click},
    {"mnuFileOpen", &F::mnuFileOpen_Click},
    {"mnuFileClose", &F::mnuFileClose_Click},
    {"mnuDisplayDataFolder", &F::mnuDisplayDataFolder_Click},
    {"mnuFileChangePWD", &F::mnuFileChangePWD_Click},
    {"mnuFileExit", &F::mnuFileExit_Click},
    {"mnuViewLookupCustomer", &F::LookupCustomer},
    {"mnuViewNewCustomer", &F::NewCustomer},
    {"mnuViewSearchIssues", &F::SearchIssues},
    {"mnuViewLookupByIssueNumber", &F::LookupByIssueNumber},
    {"mnuViewMyIssues", &F::MyIssues},
    {"mnuViewReports", &F::Reports},
    {"mnuViewLMCustCat", &F::EditCustomerCategory},
    {"mnuViewLMPS", &F::EditProductServiceCategory},
    {"mnuViewLMPSContractTypes", &F::EditContractTypesCategory},
    {"mnuViewLMPSContractDurations", &F::EditContractDurationsCategory},
    {"mnuViewLMStatesProvinces", &F::EditStateCategory},
    {"mnuViewLMCountries", &F::EditCountryCategory},
    {"mnuViewLMIssueStatuses", &F::EditIssueStatusCategory},
    {"mnuViewLMIssueActionStatuses", &F::EditIssueActionsCategory},
    {"mnuViewLMIssuePriorities", &F::EditIssuePriorityCategory},
    {"mnuViewLMIssueCategory", &F::EditIssueCategory},
    {"mnuViewDatabaseAdminUserMgmt", &F::UserManagement},
    {"mnuViewDatabaseAdminIssueTemplates", &F::ManageIssueTemplates},
    {"mnuViewDatabaseAdminImportData", &F::ImportData},
    {"mnuViewDatabaseAdminCustomizations", &F::Customizations},
    {"mnuViewOptions", &F::EmailHandlerDlg},
    {"mnuViewDatabaseAdminPurgeOldIssues", &F::PurgeOldIssues},
    {"mnuViewDatabaseAdminStatistics", &F::mnuViewDatabaseAdminStatistics_Click},
    {"mnuWindowTH", &F::mnuWindowTH_Click},
    {"mnuWindowTV", &F::mnuWindowTV_Click},
    {"mnuWindowCascade", &F::mnuWindowCascade_Click},
    {"mnuWindowArrangeIcons", &F::mnuWindowArrangeIcons_Click},
    {"mnuWindowCloseAll", &F::mnuWindowCloseAll_Click},
    {"menuHelpDatabaseMaintenance", &F::menuHelpDatabaseMaintenance_Click},
    {"mnuHelpFAQs", &F::mnuHelpFAQs_Click},
    {"mnuHelpQuickTour", &F::mnuHelpQuickTour_Click},
    {"mnuHelpSpecSheet", &F::mnuHelpSpecSheet_Click},
    {"mnuHelpUserManual", &F::mnuHelpUserManual_Click},
    {"mnuHelpTutorial", &F::mnuHelpTutorial_Click},
    {"mnuHelpTip", &F::mnuHelpTip_Click},
    {"mnuHelpSupport", &F::mnuHelpSupport_Click},
    {"mnuHelpBackup", &F::mnuHelpBackup_Click},
    {"mnuHelpAbout", &F::mnuHelpAbout_Click},
    {"mnuHelpBulkIssues", &F::mnuHelpBulkIssues_Click},
};

const Route kToolbarKeys[] = {
    {"NEWCUST", &F::NewCustomer},       {"LOOKUPCUST", &F::LookupCustomer}, {"SEARCHISSUES", &F::SearchIssues},
    {"MYISSUES", &F::MyIssues},         {"REPORTS", &F::Reports},
};

const Route kButtonMenuKeys[] = {
    {"SEARCHISSUES", &F::SearchIssues},
    {"SEARCHISSUESBYID", &F::LookupByIssueNumber},
    {"CATCUST", &F::EditCustomerCategory},
    {"CATPS", &F::EditProductServiceCategory},
    {"CATCONT", &F::EditContractTypesCategory},
    {"CATCONTDUR", &F::EditContractDurationsCategory},
    {"CATSTATES", &F::EditStateCategory},
    {"CATCOUNTRIES", &F::EditCountryCategory},
    {"CATISTAT", &F::EditIssueStatusCategory},
    {"CATIACT", &F::EditIssueActionsCategory},
    {"CATIPRIOR", &F::EditIssuePriorityCategory},
    {"CATICAT", &F::EditIssueCategory},
    {"ADUSERMAN", &F::UserManagement},
    {"ADITEMP", &F::ManageIssueTemplates},
    {"ADIMPWIZ", &F::ImportData},
    {"ADCUSTOM", &F::Customizations},
    {"ADEMAILOPT", &F::EmailHandlerDlg},
    {"ADIPURGE", &F::PurgeOldIssues},
    {"ADSTAT", &F::mnuViewDatabaseAdminStatistics_Click},
};

QString buttonOf(const QString& entryKey)
{
    if (entryKey.startsWith(QLatin1String("SEARCH")))
        return QStringLiteral("SEARCHISSUES");
    return entryKey.startsWith(QLatin1String("CAT")) ? QStringLiteral("LISTMGMT") : QStringLiteral("ADMIN");
}

class DispatchTest : public AppFixture {
protected:
    SpyMain m_main;
};

TEST_F(DispatchTest, EveryMenuItemRunsItsMember)
{
    for (const Route& r : kMenuItems) {
        m_main.ran.clear();
        auto* action = m_main.findChild<QAction*>(QString::fromLatin1(r.name));
        ASSERT_NE(action, nullptr) << r.name;
        // Items of hidden menus are disabled; the route is the same.
        action->setEnabled(true);
        action->trigger();
        ASSERT_EQ(m_main.ran.size(), 1) << r.name;
        EXPECT_TRUE(m_main.ran.first() == r.member) << r.name;
    }
}

TEST_F(DispatchTest, EveryToolbarKeyRunsItsMemberByClickAndByKey)
{
    for (const Route& r : kToolbarKeys) {
        const QString key = QString::fromLatin1(r.name);
        m_main.ran.clear();
        m_main.toolButton(key)->defaultAction()->trigger();
        m_main.TB_ButtonClick(key);
        ASSERT_EQ(m_main.ran.size(), 2) << r.name;
        EXPECT_TRUE(m_main.ran.at(0) == r.member && m_main.ran.at(1) == r.member) << r.name;
    }
}

TEST_F(DispatchTest, EveryButtonMenuKeyRunsItsMemberByClickAndByKey)
{
    for (const Route& r : kButtonMenuKeys) {
        const QString key = QString::fromLatin1(r.name);
        m_main.ran.clear();
        QAction* entry = m_main.buttonMenuEntry(buttonOf(key), key);
        ASSERT_NE(entry, nullptr) << r.name;
        entry->trigger();
        m_main.TB_ButtonMenuClick(key);
        ASSERT_EQ(m_main.ran.size(), 2) << r.name;
        EXPECT_TRUE(m_main.ran.at(0) == r.member && m_main.ran.at(1) == r.member) << r.name;
    }
}

TEST_F(DispatchTest, UnknownKeysAndMenuOnlyButtonsDoNothing)
{
    for (const char* key : {"LISTMGMT", "ADMIN", "newcust", "NEWCUST ", "", "CATCUST", "ADSTATS"})
        m_main.TB_ButtonClick(QString::fromLatin1(key));
    for (const char* key : {"NEWCUST", "catcust", "LISTMGMT", "", "ADSTAT "})
        m_main.TB_ButtonMenuClick(QString::fromLatin1(key));
    m_main.toolButton(QStringLiteral("LISTMGMT"))->defaultAction()->trigger();
    m_main.toolButton(QStringLiteral("ADMIN"))->defaultAction()->trigger();
    EXPECT_TRUE(m_main.ran.isEmpty());
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

} // namespace
