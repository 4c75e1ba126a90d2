#include "xbase/Index.h"

#include "xbase/CdxBuilder.h"
#include "xbase/Engine.h"
#include "xbase/Table.h"

#include <cctype>

// Writing whole index files: from tag definitions (create) or from the
// definitions the file holds (reindex). Either way the keys come from every
// record of the table, the file is written under a temporary name and
// renamed over the index only once it is complete.

namespace xbase {

using namespace cdx;

namespace {

// The header of a new tag. The FOR expression is checked when the tag is
// opened over the header.
Status tagImage(const Table& table, const TagDefinition& d, TagImage* out)
{
    std::unique_ptr<Expr> keyExpr;
    XB_RETURN_IF_ERROR(Expr::compile(d.keyExpr, table.layout(), &keyExpr));
    key::KeyType type;
    CdxTagHeader& h = out->header;
    const bool nullable = keyExpr->nullable();
    XB_RETURN_IF_ERROR(IndexTag::keyShape(*keyExpr, nullable, &type, &h.keyLen));
    out->name.clear();
    for (char c : d.name)
        out->name += char(std::toupper(static_cast<unsigned char>(c)));
    out->fill = key::fillByte(type);
    h.keyExpr = d.keyExpr;
    h.forExpr = d.forExpr;
    h.descending = d.descending;
    h.options = uint8_t(kOptCompact | kOptCompound | (d.unique ? kOptUnique : 0) | (nullable ? kOptNullable : 0) |
                        (d.candidate ? kOptCandidate : 0) | (d.forExpr.empty() ? 0 : kOptFor));
    return Status::ok();
}

} // namespace

Status Index::writeFile(const std::string& path, const std::vector<TagDefinition>& defs)
{
    std::vector<TagImage> images(defs.size());
    for (size_t i = 0; i < defs.size(); ++i)
        XB_RETURN_IF_ERROR(tagImage(m_table, defs[i], &images[i]));
    // Keys are made by tags opened over a first file that holds only the
    // headers, so that building and upkeep make them the same way.
    std::vector<TagImage> headersOnly = images;
    XB_RETURN_IF_ERROR(writeCdx(m_table.engine().env(), path, headersOnly));
    std::unique_ptr<CdxFile> scratch;
    CdxFile::Options o;
    o.exclusive = o.readOnly = true;
    XB_RETURN_IF_ERROR(CdxFile::open(m_table.engine().env(), path, o, &scratch));
    std::vector<std::unique_ptr<IndexTag>> tags(defs.size());
    for (size_t i = 0; i < images.size(); ++i)
        XB_RETURN_IF_ERROR(IndexTag::open(m_table, scratch.get(), images[i].name, tagHeaderOffset(i), &tags[i]));
    uint32_t count = 0;
    XB_RETURN_IF_ERROR(m_table.recordCount(&count));
    const uint32_t recLen = m_table.layout().recordLength();
    const uint32_t chunk = std::max<uint32_t>(1, (1u << 20) / recLen);
    std::vector<uint8_t> buf(size_t(chunk) * recLen);
    std::string key;
    for (uint32_t first = 1; first <= count; first += chunk) {
        const uint32_t n = std::min(chunk, count - first + 1);
        size_t got = 0;
        XB_RETURN_IF_ERROR(m_table.dataFile().readAt(m_table.header().headerLength + uint64_t(first - 1) * recLen,
                                                     buf.data(), size_t(n) * recLen, &got));
        if (got != size_t(n) * recLen)
            return Status::corruption(m_table.path() + ": records end early");
        for (uint32_t r = 0; r < n; ++r)
            for (size_t i = 0; i < tags.size(); ++i)
                if (tags[i]->makeKey(buf.data() + size_t(r) * recLen, &key))
                    images[i].add(reinterpret_cast<const uint8_t*>(key.data()), first + r);
    }
    tags.clear();
    scratch.reset();
    // The rebuilt index replaces the table's: whoever may write the table
    // must be able to write it.
    return writeCdx(m_table.engine().env(), path, images, m_table.path());
}

Status Index::replaceWith(const std::string& tempPath)
{
    const std::string selected = m_selected ? m_selected->name() : std::string();
    if (m_table.order() == m_selected)
        m_table.setOrder(nullptr);
    m_selected = nullptr;
    m_tags.clear();
    m_file.reset();
    Env* env = m_table.engine().env();
    Status s = env->rename(tempPath, m_path);
    if (!s.isOk())
        (void)env->remove(tempPath);
    Status l = load();
    if (!selected.empty())
        select(find(selected));
    return s.isOk() ? l : s;
}

Status Index::reindex()
{
    if (!m_table.isExclusive())
        return Status::invalidArgument(m_table.path() + ": re-indexing needs the table opened exclusively");
    XB_RETURN_IF_ERROR(m_table.flush());
    std::vector<TagDefinition> defs;
    for (const auto& t : m_tags)
        defs.push_back(t->definition());
    const std::string temp = m_path + ".tmp";
    Status s = writeFile(temp, defs);
    if (!s.isOk()) {
        (void)m_table.engine().env()->remove(temp);
        return s;
    }
    return replaceWith(temp);
}

Status Index::create(Table& table, const std::vector<TagDefinition>& tags)
{
    if (!table.isExclusive())
        return Status::invalidArgument(table.path() + ": creating an index needs the table opened exclusively");
    XB_RETURN_IF_ERROR(table.flush());
    Index* index = of(table);
    std::unique_ptr<Index> fresh;
    if (!index) {
        fresh.reset(new Index(table, pathFor(table.path())));
        index = fresh.get();
    }
    const std::string temp = index->m_path + ".tmp";
    Status s = index->writeFile(temp, tags);
    if (!s.isOk()) {
        (void)table.engine().env()->remove(temp);
        return s;
    }
    if (!fresh)
        return index->replaceWith(temp);
    s = table.engine().env()->rename(temp, index->m_path);
    if (!s.isOk()) {
        (void)table.engine().env()->remove(temp);
        return s;
    }
    XB_RETURN_IF_ERROR(fresh->load());
    XB_RETURN_IF_ERROR(table.setStructuralIndexFlag(true));
    table.addObserver(fresh.get());
    table.addExtension(std::move(fresh));
    return Status::ok();
}

} // namespace xbase
