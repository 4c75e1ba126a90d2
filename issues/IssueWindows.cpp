#include "issues/IssueWindows.h"

#include "app/WindowCreators.h"
#include "issues/IssueListWindows.h"
#include "issues/frmIssue.h"
#include "issues/frmEditIssueTemplates.h"
#include "issues/frmIssueTemplate.h"
#include "issues/frmSelectIssueTemplate.h"

void registerIssueWindows()
{
    registerIssueListWindows();
    WindowCreators::set(WindowCreators::Kind::Issue, [](QWidget*) -> QWidget* { return new frmIssue; });
    WindowCreators::set(WindowCreators::Kind::IssueTemplate, [](QWidget*) -> QWidget* { return new frmIssueTemplate; });
    WindowCreators::set(WindowCreators::Kind::SelectIssueTemplate,
                        [](QWidget* parent) -> QWidget* { return new frmSelectIssueTemplate(parent); });
    WindowCreators::set(WindowCreators::Kind::EditIssueTemplates,
                        [](QWidget* parent) -> QWidget* { return new frmEditIssueTemplates(parent); });
}
