#pragma once

#include "xbase/Env.h"
#include "xbase/Field.h"
#include "xbase/Journal.h"
#include "xbase/MemoFile.h"
#include "xbase/RecordCache.h"
#include "xbase/RecordLayout.h"
#include "xbase/RecordObserver.h"
#include "xbase/RecordOrder.h"
#include "xbase/Status.h"
#include "xbase/TableExtension.h"
#include "xbase/TableHeader.h"

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace xbase {

class Engine;

// An open table: its data file, its memo file when it has memo fields, and a
// current record that the fields read and write.
//
// Access. Shared tables may be open in other handles and processes at the
// same time; the record count then comes from the file size, so that others'
// appends count at once: recordCount looks at the size on every call, moves
// only when they reach or pass the end of the count last seen. Exclusive
// tables are nobody else's while open. Both are enforced by a lock on
// kOpenLockOffset (see Engine, README.md).
//
// Reading. go (and so every seek), lock and discardChanges read the record
// from the file, except in an exclusive handle, which uses again what it
// read. top, skip and step walk with read-ahead (RecordCache): a walk may
// be served a record as it was up to RecordCache::kMaxAgeMs earlier; top
// starts afresh. Lock a record before relying on what another user may have
// changed in it, as with any buffered reader.
//
// Changes. Field assignments, delete and recall change the current record in
// memory. The change is written (commitRecord, with the observers told) by
// flush, unlock, close, or moving to another record. In shared mode with
// lock enforcement the record must be locked by this handle first, else the
// write fails with Locked. An append is started by appendStart (then blank,
// assignments) and written only by append; moving away discards it.
//
// Extension points for the index: addObserver (told of every record write),
// setOrder (takes over top/skip), addExtension (objects that live and close
// with the table), layout() (field offsets for key expressions).
class Table {
public:
    static constexpr uint64_t kHeaderLockOffset = 0x7FFFFFFE; // append lock
    // Not used by the FoxPro lock scheme: every open holds it shared, an
    // exclusive open holds it exclusively.
    static constexpr uint64_t kOpenLockOffset = 0x7FFFFFFF;
    static uint64_t recordLockOffset(uint32_t recno) { return kHeaderLockOffset - recno; }

    ~Table();
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    Engine& engine() const { return m_engine; }
    const std::string& path() const { return m_path; }
    const TableHeader& header() const { return m_header; }
    const RecordLayout& layout() const { return m_layout; }
    bool isExclusive() const { return m_exclusive; }
    bool isReadOnly() const { return m_readOnly; }
    File& dataFile() { return *m_file; }
    // The environment through which the table's own files (data, memo,
    // index) are opened, so that the journal sees their writes.
    Env* fileEnv() { return m_journal->env(); }
    MemoFile* memoFile() { return m_memo.get(); }

    size_t fieldCount() const { return m_fields.size(); }
    Field* field(size_t i) { return m_fields[i].get(); }
    // The field named `name` (letter case ignored), or null.
    Field* field(std::string_view name);

    // Position. recNo() is 0 before the first move and count + 1 after the
    // walk ran off the end (eof), when the record image is blank.
    uint32_t recNo() const { return m_recno; }
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    Status recordCount(uint32_t* out);
    Status go(uint32_t recno);
    // As go, for the steps of a walk that an index leads (a seek-next): the
    // record may come from what was read ahead, as in a tag walk.
    Status step(uint32_t recno);
    Status top();
    Status skip(long delta);
    // Leaves the table past its last record (eof), as a seek that finds
    // nothing does.
    Status goEof();
    // A record a walk is likely to read next: the file may start bringing
    // it into the processor's cache.
    void willRead(uint32_t recno)
    {
        if (recno >= 1 && recno <= m_count)
            m_file->prefetch(recordOffset(recno), m_header.recordLength);
    }
    // Forgets the records read ahead, so that the next moves read the file
    // (by the index when it sees that another handle changed the index).
    void dropReadAhead() { m_readAhead.clear(); }
    // The order that top/skip follow; null for record order. Not owned.
    void setOrder(RecordOrder* order) { m_order = order; }
    RecordOrder* order() const { return m_order; }

    // The current record image (layout().recordLength() bytes), valid until
    // the table moves or the record changes.
    const uint8_t* record() const { return m_view; }
    // For changes: marks the record changed.
    uint8_t* recordForUpdate();
    bool changed() const { return m_changed; }
    bool deleted() const { return m_view[0] == '*'; }
    Status deleteRecord() { return setDeleted(true); }
    Status recall() { return setDeleted(false); }

    Status appendStart();
    Status blank();
    Status append();
    bool appending() const { return m_appending; }
    // A batch, for an exclusive handle: the appends (and any other writes)
    // between beginBatch and endBatch make one call that writes. Records
    // and memo blocks go to the files as they are appended; the header's
    // count and date, the end byte, the memo file's header and the index
    // pages are written once, by endBatch (index pages earlier only when
    // they leave the page cache). All or nothing, as any call: a process
    // that dies before endBatch has returned leaves the table as it was at
    // beginBatch. A write that fails inside the batch fails the batch:
    // later writes are refused with that failure, and endBatch puts the
    // files back as they were at beginBatch and returns it. close ends an
    // open batch.
    Status beginBatch();
    Status endBatch();
    bool inBatch() const { return m_batch; }

    // Drops pending assignments: the current record is read again, a started
    // append is abandoned.
    Status discardChanges();

    // Writes the pending change of the current record.
    Status flush();

    // Record locks of this handle (no-ops when exclusive or read-only). lock
    // waits as the engine's settings say and returns Locked when another
    // holder kept the record; once locked, the current record is read again
    // unless it has pending changes. unlock writes pending changes first.
    Status lock(uint32_t recno);
    Status unlock();
    bool isLocked(uint32_t recno) const { return m_locks.count(recno) != 0; }

    void addObserver(RecordObserver* observer) { m_observers.push_back(observer); }
    void removeObserver(RecordObserver* observer);
    void addExtension(std::unique_ptr<TableExtension> extension) { m_extensions.push_back(std::move(extension)); }
    template <class T> T* extension() const
    {
        for (const auto& e : m_extensions)
            if (auto* t = dynamic_cast<T*>(e.get()))
                return t;
        return nullptr;
    }

    // Keeps other handles from writing while the caller reads the whole
    // table (a check): waits until a call that writes has ended. No-op for
    // an exclusive handle.
    Status holdWriters();
    Status releaseWriters();

    // Sets or clears the structural index flag in the header (by the index
    // when it creates or drops the table's .cdx).
    Status setStructuralIndexFlag(bool on);

private:
    friend class Engine;
    friend class Field; // reads the current image without a call, tells of memos it holds
    Table(Engine& engine, std::string path);

    static Status open(Engine& engine, const std::string& path, std::unique_ptr<Table>* out);
    static Status create(Engine& engine, const std::string& path, const TableHeader& header,
                         const RecordLayout& layout);
    Status openFiles();
    Status readHeader();
    Status openMemo();
    Status close();

    // How load reads: from the file; with blocks read ahead (a walk in
    // record order); or a block only where the walk has been before (a tag
    // walk, whose records cluster or not).
    // Cached: from a block already read, else the record alone.
    enum class Read { Fresh, Ahead, Clustered, Cached };

    Status setDeleted(bool on);
    Status leaveRecord();
    Status moveTo(uint32_t recno, Read how);
    Status countFor(uint64_t recno, uint32_t* count);
    Status load(uint32_t recno, Read how, bool* inFile);
    Status fetch(uint32_t recno, Read how, bool* inFile);
    Status loadInOrder(uint32_t recno);
    Status cutShort(uint32_t recno) const;
    Status readImage(uint32_t recno, uint8_t* image);
    void setBlank(uint8_t* image) const;
    uint8_t* ownImage();
    void positionAtEof(uint32_t count);
    void resetMemos();
    uint64_t recordOffset(uint32_t recno) const { return m_header.headerLength + uint64_t(recno - 1) * m_header.recordLength; }

    // Every call that writes runs between these two (README.md, "Saves and
    // crashes"): the files reach the state after the call whole, or the one
    // before it.
    Status beginWrite();
    Status endWrite(const Status& outcome);
    void filesRestored(bool discard);

    Status commitRecord(uint32_t recno, const uint8_t* oldImage);
    Status writeRecord(uint32_t recno);
    Status writePending();
    Status storeMemos();
    Status writeChanged();
    Status appendLocked();
    Status writeHeaderCount(uint32_t count);
    Status takeLock(uint64_t offset);

    Engine& m_engine;
    std::string m_path;
    std::unique_ptr<Journal> m_journal;
    std::unique_ptr<File> m_file;
    std::unique_ptr<MemoFile> m_memo;
    TableHeader m_header;
    RecordLayout m_layout;
    std::vector<std::unique_ptr<Field>> m_fields;
    bool m_exclusive = false;
    bool m_readOnly = false;

    std::vector<uint8_t> m_record;
    // The current image: m_record, or a record read ahead while it is
    // only read (ownImage copies it into m_record before any change).
    const uint8_t* m_view = nullptr;
    uint32_t m_recno = 0;
    // Exclusive: the count as this handle keeps it. Shared: the count last
    // seen, which moves within it trust.
    uint32_t m_count = 0;
    bool m_eof = false;
    bool m_bof = false;
    bool m_changed = false;
    bool m_appending = false;
    bool m_batch = false;
    Status m_batchStatus; // the first failure inside the batch
    uint32_t m_batchCount = 0; // the count at beginBatch
    // Records a batch appended that wait to be written together, from
    // m_pendingFirst on. Every read of the data file writes them first.
    static constexpr size_t kPendingBytes = 256 * 1024;
    std::vector<uint8_t> m_pending;
    uint32_t m_pendingFirst = 0;
    std::set<uint32_t> m_locks;
    RecordCache m_readAhead;
    std::vector<uint8_t> m_scratch; // a record read from the file before it is known whole
    std::vector<uint8_t> m_appended; // a new last record and the end-of-file byte, written together
    std::vector<uint8_t> m_old;     // the record as the file holds it, while a change is written
    std::vector<Field*> m_memoFields;
    bool m_memosHeld = false; // a memo field loaded or assigned its text since resetMemos

    RecordOrder* m_order = nullptr;
    std::vector<RecordObserver*> m_observers;
    std::vector<std::unique_ptr<TableExtension>> m_extensions;
};

} // namespace xbase
