#pragma once

#include "xbase/Status.h"

#include <cstdint>

namespace xbase {

class Table;

// Told of every change to a stored record before it reaches the file, so that
// the index can follow. All record writes go through one place in the table
// (Table::commitRecord), which calls beforeWrite while the lock guarding the
// change is held: the record lock of `recno` (or exclusive access) for a
// changed record, the append lock for a new one.
//
// oldImage is the record as the file holds it now, or null for an append;
// newImage is the record about to be written. Both are
// table.layout().recordLength() bytes, byte 0 the deletion flag (' ' or '*'),
// fields at their descriptor offsets (table.layout()). Memo pointer bytes in
// newImage are still the old ones: memo text is stored after the observers
// ran. An error stops the write: nothing of the record reaches the file and
// the change stays pending in the table.
class RecordObserver {
public:
    virtual ~RecordObserver() = default;
    virtual Status beforeWrite(Table& table, uint32_t recno, const uint8_t* oldImage, const uint8_t* newImage) = 0;
    // Runs after the write that a successful beforeWrite announced, whether
    // it reached the file or not (`outcome`), still under the same lock. An
    // error here fails the write.
    virtual Status afterWrite(Table& table, uint32_t recno, const Status& outcome)
    {
        (void)table;
        (void)recno;
        (void)outcome;
        return Status::ok();
    }
};

} // namespace xbase
