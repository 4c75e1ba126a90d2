#include "data/RecColl.h"

#include <QFileInfo>

RecColl::RecColl(const QString& tablePath, int rowid, const QString& rectype)
{
    add(QStringLiteral("_tablepath"), tablePath);
    add(QStringLiteral("_tablename"), QFileInfo(tablePath).fileName());
    add(QStringLiteral("_rowid"), rowid);
    add(QStringLiteral("_rectype"), rectype);
}

qsizetype RecColl::indexOf(const QString& key) const
{
    return m_index.value(key.toCaseFolded(), -1);
}

void RecColl::reindex()
{
    m_index.clear();
    for (qsizetype i = 0; i < m_items.size(); ++i)
        m_index.insert(m_items[i].first.toCaseFolded(), i);
}

void RecColl::clear()
{
    m_items.clear();
    m_index.clear();
}

bool RecColl::add(const QString& key, const QVariant& value)
{
    if (contains(key))
        return false;
    m_index.insert(key.toCaseFolded(), m_items.size());
    m_items.append({key, value});
    return true;
}

void RecColl::set(const QString& key, const QVariant& value)
{
    const qsizetype i = indexOf(key);
    if (i < 0)
        add(key, value);
    else
        m_items[i].second = value;
}

bool RecColl::remove(const QString& key)
{
    const qsizetype i = indexOf(key);
    if (i < 0)
        return false;
    m_items.removeAt(i);
    reindex();
    return true;
}

QVariant RecColl::value(const QString& key) const
{
    const qsizetype i = indexOf(key);
    return i < 0 ? QVariant() : m_items[i].second;
}

QStringList RecColl::keys() const
{
    QStringList out;
    out.reserve(m_items.size());
    for (const auto& item : m_items)
        out.append(item.first);
    return out;
}
