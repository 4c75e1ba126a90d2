#include "app/MainWindow.h"

#include "app/frmMain.h"
#include "common/ui/WindowRegistry.h"

frmMain* mainWindow() { return qobject_cast<frmMain*>(WindowRegistry::current().mainForm()); }
