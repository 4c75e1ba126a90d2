#include "xbase/Engine.h"

#include "xbase/LockWait.h"
#include "xbase/Table.h"

#include <algorithm>

namespace xbase {
namespace {

Status checkNewField(FieldDescriptor& f)
{
    switch (f.type) {
    case 'C':
        if (f.length < 1 || f.length > 254)
            return Status::invalidArgument("field " + f.name + ": width 1 to 254");
        f.decimals = 0;
        return Status::ok();
    case 'N': case 'F':
        if (f.length < 1 || f.length > 20 || (f.decimals > 0 && f.decimals + 2 > f.length))
            return Status::invalidArgument("field " + f.name + ": width 1 to 20 with room for the decimals");
        return Status::ok();
    case 'D': f.length = 8; break;
    case 'L': f.length = 1; break;
    case 'M': f.length = 10; break;
    default:
        return Status::invalidArgument("field " + f.name + ": type " + std::string(1, f.type) +
                                       " is not a FoxPro 2.x type");
    }
    f.decimals = 0;
    return Status::ok();
}

} // namespace

Engine::Engine(Env* env) : m_env(env) { installStandardExtensions(*this); }

Engine::~Engine() { (void)closeAll(); }

Status Engine::adopt(std::unique_ptr<Table> table, Table** out)
{
    for (const OpenHook& hook : m_openHooks) {
        Status s = hook(*table);
        if (!s.isOk()) {
            (void)table->close();
            return s;
        }
    }
    *out = table.get();
    m_tables.push_back(std::move(table));
    return Status::ok();
}

Status Engine::openTable(const std::string& path, Table** out)
{
    std::unique_ptr<Table> table;
    XB_RETURN_IF_ERROR(Table::open(*this, path, &table));
    return adopt(std::move(table), out);
}

Status Engine::createTable(const std::string& path, const TableDefinition& def, Table** out)
{
    std::vector<FieldDescriptor> fields = def.fields;
    for (FieldDescriptor& f : fields) {
        f.flags = 0;
        Status s = checkNewField(f);
        if (!s.isOk())
            return Status::invalidArgument(path + ": " + s.message());
    }
    RecordLayout layout;
    XB_RETURN_IF_ERROR(RecordLayout::build(std::move(fields), path, &layout));
    TableHeader header;
    header.version = layout.hasMemo() ? kFoxPro2Memo : kFoxBase;
    header.flags = def.structuralIndex ? kTableHasStructuralIndex : 0;
    header.codePage = 0x03;
    header.headerLength = uint16_t(TableHeader::kSize + 32 * layout.fieldCount() + 1);
    header.recordLength = uint16_t(layout.recordLength());
    header.touch();
    XB_RETURN_IF_ERROR(Table::create(*this, path, header, layout));
    return openTable(path, out);
}

Status Engine::closeTable(Table* table)
{
    auto it = std::find_if(m_tables.begin(), m_tables.end(), [table](const auto& t) { return t.get() == table; });
    if (it == m_tables.end())
        return Status::invalidArgument("the table is not open in this engine");
    Status s = (*it)->close();
    m_tables.erase(it);
    return s;
}

Status Engine::closeAll()
{
    Status result;
    while (!m_tables.empty()) {
        Status s = closeTable(m_tables.front().get());
        if (result.isOk())
            result = s;
    }
    return result;
}

// The settings' attempts and delay bound the wait: about (attempts - 1) x
// delay before Locked, one try when attempts is 1. Within that budget the
// lock is taken as soon as it frees, not at the next attempt.
Status Engine::waitLock(File& file, uint64_t offset, uint64_t length)
{
    const int attempts = m_settings.lockAttempts;
    const int64_t delay = std::max(0, m_settings.lockDelayMs);
    const std::chrono::microseconds budget =
        attempts < 0 ? std::chrono::microseconds(-1)
                     : std::chrono::milliseconds(int64_t(std::max(0, attempts - 1)) * delay);
    Status s = LockWait::take(file, offset, length, true, budget);
    if (s.isLocked())
        return Status::locked(file.path() + ": held by another user (lock at " + std::to_string(offset) + ")");
    return s;
}

void Engine::setErrorCode(int code)
{
    m_errorCode = code;
    if (code == 0)
        m_lastError = Status::ok();
}

void Engine::recordError(int code, const Status& status)
{
    m_errorCode = code;
    m_lastError = status;
}

} // namespace xbase
