#include "MemEnv.h"
#include "NameNotesRows.h"
#include "StoppingEnv.h"
#include "XbaseFixture.h"

#include "xbase/Index.h"
#include "xbase/IndexCheck.h"

#include <functional>
#include <limits>
#include <random>

// A process that dies in the middle of a save, without luck: the files live
// in memory, and the environment stops (as a killed process would) after its
// n-th write, for every n that the scenario makes. The n-th write gets only
// half its bytes through. Then a fresh engine opens the files and must find
// the state before the interrupted call or after it, with a sound index.

using namespace xbase;

namespace {

constexpr const char* kTable = "/mem/crash.dbf";

using Row = NameNotesRow;
using Rows = NameNotesRows;

// Long keys (100 bytes) keep few entries per page, so that forty records
// make a tree of three levels whose pages split and merge.
std::string nameFor(std::mt19937& rng)
{
    std::string s;
    for (int i = 0; i < 90; ++i)
        s += char('A' + rng() % 26);
    return s;
}

class Scenario {
public:
    // The calls, each one engine call that writes, with the model after it.
    using Call = std::function<Status(Table*, Rows*)>;
    std::vector<Call> calls;

    Scenario()
    {
        std::mt19937 rng(11);
        for (int i = 0; i < 40; ++i) {
            Row row{nameFor(rng), std::string(size_t(20 + rng() % 200), char('a' + i % 26))};
            calls.push_back([row](Table* t, Rows* m) {
                XB_RETURN_IF_ERROR(t->appendStart());
                XB_RETURN_IF_ERROR(t->blank());
                XB_RETURN_IF_ERROR(t->field("NAME")->assignText(row.name));
                XB_RETURN_IF_ERROR(t->field("NOTES")->assignMemo(row.notes));
                XB_RETURN_IF_ERROR(t->append());
                m->push_back(row);
                return Status::ok();
            });
        }
        // Memos grow (new blocks) and shrink (in place); keys move.
        for (uint32_t r = 1; r <= 40; r += 3) {
            const std::string notes(r % 2 ? 600 : 5, char('A' + r % 26));
            calls.push_back(change(r, [notes](Table* t, Row* row) {
                row->notes = notes;
                return t->field("NOTES")->assignMemo(notes);
            }));
        }
        for (uint32_t r = 2; r <= 40; r += 4) {
            const std::string name = nameFor(rng);
            calls.push_back(change(r, [name](Table* t, Row* row) {
                row->name = name;
                return t->field("NAME")->assignText(name);
            }));
        }
        // Deleting empties the live tag: its pages merge and leave the tree.
        for (uint32_t r = 3; r <= 38; ++r)
            calls.push_back(change(r, [](Table* t, Row* row) {
                row->deleted = true;
                return t->deleteRecord();
            }));
        for (uint32_t r = 10; r <= 30; r += 5)
            calls.push_back(change(r, [](Table* t, Row* row) {
                row->deleted = false;
                return t->recall();
            }));
    }

private:
    static Call change(uint32_t recno, std::function<Status(Table*, Row*)> edit)
    {
        return [recno, edit](Table* t, Rows* m) {
            XB_RETURN_IF_ERROR(t->go(recno));
            XB_RETURN_IF_ERROR(t->lock(recno));
            Row row = (*m)[recno - 1];
            XB_RETURN_IF_ERROR(edit(t, &row));
            XB_RETURN_IF_ERROR(t->unlock());
            (*m)[recno - 1] = row;
            return Status::ok();
        };
    }
};

Status makeTable(Env* env)
{
    Engine engine(env);
    engine.settings().exclusive = true;
    TableDefinition def;
    def.fields = {fieldLayout("NAME:C:100"), fieldLayout("NOTES:M:10")};
    def.structuralIndex = true;
    Table* t = nullptr;
    XB_RETURN_IF_ERROR(engine.createTable(kTable, def, &t));
    XB_RETURN_IF_ERROR(Index::create(*t, {{"NAME", "UPPER(NAME)", ""}, {"LIVE", "NAME", ".NOT.DELETED()"}}));
    return engine.closeTable(t);
}

struct RunResult {
    long writes = 0;
    bool stopped = false;
    size_t done = 0; // calls that returned success
    std::vector<Rows> models; // models[k]: after k calls
};

// Runs the scenario until it ends or the environment stops.
RunResult runScenario(MemEnv& mem, long stopAt, bool exclusive)
{
    RunResult run;
    run.models.emplace_back();
    StoppingEnv env(&mem, stopAt);
    {
        Engine engine(&env);
        engine.settings().exclusive = exclusive;
        engine.settings().lockAttempts = 1;
        Table* t = nullptr;
        if (!engine.openTable(kTable, &t).isOk())
            return run;
        const Scenario scenario;
        for (const auto& call : scenario.calls) {
            Rows model = run.models.back();
            if (!call(t, &model).isOk())
                break;
            run.models.push_back(model);
            ++run.done;
        }
        // A process that died goes without another write; one that lives
        // closes the table (which may die too).
        if (!env.stopped())
            (void)engine.closeTable(t);
        run.stopped = env.stopped();
    }
    run.writes = env.writes();
    return run;
}

class Crash : public ::testing::TestWithParam<bool> {};

TEST_P(Crash, AFreshOpenFindsTheStateBeforeOrAfterTheInterruptedCall)
{
    const bool exclusive = GetParam();
    MemEnv start;
    XB_ASSERT_OK(makeTable(&start));
    const auto initial = start.files();

    MemEnv whole;
    for (const auto& [p, b] : initial)
        whole.put(p, b);
    const RunResult full = runScenario(whole, std::numeric_limits<long>::max(), exclusive);
    ASSERT_FALSE(full.stopped);
    ASSERT_EQ(full.done, Scenario().calls.size());

    for (long n = 1; n <= full.writes; ++n) {
        MemEnv mem;
        for (const auto& [p, b] : initial)
            mem.put(p, b);
        const RunResult run = runScenario(mem, n, exclusive);
        ASSERT_TRUE(run.stopped) << n;

        Engine engine(&mem);
        engine.settings().exclusive = exclusive;
        Table* t = nullptr;
        XB_ASSERT_OK(engine.openTable(kTable, &t));
        Rows found;
        XB_ASSERT_OK(readNameNotesRows(t, &found));
        const Rows& before = run.models[run.done];
        const bool asBefore = found == before;
        const bool asAfter = run.done + 1 < full.models.size() && found == full.models[run.done + 1];
        ASSERT_TRUE(asBefore || asAfter) << "stopped at write " << n << " of " << full.writes << ", in call "
                                         << run.done + 1 << ": " << found.size() << " records, "
                                         << before.size() << " before the call";
        std::vector<std::string> problems;
        XB_ASSERT_OK(checkIndex(*t, &problems));
        ASSERT_TRUE(problems.empty()) << "stopped at write " << n << ": " << problems.front();
        // The recovered table takes further saves.
        XB_ASSERT_OK(t->appendStart());
        XB_ASSERT_OK(t->field("NAME")->assignText("AFTER"));
        XB_ASSERT_OK(t->append());
        XB_ASSERT_OK(checkIndex(*t, &problems));
        ASSERT_TRUE(problems.empty()) << "after the crash at write " << n << ": " << problems.front();
        XB_ASSERT_OK(engine.closeTable(t));
    }
}

INSTANTIATE_TEST_SUITE_P(SharedAndExclusive, Crash, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Exclusive" : "Shared"; });

} // namespace
