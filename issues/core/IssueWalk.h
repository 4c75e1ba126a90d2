#pragma once

#include "common/RunError.h"
#include "issues/core/IssueListModel.h"
#include "xbase/c4.h"

#include <QHash>
#include <QString>

#include <functional>
#include <optional>
#include <vector>
#include <string_view>

// What the issue list walks share: engine calls that turn a failure into a
// thrown Fault, and the per-fill lookups of the texts that rows repeat.
namespace IssueWalk {

// An engine failure inside a walk, with the engine's error state taken.
struct Fault {
    RunError error;
};

// Called every 100 records walked; false stops the walk after the record
// in hand (Cancel pressed, the window closing, the database gone).
using Yield = std::function<bool()>;
inline constexpr long kRecordsBetweenYields = 100;

int check(DATA4* table, int code);
FIELD4* field(DATA4* table, const char* name);
void selectTag(DATA4* table, const char* name);

// The texts that many rows share, each looked up once per fill through the
// tables the fill opened, and put into the model's text pool: category
// descriptions, customer names and dates.
class Lookups {
public:
    Lookups(IssueListModel& model, DATA4* categories, DATA4* customers);

    quint32 category(qint32 id);
    // The customer's name is only looked up by finish(): until then the
    // rows naming the customer show it empty.
    quint32 customer(qint32 id);
    // Looks up the names of the customers the fill named: each sought on its
    // own when they are few, else all in one pass through the customer
    // table, calling `yield` (when given) as the walks do; once it answers
    // false the names are read without yielding. Nothing is read once the
    // database that the fill read has been closed.
    void finish(const Yield& yield);
    // A stored date's trimmed characters (trimmedFieldBytes()) shown in the short
    // date format ("" when not a date), and as stored.
    quint32 shownDate(std::string_view stored);
    quint32 sortDate(std::string_view stored);

    // The pool indexes of dates: those stored as eight digits of a day from
    // 1900 to 2155 by the day, any other by its characters packed into a
    // number.
    struct DateCache {
        std::vector<quint32> byDay;   // the pool index + 1; 0: not met yet
        QHash<quint64, quint32> others;
    };

private:
    IssueListModel& m_model;
    DATA4* m_categories;
    DATA4* m_customers;
    const void* m_engine;
    long m_nameDisplay = 0;
    QHash<qint32, quint32> m_categoryText;
    // The pool entry of each customer named (none for ids below 1, whose
    // name is empty).
    QHash<qint32, quint32> m_customerText;
    std::optional<quint32> m_noCustomer; // the empty name, shared once
    DateCache m_shownDate;
    DateCache m_sortDate;
};

} // namespace IssueWalk
