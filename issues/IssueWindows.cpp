#include "issues/IssueWindows.h"

#include "app/WindowCreators.h"
#include "issues/frmIssue.h"

void registerIssueWindows()
{
    WindowCreators::set(WindowCreators::Kind::Issue, [](QWidget*) -> QWidget* { return new frmIssue; });
}
