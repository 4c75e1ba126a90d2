#include "app/frmMain.h"

#include "app/NotAvailable.h"

// Commands whose windows come with the list management, e-mail and password
// parts of the program. Each stays on its menu and says so.

void frmMain::EditCustomerCategory() { notAvailableYet(QStringLiteral("List Management")); }
void frmMain::EditProductServiceCategory() { notAvailableYet(QStringLiteral("List Management")); }
void frmMain::EditContractTypesCategory() { notAvailableYet(QStringLiteral("List Management")); }
void frmMain::EditContractDurationsCategory() { notAvailableYet(QStringLiteral("List Management")); }
void frmMain::EditStateCategory() { notAvailableYet(QStringLiteral("List Management")); }
void frmMain::EditCountryCategory() { notAvailableYet(QStringLiteral("List Management")); }
void frmMain::EditIssueStatusCategory() { notAvailableYet(QStringLiteral("List Management")); }
void frmMain::EditIssueActionsCategory() { notAvailableYet(QStringLiteral("List Management")); }
void frmMain::EditIssuePriorityCategory() { notAvailableYet(QStringLiteral("List Management")); }
void frmMain::EditIssueCategory() { notAvailableYet(QStringLiteral("List Management")); }

void frmMain::EmailHandlerDlg() { notAvailableYet(QStringLiteral("Email Options")); }
void frmMain::ChangePassword() { notAvailableYet(QStringLiteral("Change Password")); }
