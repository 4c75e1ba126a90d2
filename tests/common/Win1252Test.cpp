#include "common/Win1252.h"
#include "xbase/Expr.h"
#include "xbase/ExprValue.h"
#include "xbase/RecordLayout.h"

#include <gtest/gtest.h>

TEST(Win1252, EveryByteSurvivesARoundTrip)
{
    std::string all;
    for (int i = 0; i < 256; ++i)
        all.push_back(static_cast<char>(i));
    const QString text = fromWin1252(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(toWin1252(text), all);
}

TEST(Win1252, DecodesTheHighControlRangeToItsCharacters)
{
    struct Case { unsigned char byte; char16_t code; };
    const Case cases[] = {
        {0x80, 0x20AC}, {0x85, 0x2026}, {0x8A, 0x0160}, {0x92, 0x2019},
        {0x96, 0x2013}, {0x99, 0x2122}, {0x9F, 0x0178}, {0xE9, 0x00E9},
        {0x81, 0x0081}, {0x8D, 0x008D}, {0x8F, 0x008F}, {0x90, 0x0090},
        {0x9D, 0x009D}, {0x41, 0x0041}, {0x00, 0x0000},
    };
    for (const Case& c : cases) {
        const char byte = static_cast<char>(c.byte);
        const QString text = fromWin1252(&byte, 1);
        ASSERT_EQ(text.size(), 1);
        EXPECT_EQ(text.at(0).unicode(), c.code) << int(c.byte);
    }
}

TEST(Win1252, CharactersOutsideTheCodePageBecomeOneQuestionMark)
{
    struct Case { QString text; std::string bytes; };
    const Case cases[] = {
        {QStringLiteral("caf\u00e9 \u20ac5"), "caf\xe9 \x80" "5"},
        {QStringLiteral("\u0100x"), "?x"},              // Latin Extended-A, not in the page
        {QStringLiteral("a\u0080b"), "a?b"},            // C1 code with a defined byte elsewhere
        {QString::fromUtf8("\xF0\x9F\x98\x80!"), "?!"}, // one emoji, one "?"
        {QString(QChar(0xD800)), "?"},                  // lone surrogate
        {QString(), ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(toWin1252(c.text), c.bytes) << c.text.toStdString();
}

TEST(Win1252, FindsTheFirstCharacterThatTheCodePageCannotHold)
{
    struct Case { QString text; qsizetype from; qsizetype found; };
    const Case cases[] = {
        {QStringLiteral("caf\u00e9 \u20ac5 \u0178\u0081\u009D"), 0, -1}, // all in the page
        {QStringLiteral("\u0141\u00f3d\u017a"), 0, 0},                   // first letter outside
        {QStringLiteral("\u0141\u00f3d\u017a"), 1, 3},                   // searched from the second
        {QStringLiteral("\u0141\u00f3d\u017e"), 1, -1},                  // \u017e is in the page
        {QStringLiteral("ab\u0080"), 0, 2},                                // C1 code with a byte elsewhere
        {QStringLiteral("a") + QString::fromUtf8("\xF0\x9F\x98\x80"), 0, 1}, // a surrogate pair
        {QStringLiteral("?"), 0, -1},
        {QString(), 0, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(firstNotInWin1252(c.text, c.from), c.found) << c.text.toStdString() << " from " << c.from;
}

TEST(Win1252, KeepsEmbeddedNulsAndIgnoresEmptyInput)
{
    const std::string bytes("a\0b", 3);
    EXPECT_EQ(fromWin1252(bytes).size(), 3);
    EXPECT_EQ(toWin1252(fromWin1252(bytes)), bytes);
    EXPECT_TRUE(fromWin1252(nullptr, 5).isEmpty());
}

namespace {

// The engine's UPPER() of one byte, through a one-field record.
unsigned char engineUpper(unsigned char byte)
{
    xbase::RecordLayout layout;
    EXPECT_TRUE(xbase::RecordLayout::build({{"NAME", 'C', 0, 1}}, "t.dbf", &layout).isOk());
    std::vector<uint8_t> record(layout.recordLength(), ' ');
    record[layout.field(*layout.find("NAME")).offset] = byte;
    std::unique_ptr<xbase::Expr> upper;
    EXPECT_TRUE(xbase::Expr::compile("UPPER(name)", layout, &upper).isOk());
    xbase::ExprValue value;
    upper->eval(record.data(), &value);
    return value.text.empty() ? 0 : static_cast<unsigned char>(value.text[0]);
}

} // namespace

// Texts that are compared with index keys are upper-cased as the index's
// UPPER() does, for every character of the code page: a letter takes its
// single upper-case partner when the code page has it, anything else stays.
TEST(Win1252, UpperCaseAgreesWithTheEnginesUpperOverTheWholeCodePage)
{
    for (int i = 1; i < 256; ++i) {
        const char byte = static_cast<char>(i);
        const QString c = fromWin1252(&byte, 1);
        const QString unicodeUpper(c.at(0).toUpper());
        const QString expected = fromWin1252(toWin1252(unicodeUpper)) == unicodeUpper ? unicodeUpper : c;
        EXPECT_EQ(upperWin1252(c), expected) << "byte " << i;
        EXPECT_EQ(toWin1252(upperWin1252(c)), std::string(1, static_cast<char>(engineUpper(uint8_t(i)))))
            << "byte " << i;
    }
    // Letters whose full upper case is longer, or lies outside the code
    // page, stay; the rest of a text is untouched by the rule.
    const struct {
        QString text;
        QString upper;
    } cases[] = {
        {QStringLiteral("Großhandel"), QStringLiteral("GROßHANDEL")},
        {QStringLiteral("Maß-1 µm"), QStringLiteral("MAß-1 µM")},
        {QStringLiteral("ÿšœžé÷"), QStringLiteral("ŸŠŒŽÉ÷")},
        {QStringLiteral("łódź"), QStringLiteral("łÓDź")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(upperWin1252(c.text), c.upper) << c.text.toStdString();
}
