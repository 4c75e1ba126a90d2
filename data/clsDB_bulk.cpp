#include "data/clsDB.h"

#include "common/PromptService.h"
#include "common/clsSystem.h"
#include "data/BulkIssues.h"
#include "data/Schema.h"
#include "data/clsDB_internal.h"

#include <string>

using namespace dbdetail;

namespace BulkIssues {
namespace {
std::optional<qint32> g_last;
} // namespace

Range range() { return Range{330013, g_last.value_or(1000000)}; }

void setLastForTests(std::optional<qint32> last) { g_last = last; }

} // namespace BulkIssues

namespace {

// The engine exclusive with lock enforcement off for the scope; shared with
// enforcement on again afterwards, however the scope is left.
class BulkAccess {
public:
    explicit BulkAccess(CODE4* engine) : m_engine(engine)
    {
        code4accessMode(m_engine, 1);
        code4lockEnforce(m_engine, 0);
    }
    ~BulkAccess()
    {
        code4accessMode(m_engine, 0);
        code4lockEnforce(m_engine, 1);
    }
    BulkAccess(const BulkAccess&) = delete;
    BulkAccess& operator=(const BulkAccess&) = delete;

private:
    CODE4* m_engine;
};

QString refusedText(qint32 first)
{
    return QStringLiteral("Issues numbered from ") + QString::number(first)
        + QStringLiteral(" on already exist or are the next to be issued. No issues were added.");
}

struct IssueFields {
    FIELD4* rowid;
    FIELD4* psid;
    FIELD4* custid;
    FIELD4* shortdesc;
    FIELD4* desc;
    FIELD4* status;
};

void appendIssue(CODE4* engine, DATA4* table, const IssueFields& f, qint32 n, qint32 ps, qint32 cust)
{
    check(engine, d4appendStartVB(table, 0));
    check(engine, d4blank(table));
    check(engine, f4assignLong(f.rowid, n));
    check(engine, f4assignLong(f.psid, ps));
    check(engine, f4assignLong(f.custid, cust));
    const std::string number = std::to_string(n);
    const std::string shortdesc = number + " : issue short desc";
    check(engine, f4assignNVB(f.shortdesc, shortdesc.data(), int(shortdesc.size())));
    const std::string desc = number + " : issue memo description";
    check(engine, f4memoAssignN(f.desc, desc.data(), uint32_t(desc.size())));
    check(engine, f4assignLong(f.status, n % 2 == 0 ? 400 : 401));
    check(engine, d4append(table));
}

// Rows between two commits, ending where the progress is reported and a
// Cancel is seen. Each chunk is one engine batch, written whole: an error
// undoes the chunk it met, and the chunks before it stay.
constexpr qint32 kRowsPerChunk = 10000;

// Appends the issues of `range` in chunks until the end or a Cancel;
// `lastStarted` follows the row begun. Raises on an engine error.
void appendRange(CODE4* engine, DATA4* table, const IssueFields& f, const BulkIssues::Range& range,
                 Progress& progress, qint32& lastStarted)
{
    qint32 ps = 1001;
    qint32 cust = 1;
    bool inChunk = false;
    for (qint32 n = range.first; n <= range.last; ++n) {
        if (!inChunk)
            check(engine, d4batchBegin(table));
        inChunk = true;
        lastStarted = n;
        appendIssue(engine, table, f, n, ps, cust);
        cust = cust == 130000 ? 1 : cust + 1;
        ps = ps == 1999 ? 1001 : ps + 1;
        if (n % kRowsPerChunk == 0) {
            inChunk = false;
            check(engine, d4batchEnd(table));
            if (!progress.report(int(qint64(n) * 100 / BulkIssues::kProgressWhole)))
                return;
        }
    }
    if (inChunk)
        check(engine, d4batchEnd(table));
}

} // namespace

void clsDB::AddBulkIssues(Progress& progress)
{
    const BulkIssues::Range range = BulkIssues::range();
    const QString tableName = Schema::dataFileName(Schema::Table::Issues);
    if (!m_engine) {
        (void)OpenTable(IssuesTable());   // says that the table can't be opened
        return;
    }
    const qint32 nextId = peekNextId(tableName);
    if (nextId < 0)
        return;
    if (nextId >= range.first) {
        MsgBox(refusedText(range.first), MsgStyle::Exclamation);
        return;
    }
    // The last row begun: one that failed half-way may still reach the file.
    qint32 lastStarted = 0;
    {
        BulkAccess access(m_engine);
        try {
            TableUse table(nullptr, OpenTable(IssuesTable()));
            if (!table)
                return;
            DATA4* t = table.get();
            selectTag(t, "rowid");
            // A seek that stops short of the end found an identifier of the range.
            if (check(m_engine, d4seekDouble(t, range.first)) != C4_EOF) {
                table.close();
                MsgBox(refusedText(range.first), MsgStyle::Exclamation);
                return;
            }
            d4tagSelect(t, nullptr);
            const IssueFields f{needField(t, "rowid"),     needField(t, "psid"), needField(t, "custid"),
                                needField(t, "shortdesc"), needField(t, "desc"), needField(t, "status")};
            appendRange(m_engine, t, f, range, progress, lastStarted);
            m_lastResult = check(m_engine, table.close());
        } catch (const Fault& f) {
            Sys().ShowError(QStringLiteral("clsDB_AddBulkIssues"), f.error);
        }
    }
    if (lastStarted > 0)
        advanceIdPast(tableName, lastStarted);
}
