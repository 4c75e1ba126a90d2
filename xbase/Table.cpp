#include "xbase/Table.h"

#include "xbase/Engine.h"
#include "xbase/LockWait.h"

#include <algorithm>
#include <cctype>

namespace xbase {
namespace {

std::string lower(std::string s)
{
    for (char& c : s)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string upper(std::string s)
{
    for (char& c : s)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// The memo file has the data file's name with .fpt (.dct for a database
// container). Files copied from other systems may carry either letter case.
std::string memoPathFor(Env* env, const std::string& dataPath)
{
    const size_t slash = dataPath.find_last_of('/');
    size_t dot = dataPath.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        dot = dataPath.size();
    const std::string ext = dataPath.substr(std::min(dot + 1, dataPath.size()));
    const std::string memoExt = lower(ext) == "dbc" ? "dct" : "fpt";
    const bool upperFirst = !ext.empty() && ext == upper(ext) && ext != lower(ext);
    const std::string stem = dataPath.substr(0, dot) + ".";
    const std::string first = stem + (upperFirst ? upper(memoExt) : memoExt);
    const std::string second = stem + (upperFirst ? memoExt : upper(memoExt));
    if (!env->exists(first) && env->exists(second))
        return second;
    return first;
}

} // namespace

Table::Table(Engine& engine, std::string path)
    : m_engine(engine), m_path(std::move(path)), m_journal(std::make_unique<Journal>(engine.env(), m_path))
{
}

Table::~Table() = default;

Status Table::open(Engine& engine, const std::string& path, std::unique_ptr<Table>* out)
{
    std::unique_ptr<Table> table(new Table(engine, path));
    XB_RETURN_IF_ERROR(table->openFiles());
    *out = std::move(table);
    return Status::ok();
}

Status Table::openFiles()
{
    const EngineSettings& s = m_engine.settings();
    m_readOnly = s.readOnly;
    // A read-only file cannot carry a write lock, so read-only opens are
    // always shared.
    m_exclusive = s.exclusive && !s.readOnly;
    XB_RETURN_IF_ERROR(fileEnv()->open(m_path, m_readOnly ? Env::OpenMode::ReadOnly : Env::OpenMode::ReadWrite, &m_file));
    // The last handle to close holds the open lock exclusively for a moment
    // while it removes the journal file; a shared open waits that out.
    Status locked = LockWait::take(*m_file, kOpenLockOffset, 1, m_exclusive,
                                   std::chrono::microseconds(m_exclusive ? 0 : 100000));
    if (locked.isLocked())
        return Status::locked(m_path + (m_exclusive ? ": the table is in use and cannot be opened exclusively"
                                                    : ": the table is open exclusively elsewhere"));
    XB_RETURN_IF_ERROR(locked);
    // What a writer that died in the middle of a call left is undone before
    // anything is read.
    XB_RETURN_IF_ERROR(Journal::recover(m_engine.env(), m_path));
    XB_RETURN_IF_ERROR(readHeader());
    XB_RETURN_IF_ERROR(openMemo());
    for (size_t i = 0; i < m_layout.fieldCount(); ++i) {
        m_fields.push_back(std::make_unique<Field>(*this, i));
        if (m_fields.back()->isMemo())
            m_memoFields.push_back(m_fields.back().get());
    }
    m_readAhead.configure(m_header.headerLength, m_header.recordLength, !m_exclusive);
    m_scratch.assign(m_header.recordLength, ' ');
    m_record.assign(m_header.recordLength, ' ');
    setBlank(m_record.data());
    m_view = m_record.data();
    return Status::ok();
}

Status Table::readHeader()
{
    // The header first, the size after: appenders write the record before
    // the count, so a count read first never exceeds the size read later.
    uint8_t fixed[TableHeader::kSize] = {};
    size_t got = 0;
    uint64_t size = 0;
    XB_RETURN_IF_ERROR(m_file->readAt(0, fixed, sizeof fixed, &got));
    XB_RETURN_IF_ERROR(m_file->size(&size));
    XB_RETURN_IF_ERROR(TableHeader::decode(fixed, size, m_path, &m_header));
    std::vector<uint8_t> header(m_header.headerLength);
    XB_RETURN_IF_ERROR(m_file->readAt(0, header.data(), header.size(), &got));
    if (got != header.size())
        return Status::corruption(m_path + ": truncated header");
    XB_RETURN_IF_ERROR(RecordLayout::decode(header.data(), header.size(), m_header.recordLength,
                                            m_header.isVisualFoxPro(), m_path, &m_layout));
    m_count = m_header.recordCount;
    return Status::ok();
}

Status Table::openMemo()
{
    if (!m_layout.hasMemo())
        return Status::ok();
    const std::string memoPath = memoPathFor(m_engine.env(), m_path);
    if (!m_engine.env()->exists(memoPath))
        return Status::notFound(m_path + ": memo file " + memoPath + " is missing");
    return MemoFile::open(fileEnv(), memoPath, m_readOnly, &m_memo);
}

Status Table::create(Engine& engine, const std::string& path, const TableHeader& header, const RecordLayout& layout)
{
    Env* env = engine.env();
    std::unique_ptr<File> file;
    XB_RETURN_IF_ERROR(env->open(path, Env::OpenMode::CreateNew, &file));
    std::vector<uint8_t> bytes(TableHeader::kSize);
    header.encode(bytes.data());
    layout.encode(&bytes);
    bytes.push_back(0x1A);
    Status s = file->writeAt(0, bytes.data(), bytes.size());
    std::unique_ptr<MemoFile> memo;
    if (s.isOk() && layout.hasMemo())
        s = MemoFile::create(env, memoPathFor(env, path), &memo);
    file.reset();
    if (!s.isOk())
        (void)env->remove(path);
    return s;
}

Status Table::close()
{
    Status result = leaveRecord();
    if (m_batch) {
        Status s = endBatch();
        if (result.isOk())
            result = s;
    }
    for (auto& extension : m_extensions) {
        Status s = extension->close();
        if (result.isOk())
            result = s;
    }
    m_extensions.clear();
    m_observers.clear();
    m_order = nullptr;
    m_locks.clear(); // closing the files releases every lock they hold
    m_memo.reset();
    if (m_file && !m_readOnly)
        m_journal->removeIfUnused(*m_file, kOpenLockOffset);
    m_file.reset();
    return result;
}

Field* Table::field(std::string_view name)
{
    const auto index = m_layout.find(name);
    return index ? m_fields[*index].get() : nullptr;
}

void Table::removeObserver(RecordObserver* observer)
{
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), observer), m_observers.end());
}

Status Table::setStructuralIndexFlag(bool on)
{
    const uint8_t flags = uint8_t(on ? m_header.flags | kTableHasStructuralIndex : m_header.flags & ~kTableHasStructuralIndex);
    XB_RETURN_IF_ERROR(beginWrite());
    XB_RETURN_IF_ERROR(endWrite(m_file->writeAt(TableHeader::kFlagsOffset, &flags, 1)));
    m_header.flags = flags;
    return Status::ok();
}

Status Table::beginWrite()
{
    if (m_batch && !m_batchStatus.isOk())
        return m_batchStatus;
    bool recovered = false;
    XB_RETURN_IF_ERROR(m_journal->begin(*m_file, m_exclusive, &recovered));
    if (recovered)
        filesRestored(false);
    return Status::ok();
}

Status Table::endWrite(const Status& outcome)
{
    if (m_batch && !outcome.isOk() && m_batchStatus.isOk())
        m_batchStatus = outcome;
    bool restored = false;
    Status s = m_journal->end(*m_file, outcome, &restored);
    if (restored)
        filesRestored(true);
    return outcome.isOk() ? s : outcome;
}

// After a play-back: what was read ahead and counted may be gone. `discard`
// also drops the change of the current record, which did not get through.
void Table::filesRestored(bool discard)
{
    m_readAhead.clear();
    m_pending.clear();
    uint64_t size = 0;
    if (m_file->size(&size).isOk()) {
        const uint64_t n = size > m_header.headerLength ? (size - m_header.headerLength) / m_header.recordLength : 0;
        m_count = uint32_t(std::min<uint64_t>(n, UINT32_MAX - 1));
        m_header.recordCount = m_count;
    }
    for (auto& extension : m_extensions)
        extension->filesRestored();
    if (!discard)
        return;
    if (m_changed) {
        // The record did not reach the file and its change stays pending;
        // memo pointers that the call set name blocks that are gone now.
        for (const FieldDescriptor& f : m_layout.fields())
            if (f.isMemo()) {
                if (m_appending)
                    std::fill_n(m_record.begin() + f.offset, f.length, uint8_t(f.length == 4 ? 0 : ' '));
                else if (m_old.size() == m_record.size())
                    std::copy_n(m_old.begin() + f.offset, f.length, m_record.begin() + f.offset);
            }
        return;
    }
    if (m_recno > m_count && !m_appending)
        positionAtEof(m_count);
    (void)discardChanges();
}

Status Table::holdWriters() { return m_exclusive ? Status::ok() : m_journal->holdWriters(*m_file); }

Status Table::releaseWriters() { return m_exclusive ? Status::ok() : m_journal->releaseWriters(*m_file); }

} // namespace xbase
