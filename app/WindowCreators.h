#pragma once

#include <QList>
#include <QObject>

#include <functional>

class QWidget;

// The windows that the main window opens but other parts of the program
// make. The program registers a creator for every kind before the main
// window opens anything (ProgramWindows.h); tests register their own. A
// creator makes a new window (a dialog with `parent` as its owner; an MDI
// child gets no parent and is added to the main window afterwards); what it
// makes implements the interface named beside its kind (WindowInterfaces.h).
namespace WindowCreators {
Q_NAMESPACE

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
Q_ENUM_NS(Kind)

using Creator = std::function<QWidget*(QWidget* parent)>;

// Registers (or, with an empty creator, removes) the creator of a kind.
void set(Kind kind, Creator creator);
bool has(Kind kind);
// A new window of the kind. A kind without a creator is a fault of the
// program, not of anything the user did: it fails an assertion, and in a
// build without assertions it is logged and the result is null.
QWidget* create(Kind kind, QWidget* parent);
// The kinds that have no creator, in the order declared.
QList<Kind> missing();
// Removes every creator.
void clear();

} // namespace WindowCreators
