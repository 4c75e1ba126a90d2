#pragma once

class QWidget;

// SIGTERM, SIGINT and SIGHUP end the program without asking anything, as a
// desktop session that logs out expects. Before the program has its main
// window (`window` null), they close the modal dialog that is up, as its
// Cancel or OK would, so that a start-up waiting on a message ends too; with
// no dialog up, the main window is closed as soon as it is given. Once it is
// given, a signal cancels the wait windows, closes the modal dialogs that
// are up as cancelled and leaves every event loop, nested ones too (a box
// opened meanwhile returns at once, as cancelled); once the program's loop
// has returned, closeAfterTermSignal closes the window. Call from the
// program's thread: first with null, then again with the main window once
// there is one.
void closeOnTermSignals(QWidget* window);

// True once a termination signal is ending the program: windows close
// without asking, dropping unsaved edits and clearing their under-edit
// marks.
bool endingOnSignal();

// After the program's loop returned on a termination signal, closes the
// main window given to closeOnTermSignals, and with it every window and the
// database, with no box waiting for an answer; otherwise does nothing.
void closeAfterTermSignal();
