#pragma once

#include <QString>

// What the main window needs of the windows that other parts of the program
// make (customers, issues, reports, import, administration), each as a small
// interface that those windows implement. The main window makes them through
// WindowCreators and reaches these by a cast; it knows nothing else of them.
// Record windows implement clsForm besides; dialogs are QDialogs shown with
// exec(), and their results are read after it returns.

// --- Values set before Init, and Init ----------------------------------------

// Product/service window: its customer, set before Init.
class PSWindow {
public:
    virtual ~PSWindow() = default;
    virtual void SetCustID(qint32 CustID) = 0;
};

// Issue window: its customer (-1: read from the row) and the template that
// fills a new issue (-1: none), set in that order before Init.
class IssueWindow {
public:
    virtual ~IssueWindow() = default;
    virtual void SetCustID(qint32 CustID) = 0;
    virtual void SetTemplateID(qint32 TemplateID) = 0;
};

// Report definition window: the type of a new definition ("C" customers,
// "I" issues), set before Init.
class ReportDefWindow {
public:
    virtual ~ReportDefWindow() = default;
    virtual void SetRptType(const QString& RptType) = 0;
};

// Report output window: loads and runs the stored report.
class ReportDisplayWindow {
public:
    virtual ~ReportDisplayWindow() = default;
    virtual void Init(qint32 RptID) = 0;
};

// The report list ("REPORTS"): loads the list.
class ReportListWindow {
public:
    virtual ~ReportListWindow() = default;
    virtual void Init() = 0;
};

// Customer search result list.
class CustomerListWindow {
public:
    virtual ~CustomerListWindow() = default;
    virtual void Init(const QString& SearchStr, int SearchType) = 0;
};

// Issue search result list: the three searched fields, then Init.
class IssueListWindow {
public:
    virtual ~IssueListWindow() = default;
    virtual void SetSearchFields(bool shortDesc, bool description, bool resolution) = 0;
    virtual void Init(const QString& SearchText, int SearchType, qint32 PSID) = 0;
};

// --- Dialogs: results read after exec() ----------------------------------------

// Customer search: type 5 is a customer row identifier in SearchStr.
class LookupCustomerDialog {
public:
    virtual ~LookupCustomerDialog() = default;
    virtual bool OKPressed() const = 0;
    virtual QString SearchStr() const = 0;
    virtual int SearchType() const = 0;
};

// Issue search: text, type (1 any word, 2 all words), product/service (-1
// any) and the three searched fields.
class SearchIssuesDialog {
public:
    virtual ~SearchIssuesDialog() = default;
    virtual bool OKPressed() const = 0;
    virtual QString SearchText() const = 0;
    virtual int SearchType() const = 0;
    virtual qint32 PSID() const = 0;
    virtual bool SearchShortDesc() const = 0;
    virtual bool SearchDescription() const = 0;
    virtual bool SearchResolution() const = 0;
};

// Issue template manager: a template to open afterwards (above 0), else 0
// or below.
class EditIssueTemplatesDialog {
public:
    virtual ~EditIssueTemplatesDialog() = default;
    virtual qint32 TemplateID() const = 0;
};

// Template picker: the chosen template (-1 for "Blank Issue").
class SelectIssueTemplateDialog {
public:
    virtual ~SelectIssueTemplateDialog() = default;
    virtual bool OKPressed() const = 0;
    virtual qint32 TemplateID() const = 0;
};

// --- Change notices --------------------------------------------------------------

// A customer window: reloads its issue or product/service list and selects
// the row.
class NotifyCustomerTarget {
public:
    virtual ~NotifyCustomerTarget() = default;
    virtual void LV_LoadIssues(qint32 RowID) = 0;
    virtual void LV_LoadPS(qint32 RowID) = 0;
};

// The report list: reloads and selects the report.
class NotifyReportListTarget {
public:
    virtual ~NotifyReportListTarget() = default;
    virtual void LoadData(qint32 RptID) = 0;
};
