#include "issues/core/IssueSearchCore.h"

#include "common/Win1252.h"
#include "common/clsSystem.h"
#include "data/FieldText.h"
#include "xbase/IndexC4.h"
#include "xbase/LetterCase.h"

#include <array>
#include <string_view>

namespace IssueSearchCore {

using IssueWalk::check;
using IssueWalk::field;
using Source = IssueListModel::Source;

QStringList headings()
{
    return {QStringLiteral("Short Description"), QStringLiteral("Product/Service"), QStringLiteral("Status"),
            QStringLiteral("Customer")};
}

QList<Source> columns() { return {Source::Own, Source::Shared, Source::Shared, Source::Shared}; }

namespace {

// Each byte's upper case as the engine's UPPER() gives it.
const std::array<char, 256>& upperBytes()
{
    static const std::array<char, 256> table = [] {
        std::array<char, 256> t{};
        for (int b = 0; b < 256; ++b)
            t[size_t(b)] = char(xbase::upper1252(uint8_t(b)));
        return t;
    }();
    return table;
}

} // namespace

WordMatcher::WordMatcher(const QString& text, int type)
    : m_type(type)
{
    QStringList pieces;
    Sys().StrParse2Array(upperWin1252(Sys().trimBlanks(text)), pieces, QLatin1Char(' '), false);
    for (qsizetype i = 1; i < pieces.size(); ++i) {
        const QString word = Sys().trimBlanks(pieces.at(i));
        if (word.isEmpty())
            continue;
        // A word that the code page cannot hold occurs in no stored text;
        // it keeps a byte no text has, so that "?" does not stand in for it.
        std::string bytes = toWin1252(word);
        if (fromWin1252(bytes) != word)
            bytes.assign(1, '\0');
        m_words.push_back(std::move(bytes));
    }
}

QStringList WordMatcher::words() const
{
    QStringList list;
    for (const std::string& word : m_words)
        list.append(fromWin1252(word));
    return list;
}

bool WordMatcher::Matched(const QString& text) const
{
    const std::string bytes = toWin1252(text);
    return matchedBytes(bytes.data(), bytes.size());
}

bool WordMatcher::matchedBytes(const char* data, size_t length) const
{
    if (m_type != 1 && m_type != 2)
        return true;
    const std::array<char, 256>& upper = upperBytes();
    m_upper.resize(length);
    for (size_t i = 0; i < length; ++i)
        m_upper[i] = upper[static_cast<unsigned char>(data[i])];
    const std::string_view text(m_upper);
    for (const std::string& word : m_words) {
        const bool found = text.find(word) != std::string_view::npos;
        if (m_type == 1 && found)
            return true;
        if (m_type == 2 && !found)
            return false;
    }
    return m_type == 2;
}

namespace {

bool memoMatched(const WordMatcher& matcher, FIELD4* memo)
{
    const char* p = f4memoPtr(memo);
    const uint32_t n = f4memoLenVB(memo);
    return p && n > 0 && matcher.matchedBytes(p, n);
}

} // namespace

Result LoadIssues(DATA4* issues, DATA4* customers, DATA4* categories, const Search& search, IssueListModel& model,
                  const IssueWalk::Yield& yield)
{
    Result result;
    IssueWalk::Lookups lookups(model, categories, customers);
    bool stopped = false;
    const WordMatcher matcher(search.text, search.type);
    try {
        IssueWalk::selectTag(issues, "PSID");
        int rc = check(issues, d4top(issues));
        FIELD4* rowid = field(issues, "rowid");
        FIELD4* shortdesc = field(issues, "shortdesc");
        FIELD4* desc = field(issues, "desc");
        FIELD4* status = field(issues, "status");
        FIELD4* resolution = field(issues, "resolution");
        FIELD4* psid = field(issues, "psid");
        FIELD4* custid = field(issues, "custid");
        if (search.psid > 0)
            rc = check(issues, d4seekDouble(issues, search.psid));
        while (rc == 0) {
            // Memos are read only while no earlier field has matched.
            const bool listed = !matcher.hasWords()
                || (search.shortDesc && matcher.matchedBytes(f4ptr(shortdesc), size_t(f4len_v(shortdesc))))
                || (search.desc && memoMatched(matcher, desc))
                || (search.resolution && memoMatched(matcher, resolution));
            if (listed) {
                model.addRowBytes(qint32(f4long(rowid)),
                             {lookups.category(qint32(f4long(psid))), lookups.category(qint32(f4long(status))),
                              lookups.customer(qint32(f4long(custid)))},
                             trimmedFieldBytes(shortdesc));
            }
            if (++result.walked % IssueWalk::kRecordsBetweenYields == 0 && !yield()) {
                stopped = true;
                break;
            }
            rc = search.psid < 1 ? check(issues, d4skip(issues, 1))
                                 : check(issues, d4seekNextDouble(issues, search.psid));
        }
    } catch (const IssueWalk::Fault& fault) {
        result.error = fault.error;
    }
    // The customers' names of the rows listed, even after a stop or a fault.
    lookups.finish(stopped ? IssueWalk::Yield() : yield);
    return result;
}

} // namespace IssueSearchCore
