#include "AppFixture.h"

#include "app/EditModeCtl.h"
#include "app/WindowCreators.h"
#include "app/frmUser.h"
#include "app/frmUsers.h"
#include "common/Win1252.h"
#include "common/ui/clsSystemUI.h"
#include "data/RecColl.h"
#include "data/clsDB.h"
#include "xbase/c4.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include <functional>

namespace {

const QString kAdminMessage = QStringLiteral(
    "ADMIN is a system account. It cannot be modified. You can, however, change password for ADMIN. To change "
    "password for ADMIN, login as ADMIN (initial password for ADMIN is VORNE) and choose File, Change Password... "
    "menu.");
const QString kLoginRules = QStringLiteral(
    "Login Name must be between 3 and 20 characters long.\r\nLogin Name may NOT contain spaces.\r\n"
    "Login Name may only contain characters (A-Z) or digits (0-9).\r\n");
const QString kNotUnique = QStringLiteral("Login name must be unique within the database!");
const QString kNoRole =
    QStringLiteral("Please choose either 'Administrator Role' or 'User Role' in the 'Roles & Permissions' section.");

class UserManagementTest : public AppFixture {
protected:
    UserManagementTest()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        openNewDatabase();
    }
    ~UserManagementTest() override
    {
        QLocale::setDefault(m_locale);
        WindowCreators::clear();
    }

    // The management window; each user window it opens goes to `script`
    // (counted) instead of being shown.
    std::unique_ptr<frmUsers> openUsers()
    {
        auto users = std::make_unique<frmUsers>();
        users->showUserWindow = [this](frmUser& window) {
            ++m_userWindows;
            if (m_script)
                m_script(window);
        };
        return users;
    }

    // Selects the list row of `login`.
    static void select(frmUsers& users, const QString& login)
    {
        const QList<QTreeWidgetItem*> found = users.lv->findItems(login, Qt::MatchExactly, 0);
        ASSERT_EQ(found.size(), 1) << login.toStdString();
        users.lv->setCurrentItem(found.first());
    }

    static QStringList rows(const frmUsers& users)
    {
        QStringList texts;
        for (int i = 0; i < users.lv->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = users.lv->topLevelItem(i);
            texts.append(QStringList{item->text(0), item->text(1), item->text(2), item->text(3)}.join(QLatin1Char('|')));
        }
        return texts;
    }

    // A field of the users table as stored (trailing blanks dropped), read
    // behind the program's back; `login` picks the row.
    QString stored(const QString& login, const char* field)
    {
        CODE4* engine = d4init_v();
        EXPECT_NE(engine, nullptr);
        DATA4* t = d4open(engine, DB().UserTable().toLocal8Bit().constData());
        EXPECT_NE(t, nullptr);
        QString value = QStringLiteral("<no row>");
        auto text = [t](const char* name) {
            FIELD4* f = d4field(t, name);
            QString s = fromWin1252(f4ptr(f), f4len_v(f));
            while (s.endsWith(QLatin1Char(' ')))
                s.chop(1);
            return s;
        };
        for (int rc = t ? d4top(t) : -1; rc == 0; rc = d4skip(t, 1)) {
            if (text("login") == login)
                value = field == std::string_view("underedit") ? QString::number(f4long(d4field(t, field))) : text(field);
        }
        d4initUndo(engine);
        return value;
    }

    qint32 idOf(const QString& login)
    {
        const QString rowid = stored(login, "rowid");
        return rowid.trimmed().toInt();
    }

    // A stored user with the given permission string (any length).
    qint32 addUserWithPerm(const QString& login, const QString& perm)
    {
        addUser(login, QString(30, QLatin1Char('0')));
        const qint32 id = idOf(login);
        RecColl coll(DB().UserTable(), id, QStringLiteral("_userinfo"));
        EXPECT_TRUE(DB().ReadRecord(coll, false));
        coll.set(QStringLiteral("perm"), perm);
        coll.set(QStringLiteral("_rectype"), QStringLiteral("_userinfo"));
        EXPECT_TRUE(DB().SaveRecord(coll, false));
        return id;
    }

    QStringList marked(const frmUser& window) const
    {
        QStringList texts;
        for (int row = 0; row < window.lstPermissions->count(); ++row) {
            if (window.lstPermissions->item(row)->isSelected())
                texts.append(window.lstPermissions->item(row)->text());
        }
        return texts;
    }

    QLocale m_locale;
    std::function<void(frmUser&)> m_script;
    int m_userWindows = 0;
};

TEST_F(UserManagementTest, ListShowsEveryUserInLoginOrderWithItsColumns)
{
    addUser(QStringLiteral("zed"), QString(30, QLatin1Char('0')));
    addUser(QStringLiteral("bob"), QString(30, QLatin1Char('0')));
    // bob gets a first name and is made inactive; zed stays without one.
    RecColl bob(DB().UserTable(), idOf(QStringLiteral("bob")), QStringLiteral("_userinfo"));
    ASSERT_TRUE(DB().ReadRecord(bob, false));
    bob.set(QStringLiteral("firstname"), QStringLiteral("Bob"));
    bob.set(QStringLiteral("lastname"), QStringLiteral("Smith"));
    bob.set(QStringLiteral("useractive"), QStringLiteral("F"));
    ASSERT_TRUE(DB().SaveRecord(bob, false));

    auto users = openUsers();
    const QString admin = users->lv->topLevelItem(0)->text(0);
    EXPECT_EQ(rows(*users), (QStringList{QStringLiteral("%1|%2|administrator|Yes").arg(admin, users->lv->topLevelItem(0)->text(1)),
                                         QStringLiteral("bob|Smith, Bob|user|No"), QStringLiteral("zed|zed|user|Yes")}));
    EXPECT_EQ(users->lblNumUsers->text(), QStringLiteral("3 user(s)"));
    EXPECT_TRUE(users->windowTitle().startsWith(QLatin1String("System Users @ ")));
    EXPECT_TRUE(users->lv->topLevelItem(0)->isSelected());
    EXPECT_TRUE(users->cmdProperties->isEnabled());

    // Heading clicks: descending first, then ascending, whatever the column.
    users->lv->header()->sectionClicked(0);
    EXPECT_EQ(users->lv->topLevelItem(0)->text(0), QStringLiteral("zed"));
    users->lv->header()->sectionClicked(0);
    EXPECT_EQ(users->lv->topLevelItem(0)->text(0), admin);
    users->lv->header()->sectionClicked(3);
    EXPECT_EQ(users->lv->topLevelItem(0)->text(3), QStringLiteral("Yes"));
}

TEST_F(UserManagementTest, AnEmptyUserTableShowsNoRowsAndDisablesTheRowCommands)
{
    auto before = openUsers();
    ASSERT_EQ(before->lv->topLevelItemCount(), 1);
    before.reset();
    ASSERT_TRUE(DB().DeleteRecord(idOf(QStringLiteral("admin")), DB().UserTable()));

    auto users = openUsers();
    EXPECT_EQ(users->lv->topLevelItemCount(), 0);
    EXPECT_EQ(users->lblNumUsers->text(), QStringLiteral("0 user(s)"));
    EXPECT_FALSE(users->cmdRemove->isEnabled());
    EXPECT_FALSE(users->cmdProperties->isEnabled());
    EXPECT_FALSE(users->cmdResetPassword->isEnabled());
    EXPECT_TRUE(users->cmdAdd->isEnabled());
    EXPECT_TRUE(users->cmdRefresh->isEnabled());
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

TEST_F(UserManagementTest, EveryWayToTheAdministratorAccountEndsInTheSystemAccountMessage)
{
    const qint32 adminId = idOf(QStringLiteral("admin"));
    for (const char* spelling : {"admin", "ADMIN", "aDmIn"}) {
        SCOPED_TRACE(spelling);
        RecColl coll(DB().UserTable(), adminId, QStringLiteral("_userinfo"));
        ASSERT_TRUE(DB().ReadRecord(coll, false));
        coll.set(QStringLiteral("login"), QString::fromLatin1(spelling));
        ASSERT_TRUE(DB().SaveRecord(coll, false));
        auto users = openUsers();
        users->show();
        select(*users, QString::fromLatin1(spelling));
        m_prompts.clear();

        users->cmdProperties->click();
        QTreeWidgetItem* row = users->lv->currentItem();
        emit users->lv->itemDoubleClicked(row, 0);
        QTest::keyClick(users->lv, Qt::Key_Return);
        m_prompts.button(MsgAnswer::Yes);
        users->cmdRemove->click();
        m_prompts.button(MsgAnswer::No);
        users->cmdRemove->click();

        EXPECT_EQ(shownTexts(ShownPrompt::Kind::MessageWindow), QStringList(4, kAdminMessage));
        for (const ShownPrompt& p : m_prompts.shown()) {
            if (p.kind == ShownPrompt::Kind::MessageWindow) {
                EXPECT_EQ(p.style, 1);
                EXPECT_LT(p.helpContext, 1);
            }
        }
        const QStringList boxes = shownTexts(ShownPrompt::Kind::MessageBox);
        ASSERT_EQ(boxes.size(), 2);
        EXPECT_EQ(boxes.first(),
                  QStringLiteral("To preserve history of edits by a user, deletion of users is NOT allowed. However, "
                                 "you may INACTIVATE a user by unchecking the Active checkbox on User Properties "
                                 "dialog box.\n\nWould like to view Properties for this user?"));
        EXPECT_EQ(m_prompts.shown().at(3).style, MsgStyle::YesNo + MsgStyle::Question);
        EXPECT_EQ(m_prompts.shown().at(3).title, QStringLiteral("Brindlemark"));
        EXPECT_EQ(m_userWindows, 0);
    }
}

TEST_F(UserManagementTest, RemoveAnsweredYesOpensAnOrdinaryUsersProperties)
{
    addUser(QStringLiteral("bob"), QString(30, QLatin1Char('0')));
    auto users = openUsers();
    select(*users, QStringLiteral("bob"));
    qint32 shownId = 0;
    bool editMode = true;
    m_script = [&](frmUser& window) {
        shownId = window.UserID();
        editMode = window.EM->InEditMode();
        EXPECT_EQ(window.txtLogin->text(), QStringLiteral("bob"));
    };
    m_prompts.button(MsgAnswer::Yes);
    users->cmdRemove->click();
    EXPECT_EQ(m_userWindows, 1);
    EXPECT_EQ(shownId, idOf(QStringLiteral("bob")));
    EXPECT_FALSE(editMode);
    EXPECT_EQ(stored(QStringLiteral("bob"), "login"), QStringLiteral("bob"));
}

TEST_F(UserManagementTest, ResetPasswordAsksWithNoAsDefaultAndResetsEvenTheAdministrator)
{
    const qint32 adminId = idOf(QStringLiteral("admin"));
    ASSERT_TRUE(DB().SetPassword(adminId, QStringLiteral("secret")));
    auto users = openUsers();
    select(*users, QStringLiteral("admin"));

    for (MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Cancel}) {
        m_prompts.button(answer);
        users->cmdResetPassword->click();
    }
    EXPECT_EQ(DB().GetUserPassword(QStringLiteral("admin")), QStringLiteral("secret"));

    m_prompts.button(MsgAnswer::Yes);
    users->cmdResetPassword->click();
    EXPECT_EQ(DB().GetUserPassword(QStringLiteral("admin")), QStringLiteral("admin"));
    EXPECT_EQ(stored(QStringLiteral("admin"), "password"), QStringLiteral("61646D696E"));

    const QList<ShownPrompt>& shown = m_prompts.shown();
    ASSERT_EQ(shown.size(), 4);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(shown.at(i).text, QStringLiteral("Do you want to RESET the password for user 'admin'?\nAfter "
                                                   "reset, the password will be:\n\nadmin"));
        EXPECT_EQ(shown.at(i).style, MsgStyle::YesNoCancel + MsgStyle::Question + MsgStyle::DefaultButton2);
        EXPECT_EQ(shown.at(i).title, QStringLiteral("Brindlemark"));
    }
    EXPECT_EQ(shown.at(3).text, QStringLiteral("The password for user 'admin' has been reset to: admin"));
    EXPECT_EQ(shown.at(3).style, MsgStyle::Information);
    EXPECT_EQ(m_userWindows, 0);

    // A reset the data store can't write says so, and says nothing else.
    ASSERT_TRUE(DB().SetPassword(adminId, QStringLiteral("secret")));
    CODE4* other = d4init_v();
    ASSERT_NE(other, nullptr);
    DATA4* table = d4open(other, DB().UserTable().toLocal8Bit().constData());
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(d4lock(table, 1), 0);
    m_prompts.clear();
    m_prompts.button(MsgAnswer::Yes);
    users->cmdResetPassword->click();
    d4initUndo(other);
    EXPECT_EQ(DB().GetUserPassword(QStringLiteral("admin")), QStringLiteral("secret"));
    const ShownPrompt failure = m_prompts.last();
    EXPECT_EQ(failure.text, QStringLiteral("Unable to reset password!"));
    EXPECT_EQ(failure.style, MsgStyle::Exclamation);
    EXPECT_EQ(failure.title, QStringLiteral("Brindlemark"));
    EXPECT_FALSE(shownTexts(ShownPrompt::Kind::MessageBox).join(QLatin1Char('\n')).contains(QLatin1String("has been reset")));
}

TEST_F(UserManagementTest, PropertiesOfARowAnotherUserDeletedStopAtTheMessage)
{
    addUser(QStringLiteral("bob"), QString(30, QLatin1Char('0')));
    auto users = openUsers();
    select(*users, QStringLiteral("bob"));
    ASSERT_TRUE(DB().DeleteRecord(idOf(QStringLiteral("bob")), DB().UserTable()));
    users->cmdProperties->click();
    users->cmdResetPassword->click();
    EXPECT_EQ(shownTexts(ShownPrompt::Kind::MessageWindow),
              QStringList(2, QStringLiteral("Record cannot be accessed or no longer exists. It may have been "
                                            "deleted by another user.")));
    EXPECT_EQ(shownTexts(ShownPrompt::Kind::MessageBox), QStringList());
    EXPECT_EQ(m_userWindows, 0);
}

TEST_F(UserManagementTest, AddingAUserStoresTheLoginAsPasswordAndTheDefaultPermissions)
{
    auto users = openUsers();
    m_script = [](frmUser& window) {
        EXPECT_TRUE(window.EM->InEditMode());
        EXPECT_EQ(window.lblMsg->text(),
                  QStringLiteral("NOTE: The initial password for the user is the same as Login Name."));
        EXPECT_TRUE(window.lblEdit->isHidden());
        EXPECT_FALSE(window.cmdRefresh->isEnabled());
        EXPECT_TRUE(window.chkActive->isChecked());
        EXPECT_FALSE(window.lstPermissions->isEnabled());
        EXPECT_EQ(window.lstPermissions->count(), 7);
        window.txtLogin->setText(QStringLiteral("bob"));
        window.txtLastname->setText(QStringLiteral("Builder"));
        window.optUser->click();
        EXPECT_TRUE(window.lstPermissions->isEnabled());
        window.OKButton->click();
        EXPECT_TRUE(window.Saved);
    };
    users->cmdAdd->click();

    EXPECT_EQ(stored(QStringLiteral("bob"), "password"), QStringLiteral("626F62"));
    EXPECT_EQ(stored(QStringLiteral("bob"), "perm"), QStringLiteral("1111") + QString(26, QLatin1Char('0')));
    EXPECT_EQ(stored(QStringLiteral("bob"), "usertype"), QStringLiteral("0"));
    EXPECT_EQ(stored(QStringLiteral("bob"), "useractive"), QStringLiteral("T"));
    EXPECT_TRUE(rows(*users).contains(QStringLiteral("bob|Builder|user|Yes")));
    EXPECT_EQ(users->lblNumUsers->text(), QStringLiteral("2 user(s)"));
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

TEST_F(UserManagementTest, CancelAfterApplyStillReloadsTheList)
{
    auto users = openUsers();
    m_script = [](frmUser& window) {
        window.txtLogin->setText(QStringLiteral("carol"));
        window.optAdmin->click();
        window.cmdApply->click();
        EXPECT_FALSE(window.EM->InEditMode());
        EXPECT_GE(window.UserID(), 1);
        EXPECT_FALSE(window.lblEdit->isHidden());
        EXPECT_TRUE(window.cmdRefresh->isEnabled());
        window.CancelButton->click();
    };
    users->cmdAdd->click();
    EXPECT_TRUE(rows(*users).contains(QStringLiteral("carol||administrator|Yes")));
    EXPECT_TRUE(m_prompts.shown().isEmpty());

    // A window closed without a save leaves the list as it was.
    users->lv->clear();
    m_script = [](frmUser& window) { window.CancelButton->click(); };
    m_prompts.button(MsgAnswer::Yes);
    users->cmdAdd->click();
    EXPECT_EQ(users->lv->topLevelItemCount(), 0);
}

class UserWindowTest : public UserManagementTest {
protected:
    // A window on a new user, in edit mode.
    std::unique_ptr<frmUser> newUser()
    {
        auto window = std::make_unique<frmUser>();
        window->Init(-1, true);
        return window;
    }
};

TEST_F(UserWindowTest, LoginRulesAndUniquenessStopAtTheFirstFault)
{
    addUser(QStringLiteral("bob"), QString(30, QLatin1Char('0')));
    const struct {
        QString login;
        bool role;
        QString message;   // "" when the check passes
    } cases[] = {
        {QStringLiteral("ab"), true, kLoginRules},
        {QStringLiteral("abc"), true, QString()},
        {QString(20, QLatin1Char('x')), true, QString()},
        {QStringLiteral("ab c"), true, kLoginRules},
        {QStringLiteral("ab-c"), true, kLoginRules},
        {QStringLiteral("ab\u00e9"), true, kLoginRules},
        {QStringLiteral("BOB"), true, kNotUnique},
        {QStringLiteral("ab"), false, kLoginRules},
        {QStringLiteral("abc"), false, kNoRole},
        {QStringLiteral("BOB"), false, kNoRole},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.login.toStdString() + (c.role ? " with role" : " without role"));
        auto window = newUser();
        window->txtLogin->setText(c.login);
        if (c.role)
            window->optUser->click();
        m_prompts.clear();
        EXPECT_EQ(window->ValidateData(), c.message.isEmpty());
        const QStringList shown = shownTexts(ShownPrompt::Kind::MessageWindow);
        EXPECT_EQ(shown, c.message.isEmpty() ? QStringList() : QStringList{c.message});
        if (!shown.isEmpty())
            EXPECT_EQ(m_prompts.last().style, 2);
    }

    // The login box takes 20 characters at most.
    auto window = newUser();
    window->txtLogin->setText(QString(21, QLatin1Char('y')));
    EXPECT_EQ(window->txtLogin->text(), QString(20, QLatin1Char('y')));

    // A stored user keeps its own login, in whatever case it was stored.
    auto bob = std::make_unique<frmUser>();
    bob->Init(idOf(QStringLiteral("bob")), false);
    bob->DoEditModeBtn();
    ASSERT_TRUE(bob->EM->InEditMode());
    m_prompts.clear();
    EXPECT_TRUE(bob->SaveData());
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

TEST_F(UserWindowTest, AFailedValidationKeepsTheWindowOpenInEditModeWithTheTypedValues)
{
    auto window = newUser();
    window->txtLogin->setText(QStringLiteral("a b"));
    window->txtDept->setText(QStringLiteral("Sales"));
    window->optUser->click();
    window->OKButton->click();
    EXPECT_TRUE(window->EM->InEditMode());
    EXPECT_FALSE(window->Saved);
    EXPECT_EQ(window->txtDept->text(), QStringLiteral("Sales"));
    EXPECT_EQ(window->UserID(), -1);
}

TEST_F(UserWindowTest, AdministratorRoleDisablesThePermissionsButKeepsAndSavesTheirMarks)
{
    const qint32 id = addUserWithPerm(QStringLiteral("dora"), QStringLiteral("0000011") + QString(23, QLatin1Char('0')));
    frmUser window;
    window.Init(id, false);
    EXPECT_EQ(marked(window), (QStringList{QStringLiteral("List Management"), QStringLiteral("Database Admin")}));
    EXPECT_TRUE(window.optUser->isChecked());
    window.DoEditModeBtn();
    ASSERT_TRUE(window.EM->InEditMode());
    EXPECT_TRUE(window.lstPermissions->isEnabled());
    window.optAdmin->click();
    EXPECT_FALSE(window.lstPermissions->isEnabled());
    EXPECT_EQ(marked(window), (QStringList{QStringLiteral("List Management"), QStringLiteral("Database Admin")}));
    window.cmdApply->click();
    EXPECT_EQ(stored(QStringLiteral("dora"), "usertype"), QStringLiteral("1"));
    EXPECT_EQ(stored(QStringLiteral("dora"), "perm"), QStringLiteral("0000011") + QString(23, QLatin1Char('0')));
    EXPECT_TRUE(window.Saved);
}

// A role checked without a click (as an assistive tool or code does) sets
// the permissions list just as a click does.
TEST_F(UserWindowTest, ARoleCheckedWithoutAClickEnablesOrDisablesThePermissions)
{
    auto window = newUser();
    window->optAdmin->setChecked(true);
    EXPECT_FALSE(window->lstPermissions->isEnabled());
    window->optUser->setChecked(true);
    EXPECT_TRUE(window->lstPermissions->isEnabled());
    window->optAdmin->toggle();
    EXPECT_FALSE(window->lstPermissions->isEnabled());
    window->UserType->button(0)->setChecked(true);
    EXPECT_TRUE(window->lstPermissions->isEnabled());
}

TEST_F(UserWindowTest, RowsBeyondAShortPermissionStringStayUnmarked)
{
    const qint32 id = addUserWithPerm(QStringLiteral("eve"), QStringLiteral("1"));
    ASSERT_EQ(stored(QStringLiteral("eve"), "perm"), QStringLiteral("1"));
    frmUser window;
    window.Init(id, false);
    EXPECT_EQ(marked(window), QStringList{QStringLiteral("Edit Customers")});
    EXPECT_EQ(window.lstPermissions->currentRow(), -1);
    window.DoEditModeBtn();
    window.cmdApply->click();
    EXPECT_EQ(stored(QStringLiteral("eve"), "perm"), QStringLiteral("1") + QString(29, QLatin1Char('0')));
    EXPECT_EQ(marked(window), QStringList{QStringLiteral("Edit Customers")});
}

TEST_F(UserWindowTest, StoredFieldsLoadAndSaveAsTheWindowShowsThem)
{
    addUser(QStringLiteral("fred"), QString(30, QLatin1Char('0')));
    frmUser window;
    window.Init(idOf(QStringLiteral("fred")), false);
    EXPECT_TRUE(window.windowTitle().startsWith(QLatin1String("User Properties @ ")));
    EXPECT_EQ(window.lblMsg->text(), QString());
    EXPECT_TRUE(window.txtLogin->isReadOnly());
    EXPECT_FALSE(window.OKButton->isEnabled());
    EXPECT_FALSE(window.cmdApply->isEnabled());
    EXPECT_TRUE(window.cmdRefresh->isEnabled());
    EXPECT_EQ(window.lblEdit->text(), QStringLiteral("Edi&t Data"));
    EXPECT_TRUE(marked(window).isEmpty());

    window.DoEditModeBtn();
    EXPECT_EQ(stored(QStringLiteral("fred"), "underedit"), QStringLiteral("1000"));
    EXPECT_EQ(window.lblEdit->text(), QStringLiteral("Cancel Edi&t"));
    window.txtFirstname->setText(QStringLiteral("Frederick"));
    window.txtDept->setText(QStringLiteral("Accounts"));
    window.chkActive->setChecked(false);
    window.txtNote->setPlainText(QStringLiteral("line one\r\nline two"));
    window.lstPermissions->item(4)->setSelected(true);
    window.OKButton->click();
    EXPECT_TRUE(window.Saved);
    EXPECT_EQ(stored(QStringLiteral("fred"), "firstname"), QStringLiteral("Frederick"));
    EXPECT_EQ(stored(QStringLiteral("fred"), "dept"), QStringLiteral("Accounts"));
    EXPECT_EQ(stored(QStringLiteral("fred"), "useractive"), QStringLiteral("F"));
    EXPECT_EQ(stored(QStringLiteral("fred"), "perm"), QStringLiteral("00001") + QString(25, QLatin1Char('0')));
    EXPECT_EQ(stored(QStringLiteral("fred"), "underedit"), QStringLiteral("0"));
    RecColl coll(DB().UserTable(), idOf(QStringLiteral("fred")), QStringLiteral("_userinfo"));
    ASSERT_TRUE(DB().ReadRecord(coll, false));
    EXPECT_EQ(coll.text(QStringLiteral("note")), QStringLiteral("line one\r\nline two"));
    // The password is left as it was.
    EXPECT_EQ(DB().GetUserPassword(QStringLiteral("fred")), QStringLiteral("fred"));

    // The inactive user shows so in the list.
    auto users = openUsers();
    EXPECT_TRUE(rows(*users).contains(QStringLiteral("fred|fred, Frederick|user|No")));
}

TEST_F(UserWindowTest, AFailedSaveKeepsEditModeAndTheUnderEditMark)
{
    addUser(QStringLiteral("gus"), QString(30, QLatin1Char('0')));
    const qint32 id = idOf(QStringLiteral("gus"));
    frmUser window;
    window.Init(id, false);
    window.DoEditModeBtn();
    ASSERT_EQ(stored(QStringLiteral("gus"), "underedit"), QStringLiteral("1000"));
    window.txtDept->setText(QStringLiteral("Stores"));

    // Another engine holds the row's lock.
    CODE4* other = d4init_v();
    ASSERT_NE(other, nullptr);
    DATA4* table = d4open(other, DB().UserTable().toLocal8Bit().constData());
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(d4lock(table, 2), 0);
    window.cmdApply->click();
    d4initUndo(other);

    EXPECT_TRUE(window.EM->InEditMode());
    EXPECT_FALSE(window.Saved);
    EXPECT_EQ(window.txtDept->text(), QStringLiteral("Stores"));
    EXPECT_EQ(stored(QStringLiteral("gus"), "underedit"), QStringLiteral("1000"));
    EXPECT_FALSE(m_prompts.shown().isEmpty());

    m_prompts.clear();
    window.cmdApply->click();
    EXPECT_FALSE(window.EM->InEditMode());
    EXPECT_TRUE(window.Saved);
    EXPECT_EQ(stored(QStringLiteral("gus"), "dept"), QStringLiteral("Stores"));
    EXPECT_EQ(stored(QStringLiteral("gus"), "underedit"), QStringLiteral("0"));
}

TEST_F(UserWindowTest, CancelAndCtrlEFollowTheMode)
{
    addUser(QStringLiteral("hal"), QString(30, QLatin1Char('0')));
    frmUser window;
    window.Init(idOf(QStringLiteral("hal")), false);
    window.show();
    QApplication::setActiveWindow(&window);

    // Ctrl+E enters edit mode, and never leaves it.
    QTest::keyClick(window.txtDept, Qt::Key_E, Qt::ControlModifier);
    ASSERT_TRUE(window.EM->InEditMode());
    QTest::keyClick(window.txtDept, Qt::Key_E, Qt::ControlModifier);
    EXPECT_TRUE(window.EM->InEditMode());
    EXPECT_TRUE(m_prompts.shown().isEmpty());

    // Cancel in edit mode asks; No keeps the window, Yes closes it and
    // clears the mark.
    m_prompts.button(MsgAnswer::No);
    window.CancelButton->click();
    EXPECT_TRUE(window.isVisible());
    m_prompts.button(MsgAnswer::Cancel);
    window.close();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(stored(QStringLiteral("hal"), "underedit"), QStringLiteral("1000"));
    m_prompts.button(MsgAnswer::Yes);
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(stored(QStringLiteral("hal"), "underedit"), QStringLiteral("0"));
    EXPECT_EQ(shownTexts(ShownPrompt::Kind::MessageBox),
              QStringList(3, QStringLiteral("Do you wish to discard your changes (if any)?")));

    // In view mode Cancel closes at once; a new user's window ignores Ctrl+E.
    m_prompts.clear();
    window.Init(idOf(QStringLiteral("hal")), false);
    window.show();
    window.CancelButton->click();
    EXPECT_FALSE(window.isVisible());
    auto fresh = newUser();
    fresh->show();
    QApplication::setActiveWindow(fresh.get());
    QTest::keyClick(fresh->txtLogin, Qt::Key_E, Qt::ControlModifier);
    EXPECT_TRUE(fresh->EM->InEditMode());
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

TEST_F(UserWindowTest, FieldLabelsAreBuddiesAndTheUserManagementWindowIsRegistered)
{
    frmUser window;
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (label->text().endsWith(QLatin1Char(':')))
            EXPECT_NE(label->buddy(), nullptr) << label->text().toStdString();
    }
    registerUserWindows();
    std::unique_ptr<QWidget> made(WindowCreators::create(WindowCreators::Kind::Users, nullptr));
    EXPECT_NE(dynamic_cast<frmUsers*>(made.get()), nullptr);
}

} // namespace

namespace {

TEST_F(UserManagementTest, AListThatCannotBeReloadedKeepsWhatItShowed)
{
    addUser(QStringLiteral("bob"), QString(30, QLatin1Char('0')));
    auto users = openUsers();
    select(*users, QStringLiteral("bob"));
    const QStringList before = rows(*users);
    const QString caption = users->windowTitle();
    const QString table = DB().UserTable();
    ASSERT_TRUE(QFile::rename(table, table + QStringLiteral(".away")));
    users->cmdRefresh->click();
    ASSERT_TRUE(QFile::rename(table + QStringLiteral(".away"), table));

    EXPECT_EQ(rows(*users), before);
    EXPECT_EQ(users->lblNumUsers->text(), QStringLiteral("2 user(s)"));
    EXPECT_EQ(users->windowTitle(), caption);
    ASSERT_EQ(m_prompts.shown().size(), 1);
    EXPECT_TRUE(m_prompts.last().text.startsWith(QLatin1String("Unable to open: "))) << m_prompts.last().text.toStdString();
    EXPECT_FALSE(m_prompts.waitCursor());

    // Once the table is back, a selected row stays selected through a reload
    // and through an Add.
    m_prompts.clear();
    users->cmdRefresh->click();
    EXPECT_EQ(users->lv->currentItem()->text(0), QStringLiteral("bob"));
    m_script = [](frmUser& window) {
        window.txtLogin->setText(QStringLiteral("abe"));
        window.optUser->click();
        window.OKButton->click();
    };
    users->cmdAdd->click();
    EXPECT_EQ(users->lblNumUsers->text(), QStringLiteral("3 user(s)"));
    EXPECT_EQ(SysUI().LvGetSelectedItemText(users->lv), QStringLiteral("bob"));
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

} // namespace
