#include "app/frmMain.h"

#include "app/ModalWindows.h"
#include "app/frmChangePWD.h"
#include "common/PromptService.h"
#include "common/ui/HelpContext.h"
#include "data/clsDB.h"

// File, Change Password: the current password as typed at login (in any
// letter case), then the new one twice; stored for the logged-in user and
// remembered in lower case, as the store keeps it.
void frmMain::ChangePassword()
{
    frmChangePWD dialog(this);
    const QString login = DB().LoginName();
    dialog.EnterMode(QStringLiteral("*CURRENT* Password for '") + login + QLatin1Char('\''));
    dialog.CurrentPassword = DB().password();
    HelpContext::set(&dialog, 1030);
    ModalWindows::exec(dialog);
    if (!dialog.OKPressed)
        return;
    dialog.NewMode(QStringLiteral("*NEW* Password for '") + login + QLatin1Char('\''));
    ModalWindows::exec(dialog);
    if (!dialog.OKPressed)
        return;
    if (!DB().SetPassword(DB().LoginID(), dialog.NewPassword))
        return;
    DB().password(dialog.NewPassword.toLower());
    MsgBox(QStringLiteral("Your password has been changed!"), MsgStyle::Information);
}
