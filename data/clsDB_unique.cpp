#include "data/clsDB.h"

#include "common/Win1252.h"
#include "common/clsSystem.h"
#include "data/clsDB_internal.h"

#include <QRegularExpression>

using namespace dbdetail;

namespace {

// The field that the tag keys, read from its key expression ("UPPER(LOGIN)"
// keys LOGIN): the first name in it that is no function's and names a field
// of the table. A tag whose expression names no field raises.
FIELD4* keyFieldOf(DATA4* table, const QString& tagName)
{
    TAG4* tag = d4tag(table, tagName.toLatin1().constData());
    if (!tag)
        raiseEngine(&table->engine(), C4_ERR_TAG);
    static const QRegularExpression name(QStringLiteral("([A-Za-z_][A-Za-z0-9_]*)\\s*(\\()?"));
    const QString expression = QString::fromStdString(tag->definition().keyExpr);
    for (auto it = name.globalMatch(expression); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.capturedLength(2) > 0)
            continue;
        if (FIELD4* field = d4field(table, m.captured(1).toLatin1().constData()))
            return field;
    }
    raiseEngine(&table->engine(), C4_ERR_ARGUMENT);
}

} // namespace

bool clsDB::IsUniqueVal(qint32 rowid, const QString& value, const QString& tag, const QString& path)
{
    bool result = false;
    try {
        TableUse table(nullptr, OpenTable(path));
        if (!table)
            return false;
        selectTag(table.get(), tag);
        FIELD4* id = needField(table.get(), "rowid");
        // Only an equal key counts, so the keyed field's length is compared.
        m_lastResult = seekExact(table.get(), upperWin1252(value), keyFieldOf(table.get(), tag));
        result = m_lastResult != 0 || qint32(f4long(id)) == rowid;
    } catch (const Fault& f) {
        Sys().ShowError(QStringLiteral("clsDB_IsUniqueVal"), f.error);
    }
    return result;
}
