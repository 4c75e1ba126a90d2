#pragma once

#include "xbase/IndexTag.h"
#include "xbase/Status.h"

#include <string>
#include <vector>

namespace xbase {

class Table;

// Compares every tag of the table's index with the table: each tag must hold
// exactly the (key, record) pairs that its key and FOR expressions give for
// the records, in ascending order, in a sound tree. A unique tag may lack a
// key whose first record changed (such keys are not handed on) but never
// holds one key twice. The free-page list must stay in the file and name
// no page in use. Each disagreement becomes one line of *problems
// ("tag NAME: record 12 missing, key 'SMITH'"); a damaged tree gives a line
// naming the page and what is wrong with it, and a walk that met damage a
// line saying where it stopped and why. Missing keys are listed only from a
// walk that went through a sound tree to its end. The status is an error
// only when the table itself cannot be read; a table without an index has no
// problems.
//
// Tag names must be names (a letter or underscore, then letters, digits,
// underscores; at most 10) and differ. With `wanted`, the index must hold
// exactly those tags, each with its key and FOR expression (letter case
// ignored). Other handles are kept from writing while the check runs, so
// that it sees one state of the table.
Status checkIndex(Table& table, std::vector<std::string>* problems, const std::vector<TagDefinition>* wanted = nullptr);

} // namespace xbase
