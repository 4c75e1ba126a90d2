#pragma once

#include <QString>

#include <functional>

// The in-program help viewer registers itself here; the help members of
// clsSystem hand their topics to it. Topic 0 means the contents.
namespace HelpViewer {

using Viewer = std::function<void(const QString& helpFile, long topic)>;

// Installs the viewer; an empty function removes it.
void set(Viewer viewer);

// Shows the topic; false when no viewer is installed.
bool show(const QString& helpFile, long topic);

} // namespace HelpViewer
