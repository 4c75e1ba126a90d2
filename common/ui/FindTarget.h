#pragma once

#include <QString>

// A window that the find dialog can search. Each "Find Next" calls Find with
// the text as typed (not trimmed), whether the whole phrase must match,
// whether letter case counts, and the direction (upwards True). `upwards`
// is passed by reference as owners have always taken it; the dialog does not
// read it back.
class FindTarget {
public:
    virtual ~FindTarget() = default;
    virtual void Find(const QString& text, bool wholePhrase, bool matchCase, bool& upwards) = 0;
};
