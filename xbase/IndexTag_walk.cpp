#include "xbase/IndexTag.h"

#include "xbase/Table.h"

#include <cstdlib>

// Walking and searching a tag. The tree is kept in ascending order; a
// descending tag walks it backwards. Positions are found afresh from the
// table's current record, so that changes made since the last move (by this
// handle or another process) never leave a stale place.

namespace xbase {

using namespace cdx;

Status IndexTag::recnoAt(const TreePos& pos, uint32_t* recno)
{
    if (!pos.valid()) {
        *recno = 0;
        return Status::ok();
    }
    std::string k(m_spec.keyLen, '\0');
    return m_tree.entry(pos, reinterpret_cast<uint8_t*>(k.data()), recno);
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
        return recnoAt(pos, recno);
    });
}

Status IndexTag::last(uint32_t* recno)
{
    return m_file->read([&] {
        TreePos pos;
        XB_RETURN_IF_ERROR(m_descending ? m_tree.first(&pos) : m_tree.last(&pos));
        return recnoAt(pos, recno);
    });
}

// The entry of the table's current record, or (when the tag lacks it) the
// first entry above it; *onCurrent tells which.
Status IndexTag::locate(TreePos* pos, bool* onCurrent)
{
    std::string k;
    const uint32_t current = m_table.recNo();
    // Outside the FOR filter the key still tells where the record would be.
    const bool inTag = !m_for || m_for->isTrue(m_table.record());
    keyOf(m_table.record(), &k);
    const auto* kb = reinterpret_cast<const uint8_t*>(k.data());
    XB_RETURN_IF_ERROR(m_tree.lowerBound(kb, current, pos));
    *onCurrent = false;
    if (inTag && pos->valid()) {
        std::string found(m_spec.keyLen, '\0');
        uint32_t recno = 0;
        XB_RETURN_IF_ERROR(m_tree.entry(*pos, reinterpret_cast<uint8_t*>(found.data()), &recno));
        *onCurrent = recno == current && found == k;
    }
    return Status::ok();
}

Status IndexTag::skip(long delta, uint32_t* recno)
{
    return m_file->read([&] {
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
        return recnoAt(pos, recno);
    });
}

bool IndexTag::begins(const TreePos& pos, const std::string& prefix, uint32_t* recno, Status* s)
{
    if (!pos.valid()) {
        *recno = 0;
        return false;
    }
    std::string k(m_spec.keyLen, '\0');
    *s = m_tree.entry(pos, reinterpret_cast<uint8_t*>(k.data()), recno);
    return s->isOk() && k.compare(0, prefix.size(), prefix) == 0;
}

Status IndexTag::seekPos(const std::string& prefix, TreePos* pos)
{
    std::string probe = prefix;
    if (!m_descending) {
        probe.resize(m_spec.keyLen, '\0');
        return m_tree.lowerBound(reinterpret_cast<const uint8_t*>(probe.data()), 0, pos);
    }
    // Descending: the last entry that begins with the prefix or lies below it.
    probe.resize(m_spec.keyLen, '\xFF');
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
        return s;
    });
}

Status IndexTag::seekNext(const std::string& prefix, uint32_t* recno, bool* found)
{
    return m_file->read([&] {
        TreePos pos;
        bool onCurrent = false;
        Status s;
        if (!m_table.eof() && m_table.recNo() != 0) {
            XB_RETURN_IF_ERROR(locate(&pos, &onCurrent));
            uint32_t r = 0;
            if (onCurrent && begins(pos, prefix, &r, &s)) {
                XB_RETURN_IF_ERROR(step(&pos, !m_descending));
                *found = begins(pos, prefix, recno, &s);
                return s;
            }
            XB_RETURN_IF_ERROR(s);
        }
        XB_RETURN_IF_ERROR(seekPos(prefix, &pos));
        *found = begins(pos, prefix, recno, &s);
        return s;
    });
}

} // namespace xbase
