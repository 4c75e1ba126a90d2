// Our engine against SQLite on the issues table: the same rows, columns and
// indexes, the same work, timed side by side in one run, SQLite in its
// default rollback-journal mode, with its write-ahead log, and with the
// write-ahead log and a 256 MB page cache. Bulk work sets our batch append
// (the table opened exclusively) against SQLite's one transaction. Each work
// ends in a line with the times and our ratio to each; the SQLite settings
// follow.
//
// usage: bench_issues [--rows=N] [--dir=FOLDER] [--exclusive] [--index-cache-mb=MB]
//                     [--map-mb=MB] [Google Benchmark flags]
// (1,000,000 rows by default; the files go to a new folder under /tmp). The
// tables a FOLDER already holds are used as they are, so that read work can
// be timed again without appending again. --exclusive has our engine
// read with the table opened exclusively; by default it is shared, as the
// program opens it. --index-cache-mb gives our index a page cache of that
// size (256 matches the last SQLite set-up); --map-mb lets it read and write
// that many MB of the files through maps (again 256 for the last SQLite
// set-up; a map holds no copy, its pages are the page cache that SQLite's
// reads go through as well).

#include "IssueRows.h"
#include "IssueStore.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

int g_rows = 1000000;
std::string g_folder;

constexpr int kStores = 4;
struct Pair {
    std::string work;
    double ms[kStores] = {-1, -1, -1, -1};
    uint64_t checksum[kStores] = {};
};
std::vector<Pair> g_pairs;
bool g_built[kStores] = {};
bool g_reopened[kStores] = {};

IssueStore& store(int which)
{
    IssueStore* stores[kStores] = {ourStore(), sqliteStore(), sqliteWalStore(), sqliteWalCacheStore()};
    return *stores[which];
}

// Read workloads need the table; without a timed append before them (a
// filtered run), it is made untimed.
void ready(int which)
{
    if (!g_built[which]) {
        store(which).appendAll(g_folder, g_rows);
        g_built[which] = true;
    }
    if (!g_reopened[which]) {
        store(which).reopen(g_folder);
        g_reopened[which] = true;
    }
}

std::vector<int> randomKeys(size_t n, int max, uint64_t seed)
{
    std::vector<int> keys(n);
    for (int& k : keys)
        k = 1 + int(benchRandom(&seed) % uint32_t(max));
    return keys;
}

using Work = std::function<uint64_t(IssueStore&)>;

void registerPair(const std::string& title, bool append, const Work& work)
{
    const size_t index = g_pairs.size();
    g_pairs.push_back({title});
    for (int which = 0; which < kStores; ++which) {
        const std::string name = title + "/" + store(which).name();
        benchmark::RegisterBenchmark(name.c_str(), [=](benchmark::State& state) {
            if (!append)
                ready(which);
            for (auto _ : state) {
                const auto start = std::chrono::steady_clock::now();
                const uint64_t sum = work(store(which));
                const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
                benchmark::DoNotOptimize(sum);
                g_pairs[index].ms[which] = took.count();
                g_pairs[index].checksum[which] = sum;
            }
            if (append) {
                g_built[which] = true;
                g_reopened[which] = false;
            }
        })->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
    }
}

void registerAll()
{
    const int customers = std::min(g_rows, 130000);
    const auto seeks = randomKeys(100000, g_rows, 1);
    const auto custids = randomKeys(10000, customers, 2);
    registerPair("append " + std::to_string(g_rows) + " rows, one at a time", true,
                 [](IssueStore& s) { return s.appendAll(g_folder, g_rows); });
    registerPair("append " + std::to_string(g_rows) + " rows in one batch", true,
                 [](IssueStore& s) { return s.appendBatch(g_folder, g_rows); });
    registerPair("100000 random exact seeks", false, [seeks](IssueStore& s) { return s.seekRows(seeks); });
    registerPair("walk the custid tag in order", false, [](IssueStore& s) { return s.walkByCustomer(); });
    registerPair("seek + seek-next, 10000 customers", false, [custids](IssueStore& s) { return s.rowsOfCustomers(custids); });
    registerPair("full scan testing priority", false, [](IssueStore& s) { return s.scanPriority(452); });
}

void printPairs()
{
    std::printf("\n%-42s %10s", "work", "ours ms");
    for (int which = 1; which < kStores; ++which)
        std::printf(" %18s ms %8s", store(which).name(), "ours/it");
    std::printf("\n");
    for (const Pair& p : g_pairs) {
        if (p.ms[0] < 0)
            continue;
        bool same = true;
        std::printf("%-42s %10.1f", p.work.c_str(), p.ms[0]);
        for (int which = 1; which < kStores; ++which) {
            if (p.ms[which] < 0) {
                std::printf(" %21s %8s", "-", "-");
                continue;
            }
            same = same && p.checksum[0] == p.checksum[which];
            std::printf(" %21.1f %8.2f", p.ms[which], p.ms[0] / p.ms[which]);
        }
        std::printf("%s\n", same ? "" : "  (results differ!)");
    }
    std::printf("ours: %s reads, index page cache %d MB per index file, up to %d MB of the files read and written through maps, "
                "journal on every write\n",
                ourReadsExclusive() ? "exclusive" : "shared", ourIndexCacheMb(), ourMapMb());
    for (int which = 1; which < kStores; ++which) {
        const std::string settings = store(which).settings();
        if (!settings.empty())
            std::printf("%s: %s\n", store(which).name(), settings.c_str());
    }
}

// Takes our own options out of argv before Google Benchmark sees it.
void parseOwnOptions(int* argc, char** argv)
{
    int out = 1;
    for (int i = 1; i < *argc; ++i) {
        if (std::strncmp(argv[i], "--rows=", 7) == 0)
            g_rows = std::max(1, std::atoi(argv[i] + 7));
        else if (std::strncmp(argv[i], "--dir=", 6) == 0)
            g_folder = argv[i] + 6;
        else if (std::strcmp(argv[i], "--exclusive") == 0)
            setOurReadsExclusive(true);
        else if (std::strncmp(argv[i], "--index-cache-mb=", 17) == 0)
            setOurIndexCacheMb(std::max(1, std::atoi(argv[i] + 17)));
        else if (std::strncmp(argv[i], "--map-mb=", 9) == 0)
            setOurMapMb(std::max(0, std::atoi(argv[i] + 9)));
        else
            argv[out++] = argv[i];
    }
    *argc = out;
}

} // namespace

int main(int argc, char** argv)
{
    parseOwnOptions(&argc, argv);
    const bool ownFolder = g_folder.empty();
    if (ownFolder) {
        char pattern[] = "/tmp/bench_issues_XXXXXX";
        if (!mkdtemp(pattern))
            return 1;
        g_folder = pattern;
    }
    namespace fs = std::filesystem;
    if (!ownFolder) {
        g_built[0] = fs::exists(g_folder + "/bccissues.dbf");
        g_built[1] = fs::exists(g_folder + "/issues.db");
        g_built[2] = fs::exists(g_folder + "/issues-wal.db");
        g_built[3] = fs::exists(g_folder + "/issues-wal-cache.db");
    }
    benchmark::Initialize(&argc, argv);
    registerAll();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printPairs();
    if (ownFolder)
        std::filesystem::remove_all(g_folder);
    return 0;
}
