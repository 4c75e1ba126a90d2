#include "BoxWidths.h"
#include "IssueFixture.h"

#include "common/ui/clsSystemUI.h"
#include "issues/frmEditIssueTemplates.h"
#include "issues/frmIssueAction.h"
#include "issues/frmIssueTemplate.h"

#include <QLineEdit>
#include <QTreeWidget>

// What the text boxes of the issue windows and dialogs take.

namespace {

using FieldWidthTest = IssueFixture;

using Widths = std::map<std::string, int>;

// The widths of the fields in the shipped table templates; dates are typed
// in the short date format and the duration as a number.
TEST_F(FieldWidthTest, EveryBoxOfTheIssueWindowsAndDialogsTakesItsFieldsWidth)
{
    frmIssue* issue = openIssue(-1, m_cust, true);
    ASSERT_NE(issue, nullptr);
    EXPECT_EQ(bmtest::typingBoxWidths(issue),
              (Widths{{"txtShortDesc", 80}, {"txtCust1", 60}, {"txtCust2", 60}, {"txtDateSubmit", 18},
                      {"txtDateResponse", 18}, {"txtDateResolution", 18}}));

    const qint32 templateId = addNamedTemplate(QStringLiteral("Gold plan"));
    m_main.ShowIssueTemplate(templateId, true);
    QWidget* found = nullptr;
    SysUI().GetFormWithTag(QStringLiteral("T%1").arg(templateId), found);
    ASSERT_NE(dynamic_cast<frmIssueTemplate*>(found), nullptr);
    EXPECT_EQ(bmtest::typingBoxWidths(found), (Widths{{"txtShortDesc", 80}, {"txtCust1", 60}, {"txtCust2", 60}}));

    frmIssueAction action;
    action.Init(-1, addStoredIssue(QStringLiteral("Noisy fan")), frmIssueAction::AddMode);
    EXPECT_EQ(bmtest::typingBoxWidths(&action), (Widths{{"txtDate", 18}, {"txtDuration", 20}}));

    // A template's name is renamed in place, in a box of the name's width.
    frmEditIssueTemplates names;
    names.show();
    ASSERT_EQ(names.lv->topLevelItemCount(), 1);
    names.lv->setCurrentItem(names.lv->topLevelItem(0));
    names.lv->editItem(names.lv->topLevelItem(0), 0);
    auto* rename = qobject_cast<QLineEdit*>(names.lv->indexWidget(names.lv->currentIndex()));
    ASSERT_NE(rename, nullptr);
    EXPECT_EQ(rename->maxLength(), 120);
}

} // namespace
