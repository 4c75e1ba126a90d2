#include "issues/IssueWindows.h"

#include "app/WindowCreators.h"
#include "issues/IssueListWindows.h"
#include "issues/frmIssue.h"

void registerIssueWindows()
{
    registerIssueListWindows();
    WindowCreators::set(WindowCreators::Kind::Issue, [](QWidget*) -> QWidget* { return new frmIssue; });
}
