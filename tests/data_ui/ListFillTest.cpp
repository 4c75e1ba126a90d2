#include "DataUiFixture.h"

#include "common/ui/clsSystemUI.h"
#include "data/CategoryTypes.h"
#include "data/ui/clsDBUI.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QListWidget>
#include <QTreeWidget>

namespace bmtest {
namespace {

class ListFillTest : public DataUiTest {
protected:
    void loadPriorities(QComboBox* cbo, bool clear, bool blank, qint32 select)
    {
        DBUI().LoadCbo(cbo, m_db.CategoryTable(), QStringLiteral("rowid"), QStringLiteral("desc"), QStringLiteral("type"),
                       CatType::IssuePriority, clear, blank, select);
    }
    void loadStatuses(QTreeWidget* lv, bool clear)
    {
        DBUI().LoadLV(lv, m_db.CategoryTable(), QStringLiteral("rowid"), QStringLiteral("desc"), CatType::IssueStatus,
                      clear);
    }
    static QStringList texts(const QComboBox& cbo)
    {
        QStringList list;
        for (int i = 0; i < cbo.count(); ++i)
            list.append(cbo.itemText(i));
        return list;
    }
};

TEST_F(ListFillTest, ComboGetsTheBlankEntryFirstThenTheItemsInTextOrder)
{
    QComboBox cbo;
    QAbstractItemModelTester tester(cbo.model());
    loadPriorities(&cbo, true, true, 451);
    EXPECT_EQ(texts(cbo), (QStringList{QString(), QStringLiteral("High"), QStringLiteral("Low"), QStringLiteral("Normal"),
                                       QStringLiteral("Urgent")}));
    EXPECT_EQ(cbo.itemData(0).toInt(), -1);
    EXPECT_EQ(cbo.itemData(1).toInt(), 452);
    EXPECT_EQ(cbo.currentData().toInt(), 451);

    cbo.setCurrentIndex(2);
    loadPriorities(&cbo, true, false, 999);   // not in the list
    EXPECT_EQ(cbo.count(), 4);
    loadPriorities(&cbo, false, false, 0);    // appended
    EXPECT_EQ(cbo.count(), 8);
}

TEST_F(ListFillTest, TableThatCannotBeOpenedLeavesTheControlsAlone)
{
    QComboBox cbo;
    cbo.addItem(QStringLiteral("kept"), 7);
    DBUI().LoadCbo(&cbo, m_folder.file(QStringLiteral("none.dbf")), QStringLiteral("rowid"), QStringLiteral("desc"),
                   QStringLiteral("type"), 1, true, true, 0);
    EXPECT_EQ(texts(cbo), QStringList{QStringLiteral("kept")});

    QTreeWidget lv;
    SysUI().lvAddItem(&lv, QStringLiteral("N7"), {QStringLiteral("kept")});
    m_db.CloseDB();
    loadStatuses(&lv, true);
    EXPECT_EQ(lv.topLevelItemCount(), 1);
}

TEST_F(ListFillTest, ListViewKeepsTheSelectionAcrossARefill)
{
    QTreeWidget lv;
    loadStatuses(&lv, true);
    ASSERT_EQ(lv.topLevelItemCount(), 6);
    EXPECT_EQ(lv.topLevelItem(0)->text(0), QStringLiteral("Closed"));
    EXPECT_EQ(SysUI().lvItemKey(lv.topLevelItem(0)), QStringLiteral("N405"));
    ASSERT_TRUE(SysUI().LvSelectItem(&lv, QStringLiteral("N400")));
    loadStatuses(&lv, true);
    EXPECT_EQ(lv.topLevelItemCount(), 6);
    EXPECT_EQ(SysUI().LvGetSelectedItemText(&lv), QStringLiteral("Open"));
    loadStatuses(&lv, false);
    EXPECT_EQ(lv.topLevelItemCount(), 12);
    EXPECT_TRUE(lv.updatesEnabled());
}

TEST_F(ListFillTest, UsersComboShowsNamesWithLogins)
{
    const int ann = addUser(QStringLiteral("ann"), true, QStringLiteral("Ann"), QStringLiteral("Smith"));
    addUser(QStringLiteral("old"), false);
    QComboBox cbo;
    cbo.addItem(QStringLiteral("stale"));
    DBUI().LoadCbo_Users(&cbo, true, true);
    EXPECT_EQ(texts(cbo), (QStringList{QStringLiteral("Administrator (admin)"), QStringLiteral("Smith, Ann (ann)")}));
    EXPECT_EQ(cbo.itemData(1).toInt(), ann);
    DBUI().LoadCbo_Users(&cbo, false, true);
    EXPECT_EQ(cbo.count(), 3);
}

TEST_F(ListFillTest, ReportColumnPickerReplacesItsEntriesWithTheCataloguesColumns)
{
    ASSERT_TRUE(m_db.SetParamValue(QStringLiteral("BCCISSUES.DBF_ISSUECAT"), QStringLiteral("Area:")));
    QListWidget list;
    list.addItem(QStringLiteral("stale"));
    DBUI().LBLoadRptColumns(&list, QStringLiteral("I"), QStringLiteral("F"));
    ASSERT_EQ(list.count(), 4);
    const QStringList expected{QStringLiteral("Product/Service"), QStringLiteral("Status"), QStringLiteral("Priority"),
                               QStringLiteral("Area")};
    const QList<int> ids{151, 152, 153, 154};
    for (int i = 0; i < list.count(); ++i) {
        EXPECT_EQ(list.item(i)->text(), expected[i]);
        EXPECT_EQ(list.item(i)->data(Qt::UserRole).toInt(), ids[i]);
    }
    list.setCurrentRow(1);
    EXPECT_EQ(SysUI().lbGetItemID(&list), 152);

    DBUI().LBLoadRptColumns(&list, QStringLiteral("i"), QStringLiteral("F"));
    EXPECT_EQ(list.count(), 0);
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

} // namespace
} // namespace bmtest
