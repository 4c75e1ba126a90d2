#include "common/HelpViewer.h"

namespace HelpViewer {
namespace {
Viewer& current()
{
    static Viewer viewer;
    return viewer;
}
} // namespace

void set(Viewer viewer) { current() = std::move(viewer); }

bool installed() { return static_cast<bool>(current()); }

bool show(const QString& helpFile, long topic, QString& missingPage)
{
    missingPage.clear();
    return current()(helpFile, topic, missingPage);
}

} // namespace HelpViewer
