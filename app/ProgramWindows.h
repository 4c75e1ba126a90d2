#pragma once

// Gives every kind of the main window's creator table (WindowCreators.h)
// the program's own window. The program calls it once at start-up, before
// the main window opens anything; tests of the whole program call it too.
void registerProgramWindows();
