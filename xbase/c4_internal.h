#pragma once

#include "xbase/c4.h"

// Shared by the files of the operation layer (and the index's operations):
// turning a status into a result code and recording it on the engine.
namespace c4detail {

int errorCodeFor(const xbase::Status& s);
// Records the failure on the engine; `code` 0 derives it from the status.
int fail(CODE4& c4, const xbase::Status& s, int code = 0);
// C4_SUCCESS, or the recorded error code.
int result(DATA4* d4, const xbase::Status& s);

} // namespace c4detail
