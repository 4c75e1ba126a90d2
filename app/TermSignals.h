#pragma once

class QWidget;

// SIGTERM, SIGINT and SIGHUP close `window` as File, Exit does (closing the
// database and saving the window's position) instead of ending the program
// on the spot. Before the program has its main window (`window` null), they
// close the modal dialog that is up, as its Cancel or OK would, so that a
// start-up waiting on a message ends too; with no dialog up, the main window
// is closed as soon as it is given. Call from the program's thread:
// first with null, then again with the main window once there is one.
void closeOnTermSignals(QWidget* window);
