#include "xbase/Journal.h"

#include "xbase/Coding.h"
#include "xbase/LockWait.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <cstring>
#include <map>

// The journal file: a 32-byte header, then entries of a 32-byte head and a
// payload. All words little-endian.
//
//   header: magic "XBJRNL02" (8), salt (8), zeros
//   entry:  salt (8), kind (1), file number (1), zeros (2), payload length
//           (4), where (8), checksum (4), zeros (4), payload
//
// Kind 'F' names a file of the call: payload its name in the table's folder,
// where its size before the call. Kind 'B' keeps a before-image: payload the
// bytes, where their offset. An entry counts only with the header's salt and
// a matching checksum, so entries of earlier calls that still lie further on
// in the file end the list. A zeroed magic means "nothing to play back".
// Journals of magic "XBJRNL01", which a process of an earlier version may
// have left, are played back as well: they differ only in the checksum.

namespace xbase {
namespace {

constexpr char kMagic[8] = {'X', 'B', 'J', 'R', 'N', 'L', '0', '2'};
constexpr char kMagicBytewise[8] = {'X', 'B', 'J', 'R', 'N', 'L', '0', '1'};
constexpr size_t kHeadSize = 32;
constexpr int kLockTimeoutMs = 60000;

// Which checksum the journal's magic names; 0 for none.
int versionOf(const uint8_t* magic)
{
    if (std::memcmp(magic, kMagic, sizeof kMagic) == 0)
        return 2;
    return std::memcmp(magic, kMagicBytewise, sizeof kMagicBytewise) == 0 ? 1 : 0;
}

// Version 1: FNV-1a over every byte.
uint32_t checksumBytewise(const uint8_t* head, const uint8_t* payload, size_t n)
{
    uint32_t h = 2166136261u;
    auto mix = [&h](const uint8_t* p, size_t len) {
        for (size_t i = 0; i < len; ++i)
            h = (h ^ p[i]) * 16777619u;
    };
    mix(head, 24); // the head up to its checksum
    mix(payload, n);
    return h;
}

// Version 2: the same multiply-and-mix eight bytes at a time, which a save
// of many index pages can afford.
uint32_t checksum(const uint8_t* head, const uint8_t* payload, size_t n)
{
    uint64_t h = 14695981039346656037ull;
    auto mix = [&h](const uint8_t* p, size_t len) {
        size_t i = 0;
        for (; i + 8 <= len; i += 8) {
            uint64_t w;
            std::memcpy(&w, p + i, 8);
            h = (h ^ w) * 1099511628211ull;
            h ^= h >> 29;
        }
        for (; i < len; ++i)
            h = (h ^ p[i]) * 1099511628211ull;
    };
    mix(head, 24); // the head up to its checksum
    mix(payload, n);
    return uint32_t(h ^ (h >> 32));
}

uint64_t freshSalt()
{
    static std::atomic<uint64_t> sequence{0};
    const auto now = uint64_t(std::chrono::steady_clock::now().time_since_epoch().count());
    const auto wall = uint64_t(std::chrono::system_clock::now().time_since_epoch().count());
    uint64_t x = now ^ (wall << 17) ^ (++sequence * 0x9E3779B97F4A7C15ull);
    x ^= x >> 31;
    x *= 0xBF58476D1CE4E5B9ull;
    x ^= x >> 29;
    return x == 0 ? 1 : x;
}

std::string folderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string nameOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Index files carry a change counter that readers trust their cached pages
// by (big-endian at byte 8).
bool isIndexFile(const std::string& name)
{
    if (name.size() < 4 || name[name.size() - 4] != '.')
        return false;
    std::string ext = name.substr(name.size() - 3);
    for (char& c : ext)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return ext == "cdx" || ext == "dcx";
}

constexpr uint64_t kCounterOffset = 8;

Status waitForLock(File& file, bool exclusive)
{
    Status s = LockWait::take(file, Journal::kLockOffset, 1, exclusive, std::chrono::milliseconds(kLockTimeoutMs));
    return s.isLocked() ? Status::locked(file.path() + ": another user is saving to the table") : s;
}

// Whether the journal holds a call to play back (its magic is set).
bool holdsCall(File& journal)
{
    uint8_t magic[sizeof kMagic] = {};
    size_t got = 0;
    return journal.readFastAt(0, magic, sizeof magic, &got).isOk() && got == sizeof magic && versionOf(magic) != 0;
}

struct Entry {
    uint8_t kind;
    uint8_t fileNo;
    uint64_t where;
    std::vector<uint8_t> payload;
};

// Reads the entries of the call that the journal holds; *valid is false
// when its magic is cleared (nothing to play back).
Status readEntries(File& journal, std::vector<Entry>* out, bool* valid)
{
    out->clear();
    uint8_t head[kHeadSize];
    size_t got = 0;
    XB_RETURN_IF_ERROR(journal.readFastAt(0, head, kHeadSize, &got));
    const int version = got == kHeadSize ? versionOf(head) : 0;
    *valid = version != 0;
    if (!*valid)
        return Status::ok();
    const uint64_t salt = coding::getU64LE(head + 8);
    uint64_t size = 0;
    XB_RETURN_IF_ERROR(journal.size(&size));
    for (uint64_t at = kHeadSize; at + kHeadSize <= size;) {
        XB_RETURN_IF_ERROR(journal.readAt(at, head, kHeadSize, &got));
        if (got != kHeadSize || coding::getU64LE(head) != salt)
            break;
        Entry e{head[8], head[9], coding::getU64LE(head + 16), {}};
        const uint32_t n = coding::getU32LE(head + 12);
        if ((e.kind != 'F' && e.kind != 'B') || n > size - at - kHeadSize)
            break;
        e.payload.resize(n);
        XB_RETURN_IF_ERROR(journal.readAt(at + kHeadSize, e.payload.data(), n, &got));
        const uint32_t sum = version == 2 ? checksum(head, e.payload.data(), n) : checksumBytewise(head, e.payload.data(), n);
        if (got != n || sum != coding::getU32LE(head + 24))
            break;
        at += kHeadSize + n;
        out->push_back(std::move(e));
    }
    return Status::ok();
}

Status readCounter(File& f, uint32_t* out)
{
    uint8_t b[4] = {};
    size_t got = 0;
    XB_RETURN_IF_ERROR(f.readFastAt(kCounterOffset, b, 4, &got));
    *out = got == 4 ? coding::getU32BE(b) : 0;
    return Status::ok();
}

// Puts the files back as the journal says they were, then clears its magic.
// Opens the files afresh by name, so it serves the open of any process.
Status playJournal(Env* env, const std::string& folder, File& journal, bool* played)
{
    *played = false;
    std::vector<Entry> entries;
    bool valid = false;
    XB_RETURN_IF_ERROR(readEntries(journal, &entries, &valid));
    if (!valid)
        return Status::ok();
    struct Target {
        std::unique_ptr<File> file;
        std::string name;
        uint64_t size;
        uint32_t counter = 0;
    };
    std::map<uint8_t, Target> files;
    for (const Entry& e : entries) {
        if (e.kind != 'F' || files.count(e.fileNo))
            continue;
        Target t{nullptr, std::string(e.payload.begin(), e.payload.end()), e.where};
        // Only files beside the table, whatever the journal says.
        if (t.name.empty() || t.name.find('/') != std::string::npos || t.name == "." || t.name == "..")
            return Status::corruption(journal.path() + ": names a file outside the table's folder");
        const std::string path = folder + t.name;
        if (env->exists(path)) {
            XB_RETURN_IF_ERROR(env->open(path, Env::OpenMode::ReadWrite, &t.file));
            if (isIndexFile(t.name))
                XB_RETURN_IF_ERROR(readCounter(*t.file, &t.counter));
        }
        files.emplace(e.fileNo, std::move(t));
    }
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        auto f = files.find(it->fileNo);
        if (it->kind != 'B' || f == files.end() || !f->second.file)
            continue;
        XB_RETURN_IF_ERROR(f->second.file->writeAt(it->where, it->payload.data(), it->payload.size()));
    }
    for (auto& [no, t] : files) {
        if (!t.file)
            continue;
        uint64_t size = 0;
        XB_RETURN_IF_ERROR(t.file->size(&size));
        if (size > t.size)
            XB_RETURN_IF_ERROR(t.file->truncate(t.size));
        if (isIndexFile(t.name) && t.size >= kCounterOffset + 4) {
            // A reader may have cached pages of the half-written state under
            // the counter it reached; a counter it has never seen makes every
            // reader read again.
            uint32_t restored = 0;
            XB_RETURN_IF_ERROR(readCounter(*t.file, &restored));
            uint8_t b[4];
            coding::putU32BE(b, std::max(restored, t.counter) + 1);
            XB_RETURN_IF_ERROR(t.file->writeAt(kCounterOffset, b, 4));
        }
    }
    const uint8_t cleared[sizeof kMagic] = {};
    XB_RETURN_IF_ERROR(journal.writeAt(0, cleared, sizeof cleared));
    *played = true;
    return Status::ok();
}

} // namespace

class Journal::FileEnv final : public EnvWrapper {
public:
    FileEnv(Env* target, Journal* journal) : EnvWrapper(target), m_journal(journal) {}
    Status open(const std::string& path, OpenMode mode, std::unique_ptr<File>* out) override
    {
        std::unique_ptr<File> file;
        XB_RETURN_IF_ERROR(target()->open(path, mode, &file));
        *out = std::make_unique<JournalledFile>(m_journal, std::move(file), nameOf(path));
        return Status::ok();
    }

private:
    Journal* m_journal;
};

Journal::Journal(Env* env, std::string tablePath)
    : m_env(env), m_tablePath(std::move(tablePath)), m_path(pathFor(m_tablePath)),
      m_fileEnv(std::make_unique<FileEnv>(env, this))
{
}

Journal::~Journal() = default;

Env* Journal::env() { return m_fileEnv.get(); }

Status Journal::recover(Env* env, const std::string& tablePath)
{
    const std::string path = pathFor(tablePath);
    if (!env->exists(path))
        return Status::ok();
    std::unique_ptr<File> journal;
    Status s = env->open(path, Env::OpenMode::ReadOnly, &journal);
    if (s.isNotFound()) // the last handle of another process removed it
        return Status::ok();
    XB_RETURN_IF_ERROR(s);
    if (!holdsCall(*journal))
        return Status::ok();
    std::unique_ptr<File> data;
    std::unique_ptr<File> writable;
    if (!env->open(tablePath, Env::OpenMode::ReadWrite, &data).isOk() ||
        !env->open(path, Env::OpenMode::ReadWrite, &writable).isOk())
        return refuseLeftover(env, tablePath, *journal);
    XB_RETURN_IF_ERROR(waitForLock(*data, true));
    bool played = false;
    s = playJournal(env, folderOf(tablePath), *writable, &played);
    Status u = data->unlock(kLockOffset, 1);
    return s.isOk() ? u : s;
}

// Without write access nothing can be played back. A live writer's call
// ends and clears the journal, so the opener waits for it as a reader; a
// call still there after that was left by a writer that died, and the files
// hold half of it: they are not to be read as if whole.
Status Journal::refuseLeftover(Env* env, const std::string& tablePath, File& journal)
{
    std::unique_ptr<File> data;
    XB_RETURN_IF_ERROR(env->open(tablePath, Env::OpenMode::ReadOnly, &data));
    XB_RETURN_IF_ERROR(waitForLock(*data, false));
    const bool left = holdsCall(journal);
    (void)data->unlock(kLockOffset, 1);
    if (!left)
        return Status::ok();
    return Status::ioError(tablePath + ": a save to this table was left unfinished; someone with write access to it "
                                       "must open it (with the program, bmtool check or bmtool dump) to put it "
                                       "right");
}

Status Journal::openJournal()
{
    if (m_file)
        return Status::ok();
    Status s = m_env->open(m_path, Env::OpenMode::ReadWrite, &m_file);
    if (s.isNotFound() || !m_env->exists(m_path)) {
        s = m_env->open(m_path, Env::OpenMode::CreateNew, &m_file);
        if (!s.isOk() && m_env->exists(m_path)) // another handle made it first
            s = m_env->open(m_path, Env::OpenMode::ReadWrite, &m_file);
    }
    // Whoever may write the table must be able to play back and write its
    // journal, whichever account made it under whatever umask; one its
    // maker gave less (an earlier version did) is mended by that maker.
    if (s.isOk())
        (void)m_file->shareAccessOf(m_tablePath);
    return s;
}

Status Journal::begin(File& dataFile, bool exclusive, bool* recovered)
{
    *recovered = false;
    if (m_depth++ > 0)
        return Status::ok();
    ++m_calls;
    Status s = openJournal();
    if (s.isOk() && !exclusive) {
        s = waitForLock(dataFile, true);
        m_locked = s.isOk();
    }
    if (s.isOk())
        s = playJournal(m_env, folderOf(m_tablePath), *m_file, recovered);
    if (!s.isOk()) {
        if (m_locked)
            (void)dataFile.unlock(kLockOffset, 1);
        m_locked = false;
        m_depth = 0;
    }
    return s;
}

Status Journal::end(File& dataFile, const Status& outcome, bool* restored)
{
    *restored = false;
    if (m_depth == 0 || --m_depth > 0)
        return Status::ok();
    Status s;
    if (m_started && outcome.isOk()) {
        const uint8_t cleared[sizeof kMagic] = {};
        s = writeJournal(0, cleared, sizeof cleared);
    } else if (m_started) {
        // On failure the journal stays valid whatever happens here, so that
        // the next writer plays it back if this does not get through.
        s = playJournal(m_env, folderOf(m_tablePath), *m_file, restored);
    }
    reset();
    if (m_locked) {
        Status u = dataFile.unlock(kLockOffset, 1);
        if (s.isOk())
            s = u;
        m_locked = false;
    }
    return s;
}

void Journal::reset()
{
    m_buf.clear(); // announced, never written: nothing of it changed
    m_broken = Status::ok();
    m_started = false;
    m_end = 0;
    m_touched.clear();
}

Status Journal::holdWriters(File& dataFile) { return waitForLock(dataFile, false); }

Status Journal::releaseWriters(File& dataFile) { return dataFile.unlock(kLockOffset, 1); }

void Journal::removeIfUnused(File& dataFile, uint64_t openLockOffset)
{
    if (!m_file && !m_env->exists(m_path))
        return;
    m_file.reset();
    m_fileHolds = 0;
    // The open lock held exclusively: no other handle can be writing.
    if (!dataFile.tryLock(openLockOffset, 1, true).isOk())
        return;
    std::unique_ptr<File> journal;
    if (m_env->open(m_path, Env::OpenMode::ReadOnly, &journal).isOk() && !holdsCall(*journal))
        (void)m_env->remove(m_path);
}

void Journal::addEntry(uint8_t kind, uint8_t fileNo, uint64_t where, const uint8_t* payload, uint32_t n)
{
    if (!m_started && m_buf.empty()) {
        m_salt = freshSalt();
        m_buf.assign(kHeadSize, 0);
        std::memcpy(m_buf.data(), kMagic, sizeof kMagic);
        coding::putU64LE(m_buf.data() + 8, m_salt);
    }
    const size_t at = m_buf.size();
    m_buf.resize(at + kHeadSize + n, 0);
    uint8_t* head = m_buf.data() + at;
    coding::putU64LE(head, m_salt);
    head[8] = kind;
    head[9] = fileNo;
    coding::putU32LE(head + 12, n);
    coding::putU64LE(head + 16, where);
    if (n)
        std::memcpy(head + kHeadSize, payload, n);
    coding::putU32LE(head + 24, checksum(head, payload, n));
}

Status Journal::writeEntries()
{
    if (m_buf.empty())
        return Status::ok();
    Status s = writeJournal(m_end, m_buf.data(), m_buf.size());
    if (s.isOk()) {
        m_end += m_buf.size();
        m_started = true;
    }
    m_buf.clear();
    return s;
}

Status Journal::protect(JournalledFile& file, const std::vector<std::pair<uint64_t, uint64_t>>& ranges)
{
    Touched* t = nullptr;
    for (Touched& c : m_touched)
        if (c.file == &file)
            t = &c;
    const size_t touched = m_touched.size();
    const size_t gathered = m_buf.size(); // entries of earlier announcements wait there too
    if (!t) {
        if (m_touched.size() >= 255)
            return Status::invalidArgument(m_path + ": too many files in one call");
        uint64_t size = 0;
        XB_RETURN_IF_ERROR(file.size(&size));
        const std::string& name = file.name();
        addEntry('F', uint8_t(m_touched.size()), size, reinterpret_cast<const uint8_t*>(name.data()), uint32_t(name.size()));
        m_touched.push_back({&file, size, {}});
        t = &m_touched.back();
    }
    const uint8_t fileNo = uint8_t(t - m_touched.data());
    // What this call adds to the saved regions: (start, the end it had, or
    // 0 when it was new), so that a failure takes it back.
    m_added.clear();
    // What did not reach the journal must not count as kept.
    auto forget = [&](Status s) {
        m_buf.resize(gathered);
        if (m_touched.size() > touched) {
            m_touched.resize(touched);
            return s;
        }
        auto& saved = m_touched[fileNo].saved;
        for (auto it = m_added.rbegin(); it != m_added.rend(); ++it) {
            if (it->second == 0)
                saved.erase(it->first);
            else
                saved[it->first] = it->second;
        }
        return s;
    };
    for (const auto& range : ranges) {
        const uint64_t offset = range.first, n = range.second;
        const uint64_t end = std::min(t->size, offset + std::min(n, ~uint64_t(0) - offset));
        if (offset >= end)
            continue; // beyond the old end: cutting the file back undoes it
        if (t->holds(offset, end))
            continue;
        m_before.resize(end - offset);
        size_t got = 0;
        Status s = file.inner().readFastAt(offset, m_before.data(), m_before.size(), &got);
        if (!s.isOk())
            return forget(s);
        addEntry('B', fileNo, offset, m_before.data(), uint32_t(got));
        auto [it, isNew] = t->saved.emplace(offset, end);
        m_added.emplace_back(offset, isNew ? 0 : it->second);
        if (!isNew)
            it->second = std::max(it->second, end);
    }
    return Status::ok();
}

// Nobody cuts a journal file short, and nobody removes it while a handle
// of its table is open: what it was seen to hold it holds, and a write
// there may go through a map.
Status Journal::writeJournal(uint64_t offset, const uint8_t* bytes, size_t n)
{
    if (offset + n <= m_fileHolds)
        return m_file->writeFastAt(offset, bytes, n);
    Status s = m_file->writeAt(offset, bytes, n);
    if (s.isOk())
        m_fileHolds = std::max(m_fileHolds, offset + n);
    return s;
}

// The file's size and its old bytes are in the journal before any byte of
// it changes.
Status Journal::beforeWrite()
{
    if (!m_broken.isOk())
        return m_broken;
    Status s = writeEntries();
    if (!s.isOk())
        m_broken = s;
    return s;
}

} // namespace xbase
