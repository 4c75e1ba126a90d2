#include "Command.h"

#include <cstring>
#include <iostream>

// The commands, one file each.
int runDump(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runCheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runReindex(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runMkdb(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runSeed(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runReport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

namespace {

const Command kCommands[] = {
    {"dump", "TABLE [--count | --structure]", runDump},
    {"check", "TABLE", runCheck},
    {"reindex", "TABLE", runReindex},
    {"mkdb", "FOLDER", runMkdb},
    {"seed", "FOLDER --customers N --issues M [--seed S] [--closed-percent P]", runSeed},
    {"report", "FOLDER ID --csv FILE", runReport},
};

int usage(std::ostream& err)
{
    err << "usage: bmtool COMMAND [ARGUMENTS]\n";
    for (const Command& c : kCommands)
        err << "  bmtool " << c.name << ' ' << c.usage << '\n';
    return kCommandUsage;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return usage(std::cerr);
    for (const Command& c : kCommands)
        if (std::strcmp(argv[1], c.name) == 0)
            return c.run(std::vector<std::string>(argv + 2, argv + argc), std::cout, std::cerr);
    std::cerr << "bmtool: unknown command " << argv[1] << '\n';
    return usage(std::cerr);
}
