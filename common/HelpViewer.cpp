#include "common/HelpViewer.h"

namespace HelpViewer {
namespace {
Viewer& installed()
{
    static Viewer viewer;
    return viewer;
}
} // namespace

void set(Viewer viewer) { installed() = std::move(viewer); }

bool show(const QString& helpFile, long topic)
{
    if (!installed())
        return false;
    installed()(helpFile, topic);
    return true;
}

} // namespace HelpViewer
