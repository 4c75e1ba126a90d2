#include "DataUiFixture.h"

#include "common/mdlRegistry.h"
#include "data/DbNotices.h"
#include "data/ui/frmLogin.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace bmtest {
namespace {

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
            EXPECT_TRUE(dialog->lblMsg->text().contains(QStringLiteral("VORNE")));
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
    EXPECT_EQ(messageWindowTexts(), QStringList(3, DbNotice::loginFailed()));
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
    EXPECT_EQ(messageWindowTexts(), QStringList{DbNotice::loginFailed()});
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
    EXPECT_EQ(m_prompts.shown().at(0).text, DbNotice::loginNameMissing());
    EXPECT_EQ(m_prompts.shown().at(0).style, MsgStyle::Exclamation);
    EXPECT_EQ(m_prompts.shown().at(0).title, QStringLiteral("Brindlemark"));
    EXPECT_EQ(m_prompts.shown().at(1).text, DbNotice::passwordMissing());
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
