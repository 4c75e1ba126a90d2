#pragma once

#include "xbase/CdxFile.h"
#include "xbase/IndexTag.h"
#include "xbase/RecordObserver.h"
#include "xbase/TableExtension.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace xbase {

class Engine;
class Table;

// The structural compound index of an open table (its .cdx file): the tags,
// the selected tag, and the upkeep of every tag as records change.
//
// Every record write of the table passes beforeWrite/afterWrite: under the
// index lock the old keys leave and the new ones enter each tag whose FOR
// expression admits the record; the lock is held until the record itself is
// written, so that another process never meets a key without its record. A
// candidate tag refuses a second record with the same key (InvalidArgument,
// and nothing is written); a unique tag keeps the first record of a key.
class Index final : public TableExtension, public RecordObserver {
public:
    ~Index() override;

    // The index file of a table: the table's path with the extension .cdx
    // (.dcx for a database container .dbc), in the letter case of the
    // table's extension.
    static std::string pathFor(const std::string& tablePath);

    // Open hook: attaches the structural index to a table whose header says
    // it has one and whose index file exists.
    static Status attach(Table& table);
    // Registers attach with the engine.
    static void install(Engine& engine);
    // The table's index, or null.
    static Index* of(Table& table);

    // Writes a new structural index for `table` holding `tags`, keyed from
    // the table's records, replacing any index file it had, and attaches it.
    // Needs the table to itself unless it has no index yet.
    static Status create(Table& table, const std::vector<TagDefinition>& tags);

    const std::string& path() const { return m_path; }
    cdx::CdxFile& file() { return *m_file; }
    size_t tagCount() const { return m_tags.size(); }
    IndexTag* tag(size_t i) const { return m_tags[i].get(); }
    // The tag named `name`, letter case ignored; null when there is none.
    IndexTag* find(std::string_view name) const;

    // Makes `tag` (of this index, or null for record order) the order of
    // the table's top and skip.
    void select(IndexTag* tag);
    IndexTag* selected() const { return m_selected; }

    // Rebuilds every tag from the definitions stored in the file: a new file
    // is written beside the old one and renamed over it (the new file is
    // removed on failure). Needs the table opened exclusively.
    Status reindex();

    Status beforeWrite(Table& table, uint32_t recno, const uint8_t* oldImage, const uint8_t* newImage) override;
    Status afterWrite(Table& table, uint32_t recno, const Status& outcome) override;
    Status flush() override;
    Status close() override;
    void filesRestored() override;

private:
    struct Change {
        IndexTag* tag;
        std::string oldKey, newKey;
        bool remove, add;              // what the write asks for
        bool removed = false, added = false; // what was done, for undo
    };

    Index(Table& table, std::string path);
    Status load();
    Status loadTags();
    Status checkCandidates(uint32_t recno);
    Status apply(uint32_t recno);
    void undo(uint32_t recno);
    Status writeFile(const std::string& path, const std::vector<TagDefinition>& defs);
    Status replaceWith(const std::string& tempPath);

    Table& m_table;
    std::string m_path;
    std::unique_ptr<cdx::CdxFile> m_file;
    std::vector<std::unique_ptr<IndexTag>> m_tags;
    IndexTag* m_selected = nullptr;
    std::vector<Change> m_changes;
    std::vector<uint8_t> m_written; // the record image being written
    bool m_writing = false;
    size_t m_cacheNodes = 0; // the engine's indexCachePages
    // Decoded pages a batch of appends may keep (about 1 KB each): a batch
    // of a million rows into six tags writes most pages once.
    static constexpr size_t kBatchCacheNodes = 65536;
};

} // namespace xbase
