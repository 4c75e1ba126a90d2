#include "Command.h"
#include "DumpValues.h"

#include "xbase/Engine.h"
#include "xbase/Table.h"

#include <cstdio>
#include <ostream>

// bmtool dump TABLE [--count | --structure]
//
// Without an option, every record: a line "record N" ("record N (deleted)"),
// then one line "  FIELD: value" per field. --count prints the record count
// alone; --structure the header facts and one line per field
// ("NAME TYPE LENGTH DECIMALS"). The table is opened read-only and shared.

namespace {

std::string hex(unsigned v)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%02X", v);
    return buf;
}

void printStructure(xbase::Table& t, uint32_t count, std::ostream& out)
{
    const xbase::TableHeader& h = t.header();
    out << "table: " << t.path() << '\n'
        << "version: " << hex(h.version) << '\n'
        << "records: " << count << '\n'
        << "header length: " << h.headerLength << '\n'
        << "record length: " << h.recordLength << '\n'
        << "code page: " << hex(h.codePage) << '\n'
        << "structural index: " << ((h.flags & xbase::kTableHasStructuralIndex) ? "yes" : "no") << '\n'
        << "memo file: " << (t.memoFile() ? t.memoFile()->path() : std::string("none")) << '\n'
        << "fields:\n";
    for (const xbase::FieldDescriptor& f : t.layout().fields())
        out << "  " << f.name << ' ' << f.type << ' ' << int(f.length) << ' ' << int(f.decimals) << '\n';
}

int printRecords(xbase::Table& t, std::ostream& out, std::ostream& err)
{
    for (xbase::Status s = t.top(); !t.eof(); s = t.skip(1)) {
        if (!s.isOk()) {
            err << "bmtool dump: " << s.toString() << '\n';
            return kCommandFailed;
        }
        out << "record " << t.recNo() << (t.deleted() ? " (deleted)" : "") << '\n';
        for (size_t i = 0; i < t.fieldCount(); ++i) {
            std::string error;
            const std::string value = dumpValue(*t.field(i), &error);
            if (!error.empty()) {
                err << "bmtool dump: " << error << '\n';
                return kCommandFailed;
            }
            out << "  " << t.field(i)->name() << ": " << value << '\n';
        }
    }
    return kCommandDone;
}

} // namespace

int runDump(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::string path, option;
    bool wrong = false;
    for (const std::string& a : args) {
        if ((a == "--count" || a == "--structure") && option.empty())
            option = a;
        else if (path.empty() && !a.empty() && a[0] != '-')
            path = a;
        else
            wrong = true;
    }
    if (path.empty() || wrong) {
        err << "usage: bmtool dump TABLE [--count | --structure]\n";
        return kCommandUsage;
    }
    xbase::Engine engine;
    engine.settings().readOnly = true;
    xbase::Table* table = nullptr;
    uint32_t count = 0;
    xbase::Status s = engine.openTable(path, &table);
    if (s.isOk())
        s = table->recordCount(&count);
    if (!s.isOk()) {
        err << "bmtool dump: " << s.toString() << '\n';
        return kCommandFailed;
    }
    if (option == "--count")
        out << count << '\n';
    else if (option == "--structure")
        printStructure(*table, count, out);
    else
        return printRecords(*table, out, err);
    return kCommandDone;
}
