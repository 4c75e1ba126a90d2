#include "LoginFixture.h"

#include "data/CategoryTypes.h"

namespace bmtest {
namespace {

class CategoriesTest : public LoginTest {
protected:
    void SetUp() override
    {
        LoginTest::SetUp();
        if (IsSkipped())
            return;
        m_cat = m_db.OpenTable(m_db.CategoryTable());
        ASSERT_NE(m_cat, nullptr);
    }
    void TearDown() override
    {
        if (m_cat)
            d4close(m_cat);
        LoginTest::TearDown();
    }
    qint32 add(const QString& text, qint32 type) { return m_db.AddCategory(text, type, m_cat); }

    DATA4* m_cat = nullptr;
};

const QString kRowid = QStringLiteral("rowid");
const QString kDesc = QStringLiteral("desc");
const QString kType = QStringLiteral("type");

TEST_F(CategoriesTest, ListRowsComeInTextOrderFilteredByType)
{
    const DbListRows statuses{{405, QStringLiteral("Closed")},   {401, QStringLiteral("In Progress")},
                              {402, QStringLiteral("On Hold")},  {400, QStringLiteral("Open")},
                              {404, QStringLiteral("Resolved")}, {403, QStringLiteral("Waiting for Customer")}};
    const auto typed = m_db.listRows(m_db.CategoryTable(), kRowid, kDesc, CatType::IssueStatus);
    ASSERT_TRUE(typed);
    EXPECT_EQ(*typed, statuses);
    for (qint32 every : {0, -1}) {
        const auto all = m_db.listRows(m_db.CategoryTable(), kRowid, kDesc, every);
        ASSERT_TRUE(all);
        EXPECT_EQ(all->size(), 10);
    }
    const auto combo = m_db.comboRows(m_db.CategoryTable(), kRowid, kDesc, kType, CatType::IssuePriority);
    ASSERT_TRUE(combo);
    const DbListRows priorities{{452, QStringLiteral("High")}, {450, QStringLiteral("Low")},
                                {451, QStringLiteral("Normal")}, {453, QStringLiteral("Urgent")}};
    EXPECT_EQ(*combo, priorities);
}

TEST_F(CategoriesTest, ListRowsNeedAnOpenDatabaseAndTable)
{
    EXPECT_FALSE(m_db.listRows(m_folder.file(QStringLiteral("none.dbf")), kRowid, kDesc, 0));
    EXPECT_EQ(m_prompts.shown().size(), 1);   // "Unable to open: "
    d4close(m_cat);
    m_cat = nullptr;
    m_db.CloseDB();
    EXPECT_FALSE(m_db.listRows(m_db.CategoryTable(), kRowid, kDesc, 0));
}

TEST_F(CategoriesTest, DescriptionsByIdentifier)
{
    EXPECT_EQ(m_db.GetCategoryDesc(451, m_cat), QStringLiteral("Normal"));
    EXPECT_EQ(m_db.GetCategoryDesc(451, nullptr), QStringLiteral("Normal"));
    EXPECT_EQ(m_db.GetCategoryDesc(0, m_cat), QString());
    EXPECT_EQ(m_db.GetCategoryDesc(999, nullptr), QString());
    // The caller's table is still open and usable.
    EXPECT_EQ(d4top(m_cat), 0);
}

TEST_F(CategoriesTest, CategoryExistsMatchesTheWholeTextOfItsType)
{
    const qint32 ohio = add(QStringLiteral("Ohio"), CatType::State);
    const qint32 ohioCountry = add(QStringLiteral("OHIO"), CatType::Country);
    add(QStringLiteral("Ohio Valley"), CatType::CustomerCategory);
    const qint32 wholesale = add(QStringLiteral("Großhandel"), CatType::CustomerCategory);
    const qint32 micron = add(QStringLiteral("µm-Teile"), CatType::ProductService);
    struct Case {
        QString text;
        qint32 type;
        qint32 expected;
    };
    const Case cases[] = {{QStringLiteral("ohio"), CatType::State, ohio},
                          {QStringLiteral("ohio"), CatType::Country, ohioCountry},
                          {QStringLiteral("ohio"), CatType::CustomerCategory, -1},   // only "Ohio Valley" there
                          {QStringLiteral("Oh"), CatType::State, -1},
                          {QStringLiteral("open"), CatType::IssueStatus, 400},
                          {QStringLiteral("Open"), CatType::IssuePriority, -1},
                          // Letters beyond ASCII, in any case the code page has.
                          {QStringLiteral("Großhandel"), CatType::CustomerCategory, wholesale},
                          {QStringLiteral("GROßHANDEL"), CatType::CustomerCategory, wholesale},
                          {QStringLiteral("µM-TEILE"), CatType::ProductService, micron}};
    for (const Case& c : cases) {
        EXPECT_EQ(m_db.CategoryExists(c.text, c.type, m_cat), c.expected) << c.text.toStdString() << " " << c.type;
        EXPECT_EQ(m_db.CategoryExists(c.text, c.type, nullptr), c.expected) << c.text.toStdString();
    }
}

TEST_F(CategoriesTest, AddCategoryNeedsATextAndAnOpenTable)
{
    EXPECT_EQ(add(QString(), CatType::State), -1);
    EXPECT_EQ(m_db.AddCategory(QStringLiteral("Utah"), CatType::State, nullptr), -1);
    const qint32 utah = add(QStringLiteral("Utah"), CatType::State);
    EXPECT_GE(utah, 1000);
    EXPECT_EQ(m_db.GetCategoryDesc(utah, nullptr), QStringLiteral("Utah"));
    EXPECT_EQ(m_db.CategoryExists(QStringLiteral("UTAH"), CatType::State, nullptr), utah);
}

TEST_F(CategoriesTest, AddCategoryWhoseAppendFailsGivesNoIdentifier)
{
    code4lockAttempts(m_db.CBEngine(), 3);
    const qint32 before = m_db.GetRecCountFast(m_db.CategoryTable(), kRowid);
    {
        LockHolder holder(m_db.CategoryTable(), 0);   // another user's append lock
        ASSERT_TRUE(holder.holding());
        EXPECT_EQ(add(QStringLiteral("Texas"), CatType::State), -1);
    }
    EXPECT_EQ(m_db.GetRecCountFast(m_db.CategoryTable(), kRowid), before);
    EXPECT_EQ(m_db.CategoryExists(QStringLiteral("TEXAS"), CatType::State, nullptr), -1);
}

TEST_F(CategoriesTest, NewCustomerCollectionHoldsEveryFieldBlankAndSaves)
{
    RecColl coll;
    ASSERT_TRUE(m_db.NewCustomerRecColl(coll));
    const QStringList keys = coll.keys();
    EXPECT_EQ(keys.mid(0, 4), (QStringList{QStringLiteral("_tablepath"), QStringLiteral("_tablename"),
                                           QStringLiteral("_rowid"), QStringLiteral("_rectype")}));
    EXPECT_EQ(keys.size(), 4 + 23);
    EXPECT_EQ(keys.mid(4, 2), (QStringList{QStringLiteral("custno"), QStringLiteral("firstname")}));
    EXPECT_EQ(keys.last(), QStringLiteral("contacts"));
    EXPECT_EQ(coll.value(QStringLiteral("state")), QVariant(0));
    EXPECT_EQ(coll.value(QStringLiteral("company")), QVariant(QString()));
    EXPECT_EQ(coll.text(QStringLiteral("_tablename")), QStringLiteral("bcccust.dbf"));
    coll.set(QStringLiteral("company"), QStringLiteral("Imported Ltd"));
    ASSERT_TRUE(m_db.SaveRecord(coll, false));
    EXPECT_EQ(m_db.GetCustomername(coll.value(QStringLiteral("_rowid")).toInt()), QStringLiteral("Imported Ltd"));
}

TEST_F(CategoriesTest, ItemTextIsWrittenUnderItsRowLockAndNothingElseIsShown)
{
    const qint32 id = add(QStringLiteral("Old"), CatType::CustomerCustom1);
    RunError error;
    EXPECT_EQ(m_db.UpdateItemText(m_cat, kRowid, kDesc, id, QStringLiteral("New"), error), clsDB::ItemWrite::Written);
    EXPECT_EQ(m_db.GetCategoryDesc(id, m_cat), QStringLiteral("New"));
    EXPECT_EQ(m_db.UpdateItemText(m_cat, kRowid, kDesc, 4711, QStringLiteral("Gone"), error), clsDB::ItemWrite::NotFound);

    // The row found last is the one another user holds.
    ASSERT_EQ(m_db.GetCategoryDesc(id, m_cat), QStringLiteral("New"));
    LockHolder other(m_db.CategoryTable(), d4recNo(m_cat));
    ASSERT_TRUE(other.holding());
    // The database's standing setting retries without end; the rename gives
    // up after the few attempts every write takes.
    EXPECT_EQ(m_db.UpdateItemText(m_cat, kRowid, kDesc, id, QStringLiteral("Newer"), error), clsDB::ItemWrite::Locked);
    EXPECT_EQ(m_db.GetCategoryDesc(id, m_cat), QStringLiteral("New"));
    EXPECT_FALSE(error.isError());
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

} // namespace
} // namespace bmtest
