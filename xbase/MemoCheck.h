#pragma once

#include "xbase/Status.h"

#include <string>
#include <vector>

namespace xbase {

class Table;

// Compares the memo file with the table: every memo pointer of every record,
// deleted ones too, must name a block past the memo header whose block
// header lies in the file, gives a known type (0 picture, 1 text, 2 object)
// and a length that ends within the file. Each fault becomes one line of
// *problems naming the record, the field and the file at fault ("record 12,
// field NOTES: /db/t.fpt: memo pointer 9999 is past the end of the memo
// file"). The status is an error only when the table itself cannot be read;
// a table without memo fields has no problems. Other handles are kept from
// writing while the check runs.
Status checkMemos(Table& table, std::vector<std::string>* problems);

} // namespace xbase
