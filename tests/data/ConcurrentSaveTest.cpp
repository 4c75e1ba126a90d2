#include "DataFixture.h"

#include "xbase/IndexCheck.h"

#include <QSet>

#include <sys/wait.h>
#include <unistd.h>

namespace bmtest {
namespace {

class ConcurrentSaveTest : public DataTest {};

// Each child saves `rows` new customers through its own session and exits
// with the number of saves that failed.
pid_t startWriter(const QString& folder, int rows, const ScriptedPrompts& prompts)
{
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    clsDB& db = clsDB::instance();
    int failed = 0;
    if (!db.startSession(folder, 1000, QStringLiteral("admin")))
        _exit(100);
    for (int i = 0; i < rows; ++i) {
        RecColl coll(db.CustomerTable(), -1, QStringLiteral("_customer"));
        for (const char* field : {"custno", "firstname", "lastname", "company", "custcat", "salutation", "title",
                                  "address1", "address2", "city", "state", "postalcode", "country", "workphone",
                                  "homephone", "mobilphone", "faxphone", "emailname", "emailname2", "notes",
                                  "contacts", "custom1", "custom2"})
            coll.add(QLatin1String(field), QStringLiteral("%1 %2").arg(getpid()).arg(i));
        if (!db.SaveRecord(coll, false)) {
            ++failed;
            std::fprintf(stderr, "writer %d: %s\n", int(getpid()), qPrintable(prompts.last().text));
        }
    }
    db.endSession();
    _exit(failed > 99 ? 99 : failed);
}

TEST_F(ConcurrentSaveTest, EightWritersGetDistinctIdentifiers)
{
    constexpr int kWriters = 8;
    constexpr int kRows = 500;
    const QString folder = m_folder.path();
    m_db.endSession();   // the children open their own
    std::vector<pid_t> pids;
    for (int i = 0; i < kWriters; ++i)
        pids.push_back(startWriter(folder, kRows, m_prompts));
    for (pid_t pid : pids) {
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << "failed saves in one writer";
    }

    ASSERT_TRUE(m_db.startSession(folder, 1000, QStringLiteral("admin")));
    DATA4* cust = m_db.OpenTable(m_db.CustomerTable());
    ASSERT_NE(cust, nullptr);
    EXPECT_EQ(d4recCountDo(cust), kWriters * kRows);
    QSet<long> ids;
    for (int rc = d4top(cust); rc == 0; rc = d4skip(cust, 1))
        ids.insert(f4long(d4field(cust, "rowid")));
    EXPECT_EQ(ids.size(), kWriters * kRows);
    EXPECT_EQ(*std::min_element(ids.begin(), ids.end()), 1000);
    std::vector<std::string> problems;
    ASSERT_TRUE(xbase::checkIndex(*cust, &problems).isOk());
    EXPECT_TRUE(problems.empty()) << problems.front();
    d4close(cust);
    EXPECT_EQ(lastId(QStringLiteral("bcccust.dbf")), 1000 + kWriters * kRows);
}

} // namespace
} // namespace bmtest
