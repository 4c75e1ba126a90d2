#include "data/clsDB.h"

#include "common/WaitCursor.h"
#include "common/Win1252.h"
#include "common/clsSystem.h"
#include "data/clsDB_internal.h"

using namespace dbdetail;

namespace {

QString trailingTrimmed(QString text)
{
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

} // namespace

std::optional<DbListRows> clsDB::listRows(const QString& path, const QString& idField, const QString& textField,
                                          qint32 type)
{
    if (!m_isOpen)
        return std::nullopt;
    const QString filterField = type >= 1 ? QStringLiteral("type") : QString();
    return walkRows(path, idField, textField, filterField, type, "clsDB_LoadLV");
}

std::optional<DbListRows> clsDB::comboRows(const QString& path, const QString& idField, const QString& textField,
                                           const QString& filterField, qint32 filterValue)
{
    return walkRows(path, idField, textField, filterField, filterValue, "clsDB_LoadCbo");
}

// Walks the table in the order of the tag named like the text field; an
// empty filter field takes every row.
std::optional<DbListRows> clsDB::walkRows(const QString& path, const QString& idField, const QString& textField,
                                          const QString& filterField, qint32 filterValue, const char* label)
{
    DbListRows rows;
    try {
        TableUse table(nullptr, OpenTable(path));
        if (!table)
            return std::nullopt;
        DATA4* t = table.get();
        selectTag(t, textField);
        FIELD4* id = needField(t, idField);
        FIELD4* text = needField(t, textField);
        FIELD4* filter = filterField.isEmpty() ? nullptr : needField(t, filterField);
        const WaitCursor busy;
        for (int rc = check(m_engine, d4top(t)); rc == 0; rc = check(m_engine, d4skip(t, 1))) {
            if (!filter || f4long(filter) == filterValue)
                rows.append(DbListRow{qint32(f4long(id)), trimBlanks(fieldText(text))});
        }
    } catch (const Fault& f) {
        Sys().ShowError(QLatin1String(label), f.error);
    }
    return rows;
}

QString clsDB::GetCategoryDesc(qint32 rowid, DATA4* handle, const QString& tag, const QString& field)
{
    QString result;
    try {
        TableUse table(handle, handle ? nullptr : OpenTable(CategoryTable()));
        if (!table)
            return result;
        selectTag(table.get(), tag);
        m_lastResult = check(m_engine, d4seekDouble(table.get(), rowid));
        if (m_lastResult == 0)
            result = trimBlanks(fieldText(needField(table.get(), field)));
    } catch (const Fault& f) {
        Sys().ShowError(QStringLiteral("clsDB_GetCategoryDesc"), f.error);
    }
    return result;
}

qint32 clsDB::CategoryExists(const QString& text, qint32 type, DATA4* handle)
{
    qint32 result = -1;
    try {
        TableUse table(handle, handle ? nullptr : OpenTable(CategoryTable()));
        if (!table)
            return -1;
        DATA4* t = table.get();
        FIELD4* rowid = needField(t, "rowid");
        FIELD4* typeField = needField(t, "type");
        FIELD4* desc = needField(t, "desc");
        selectTag(t, "desc");
        const QString key = upperWin1252(text);
        const std::string bytes = toWin1252(key);
        // A row whose text merely begins with the text is no match. Equal
        // keys come first under the tag, so the walk ends at a longer one.
        m_lastResult = seekExact(t, key, desc);
        for (int rc = m_lastResult; rc == 0;) {
            if (f4long(typeField) == type) {
                result = qint32(f4long(rowid));
                break;
            }
            rc = check(m_engine, d4seekNext(t, bytes.c_str()));
            if (rc == 0 && trailingTrimmed(fieldText(desc)).size() != trailingTrimmed(key).size())
                break;
        }
    } catch (const Fault& f) {
        Sys().ShowError(QStringLiteral("clsDB_CategoryExists"), f.error);
    }
    return result;
}
