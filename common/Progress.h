#pragma once

#include <QString>

// What long work (imports, re-indexing, purges, report runs) reports to.
// The wait dialog implements it; work without a window passes NoProgress.
class Progress {
public:
    virtual ~Progress() = default;

    // Reports `percent` done (values outside 0 to 100 leave the display as
    // it was), lets the user act, and answers whether the work may go on:
    // false once the user has asked to stop.
    virtual bool report(int percent) = 0;

    // Replaces the text shown about the work.
    virtual void setMessage(const QString& message) = 0;
};

// Never shows anything and always lets the work go on.
class NoProgress final : public Progress {
public:
    bool report(int) override { return true; }
    void setMessage(const QString&) override {}
};
