#pragma once

#include "xbase/IndexTag.h"
#include "xbase/c4.h"

// The index operations of the operation layer (see c4.h): tags, seeks and
// re-indexing of a table's structural index.

using TAG4 = xbase::IndexTag;

enum : int {
    C4_AFTER = 2, // a seek found no match; the record after it is current
};

// The tag named `name` (letter case ignored), or null when the table's index
// lacks it; that counts as an error (C4_ERR_TAG) only while code4errTagName
// is on.
TAG4* d4tag(DATA4* d4, const char* name);
// Makes `tag` the order of d4top and d4skip; null gives record order.
int d4tagSelect(DATA4* d4, TAG4* tag);
TAG4* d4tagSelected(DATA4* d4);

// Seeks in the selected tag. d4seek finds the first key that begins with
// `text`; d4seekDouble the first key equal to `value`. The found record
// becomes current and the result is 0; otherwise the record after the place
// of the key is current (C4_AFTER) or none is (C4_EOF). Without a selected
// tag the result is C4_ERR_TAG.
int d4seek(DATA4* d4, const char* text);
int d4seekDouble(DATA4* d4, double value);
// The next record, in the selected tag's order, of the key that the current
// record has, when it matches `text` / `value` as d4seek would; otherwise a
// plain seek.
int d4seekNext(DATA4* d4, const char* text);
int d4seekNextDouble(DATA4* d4, double value);

// Rebuilds every tag of the table's index from its records (the table must
// be open exclusively); the old index stays in place until the new one is
// complete. A table without an index has nothing to rebuild. This is the one
// rebuild: `bmtool reindex` and the Database Maintenance window run it.
int d4reindex(DATA4* d4);

// Tag definitions for i4create; the array ends with a null name. unique: 0
// none, 1 keeps the first record of each key, 2 candidate (refuses a second).
struct TAG4INFO {
    const char* name;
    const char* expression;
    const char* filter; // FOR expression, null or "" for none
    int unique;
    int descending;
};

// Writes a new structural index for the table (open exclusively) from the
// definitions, replacing the one it had.
int i4create(DATA4* d4, const TAG4INFO* tags);
