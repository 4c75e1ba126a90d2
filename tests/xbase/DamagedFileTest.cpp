#include "XbaseFixture.h"

#include <functional>

using xbase::Status;
using xbase::Table;

namespace {

struct Damage {
    const char* name;
    std::function<void(XbaseFixture&)> apply;
    Status::Code code;
    const char* file;   // the file the message must name
    const char* phrase; // what the message must say
    bool atOpen;        // false: the open succeeds and reading record 1's memo fails
};

// A table of two records: NAME C 10, BORN D, NOTES M (FoxPro 2.x).
// Header 32 + 3·32 + 1 = 129 bytes, records of 29 bytes; memo of record 1 at
// block 8 of the memo file.
class DamagedFiles : public XbaseFixture {
public:
    void rebuild()
    {
        for (const char* f : {"d.dbf", "d.fpt"}) {
            if (m_engine.env()->exists(path(f))) {
                ASSERT_TRUE(m_engine.env()->remove(path(f)).isOk());
            }
        }
        Table* t = create("d.dbf", {"NAME:C:10", "BORN:D", "NOTES:M"});
        appendTexts(t, {{"NAME", "one"}, {"NOTES", "first memo"}});
        appendTexts(t, {{"NAME", "two"}, {"NOTES", "second memo"}});
        close(t);
    }
    void patchAt(const char* file, size_t offset, std::vector<uint8_t> bytes) { patch(file, offset, bytes); }
    void cut(const char* file, size_t size) { truncate(file, size); }
    void drop(const char* file) { ASSERT_TRUE(m_engine.env()->remove(path(file)).isOk()); }
};

std::vector<uint8_t> le16(uint16_t v) { return {uint8_t(v), uint8_t(v >> 8)}; }

const std::vector<Damage>& damages()
{
    using F = DamagedFiles;
    auto as = [](auto fn) { return [fn](XbaseFixture& x) { fn(static_cast<F&>(x)); }; };
    static const std::vector<Damage> all = {
        {"truncated header", as([](F& f) { f.cut("d.dbf", 20); }), Status::Code::Corruption, "d.dbf", "truncated header", true},
        {"empty file", as([](F& f) { f.cut("d.dbf", 0); }), Status::Code::Corruption, "d.dbf", "truncated header", true},
        {"unknown version", as([](F& f) { f.patchAt("d.dbf", 0, {0x02}); }), Status::Code::Corruption, "d.dbf", "version byte 0x02", true},
        {"header length past the file", as([](F& f) { f.patchAt("d.dbf", 8, le16(60000)); }), Status::Code::Corruption, "d.dbf", "header length 60000", true},
        {"header length too small", as([](F& f) { f.patchAt("d.dbf", 8, le16(10)); }), Status::Code::Corruption, "d.dbf", "header length 10", true},
        {"record length past the file", as([](F& f) { f.patchAt("d.dbf", 10, le16(5000)); }), Status::Code::Corruption, "d.dbf", "more than the file holds", true},
        {"record length shorter than the fields", as([](F& f) { f.patchAt("d.dbf", 10, le16(12)); }), Status::Code::Corruption, "d.dbf", "does not hold the fields", true},
        {"field descriptors past the header", as([](F& f) { f.patchAt("d.dbf", 8, le16(80)); }), Status::Code::Corruption, "d.dbf", "run past the header", true},
        {"record count larger than the file", as([](F& f) { f.patchAt("d.dbf", 4, {0xE8, 0x03, 0, 0}); }), Status::Code::Corruption, "d.dbf", "record count 1000", true},
        {"last record cut short", as([](F& f) { f.cut("d.dbf", 129 + 29 + 10); }), Status::Code::Corruption, "d.dbf", "record count 2", true},
        {"field of a fixed type with a wrong length", as([](F& f) { f.patchAt("d.dbf", 32 + 32 + 16, {3}); }), Status::Code::Corruption, "d.dbf", "BORN of type D has length 3", true},
        {"field of length 0", as([](F& f) { f.patchAt("d.dbf", 32 + 16, {0}); }), Status::Code::Corruption, "d.dbf", "NAME has length 0", true},
        {"missing memo file", as([](F& f) { f.drop("d.fpt"); }), Status::Code::NotFound, "d.fpt", "is missing", true},
        {"truncated memo header", as([](F& f) { f.cut("d.fpt", 100); }), Status::Code::Corruption, "d.fpt", "truncated memo header", true},
        {"memo block size 0", as([](F& f) { f.patchAt("d.fpt", 6, {0, 0}); }), Status::Code::Corruption, "d.fpt", "block size 0", true},
        {"memo pointer past the end", as([](F& f) { f.patchAt("d.dbf", 129 + 19, {' ', ' ', ' ', ' ', '9', '9', '9', '9', '9', '9'}); }), Status::Code::Corruption, "d.fpt", "past the end of the memo file", false},
        {"memo pointer into the header", as([](F& f) { f.patchAt("d.dbf", 129 + 19, {' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', '3'}); }), Status::Code::Corruption, "d.fpt", "points into the memo header", false},
        {"memo pointer not a number", as([](F& f) { f.patchAt("d.dbf", 129 + 19, {' ', ' ', 'x', ' ', ' ', ' ', ' ', ' ', ' ', '8'}); }), Status::Code::Corruption, "d.dbf", "bad memo pointer", false},
        {"memo length past the end", as([](F& f) { f.patchAt("d.fpt", 512 + 4, {0x7F, 0, 0, 0}); }), Status::Code::Corruption, "d.fpt", "runs past the end", false},
    };
    return all;
}

} // namespace

TEST_F(DamagedFiles, EachDamageGivesItsErrorNamingTheFile)
{
    for (const Damage& d : damages()) {
        SCOPED_TRACE(d.name);
        rebuild();
        d.apply(*this);
        Table* t = nullptr;
        Status s = m_engine.openTable(path("d.dbf"), &t);
        if (!d.atOpen) {
            ASSERT_TRUE(s.isOk()) << s.toString();
            ASSERT_TRUE(t->go(1).isOk());
            const std::string* memo = nullptr;
            s = t->field("NOTES")->memo(&memo);
        }
        EXPECT_EQ(s.code(), d.code) << s.toString();
        EXPECT_NE(s.message().find(path(d.file)), std::string::npos) << s.toString();
        EXPECT_NE(s.message().find(d.phrase), std::string::npos) << s.toString();
        XB_ASSERT_OK(m_engine.closeAll());
    }
}
