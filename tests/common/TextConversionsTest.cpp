#include "common/clsSystem.h"

#include <gtest/gtest.h>

namespace {

QString s(const char* text) { return QString::fromUtf8(text); }

} // namespace

TEST(TextConversions, SplitsDelimitedTextIntoPiecesFromIndexOne)
{
    struct Case { const char* text; char delimiter; bool upper; QStringList pieces; };
    const Case cases[] = {
        {"a~b", '~', false, {s("a"), s("b")}},
        {"a~b~", '~', false, {s("a"), s("b"), s("")}},
        {"", '~', false, {s("")}},
        {"~", '~', false, {s(""), s("")}},
        {"a~~b", '~', false, {s("a"), s(""), s("b")}},
        {" x ,y", ',', true, {s("X"), s("Y")}},
        {" \tx \n", ',', false, {s("\tx \n")}}, // only blanks are trimmed
    };
    for (const Case& c : cases) {
        QStringList pieces{s("stale"), s("stale"), s("stale"), s("stale"), s("stale")};
        Sys().StrParse2Array(s(c.text), pieces, QLatin1Char(c.delimiter), c.upper);
        EXPECT_EQ(pieces, QStringList{QString()} + c.pieces) << c.text;
    }
}

TEST(TextConversions, FindsTextOnlyFromIndexOne)
{
    const QStringList array{s("x"), s("a"), s("x")};
    int pos = 99;
    EXPECT_TRUE(Sys().StrExistsInArray(s("x"), array, pos));
    EXPECT_EQ(pos, 2);
    pos = 99;
    EXPECT_FALSE(Sys().StrExistsInArray(s("A"), array, pos));
    EXPECT_EQ(pos, 99);
}

TEST(TextConversions, ReadsCommaSeparatedFields)
{
    struct Case { const char* field; const char* value; };
    const Case cases[] = {
        {"\"hi\"\"\"", "hi\""}, {"\"\"", ""},         {"\"", "\""},
        {"  plain  ", "plain"}, {"\"a,b\"", "a,b"},   {"\"open", "\"open"},
        {" \"\" ", ""},        {"\"x\"", "x"},       {"x\"\"y", "x\"\"y"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Sys().CSVField_GetValue(s(c.field)), s(c.value)) << c.field;
}

TEST(TextConversions, ReplacesCharactersOutsideQuotesOnlyUnlessAsked)
{
    const QString row = s("a,\"b,c\",d");
    const QString sep(QChar(254));
    EXPECT_EQ(Sys().StrReplaceChar(row, u',', sep, false), s("a") + sep + s("\"b,c\"") + sep + s("d"));
    EXPECT_EQ(Sys().StrReplaceChar(row, u',', sep, true),
              s("a") + sep + s("\"b") + sep + s("c\"") + sep + s("d"));
}

TEST(TextConversions, WritesAndReadsThePasswordHexForm)
{
    struct Case { QString text; const char* hex; };
    const Case cases[] = {
        {s("abc"), "616263"},
        {QString(QChar(9)) + s("z"), "097A"},      // a code below 16 keeps its leading 0
        {s("caf\xc3\xa9"), "636166E9"},            // Windows-1252 codes, not UTF-8 bytes
        {s(""), ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Sys().StringToHexStr(c.text), s(c.hex));
        EXPECT_EQ(Sys().HexStrToString(s(c.hex)), c.text);
    }
    EXPECT_EQ(Sys().HexStrToString(s("61zz6")), s("a") + QChar(6)); // bad pair skipped, lone digit read
    EXPECT_EQ(Sys().HexStrToString(s("6a6A")), s("jj"));
}

TEST(TextConversions, PadsAndCutsToWidth)
{
    struct Case { const char* text; int width; const char* pad; int side; const char* result; };
    const Case cases[] = {
        {"7", 2, "0", 1, "07"}, {"7", 2, "0", 2, "70"}, {"123", 2, "0", 1, "12"},
        {"7", 3, "xy", 3, "xx7"}, {"7", 2, "", 1, " 7"}, {"abc", -1, "0", 1, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Sys().PadChar(s(c.text), c.width, s(c.pad), c.side), s(c.result)) << c.text;
    EXPECT_EQ(Sys().PrePad2Zeros(s("5")), s("05"));
    EXPECT_EQ(Sys().PadSpaces(s("ab"), 4, 2), s("ab  "));
}

TEST(TextConversions, TrimsAndCutsEnds)
{
    EXPECT_EQ(Sys().RemoveLastChar(s("Name:"), s(":")), s("Name"));
    EXPECT_EQ(Sys().RemoveLastChar(s("Name"), s(":")), s("Name"));
    EXPECT_EQ(Sys().RemoveLastChar(s("Name"), s("")), s("Nam"));
    EXPECT_EQ(Sys().RemoveLastChar(s(""), s("")), s(""));
    EXPECT_EQ(Sys().RemoveSurroundingQuote(s("\"/data/db\"")), s("/data/db"));
    EXPECT_EQ(Sys().RemoveSurroundingQuote(s("\"")), s("\""));
    EXPECT_EQ(Sys().StrTruncate(s("abcdef"), 3), s("abc..."));
    EXPECT_EQ(Sys().StrTruncate(s("abc"), 3), s("abc"));
    EXPECT_EQ(Sys().RemoveCRLF(s("a\r\nb\nc")), s("a    b  c"));
    EXPECT_EQ(Sys().CRLF(2), s("\r\n\r\n"));
    EXPECT_EQ(Sys().CRLF(0), s(""));
    EXPECT_EQ(Sys().QuoteStr(s("it's"), true), s("'it's'"));
    EXPECT_EQ(Sys().QuoteStr(s("x")), s("\"x\""));
}

TEST(TextConversions, CutsAtTheFirstCharacterOfTheSeparator)
{
    QString sep = QString(QChar(0)) + s("junk");
    EXPECT_EQ(Sys().StrGetTextTilChar(s("value") + QChar(0) + s("rest"), sep), s("value"));
    EXPECT_EQ(sep, QString(QChar(0)));
    QString colon = s(":");
    EXPECT_EQ(Sys().StrGetTextTilChar(s("none"), colon), s("none"));
}

TEST(TextConversions, TestsCharacterClassesAndCounts)
{
    EXPECT_TRUE(Sys().StrDigitsOnly(s("0123")));
    EXPECT_TRUE(Sys().StrDigitsOnly(s("")));
    EXPECT_FALSE(Sys().StrDigitsOnly(s("1.5")));
    EXPECT_TRUE(Sys().StrAlphaOnly(s("AbZ")));
    EXPECT_FALSE(Sys().StrAlphaOnly(s("\xc3\xa9t\xc3\xa9"))); // accented letters are not letters here
    EXPECT_TRUE(Sys().StrAlphaDigitOnly(s("jsmith2")));
    EXPECT_FALSE(Sys().StrAlphaDigitOnly(s("j smith")));
    EXPECT_EQ(Sys().CharCountInStr(s("a@b@c"), s("@")), 2);
    EXPECT_EQ(Sys().CharCountInStr(s("aaa"), s("aa")), 0);
}

TEST(TextConversions, ChecksEmailAddressesLoosely)
{
    struct Case { const char* address; bool valid; };
    const Case cases[] = {
        {"jo@example.com", true}, {"", true},        {"no-at-sign", true},
        {"a@b@c.com", false},     {"jo@", false},    {"jo @example.com", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Sys().EmailAddressIsValid(s(c.address)), c.valid) << c.address;
}

TEST(TextConversions, BuildsPersonNames)
{
    struct Case { const char* first; const char* last; const char* full; const char* noComma; };
    const Case cases[] = {
        {"John", "Smith", "Smith, John", "John Smith"},
        {"", "Smith", "Smith", "Smith"},
        {"John", "", "John", "John"},
        {"", "", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Sys().MakeFullName(s(c.first), s(c.last)), s(c.full));
        EXPECT_EQ(Sys().MakeFullNameNoComma(s(c.first), s(c.last)), s(c.noComma));
    }
}

TEST(TextConversions, FlagsAndCollections)
{
    EXPECT_EQ(Sys().Bool2TorF(true), s("T"));
    EXPECT_TRUE(Sys().DBTF2TrueFalse(s("t")));
    EXPECT_FALSE(Sys().DBTF2TrueFalse(s("T ")));
    EXPECT_TRUE(Sys().Str2Bool(s("True")));
    EXPECT_FALSE(Sys().Str2Bool(s("true")));
    EXPECT_FALSE(Sys().CK2TrueFalse(Qt::PartiallyChecked));
    EXPECT_TRUE(Sys().CK2TrueFalse(Qt::Checked));
    QStringList items{s("a"), s("b")};
    Sys().CollectionClear(items);
    EXPECT_TRUE(items.isEmpty());
    Sys().CollectionClear(items);
    EXPECT_TRUE(items.isEmpty());
}
