#include "DataFixture.h"

#include "data/Schema.h"
#include "data/ShippedData.h"

#include <QSet>

namespace bmtest {
namespace {

const Schema::TagDef* findTag(const Schema::TableDef& def, const QString& name)
{
    for (const Schema::TagDef& tag : def.tags)
        if (name.compare(QLatin1String(tag.name), Qt::CaseInsensitive) == 0)
            return &tag;
    return nullptr;
}

TEST(SchemaTest, TableFilesCarryThePrefix)
{
    EXPECT_EQ(Schema::dataFileName(Schema::Table::CustPs), QStringLiteral("bcccust_ps.dbf"));
    EXPECT_EQ(Schema::templateName(QStringLiteral("bcccust.fpt")), QStringLiteral("bcccust.fp_"));
    EXPECT_EQ(Schema::reportColumnsFileName(), QStringLiteral("bccrepcols.dbf"));
    EXPECT_EQ(Schema::mailMergeFileName(), QStringLiteral("bccmm.db_"));
    int memos = 0;
    for (Schema::Table t : Schema::allTables())
        memos += Schema::table(t).hasMemo() ? 1 : 0;
    EXPECT_EQ(Schema::allTables().size() * 2 + memos, 28u);
}

TEST(SchemaTest, EveryTagLeavesOutDeletedRows)
{
    for (Schema::Table t : Schema::allTables())
        for (const Schema::TagDef& tag : Schema::table(t).tags)
            EXPECT_TRUE(QLatin1String(tag.forExpr).endsWith(QLatin1String(".NOT.DELETED()"))) << tag.name;
}

// Each record type names fields of its table that can hold its kind.
TEST(SchemaTest, RecordTypeFieldsExistWithFittingTypes)
{
    const std::pair<const char*, Schema::Table> types[] = {
        {"_customer", Schema::Table::Cust},       {"_newcustomer", Schema::Table::Cust},
        {"_ps", Schema::Table::CustPs},           {"_issue", Schema::Table::Issues},
        {"_issueaction", Schema::Table::IActions}, {"_issuetemplate", Schema::Table::ITempl},
        {"_userinfo", Schema::Table::User},       {"_setpwd", Schema::Table::User},
        {"_rptdef", Schema::Table::Rep},          {"_lastedit", Schema::Table::Rep},
        {"_lockinfo", Schema::Table::Rep}};
    for (const auto& [name, table] : types) {
        const Schema::RecordType* rt = Schema::recordType(QLatin1String(name));
        ASSERT_NE(rt, nullptr) << name;
        for (auto list : {rt->writes, rt->reads}) {
            for (const Schema::KindField& f : list) {
                const Schema::FieldDef* def = Schema::table(table).field(QLatin1String(f.name));
                ASSERT_NE(def, nullptr) << name << "." << f.name;
                const char expected = f.kind == Schema::fkMemo ? 'M'
                    : f.kind == Schema::fkDate                  ? 'D'
                    : f.kind == Schema::fkWhole || f.kind == Schema::fkDecimal ? 'N'
                                                                : 'C';
                EXPECT_EQ(def->type, expected) << name << "." << f.name;
            }
        }
    }
    EXPECT_EQ(Schema::table(Schema::Table::IActions).field(QStringLiteral("duration"))->decimals, 2);
    EXPECT_GE(Schema::table(Schema::Table::User).field(QStringLiteral("password"))->width, 40);
}

// A report filter seeks the tag named like its field, and a category column
// offers the list of its category type.
TEST(SchemaTest, CatalogueMatchesTheTables)
{
    QSet<int> ids;
    for (const ShippedData::ReportColumn& col : ShippedData::reportColumns()) {
        EXPECT_FALSE(ids.contains(col.rowid)) << col.rowid;
        ids.insert(col.rowid);
        const Schema::TableDef& def = Schema::table(col.table);
        const QString field = QLatin1String(col.fldname);
        const QString type = QLatin1String(col.datatype);
        if (type == QLatin1String("X") || type == QLatin1String("P")) {
            EXPECT_TRUE(field.isEmpty()) << col.rowid;
        } else {
            EXPECT_NE(def.field(field), nullptr) << col.rowid;
        }
        if (QLatin1String(col.purpose) == QLatin1String("F")) {
            EXPECT_TRUE(type == QLatin1String("L") || type == QLatin1String("P")) << col.rowid;
            EXPECT_GT(col.cattype, 0) << col.rowid;
            if (!field.isEmpty()) {
                EXPECT_NE(findTag(def, field), nullptr) << col.rowid;
            }
        }
        if (col.labelled) {
            EXPECT_TRUE(ShippedData::customname(col).startsWith(Schema::dataFileName(col.table).toUpper() + QLatin1Char('_')));
        }
    }
}

TEST(RecCollTest, KeysAreUniqueWithoutRegardToCase)
{
    RecColl coll(QStringLiteral("/d/bcccust.dbf"), -1, QStringLiteral("_customer"));
    EXPECT_EQ(coll.text(QStringLiteral("_tablename")), QStringLiteral("bcccust.dbf"));
    EXPECT_TRUE(coll.add(QStringLiteral("City"), QStringLiteral("Oslo")));
    EXPECT_FALSE(coll.add(QStringLiteral("city"), QStringLiteral("Bergen")));
    EXPECT_EQ(coll.text(QStringLiteral("CITY")), QStringLiteral("Oslo"));
    EXPECT_FALSE(coll.value(QStringLiteral("town")).isValid());
    EXPECT_TRUE(coll.remove(QStringLiteral("_ROWID")));
    EXPECT_EQ(coll.keys(), (QStringList{QStringLiteral("_tablepath"), QStringLiteral("_tablename"),
                                        QStringLiteral("_rectype"), QStringLiteral("City")}));
}

} // namespace
} // namespace bmtest

namespace bmtest {
namespace {

class ShippedFilesTest : public DataTest {};

// The templates in the program folder carry exactly the schema's fields and
// tags, so a database made from them is what the code expects.
TEST_F(ShippedFilesTest, TemplatesMatchTheSchema)
{
    for (Schema::Table t : Schema::allTables()) {
        const Schema::TableDef& def = Schema::table(t);
        DATA4* table = m_db.OpenTable(m_folder.file(Schema::dataFileName(t)));
        ASSERT_NE(table, nullptr);
        ASSERT_EQ(table->fieldCount(), def.fields.size()) << def.stem;
        for (size_t i = 0; i < def.fields.size(); ++i) {
            const xbase::Field* f = table->field(i);
            EXPECT_EQ(QString::fromStdString(f->name()), QString::fromLatin1(def.fields[i].name).toUpper());
            EXPECT_EQ(f->type(), def.fields[i].type);
            if (f->type() != 'M') {
                EXPECT_EQ(f->length(), def.fields[i].width) << f->name();
            }
        }
        for (const Schema::TagDef& tag : def.tags)
            EXPECT_NE(d4tag(table, tag.name), nullptr) << def.stem << "." << tag.name;
        d4close(table);
    }
}

// Report definitions store catalogue identifiers: these must never move.
TEST_F(ShippedFilesTest, CatalogueRowsKeepTheirIdentifiers)
{
    DATA4* cat = m_db.OpenTable(m_db.ReportColumnsTable());
    ASSERT_NE(cat, nullptr);
    EXPECT_EQ(d4recCountDo(cat), long(ShippedData::reportColumns().size()));
    struct Case {
        int rowid;
        const char* fldname;
        const char* rpttype;
        const char* purpose;
        const char* datatype;
    };
    const Case cases[] = {{1, "rowid", "C", "D", "I"},   {8, "custcat", "C", "D", "L"}, {23, "", "C", "D", "X"},
                          {54, "", "C", "F", "P"},       {102, "custid", "I", "D", "C"}, {108, "assignedto", "I", "D", "U"},
                          {152, "status", "I", "F", "L"}, {112, "submitdt", "I", "D", "D"}};
    for (const Case& c : cases) {
        ASSERT_EQ(m_db.RecordExists(2, c.rowid, m_db.ReportColumnsTable(), QStringLiteral("rowid"),
                                    QStringLiteral("rowid"), cat),
                  c.rowid);
        const auto text = [cat](const char* field) {
            FIELD4* f = d4field(cat, field);
            return QString::fromLatin1(f4ptr(f), f4len_v(f)).trimmed();
        };
        EXPECT_EQ(text("fldname"), QLatin1String(c.fldname)) << c.rowid;
        EXPECT_EQ(text("rpttype"), QLatin1String(c.rpttype)) << c.rowid;
        EXPECT_EQ(text("purpose"), QLatin1String(c.purpose)) << c.rowid;
        EXPECT_EQ(text("datatype"), QLatin1String(c.datatype)) << c.rowid;
    }
    FIELD4* custom = d4field(cat, "customname");
    ASSERT_EQ(m_db.RecordExists(2, 21, m_db.ReportColumnsTable(), QStringLiteral("rowid"), QStringLiteral("rowid"), cat), 21);
    EXPECT_EQ(QString::fromLatin1(f4ptr(custom), f4len_v(custom)).trimmed(), QStringLiteral("BCCCUST.DBF_CUSTOM1"));
    d4close(cat);
}

} // namespace
} // namespace bmtest
