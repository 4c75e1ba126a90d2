#pragma once

// Registers the creator of the import wizard with the main window's creator
// table (app/WindowCreators.h). Called once at start-up.
void registerImportWindows();
