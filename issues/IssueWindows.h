#pragma once

// Registers the creators of the issue part's windows with the main window's
// creator table (app/WindowCreators.h). Called once at start-up.
void registerIssueWindows();
