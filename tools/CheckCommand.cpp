#include "Command.h"

#include "data/Schema.h"
#include "xbase/Engine.h"
#include "xbase/Index.h"
#include "xbase/IndexCheck.h"
#include "xbase/MemoCheck.h"
#include "xbase/Table.h"

#include <QFileInfo>

#include <optional>
#include <ostream>

// bmtool check TABLE
//
// Walks every tag of the table's index and the table itself and prints one
// line per missing, extra or misordered key (and per damaged page, and where
// a walk that met damage stopped). A table of a database folder or of the
// program folder must also carry exactly the tags the schema gives it, with
// their expressions. Every memo pointer must name a sound memo in the memo
// file; a line per fault names the record, the field and the file. Exits 0
// only when the index and the memo file agree with the table; 1 on any
// disagreement or when the table cannot be read. The table is opened
// read-only and shared; writers of other processes wait while the check reads.

namespace {

// The tags the schema gives a table file of this name, if it is one of ours.
std::optional<std::vector<xbase::TagDefinition>> schemaTags(const std::string& path)
{
    const QString name = QFileInfo(QString::fromStdString(path)).fileName();
    const Schema::TableDef* def = nullptr;
    for (Schema::Table t : Schema::allTables())
        if (name.compare(Schema::dataFileName(t), Qt::CaseInsensitive) == 0)
            def = &Schema::table(t);
    if (name.compare(Schema::reportColumnsFileName(), Qt::CaseInsensitive) == 0)
        def = &Schema::reportColumnsTable();
    if (!def)
        return std::nullopt;
    std::vector<xbase::TagDefinition> tags;
    for (const Schema::TagDef& t : def->tags)
        tags.push_back({t.name, t.key, t.forExpr ? t.forExpr : ""});
    return tags;
}

} // namespace

int runCheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.size() != 1) {
        err << "usage: bmtool check TABLE\n";
        return kCommandUsage;
    }
    xbase::Engine engine;
    engine.settings().readOnly = true;
    xbase::Table* t = nullptr;
    xbase::Status s = engine.openTable(args[0], &t);
    if (!s.isOk()) {
        err << "bmtool check: " << s.toString() << '\n';
        return kCommandFailed;
    }
    xbase::Index* index = xbase::Index::of(*t);
    std::vector<std::string> problems;
    if (!index && (t->header().flags & xbase::kTableHasStructuralIndex))
        problems.push_back("index file " + xbase::Index::pathFor(args[0]) + " is missing");
    const auto wanted = schemaTags(args[0]);
    s = xbase::checkIndex(*t, &problems, wanted ? &*wanted : nullptr);
    if (s.isOk())
        s = xbase::checkMemos(*t, &problems);
    if (!s.isOk()) {
        err << "bmtool check: " << s.toString() << '\n';
        return kCommandFailed;
    }
    for (const std::string& p : problems)
        out << p << '\n';
    uint32_t count = 0;
    (void)t->recordCount(&count);
    if (problems.empty())
        out << (index ? index->tagCount() : 0) << (t->memoFile() ? " tags and the memo file" : " tags")
            << " agree with " << count << " records\n";
    else
        out << problems.size() << " problems\n";
    return problems.empty() ? kCommandDone : kCommandFailed;
}
