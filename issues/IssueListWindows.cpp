#include "issues/IssueListWindows.h"

#include "app/WindowCreators.h"
#include "issues/frmIssueList.h"
#include "issues/frmMyIssues.h"
#include "issues/frmPurgeIssues.h"
#include "issues/frmSearchIssues.h"

void registerIssueListWindows()
{
    using WindowCreators::Kind;
    WindowCreators::set(Kind::MyIssues, [](QWidget*) -> QWidget* { return new frmMyIssues; });
    WindowCreators::set(Kind::SearchIssues, [](QWidget* parent) -> QWidget* { return new frmSearchIssues(parent); });
    WindowCreators::set(Kind::IssueList, [](QWidget*) -> QWidget* { return new frmIssueList; });
    WindowCreators::set(Kind::PurgeIssues, [](QWidget*) -> QWidget* { return new frmPurgeIssues; });
}
