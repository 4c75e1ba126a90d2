#pragma once

#include "xbase/CdxTree.h"
#include "xbase/Expr.h"
#include "xbase/KeyCodec.h"
#include "xbase/RecordOrder.h"

#include <memory>
#include <string>

namespace xbase {

class Table;

// What makes a tag: its name, key and FOR expressions and options. Used to
// create index files and read back from them.
struct TagDefinition {
    std::string name;    // up to 10 characters; stored in upper case
    std::string keyExpr;
    std::string forExpr; // empty: every record
    bool descending = false;
    bool unique = false;    // keeps the first record of each key only
    bool candidate = false; // refuses a second record with the same key
};

// One tag of an open index: its compiled expressions, the keys it makes from
// records and the order in which it walks the table. As a RecordOrder it
// serves Table::top and Table::skip once selected. Navigation results are
// record numbers in tag order (reversed for descending tags); 0 means past
// the end.
class IndexTag final : public RecordOrder {
public:
    // Compiles the tag stored at `header` of `file` against the table's
    // fields. InvalidArgument for expressions we cannot evaluate; Corruption
    // naming the table and the index when an expression names a field the
    // table's header lacks or the stored key length does not fit the
    // expression.
    static Status open(Table& table, cdx::CdxFile* file, const std::string& name, uint32_t header,
                       std::unique_ptr<IndexTag>* out);

    // Key type and length for a key expression (nullable adds the null
    // marker byte); InvalidArgument when too long or empty.
    static Status keyShape(const Expr& keyExpr, bool nullable, key::KeyType* type, uint16_t* keyLen);

    const std::string& name() const { return m_name; }
    TagDefinition definition() const;
    key::KeyType keyType() const { return m_type; }
    uint16_t keyLen() const { return m_shape.keyLen; }
    bool descending() const { return m_descending; }
    uint8_t options() const { return m_options; }
    const cdx::TreeShape& shape() const { return m_shape; }
    cdx::CdxTree& tree() { return m_tree; }

    // The record's key (keyLen bytes) and whether the FOR expression admits it.
    bool makeKey(const uint8_t* record, std::string* key) const;
    // The key bytes a text search begins with: the text in the key's own form
    // (cut to the key length); numbers and dates given as text are converted.
    std::string seekKey(const std::string& text) const;
    // The full key of a number (numeric, integer and date tags); false for
    // other tags.
    bool numericKey(double value, std::string* key) const;

    // Searches inside a read operation of the file: the first entry in tag
    // order whose key begins with `prefix`. *recno is the record found or
    // the record of the next entry in tag order (0 past the end); *found
    // says whether it begins with the prefix.
    Status seek(const std::string& prefix, uint32_t* recno, bool* found);
    // The entry after the table's current record, when it also begins with
    // `prefix`; otherwise as seek.
    Status seekNext(const std::string& prefix, uint32_t* recno, bool* found);

    Status first(uint32_t* recno) override;
    Status last(uint32_t* recno);
    Status skip(long delta, uint32_t* recno) override;

    // Told by the index after this handle wrote record `recno`, so that a
    // walk standing on it goes on from its new key.
    void recordWritten(uint32_t recno, const uint8_t* image);

private:
    IndexTag(Table& table, cdx::CdxFile* file, const cdx::TreeShape& shape);
    void keyOf(const uint8_t* record, std::string* key) const;
    Status locate(cdx::TreePos* pos, bool* onCurrent);
    Status step(cdx::TreePos* pos, bool forward);
    Status recnoAt(const cdx::TreePos& pos, uint32_t* recno);
    Status land(const cdx::TreePos& pos, uint32_t* recno);
    Status seekPos(const std::string& prefix, cdx::TreePos* pos);
    bool begins(const cdx::TreePos& pos, const std::string& prefix, uint32_t* recno, Status* s);

    Table& m_table;
    cdx::CdxFile* m_file;
    cdx::TreeShape m_shape;
    cdx::CdxTree m_tree;
    std::string m_name;
    std::unique_ptr<Expr> m_key;
    std::unique_ptr<Expr> m_for;
    key::KeyType m_type = key::KeyType::Character;
    bool m_nullable = false;
    bool m_descending = false;
    uint8_t m_options = 0;

    // Where the last move of this tag left the table: the entry's own key,
    // so that a walk goes on in the index's order even when an entry no
    // longer matches its record (an index out of step never loops).
    struct Cursor {
        uint32_t recno = 0; // 0: none
        std::string key;
        bool inTag = false;
        cdx::TreePos pos;
        uint64_t generation = 0;
    };
    Cursor m_cursor;
};

} // namespace xbase
