#pragma once

#include "xbase/Status.h"

namespace xbase {

// Something that lives as long as an open table and is owned by it, such as
// the table's structural index. An open hook (Engine::addOpenHook) creates it
// and hands it to Table::addExtension; callers find it again with
// Table::extension<T>().
class TableExtension {
public:
    virtual ~TableExtension() = default;
    // Runs at the end of Table::flush, after the record is written.
    virtual Status flush() { return Status::ok(); }
    // Runs when the table closes, after its last record write and before its
    // files close. The extension is destroyed right after.
    virtual Status close() { return Status::ok(); }
    // The table's files were put back as they were before a call that
    // failed or whose process died: whatever was read of them may be stale.
    virtual void filesRestored() {}
};

} // namespace xbase
