#include "xbase/IndexC4.h"

#include "xbase/Index.h"
#include "xbase/c4_internal.h"

#include <functional>
#include <string>
#include <vector>

using c4detail::fail;
using c4detail::result;
using xbase::Index;
using xbase::Status;

namespace {

// A pending change must reach the tags before a seek looks at them.
Status writePending(DATA4* d4) { return d4->changed() && !d4->appending() ? d4->flush() : Status::ok(); }

TAG4* selectedTag(DATA4* d4)
{
    Index* index = Index::of(*d4);
    return index ? index->selected() : nullptr;
}

int noTag(DATA4* d4) { return fail(d4->engine(), Status::invalidArgument(d4->path() + ": no tag selected"), C4_ERR_TAG); }

int land(DATA4* d4, const Status& s, uint32_t recno, bool found, bool step = false)
{
    if (!s.isOk())
        return fail(d4->engine(), s);
    if (recno == 0) {
        const Status e = d4->goEof();
        return e.isOk() ? int(C4_EOF) : fail(d4->engine(), e);
    }
    const Status g = step ? d4->step(recno) : d4->go(recno);
    if (!g.isOk())
        return fail(d4->engine(), g);
    return found ? int(C4_SUCCESS) : int(C4_AFTER);
}

int seekWith(DATA4* d4, bool next, const std::function<std::string(TAG4&)>& makeKey)
{
    TAG4* tag = selectedTag(d4);
    if (!tag)
        return noTag(d4);
    Status s = writePending(d4);
    if (!s.isOk())
        return fail(d4->engine(), s);
    const std::string key = makeKey(*tag);
    uint32_t recno = 0;
    bool found = false;
    s = next ? tag->seekNext(key, &recno, &found) : tag->seek(key, &recno, &found);
    return land(d4, s, recno, found, next);
}

std::string doubleKey(TAG4& tag, double value)
{
    std::string key;
    if (!tag.numericKey(value, &key))
        key = tag.seekKey(std::to_string(value)); // a character tag: the number as text
    return key;
}

} // namespace

TAG4* d4tag(DATA4* d4, const char* name)
{
    Index* index = Index::of(*d4);
    TAG4* tag = index && name ? index->find(name) : nullptr;
    if (!tag && d4->engine().settings().errTagName)
        fail(d4->engine(), Status::notFound(d4->path() + ": no tag " + (name ? name : "")), C4_ERR_TAG);
    return tag;
}

int d4tagSelect(DATA4* d4, TAG4* tag)
{
    Index* index = Index::of(*d4);
    if (index)
        index->select(tag);
    else
        d4->setOrder(nullptr);
    return C4_SUCCESS;
}

TAG4* d4tagSelected(DATA4* d4) { return selectedTag(d4); }

int d4seek(DATA4* d4, const char* text)
{
    const std::string t = text ? text : "";
    return seekWith(d4, false, [&](TAG4& tag) { return tag.seekKey(t); });
}

int d4seekDouble(DATA4* d4, double value)
{
    return seekWith(d4, false, [&](TAG4& tag) { return doubleKey(tag, value); });
}

int d4seekNext(DATA4* d4, const char* text)
{
    const std::string t = text ? text : "";
    return seekWith(d4, true, [&](TAG4& tag) { return tag.seekKey(t); });
}

int d4seekNextDouble(DATA4* d4, double value)
{
    return seekWith(d4, true, [&](TAG4& tag) { return doubleKey(tag, value); });
}

int d4reindex(DATA4* d4)
{
    Index* index = Index::of(*d4);
    return index ? result(d4, index->reindex()) : C4_SUCCESS;
}

int i4create(DATA4* d4, const TAG4INFO* tags)
{
    std::vector<xbase::TagDefinition> defs;
    for (const TAG4INFO* t = tags; t && t->name; ++t) {
        xbase::TagDefinition d;
        d.name = t->name;
        d.keyExpr = t->expression ? t->expression : "";
        d.forExpr = t->filter ? t->filter : "";
        d.unique = t->unique == 1;
        d.candidate = t->unique == 2;
        d.descending = t->descending != 0;
        defs.push_back(std::move(d));
    }
    return result(d4, Index::create(*d4, defs));
}
