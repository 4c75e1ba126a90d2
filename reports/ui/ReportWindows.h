#pragma once

// Registers the report windows with the main window's creator table.
void registerReportWindows();
