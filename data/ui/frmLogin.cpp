#include "data/ui/frmLogin.h"

#include "common/PromptService.h"
#include "common/clsSystem.h"
#include "common/ui/HelpContext.h"
#include "common/ui/NamedControls.h"
#include "common/ui/clsSystemUI.h"
#include "data/DbNotices.h"
#include "data/clsDB.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QPushButton* button(QWidget* parent, const QString& name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

QLabel* label(QWidget* parent, const QString& name, const QString& caption)
{
    auto* l = new QLabel(caption, parent);
    l->setObjectName(name);
    return l;
}

} // namespace

frmLogin::frmLogin(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("Login"));
    HelpContext::set(this, kHelpContext);
    buildFields();
    buildButtons();
}

void frmLogin::buildFields()
{
    picIcon = label(this, QStringLiteral("picIcon"), QString());
    picIcon->setPixmap(style()->standardIcon(QStyle::SP_DialogApplyButton).pixmap(32));
    txtDir = new QLineEdit(this);
    txtDir->setObjectName(QStringLiteral("txtDir"));
    txtDir->setReadOnly(true);
    txtDir->setFocusPolicy(Qt::NoFocus);
    txtDir->setFrame(false);
    QFont small = txtDir->font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    txtDir->setFont(small);
    txtDir->setStyleSheet(QStringLiteral("background: palette(window);"));
    txtLogin = new QLineEdit(this);
    txtLogin->setObjectName(QStringLiteral("txtLogin"));
    txtPassword = namedPasswordBox(this, QStringLiteral("txtPassword"));
    lblLabels = label(this, QStringLiteral("lblLabels"), QStringLiteral("&Login Name:"));
    lblLabels->setBuddy(txtLogin);
    lblLabelRetype = label(this, QStringLiteral("lblLabelRetype"), QStringLiteral("&Password:"));
    lblLabelRetype->setBuddy(txtPassword);
    lblMsg = label(this, QStringLiteral("lblMsg"), QString());
    lblMsg->setWordWrap(true);
}

void frmLogin::buildButtons()
{
    cmdOK = button(this, QStringLiteral("cmdOK"), QStringLiteral("OK"));
    cmdOK->setDefault(true);
    cmdCancel = button(this, QStringLiteral("cmdCancel"), QStringLiteral("Cancel"));
    cmdHelp = button(this, QStringLiteral("cmdHelp"), QStringLiteral("&Help"));
    connect(cmdOK, &QPushButton::clicked, this, &frmLogin::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmLogin::cmdCancel_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmLogin::cmdHelp_Click);

    auto* grid = new QGridLayout;
    grid->addWidget(picIcon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(txtDir, 0, 1, 1, 2);
    grid->addWidget(lblLabels, 1, 1);
    grid->addWidget(txtLogin, 1, 2);
    grid->addWidget(lblLabelRetype, 2, 1);
    grid->addWidget(txtPassword, 2, 2);
    grid->addWidget(lblMsg, 3, 1, 1, 2);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdHelp);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(buttons);
    setTabOrder(txtLogin, txtPassword);
    setTabOrder(txtPassword, cmdOK);
}

void frmLogin::Init(const QString& folder, const QString& loginName, const QString& password)
{
    txtDir->setText(folder);
    txtLogin->setText(loginName);
    txtPassword->setText(password);
    lblMsg->setText(DbNotice::loginHint());
    // The cursor starts in the first box that still needs typing.
    QLineEdit* first = txtLogin;
    if (!loginName.trimmed().isEmpty() && password.trimmed().isEmpty()) {
        first = txtPassword;
        setTabOrder(txtPassword, txtLogin);
        setTabOrder(txtLogin, cmdOK);
    }
    first->setFocus();
}

void frmLogin::cmdOK_Click()
{
    LoginName = txtLogin->text().trimmed();
    Password = txtPassword->text().trimmed();
    if (LoginName.isEmpty()) {
        MsgBox(DbNotice::loginNameMissing(), MsgStyle::Exclamation);
        refuse(txtLogin);
        return;
    }
    if (Password.isEmpty()) {
        MsgBox(DbNotice::passwordMissing(), MsgStyle::Exclamation);
        refuse(txtPassword);
        return;
    }
    if (!DB().VerifyLogin(LoginName, Password, UserID, IsAdmin, Permissions)) {
        Sys().ShowMsg(DbNotice::loginFailed(), 2, -1);
        refuse(txtPassword);
        return;
    }
    LoginOK = true;
    accept();
}

void frmLogin::refuse(QLineEdit* box)
{
    SysUI().CtlSetFocus(box);
    box->selectAll();
}

void frmLogin::cmdCancel_Click()
{
    LoginOK = false;
    reject();
}

void frmLogin::cmdHelp_Click()
{
    Sys().ShowHelpTopic(kHelpContext);
}

