#include "data/RecColl.h"

#include <QFileInfo>

namespace {

// Keys are short and mostly ASCII: hashing and comparing them a character at
// a time spares the folded copy that a lookup would otherwise build.
bool hasSurrogates(const QString& s)
{
    for (QChar c : s)
        if (c.isSurrogate())
            return true;
    return false;
}

} // namespace

size_t RecColl::FoldedHash::operator()(const QString& key) const
{
    // Letters outside the basic plane fold as whole code points; the rare key
    // that holds one is hashed from its folded copy.
    if (hasSurrogates(key))
        return qHash(key.toCaseFolded());
    size_t h = 0;
    for (QChar c : key) {
        const char16_t u = c.unicode();
        const char16_t f = u < 0x80 ? char16_t(u >= 'A' && u <= 'Z' ? u + 32 : u) : QChar::toCaseFolded(u);
        h = h * 31 + f;
    }
    return h;
}

bool RecColl::FoldedEqual::operator()(const QString& a, const QString& b) const
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

RecColl::RecColl(const QString& tablePath, int rowid, const QString& rectype)
{
    add(QStringLiteral("_tablepath"), tablePath);
    add(QStringLiteral("_tablename"), QFileInfo(tablePath).fileName());
    add(QStringLiteral("_rowid"), rowid);
    add(QStringLiteral("_rectype"), rectype);
}

qsizetype RecColl::indexOf(const QString& key) const
{
    const auto it = m_index.find(key);
    return it == m_index.end() ? -1 : it->second;
}

void RecColl::clear()
{
    m_items.clear();
    m_index.clear();
}

bool RecColl::add(const QString& key, const QVariant& value)
{
    if (!m_index.try_emplace(key, m_items.size()).second)
        return false;
    m_items.append({key, value});
    return true;
}

void RecColl::set(const QString& key, const QVariant& value)
{
    const auto [it, added] = m_index.try_emplace(key, m_items.size());
    if (added)
        m_items.append({key, value});
    else
        m_items[it->second].second = value;
}

bool RecColl::remove(const QString& key)
{
    const auto it = m_index.find(key);
    if (it == m_index.end())
        return false;
    const qsizetype i = it->second;
    m_index.erase(it);
    m_items.removeAt(i);
    for (auto& [k, at] : m_index)
        if (at > i)
            --at;
    return true;
}

const QVariant* RecColl::find(const QString& key) const
{
    const qsizetype i = indexOf(key);
    return i < 0 ? nullptr : &m_items[i].second;
}

QVariant RecColl::value(const QString& key) const
{
    const QVariant* v = find(key);
    return v ? *v : QVariant();
}

QStringList RecColl::keys() const
{
    QStringList out;
    out.reserve(m_items.size());
    for (const auto& item : m_items)
        out.append(item.first);
    return out;
}
