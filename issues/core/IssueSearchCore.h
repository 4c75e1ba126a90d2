#pragma once

#include "issues/core/IssueListModel.h"
#include "issues/core/IssueWalk.h"
#include "xbase/c4.h"

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

// The walk behind an issue search result: the issues of one product/service
// (through the PSID tag) or of all of them (the whole table in PSID order),
// each listed when no words were given or one searched field holds the
// words (any or all of them, in any letter case, also inside longer words).
namespace IssueSearchCore {

// "Short Description", "Product/Service", "Status", "Customer".
QStringList headings();
QList<IssueListModel::Source> columns();

// The search words and how they must occur, compared as the engine's
// upper case over Windows-1252 bytes, so that memos of any length are
// searched without being turned into text first.
class WordMatcher {
public:
    // `text` is split at blanks; empty words (two blanks in a row) are
    // dropped. Type 1: any word; 2: all words; any other type matches
    // every text.
    WordMatcher(const QString& text, int type);

    bool hasWords() const { return !m_words.empty(); }
    // The words, upper-cased, in their order.
    QStringList words() const;
    bool Matched(const QString& text) const;
    bool matchedBytes(const char* data, size_t length) const;

private:
    std::vector<std::string> m_words;   // Windows-1252, upper case
    int m_type = 1;
    mutable std::string m_upper;        // the text in hand, upper-cased
};

struct Search {
    QString text;   // as typed; the walk trims and upper-cases it
    int type = 1;
    qint32 psid = -1;
    bool shortDesc = true;
    bool desc = false;
    bool resolution = false;
};

struct Result {
    RunError error;
    long walked = 0;
};

// Adds the matching rows to `model` through the three open tables; `yield`
// runs every 100 records and stops the walk when it answers false.
Result LoadIssues(DATA4* issues, DATA4* customers, DATA4* categories, const Search& search, IssueListModel& model,
                  const IssueWalk::Yield& yield);

} // namespace IssueSearchCore
