#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// One command of bmtool. `args` are the words after the command's name.
// Output for people and tests goes to `out`, complaints to `err`. Returns the
// process exit code: 0 done, 1 failed, 2 the arguments were wrong.
using CommandFunction = int (*)(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

struct Command {
    const char* name;
    const char* usage; // the arguments, for the help text
    CommandFunction run;
};

enum CommandExit { kCommandDone = 0, kCommandFailed = 1, kCommandUsage = 2 };
