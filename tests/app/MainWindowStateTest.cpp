#include "AppFixture.h"

#include "app/frmMain.h"
#include "data/clsDB.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace {

class MainWindowStateTest : public AppFixture {
protected:
    QStringList shownMenus() const
    {
        QStringList names;
        for (QAction* action : m_main.menuBar()->actions()) {
            if (action->isVisible())
                names.append(action->objectName());
        }
        return names;
    }

    bool enabled(const char* name) const
    {
        auto* action = m_main.menuBar()->findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(action, nullptr) << name;
        return action && action->isEnabled();
    }

    void expectFileItems(bool open)
    {
        EXPECT_EQ(enabled("mnuFileNew"), !open);
        EXPECT_EQ(enabled("mnuFileOpen"), !open);
        EXPECT_EQ(enabled("mnuFileClose"), open);
        EXPECT_EQ(enabled("mnuDisplayDataFolder"), open);
        EXPECT_EQ(enabled("mnuFileChangePWD"), open);
        EXPECT_TRUE(enabled("mnuFileExit"));
    }

    frmMain m_main;
};

TEST_F(MainWindowStateTest, WithoutADatabaseOnlyFileAndHelpShowAndTheStatusBarPromptsForOne)
{
    m_main.show();
    EXPECT_EQ(shownMenus(), (QStringList{QStringLiteral("mnuFile"), QStringLiteral("mnuHelp")}));
    EXPECT_FALSE(m_main.toolBar()->isVisible());
    expectFileItems(false);
    EXPECT_EQ(m_main.statusText(1), QStringLiteral("Choose File menu to open or create database."));
    EXPECT_EQ(m_main.statusText(2), QStringLiteral("Machine: TESTBOX  "));
    EXPECT_EQ(m_main.windowTitle(), QStringLiteral("Brindlemark - v1.0"));
    EXPECT_EQ(m_main.objectName(), QStringLiteral("frmMain"));
    EXPECT_EQ(m_main.property("tag").toString(), QStringLiteral("MAINFORM"));
}

TEST_F(MainWindowStateTest, AnOpenDatabaseShowsViewWindowToolbarLocationAndUserUntilItIsClosed)
{
    m_main.show();
    const QString folder = openNewDatabase();
    m_main.SetUI();
    EXPECT_EQ(shownMenus(), (QStringList{QStringLiteral("mnuFile"), QStringLiteral("mnuView"),
                                         QStringLiteral("mnuWindow"), QStringLiteral("mnuHelp")}));
    EXPECT_TRUE(m_main.toolBar()->isVisible());
    expectFileItems(true);
    EXPECT_EQ(m_main.statusText(1), QStringLiteral("Database Location: ") + folder);
    // The computer name is upper-cased, the login shown as typed.
    EXPECT_EQ(m_main.statusText(2), QStringLiteral("User: TESTBOX\\admin  "));

    m_main.findChild<QAction*>(QStringLiteral("mnuFileClose"))->trigger();
    EXPECT_FALSE(DB().IsOpen());
    EXPECT_EQ(shownMenus(), (QStringList{QStringLiteral("mnuFile"), QStringLiteral("mnuHelp")}));
    EXPECT_FALSE(m_main.toolBar()->isVisible());
    expectFileItems(false);
    EXPECT_EQ(m_main.statusText(1), QStringLiteral("Choose File menu to open or create database."));
}

TEST_F(MainWindowStateTest, MenusCarryTheirCaptionsAndShortcuts)
{
    const struct {
        const char* name;
        const char* caption;
        const char* shortcut;
    } cases[] = {
        {"mnuFileOpen", "&Open Database...", "Ctrl+O"},
        {"mnuFileExit", "E&xit", "Ctrl+Q"},
        {"mnuViewLookupCustomer", "&Lookup Customer...", "F5"},
        {"mnuViewNewCustomer", "&New Customer", "F2"},
        {"mnuViewSearchIssues", "Search &Issues...", "F6"},
        {"mnuViewLookupByIssueNumber", "Lookup by Issue ID...", "Ctrl+I"},
        {"mnuViewMyIssues", "&My Issues", "F7"},
        {"mnuViewReports", "&Reports", "F3"},
        {"mnuViewLMPS", "Products && Services...", ""},
        {"mnuViewDatabaseAdminUserMgmt", "User Management...", "Ctrl+U"},
        {"mnuWindowCloseAll", "&Close All", "Ctrl+X"},
        {"mnuHelpUserManual", "&User Manual", "F1"},
    };
    for (const auto& c : cases) {
        auto* action = m_main.findChild<QAction*>(QString::fromLatin1(c.name));
        ASSERT_NE(action, nullptr) << c.name;
        EXPECT_EQ(action->text(), QString::fromLatin1(c.caption)) << c.name;
        EXPECT_EQ(action->shortcut(), QKeySequence(QString::fromLatin1(c.shortcut))) << c.name;
    }
    EXPECT_FALSE(m_main.findChild<QAction*>(QStringLiteral("mnuHelpBulkIssues"))->isVisible());
}

TEST_F(MainWindowStateTest, ToolbarHasTenButtonsInOrderWithTheirMenus)
{
    QStringList keys;
    for (QAction* action : m_main.toolBar()->actions()) {
        if (action->isSeparator())
            keys.append(QStringLiteral("-"));
        else if (auto* button = qobject_cast<QToolButton*>(m_main.toolBar()->widgetForAction(action)))
            keys.append(button->objectName());
    }
    EXPECT_EQ(keys.join(QLatin1Char(' ')),
              QStringLiteral("NEWCUST LOOKUPCUST - SEARCHISSUES MYISSUES - REPORTS - LISTMGMT ADMIN"));
    EXPECT_EQ(m_main.toolButton(QStringLiteral("NEWCUST"))->defaultAction()->toolTip(),
              QStringLiteral("Add a new customer"));
    for (const char* key : {"SEARCHISSUES", "LISTMGMT", "ADMIN"}) {
        QToolButton* button = m_main.toolButton(QString::fromLatin1(key));
        ASSERT_NE(button->menu(), nullptr) << key;
        EXPECT_EQ(button->popupMode(), QToolButton::MenuButtonPopup) << key;
        EXPECT_FALSE(button->defaultAction()->icon().isNull()) << key;
    }
    EXPECT_EQ(m_main.toolButton(QStringLiteral("LISTMGMT"))->menu()->actions().size(), 10);
    EXPECT_EQ(m_main.toolButton(QStringLiteral("ADMIN"))->menu()->actions().size(), 7);
    EXPECT_EQ(m_main.buttonMenuEntry(QStringLiteral("LISTMGMT"), QStringLiteral("CATSTATES"))->text(),
              QStringLiteral("States && Provinces"));
}

TEST_F(MainWindowStateTest, ListManagementEntriesTakeTheDatabasesLabels)
{
    openNewDatabase();
    // Opening a database renames them to the built-in field names.
    const auto menuText = [this](const char* name) {
        return m_main.findChild<QAction*>(QString::fromLatin1(name))->text();
    };
    EXPECT_EQ(menuText("mnuViewLMCustCat"), QStringLiteral("Customer Category..."));
    EXPECT_EQ(menuText("mnuViewLMStatesProvinces"), QStringLiteral("State..."));
    EXPECT_EQ(menuText("mnuViewLMPS"), QStringLiteral("Products && Services..."));

    ASSERT_TRUE(DB().SetParamValue(QStringLiteral("bcccust.dbf_custcat"), QStringLiteral("Segment")));
    ASSERT_TRUE(DB().SetParamValue(QStringLiteral("BCCISSUES.DBF_ISSUECAT"), QStringLiteral("R&D Area")));
    m_main.SetCustomMenuLabels();
    EXPECT_EQ(menuText("mnuViewLMCustCat"), QStringLiteral("Customer Segment..."));
    EXPECT_EQ(m_main.buttonMenuEntry(QStringLiteral("LISTMGMT"), QStringLiteral("CATCUST"))->text(),
              QStringLiteral("Customer Segment"));
    EXPECT_EQ(menuText("mnuViewLMIssueCategory"), QStringLiteral("Issue R&&D Area..."));
}

} // namespace
