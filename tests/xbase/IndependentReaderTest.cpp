#include "XbaseFixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

using xbase::Table;

namespace {

// Lists the live records of a table as JSON, every value as text.
const char* kDumpScript = R"(
import sys, json, dbfread
t = dbfread.DBF(sys.argv[1], encoding='cp1252', load=True)
print(json.dumps([{k: None if v is None else str(v) for k, v in r.items()} for r in t.records]))
)";

QJsonArray readWithDbfread(const std::string& path)
{
    QProcess python;
    python.start(bmtest::systemPython(),
                 {QStringLiteral("-c"), QString::fromLatin1(kDumpScript), QString::fromStdString(path)});
    EXPECT_TRUE(python.waitForFinished(30000));
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(python.readAllStandardOutput()).array();
}

} // namespace

using IndependentReader = XbaseFixture;

TEST_F(IndependentReader, DbfreadFindsTheValuesWeWrote)
{
    if (bmtest::systemPython().isEmpty())
        GTEST_SKIP() << "python3-dbfread is not installed";
    Table* t = create("people.dbf", {"NAME:C:20", "AMOUNT:N:10:2", "COUNT:N:6", "BORN:D", "ACTIVE:L", "NOTES:M"}, true);
    std::string longMemo;
    for (int i = 0; longMemo.size() < 70000; ++i)
        longMemo += "line " + std::to_string(i) + "\r\n";
    appendTexts(t, {{"NAME", "Ren\xE9"}, {"AMOUNT", "-12.5"}, {"COUNT", "42"}, {"BORN", "19991231"},
                    {"ACTIVE", "T"}, {"NOTES", longMemo}});
    appendTexts(t, {{"NAME", "gone"}});
    XB_ASSERT_OK(t->lock(2));
    XB_ASSERT_OK(t->deleteRecord());
    XB_ASSERT_OK(t->unlock());
    appendTexts(t, {{"NAME", "blank values"}, {"NOTES", "short"}});
    close(t);

    const QJsonArray rows = readWithDbfread(path("people.dbf"));
    ASSERT_EQ(rows.size(), 2); // the deleted record is not listed
    const QJsonObject first = rows[0].toObject();
    EXPECT_EQ(first[QStringLiteral("NAME")].toString(), QStringLiteral("Ren\u00E9"));
    EXPECT_EQ(first[QStringLiteral("AMOUNT")].toString(), QStringLiteral("-12.5"));
    EXPECT_EQ(first[QStringLiteral("COUNT")].toString(), QStringLiteral("42"));
    EXPECT_EQ(first[QStringLiteral("BORN")].toString(), QStringLiteral("1999-12-31"));
    EXPECT_EQ(first[QStringLiteral("ACTIVE")].toString(), QStringLiteral("True"));
    EXPECT_EQ(first[QStringLiteral("NOTES")].toString().toStdString(), longMemo);
    const QJsonObject second = rows[1].toObject();
    EXPECT_EQ(second[QStringLiteral("NAME")].toString(), QStringLiteral("blank values"));
    EXPECT_TRUE(second[QStringLiteral("BORN")].isNull());
    EXPECT_EQ(second[QStringLiteral("NOTES")].toString(), QStringLiteral("short"));
}
