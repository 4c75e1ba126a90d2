#include "app/frmChangePWD.h"

#include "common/PromptService.h"
#include "common/clsSystem.h"
#include "common/ui/NamedControls.h"
#include "common/ui/clsSystemUI.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

frmChangePWD::frmChangePWD(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmChangePWD"));
    setWindowTitle(QStringLiteral("Password"));
    build();
    Init();
}

void frmChangePWD::build()
{
    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(style()->standardIcon(QStyle::SP_DialogApplyButton).pixmap(32));
    txtPassword = namedPasswordBox(this, QStringLiteral("txtPassword"));
    txtPasswordRetype = namedPasswordBox(this, QStringLiteral("txtPasswordRetype"));
    lblLabels = new QLabel(QStringLiteral("&Password:"), this);
    lblLabels->setObjectName(QStringLiteral("lblLabels"));
    lblLabels->setBuddy(txtPassword);
    lblLabelRetype = new QLabel(QStringLiteral("&Retype Password:"), this);
    lblLabelRetype->setObjectName(QStringLiteral("lblLabelRetype"));
    lblLabelRetype->setBuddy(txtPasswordRetype);
    cmdOK = namedButton(this, QStringLiteral("cmdOK"), QStringLiteral("OK"));
    cmdOK->setDefault(true);
    cmdCancel = namedButton(this, QStringLiteral("cmdCancel"), QStringLiteral("Cancel"));
    cmdHelp = namedButton(this, QStringLiteral("cmdHelp"), QStringLiteral("&Help"));
    connect(cmdOK, &QPushButton::clicked, this, &frmChangePWD::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmChangePWD::cmdCancel_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmChangePWD::cmdHelp_Click);

    auto* grid = new QGridLayout;
    grid->addWidget(picIcon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(lblLabels, 0, 1);
    grid->addWidget(txtPassword, 0, 2);
    grid->addWidget(lblLabelRetype, 1, 1);
    grid->addWidget(txtPasswordRetype, 1, 2);
    grid->setRowStretch(2, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdHelp);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(buttons);
    setTabOrder(txtPassword, txtPasswordRetype);
    setTabOrder(txtPasswordRetype, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    setTabOrder(cmdCancel, cmdHelp);
}

void frmChangePWD::Init()
{
    txtPassword->clear();
    txtPasswordRetype->clear();
    OKPressed = false;
}

void frmChangePWD::EnterMode(const QString& prompt)
{
    m_newMode = false;
    Init();
    txtPasswordRetype->hide();
    lblLabelRetype->hide();
    setWindowTitle(prompt);
}

void frmChangePWD::NewMode(const QString& prompt)
{
    m_newMode = true;
    Init();
    NewPassword.clear();
    txtPasswordRetype->show();
    lblLabelRetype->show();
    setWindowTitle(prompt);
}

QString frmChangePWD::newPasswordFault() const
{
    const QString typed = txtPassword->text();
    if (typed != txtPasswordRetype->text())
        return QStringLiteral("The password you entered in the two entry boxes do not match. "
                              "Please enter identical passwords in both entry boxes.");
    if (typed.size() > kMaxLength || typed.size() < kMinLength)
        return QStringLiteral("Password must be at least %1 characters long or at most %2 characters long.")
            .arg(kMinLength)
            .arg(kMaxLength);
    if (typed.contains(QLatin1Char(' ')) || typed != typed.trimmed())
        return QStringLiteral("Password cannot contain spaces!");
    return QString();
}

void frmChangePWD::cmdOK_Click()
{
    if (m_newMode) {
        const QString fault = newPasswordFault();
        if (!fault.isEmpty()) {
            Sys().ShowMsg(fault, 2, -1);
            return;
        }
        OKPressed = true;
        NewPassword = txtPassword->text();
        accept();
        return;
    }
    if (txtPassword->text().toLower() != CurrentPassword.toLower()) {
        MsgBox(QStringLiteral("Incorrect Password, try again!"), MsgStyle::OkOnly, QStringLiteral("Password"));
        SysUI().CtlSetFocus(txtPassword);
        txtPassword->selectAll();
        return;
    }
    OKPressed = true;
    accept();
}

void frmChangePWD::cmdCancel_Click()
{
    OKPressed = false;
    reject();
}

void frmChangePWD::cmdHelp_Click()
{
    Sys().ShowMsg(m_newMode ? QStringLiteral("Enter your new password twice.")
                            : QStringLiteral("You will first enter your current password and then your new password."),
                  1, -1);
}
