#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One engine holding the issues table. Each workload returns a checksum of
// what it read, so that the two engines can be seen to do the same work.
class IssueStore {
public:
    virtual ~IssueStore() = default;
    virtual const char* name() const = 0;
    // How the store is set up, for the report (empty when nothing to say).
    virtual std::string settings() { return {}; }
    // Creates the table with its indexes in `folder` and appends rows 1..n,
    // each row on its own (one transaction per row).
    virtual uint64_t appendAll(const std::string& folder, int n) = 0;
    // As appendAll, all rows at once: our batch append (the table opened
    // exclusively), one transaction in SQLite.
    virtual uint64_t appendBatch(const std::string& folder, int n) = 0;
    // Opens what appendAll made (after a fresh start of the program).
    virtual void reopen(const std::string& folder) = 0;
    // Finds each row by its identifier and reads its customer.
    virtual uint64_t seekRows(const std::vector<int>& rowids) = 0;
    // Every row in customer order: identifier, customer and status.
    virtual uint64_t walkByCustomer() = 0;
    // Every row of each customer: the first by a seek, the rest by seek-next.
    virtual uint64_t rowsOfCustomers(const std::vector<int>& custids) = 0;
    // Every row whose customer lies in [first, last], in customer order: a
    // seek to the first, then the next rows while the customer is in range.
    virtual uint64_t rowsInCustomerRange(int first, int last) = 0;
    // Every row in record order, testing its priority.
    virtual uint64_t scanPriority(int priority) = 0;
};

IssueStore* ourStore();
IssueStore* sqliteStore();    // SQLite's default rollback journal
IssueStore* sqliteWalStore(); // SQLite's write-ahead log
IssueStore* sqliteWalCacheStore(); // the write-ahead log and a 256 MB page cache, synchronous=OFF
IssueStore* sqliteWalCacheNormalStore(); // as above with synchronous=NORMAL

// Our engine reads with the table opened exclusively (as bulk work does)
// instead of shared, the way the data store opens it.
void setOurReadsExclusive(bool on);
bool ourReadsExclusive();
// Our index page cache for the reads, in MB of pages (the engine's default
// otherwise).
void setOurIndexCacheMb(int mb);
int ourIndexCacheMb();
// How many MB of the files our engine may read and write through maps, in
// all (the engine's default otherwise).
void setOurMapMb(int mb);
int ourMapMb();
