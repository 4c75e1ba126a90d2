#include "app/frmMain.h"

#include "app/NotAvailable.h"

// Commands whose windows come with the customer, issue, report, import and
// administration parts of the program. Each stays on its menu and says so.

void frmMain::LookupCustomer() { notAvailableYet(QStringLiteral("Lookup Customer")); }
void frmMain::NewCustomer() { notAvailableYet(QStringLiteral("New Customer")); }
void frmMain::SearchIssues() { notAvailableYet(QStringLiteral("Search Issues")); }
void frmMain::LookupByIssueNumber() { notAvailableYet(QStringLiteral("Lookup by Issue ID")); }
void frmMain::MyIssues() { notAvailableYet(QStringLiteral("My Issues")); }
void frmMain::Reports() { notAvailableYet(QStringLiteral("Reports")); }

void frmMain::UserManagement() { notAvailableYet(QStringLiteral("User Management")); }
void frmMain::ManageIssueTemplates() { notAvailableYet(QStringLiteral("Issue Templates")); }
void frmMain::ImportData() { notAvailableYet(QStringLiteral("The Import Data Wizard")); }
void frmMain::PurgeOldIssues() { notAvailableYet(QStringLiteral("The Purge Old Issues Wizard")); }
void frmMain::HelpCenter() { notAvailableYet(QStringLiteral("The Help Center")); }
