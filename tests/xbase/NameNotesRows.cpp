#include "NameNotesRows.h"

namespace {

std::string trimmed(std::string s) { return s.erase(s.find_last_not_of(' ') + 1); }

} // namespace

xbase::Status readNameNotesRows(xbase::Table* t, NameNotesRows* out)
{
    out->clear();
    uint32_t count = 0;
    XB_RETURN_IF_ERROR(t->recordCount(&count));
    for (uint32_t r = 1; r <= count; ++r) {
        XB_RETURN_IF_ERROR(t->go(r));
        NameNotesRow row;
        row.deleted = t->deleted();
        row.name = trimmed(t->field("NAME")->raw());
        const std::string* memo = nullptr;
        XB_RETURN_IF_ERROR(t->field("NOTES")->memo(&memo));
        row.notes = *memo;
        out->push_back(row);
    }
    return xbase::Status::ok();
}
