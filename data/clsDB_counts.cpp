#include "data/clsDB.h"

#include "common/Win1252.h"
#include "common/clsSystem.h"
#include "data/clsDB_internal.h"

using namespace dbdetail;

qint32 clsDB::GetRecCount(const QString& path, const QString& tag, const std::function<void()>& tick)
{
    qint32 result = -1;
    try {
        TableUse table(nullptr, OpenTable(path));
        if (!table)
            return -1;
        selectTag(table.get(), tag);
        qint32 count = 0;
        for (int rc = check(m_engine, d4top(table.get())); rc == 0; rc = check(m_engine, d4skip(table.get(), 1))) {
            result = ++count;
            if (tick && count % kRowsPerCountTick == 0)
                tick();
        }
        result = count;
    } catch (const Fault& f) {
        Sys().ShowError(QStringLiteral("clsDB_GetRecCount"), f.error);
    }
    return result;
}

qint32 clsDB::GetRecCountFast(const QString& path, const QString& tag)
{
    qint32 result = -1;
    try {
        TableUse table(nullptr, OpenTable(path));
        if (!table)
            return -1;
        selectTag(table.get(), tag);
        const long count = d4recCountDo(table.get());
        result = qint32(check(m_engine, int(count)));
    } catch (const Fault& f) {
        Sys().ShowError(QStringLiteral("clsDB_GetRecCountFast"), f.error);
    }
    return result;
}

namespace {

bool numericKey(const QVariant& key, double* out)
{
    bool ok = false;
    *out = key.toString().trimmed().toDouble(&ok);
    return ok;
}

} // namespace

qint32 clsDB::RecordExists(qint32 keyKind, const QVariant& key, const QString& path, const QString& tag,
                           const QString& field, DATA4* handle)
{
    qint32 result = -1;
    try {
        TableUse table(handle, handle ? nullptr : OpenTable(path));
        if (!table)
            return -1;
        FIELD4* f = needField(table.get(), field);
        selectTag(table.get(), tag);
        double number = 0;
        if (keyKind == 2 && !numericKey(key, &number))
            return -1;   // a key that is no number finds nothing
        m_lastResult = keyKind == 2 ? check(m_engine, d4seekDouble(table.get(), number))
                                    : check(m_engine, d4seek(table.get(), toWin1252(key.toString()).c_str()));
        if (m_lastResult == 0)
            result = qint32(f4long(f));
    } catch (const Fault& f) {
        Sys().ShowError(QStringLiteral("clsDB_RecordExists"), f.error);
    }
    return result;
}

bool clsDB::RecordExistsNoTag(qint32 keyKind, const QVariant& key, const QString& field, const QString& path,
                              DATA4* handle)
{
    bool result = false;
    try {
        TableUse table(handle, handle ? nullptr : OpenTable(path));
        if (!table)
            return false;
        double number = 0;
        if (keyKind == 2 && !numericKey(key, &number))
            return false;
        const QString text = key.toString();
        FIELD4* f = needField(table.get(), field);
        for (int rc = check(m_engine, d4top(table.get())); rc == 0; rc = check(m_engine, d4skip(table.get(), 1))) {
            if (d4deleted(table.get()))
                continue;
            if (keyKind == 2 ? f4double(f) == number : trimBlanks(fieldText(f)) == text) {
                result = true;
                break;
            }
        }
    } catch (const Fault& f) {
        Sys().ShowError(QStringLiteral("clsDB_RecordExistsNoTag"), f.error);
    }
    return result;
}
