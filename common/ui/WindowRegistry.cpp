#include "common/ui/WindowRegistry.h"

#include "common/ui/ObjectTag.h"

#include <QApplication>
#include <QWidget>

namespace {

// Programs and tests without a main window: the tagged top-level windows.
class TopLevelWindows final : public WindowRegistry {
public:
    QWidget* mainForm() const override { return nullptr; }

    QList<QWidget*> openForms() const override
    {
        QList<QWidget*> forms;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (!objectTag(w).isEmpty() && !w->isHidden())
                forms.append(w);
        }
        return forms;
    }

    void activateForm(QWidget* form) override
    {
        form->showNormal();
        form->raise();
        form->activateWindow();
    }

    bool closeForm(QWidget* form) override { return form->close(); }
};

TopLevelWindows g_fallback;
WindowRegistry* g_installed = nullptr;

} // namespace

WindowRegistry& WindowRegistry::current()
{
    return g_installed ? *g_installed : static_cast<WindowRegistry&>(g_fallback);
}

void WindowRegistry::install(WindowRegistry* registry) { g_installed = registry; }

bool WindowRegistry::isInstalled(const WindowRegistry* registry) { return g_installed == registry; }
