#pragma once

#include "xbase/Status.h"

#include <cstdint>

namespace xbase {

// An order in which Table::top and Table::skip walk the records. Without one
// the table walks in record-number order; a selected index tag installs
// itself with Table::setOrder and takes the walk over.
//
// Both calls set *recno to the record to make current, or to 0 when the walk
// has run off the end (past the last entry, or before the first for a
// negative delta). The table then reads that record; the order need not.
class RecordOrder {
public:
    virtual ~RecordOrder() = default;
    // The first record in this order.
    virtual Status first(uint32_t* recno) = 0;
    // The record `delta` entries away from the table's current record
    // (Table::recNo(), whose image is Table::record()).
    virtual Status skip(long delta, uint32_t* recno) = 0;
};

} // namespace xbase
