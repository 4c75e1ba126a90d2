#pragma once

#include "xbase/Table.h"

#include <string>
#include <vector>

// A record of a test table with a NAME text field and a NOTES memo field,
// as a fresh open reads it.
struct NameNotesRow {
    std::string name, notes;
    bool deleted = false;
    bool operator==(const NameNotesRow&) const = default;
};
using NameNotesRows = std::vector<NameNotesRow>;

// Every record of `t` in record-number order, the name without its trailing
// blanks and the memo whole.
xbase::Status readNameNotesRows(xbase::Table* t, NameNotesRows* out);
