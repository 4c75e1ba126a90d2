#pragma once

#include <QString>

#include <functional>

// The in-program help viewer registers itself here; the help members of
// clsSystem hand their topics to it. Topic 0 means the contents.
namespace HelpViewer {

// Shows the topic of the help file. Gives false, with the page it could not
// read in `missingPage`, when the help file or the topic's page is missing.
using Viewer = std::function<bool(const QString& helpFile, long topic, QString& missingPage)>;

// Installs the viewer; an empty function removes it.
void set(Viewer viewer);

bool installed();

// Shows the topic through the installed viewer (which must be installed);
// false with the missing page as above.
bool show(const QString& helpFile, long topic, QString& missingPage);

} // namespace HelpViewer
