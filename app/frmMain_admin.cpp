#include "app/frmMain.h"

#include "app/ModalWindows.h"
#include "app/frmPreferences.h"
#include "data/clsDB.h"

// Database Admin, Customizations: the new display names show in the List
// Management entries at once, in record windows when they next open.
void frmMain::Customizations()
{
    if (!DB().Perm_DBAdmin())
        return;
    {
        frmPreferences preferences(this);
        ModalWindows::exec(preferences);
    }
    SetCustomMenuLabels();
}
