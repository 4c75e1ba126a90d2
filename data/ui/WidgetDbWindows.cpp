#include "data/ui/WidgetDbWindows.h"

#include "common/ui/WindowRegistry.h"
#include "common/ui/clsSystemUI.h"
#include "data/ui/frmLogin.h"
#include "data/ui/frmUnderEditMsg.h"

WidgetDbWindows::~WidgetDbWindows()
{
    // Never leave the database object with a dangling installation.
    if (&DbWindows::current() == this)
        DbWindows::install(nullptr);
}

bool WidgetDbWindows::promptLogin(const QString& folder, const QString& login, const QString& password,
                                  LoginAnswer& answer)
{
    frmLogin dialog(WindowRegistry::current().mainForm());
    dialog.Init(folder, login, password);
    dialog.exec();
    if (!dialog.LoginOK)
        return false;
    answer = LoginAnswer{dialog.LoginName, dialog.UserID, dialog.Password, dialog.IsAdmin, dialog.Permissions};
    return true;
}

bool WidgetDbWindows::askEditAnyway(const QString& userName, const QString& computerName)
{
    frmUnderEditMsg dialog(WindowRegistry::current().mainForm());
    dialog.Init(userName, computerName);
    dialog.exec();
    return dialog.EditAnyway;
}

void WidgetDbWindows::unloadAllButMain()
{
    SysUI().UnloadAll(QStringLiteral("MAINFORM"));
}

void WidgetDbWindows::setCustomMenuLabels()
{
    if (m_menuLabels)
        m_menuLabels();
}
