#include "app/frmMain.h"

#include "app/WindowInterfaces.h"
#include "app/clsForm.h"
#include "app/frmWelcome.h"
#include "common/Product.h"
#include "common/PromptService.h"
#include "common/ui/ObjectTag.h"
#include "common/ui/clsSystemUI.h"
#include "data/Schema.h"
#include "data/clsDB.h"

#include <QDialog>

#include <memory>
#include <optional>

// Opening windows: record windows on a row, the single windows, and the
// lookups, searches and administration dialogs that lead to them.

using Kind = WindowCreators::Kind;

namespace {

// A typed row identifier: a whole number from 1 to 2147483647, blanks
// around it allowed. Anything else (a sign, a fraction, letters, zero, a
// number too large) is no identifier.
std::optional<qint32> rowIdentifier(const QString& typed)
{
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    if (!ok || value < 1 || value > 2147483647LL)
        return std::nullopt;
    return qint32(value);
}

// Shows the database object's message when the row is not there.
bool rowExists(const QString& path, Schema::Table table, qint32 id)
{
    return DB().CheckIfRecExists(path, Schema::dataFileName(table), id, false);
}

} // namespace

bool frmMain::bringForward(const QString& tag)
{
    if (!SysUI().IsFormLoaded(tag))
        return false;
    SysUI().BringFormToTop(tag);
    return true;
}

QWidget* frmMain::makeWindow(Kind kind, QWidget* parent) { return WindowCreators::create(kind, parent); }

std::unique_ptr<QDialog> frmMain::runDialog(Kind kind)
{
    std::unique_ptr<QWidget> window(makeWindow(kind, this));
    std::unique_ptr<QDialog> dialog(qobject_cast<QDialog*>(window.get()));
    if (!dialog)
        return nullptr;
    (void)window.release();
    dialog->exec();
    return dialog;
}

void frmMain::openRecordWindow(QWidget* window, qint32 rowId, bool editMode)
{
    if (auto* form = dynamic_cast<clsForm*>(window))
        form->Init(rowId, editMode);
    addMdiChild(window);
}

void frmMain::ShowCustomer(qint32 CustID, bool EditMode)
{
    if (bringForward(QStringLiteral("C%1").arg(CustID)))
        return;
    if (CustID >= 1 && !rowExists(DB().CustomerTable(), Schema::Table::Cust, CustID))
        return;
    if (QWidget* window = makeWindow(Kind::Customer))
        openRecordWindow(window, CustID, EditMode);
}

void frmMain::ShowPS(qint32 PSID, qint32 CustID, bool EditMode)
{
    if (CustID < 1)
        return;
    if (bringForward(QStringLiteral("P%1").arg(PSID)))
        return;
    if (PSID >= 1
        && (!rowExists(DB().CustomerTable(), Schema::Table::Cust, CustID)
            || !rowExists(DB().Customers2PSTable(), Schema::Table::CustPs, PSID)))
        return;
    QWidget* window = makeWindow(Kind::PS);
    if (!window)
        return;
    if (auto* ps = dynamic_cast<PSWindow*>(window))
        ps->SetCustID(CustID);
    openRecordWindow(window, PSID, EditMode);
}

void frmMain::ShowIssue(qint32 IssueID, qint32 CustID, bool EditMode, qint32 TemplateID)
{
    if (bringForward(QStringLiteral("I%1").arg(IssueID)))
        return;
    if (IssueID >= 1 && !rowExists(DB().IssuesTable(), Schema::Table::Issues, IssueID))
        return;
    QWidget* window = makeWindow(Kind::Issue);
    if (!window)
        return;
    if (auto* issue = dynamic_cast<IssueWindow*>(window)) {
        issue->SetCustID(CustID);
        issue->SetTemplateID(TemplateID);
    }
    openRecordWindow(window, IssueID, EditMode);
}

void frmMain::ShowIssueTemplate(qint32 TemplateID, bool EditMode)
{
    if (TemplateID < 1 || bringForward(QStringLiteral("T%1").arg(TemplateID)))
        return;
    if (!rowExists(DB().IssuesTemplatesTable(), Schema::Table::ITempl, TemplateID))
        return;
    if (QWidget* window = makeWindow(Kind::IssueTemplate))
        openRecordWindow(window, TemplateID, EditMode);
}

void frmMain::ShowReportDef(qint32 RptID, const QString& RptType, bool EditMode)
{
    if (bringForward(QStringLiteral("REPORTDEF%1").arg(RptID)))
        return;
    if (RptID >= 1 && !rowExists(DB().ReportTable(), Schema::Table::Rep, RptID))
        return;
    QWidget* window = makeWindow(Kind::ReportDef);
    if (!window)
        return;
    if (auto* def = dynamic_cast<ReportDefWindow*>(window); def && RptID < 1)
        def->SetRptType(RptType);
    openRecordWindow(window, RptID, EditMode);
}

void frmMain::ShowReport(qint32 RptID)
{
    if (RptID < 1 || bringForward(QStringLiteral("REPORTDISPLAY%1").arg(RptID)))
        return;
    if (!rowExists(DB().ReportTable(), Schema::Table::Rep, RptID))
        return;
    QWidget* window = makeWindow(Kind::ReportDisplay);
    if (!window)
        return;
    if (auto* report = dynamic_cast<ReportDisplayWindow*>(window))
        report->Init(RptID);
    addMdiChild(window);
}

void frmMain::NewCustomer()
{
    if (DB().Perm_Customers())
        ShowCustomer(-1, true);
}

void frmMain::LookupCustomer()
{
    std::unique_ptr<QDialog> dialog = runDialog(Kind::LookupCustomer);
    const auto* lookup = dynamic_cast<LookupCustomerDialog*>(dialog.get());
    if (!lookup || !lookup->OKPressed())
        return;
    const QString searchStr = lookup->SearchStr();
    const int searchType = lookup->SearchType();
    dialog.reset();
    if (searchType == 5) {
        ShowCustomer(searchStr.trimmed().toInt(), false);
        return;
    }
    QWidget* list = makeWindow(Kind::CustomerList);
    if (!list)
        return;
    if (auto* customers = dynamic_cast<CustomerListWindow*>(list))
        customers->Init(searchStr, searchType);
    addMdiChild(list);
}

void frmMain::SearchIssues()
{
    std::unique_ptr<QDialog> dialog = runDialog(Kind::SearchIssues);
    const auto* search = dynamic_cast<SearchIssuesDialog*>(dialog.get());
    if (!search || !search->OKPressed())
        return;
    QWidget* list = makeWindow(Kind::IssueList);
    if (!list)
        return;
    if (auto* issues = dynamic_cast<IssueListWindow*>(list)) {
        issues->SetSearchFields(search->SearchShortDesc(), search->SearchDescription(), search->SearchResolution());
        issues->Init(search->SearchText(), search->SearchType(), search->PSID());
    }
    dialog.reset();
    addMdiChild(list);
}

qint32 frmMain::promptRowIdentifier(const QString& what, int helpContext)
{
    for (;;) {
        const std::optional<QString> answer =
            Prompts().inputBox(QStringLiteral("Enter ") + what, Product::name(), QString(), helpContext);
        const QString typed = answer.value_or(QString()).trimmed();
        if (typed.isEmpty())
            return 0;
        if (const std::optional<qint32> id = rowIdentifier(typed))
            return *id;
        MsgBox(QStringLiteral("Please enter a numeric value for ") + what + QLatin1Char('!'), MsgStyle::Exclamation);
    }
}

void frmMain::LookupByIssueNumber()
{
    if (const qint32 id = promptRowIdentifier(QStringLiteral("Issue ID"), 1220))
        ShowIssue(id, -1, false, -1);
}

void frmMain::LookupByCustomerNumber()
{
    if (const qint32 id = promptRowIdentifier(QStringLiteral("Customer ID"), 1210))
        ShowCustomer(id, false);
}

void frmMain::openSingleWindow(Kind kind, const QString& tag)
{
    if (bringForward(tag))
        return;
    QWidget* window = makeWindow(kind);
    if (!window)
        return;
    setObjectTag(window, tag);
    if (auto* reports = dynamic_cast<ReportListWindow*>(window); reports && kind == Kind::ReportList)
        reports->Init();
    addMdiChild(window);
}

void frmMain::MyIssues() { openSingleWindow(Kind::MyIssues, QStringLiteral("MYISSUES")); }

void frmMain::Reports() { openSingleWindow(Kind::ReportList, QStringLiteral("REPORTS")); }

void frmMain::PurgeOldIssues()
{
    if (DB().Perm_DBAdmin())
        openSingleWindow(Kind::PurgeIssues, QStringLiteral("PURGEISSUES"));
}

void frmMain::ImportData()
{
    if (DB().Perm_DBAdmin())
        openSingleWindow(Kind::DataImport, QStringLiteral("IMPORTDATA"));
}

void frmMain::ManageIssueTemplates()
{
    if (!DB().Perm_DBAdmin())
        return;
    std::unique_ptr<QDialog> dialog = runDialog(Kind::EditIssueTemplates);
    const auto* templates = dynamic_cast<EditIssueTemplatesDialog*>(dialog.get());
    if (!templates)
        return;
    const qint32 id = templates->TemplateID();
    dialog.reset();
    if (id > 0)
        ShowIssueTemplate(id, true);
}

void frmMain::UserManagement()
{
    if (!DB().Perm_DBAdmin())
        return;
    (void)runDialog(Kind::Users);
}

void frmMain::HelpCenter()
{
    if (bringForward(QStringLiteral("MAIN_HELP")))
        return;
    auto* welcome = new frmWelcome(this);
    welcome->show();
}
