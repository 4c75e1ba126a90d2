#include "xbase/Index.h"

#include <algorithm>

#include "xbase/Engine.h"
#include "xbase/Table.h"

#include <cctype>

namespace xbase {

using namespace cdx;

namespace {

constexpr uint32_t kDirectory = 0;

std::string upper(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::string flipExtensionCase(std::string path)
{
    for (size_t i = path.size() - 3; i < path.size(); ++i) {
        const auto c = static_cast<unsigned char>(path[i]);
        path[i] = char(std::islower(c) ? std::toupper(c) : std::tolower(c));
    }
    return path;
}

} // namespace

Index::Index(Table& table, std::string path) : m_table(table), m_path(std::move(path)) {}

Index::~Index() = default;

std::string Index::pathFor(const std::string& tablePath)
{
    const size_t slash = tablePath.find_last_of('/');
    const size_t dot = tablePath.find_last_of('.');
    const bool hasExt = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    const std::string base = hasExt ? tablePath.substr(0, dot) : tablePath;
    const std::string ext = hasExt ? tablePath.substr(dot + 1) : std::string();
    const bool lower = ext.empty() || std::islower(static_cast<unsigned char>(ext[0]));
    const std::string indexExt = upper(ext) == "DBC" ? "dcx" : "cdx";
    return base + "." + (lower ? indexExt : upper(indexExt));
}

void Index::install(Engine& engine) { engine.addOpenHook(&Index::attach); }

Index* Index::of(Table& table) { return table.extension<Index>(); }

namespace {

// A failure to open the index names the index file, so that it is not taken
// for one of the table.
Status namingFile(const std::string& path, const Status& s)
{
    if (s.message().find(path) != std::string::npos)
        return s;
    const std::string msg = path + ": " + s.message();
    switch (s.code()) {
    case Status::Code::NotFound: return Status::notFound(msg);
    case Status::Code::Corruption: return Status::corruption(msg);
    case Status::Code::IOError: return Status::ioError(msg);
    case Status::Code::Locked: return Status::locked(msg);
    case Status::Code::InvalidArgument: return Status::invalidArgument(msg);
    case Status::Code::Ok: break;
    }
    return s;
}

} // namespace

Status Index::attach(Table& table)
{
    if (!(table.header().flags & kTableHasStructuralIndex) || of(table))
        return Status::ok();
    Env* env = table.engine().env();
    std::string path = pathFor(table.path());
    if (!env->exists(path)) {
        // Files copied from other systems may differ in the letter case of
        // the extension; without any index file the table opens bare.
        path = flipExtensionCase(path);
        if (!env->exists(path))
            return Status::ok();
    }
    std::unique_ptr<Index> index(new Index(table, path));
    Status loaded = index->load();
    if (!loaded.isOk())
        return namingFile(path, loaded);
    table.addObserver(index.get());
    table.addExtension(std::move(index));
    return Status::ok();
}

Status Index::load()
{
    m_selected = nullptr;
    m_tags.clear();
    m_file.reset();
    CdxFile::Options o;
    o.exclusive = m_table.isExclusive();
    o.readOnly = m_table.isReadOnly();
    o.cacheNodes = m_cacheNodes = std::max<size_t>(m_table.engine().settings().indexCachePages, 64);
    // Another writer of the index wrote records too: the table's read-ahead
    // may hold their old images.
    o.othersChanged = [table = &m_table] { table->dropReadAhead(); };
    XB_RETURN_IF_ERROR(CdxFile::open(m_table.fileEnv(), m_path, o, &m_file));
    return loadTags();
}

// The directory is a tree whose keys are tag names and whose record numbers
// are the offsets of the tag headers.
Status Index::loadTags()
{
    std::vector<std::pair<std::string, uint32_t>> entries;
    CdxTree dir(m_file.get(), TreeShape{kDirectory, 10, 0x20});
    XB_RETURN_IF_ERROR(m_file->read([&] {
        entries.clear();
        TreePos pos;
        XB_RETURN_IF_ERROR(dir.first(&pos));
        while (pos.valid()) {
            char name[10];
            uint32_t header = 0;
            XB_RETURN_IF_ERROR(dir.entry(pos, reinterpret_cast<uint8_t*>(name), &header));
            std::string n(name, 10);
            n.erase(n.find_last_not_of(" \0", std::string::npos, 2) + 1);
            entries.emplace_back(n, header);
            if (entries.size() > 1000)
                return Status::corruption(m_path + ": too many tags");
            XB_RETURN_IF_ERROR(dir.next(&pos));
        }
        return Status::ok();
    }));
    for (const auto& [name, header] : entries) {
        if (header == kDirectory || header % kPageSize != 0)
            return Status::corruption(m_path + ": tag " + name + " has a bad header offset");
        std::unique_ptr<IndexTag> tag;
        XB_RETURN_IF_ERROR(IndexTag::open(m_table, m_file.get(), name, header, &tag));
        m_tags.push_back(std::move(tag));
    }
    return Status::ok();
}

IndexTag* Index::find(std::string_view name) const
{
    const std::string wanted = upper(name);
    for (const auto& t : m_tags)
        if (upper(t->name()) == wanted)
            return t.get();
    return nullptr;
}

void Index::select(IndexTag* tag)
{
    m_selected = tag;
    m_table.setOrder(tag);
}

Status Index::flush()
{
    if (!m_file)
        return Status::ok();
    XB_RETURN_IF_ERROR(m_file->flush());
    if (!m_table.inBatch()) {
        m_file->setCacheNodes(m_cacheNodes);
        m_file->trim();
    }
    return Status::ok();
}

void Index::filesRestored()
{
    if (m_file)
        m_file->forgetPages();
}

Status Index::close()
{
    if (m_table.order() == m_selected)
        m_table.setOrder(nullptr);
    Status s = m_file && !m_table.isReadOnly() ? m_file->flush() : Status::ok();
    m_tags.clear();
    m_file.reset();
    return s;
}

} // namespace xbase
