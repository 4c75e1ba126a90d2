#pragma once

#include "data/DbWindows.h"

#include <functional>

// The database object's windows for the running program: the login and
// under-edit dialogs, modal over the main window of the WindowRegistry, and
// the closing of every window but the main one. The main window's label
// refresh is handed in, since the main window lives above this library:
//
//     WidgetDbWindows dbWindows;
//     dbWindows.setMenuLabelsHandler([&window] { window.SetCustomMenuLabels(); });
//     DbWindows::install(&dbWindows);   // and install(nullptr) before it goes
class WidgetDbWindows final : public DbWindows {
public:
    WidgetDbWindows() = default;
    ~WidgetDbWindows() override;

    void setMenuLabelsHandler(std::function<void()> handler) { m_menuLabels = std::move(handler); }

    bool promptLogin(const QString& folder, const QString& login, const QString& password,
                     LoginAnswer& answer) override;
    bool askEditAnyway(const QString& userName, const QString& computerName) override;
    void unloadAllButMain() override;
    void setCustomMenuLabels() override;

private:
    std::function<void()> m_menuLabels;
};
