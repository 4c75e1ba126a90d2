#pragma once

// Registers the creators of My Issues, the issue search dialog, the issue
// list and the purge wizard with the main window's creator table.
void registerIssueListWindows();
