#include "Command.h"

#include "xbase/Engine.h"
#include "xbase/Index.h"
#include "xbase/IndexC4.h"
#include "xbase/Table.h"

#include <ostream>

// bmtool reindex TABLE
//
// Rebuilds every tag of the table's index from its records, with the
// table opened exclusively: the routine the Database Maintenance window
// runs. The new index is written beside the old one and takes its place
// only once complete. Exits 0 when the index was rebuilt (or the table has
// none), 1 when the table cannot be opened exclusively or the rebuild
// failed.

int runReindex(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.size() != 1) {
        err << "usage: bmtool reindex TABLE\n";
        return kCommandUsage;
    }
    xbase::Engine engine;
    engine.settings().exclusive = true;
    xbase::Table* t = nullptr;
    xbase::Status s = engine.openTable(args[0], &t);
    if (!s.isOk()) {
        err << "bmtool reindex: " << s.toString() << '\n';
        return kCommandFailed;
    }
    if (d4reindex(t) != C4_SUCCESS) {
        err << "bmtool reindex: " << engine.lastError().toString() << '\n';
        return kCommandFailed;
    }
    const xbase::Index* index = xbase::Index::of(*t);
    const size_t tags = index ? index->tagCount() : 0;
    uint32_t count = 0;
    (void)t->recordCount(&count);
    s = engine.closeTable(t);
    if (!s.isOk()) {
        err << "bmtool reindex: " << s.toString() << '\n';
        return kCommandFailed;
    }
    out << tags << " tags rebuilt from " << count << " records\n";
    return kCommandDone;
}
