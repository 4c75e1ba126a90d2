#pragma once

#include <QtGlobal>

#include <optional>

// The numbers of the test issues that clsDB::AddBulkIssues appends.
namespace BulkIssues {

struct Range {
    qint32 first;
    qint32 last;
};

// 330,013 to 1,000,000 inclusive, unless a test has ended the run earlier.
Range range();
// Progress is reported as the share of this number: 34 at 340,000.
inline constexpr qint32 kProgressWhole = 1000000;

// For tests: ends the run at `last` instead of 1,000,000; nullopt restores it.
void setLastForTests(std::optional<qint32> last);

} // namespace BulkIssues
