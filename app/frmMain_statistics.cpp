#include "app/frmMain.h"

#include "common/clsSystem.h"
#include "common/ui/clsSystemUI.h"
#include "common/ui/frmProgress.h"
#include "data/clsDB.h"

#include <array>

// Database Admin, Statistics: the engine's record count of five tables. The
// counts read the file headers and never walk rows, so deleted rows count
// too, as the closing sentence says.
void frmMain::mnuViewDatabaseAdminStatistics_Click()
{
    if (!DB().Perm_DBAdmin())
        return;
    const std::array<std::pair<QString, QString>, 5> tables{{
        {DB().CustomerTable(), QStringLiteral(" Customers")},
        {DB().IssuesTable(), QStringLiteral(" Issues")},
        {DB().ReportTable(), QStringLiteral(" Reports")},
        {DB().CategoryTable(), QStringLiteral(" Lookup List Items")},
        {DB().UserTable(), QStringLiteral(" Users")},
    }};
    frmProgress* wait = nullptr;
    SysUI().WaitDlgShow(wait, QStringLiteral("Database Statistics"), QStringLiteral("Counting records. Please wait..."),
                        false, true);
    QString result;
    for (size_t i = 0; i < tables.size(); ++i) {
        const qint32 count = DB().GetRecCountFast(tables[i].first, QStringLiteral("rowid"));
        result += QStringLiteral("   ") + Sys().CommafyNoDec(double(count)) + tables[i].second;
        if (i + 1 == tables.size())
            break;
        result += Sys().CRLF(2);
        // The wait window's Cancel is pressed between counts, while events run.
        if (!wait->report(-1))
            break;
    }
    const bool cancelled = wait->m_bCancel;
    SysUI().WaitDlgRemove(wait);
    if (cancelled)
        return;
    Sys().ShowMsg(QStringLiteral("DATABASE STATISTICS [") + DB().DBPath() + QLatin1Char(']') + Sys().CRLF(2) + result
                      + Sys().CRLF(2) + QStringLiteral("Please note this count may include deleted records as well."),
                  1, 1500);
}
