#pragma once

#include <QString>

#include <optional>

// Who and where the program is, behind seams that tests can set.
namespace ProgramEnv {

// The program folder: the folder of the executable, or the folder named by
// the environment variable BM_PROGRAM_DIR when it is set (tests).
QString programFolder();

// This computer's network name, at most 255 characters; the name a test
// set instead, when it set one.
QString computerName();
void setComputerName(std::optional<QString> name);

} // namespace ProgramEnv
