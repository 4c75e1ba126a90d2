#include "AppFixture.h"

#include "app/WindowCreators.h"
#include "app/frmMain.h"
#include "common/ui/clsSystemUI.h"
#include "data/RecColl.h"
#include "data/clsDB.h"
#include "reports/ui/ReportWindows.h"
#include "reports/ui/frmReportList.h"

#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace {

QStringList texts(std::initializer_list<const char*> list)
{
    QStringList result;
    for (const char* t : list)
        result.append(QString::fromUtf8(t));
    return result;
}

class ReportListTest : public AppFixture {
protected:
    ReportListTest()
    {
        registerReportWindows();
        openNewDatabase();
    }
    ~ReportListTest() override { WindowCreators::clear(); }

    qint32 addReport(const QString& title, const QString& type, const QString& def = QString(),
                     const QString& notes = QString())
    {
        RecColl coll(DB().ReportTable(), -1, QStringLiteral("_rptdef"));
        coll.add(QStringLiteral("title"), title);
        coll.add(QStringLiteral("type"), type);
        coll.add(QStringLiteral("def"), def);
        coll.add(QStringLiteral("notes"), notes);
        EXPECT_TRUE(DB().SaveRecord(coll, false));
        return coll.value(QStringLiteral("_rowid")).toInt();
    }

    frmReportList* openList()
    {
        m_main.Reports();
        const auto lists = m_main.findChildren<frmReportList*>();
        EXPECT_EQ(lists.size(), 1);
        return lists.isEmpty() ? nullptr : lists.first();
    }

    static QStringList column(QTreeWidget* lv, int c)
    {
        QStringList texts;
        for (int i = 0; i < lv->topLevelItemCount(); ++i)
            texts.append(lv->topLevelItem(i)->text(c));
        return texts;
    }

    frmMain m_main;
};

TEST_F(ReportListTest, EmptyTableShowsNoReportsAndDisablesRowCommands)
{
    frmReportList* list = openList();
    ASSERT_TRUE(list);
    EXPECT_EQ(list->lblCount->text(), QStringLiteral("0 Report(s)"));
    EXPECT_FALSE(list->cmdProperties->isEnabled());
    EXPECT_FALSE(list->cmdCopy->isEnabled());
    EXPECT_FALSE(list->cmdView->isEnabled());
    // A second Reports brings the same window forward.
    m_main.Reports();
    EXPECT_EQ(m_main.findChildren<frmReportList*>().size(), 1);
}

TEST_F(ReportListTest, RowsComeInTitleOrderWithTheirTypeText)
{
    addReport(QStringLiteral("zeta"), QStringLiteral("I"));
    addReport(QStringLiteral("  Alpha  "), QStringLiteral("C"));
    addReport(QStringLiteral("Middle"), QStringLiteral("X"));
    frmReportList* list = openList();
    ASSERT_TRUE(list);
    EXPECT_EQ(column(list->lv, 0), texts({"Alpha", "Middle", "zeta"}));
    EXPECT_EQ(column(list->lv, 1), texts({"Customers", "Unknown", "Issues"}));
    EXPECT_EQ(column(list->lv, 2), texts({"admin", "admin", "admin"}));
    EXPECT_EQ(list->lblCount->text(), QStringLiteral("3 Report(s)"));
    EXPECT_EQ(SysUI().LvGetSelectedItemText(list->lv), QStringLiteral("Alpha"));
    EXPECT_TRUE(list->cmdCopy->isEnabled());
    EXPECT_TRUE(list->windowTitle().startsWith(QStringLiteral("All Reports @")));
}

TEST_F(ReportListTest, CopyAsksWithNoAsDefaultAndSelectsTheCopy)
{
    const qint32 id = addReport(QStringLiteral("Monthly"), QStringLiteral("I"), QStringLiteral("0\n3~5\n\n\n\n1\n0"),
                                QStringLiteral("the notes"));
    frmReportList* list = openList();
    ASSERT_TRUE(list);

    m_prompts.button(MsgAnswer::No);
    list->cmdCopy_Click();
    EXPECT_EQ(list->lv->topLevelItemCount(), 1);
    const ShownPrompt asked = m_prompts.last();
    EXPECT_EQ(asked.text, QStringLiteral("Do you wish to make a copy of 'Monthly'?"));
    EXPECT_EQ(MsgStyle::buttons(asked.style), MsgStyle::YesNoCancel);
    EXPECT_EQ(MsgStyle::defaultButton(asked.style), 1);
    EXPECT_EQ(MsgStyle::icon(asked.style), MsgStyle::Question);

    m_prompts.button(MsgAnswer::Yes);
    list->cmdCopy_Click();
    EXPECT_EQ(column(list->lv, 0), texts({"Copy of Monthly", "Monthly"}));
    EXPECT_EQ(SysUI().LvGetSelectedItemText(list->lv), QStringLiteral("Copy of Monthly"));
    const qint32 copyId = SysUI().LvGetSelectedItemKey(list->lv).mid(1).toInt();
    ASSERT_NE(copyId, id);
    RecColl original(DB().ReportTable(), id, QStringLiteral("_rptdef"));
    RecColl copy(DB().ReportTable(), copyId, QStringLiteral("_rptdef"));
    ASSERT_TRUE(DB().ReadRecord(original, true));
    ASSERT_TRUE(DB().ReadRecord(copy, true));
    for (const char* field : {"type", "def", "notes"})
        EXPECT_EQ(copy.value(QLatin1String(field)), original.value(QLatin1String(field))) << field;
}

TEST_F(ReportListTest, NotifyReloadsTheOpenListAndSelectsTheReport)
{
    addReport(QStringLiteral("A"), QStringLiteral("C"));
    frmReportList* list = openList();
    ASSERT_TRUE(list);
    const qint32 added = addReport(QStringLiteral("B"), QStringLiteral("C"));
    m_main.NotifyReportList(added);
    EXPECT_EQ(list->lblCount->text(), QStringLiteral("2 Report(s)"));
    EXPECT_EQ(SysUI().LvGetSelectedItemKey(list->lv), QStringLiteral("N%1").arg(added));
}

} // namespace
