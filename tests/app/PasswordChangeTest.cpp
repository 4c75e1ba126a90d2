#include "AppFixture.h"
#include "ModalScript.h"

#include "app/frmChangePWD.h"
#include "app/frmMain.h"
#include "data/clsDB.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

frmChangePWD& pwd(QDialog& d) { return static_cast<frmChangePWD&>(d); }

// Types into the dialog's boxes and presses OK.
void typeAndOk(QDialog& d, const QString& first, const QString& second = QString())
{
    pwd(d).txtPassword->setText(first);
    pwd(d).txtPasswordRetype->setText(second);
    pwd(d).cmdOK->click();
}

class PasswordChangeTest : public AppFixture {
protected:
    PasswordChangeTest() { openNewDatabase(); }

    // The current password, then the new one in both boxes.
    void change(const QString& current, const QString& next)
    {
        m_dialogs.then([=](QDialog& d) { typeAndOk(d, current); });
        m_dialogs.then([=](QDialog& d) { typeAndOk(d, next, next); });
        m_main.ChangePassword();
    }

    frmMain m_main;
    ModalScript m_dialogs;
};

TEST_F(PasswordChangeTest, CurrentPasswordInAnyCaseLeadsToTheNewOneWhichIsStoredInLowerCase)
{
    change(QStringLiteral("VoRnE"), QStringLiteral("NewPass"));
    EXPECT_EQ(m_dialogs.captions,
              (QStringList{QStringLiteral("*CURRENT* Password for 'admin'"), QStringLiteral("*NEW* Password for 'admin'")}));
    EXPECT_EQ(m_prompts.last().text, QStringLiteral("Your password has been changed!"));
    EXPECT_EQ(DB().GetUserPassword(QStringLiteral("admin")), QStringLiteral("newpass"));
    EXPECT_EQ(DB().password(), QStringLiteral("newpass"));

    // The next change checks against the lower-cased text.
    m_prompts.clear();
    change(QStringLiteral("newpass"), QStringLiteral("third"));
    EXPECT_EQ(m_prompts.last().text, QStringLiteral("Your password has been changed!"));
    EXPECT_EQ(DB().GetUserPassword(QStringLiteral("admin")), QStringLiteral("third"));
}

TEST_F(PasswordChangeTest, WrongCurrentPasswordKeepsTheDialogUntilCancel)
{
    m_dialogs.then([](QDialog& d) {
        typeAndOk(d, QStringLiteral("wrong"));
        EXPECT_EQ(pwd(d).txtPassword->selectedText(), QStringLiteral("wrong"));
        EXPECT_FALSE(pwd(d).OKPressed);
        pwd(d).cmdCancel->click();
    });
    m_main.ChangePassword();
    ASSERT_EQ(m_prompts.shown().size(), 1);
    EXPECT_EQ(m_prompts.last().text, QStringLiteral("Incorrect Password, try again!"));
    EXPECT_EQ(m_prompts.last().title, QStringLiteral("Password"));
    // Cancel in the first step ends the change: no second display.
    EXPECT_EQ(m_dialogs.captions.size(), 1);
    EXPECT_EQ(m_dialogs.unscripted, 0);
    EXPECT_EQ(DB().GetUserPassword(QStringLiteral("admin")), QStringLiteral("vorne"));
}

TEST_F(PasswordChangeTest, NewPasswordRulesInTheirOrder)
{
    const QString mismatch = QStringLiteral("The password you entered in the two entry boxes do not match. "
                                            "Please enter identical passwords in both entry boxes.");
    const QString length = QStringLiteral("Password must be at least 3 characters long or at most 20 characters long.");
    const QString spaces = QStringLiteral("Password cannot contain spaces!");
    const struct {
        QString first;
        QString second;
        QString message;   // "" accepted
    } cases[] = {
        {QStringLiteral("abc"), QStringLiteral("abc"), QString()},
        {QString(20, QLatin1Char('x')), QString(20, QLatin1Char('x')), QString()},
        {QStringLiteral("Abc"), QStringLiteral("Abc"), QString()},
        {QStringLiteral("ab"), QStringLiteral("ab"), length},
        {QString(21, QLatin1Char('x')), QString(21, QLatin1Char('x')), length},
        {QStringLiteral("ab cd"), QStringLiteral("ab cd"), spaces},
        {QStringLiteral(" abcd"), QStringLiteral(" abcd"), spaces},
        {QStringLiteral("abcde"), QStringLiteral("abcdf"), mismatch},
        {QStringLiteral("abcde"), QStringLiteral("ABCDE"), mismatch},
        // Too short and differing: only the mismatch is told.
        {QStringLiteral("a"), QStringLiteral("b"), mismatch},
    };
    for (const auto& c : cases) {
        m_prompts.clear();
        frmChangePWD dialog;
        dialog.NewMode(QStringLiteral("*NEW* Password for 'admin'"));
        typeAndOk(dialog, c.first, c.second);
        if (c.message.isEmpty()) {
            EXPECT_TRUE(dialog.OKPressed) << c.first.toStdString();
            EXPECT_EQ(dialog.NewPassword, c.first);
            EXPECT_TRUE(m_prompts.shown().isEmpty());
        } else {
            EXPECT_FALSE(dialog.OKPressed) << c.first.toStdString();
            ASSERT_EQ(m_prompts.shown().size(), 1) << c.first.toStdString();
            EXPECT_EQ(m_prompts.last().kind, ShownPrompt::Kind::MessageWindow);
            EXPECT_EQ(m_prompts.last().text, c.message) << c.first.toStdString();
            EXPECT_EQ(m_prompts.last().style, 2);
            // The input stays for another try.
            EXPECT_EQ(dialog.txtPassword->text(), c.first);
        }
    }
}

TEST_F(PasswordChangeTest, CancelOfTheNewPasswordStoresNothing)
{
    m_dialogs.then([](QDialog& d) { typeAndOk(d, QStringLiteral("vorne")); });
    m_dialogs.then([](QDialog& d) { pwd(d).cmdCancel->click(); });
    m_main.ChangePassword();
    EXPECT_TRUE(m_prompts.shown().isEmpty());
    EXPECT_EQ(DB().GetUserPassword(QStringLiteral("admin")), QStringLiteral("vorne"));
    EXPECT_EQ(DB().password(), QStringLiteral("vorne"));
}

TEST_F(PasswordChangeTest, AfterAnAdministratorsResetTheDialogStillExpectsThePasswordTypedAtLogin)
{
    ASSERT_TRUE(DB().SetPassword(DB().LoginID(), QString()));
    ASSERT_EQ(DB().GetUserPassword(QStringLiteral("admin")), QStringLiteral("admin"));
    m_dialogs.then([](QDialog& d) {
        typeAndOk(d, QStringLiteral("admin"));
        EXPECT_FALSE(pwd(d).OKPressed);
        typeAndOk(d, QStringLiteral("vorne"));
    });
    m_dialogs.then([](QDialog& d) { typeAndOk(d, QStringLiteral("fresh"), QStringLiteral("fresh")); });
    m_main.ChangePassword();
    EXPECT_EQ(shownTexts(ShownPrompt::Kind::MessageBox),
              (QStringList{QStringLiteral("Incorrect Password, try again!"), QStringLiteral("Your password has been changed!")}));
    EXPECT_EQ(DB().GetUserPassword(QStringLiteral("admin")), QStringLiteral("fresh"));
}

TEST_F(PasswordChangeTest, HelpTellsWhatEachStepAsks)
{
    frmChangePWD dialog;
    dialog.EnterMode(QStringLiteral("x"));
    EXPECT_TRUE(dialog.txtPasswordRetype->isHidden());
    dialog.cmdHelp->click();
    dialog.NewMode(QStringLiteral("y"));
    EXPECT_FALSE(dialog.txtPasswordRetype->isHidden());
    dialog.cmdHelp->click();
    EXPECT_EQ(shownTexts(ShownPrompt::Kind::MessageWindow),
              (QStringList{QStringLiteral("You will first enter your current password and then your new password."),
                           QStringLiteral("Enter your new password twice.")}));
}

TEST_F(PasswordChangeTest, LabelsLeadToTheirBoxesAndTabFollowsTheLayout)
{
    frmChangePWD dialog;
    dialog.NewMode(QStringLiteral("*NEW* Password for 'admin'"));
    EXPECT_EQ(dialog.lblLabels->text(), QStringLiteral("&Password:"));
    EXPECT_EQ(dialog.lblLabels->buddy(), dialog.txtPassword);
    EXPECT_EQ(dialog.lblLabelRetype->text(), QStringLiteral("&Retype Password:"));
    EXPECT_EQ(dialog.lblLabelRetype->buddy(), dialog.txtPasswordRetype);
    EXPECT_EQ(dialog.txtPassword->echoMode(), QLineEdit::Password);
    QList<QWidget*> order;
    for (QWidget* next = dialog.txtPassword->nextInFocusChain(); next != dialog.txtPassword; next = next->nextInFocusChain()) {
        if (next == dialog.txtPasswordRetype || next == dialog.cmdOK || next == dialog.cmdCancel || next == dialog.cmdHelp)
            order.append(next);
    }
    EXPECT_EQ(order, (QList<QWidget*>{dialog.txtPasswordRetype, dialog.cmdOK, dialog.cmdCancel, dialog.cmdHelp}));
}

} // namespace
