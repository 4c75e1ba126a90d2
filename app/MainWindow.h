#pragma once

class frmMain;

// The program's main window, as the window registry knows it; null when
// there is none (a window built alone, or before the main window is up).
// Windows reach the main window's services through it only.
frmMain* mainWindow();
