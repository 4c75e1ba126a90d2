#include "data/DbWindows.h"

#include <QDebug>

namespace {

// Programs without windows (the command-line tool) never log in through a
// dialog; a stray call cancels rather than blocks.
class NoWindows final : public DbWindows {
public:
    bool promptLogin(const QString& folder, const QString&, const QString&, LoginAnswer&) override
    {
        qWarning() << "No login dialog installed; login to" << folder << "cancelled";
        return false;
    }
    bool askEditAnyway(const QString&, const QString&) override { return false; }
    void unloadAllButMain() override {}
    void setCustomMenuLabels() override {}
};

NoWindows g_fallback;
DbWindows* g_installed = nullptr;

} // namespace

DbWindows& DbWindows::current()
{
    return g_installed ? *g_installed : static_cast<DbWindows&>(g_fallback);
}

DbWindows* DbWindows::install(DbWindows* windows)
{
    DbWindows* previous = g_installed;
    g_installed = windows;
    return previous;
}
