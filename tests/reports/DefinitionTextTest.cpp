#include "DataFixture.h"

#include "reports/clsRepDefParser.h"

namespace bmtest {
namespace {

struct Criterion {
    int colId;
    QString oper;
    QString value;
    bool operator==(const Criterion&) const = default;
};

void PrintTo(const Criterion& c, std::ostream* os)
{
    *os << "{" << c.colId << " " << c.oper.toStdString() << " " << c.value.toStdString() << "}";
}

QList<int> columnIds(const clsRepDefParser& def)
{
    QList<int> ids;
    for (const clsRepDispCol& col : def.DispCols)
        ids.append(col.ColID);
    return ids;
}

QList<Criterion> criteria(const clsRepDefParser& def)
{
    QList<Criterion> list;
    for (const clsRepFilter& f : def.Filters)
        list.append({f.ColId, f.Oper, f.Value});
    return list;
}

const QChar kThorn(254);

class DefinitionTextTest : public DataTest {
protected:
    int errorBoxes(const char* label) const
    {
        int count = 0;
        for (const QString& text : shownTexts())
            count += text.contains(QLatin1String(label)) ? 1 : 0;
        return count;
    }
};

TEST_F(DefinitionTextTest, ReadingTakesWhatTheTextHoldsAndSkipsTheRest)
{
    struct Case {
        const char* what;
        QString text;
        QList<int> columns;
        QList<Criterion> filters;
        bool group, landscape, rowNum;
    };
    const QString thornFilters = QStringLiteral("51") + kThorn + QStringLiteral("52\n=") + kThorn
        + QStringLiteral("#\n1") + kThorn + QStringLiteral("2");
    const Case cases[] = {
        {"empty", QString(), {}, {}, false, true, false},
        {"six lines", QStringLiteral("1\n3\n20\n=\n1004\n1"), {}, {}, false, true, false},
        {"eight lines", QStringLiteral("1\n3~5\n\n\n\n1\n0\n1"), {3, 5}, {}, true, false, true},
        {"a word among the columns", QStringLiteral("0\n7~x~9\n\n\n\n0\n1"), {7, 9}, {}, false, true, false},
        {"an empty column item", QStringLiteral("0\n7~~9\n\n\n\n0\n1"), {7, 9}, {}, false, true, false},
        {"criteria lines of unequal counts", QStringLiteral("0\n3\n1~2\n=~#\n5\n0\n1"), {3}, {}, false, true, false},
        {"a criterion whose column is no number", QStringLiteral("0\n3\n51~x~52\n=~=~#\n1~2~3\n0\n1"), {3},
         {{51, QStringLiteral("="), QStringLiteral("1")}, {52, QStringLiteral("#"), QStringLiteral("3")}},
         false, true, false},
        {"character 254 anywhere", QStringLiteral("0\n3~5\n") + thornFilters + QStringLiteral("\n0\n1"), {},
         {{51, QStringLiteral("="), QStringLiteral("1")}, {52, QStringLiteral("#"), QStringLiteral("2")}},
         false, true, false},
        {"flags with blanks", QStringLiteral(" 1 \n\n\n\n\n 1 \n 1 "), {}, {}, true, true, true},
        {"flags true", QStringLiteral("true\n\n\n\n\ntrue\ntrue"), {}, {}, false, false, false},
        {"flags yes", QStringLiteral("yes\n\n\n\n\nyes\nyes"), {}, {}, false, false, false},
        {"flags -1", QStringLiteral("-1\n\n\n\n\n-1\n-1"), {}, {}, false, false, false},
        {"flags 0", QStringLiteral("0\n\n\n\n\n0\n0"), {}, {}, false, false, false},
        {"flags empty", QStringLiteral("\n\n\n\n\n\n"), {}, {}, false, false, false},
        {"numbers that are and are not identifiers",
         QStringLiteral("0\n2.5~3.5~+7~1e3~99999999999~-2147483649~ 12 ~1,5\n\n\n\n0\n1"), {2, 4, 7, 12}, {},
         false, true, false},
    };
    for (const Case& c : cases) {
        clsRepDefParser def;
        def.InitFromRptDef(c.text);
        EXPECT_EQ(columnIds(def), c.columns) << c.what;
        EXPECT_EQ(criteria(def), c.filters) << c.what;
        EXPECT_EQ(def.GroupByFirstCol, c.group) << c.what;
        EXPECT_EQ(def.Landscape, c.landscape) << c.what;
        EXPECT_EQ(def.ShowRowNum, c.rowNum) << c.what;
    }
    EXPECT_EQ(errorBoxes("clsRepDispCol_Init"), 0);
}

TEST_F(DefinitionTextTest, ReadingAgainReplacesTheWholeContent)
{
    clsRepDefParser def;
    def.InitFromRptDef(QStringLiteral("1\n3~5\n51\n=\n1\n1\n0"));
    def.InitFromRptDef(QStringLiteral("0\n7"));
    EXPECT_EQ(columnIds(def), QList<int>{});
    EXPECT_TRUE(def.Filters.isEmpty());
    EXPECT_FALSE(def.GroupByFirstCol);
    EXPECT_TRUE(def.Landscape);
    EXPECT_FALSE(def.ShowRowNum);
}

TEST_F(DefinitionTextTest, FilterDisplayTextGivesBackOperatorAndValue)
{
    struct Case {
        QString text;
        const char* oper;
        const char* value;
    };
    const Case cases[] = {
        {QStringLiteral("Status # 'Closed' [405]"), "#", "405"},
        {QStringLiteral("Category = 'Gold [VIP]' [1004]"), "=", "1004"},
        {QStringLiteral("Status = 'Closed' [405"), "=", "405"},
        {QStringLiteral("Status = 'Closed'"), "=", ""},
        // The operator is read from the text, so a name can hide or fake it.
        {QStringLiteral("Size # = 'Big' [7]"), "#", "7"},
        {QStringLiteral("Kund's # 'Big' [7]"), "=", "7"},
    };
    for (const Case& c : cases) {
        clsRepFilter f;
        f.Init_ParseFilterExpr(52, c.text);
        EXPECT_EQ(f.ColId, 52);
        EXPECT_EQ(f.Oper, QLatin1String(c.oper)) << c.text.toStdString();
        EXPECT_EQ(f.Value, QLatin1String(c.value)) << c.text.toStdString();
        EXPECT_EQ(f.Col.name, QStringLiteral("State"));
    }
    EXPECT_EQ(FilterDisplayText(QStringLiteral("Status"), QStringLiteral("#"), QStringLiteral("Closed"), 405),
              QStringLiteral("Status # 'Closed' [405]"));
}

TEST_F(DefinitionTextTest, ColumnsAndCriteriaCarryTheirCatalogueEntries)
{
    ASSERT_TRUE(m_db.SetParamValue(QStringLiteral("BCCCUST.DBF_CUSTCAT"), QStringLiteral("Segment:")));
    clsRepDefParser def;
    def.InitFromRptDef(QStringLiteral("0\n5~8\n51\n=\n1004\n0\n1"));
    ASSERT_EQ(def.DispCols.size(), 2);
    EXPECT_EQ(def.DispCols[0].name, QStringLiteral("Last Name"));
    EXPECT_EQ(def.DispCols[1].name, QStringLiteral("Segment"));
    EXPECT_EQ(def.DispCols[1].datatype, QStringLiteral("L"));
    ASSERT_EQ(def.Filters.size(), 1);
    EXPECT_EQ(def.Filters[0].Col.fldname, QStringLiteral("custcat"));
    EXPECT_EQ(def.Filters[0].Col.tblname, QStringLiteral("bcccust.dbf"));
}

TEST_F(DefinitionTextTest, AnIdentifierTheCatalogueLacksIsReportedOnceAndKept)
{
    clsRepDefParser def;
    const QString text = QStringLiteral("0\n3~4711~5\n\n\n\n0\n1");
    def.InitFromRptDef(text);
    EXPECT_EQ(columnIds(def), (QList<int>{3, 4711, 5}));
    EXPECT_EQ(def.DispCols[1].name, QString());
    EXPECT_EQ(errorBoxes("clsRepDispCol_Init"), 1);
    EXPECT_EQ(def.GetRptDefBuffer(), text);
}

TEST_F(DefinitionTextTest, WritingGivesBackTheStoredText)
{
    const QString example = QStringLiteral("0\n3~5~12\n20\n#\n1004\n1\n0");
    clsRepDefParser def;
    def.InitFromRptDef(example);
    const QString written = def.GetRptDefBuffer();
    EXPECT_EQ(written.toUtf8(), example.toUtf8());
    clsRepDefParser again;
    again.InitFromRptDef(written);
    EXPECT_EQ(again.GetRptDefBuffer(), written);

    // Blanks around items and skipped items do not come back.
    def.InitFromRptDef(QStringLiteral(" 1 \n 3 ~x~ 5\n51 ~ 52\n= ~ #\n 7 ~ 8\n1\n1"));
    EXPECT_EQ(def.GetRptDefBuffer(), QStringLiteral("1\n3~5\n51~52\n=~#\n7~8\n1\n1"));

    // No criteria: lines 3 to 5 empty.
    clsRepDefParser built;
    built.Init(true, false, true);
    built.AddDisplayColumn(12);
    built.AddDisplayColumn(3);
    EXPECT_EQ(built.GetRptDefBuffer(), QStringLiteral("1\n12~3\n\n\n\n1\n0"));
    built.AddFilter(52, QStringLiteral("State # 'Ohio' [1001]"));
    built.AddFilter(53, QStringLiteral("="), QStringLiteral("1002"));
    EXPECT_EQ(built.GetRptDefBuffer(), QStringLiteral("1\n12~3\n52~53\n#~=\n1001~1002\n1\n0"));
    clsRepDefParser fresh;
    EXPECT_EQ(fresh.GetRptDefBuffer(), QStringLiteral("0\n\n\n\n\n0\n1"));
}

TEST_F(DefinitionTextTest, ATextWithCharacter254KeepsItsSeparator)
{
    const QString text = QStringLiteral("0\n3") + kThorn + QStringLiteral("5\n52\n#\n1001\n0\n1");
    clsRepDefParser def;
    def.InitFromRptDef(text);
    EXPECT_EQ(columnIds(def), (QList<int>{3, 5}));
    EXPECT_EQ(def.GetRptDefBuffer(), text);
    def.Init(false, true, false);
    def.AddDisplayColumn(3);
    def.AddDisplayColumn(5);
    EXPECT_EQ(def.GetRptDefBuffer(), QStringLiteral("0\n3~5\n\n\n\n0\n1"));
}

} // namespace
} // namespace bmtest
