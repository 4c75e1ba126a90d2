#include "xbase/Index.h"

#include "xbase/Table.h"

#include <algorithm>

// Keeping the tags in step with a record write. beforeWrite takes the index
// lock, works out which keys leave and enter, refuses candidate duplicates
// before anything changes, and changes the trees in memory; afterWrite undoes
// the change when the record did not reach the file, then writes the pages
// and releases the lock.

namespace xbase {

using namespace cdx;

namespace {

const uint8_t* bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

// Whether the tag holds `key` for a record other than `recno`.
Status holdsOther(IndexTag& tag, const std::string& key, uint32_t recno, bool* out)
{
    TreePos pos;
    XB_RETURN_IF_ERROR(tag.tree().lowerBound(bytes(key), 0, &pos));
    *out = false;
    while (pos.valid()) {
        std::string k(tag.keyLen(), '\0');
        uint32_t r = 0;
        XB_RETURN_IF_ERROR(tag.tree().entry(pos, reinterpret_cast<uint8_t*>(k.data()), &r));
        if (k != key)
            return Status::ok();
        if (r != recno) {
            *out = true;
            return Status::ok();
        }
        XB_RETURN_IF_ERROR(tag.tree().next(&pos));
    }
    return Status::ok();
}

} // namespace

Status Index::beforeWrite(Table&, uint32_t recno, const uint8_t* oldImage, const uint8_t* newImage)
{
    m_changes.clear();
    // A batch keeps the pages it changes until its end, up to a bound.
    if (m_table.inBatch())
        m_file->setCacheNodes(std::max(m_cacheNodes, kBatchCacheNodes));
    for (const auto& t : m_tags) {
        Change c{t.get(), {}, {}, false, false};
        c.remove = oldImage && t->makeKey(oldImage, &c.oldKey);
        c.add = t->makeKey(newImage, &c.newKey);
        if (c.remove && c.add && c.oldKey == c.newKey)
            continue;
        m_changes.push_back(std::move(c));
    }
    if (m_changes.empty())
        return Status::ok();
    m_written.assign(newImage, newImage + m_table.layout().recordLength());
    XB_RETURN_IF_ERROR(m_file->beginWrite());
    Status s = checkCandidates(recno);
    if (s.isOk())
        s = apply(recno);
    // The pages are known now: their old bytes go to the journal with the
    // record's and the memo's, in one write.
    if (s.isOk() && !m_table.inBatch())
        s = m_file->announce();
    if (!s.isOk()) {
        // A refused key is taken back; after damage nothing of the change
        // is trusted. Either way no page of it reaches the file.
        if (!s.isCorruption())
            undo(recno);
        m_changes.clear();
        m_file->forgetPages();
        (void)m_file->end();
        return s;
    }
    m_writing = true;
    return Status::ok();
}

Status Index::afterWrite(Table&, uint32_t recno, const Status& outcome)
{
    if (!m_writing)
        return Status::ok();
    m_writing = false;
    if (!outcome.isOk())
        undo(recno);
    else
        for (const Change& c : m_changes)
            c.tag->recordWritten(recno, m_written.data());
    Status s = m_file->end();
    // Exclusive handles write their pages in each call too, so that a call
    // that returned has all of its change in the files; a batch is one
    // call, which writes them at its end.
    if (s.isOk() && m_table.isExclusive() && outcome.isOk() && !m_table.inBatch())
        s = m_file->flush();
    return s;
}

Status Index::checkCandidates(uint32_t recno)
{
    for (const Change& c : m_changes) {
        if (!c.add || !(c.tag->options() & kOptCandidate))
            continue;
        bool taken = false;
        XB_RETURN_IF_ERROR(holdsOther(*c.tag, c.newKey, recno, &taken));
        if (taken)
            return Status::invalidArgument(m_table.path() + ": another record has this key in tag " + c.tag->name());
    }
    return Status::ok();
}

// Each change records what was really done, for undo.
Status Index::apply(uint32_t recno)
{
    for (Change& c : m_changes) {
        CdxTree& tree = c.tag->tree();
        if (c.remove)
            XB_RETURN_IF_ERROR(tree.remove(bytes(c.oldKey), recno, &c.removed));
        bool taken = false;
        if (c.add && (c.tag->options() & kOptUnique))
            XB_RETURN_IF_ERROR(holdsOther(*c.tag, c.newKey, recno, &taken));
        if (c.add && !taken)
            XB_RETURN_IF_ERROR(tree.insert(bytes(c.newKey), recno, &c.added));
    }
    return Status::ok();
}

void Index::undo(uint32_t recno)
{
    for (auto it = m_changes.rbegin(); it != m_changes.rend(); ++it) {
        CdxTree& tree = it->tag->tree();
        if (it->added)
            (void)tree.remove(bytes(it->newKey), recno);
        if (it->removed)
            (void)tree.insert(bytes(it->oldKey), recno);
    }
    m_changes.clear();
}

} // namespace xbase
