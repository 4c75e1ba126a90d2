#pragma once

class QWidget;

// SIGTERM, SIGINT and SIGHUP close `window` as File, Exit does (closing the
// database and saving the window's position) instead of ending the program
// on the spot. Call once, with the main window, from the program's thread.
void closeOnTermSignals(QWidget* window);
