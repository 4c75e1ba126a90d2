#include "issues/core/IssueWalk.h"

#include "common/Win1252.h"
#include "common/clsSystem.h"
#include "data/ParamFlags.h"
#include "data/clsDB.h"
#include "xbase/IndexC4.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace IssueWalk {

int check(DATA4* table, int code)
{
    (void)table;
    if (code >= 0)
        return code;
    throw Fault{DB().TakeEngineError(code)};
}

FIELD4* field(DATA4* table, const char* name)
{
    FIELD4* f = d4field(table, name);
    if (!f)
        throw Fault{RunError::make(C4_ERR_ARGUMENT, QStringLiteral("No field '%1'").arg(QLatin1String(name)))};
    return f;
}

void selectTag(DATA4* table, const char* name)
{
    TAG4* tag = d4tag(table, name);
    if (!tag)
        throw Fault{RunError::make(C4_ERR_TAG, QStringLiteral("No index tag '%1'").arg(QLatin1String(name)))};
    check(table, d4tagSelect(table, tag));
}

std::string_view trimmedBytes(FIELD4* field)
{
    std::string_view bytes(f4ptr(field), size_t(f4len_v(field)));
    const size_t first = bytes.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return bytes.substr(first, bytes.find_last_not_of(' ') - first + 1);
}

// Trimmed before decoding: one byte is one character, so this is the
// trimmed text of the whole field.
QString trimmedText(FIELD4* field)
{
    const std::string_view bytes = trimmedBytes(field);
    return fromWin1252(bytes.data(), qsizetype(bytes.size()));
}

QString storedDate(FIELD4* field)
{
    const std::string_view bytes = trimmedBytes(field);
    return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

Lookups::Lookups(IssueListModel& model, DATA4* categories, DATA4* customers, Yield yield)
    : m_model(model)
    , m_categories(categories)
    , m_customers(customers)
    , m_nameDisplay(CustomerNameDisplayFlag())
    , m_yield(std::move(yield))
{
    // A read through the whole table costs about as much as seeking one
    // customer in every thirty or so.
    if (m_customers)
        m_customersSoughtLimit = std::max<qint64>(16, d4recCountDo(m_customers) / 32);
}

quint32 Lookups::category(qint32 id)
{
    const auto found = m_categoryText.constFind(id);
    if (found != m_categoryText.constEnd())
        return found.value();
    // The handle is the fill's: GetCategoryDesc never opens a table here.
    const quint32 text = m_model.share(id > 0 ? DB().GetCategoryDesc(id, m_categories) : QString());
    m_categoryText.insert(id, text);
    return text;
}

quint32 Lookups::customer(qint32 id)
{
    const auto found = m_customerText.constFind(id);
    if (found != m_customerText.constEnd())
        return found.value();
    if (!m_allNamesTried && m_customers && m_customerText.size() >= m_customersSoughtLimit) {
        // Stopped or failed, the fill goes on seeking names one by one.
        m_allNamesTried = true;
        m_allNamesRead = DB().CustomerNames(m_customers, m_nameDisplay, &m_allNames, m_yield);
    }
    QString name;
    if (id > 0)
        name = m_allNamesRead ? m_allNames.value(id) : DB().GetCustomername(id, m_customers, m_nameDisplay);
    const quint32 text = m_model.share(name);
    m_customerText.insert(id, text);
    return text;
}

quint32 Lookups::shownDate(const QString& stored)
{
    const auto found = m_dateText.constFind(stored);
    if (found != m_dateText.constEnd())
        return found.value();
    const quint32 text = m_model.share(Sys().DBDateToDislayDate(stored, QStringLiteral("Short Date")));
    m_dateText.insert(stored, text);
    return text;
}

} // namespace IssueWalk
