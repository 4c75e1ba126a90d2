#include "data/clsDB.h"

#include "common/clsSystem.h"
#include "data/clsDB_internal.h"

using namespace dbdetail;

bool clsDB::IsUniqueVal(qint32 rowid, const QString& value, const QString& tag, const QString& path)
{
    bool result = false;
    try {
        TableUse table(nullptr, OpenTable(path));
        if (!table)
            return false;
        selectTag(table.get(), tag);
        FIELD4* id = needField(table.get(), "rowid");
        // The tag is named like the field it keys; only an equal key counts.
        m_lastResult = seekExact(table.get(), value.toUpper(), needField(table.get(), tag));
        result = m_lastResult != 0 || qint32(f4long(id)) == rowid;
    } catch (const Fault& f) {
        Sys().ShowError(QStringLiteral("clsDB_IsUniqueVal"), f.error);
    }
    return result;
}
