#include "reports/ui/ReportWindows.h"

#include "app/WindowCreators.h"
#include "reports/ui/frmReportDef.h"
#include "reports/ui/frmReportDisplay.h"
#include "reports/ui/frmReportList.h"

void registerReportWindows()
{
    WindowCreators::set(WindowCreators::Kind::ReportDef, [](QWidget*) -> QWidget* { return new frmReportDef; });
    WindowCreators::set(WindowCreators::Kind::ReportDisplay,
                        [](QWidget*) -> QWidget* { return new frmReportDisplay; });
    WindowCreators::set(WindowCreators::Kind::ReportList, [](QWidget*) -> QWidget* { return new frmReportList; });
}
