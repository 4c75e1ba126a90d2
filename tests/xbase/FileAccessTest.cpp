#include "XbaseFixture.h"

#include "xbase/Index.h"
#include "xbase/Journal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace xbase;

// Several accounts of one group write the tables of one folder: what the
// engine makes beside a table (its memo and index files, a rebuilt index,
// the journal) takes the table's group and permission bits whatever the
// umask.

namespace {

class MadeFiles : public XbaseFixture {
protected:
    void SetUp() override { m_umask = ::umask(022); }
    void TearDown() override { ::umask(m_umask); }

    std::string access(const std::string& name) const { return bmtest::fileAccess(QString::fromStdString(path(name))); }
    std::string expected(unsigned mode) const { return bmtest::accessText(mode, m_group); }

    mode_t m_umask = 022;
    const unsigned m_group = bmtest::handableGroup();
};

TEST_F(MadeFiles, TakeTheGroupAndPermissionsOfTheirTableWhateverTheUmask)
{
    m_engine.settings().exclusive = true;
    Table* t = create("t.dbf", {"NAME:C:20", "NOTES:M"});
    ASSERT_NE(t, nullptr);
    close(t);
    ASSERT_EQ(::chown(path("t.dbf").c_str(), uid_t(-1), m_group), 0);
    ASSERT_EQ(::chmod(path("t.dbf").c_str(), 0664), 0);
    t = open("t.dbf");
    ASSERT_NE(t, nullptr);
    XB_ASSERT_OK(Index::create(*t, {{"NAME", "UPPER(name)", ""}}));
    close(t);
    EXPECT_EQ(access("t.cdx"), expected(0664));

    const std::string journal = "t.dbf.jnl";
    const struct {
        unsigned table;
        bool earlierJournal; // one an earlier version made with the umask's bits
    } cases[] = {{0660, false}, {0664, true}, {0666, false}};
    for (const auto& c : cases) {
        ASSERT_EQ(::chmod(path("t.dbf").c_str(), c.table), 0);
        ASSERT_FALSE(m_engine.env()->exists(path(journal)));
        if (c.earlierJournal) {
            const int fd = ::open(path(journal).c_str(), O_CREAT | O_WRONLY, 0644);
            ASSERT_GE(fd, 0);
            ::close(fd);
        }
        m_engine.settings().exclusive = false;
        t = open("t.dbf");
        ASSERT_NE(t, nullptr);
        appendTexts(t, {{"NAME", "one"}, {"NOTES", "a memo"}});
        EXPECT_EQ(access(journal), expected(c.table)) << c.table;
        close(t);

        m_engine.settings().exclusive = true;
        t = open("t.dbf");
        ASSERT_NE(t, nullptr);
        XB_ASSERT_OK(Index::of(*t)->reindex());
        close(t);
        EXPECT_EQ(access("t.cdx"), expected(c.table)) << c.table;
    }
}

} // namespace
