#include "issues/core/IssueWalk.h"

#include "common/Win1252.h"
#include "common/clsSystem.h"
#include "data/ParamFlags.h"
#include "data/clsDB.h"
#include "xbase/IndexC4.h"

#include <algorithm>
#include <cstring>
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

namespace {

// Up to eight characters, none of them NUL, packed into one number that no
// other such text packs into; false for other texts.
bool dateKey(std::string_view stored, quint64* key)
{
    if (stored.size() > sizeof(quint64))
        return false;
    for (const char c : stored)
        if (c == '\0')
            return false;
    *key = 0;
    std::memcpy(key, stored.data(), stored.size());
    return true;
}

// The pool index of `stored` made into a text by `make`, looked up in
// `cache` first.
template <typename Make>
quint32 cachedDate(Lookups::DateCache& cache, std::string_view stored, Make make)
{
    const auto text = [&] { return make(QString::fromLatin1(stored.data(), qsizetype(stored.size()))); };
    // The day's place: years from 1900, twelve months of 31 days each.
    constexpr int kFirstYear = 1900;
    constexpr int kYears = 256;
    int digits[8];
    bool isDay = stored.size() == 8;
    for (size_t i = 0; isDay && i < 8; ++i) {
        digits[i] = stored[i] - '0';
        isDay = digits[i] >= 0 && digits[i] <= 9;
    }
    if (isDay) {
        const int year = digits[0] * 1000 + digits[1] * 100 + digits[2] * 10 + digits[3] - kFirstYear;
        const int month = digits[4] * 10 + digits[5] - 1;
        const int day = digits[6] * 10 + digits[7] - 1;
        if (year >= 0 && year < kYears && month >= 0 && month < 12 && day >= 0 && day < 31) {
            if (cache.byDay.empty())
                cache.byDay.resize(size_t(kYears) * 12 * 31);
            quint32& at = cache.byDay[(size_t(year) * 12 + size_t(month)) * 31 + size_t(day)];
            if (at == 0)
                at = text() + 1;
            return at - 1;
        }
    }
    quint64 key = 0;
    if (!dateKey(stored, &key))
        return text();
    const auto found = cache.others.constFind(key);
    return found != cache.others.constEnd() ? found.value() : cache.others.insert(key, text()).value();
}

} // namespace

Lookups::Lookups(IssueListModel& model, DATA4* categories, DATA4* customers)
    : m_model(model)
    , m_categories(categories)
    , m_customers(customers)
    , m_engine(DB().CBEngine())
    , m_nameDisplay(CustomerNameDisplayFlag())
{
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
    if (id < 1) {
        if (!m_noCustomer)
            m_noCustomer = m_model.share(QString());
        return *m_noCustomer;
    }
    const auto found = m_customerText.constFind(id);
    if (found != m_customerText.constEnd())
        return found.value();
    const quint32 text = m_model.reserveText();
    m_customerText.insert(id, text);
    return text;
}

void Lookups::finish(const Yield& yield)
{
    if (m_customerText.isEmpty() || !m_customers)
        return;
    bool yielding = bool(yield);
    const auto keepGoing = [&] {
        if (yielding && !yield())
            yielding = false;
        return DB().IsOpen() && DB().CBEngine() == m_engine;
    };
    if (!keepGoing())
        return;
    // A read through the whole table costs about as much as seeking one
    // customer in every thirty or so.
    if (m_customerText.size() < std::max<qint64>(16, d4recCountDo(m_customers) / 32)) {
        long sought = 0;
        for (auto it = m_customerText.cbegin(); it != m_customerText.cend(); ++it) {
            m_model.setText(it.value(), DB().GetCustomername(it.key(), m_customers, m_nameDisplay));
            if (++sought % kRecordsBetweenYields == 0 && !keepGoing())
                break;
        }
    } else {
        quint32 text = 0;
        DB().CustomerNames(
            m_customers, m_nameDisplay,
            [&](qint32 id) {
                const auto found = m_customerText.constFind(id);
                if (found == m_customerText.constEnd())
                    return false;
                text = found.value();
                return true;
            },
            [&](qint32, const QString& name) { m_model.setText(text, name); }, keepGoing);
    }
    m_model.textsChanged();
}

quint32 Lookups::shownDate(std::string_view stored)
{
    return cachedDate(m_shownDate, stored, [this](const QString& date) {
        return m_model.share(Sys().DBDateToDislayDate(date, QStringLiteral("Short Date")));
    });
}

quint32 Lookups::sortDate(std::string_view stored)
{
    return cachedDate(m_sortDate, stored, [this](const QString& date) { return m_model.share(date); });
}

} // namespace IssueWalk
