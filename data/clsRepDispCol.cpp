#include "data/clsRepDispCol.h"

#include "common/RunError.h"
#include "common/clsSystem.h"
#include "data/clsDB.h"
#include "xbase/IndexC4.h"

#include <optional>

namespace {

// A stored number as a whole number; an empty or non-numeric text is the
// type mismatch the catalogue's reader reports.
qint32 toLong(const QString& text, bool* ok)
{
    double value = 0;
    *ok = false;
    if (!text.trimmed().isEmpty())
        value = text.trimmed().toDouble(ok);
    return *ok ? qint32(qRound64(value)) : 0;
}

// The selected tag and current record of a borrowed handle, put back when
// the reads are done.
class WalkPosition {
public:
    explicit WalkPosition(DATA4* table) : m_table(table), m_tag(d4tagSelected(table)), m_recno(d4recNo(table)) {}
    ~WalkPosition()
    {
        d4tagSelect(m_table, m_tag);
        if (m_recno >= 1)
            d4go(m_table, m_recno);
    }
    WalkPosition(const WalkPosition&) = delete;
    WalkPosition& operator=(const WalkPosition&) = delete;

private:
    DATA4* m_table;
    TAG4* m_tag;
    long m_recno;
};

} // namespace

void clsRepDispCol::Reset()
{
    ColID = -1;
    rpttype.clear();
    purpose.clear();
    name.clear();
    fldname.clear();
    tblname.clear();
    datatype.clear();
    customname.clear();
    order = -1;
    cattype = -1;
}

void clsRepDispCol::Init(qint32 id, DATA4* handle)
{
    ColID = id;
    clsDB& db = DB();
    DATA4* table = handle ? handle : db.OpenTable(db.ReportColumnsTable());
    if (!table)
        return;
    {
        std::optional<WalkPosition> kept;
        if (handle)
            kept.emplace(handle);
        const auto text = [&](const char* field) {
            return db.GetRptColField(id, QLatin1String(field), 1, table);
        };
        rpttype = text("rpttype");
        purpose = text("purpose");
        name = text("name");
        fldname = text("fldname");
        tblname = text("tblname");
        datatype = text("datatype");
        customname = text("customname");
        bool ok = false;
        const qint32 orderValue = toLong(db.GetRptColField(id, QStringLiteral("order"), 5, table), &ok);
        if (ok) {
            order = orderValue;
            cattype = toLong(db.GetRptColField(id, QStringLiteral("cattype"), 5, table), &ok);
        }
        if (!ok) {
            Sys().ShowError(QStringLiteral("clsRepDispCol_Init"), RunError::make(13, QStringLiteral("Type mismatch")));
        } else if (!customname.isEmpty()) {
            const QString label = Sys().RemoveLastChar(db.GetParamValue(customname), QStringLiteral(":"));
            if (!label.isEmpty())
                name = label;
        }
    }
    if (!handle)
        d4close(table);
}
