// Our engine against SQLite on the issues table: the same rows, columns and
// indexes, the same work, timed side by side in one run, SQLite in its
// default rollback-journal mode, with its write-ahead log, with the
// write-ahead log and a 256 MB page cache, and the last again with
// synchronous=NORMAL. Ours syncs nothing per save, so the SQLite set-ups with
// synchronous=OFF are the like-for-like ones; the NORMAL figures stand beside
// them. Bulk work sets our batch append (the table opened exclusively)
// against SQLite's one transaction.
//
// Fairness: every store is timed --runs times per work, and the order of
// the stores rotates from run to run (run r starts with store r), so that
// none is always first after another's work. Before the timed runs of a
// read work, every store does that work once untimed: each arrives at it
// with its caches warmed by the same work, whatever ran before. Each work
// ends in a line with the minimum and median times and our ratio to each
// store (median to median, and minimum to minimum); the settings follow.
//
// usage: bench_issues [--rows=N] [--runs=N] [--append-runs=N] [--only=TEXT]
//                     [--dir=FOLDER] [--exclusive] [--index-cache-mb=MB] [--map-mb=MB]
// (1,000,000 rows, 5 runs of each read work and 1 of each append by
// default; the files go to a new folder under /tmp). --only runs the works
// whose title holds TEXT (the reads then make their tables untimed). The
// tables a FOLDER already holds are used as they are, so that read work can
// be timed again without appending again. --exclusive has our engine read
// with the table opened exclusively; by default it is shared, as the program
// opens it. --index-cache-mb gives our index a page cache of that size (256
// matches the SQLite set-ups with the 256 MB cache); --map-mb lets it read
// and write that many MB of the files through maps (a map holds no copy, its
// pages are the page cache that SQLite's reads go through as well).

#include "IssueRows.h"
#include "IssueStore.h"

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
int g_runs = 5;
int g_appendRuns = 1;
std::string g_only;
std::string g_folder;

constexpr int kStores = 5;
bool g_built[kStores] = {};
bool g_reopened[kStores] = {};

IssueStore& store(int which)
{
    IssueStore* stores[kStores] = {ourStore(), sqliteStore(), sqliteWalStore(), sqliteWalCacheStore(),
                                   sqliteWalCacheNormalStore()};
    return *stores[which];
}

// Read work needs the table; without a timed append before it, it is made
// untimed.
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

struct Result {
    std::vector<double> ms[kStores];
    bool same = true;
};

double minOf(std::vector<double> v) { return *std::min_element(v.begin(), v.end()); }
double medianOf(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double timeOnce(int which, const Work& work, uint64_t* sum)
{
    const auto start = std::chrono::steady_clock::now();
    *sum = work(store(which));
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    return took.count();
}

// Each store's checksum must be the same in every run and the same as ours.
Result runWork(bool append, const Work& work)
{
    Result r;
    uint64_t expected[kStores] = {};
    bool known[kStores] = {};
    if (!append) {
        for (int which = 0; which < kStores; ++which) {
            ready(which);
            (void)timeOnce(which, work, &expected[which]); // the warm-up
            known[which] = true;
        }
    }
    const int runs = append ? g_appendRuns : g_runs;
    for (int run = 0; run < runs; ++run) {
        for (int k = 0; k < kStores; ++k) {
            const int which = (run + k) % kStores;
            uint64_t sum = 0;
            r.ms[which].push_back(timeOnce(which, work, &sum));
            if (append) {
                g_built[which] = true;
                g_reopened[which] = false;
            }
            r.same = r.same && (!known[which] || sum == expected[which]);
            expected[which] = sum;
            known[which] = true;
        }
    }
    for (int which = 1; which < kStores; ++which)
        r.same = r.same && expected[which] == expected[0];
    return r;
}

void printHeader()
{
    std::printf("%-44s %17s", "work", "ours min/med ms");
    for (int which = 1; which < kStores; ++which)
        std::printf(" | %23s min/med ms, ours/it min med", store(which).name());
    std::printf("\n");
}

void printResult(const std::string& title, const Result& r)
{
    std::printf("%-44s %8.1f/%8.1f", title.c_str(), minOf(r.ms[0]), medianOf(r.ms[0]));
    for (int which = 1; which < kStores; ++which)
        std::printf(" | %10.1f/%10.1f %5.2f %5.2f", minOf(r.ms[which]), medianOf(r.ms[which]),
                    minOf(r.ms[0]) / minOf(r.ms[which]), medianOf(r.ms[0]) / medianOf(r.ms[which]));
    std::printf("%s\n", r.same ? "" : "  (results differ!)");
    std::fflush(stdout);
}

void runAll()
{
    const int customers = std::min(g_rows, 130000);
    const auto seeks = randomKeys(100000, g_rows, 1);
    const auto custids = randomKeys(10000, customers, 2);
    const int rangeFirst = std::max(1, customers * 5 / 13), rangeLast = rangeFirst + customers / 13 - 1;
    struct Item {
        std::string title;
        bool append;
        Work work;
    };
    const std::vector<Item> items = {
        {"append " + std::to_string(g_rows) + " rows, one at a time", true,
         [](IssueStore& s) { return s.appendAll(g_folder, g_rows); }},
        {"append " + std::to_string(g_rows) + " rows in one batch", true,
         [](IssueStore& s) { return s.appendBatch(g_folder, g_rows); }},
        {"100000 random exact seeks", false, [seeks](IssueStore& s) { return s.seekRows(seeks); }},
        {"walk the custid tag in order", false, [](IssueStore& s) { return s.walkByCustomer(); }},
        {"seek + seek-next, 10000 customers", false, [custids](IssueStore& s) { return s.rowsOfCustomers(custids); }},
        {"custid range " + std::to_string(rangeFirst) + "-" + std::to_string(rangeLast), false,
         [=](IssueStore& s) { return s.rowsInCustomerRange(rangeFirst, rangeLast); }},
        {"full scan testing priority", false, [](IssueStore& s) { return s.scanPriority(452); }},
    };
    std::printf("%d rows; each read work: one untimed warm-up run per store, then %d timed runs; each append: %d "
                "timed run(s); the stores' order rotates from run to run\n",
                g_rows, g_runs, g_appendRuns);
    printHeader();
    for (const Item& item : items) {
        if (!g_only.empty() && item.title.find(g_only) == std::string::npos)
            continue;
        printResult(item.title, runWork(item.append, item.work));
    }
    std::printf("ours: %s reads, index page cache %d MB per index file, up to %d MB of the files read and written through maps, "
                "journal on every write, no sync per save\n",
                ourReadsExclusive() ? "exclusive" : "shared", ourIndexCacheMb(), ourMapMb());
    for (int which = 1; which < kStores; ++which) {
        const std::string settings = store(which).settings();
        if (!settings.empty())
            std::printf("%s: %s\n", store(which).name(), settings.c_str());
    }
}

bool parseOwnOptions(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--rows=", 7) == 0)
            g_rows = std::max(1, std::atoi(argv[i] + 7));
        else if (std::strncmp(argv[i], "--runs=", 7) == 0)
            g_runs = std::max(1, std::atoi(argv[i] + 7));
        else if (std::strncmp(argv[i], "--append-runs=", 14) == 0)
            g_appendRuns = std::max(1, std::atoi(argv[i] + 14));
        else if (std::strncmp(argv[i], "--only=", 7) == 0)
            g_only = argv[i] + 7;
        else if (std::strncmp(argv[i], "--dir=", 6) == 0)
            g_folder = argv[i] + 6;
        else if (std::strcmp(argv[i], "--exclusive") == 0)
            setOurReadsExclusive(true);
        else if (std::strncmp(argv[i], "--index-cache-mb=", 17) == 0)
            setOurIndexCacheMb(std::max(1, std::atoi(argv[i] + 17)));
        else if (std::strncmp(argv[i], "--map-mb=", 9) == 0)
            setOurMapMb(std::max(0, std::atoi(argv[i] + 9)));
        else {
            std::fprintf(stderr, "unknown option %s\n", argv[i]);
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (!parseOwnOptions(argc, argv))
        return 2;
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
        g_built[4] = fs::exists(g_folder + "/issues-wal-cache-normal.db");
    }
    runAll();
    if (ownFolder)
        std::filesystem::remove_all(g_folder);
    return 0;
}
