#include "xbase/IndexTag.h"

#include "xbase/Table.h"

#include <cstdlib>

// Walking and searching a tag. The tree is kept in ascending order; a
// descending tag walks it backwards. A move starts from the entry the last
// move of this tag landed on, found again by its key when the index changed
// since; when the table was moved some other way, from the current record's
// key.

namespace xbase {

using namespace cdx;

Status IndexTag::recnoAt(const TreePos& pos, uint32_t* recno)
{
    if (!pos.valid()) {
        *recno = 0;
        return Status::ok();
    }
    std::string k(m_shape.keyLen, '\0');
    return m_tree.entry(pos, reinterpret_cast<uint8_t*>(k.data()), recno);
}

// The record at `pos` (0 past the end), remembered as the cursor.
Status IndexTag::land(const TreePos& pos, uint32_t* recno)
{
    m_cursor.recno = 0;
    *recno = 0;
    if (!pos.valid())
        return Status::ok();
    m_cursor.key.assign(m_shape.keyLen, '\0');
    XB_RETURN_IF_ERROR(m_tree.entry(pos, reinterpret_cast<uint8_t*>(m_cursor.key.data()), recno));
    m_cursor.recno = *recno;
    m_cursor.inTag = true;
    m_cursor.pos = pos;
    m_cursor.generation = m_file->generation();
    return Status::ok();
}

void IndexTag::recordWritten(uint32_t recno, const uint8_t* image)
{
    if (recno != m_cursor.recno)
        return;
    m_cursor.inTag = makeKey(image, &m_cursor.key);
    if (!m_cursor.inTag)
        keyOf(image, &m_cursor.key);
    m_cursor.generation = 0;
}

Status IndexTag::step(TreePos* pos, bool forward)
{
    if (!pos->valid())
        return Status::ok();
    return forward ? m_tree.next(pos) : m_tree.prev(pos);
}

Status IndexTag::first(uint32_t* recno)
{
    return m_file->read([&] {
        TreePos pos;
        XB_RETURN_IF_ERROR(m_descending ? m_tree.last(&pos) : m_tree.first(&pos));
        return land(pos, recno);
    });
}

Status IndexTag::last(uint32_t* recno)
{
    return m_file->read([&] {
        TreePos pos;
        XB_RETURN_IF_ERROR(m_descending ? m_tree.first(&pos) : m_tree.last(&pos));
        return land(pos, recno);
    });
}

// The entry of the table's current record, or (when the tag lacks it) the
// first entry above it; *onCurrent tells which.
Status IndexTag::locate(TreePos* pos, bool* onCurrent)
{
    const uint32_t current = m_table.recNo();
    if (m_cursor.recno != current) {
        // Outside the FOR filter the key still tells where the record would be.
        m_cursor.recno = current;
        m_cursor.inTag = makeKey(m_table.record(), &m_cursor.key);
        if (!m_cursor.inTag)
            keyOf(m_table.record(), &m_cursor.key);
        m_cursor.generation = 0;
    }
    if (m_cursor.inTag && m_cursor.generation == m_file->generation()) {
        *pos = m_cursor.pos;
        *onCurrent = true;
        return Status::ok();
    }
    const auto* kb = reinterpret_cast<const uint8_t*>(m_cursor.key.data());
    XB_RETURN_IF_ERROR(m_tree.lowerBound(kb, current, pos));
    *onCurrent = false;
    if (m_cursor.inTag && pos->valid()) {
        std::string found(m_shape.keyLen, '\0');
        uint32_t recno = 0;
        XB_RETURN_IF_ERROR(m_tree.entry(*pos, reinterpret_cast<uint8_t*>(found.data()), &recno));
        *onCurrent = recno == current && found == m_cursor.key;
    }
    return Status::ok();
}

Status IndexTag::skip(long delta, uint32_t* recno)
{
    auto walk = [&] {
        const bool physForward = (delta >= 0) != m_descending;
        long n = std::labs(delta);
        TreePos pos;
        if (m_table.eof() || m_table.recNo() == 0) {
            if (delta >= 0) {
                *recno = 0;
                return Status::ok();
            }
            XB_RETURN_IF_ERROR(m_descending ? m_tree.first(&pos) : m_tree.last(&pos));
            --n;
        } else {
            bool onCurrent = false;
            XB_RETURN_IF_ERROR(locate(&pos, &onCurrent));
            if (!onCurrent && physForward) {
                --n; // the entry above the record is already the next one
            } else if (!onCurrent && !pos.valid()) {
                XB_RETURN_IF_ERROR(m_tree.last(&pos));
                --n;
            }
        }
        for (; n > 0 && pos.valid(); --n)
            XB_RETURN_IF_ERROR(step(&pos, physForward));
        return land(pos, recno);
    };
    XB_RETURN_IF_ERROR(m_file->readStep(walk));
    if (*recno != 0 || m_file->exclusive())
        return Status::ok();
    // A walk that reaches an end looks at the file itself: others may have
    // added entries beyond what the cache held. Only then does it step
    // again; an end found in pages still current stands (a damaged chain
    // must not send the walk round again).
    const uint64_t seen = m_file->generation();
    return m_file->read([&] { return m_file->generation() == seen ? Status::ok() : walk(); });
}

// Lands on `pos` and tells whether its key begins with `prefix`.
bool IndexTag::begins(const TreePos& pos, const std::string& prefix, uint32_t* recno, Status* s)
{
    *s = land(pos, recno);
    return s->isOk() && pos.valid() && m_cursor.key.compare(0, prefix.size(), prefix) == 0;
}

Status IndexTag::seekPos(const std::string& prefix, TreePos* pos)
{
    std::string probe = prefix;
    if (!m_descending) {
        probe.resize(m_shape.keyLen, '\0');
        return m_tree.lowerBound(reinterpret_cast<const uint8_t*>(probe.data()), 0, pos);
    }
    // Descending: the last entry that begins with the prefix or lies below it.
    probe.resize(m_shape.keyLen, '\xFF');
    XB_RETURN_IF_ERROR(m_tree.lowerBound(reinterpret_cast<const uint8_t*>(probe.data()), 0xFFFFFFFFu, pos));
    if (pos->valid())
        return m_tree.prev(pos);
    return m_tree.last(pos);
}

Status IndexTag::seek(const std::string& prefix, uint32_t* recno, bool* found)
{
    return m_file->read([&] {
        TreePos pos;
        XB_RETURN_IF_ERROR(seekPos(prefix, &pos));
        Status s;
        *found = begins(pos, prefix, recno, &s);
        if (*found)
            m_table.willRead(m_tree.recnoBeside(pos, !m_descending)); // a seek-next may follow
        return s;
    });
}

// A step of a walk: it trusts the change counter as skip does, and, as a
// walk that reaches an end, looks at the file itself when no further key
// matches.
Status IndexTag::seekNext(const std::string& prefix, uint32_t* recno, bool* found)
{
    auto next = [&] {
        TreePos pos;
        bool onCurrent = false;
        Status s;
        if (!m_table.eof() && m_table.recNo() != 0) {
            XB_RETURN_IF_ERROR(locate(&pos, &onCurrent));
            uint32_t r = 0;
            if (onCurrent && begins(pos, prefix, &r, &s)) {
                XB_RETURN_IF_ERROR(step(&pos, !m_descending));
                *found = begins(pos, prefix, recno, &s);
                if (*found)
                    m_table.willRead(m_tree.recnoBeside(pos, !m_descending)); // the next seek-next lands there
                return s;
            }
            XB_RETURN_IF_ERROR(s);
        }
        XB_RETURN_IF_ERROR(seekPos(prefix, &pos));
        *found = begins(pos, prefix, recno, &s);
        return s;
    };
    XB_RETURN_IF_ERROR(m_file->readStep(next));
    if (*found || m_file->exclusive())
        return Status::ok();
    const uint64_t seen = m_file->generation();
    return m_file->read([&] { return m_file->generation() == seen ? Status::ok() : next(); });
}

} // namespace xbase
