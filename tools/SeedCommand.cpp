#include "Command.h"
#include "Seeder.h"

#include "common/Clock.h"
#include "data/clsDB.h"

#include <QFileInfo>

#include <ostream>
#include <string>

// bmtool seed FOLDER --customers N --issues M [--seed S] [--closed-percent P]
//
// Fills a database folder (made by bmtool mkdb) through the database object:
// category lists, a few users, N customers with 0 to 2 products/services
// each, M issues with 0 to 2 actions each. The same seed (default 1) gives
// the same rows; the last-edit stamps carry a fixed date. With P (0 to 100),
// that share of the issues is "Closed", as in a database that has long been
// in use.

namespace {

bool readCount(const std::string& text, long long* out)
{
    try {
        size_t used = 0;
        *out = std::stoll(text, &used);
        return used == text.size() && *out >= 0;
    } catch (...) {
        return false;
    }
}

struct SeedArgs {
    std::string folder;
    long long customers = -1;
    long long issues = -1;
    long long seed = 1;
    long long closedPercent = -1;
};

bool parse(const std::vector<std::string>& args, SeedArgs* out)
{
    if (args.empty())
        return false;
    out->folder = args[0];
    for (size_t i = 1; i + 1 < args.size(); i += 2) {
        long long* target = args[i] == "--customers" ? &out->customers
            : args[i] == "--issues"                  ? &out->issues
            : args[i] == "--seed"                    ? &out->seed
            : args[i] == "--closed-percent"          ? &out->closedPercent
                                                     : nullptr;
        if (!target || !readCount(args[i + 1], target))
            return false;
    }
    return args.size() % 2 == 1 && out->customers >= 0 && out->issues >= 0 && out->customers <= 100000000
        && out->issues <= 100000000 && out->closedPercent <= 100;
}

} // namespace

int runSeed(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    SeedArgs a;
    if (!parse(args, &a)) {
        err << "usage: bmtool seed FOLDER --customers N --issues M [--seed S] [--closed-percent P]\n";
        return kCommandUsage;
    }
    const QString folder = QString::fromStdString(a.folder);
    if (!QFileInfo(folder).isDir()) {
        err << "bmtool seed: no folder " << a.folder << '\n';
        return kCommandFailed;
    }
    clsDB& db = clsDB::instance();
    if (!db.startSession(folder, 1000, QStringLiteral("admin"))) {
        err << "bmtool seed: the engine cannot start\n";
        return kCommandFailed;
    }
    Clock::setFixed(QDateTime(Seeder::baseDate(), QTime(12, 0)));
    Seeder seeder(uint64_t(a.seed), err);
    seeder.setClosedPercent(int(a.closedPercent));
    db.KeepIdTableOpen(true);
    const bool ok = seeder.run(int(a.customers), int(a.issues));
    db.endSession();
    out << seeder.rowsSaved() << " rows saved in " << a.folder << '\n'
        << "seconds in the database object's saves: " << seeder.saveSeconds() << '\n';
    return ok ? kCommandDone : kCommandFailed;
}
