#include "IssueRows.h"

#include <cstdio>

IssueRow issueRow(int n)
{
    IssueRow r;
    r.rowid = n;
    r.custid = (n - 1) % 130000 + 1;
    r.psid = 1001 + (n - 1) % 999;
    r.assignedto = 1000 + (n * 7) % 23;
    r.priority = 450 + (n * 13) % 4;
    r.status = n % 2 ? 401 : 400;
    r.issuecat = 500 + n % 9;
    r.shortdesc = std::to_string(n) + " : issue short desc";
    char day[16];
    std::snprintf(day, sizeof day, "%04d%02d%02d", 2015 + (n * 31) % 10, 1 + (n * 17) % 12, 1 + (n * 11) % 28);
    r.submitdt = day;
    r.desc = std::to_string(n) + " : issue memo description";
    return r;
}

uint32_t benchRandom(uint64_t* state)
{
    // splitmix64
    uint64_t z = (*state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return uint32_t((z ^ (z >> 31)) >> 32);
}
