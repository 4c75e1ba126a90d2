#include "DataFixture.h"
#include "ImportTestSupport.h"

#include "common/ScriptedPrompts.h"
#include "import/clsImportColDef.h"
#include "import/clsImportData.h"

#include <gtest/gtest.h>

namespace {

using bmtest::TempFolder;
using bmtest::writeImportFile;
using bmtest::s;
using bmtest::texts;

ImportColDefs columnsOf(const QString& key)
{
    ImportColDefs defs;
    SetupColumns(key, defs);
    return defs;
}

struct CheckResult {
    bool colsOk = false;
    bool rowsOk = false;
    QString errors;
    qint32 rowCount = -1;
    QStringList headings;
};

// Both checks as the wizard runs them: the rows only after good headings.
CheckResult check(const QString& key, const QByteArray& content)
{
    TempFolder folder;
    const QString path = writeImportFile(folder, QStringLiteral("in.csv"), content);
    const ImportColDefs defs = columnsOf(key);
    clsImportData checker;
    CheckResult r;
    r.colsOk = checker.ValidateCols(path, defs, r.headings, r.errors);
    if (r.colsOk)
        r.rowsOk = checker.ValidateRows(path, defs, r.headings, r.errors, r.rowCount);
    return r;
}

TEST(ImportColumns, CustomerAndListTargetsHaveTheirColumns)
{
    const ImportColDefs customers = columnsOf(QStringLiteral("MAIN_NEWCUSTOMER"));
    EXPECT_EQ(customers.names(),
              (texts({"CUSTOMERNUMBER", "SALUTATION", "FIRSTNAME", "LASTNAME", "COMPANY", "TITLE", "ADDRESSLINE1",
                           "ADDRESSLINE2", "CITY", "STATE", "POSTALCODE", "COUNTRY", "CUSTOM1", "CUSTOM2", "WORKPHONE",
                           "HOMEPHONE", "MOBILEPHONE", "FAXPHONE", "EMAILDEFAULT", "EMAILALTERNATE", "CATEGORY",
                           "NOTES"})));
    QStringList required;
    for (const clsImportColDef& def : customers) {
        if (def.Required)
            required.append(def.Name);
        EXPECT_TRUE(def.AllowBlank) << def.Name.toStdString();
    }
    EXPECT_EQ(required, (texts({"LASTNAME", "COMPANY"})));

    const ImportColDefs list = columnsOf(QStringLiteral("103"));
    ASSERT_EQ(list.names(), texts({"DESCRIPTION"}));
    EXPECT_TRUE(list.find(QStringLiteral("DESCRIPTION"))->Required);
    EXPECT_FALSE(list.find(QStringLiteral("DESCRIPTION"))->AllowBlank);
}

TEST(ImportChecks, HeadingRowsGiveTheirExactTexts)
{
    ScriptedPrompts prompts;
    const struct {
        const char* content;
        bool ok;
        const char* errors;
    } cases[] = {
        {"  lastname ,   Company  \r\n", true, ""},
        {"LASTNAME\r\n", false, "Required column 'COMPANY' is missing from the first row.\r\n\r\n"},
        {"LASTNAME,COMPANY,PHONE\r\n", false, "Unrecognized column 'PHONE' found on the first row.\r\n\r\n"},
        {"\"LASTNAME\",COMPANY\n", false,
         "Required column 'LASTNAME' is missing from the first row.\r\n\r\n"
         "Unrecognized column '\"LASTNAME\"' found on the first row.\r\n\r\n"},
        {"LASTNAME,COMPANY,\n", false, "Unrecognized column '' found on the first row.\r\n\r\n"},
        {"FIRSTNAME,PHONE\n", false,
         "Required column 'LASTNAME' is missing from the first row.\r\n\r\n"
         "Required column 'COMPANY' is missing from the first row.\r\n\r\n"
         "Unrecognized column 'PHONE' found on the first row.\r\n\r\n"},
    };
    for (const auto& c : cases) {
        const CheckResult r = check(QStringLiteral("MAIN_NEWCUSTOMER"), c.content);
        EXPECT_EQ(r.colsOk, c.ok) << c.content;
        EXPECT_EQ(r.errors, QString::fromUtf8(c.errors)) << c.content;
    }
    EXPECT_EQ(check(QStringLiteral("MAIN_NEWCUSTOMER"), "  lastname ,   Company  \r\n").headings,
              (texts({"", "LASTNAME", "COMPANY"})));
}

TEST(ImportChecks, AnEmptyFileHasNoHeadingRow)
{
    ScriptedPrompts prompts;
    TempFolder folder;
    const QString path = writeImportFile(folder, QStringLiteral("empty.csv"), "");
    QStringList headings;
    QString errors;
    EXPECT_FALSE(clsImportData().ValidateCols(path, columnsOf(QStringLiteral("1")), headings, errors));
    EXPECT_EQ(errors, QStringLiteral("Unable to read column headers from row 1 of file ") + path
                          + QStringLiteral("\r\n\r\n"));
}

TEST(ImportChecks, DataRowsGiveTheirExactTexts)
{
    ScriptedPrompts prompts;
    const struct {
        const char* key;
        const char* content;
        bool ok;
        const char* errors;
    } cases[] = {
        {"MAIN_NEWCUSTOMER", "LASTNAME,COMPANY,CITY\r\nSmith,Acme,Rome,Italy\r\n", false,
         "Row 2: Missing data. Number of entries on this row do NOT equal the number of columns on the first row. "
         "LINE CONTENT: Smith,Acme,Rome,Italy\r\n\r\n"},
        {"MAIN_NEWCUSTOMER", "LASTNAME,COMPANY,CITY\r\nSmith\r\n", true, ""},
        {"MAIN_NEWCUSTOMER", "LASTNAME,COMPANY,CITY\r\nSmith,\"Acme, Inc\",Rome\r\n", true, ""},
        {"MAIN_NEWCUSTOMER", "LASTNAME,COMPANY,CITY\r\n,,\r\n", true, ""},
        {"4", "DESCRIPTION\r\n\"\"\r\n", false, "Row 2: A value must be entered for column DESCRIPTION.\r\n"},
        {"4", "DESCRIPTION\r\n\"   \"\r\n", false, "Row 2: A value must be entered for column DESCRIPTION.\r\n"},
        {"4", "DESCRIPTION\r\n   \r\n\r\n\"\"\r\n", false, "Row 4: A value must be entered for column DESCRIPTION.\r\n"},
        {"4", "DESCRIPTION\r\n\"Spain, north\"\r\n", true, ""},
    };
    for (const auto& c : cases) {
        const CheckResult r = check(QLatin1String(c.key), c.content);
        ASSERT_TRUE(r.colsOk) << c.content;
        EXPECT_EQ(r.rowsOk, c.ok) << c.content;
        EXPECT_EQ(r.errors, QString::fromUtf8(c.errors)) << c.content;
    }
}

// A quoted value may hold line breaks: its record runs over several lines,
// takes the number of its first, and the rows after it keep their line
// numbers. A stray quote inside a value leaves its line one record.
TEST(ImportChecks, QuotedLineBreaksKeepOneRecordAndTheLineNumbers)
{
    ScriptedPrompts prompts;
    const struct {
        const char* content;
        bool ok;
        qint32 rowCount;
        const char* errors;
    } cases[] = {
        {"LASTNAME,COMPANY,NOTES\nSmith,Acme,\"line one\nline two\"\nDoe,,\n", true, 3, ""},
        {"LASTNAME,COMPANY,NOTES\r\nSmith, \"Acme, Inc\" ,\"one, \"\"two\"\"\r\n\r\nthree\"\r\nDoe,Acme,x,y\r\n", false, 4,
         "Row 5: Missing data. Number of entries on this row do NOT equal the number of columns on the first row. "
         "LINE CONTENT: Doe,Acme,x,y\r\n\r\n"},
        {"LASTNAME,COMPANY\r\nSmith,5\" pipe\r\nDoe,Acme,x\r\n", false, 2,
         "Row 3: Missing data. Number of entries on this row do NOT equal the number of columns on the first row. "
         "LINE CONTENT: Doe,Acme,x\r\n\r\n"},
        {"LASTNAME,COMPANY,NOTES\r\nSmith,Acme,ok\r\nDoe,,\"line one\r\nline two\r\nline three\r\n", false, 4,
         "Row 3: A value that begins with a double quote on this row is never closed: the file ends before its "
         "closing double quote.\r\n\r\n"},
    };
    for (const auto& c : cases) {
        const CheckResult r = check(QStringLiteral("MAIN_NEWCUSTOMER"), c.content);
        ASSERT_TRUE(r.colsOk) << c.content;
        EXPECT_EQ(r.rowsOk, c.ok) << c.content;
        EXPECT_EQ(r.rowCount, c.rowCount) << c.content;
        EXPECT_EQ(r.errors, QString::fromUtf8(c.errors)) << c.content;
    }
}

TEST(ImportChecks, EmptyLinesAreSkippedButCounted)
{
    ScriptedPrompts prompts;
    const CheckResult r = check(QStringLiteral("2"), "DESCRIPTION\n\nWidget\n   \nGadget");
    EXPECT_TRUE(r.rowsOk);
    EXPECT_EQ(r.rowCount, 4);
}

TEST(ImportChecks, SixtyFaultyRowsReportFiftyOneAndAbort)
{
    ScriptedPrompts prompts;
    QByteArray content = "DESCRIPTION\r\n";
    for (int i = 0; i < 60; ++i)
        content += "\"\"\r\n";
    const CheckResult r = check(QStringLiteral("3"), content);
    EXPECT_FALSE(r.rowsOk);
    EXPECT_EQ(r.errors.count(QStringLiteral(": A value must be entered for column DESCRIPTION.\r\n")), 51);
    EXPECT_TRUE(r.errors.endsWith(QStringLiteral("Row 52: A value must be entered for column DESCRIPTION.\r\n"
                                                 "MORE THAN 50 ERRORS ENCOUNTERED. ABORTING...\r\n\r\n")))
        << r.errors.right(200).toStdString();
    EXPECT_FALSE(r.errors.contains(QStringLiteral("Row 53:")));
}

TEST(ImportChecks, FieldsSplitAtCommasOutsideQuotesAndUnquoteLikeTheChecks)
{
    const QStringList fields = importLineFields(QStringLiteral(" Smith , \"Acme, Inc\" ,\"say \"\"hi\"\"\",,"));
    EXPECT_EQ(fields, (texts({"", "Smith", "\"Acme, Inc\"", "\"say \"\"hi\"\"\"", "", ""})));
    // A thorn is an ordinary letter of the file, never a separator.
    EXPECT_EQ(importLineFields(s("Þór,x")), (texts({"", "Þór", "x"})));
}

TEST(ImportChecks, ValueChecksOfTheTypeCodes)
{
    ScriptedPrompts prompts;
    ImportColDefs defs;
    defs.add({QStringLiteral("QTY"), 1, false, true, true, 1, 10});
    defs.add({QStringLiteral("ACTIVE"), 3});
    defs.add({QStringLiteral("SINCE"), 4});
    const QStringList headings = texts({"", "QTY", "ACTIVE", "SINCE"});
    QString errors;
    clsImportData checker;
    EXPECT_TRUE(checker.ValidateARow(2, QStringLiteral("5,Y,2024-03-01"), defs, headings, errors));
    EXPECT_TRUE(checker.ValidateARow(3, QStringLiteral(",,"), defs, headings, errors));
    EXPECT_EQ(errors, QString());
    EXPECT_FALSE(checker.ValidateARow(4, QStringLiteral("x,y,someday"), defs, headings, errors));
    EXPECT_FALSE(checker.ValidateARow(5, QStringLiteral("11"), defs, headings, errors));
    EXPECT_EQ(errors, QStringLiteral("Row 4: The value [x] entered for column QTY must be numeric.\r\n"
                                     "Row 4: The value [y] entered for column ACTIVE must be either 'Y' or 'N'.\r\n"
                                     "Row 4: The value [someday] entered for column SINCE must be a valid date.\r\n"
                                     "Row 5: The value [11] entered for column QTY must be between 1 and 10.\r\n"));
    EXPECT_EQ(checker.FmtRowNum(17), QStringLiteral("Row 17"));
}

} // namespace
