#include "common/ScriptedPrompts.h"
#include "common/ui/clsSystemUI.h"

#include <QComboBox>
#include <QHeaderView>
#include <QListWidget>
#include <QStandardItemModel>
#include <QTreeView>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

QStringList column(const QTreeWidget& lv, int c)
{
    QStringList texts;
    for (int i = 0; i < lv.topLevelItemCount(); ++i)
        texts.append(lv.topLevelItem(i)->text(c));
    return texts;
}

class ListViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_lv.setColumnCount(2);
        SysUI().lvAddItem(&m_lv, QStringLiteral("N1001"), {QStringLiteral("beta"), QStringLiteral("2")});
        SysUI().lvAddItem(&m_lv, QStringLiteral("N1002"), {QStringLiteral("Alpha"), QStringLiteral("3")});
        SysUI().lvAddItem(&m_lv, QStringLiteral("N1003"), {QStringLiteral("alpha"), QStringLiteral("1")});
    }
    QTreeWidget m_lv;
};

TEST_F(ListViewTest, SelectionByKeyAndByTextFindsTheFirstMatch)
{
    EXPECT_FALSE(SysUI().LvIsItemSelected(&m_lv));
    EXPECT_EQ(SysUI().LvGetSelectedItemKey(&m_lv), QString());
    EXPECT_TRUE(SysUI().LvSelectItemByText(&m_lv, QStringLiteral("ALPHA")));
    EXPECT_EQ(SysUI().LvGetSelectedItemKey(&m_lv), QStringLiteral("N1002"));
    EXPECT_TRUE(SysUI().LvSelectItem(&m_lv, QStringLiteral("N1003")));
    EXPECT_EQ(SysUI().LvGetSelectedItemText(&m_lv), QStringLiteral("alpha"));
    EXPECT_FALSE(SysUI().LvSelectItem(&m_lv, QStringLiteral("N100")));
    EXPECT_FALSE(SysUI().LvSelectItem(&m_lv, QString()));
    EXPECT_FALSE(SysUI().LvSelectItemByText(&m_lv, QString()));
    EXPECT_EQ(SysUI().LvGetSelectedItemKey(&m_lv), QStringLiteral("N1003"));
    EXPECT_TRUE(SysUI().LvSelectFirstItem(&m_lv));
    QTreeWidgetItem* item = nullptr;
    EXPECT_TRUE(SysUI().LvGetSelectedItem(&m_lv, item));
    EXPECT_EQ(clsSystemUI::lvItemKey(item), QStringLiteral("N1001"));
}

TEST_F(ListViewTest, LVSortFlipsTheOrderOnEveryClick)
{
    SysUI().LVSort(&m_lv, 1);
    EXPECT_EQ(column(m_lv, 1), (QStringList{QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("1")}));
    SysUI().LVSort(&m_lv, 1);
    EXPECT_EQ(column(m_lv, 1), (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
    SysUI().LVSort(&m_lv, 1);
    EXPECT_EQ(column(m_lv, 1), (QStringList{QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("1")}));
    SysUI().LVSort(&m_lv, 0); // another column flips too
    EXPECT_EQ(m_lv.header()->sortIndicatorOrder(), Qt::AscendingOrder);
    EXPECT_EQ(m_lv.header()->sortIndicatorSection(), 0);
    EXPECT_EQ(column(m_lv, 0).last(), QStringLiteral("beta"));
}

TEST_F(ListViewTest, HeaderClicksSortOnceInTheFlippedOrder)
{
    QObject::connect(m_lv.header(), &QHeaderView::sectionClicked, &m_lv,
                     [this](int section) { SysUI().LVSort(&m_lv, section); });
    m_lv.header()->setSectionsClickable(true);
    for (const Qt::SortOrder expected : {Qt::DescendingOrder, Qt::AscendingOrder, Qt::DescendingOrder}) {
        emit m_lv.header()->sectionClicked(1);
        EXPECT_EQ(m_lv.header()->sortIndicatorOrder(), expected);
    }
    EXPECT_EQ(column(m_lv, 1).first(), QStringLiteral("3"));
}

// The same members over a list whose rows live in a model.
TEST(ListViewOverModel, SelectsByKeyAndSortsThroughTheModel)
{
    QStandardItemModel model(0, 2);
    for (auto [key, name, number] : {std::tuple{"N1001", "beta", "2"}, {"N1002", "Alpha", "3"}, {"N1003", "gamma", "1"}}) {
        auto* first = new QStandardItem(QString::fromLatin1(name));
        first->setData(QString::fromLatin1(key), clsSystemUI::kKeyRole);
        model.appendRow({first, new QStandardItem(QString::fromLatin1(number))});
    }
    QTreeView lv;
    lv.setModel(&model);
    const auto names = [&model] {
        QStringList texts;
        for (int r = 0; r < model.rowCount(); ++r)
            texts.append(model.index(r, 0).data().toString());
        return texts;
    };

    EXPECT_FALSE(SysUI().LvIsItemSelected(&lv));
    EXPECT_EQ(SysUI().LvGetSelectedItemKey(&lv), QString());
    EXPECT_FALSE(SysUI().LvSelectItem(&lv, QString()));
    EXPECT_FALSE(SysUI().LvSelectItem(&lv, QStringLiteral("N100")));
    EXPECT_TRUE(SysUI().LvSelectFirstItem(&lv));
    EXPECT_EQ(SysUI().LvGetSelectedItemKey(&lv), QStringLiteral("N1001"));
    EXPECT_TRUE(SysUI().LvSelectItem(&lv, QStringLiteral("N1003")));
    EXPECT_EQ(SysUI().LvGetSelectedItemKey(&lv), QStringLiteral("N1003"));

    // Before any click the sort key changes nothing; the clicks flip the
    // order whatever the column, and the selection follows its row.
    SysUI().LvSetSortKey(&lv, 0, Qt::AscendingOrder);
    EXPECT_EQ(names(), (QStringList{QStringLiteral("beta"), QStringLiteral("Alpha"), QStringLiteral("gamma")}));
    SysUI().LVSort(&lv, 1);
    EXPECT_EQ(names(), (QStringList{QStringLiteral("Alpha"), QStringLiteral("beta"), QStringLiteral("gamma")}));
    SysUI().LVSort(&lv, 1);
    EXPECT_EQ(names(), (QStringList{QStringLiteral("gamma"), QStringLiteral("beta"), QStringLiteral("Alpha")}));
    EXPECT_EQ(SysUI().LvGetSelectedItemKey(&lv), QStringLiteral("N1003"));
    SysUI().LVSort(&lv, 0);
    EXPECT_EQ(lv.header()->sortIndicatorOrder(), Qt::DescendingOrder);
    // Once sorting is on, setting the key sorts at once; the next click
    // flips from there.
    SysUI().LvSetSortKey(&lv, 0, Qt::AscendingOrder);
    EXPECT_EQ(names(), (QStringList{QStringLiteral("Alpha"), QStringLiteral("beta"), QStringLiteral("gamma")}));
    SysUI().LVSort(&lv, 1);
    EXPECT_EQ(lv.header()->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(lv.header()->sortIndicatorSection(), 1);
}

TEST(ComboAndListBoxes, ItemDataCarriesTheRowIdentifier)
{
    QComboBox cbo;
    cbo.addItem(QStringLiteral("All"), -1);
    cbo.addItem(QStringLiteral("Open"), 400);
    cbo.addItem(QStringLiteral("Closed"), 405);
    cbo.setCurrentIndex(-1);
    EXPECT_EQ(SysUI().cboGetItemID(&cbo), -1);
    SysUI().cboSelectAtID(&cbo, 405);
    EXPECT_EQ(SysUI().cboGetItemID(&cbo), 405);
    SysUI().cboSelectAtID(&cbo, 999);
    EXPECT_EQ(cbo.currentText(), QStringLiteral("Closed"));

    QListWidget a, b;
    for (auto [text, id] : {std::pair{"x", 1}, {"y", 2}, {"z", 3}}) {
        auto* item = new QListWidgetItem(QString::fromLatin1(text), &b);
        item->setData(Qt::UserRole, id);
    }
    (new QListWidgetItem(QStringLiteral("y"), &a))->setData(Qt::UserRole, 2);
    EXPECT_EQ(SysUI().lbGetItemID(&b), -1);
    SysUI().LB2LBRemoveItems(&a, &b);
    ASSERT_EQ(b.count(), 2);
    SysUI().LBSwapItems(&b, 0, 2); // out of range: nothing
    EXPECT_EQ(b.item(0)->text(), QStringLiteral("x"));
    SysUI().LBSwapItems(&b, 0, 1);
    EXPECT_EQ(b.item(0)->text(), QStringLiteral("z"));
    EXPECT_EQ(SysUI().lbGetItemID(&b), 1);
    SysUI().lbSelectAtID(&b, 3);
    EXPECT_EQ(SysUI().lbGetItemID(&b), 3);
}

TEST(ComboAndListBoxes, RemovingWithNothingSelectedAsksForASelection)
{
    ScriptedPrompts prompts;
    QListWidget lb;
    lb.addItem(QStringLiteral("x"));
    SysUI().LBRemoveCurSelected(&lb);
    EXPECT_EQ(lb.count(), 1);
    EXPECT_EQ(prompts.last().text, QStringLiteral("Please select a listbox item first!"));
    EXPECT_EQ(prompts.last().style, 48);
    lb.setCurrentRow(0);
    SysUI().LBRemoveCurSelected(&lb);
    EXPECT_EQ(lb.count(), 0);
}

} // namespace
