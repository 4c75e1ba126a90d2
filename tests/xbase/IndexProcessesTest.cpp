#include "ChildProcess.h"
#include "XbaseFixture.h"

#include "xbase/Index.h"
#include "xbase/IndexC4.h"
#include "xbase/IndexCheck.h"

#include <chrono>
#include <cstdio>
#include <random>
#include <thread>
#include <unistd.h>

using namespace xbase;

namespace {

// A table with character, numeric and date tags, one of them filtered, as
// several processes share it.
class IndexProcesses : public XbaseFixture {
protected:
    void SetUp() override
    {
        m_engine.settings().exclusive = true;
        Table* t = create("p.dbf", {"ID:N:10", "NAME:C:24", "DAY:D:8", "OWNER:N:3", "NOTE:M:10"});
        ASSERT_NE(t, nullptr);
        XB_ASSERT_OK(Index::create(*t, {{"ID", "id", ""},
                                        {"NAME", "UPPER(name)", ".NOT.DELETED()"},
                                        {"DAY", "DTOS(day)+STR(owner,3)", ""},
                                        {"OWNER", "owner", ".NOT.DELETED()"}}));
        close(t);
        m_engine.settings().exclusive = false;
    }

    static Status appendRow(Table* t, int id, int owner)
    {
        XB_RETURN_IF_ERROR(t->appendStart());
        XB_RETURN_IF_ERROR(t->blank());
        XB_RETURN_IF_ERROR(t->field("ID")->assignLong(id));
        XB_RETURN_IF_ERROR(t->field("NAME")->assignText("name " + std::to_string(id * 7919 % 1000)));
        XB_RETURN_IF_ERROR(t->field("DAY")->assignText("2024" + std::to_string(10 + id % 3) + std::to_string(10 + id % 19)));
        XB_RETURN_IF_ERROR(t->field("OWNER")->assignLong(owner));
        XB_RETURN_IF_ERROR(t->field("NOTE")->assignMemo("memo " + std::to_string(id)));
        return t->append();
    }

    // Renames or deletes a random earlier row of this owner.
    static Status changeRow(Table* t, std::mt19937& rng, int owner)
    {
        uint32_t count = 0;
        XB_RETURN_IF_ERROR(t->recordCount(&count));
        const uint32_t recno = 1 + rng() % count;
        XB_RETURN_IF_ERROR(t->lock(recno));
        XB_RETURN_IF_ERROR(t->go(recno));
        if (t->field("OWNER")->asLong() == owner) {
            if (rng() % 4 == 0)
                XB_RETURN_IF_ERROR(t->deleted() ? t->recall() : t->deleteRecord());
            else
                XB_RETURN_IF_ERROR(t->field("NAME")->assignText("renamed " + std::to_string(rng() % 1000)));
        }
        return t->unlock();
    }

    void expectConsistent(Table* t)
    {
        std::vector<std::string> problems;
        XB_ASSERT_OK(checkIndex(*t, &problems));
        for (const std::string& p : problems)
            ADD_FAILURE() << p;
    }
};

TEST_F(IndexProcesses, EightWritersAtOnceLeaveEveryTagInStep)
{
    constexpr int kWriters = 8, kRows = 60;
    const std::string file = path("p.dbf");
    std::vector<std::unique_ptr<ChildProcess>> children;
    for (int w = 1; w <= kWriters; ++w) {
        children.push_back(std::make_unique<ChildProcess>([file, w](ChildProcess& self) {
            Engine engine;
            engine.settings().lockDelayMs = 1;
            Table* t = nullptr;
            if (!engine.openTable(file, &t).isOk())
                ::_exit(1);
            self.send('R');
            self.receive(); // all start together
            std::mt19937 rng{uint32_t(w)};
            for (int i = 0; i < kRows; ++i) {
                Status s = appendRow(t, w * 1000 + i, w);
                if (s.isOk() && i % 3 == 2)
                    s = changeRow(t, rng, w);
                if (!s.isOk()) {
                    std::fprintf(stderr, "writer %d: %s\n", w, s.toString().c_str());
                    ::_exit(2);
                }
            }
            ::_exit(engine.closeTable(t).isOk() ? 0 : 3);
        }));
    }
    // A reader walks and seeks all along; it must never fail or see the
    // identifiers out of order.
    ChildProcess reader([file](ChildProcess& self) {
        Engine engine;
        Table* t = nullptr;
        if (!engine.openTable(file, &t).isOk() || d4tagSelect(t, d4tag(t, "ID")) != C4_SUCCESS)
            ::_exit(1);
        self.send('R');
        int walks = 0;
        while (self.receive(0) != 'S') {
            long last = -1;
            int rc = d4top(t);
            for (; rc == C4_SUCCESS; rc = d4skip(t, 1)) {
                const long id = f4long(d4field(t, "ID"));
                if (id <= last)
                    ::_exit(2);
                last = id;
            }
            if (rc != C4_EOF || (last > 0 && d4seekDouble(t, double(last)) != C4_SUCCESS))
                ::_exit(3);
            ++walks;
        }
        ::_exit(walks > 0 ? 0 : 4);
    });
    ASSERT_EQ(reader.receive(), 'R');
    for (auto& c : children)
        ASSERT_EQ(c->receive(), 'R');
    for (auto& c : children)
        c->send('G');
    for (auto& c : children)
        EXPECT_EQ(c->wait(), 0);
    reader.send('S');
    EXPECT_EQ(reader.wait(), 0);

    Table* t = open("p.dbf");
    ASSERT_NE(t, nullptr);
    uint32_t count = 0;
    XB_ASSERT_OK(t->recordCount(&count));
    EXPECT_EQ(count, uint32_t(kWriters * kRows));
    expectConsistent(t);
    // Every row is found through its identifier.
    ASSERT_EQ(d4tagSelect(t, d4tag(t, "ID")), C4_SUCCESS);
    for (int w = 1; w <= kWriters; ++w)
        for (int i = 0; i < kRows; ++i) {
            ASSERT_EQ(d4seekDouble(t, w * 1000 + i), C4_SUCCESS) << w * 1000 + i;
            EXPECT_EQ(t->field("OWNER")->asLong(), w);
        }
    close(t);
}

TEST_F(IndexProcesses, AWriterKilledAtAnyMomentLeavesFilesThatOpenAndAnIndexThatCanBeRepaired)
{
    const std::string file = path("p.dbf");
    std::mt19937 rng(42);
    uint32_t confirmed = 0;
    int repaired = 0;
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        // Each row carries its record number as identifier and memo text.
        ChildProcess child([file, round](ChildProcess& self) {
            Engine engine;
            Table* t = nullptr;
            if (!engine.openTable(file, &t).isOk())
                ::_exit(1);
            std::mt19937 rng{uint32_t(round)};
            self.send('R');
            for (;;) {
                uint32_t count = 0;
                if (!t->recordCount(&count).isOk() || !appendRow(t, int(count + 1), 1).isOk() || !changeRow(t, rng, 1).isOk())
                    ::_exit(2);
                self.send('a'); // this row is on disk
            }
        });
        ASSERT_EQ(child.receive(), 'R');
        std::this_thread::sleep_for(std::chrono::microseconds(rng() % 20000));
        child.kill();
        EXPECT_EQ(child.wait(), -1); // killed, not failed
        for (char c = child.receive(0); c == 'a'; c = child.receive(0))
            ++confirmed;

        Table* t = open("p.dbf");
        ASSERT_NE(t, nullptr);
        uint32_t count = 0;
        XB_ASSERT_OK(t->recordCount(&count));
        ASSERT_GE(count, confirmed);
        for (uint32_t id = confirmed > 5 ? confirmed - 5 : 1; id <= count; ++id) {
            XB_ASSERT_OK(t->go(id));
            EXPECT_EQ(t->field("ID")->asLong(), int64_t(id));
            const std::string* memo = nullptr;
            XB_ASSERT_OK(t->field("NOTE")->memo(&memo));
            EXPECT_EQ(*memo, "memo " + std::to_string(id));
        }
        confirmed = count;
        std::vector<std::string> problems;
        XB_ASSERT_OK(checkIndex(*t, &problems));
        close(t);
        if (problems.empty())
            continue;
        // The index lost step with the table: re-indexing brings it back.
        ++repaired;
        m_engine.settings().exclusive = true;
        t = open("p.dbf");
        ASSERT_NE(t, nullptr);
        ASSERT_EQ(d4reindex(t), C4_SUCCESS);
        expectConsistent(t);
        close(t);
        m_engine.settings().exclusive = false;
    }
    EXPECT_GT(confirmed, 60u);
    std::printf("[ INFO     ] %u rows written, %d repairs\n", confirmed, repaired);
}

} // namespace
