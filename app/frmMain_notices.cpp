#include "app/frmMain.h"

#include "app/WindowInterfaces.h"
#include "common/ui/clsSystemUI.h"
#include "common/ui/frmCalendar.h"

#include <QDialog>

#include <memory>

// Notices from saving windows to the windows that list their rows, and the
// modal pickers of a date and of an issue template.

void frmMain::NotifyCustomer(qint32 CustID, int What, qint32 RowID)
{
    QWidget* window = nullptr;
    if (!SysUI().GetFormWithTag(QStringLiteral("C%1").arg(CustID), window))
        return;
    auto* customer = dynamic_cast<NotifyCustomerTarget*>(window);
    if (!customer)
        return;
    if (What == 1)
        customer->LV_LoadIssues(RowID);
    else if (What == 2)
        customer->LV_LoadPS(RowID);
}

void frmMain::NotifyReportList(qint32 RptID)
{
    QWidget* window = nullptr;
    if (!SysUI().GetFormWithTag(QStringLiteral("REPORTS"), window))
        return;
    if (auto* reports = dynamic_cast<NotifyReportListTarget*>(window))
        reports->LoadData(RptID);
}

QString frmMain::GetShortDateFromPopupCalendar(const QString& initialDate)
{
    frmCalendar calendar(this);
    calendar.Init(initialDate, QStringLiteral("OK"));
    calendar.exec();
    return calendar.m_bOK ? calendar.m_sDate : QString();
}

bool frmMain::GetIssueTemplateID(qint32& TemplateID)
{
    const std::unique_ptr<QDialog> dialog = runDialog(WindowCreators::Kind::SelectIssueTemplate);
    const auto* picker = dynamic_cast<SelectIssueTemplateDialog*>(dialog.get());
    if (!picker || !picker->OKPressed())
        return false;
    TemplateID = picker->TemplateID();
    return true;
}
