#pragma once

#include <cstdint>
#include <string>

// The rows both engines store: the issues table's fields, filled the way the
// bulk issue generator fills them (customer and product/service counters
// that wrap, alternating status), with an assignee, priority and submit date
// that vary from row to row.
struct IssueRow {
    int rowid;
    int custid;
    int psid;
    int assignedto;
    int priority;
    int status;
    int issuecat;
    std::string shortdesc;
    std::string submitdt; // YYYYMMDD
    std::string desc;     // memo
};

IssueRow issueRow(int n);

// Deterministic pseudo-random numbers for the workloads.
uint32_t benchRandom(uint64_t* state);
