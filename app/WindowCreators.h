#pragma once

#include <QString>

#include <functional>

class QWidget;

// The windows that the main window opens but other parts of the program
// make. main() registers a creator for each that exists; a kind without one
// answers its command with "... is not available yet.". Tests register their
// own. A creator makes a new window (a dialog with `parent` as its owner; an
// MDI child gets no parent and is added to the main window afterwards); what
// it makes implements the interface named beside its kind (WindowInterfaces.h).
namespace WindowCreators {

enum class Kind {
    Customer,             // clsForm, tag "C"
    PS,                   // clsForm, PSWindow, tag "P"
    Issue,                // clsForm, IssueWindow, tag "I"
    IssueTemplate,        // clsForm, tag "T"
    ReportDef,            // clsForm, ReportDefWindow, tag "REPORTDEF"
    ReportDisplay,        // ReportDisplayWindow, tag "REPORTDISPLAY"
    ReportList,           // ReportListWindow, NotifyReportListTarget, tag "REPORTS"
    CustomerList,         // CustomerListWindow
    IssueList,            // IssueListWindow
    MyIssues,             // tag "MYISSUES"
    PurgeIssues,          // tag "PURGEISSUES"
    DataImport,           // tag "IMPORTDATA"
    LookupCustomer,       // QDialog, LookupCustomerDialog
    SearchIssues,         // QDialog, SearchIssuesDialog
    EditIssueTemplates,   // QDialog, EditIssueTemplatesDialog
    SelectIssueTemplate,  // QDialog, SelectIssueTemplateDialog
    Users,                // QDialog
};

using Creator = std::function<QWidget*(QWidget* parent)>;

// Registers (or, with an empty creator, removes) the creator of a kind.
void set(Kind kind, Creator creator);
bool has(Kind kind);
// A new window of the kind; null when none is registered.
QWidget* create(Kind kind, QWidget* parent);
// Removes every creator.
void clear();

} // namespace WindowCreators
