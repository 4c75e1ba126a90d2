#pragma once

#include <QList>
#include <QString>
#include <QVariant>

#include <unordered_map>

// A record collection: one row carried between a window and the database
// object, as keyed values in the order they were added. Keys compare without
// regard to letter case, and a key is held at most once.
//
// Keys in use: one per field of the record type (texts handed to saving;
// reading adds numbers as 32-bit whole numbers and everything else as trimmed
// text), "_tablepath" (path of the data file), "_tablename" (its file name,
// the key of the table's identifier row), "_rowid" (below 1 for a row not yet
// stored; saving puts the issued identifier there), "_rectype" (the record
// type) and, for "_lockinfo", "editoper" ("C" clears the under-edit mark).
class RecColl {
public:
    RecColl() = default;
    // A collection for the row `rowid` of the table file `tablePath` and the
    // record type `rectype`: the four keys the database object needs.
    RecColl(const QString& tablePath, int rowid, const QString& rectype);

    // Adds a new key; false (and nothing changed) when the key is there already.
    bool add(const QString& key, const QVariant& value);
    // Adds or replaces.
    void set(const QString& key, const QVariant& value);
    bool remove(const QString& key);
    void clear();

    bool contains(const QString& key) const { return indexOf(key) >= 0; }
    // The value, or an invalid QVariant when the key is absent.
    QVariant value(const QString& key) const;
    // The value held for the key, or null when the key is absent; valid until
    // the collection next changes.
    const QVariant* find(const QString& key) const;
    QString text(const QString& key) const { return value(key).toString(); }
    int count() const { return static_cast<int>(m_items.size()); }
    bool isEmpty() const { return m_items.isEmpty(); }
    // The keys in the order they were added.
    QStringList keys() const;

private:
    // Keys equal without regard to letter case hash alike.
    struct FoldedHash {
        size_t operator()(const QString& key) const;
    };
    struct FoldedEqual {
        bool operator()(const QString& a, const QString& b) const;
    };

    qsizetype indexOf(const QString& key) const;

    QList<std::pair<QString, QVariant>> m_items;
    std::unordered_map<QString, qsizetype, FoldedHash, FoldedEqual> m_index; // key -> position in m_items
};
