#include "DataFixture.h"

#include "common/Clock.h"
#include "data/CategoryTypes.h"
#include "data/Schema.h"
#include "data/clsRepDispCol.h"

#include <QDir>
#include <QFile>

namespace bmtest {
namespace {

class ReportColumnsTest : public DataTest {
protected:
    void TearDown() override
    {
        if (!m_oldProgramDir.isNull())
            qputenv("BM_PROGRAM_DIR", m_oldProgramDir);
        DataTest::TearDown();
    }

    // Points the program folder at `folder` for the rest of the test.
    void useProgramFolder(const QString& folder)
    {
        if (m_oldProgramDir.isNull())
            m_oldProgramDir = qgetenv("BM_PROGRAM_DIR");
        qputenv("BM_PROGRAM_DIR", folder.toLocal8Bit());
    }

    struct Row {
        int rowid;
        const char* name;
        const char* rpttype;
        const char* purpose;
        int order;
        const char* customname;
    };
    // A catalogue of the test's own: the shipped files with every shipped
    // row deleted (tags leave deleted rows out) and `rows` appended.
    void useOwnCatalogue(std::initializer_list<Row> rows)
    {
        const QDir shipped(templatesDir());
        for (const char* ext : {".dbf", ".cdx"}) {
            const QString name = QStringLiteral("bccrepcols") + QLatin1String(ext);
            ASSERT_TRUE(QFile::copy(shipped.filePath(name), m_program.file(name)));
            QFile::setPermissions(m_program.file(name), QFile::ReadOwner | QFile::WriteOwner);
        }
        code4accessMode(m_db.CBEngine(), 1);
        DATA4* t = d4open(m_db.CBEngine(), m_program.fileStd(QStringLiteral("bccrepcols.dbf")).c_str());
        code4accessMode(m_db.CBEngine(), 0);
        ASSERT_NE(t, nullptr);
        for (int rc = d4top(t); rc == 0; rc = d4skip(t, 1))
            ASSERT_EQ(d4delete(t), 0);
        for (const Row& r : rows) {
            ASSERT_EQ(d4appendStartVB(t, 0), 0);
            ASSERT_EQ(d4blank(t), 0);
            f4assignLong(d4field(t, "rowid"), r.rowid);
            f4assignLong(d4field(t, "order"), r.order);
            f4assignLong(d4field(t, "cattype"), r.rowid + 100);
            const std::pair<const char*, const char*> texts[] = {
                {"name", r.name}, {"rpttype", r.rpttype}, {"purpose", r.purpose}, {"customname", r.customname},
                {"fldname", "custom1"}, {"tblname", "bcccust.dbf"}, {"datatype", "S"}};
            for (const auto& [field, text] : texts)
                f4assignNVB(d4field(t, field), text, int(strlen(text)));
            ASSERT_EQ(d4append(t), 0);
        }
        ASSERT_EQ(d4close(t), 0);
        useProgramFolder(m_program.path());
    }

    std::optional<DbListRows> picker(const char* type, const char* purpose)
    {
        return m_db.rptColumnRows(QLatin1String(type), QLatin1String(purpose));
    }

    TempFolder m_program;
    QByteArray m_oldProgramDir;
};

TEST_F(ReportColumnsTest, ShippedPickersListTheirColumnsInOrderWithCustomLabels)
{
    ASSERT_TRUE(m_db.SetParamValue(QStringLiteral("BCCCUST.DBF_CUSTNO"), QStringLiteral("Account No:")));
    ASSERT_TRUE(m_db.SetParamValue(QStringLiteral("BCCCUST.DBF_CUSTCAT"), QStringLiteral("Segment")));
    const auto filters = picker("C", "F");
    ASSERT_TRUE(filters);
    EXPECT_EQ(*filters, (DbListRows{{51, QStringLiteral("Segment")}, {52, QStringLiteral("State")},
                                    {53, QStringLiteral("Country")}, {54, QStringLiteral("Product/Service")}}));
    const auto display = picker("C", "D");
    ASSERT_TRUE(display);
    ASSERT_GE(display->size(), 3);
    EXPECT_EQ(display->at(0), (DbListRow{1, QStringLiteral("Customer ID")}));
    EXPECT_EQ(display->at(1), (DbListRow{2, QStringLiteral("Account No")}));
    EXPECT_EQ(display->at(2), (DbListRow{3, QStringLiteral("Salutation")}));
    for (const DbListRow& row : *display)
        EXPECT_LT(row.id, 50) << row.text.toStdString();

    // Type and purpose compare exactly.
    EXPECT_EQ(picker("c", "D"), DbListRows{});
    EXPECT_EQ(picker("C", "d"), DbListRows{});
    EXPECT_TRUE(shownTexts().isEmpty());
}

TEST_F(ReportColumnsTest, ColumnFieldsNamesAndCategoryTypesOfTheShippedCatalogue)
{
    ASSERT_TRUE(m_db.SetParamValue(QStringLiteral("BCCCUST.DBF_CUSTNO"), QStringLiteral("Account No")));
    EXPECT_EQ(m_db.RptColumnName(2), QStringLiteral("Customer Number"));
    EXPECT_EQ(m_db.RptColumnName(110), QStringLiteral("Status"));
    EXPECT_EQ(m_db.RptColumnName(9999), QString());

    struct Case {
        int id;
        const char* field;
        int kind;
        const char* expected;
    };
    const Case cases[] = {
        {12, "name", 1, "State"},      {12, "fldname", 1, "state"}, {12, "tblname", 1, "bcccust.dbf"},
        {12, "order", 5, "120"},       {12, "cattype", 5, "3"},     {12, "name", 3, ""},
        {12, "order", 1, "120"},       {110, "cattype", 5, "101"},  {4711, "name", 1, ""},
        {4711, "order", 5, ""},
    };
    DATA4* catalogue = m_db.OpenTable(m_db.ReportColumnsTable());
    ASSERT_NE(catalogue, nullptr);
    for (const Case& c : cases) {
        for (DATA4* handle : {static_cast<DATA4*>(nullptr), catalogue})
            EXPECT_EQ(m_db.GetRptColField(c.id, QLatin1String(c.field), c.kind, handle), QLatin1String(c.expected))
                << c.id << ' ' << c.field << ' ' << c.kind;
    }
    d4close(catalogue);

    EXPECT_EQ(m_db.RptFilterGetCatType(52), 3);
    EXPECT_EQ(m_db.RptFilterGetCatType(152), 101);
    EXPECT_EQ(m_db.RptFilterGetCatType(4711), -1);
    EXPECT_TRUE(shownTexts().isEmpty());
}

TEST_F(ReportColumnsTest, InitFillsTheRowAndAnUnknownIdentifierGivesItsErrorBox)
{
    ASSERT_TRUE(m_db.SetParamValue(QStringLiteral("BCCISSUES.DBF_ISSUECAT"), QStringLiteral("Area:")));
    clsRepDispCol col;
    col.Init(111, nullptr);
    EXPECT_EQ(col.ColID, 111);
    EXPECT_EQ(col.rpttype, QStringLiteral("I"));
    EXPECT_EQ(col.purpose, QStringLiteral("D"));
    EXPECT_EQ(col.name, QStringLiteral("Area"));
    EXPECT_EQ(col.fldname, QStringLiteral("issuecat"));
    EXPECT_EQ(col.tblname, QStringLiteral("bccissues.dbf"));
    EXPECT_EQ(col.datatype, QStringLiteral("L"));
    EXPECT_EQ(col.customname, QStringLiteral("BCCISSUES.DBF_ISSUECAT"));
    EXPECT_EQ(col.order, 110);
    EXPECT_EQ(col.cattype, 105);
    EXPECT_TRUE(shownTexts().isEmpty());

    clsRepDispCol unknown;
    unknown.Init(4711, nullptr);
    ASSERT_EQ(m_prompts.shown().size(), 1);
    EXPECT_EQ(m_prompts.last().title, QStringLiteral("Error"));
    EXPECT_EQ(m_prompts.last().text,
              QStringLiteral("Error #  13 was generated by Brindlemark\rType mismatch\rclsRepDispCol_Init"));
    EXPECT_EQ(unknown.ColID, 4711);
    for (const QString* text : {&unknown.rpttype, &unknown.purpose, &unknown.name, &unknown.fldname,
                                &unknown.tblname, &unknown.datatype, &unknown.customname})
        EXPECT_TRUE(text->isEmpty());
    EXPECT_EQ(unknown.order, -1);
    EXPECT_EQ(unknown.cattype, -1);

    unknown.Reset();
    EXPECT_EQ(unknown.ColID, -1);
}

TEST_F(ReportColumnsTest, OwnCatalogueListsEqualOrdersByTagAndDropsOneTrailingColon)
{
    ASSERT_TRUE(m_db.SetParamValue(QStringLiteral("LABEL_B"), QStringLiteral("Bee label::")));
    ASSERT_TRUE(m_db.SetParamValue(QStringLiteral("LABEL_E"), QString()));
    // Identifier order differs from catalogue order, so a walk that lost its
    // place to the reads of each row would show it.
    useOwnCatalogue({{9, "Alpha:", "C", "D", 20, ""},
                     {3, "Beta", "C", "D", 10, "LABEL_B"},
                     {7, "Gamma", "C", "D", 20, ""},
                     {1, "Delta", "I", "D", 5, ""},
                     {5, "Epsilon:", "C", "D", 30, "LABEL_E"},
                     {4, "Zeta", "C", "F", 1, ""}});
    EXPECT_EQ(picker("C", "D"), (DbListRows{{3, QStringLiteral("Bee label")},
                                            {9, QStringLiteral("Alpha")},
                                            {7, QStringLiteral("Gamma")},
                                            {5, QStringLiteral("Epsilon")}}));
    EXPECT_EQ(picker("I", "D"), (DbListRows{{1, QStringLiteral("Delta")}}));
    EXPECT_EQ(picker("i", "D"), DbListRows{});
    EXPECT_EQ(m_db.RptColumnName(3), QStringLiteral("Beta"));
    EXPECT_EQ(m_db.RptColumnName(9), QStringLiteral("Alpha:"));
    EXPECT_EQ(m_db.RptFilterGetCatType(4), 104);

    clsRepDispCol col;
    col.Init(3, nullptr);
    EXPECT_EQ(col.name, QStringLiteral("Bee label:"));
    col.Init(5, nullptr);
    EXPECT_EQ(col.name, QStringLiteral("Epsilon:"));   // an empty label keeps the stored name
    EXPECT_TRUE(shownTexts().isEmpty());
}

TEST_F(ReportColumnsTest, InitOnAWalksHandleLeavesItsTagAndRecordAlone)
{
    useOwnCatalogue({{9, "Alpha", "C", "D", 20, ""}, {3, "Beta", "C", "D", 10, ""}, {7, "Gamma", "C", "D", 30, ""}});
    DATA4* t = m_db.OpenTable(m_db.ReportColumnsTable());
    ASSERT_NE(t, nullptr);
    TAG4* order = d4tag(t, "order");
    ASSERT_EQ(d4tagSelect(t, order), 0);
    ASSERT_EQ(d4top(t), 0);
    ASSERT_EQ(d4skip(t, 1), 0);
    const long recno = d4recNo(t);
    clsRepDispCol col;
    col.Init(3, t);
    EXPECT_EQ(col.name, QStringLiteral("Beta"));
    EXPECT_EQ(d4tagSelected(t), order);
    EXPECT_EQ(d4recNo(t), recno);
    ASSERT_EQ(d4skip(t, 1), 0);
    EXPECT_EQ(f4long(d4field(t, "rowid")), 7);
    d4close(t);
}

TEST_F(ReportColumnsTest, CatalogueThatCannotBeOpenedGivesEmptyResults)
{
    useProgramFolder(m_program.path());   // holds no catalogue
    EXPECT_EQ(picker("C", "D"), std::nullopt);
    EXPECT_EQ(m_db.RptFilterGetCatType(52), -1);
    EXPECT_EQ(m_db.RptColumnName(2), QString());
    clsRepDispCol col;
    col.Init(12, nullptr);
    EXPECT_EQ(col.ColID, 12);
    EXPECT_TRUE(col.name.isEmpty());
    EXPECT_EQ(col.order, -1);
    const QString expected = QStringLiteral("Unable to open: ") + m_program.file(QStringLiteral("bccrepcols.dbf")) +
                             QStringLiteral("\r\n\r\nThe file is missing.");
    EXPECT_EQ(shownTexts(), QStringList(4, expected));
}

TEST_F(ReportColumnsTest, CopyReportSavesANewDefinitionWithAFreshStamp)
{
    const int original = saveNew(m_db.ReportTable(), QStringLiteral("_rptdef"),
                                 {{QStringLiteral("title"), QStringLiteral("Open issues")},
                                  {QStringLiteral("type"), QStringLiteral("I")},
                                  {QStringLiteral("def"), QStringLiteral("101;110|152=400")},
                                  {QStringLiteral("notes"), QStringLiteral("line 1\r\nline 2")}});
    ASSERT_GT(original, 0);
    Clock::setFixed(QDateTime(QDate(2024, 4, 2), QTime(9, 0, 0)));
    const int copy = m_db.CopyReport(original);
    ASSERT_GT(copy, original);
    const RecColl read = DataTest::read(m_db.ReportTable(), copy, QStringLiteral("_rptdef"));
    EXPECT_EQ(read.text(QStringLiteral("title")), QStringLiteral("Copy of Open issues"));
    EXPECT_EQ(read.text(QStringLiteral("type")), QStringLiteral("I"));
    EXPECT_EQ(read.text(QStringLiteral("def")), QStringLiteral("101;110|152=400"));
    EXPECT_EQ(read.text(QStringLiteral("notes")), QStringLiteral("line 1\r\nline 2"));
    const RecColl stamp = DataTest::read(m_db.ReportTable(), copy, QStringLiteral("_lastedit"));
    EXPECT_EQ(stamp.text(QStringLiteral("lastmoddt")), QStringLiteral("20240402"));
    EXPECT_EQ(stamp.value(QStringLiteral("lastmodby")).toInt(), 1000);
    const RecColl old = DataTest::read(m_db.ReportTable(), original, QStringLiteral("_lastedit"));
    EXPECT_EQ(old.text(QStringLiteral("lastmoddt")), QStringLiteral("20240315"));
    EXPECT_TRUE(shownTexts().isEmpty());

    const qint32 rows = m_db.GetRecCountFast(m_db.ReportTable(), QStringLiteral("rowid"));
    EXPECT_EQ(m_db.CopyReport(4711), -1);
    EXPECT_EQ(m_db.GetRecCountFast(m_db.ReportTable(), QStringLiteral("rowid")), rows);
    EXPECT_EQ(shownTexts(),
              QStringList{QStringLiteral("Unable to read row_id 4711 from table ") + m_db.ReportTable()});
}

TEST_F(ReportColumnsTest, CustomerProductsAndServicesOverOpenTables)
{
    DATA4* cats = m_db.OpenTable(m_db.CategoryTable());
    ASSERT_NE(cats, nullptr);
    const int support = m_db.AddCategory(QStringLiteral("Support"), CatType::ProductService, cats);
    const int hosting = m_db.AddCategory(QStringLiteral("Hosting"), CatType::ProductService, cats);
    const int gone = m_db.AddCategory(QStringLiteral("Retired"), CatType::ProductService, cats);
    d4close(cats);
    const auto addPs = [this](int cust, int ps) {
        return saveNew(m_db.Customers2PSTable(), QStringLiteral("_ps"),
                       {{QStringLiteral("custid"), QString::number(cust)}, {QStringLiteral("psid"), QString::number(ps)}});
    };
    ASSERT_GT(addPs(2001, hosting), 0);
    ASSERT_GT(addPs(2002, support), 0);
    ASSERT_GT(addPs(2001, support), 0);
    ASSERT_GT(addPs(2003, support), 0);
    ASSERT_GT(addPs(2003, gone), 0);
    ASSERT_GT(addPs(2003, hosting), 0);
    ASSERT_TRUE(m_db.DeleteRecord(gone, m_db.CategoryTable()));

    DATA4* ps = m_db.OpenTable(m_db.Customers2PSTable());
    cats = m_db.OpenTable(m_db.CategoryTable());
    ASSERT_TRUE(ps && cats);
    EXPECT_EQ(m_db.CustomerPS(2001, ps, cats), QStringLiteral("Hosting;Support"));
    EXPECT_EQ(m_db.CustomerPS(2003, ps, cats), QStringLiteral("Support;;Hosting"));
    EXPECT_EQ(m_db.CustomerPS(2004, ps, cats), QString());
    EXPECT_EQ(m_db.CustomerPS(2001, nullptr, cats), QString());
    EXPECT_EQ(m_db.CustomerPS(2001, ps, nullptr), QString());

    EXPECT_TRUE(m_db.CustomerHasPS(2001, support, ps));
    EXPECT_TRUE(m_db.CustomerHasPS(2001, hosting, ps));
    EXPECT_FALSE(m_db.CustomerHasPS(2002, hosting, ps));
    EXPECT_FALSE(m_db.CustomerHasPS(2004, support, ps));
    EXPECT_FALSE(m_db.CustomerHasPS(2001, support, nullptr));
    d4close(ps);
    d4close(cats);
    EXPECT_TRUE(shownTexts().isEmpty());
}

} // namespace
} // namespace bmtest
