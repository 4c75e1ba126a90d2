#include "DataUiFixture.h"

#include "common/mdlRegistry.h"
#include "data/ui/frmLogin.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace bmtest {
namespace {

// The failure message of the login dialog, as users read it.
const QString kLoginFailed = QStringLiteral(
    "Invalid Login Name or Password! Please try again.\r\n\r\n"
    "If you believe you are getting this message in error, please ask your administrator to check whether your "
    "Login Name exists in the system. Your administrator can:\r\n"
    "  - Add a Login Name for you\r\n"
    "  - Activate a Login Name if it is not ACTIVE\r\n"
    "  - Reset your Password to your Login Name (if you have forgotten your password)\r\n\r\n"
    "Please note BOTH the Login Name and Password for a new database is set initially as follows: Login Name ADMIN, "
    "Password VORNE.");

class LoginDialogTest : public DataUiTest {
protected:
    void SetUp() override
    {
        DataUiTest::SetUp();
        if (!IsSkipped())
            m_db.CloseDB();
    }
    // Replaces the box's text by typing.
    static void type(QLineEdit* box, const QString& text)
    {
        box->clear();
        QTest::keyClicks(box, text);
    }
    static void typeAndPressOK(frmLogin* dialog, const QString& login, const QString& password)
    {
        type(dialog->txtLogin, login);
        type(dialog->txtPassword, password);
        QTest::mouseClick(dialog->cmdOK, Qt::LeftButton);
    }
    bool open() { return m_db.OpenDB(m_folder.path()); }
    // The messages shown so far in the message window.
    QStringList messageWindowTexts() const
    {
        QStringList texts;
        for (const ShownPrompt& p : m_prompts.shown())
            if (p.kind == ShownPrompt::Kind::MessageWindow)
                texts.append(p.text);
        return texts;
    }
};

TEST_F(LoginDialogTest, AdministratorLogsInWithThePasswordInAnyCase)
{
    for (const QString& password : {QStringLiteral("VORNE"), QStringLiteral("vorne"), QStringLiteral("VoRnE")}) {
        whenModal<frmLogin>([&](frmLogin* dialog) {
            EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Login"));
            EXPECT_EQ(dialog->txtDir->text(), m_folder.path());
            EXPECT_EQ(dialog->txtLogin->text(), QStringLiteral("admin"));
            EXPECT_EQ(dialog->txtPassword->echoMode(), QLineEdit::Password);
            EXPECT_EQ(dialog->lblMsg->text(), QStringLiteral("Unless they have been changed, the initial Login Name of a "
                                                             "new database is ADMIN and its initial Password is VORNE."));
            QTest::keyClicks(dialog->txtPassword, password);
            QTest::keyClick(dialog->txtPassword, Qt::Key_Return);   // OK is the default button
        });
        ASSERT_TRUE(open()) << password.toStdString();
        EXPECT_TRUE(m_db.IsAdminUser());
        EXPECT_EQ(m_db.LoginID(), 1000);
        EXPECT_EQ(m_db.LoginName(), QStringLiteral("admin"));
        m_db.CloseDB();
    }
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

TEST_F(LoginDialogTest, WrongPasswordKeepsTheDialogForAnotherTry)
{
    whenModal<frmLogin>([&](frmLogin* dialog) {
        for (int i = 0; i < 3; ++i) {
            typeAndPressOK(dialog, QStringLiteral("admin"), QStringLiteral("wrong"));
            ASSERT_TRUE(dialog->isVisible());
            EXPECT_EQ(dialog->txtPassword->selectedText(), QStringLiteral("wrong"));
        }
        // Typing over the selected password.
        QTest::keyClicks(dialog->txtPassword, QStringLiteral("vorne"));
        QTest::mouseClick(dialog->cmdOK, Qt::LeftButton);
    });
    ASSERT_TRUE(open());
    EXPECT_EQ(messageWindowTexts(), QStringList(3, kLoginFailed));
    EXPECT_EQ(m_prompts.shown().first().style, 2);
}

TEST_F(LoginDialogTest, CancelClosesTheDatabaseAndKeepsTheLastFolder)
{
    m_db.SetLastDBDir(QStringLiteral("/before"));
    whenModal<frmLogin>([](frmLogin* dialog) { QTest::mouseClick(dialog->cmdCancel, Qt::LeftButton); });
    EXPECT_FALSE(open());
    whenModal<frmLogin>([](frmLogin* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
    EXPECT_FALSE(open());
    EXPECT_FALSE(m_db.IsOpen());
    EXPECT_EQ(m_db.LoginID(), -1);
    EXPECT_EQ(m_db.GetLastDBDir(), QStringLiteral("/before"));
    EXPECT_TRUE(GetPrefString(QStringLiteral("LastLogin")).isEmpty());
}

TEST_F(LoginDialogTest, InactiveUserCannotLogIn)
{
    m_db.startSession(m_folder.path(), 1000, QStringLiteral("admin"));
    addUser(QStringLiteral("ina"), false);
    m_db.CloseDB();
    whenModal<frmLogin>([](frmLogin* dialog) {
        typeAndPressOK(dialog, QStringLiteral("ina"), QStringLiteral("ina"));
        EXPECT_TRUE(dialog->isVisible());
        QTest::mouseClick(dialog->cmdCancel, Qt::LeftButton);
    });
    EXPECT_FALSE(open());
    EXPECT_EQ(messageWindowTexts(), QStringList{kLoginFailed});
}

TEST_F(LoginDialogTest, BobNeverLogsInAsBobby)
{
    m_db.startSession(m_folder.path(), 1000, QStringLiteral("admin"));
    const int bobby = addUser(QStringLiteral("bobby"));
    ASSERT_TRUE(m_db.SetPassword(bobby, QStringLiteral("bob")));
    m_db.CloseDB();
    whenModal<frmLogin>([](frmLogin* dialog) {
        typeAndPressOK(dialog, QStringLiteral("bob"), QStringLiteral("bob"));
        EXPECT_TRUE(dialog->isVisible());
        typeAndPressOK(dialog, QStringLiteral("BOBBY"), QStringLiteral("Bob"));
    });
    ASSERT_TRUE(open());
    EXPECT_EQ(m_db.LoginID(), bobby);
    EXPECT_EQ(messageWindowTexts().size(), 1);
}

TEST_F(LoginDialogTest, EmptyBoxesAreAskedFor)
{
    whenModal<frmLogin>([](frmLogin* dialog) {
        typeAndPressOK(dialog, QStringLiteral("  "), QString());
        typeAndPressOK(dialog, QStringLiteral("admin"), QStringLiteral("   "));
        QTest::mouseClick(dialog->cmdCancel, Qt::LeftButton);
    });
    EXPECT_FALSE(open());
    ASSERT_EQ(m_prompts.shown().size(), 2);
    EXPECT_EQ(m_prompts.shown().at(0).text, QStringLiteral("Login Name must be entered!"));
    EXPECT_EQ(m_prompts.shown().at(0).style, MsgStyle::Exclamation);
    EXPECT_EQ(m_prompts.shown().at(0).title, QStringLiteral("Brindlemark"));
    EXPECT_EQ(m_prompts.shown().at(1).text, QStringLiteral("Password must be entered!"));
}

TEST_F(LoginDialogTest, CursorStartsWhereTypingIsNeeded)
{
    // A remembered login whose password has changed: the password box.
    SavePrefString(QStringLiteral("LastLogin"), QStringLiteral("Admin"));
    QString focused;
    QString offered;
    whenModal<frmLogin>([&](frmLogin* dialog) {
        focused = dialog->focusWidget() ? dialog->focusWidget()->objectName() : QString();
        offered = dialog->txtLogin->text();
    });
    open();
    EXPECT_EQ(offered, QStringLiteral("admin"));
    EXPECT_EQ(focused, QStringLiteral("txtPassword"));

    // Two active users and nothing remembered: the empty login box.
    SavePrefString(QStringLiteral("LastLogin"), QString());
    m_db.startSession(m_folder.path(), 1000, QStringLiteral("admin"));
    addUser(QStringLiteral("zed"));
    m_db.CloseDB();
    whenModal<frmLogin>([&](frmLogin* dialog) {
        focused = dialog->focusWidget() ? dialog->focusWidget()->objectName() : QString();
        offered = dialog->txtLogin->text();
    });
    open();
    EXPECT_EQ(offered, QString());
    EXPECT_EQ(focused, QStringLiteral("txtLogin"));
}

} // namespace
} // namespace bmtest
