#include "xbase/IndexCheck.h"

#include "xbase/CdxVerify.h"
#include "xbase/Index.h"
#include "xbase/Table.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <unordered_set>

namespace xbase {
namespace {

using Pair = std::pair<std::string, uint32_t>;

std::string printable(const std::string& key)
{
    std::string out;
    bool text = std::all_of(key.begin(), key.end(), [](char c) { return uint8_t(c) >= 0x20 && uint8_t(c) != 0x7F; });
    if (text)
        return "'" + key.substr(0, key.find_last_not_of(' ') + 1) + "'";
    char hex[4];
    for (char c : key) {
        std::snprintf(hex, sizeof hex, "%02X", uint8_t(c));
        out += hex;
    }
    return out;
}

// How far a walk of a tag got: the pairs in walking order up to the first
// fault, and the leaf it last stood on.
struct Walk {
    std::vector<Pair> pairs;
    uint32_t page = cdx::kNoPage;
};

Status walk(IndexTag& tag, Walk* out)
{
    cdx::CdxTree& tree = tag.tree();
    cdx::TreePos pos;
    XB_RETURN_IF_ERROR(tree.first(&pos));
    std::string k(tag.keyLen(), '\0');
    while (pos.valid()) {
        out->page = pos.leaf;
        uint32_t recno = 0;
        XB_RETURN_IF_ERROR(tree.entry(pos, reinterpret_cast<uint8_t*>(k.data()), &recno));
        out->pairs.emplace_back(k, recno);
        XB_RETURN_IF_ERROR(tree.next(&pos));
    }
    return Status::ok();
}

std::string stopLine(IndexTag& tag, const Walk& w, const Status& why)
{
    std::string where = "walk stopped before its first key";
    if (!w.pairs.empty())
        where = "walk stopped on index page at " + std::to_string(w.page) + " after " + std::to_string(w.pairs.size()) +
                " keys (the last record " + std::to_string(w.pairs.back().second) + ", key " +
                printable(w.pairs.back().first) + ")";
    return "tag " + tag.name() + ": " + where + ": " + why.message();
}

Status expected(Table& table, IndexTag& tag, std::vector<Pair>* out)
{
    uint32_t count = 0;
    XB_RETURN_IF_ERROR(table.recordCount(&count));
    const uint32_t recLen = table.layout().recordLength();
    std::vector<uint8_t> rec(recLen);
    std::string key;
    for (uint32_t r = 1; r <= count; ++r) {
        size_t got = 0;
        XB_RETURN_IF_ERROR(table.dataFile().readAt(table.header().headerLength + uint64_t(r - 1) * recLen, rec.data(), recLen, &got));
        if (got != recLen)
            return Status::corruption(table.path() + ": record " + std::to_string(r) + " is cut short");
        if (tag.makeKey(rec.data(), &key))
            out->emplace_back(key, r);
    }
    std::sort(out->begin(), out->end());
    return Status::ok();
}

// Missing keys are told only by a walk that went through a sound tree: one
// that stopped, or was led astray, has not seen what lies past the fault.
void tellMissing(const std::string& prefix, const std::vector<Pair>& missing, size_t held, size_t wanted,
                 bool treeSound, std::vector<std::string>* problems)
{
    if (treeSound) {
        for (const Pair& p : missing)
            problems->push_back(prefix + "record " + std::to_string(p.second) + " missing, key " + printable(p.first));
    } else if (!missing.empty()) {
        problems->push_back(prefix + "the walk met " + std::to_string(held) + " of the " + std::to_string(wanted) +
                            " keys the table gives; missing keys are not counted over a damaged tree");
    }
}

void compare(IndexTag& tag, std::vector<Pair>& held, const std::vector<Pair>& want, bool walkFinished, bool treeSound,
             std::vector<std::string>* problems)
{
    const std::string prefix = "tag " + tag.name() + ": ";
    for (size_t i = 1; i < held.size(); ++i)
        if (held[i] <= held[i - 1])
            problems->push_back(prefix + "record " + std::to_string(held[i].second) + " out of order, key " + printable(held[i].first));
    std::sort(held.begin(), held.end());
    const bool unique = tag.options() & cdx::kOptUnique;
    std::vector<Pair> missing, extra;
    std::set_difference(want.begin(), want.end(), held.begin(), held.end(), std::back_inserter(missing));
    std::set_difference(held.begin(), held.end(), want.begin(), want.end(), std::back_inserter(extra));
    for (const Pair& p : extra)
        problems->push_back(prefix + "record " + std::to_string(p.second) + " extra, key " + printable(p.first));
    for (size_t i = 0; unique && i + 1 < held.size(); ++i)
        if (held[i].first == held[i + 1].first)
            problems->push_back(prefix + "key " + printable(held[i].first) + " held twice in a unique tag");
    if (!unique && walkFinished)
        tellMissing(prefix, missing, held.size(), want.size(), treeSound, problems);
}

// Pages on the free-page list must be used by nothing else.
void checkFreeList(Index& index, const std::unordered_set<uint32_t>& used, std::vector<std::string>* problems)
{
    std::vector<uint32_t> free;
    const Status s = index.file().read([&] { return index.file().freePages(&free); });
    if (!s.isOk())
        problems->push_back("free-page list: " + s.message());
    for (uint32_t page : free)
        if (used.count(page))
            problems->push_back("free-page list: page " + std::to_string(page) + " is in use");
}

std::string upper(std::string s)
{
    for (char& c : s)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

bool isTagName(const std::string& name)
{
    if (name.empty() || name.size() > 10 || std::isdigit(static_cast<unsigned char>(name[0])))
        return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    });
}

// The directory: names that are names, each once, and when the caller knows
// what the index must hold, exactly those tags.
void checkDirectory(Index& index, const std::vector<TagDefinition>* wanted, std::vector<std::string>* problems)
{
    std::unordered_set<std::string> seen;
    for (size_t i = 0; i < index.tagCount(); ++i) {
        const IndexTag& tag = *index.tag(i);
        if (!isTagName(tag.name()))
            problems->push_back("tag directory: " + printable(tag.name()) + " is not a tag name");
        if (!seen.insert(upper(tag.name())).second)
            problems->push_back("tag directory: tag " + tag.name() + " is listed twice");
        if (!wanted)
            continue;
        const auto want = std::find_if(wanted->begin(), wanted->end(),
                                       [&](const TagDefinition& d) { return upper(d.name) == upper(tag.name()); });
        if (want == wanted->end()) {
            problems->push_back("tag directory: " + printable(tag.name()) + " is not a tag of this table");
            continue;
        }
        const TagDefinition have = tag.definition();
        if (upper(have.keyExpr) != upper(want->keyExpr))
            problems->push_back("tag " + tag.name() + ": key expression " + have.keyExpr + ", wanted " + want->keyExpr);
        if (upper(have.forExpr) != upper(want->forExpr))
            problems->push_back("tag " + tag.name() + ": FOR expression " + have.forExpr + ", wanted " + want->forExpr);
    }
    if (wanted)
        for (const TagDefinition& d : *wanted)
            if (!seen.count(upper(d.name)))
                problems->push_back("tag directory: tag " + upper(d.name) + " is missing");
}

Status checkTags(Table& table, Index* index, const std::vector<TagDefinition>* wanted, std::vector<std::string>* problems)
{
    checkDirectory(*index, wanted, problems);
    std::unordered_set<uint32_t> used = {0, cdx::kPageSize};
    cdx::TreeStats dir;
    const Status dirStatus = index->file().read([&] { return cdx::verifyTree(&index->file(), cdx::TreeShape{0, 10, 0x20, {}}, &dir); });
    if (dirStatus.isOk())
        used.insert(dir.pageOffsets.begin(), dir.pageOffsets.end());
    else
        problems->push_back("tag directory: " + dirStatus.message());
    for (size_t i = 0; i < index->tagCount(); ++i) {
        IndexTag& tag = *index->tag(i);
        std::vector<Pair> want;
        cdx::TreeStats stats;
        const Status sound = index->file().read([&] { return cdx::verifyTree(&index->file(), tag.shape(), &stats); });
        if (!sound.isOk())
            problems->push_back("tag " + tag.name() + ": " + sound.message());
        used.insert({tag.shape().header, tag.shape().header + cdx::kPageSize});
        used.insert(stats.pageOffsets.begin(), stats.pageOffsets.end());
        Walk w;
        const Status walked = index->file().read([&] {
            w = Walk();
            return walk(tag, &w);
        });
        if (!walked.isOk())
            problems->push_back(stopLine(tag, w, walked));
        XB_RETURN_IF_ERROR(expected(table, tag, &want));
        compare(tag, w.pairs, want, walked.isOk(), sound.isOk(), problems);
    }
    checkFreeList(*index, used, problems);
    return Status::ok();
}

} // namespace

Status checkIndex(Table& table, std::vector<std::string>* problems, const std::vector<TagDefinition>* wanted)
{
    Index* index = Index::of(table);
    if (!index)
        return Status::ok();
    XB_RETURN_IF_ERROR(table.flush());
    XB_RETURN_IF_ERROR(table.holdWriters());
    Status s = checkTags(table, index, wanted, problems);
    Status r = table.releaseWriters();
    return s.isOk() ? r : s;
}

} // namespace xbase
