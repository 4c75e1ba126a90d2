#include "xbase/Coding.h"
#include "xbase/Expr.h"
#include "xbase/KeyCodec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <random>

using namespace xbase;

namespace {

// A record of every field kind that index expressions read.
class ExprRecord {
public:
    ExprRecord()
    {
        std::vector<FieldDescriptor> fields = {
            {"LOGIN", 'C', 0, 10}, {"CITY", 'C', 0, 8},     {"AMOUNT", 'N', 0, 10, 2}, {"QTY", 'I', 0, 4},
            {"BORN", 'D', 0, 8},   {"ACTIVE", 'L', 0, 1},   {"NOTE", 'M', 0, 10},      {"NICK", 'C', 0, 6, 0, kFieldNullable},
            {"_NULLFLAGS", '0', 0, 1, 0, kFieldSystem},
        };
        EXPECT_TRUE(RecordLayout::build(fields, "t.dbf", &m_layout).isOk());
        m_rec.assign(m_layout.recordLength(), ' ');
        m_rec[flagsOffset()] = 0;
        set("LOGIN", "jSmith");
        set("CITY", "  Graz");
        set("AMOUNT", "   -12.50");
        coding::putU32LE(at("QTY"), uint32_t(-7));
        set("BORN", "19960704");
        set("ACTIVE", "T");
        set("NICK", "Jo");
    }

    void set(const char* name, const std::string& text)
    {
        const FieldDescriptor& f = field(name);
        std::memset(at(name), ' ', f.length);
        std::memcpy(at(name), text.data(), std::min<size_t>(text.size(), f.length));
    }
    void setNull(const char* name, bool on)
    {
        const int bit = field(name).nullBit;
        uint8_t& flags = m_rec[flagsOffset()];
        flags = uint8_t(on ? flags | (1 << bit) : flags & ~(1 << bit));
    }
    void setDeleted(bool on) { m_rec[0] = on ? '*' : ' '; }
    uint8_t* at(const char* name) { return m_rec.data() + field(name).offset; }
    const uint8_t* data() const { return m_rec.data(); }
    const RecordLayout& layout() const { return m_layout; }

private:
    const FieldDescriptor& field(const char* name) const { return m_layout.field(*m_layout.find(name)); }
    size_t flagsOffset() const { return m_layout.nullFlags()->offset; }

    RecordLayout m_layout;
    std::vector<uint8_t> m_rec;
};

struct TextCase {
    const char* expr;
    const char* result;
    size_t width; // the key width the expression gives
};

TEST(Expr, CharacterExpressionsGiveTheirTextAndKeyWidth)
{
    ExprRecord r;
    const TextCase cases[] = {
        {"login", "jSmith    ", 10},
        {"UPPER(login)", "JSMITH    ", 10},
        {"lower(LOGIN)", "jsmith    ", 10},
        {"TRIM(login)", "jSmith", 10},
        {"RTRIM(city)", "  Graz", 8},
        {"LTRIM(city)", "Graz  ", 8},
        {"ALLTRIM(UPPER(city))", "GRAZ", 8},
        {"login+city", "jSmith      Graz  ", 18},
        {"login-city", "jSmith  Graz      ", 18},
        {"DTOS(born)", "19960704", 8},
        {"STR(qty)", "        -7", 10},
        {"STR(amount,8,1)", "   -12.5", 8},
        {"STR(qty,5)+UPPER(login)", "   -7JSMITH    ", 15},
        {"'x'+\"y\"+[z]", "xyz", 3},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.expr);
        std::unique_ptr<Expr> e;
        const Status s = Expr::compile(c.expr, r.layout(), &e);
        ASSERT_TRUE(s.isOk()) << s.toString();
        EXPECT_EQ(e->type(), ExprType::Character);
        EXPECT_EQ(e->width(), c.width);
        ExprValue v;
        e->eval(r.data(), &v);
        EXPECT_EQ(v.text, c.result);
    }
}

TEST(Expr, UpperAndLowerFollowTheCodePagesLetters)
{
    ExprRecord r;
    r.set("LOGIN", "\xE9t\xE9 \x9A\xFF\xDF"); // été šÿß in Windows-1252
    std::unique_ptr<Expr> up, down;
    ASSERT_TRUE(Expr::compile("UPPER(login)", r.layout(), &up).isOk());
    ASSERT_TRUE(Expr::compile("LOWER(UPPER(login))", r.layout(), &down).isOk());
    ExprValue v;
    up->eval(r.data(), &v);
    EXPECT_EQ(v.text, "\xC9T\xC9 \x8A\x9F\xDF   ");
    down->eval(r.data(), &v);
    EXPECT_EQ(v.text, "\xE9t\xE9 \x9A\xFF\xDF   ");
}

struct LogicCase {
    const char* expr;
    bool deleted;
    bool result;
};

TEST(Expr, FilterExpressionsDecideWhichRecordsATagHolds)
{
    ExprRecord r;
    const LogicCase cases[] = {
        {".NOT.DELETED()", false, true},
        {".NOT. DELETED()", true, false},
        {"!DELETED()", true, false},
        {"active .AND. .NOT.DELETED()", false, true},
        {"active .AND. .NOT.DELETED()", true, false},
        {"login = 'jSm'", false, true},   // = compares the right side's length
        {"login = 'jSmithX'", false, false},
        {"'jSm' = login", false, false},
        {"login == 'jSmith'", false, false}, // == is exact, padding included
        {"TRIM(login) == 'jSmith'", false, true},
        {"login <> 'x' .AND. login # 'y' .AND. login != 'z'", false, true},
        {"qty < 0 .AND. amount >= -12.5 .AND. amount <= -12.5", false, true},
        {"qty > 0 .OR. DELETED()", true, true},
        {"qty > 0 .OR. DELETED()", false, false},
        {"'Gr' $ city", false, true},
        {"born = born .AND. active = .T.", false, true},
        {"(qty + 10) * 2 = 6 .AND. -qty = 7 .AND. amount / 2 = -6.25", false, true},
        {".NOT. (.F. .OR. .F.)", false, true},
    };
    for (const LogicCase& c : cases) {
        SCOPED_TRACE(c.expr);
        std::unique_ptr<Expr> e;
        const Status s = Expr::compile(c.expr, r.layout(), &e);
        ASSERT_TRUE(s.isOk()) << s.toString();
        r.setDeleted(c.deleted);
        EXPECT_EQ(e->isTrue(r.data()), c.result);
    }
}

TEST(Expr, NumbersAndDatesHaveTheirTypes)
{
    ExprRecord r;
    std::unique_ptr<Expr> e;
    ASSERT_TRUE(Expr::compile("qty", r.layout(), &e).isOk());
    EXPECT_TRUE(e->isIntegerField());
    ASSERT_TRUE(Expr::compile("qty+1", r.layout(), &e).isOk());
    EXPECT_FALSE(e->isIntegerField());
    EXPECT_EQ(e->type(), ExprType::Numeric);
    ASSERT_TRUE(Expr::compile("born", r.layout(), &e).isOk());
    EXPECT_EQ(e->type(), ExprType::Date);
    ExprValue v;
    e->eval(r.data(), &v);
    EXPECT_EQ(v.number, 2450269.0);
    r.set("BORN", "");
    e->eval(r.data(), &v);
    EXPECT_EQ(v.number, 0.0); // the empty date
    ASSERT_TRUE(Expr::compile("born + 1", r.layout(), &e).isOk());
    EXPECT_EQ(e->type(), ExprType::Date);
}

TEST(Expr, NullableFieldsMarkTheirValues)
{
    ExprRecord r;
    std::unique_ptr<Expr> e;
    ASSERT_TRUE(Expr::compile("UPPER(nick)", r.layout(), &e).isOk());
    EXPECT_TRUE(e->nullable());
    ExprValue v;
    e->eval(r.data(), &v);
    EXPECT_FALSE(v.null);
    r.setNull("NICK", true);
    e->eval(r.data(), &v);
    EXPECT_TRUE(v.null);
    ASSERT_TRUE(Expr::compile("nick = 'Jo' .OR. .T.", r.layout(), &e).isOk());
    EXPECT_TRUE(e->isTrue(r.data())); // NULL .OR. .T. is .T.
    ASSERT_TRUE(Expr::compile("nick = 'Jo'", r.layout(), &e).isOk());
    EXPECT_FALSE(e->isTrue(r.data())); // NULL admits nothing
}

TEST(Expr, FaultsAreNamed)
{
    ExprRecord r;
    const std::pair<const char*, const char*> cases[] = {
        {"nosuch", "no field nosuch"},
        {"UPPER(qty)", "wrong type"},
        {"FOO(login)", "unknown function FOO"},
        {"UPPER(login", "missing )"},
        {"login +", "ends too early"},
        {"login + qty", "cannot apply +"},
        {"login = qty", "cannot compare"},
        {"note", "cannot be used"},
        {"STR(qty, amount)", "constant"},
        {".NOT. login", "logical"},
        {"login 'x'", "unexpected"},
        {"'open", "unexpected"},
    };
    for (const auto& [text, message] : cases) {
        SCOPED_TRACE(text);
        std::unique_ptr<Expr> e;
        const Status s = Expr::compile(text, r.layout(), &e);
        ASSERT_TRUE(s.isInvalidArgument());
        EXPECT_NE(s.message().find(message), std::string::npos) << s.message();
    }
}

TEST(KeyCodec, NumbersSortAsTheirBytes)
{
    const std::pair<double, const char*> known[] = {
        {0.0, "8000000000000000"}, {-0.0, "8000000000000000"}, {1.0, "BFF0000000000000"},
        {-1.0, "400FFFFFFFFFFFFF"}, {2450269.0, "C142B1AE80000000"},
    };
    for (const auto& [value, hex] : known) {
        uint8_t k[8];
        key::encodeDouble(value, k);
        char text[17];
        for (int i = 0; i < 8; ++i)
            std::snprintf(text + 2 * i, 3, "%02X", k[i]);
        EXPECT_STREQ(text, hex) << value;
        EXPECT_EQ(key::decodeDouble(k), value);
    }
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> dist(-1e9, 1e9);
    std::vector<double> values = {0.0, -1e-300, 1e-300, 1e300, -1e300};
    for (int i = 0; i < 500; ++i)
        values.push_back(i % 3 ? dist(rng) : double(int(dist(rng)) % 1000));
    std::vector<std::array<uint8_t, 8>> keys;
    for (double v : values) {
        std::array<uint8_t, 8> k;
        key::encodeDouble(v, k.data());
        keys.push_back(k);
    }
    for (size_t i = 0; i < values.size(); ++i)
        for (size_t j = 0; j < values.size(); j += 7)
            ASSERT_EQ(values[i] < values[j], std::memcmp(keys[i].data(), keys[j].data(), 8) < 0) << values[i] << " " << values[j];
}

TEST(KeyCodec, IntegersAndDatesAsFoxProStoresThem)
{
    uint8_t k[4];
    key::encodeInt32(1, k);
    EXPECT_EQ(std::vector<uint8_t>(k, k + 4), (std::vector<uint8_t>{0x80, 0, 0, 1}));
    key::encodeInt32(-1, k);
    EXPECT_EQ(std::vector<uint8_t>(k, k + 4), (std::vector<uint8_t>{0x7F, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(key::decodeInt32(k), -1);
    double jd = 0;
    ASSERT_TRUE(key::julianFromDtos("19960704", 8, &jd));
    EXPECT_EQ(jd, 2450269.0);
    EXPECT_FALSE(key::julianFromDtos("        ", 8, &jd));
    EXPECT_FALSE(key::julianFromDtos("19961304", 8, &jd));
    EXPECT_EQ(key::dtosFromJulian(2450269), "19960704");
    EXPECT_EQ(key::dtosFromJulian(0), "        ");
}

} // namespace
