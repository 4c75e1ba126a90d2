#include "data/clsDB_internal.h"

#include "common/Win1252.h"

namespace dbdetail {

void raise(long number, const QString& description)
{
    throw Fault{RunError::make(number, description)};
}

RunError engineError(CODE4* engine, int code)
{
    QString text = QStringLiteral("Database engine error");
    if (engine && !engine->lastError().isOk())
        text = QString::fromStdString(engine->lastError().toString());
    return RunError::make(code, text);
}

void raiseEngine(CODE4* engine, int code)
{
    throw Fault{engineError(engine, code)};
}

int check(CODE4* engine, int code)
{
    if (code < 0)
        raiseEngine(engine, code);
    return code;
}

QVariant need(const RecColl& coll, const QString& key)
{
    const QVariant* v = coll.find(key);
    if (!v || !v->isValid())
        raise(5, QStringLiteral("Invalid procedure call or argument: no entry '") + key + QLatin1Char('\''));
    return *v;
}

QString needText(const RecColl& coll, const QString& key)
{
    return need(coll, key).toString();
}

qint32 needLong(const RecColl& coll, const QString& key)
{
    const QVariant v = need(coll, key);
    bool ok = false;
    const double d = v.toString().trimmed().toDouble(&ok);
    if (!ok)
        raise(13, QStringLiteral("Type mismatch: '") + key + QLatin1Char('\''));
    if (d < -2147483648.0 || d > 2147483647.0)
        raise(6, QStringLiteral("Overflow: '") + key + QLatin1Char('\''));
    return qint32(qRound64(d));
}

void addEntry(RecColl& coll, const QString& key, const QVariant& value)
{
    if (!coll.add(key, value))
        raise(457, QStringLiteral("This key is already associated with an element of this collection: ") + key);
}

FIELD4* needField(DATA4* table, const char* name)
{
    FIELD4* f = d4field(table, name);
    if (!f)
        raiseEngine(&table->engine(), C4_ERR_ARGUMENT);
    return f;
}

FIELD4* needField(DATA4* table, const QString& name)
{
    return needField(table, name.toLatin1().constData());
}

QString fieldText(FIELD4* field)
{
    return fromWin1252(f4ptr(field), f4len_v(field));
}

QString memoText(FIELD4* field)
{
    const char* text = f4memoPtr(field);
    if (!text)
        raiseEngine(&field->table().engine(), C4_ERR_IO);
    return fromWin1252(text, qsizetype(f4memoLenVB(field)));
}

void assignText(FIELD4* field, const QString& text)
{
    const std::string bytes = toWin1252(text);
    check(&field->table().engine(), f4assignNVB(field, bytes.data(), int(bytes.size())));
}

QString trimBlanks(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == QLatin1Char(' '))
        ++begin;
    while (end > begin && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

LockAttempts::LockAttempts(CODE4* engine) : m_engine(engine), m_before(code4lockAttempts(engine, 10)) {}

LockAttempts::~LockAttempts()
{
    code4lockAttempts(m_engine, m_before);
}

TableUse::~TableUse()
{
    close();
}

int TableUse::close()
{
    if (!m_owned || !m_table)
        return 0;
    DATA4* table = m_table;
    m_table = nullptr;
    return d4close(table);
}

} // namespace dbdetail

namespace dbdetail {

AppendLock::AppendLock(CODE4* engine, DATA4* table)
    : m_table(table), m_status(engine->waitLock(table->dataFile(), xbase::Table::kHeaderLockOffset))
{
    m_held = m_status.isOk();
}

void AppendLock::release()
{
    if (m_held)
        (void)m_table->dataFile().unlock(xbase::Table::kHeaderLockOffset, 1);
    m_held = false;
}

} // namespace dbdetail

namespace dbdetail {

void selectTag(DATA4* table, const char* name)
{
    TAG4* tag = d4tag(table, name);
    if (!tag)
        raiseEngine(&table->engine(), C4_ERR_TAG);
    check(&table->engine(), d4tagSelect(table, tag));
}

void selectTag(DATA4* table, const QString& name)
{
    selectTag(table, name.toLatin1().constData());
}

int seekExact(DATA4* table, const QString& key, FIELD4* keyField)
{
    const auto trailingTrimmed = [](QString text) {
        while (text.endsWith(QLatin1Char(' ')))
            text.chop(1);
        return text;
    };
    const QString sought = trailingTrimmed(key);
    const int rc = check(&table->engine(), d4seek(table, toWin1252(sought).c_str()));
    if (rc != 0)
        return rc;
    // The seek matched the key's beginning; an equal key is as long.
    return trailingTrimmed(fieldText(keyField)).size() == sought.size() ? 0 : C4_AFTER;
}

} // namespace dbdetail
