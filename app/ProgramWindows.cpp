#include "app/ProgramWindows.h"

#include "app/frmUsers.h"
#include "customers/CustomerWindows.h"
#include "import/ImportWindows.h"
#include "issues/IssueWindows.h"
#include "reports/ui/ReportWindows.h"

void registerProgramWindows()
{
    registerCustomerWindows();
    registerIssueWindows();
    registerImportWindows();
    registerReportWindows();
    registerUserWindows();
}
