#pragma once

#include <QString>

// The folder browser of the New Database and Open Database commands, shown
// through the prompt service over the main window. Opens on `startFolder`
// when it is given; returns the chosen folder, or "" when cancelled.
QString BrowseForFolder(const QString& startFolder, const QString& title, bool includeFiles = false);
