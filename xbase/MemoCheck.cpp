#include "xbase/MemoCheck.h"

#include "xbase/Field.h"
#include "xbase/MemoFile.h"
#include "xbase/Table.h"

namespace xbase {
namespace {

constexpr uint32_t kLastKnownType = 2;

// The fault of one memo pointer of the current record, or "" when it is sound.
std::string memoFault(Table& table, Field& field)
{
    uint32_t block = 0;
    Status s = field.memoBlock(&block);
    if (!s.isOk())
        return s.message();
    if (block == 0)
        return {};
    MemoFile* memo = table.memoFile();
    if (!memo)
        return table.path() + ": memo pointer " + std::to_string(block) + " in a table without a memo file";
    uint32_t type = 0, length = 0;
    s = memo->blockHeader(block, &type, &length);
    if (!s.isOk())
        return s.message();
    if (type > kLastKnownType)
        return memo->path() + ": memo at block " + std::to_string(block) + " has type " + std::to_string(type) +
               ", which no memo has";
    return {};
}

Status checkRecords(Table& table, std::vector<std::string>* problems)
{
    std::vector<Field*> memos;
    for (size_t i = 0; i < table.fieldCount(); ++i)
        if (table.field(i)->isMemo())
            memos.push_back(table.field(i));
    if (memos.empty())
        return Status::ok();
    uint32_t count = 0;
    XB_RETURN_IF_ERROR(table.recordCount(&count));
    for (uint32_t r = 1; r <= count; ++r) {
        XB_RETURN_IF_ERROR(table.go(r));
        for (Field* f : memos) {
            const std::string fault = memoFault(table, *f);
            if (!fault.empty())
                problems->push_back("record " + std::to_string(r) + ", field " + f->name() + ": " + fault);
        }
    }
    return Status::ok();
}

} // namespace

Status checkMemos(Table& table, std::vector<std::string>* problems)
{
    XB_RETURN_IF_ERROR(table.flush());
    XB_RETURN_IF_ERROR(table.holdWriters());
    Status s = checkRecords(table, problems);
    Status r = table.releaseWriters();
    return s.isOk() ? r : s;
}

} // namespace xbase
