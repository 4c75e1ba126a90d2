#pragma once

class QWidget;

// Help contexts of windows. A window carries the number of its help topic;
// F1 anywhere in it opens that topic, and F1 in a window without one opens
// the contents of the help.
namespace HelpContext {

// Gives `window` its help context (0 or below: none).
void set(QWidget* window, int context);

// The help context of the nearest widget, from `widget` up to its window,
// that has one (so a window inside the main window has its own); 0 when none
// has.
int of(const QWidget* widget);

// Opens the help of `widget`: its context's topic, else the contents.
void showFor(const QWidget* widget);

// Handles F1 for the whole application (before window shortcuts) from now
// on; removeF1Handler ends it.
void installF1Handler();
void removeF1Handler();

} // namespace HelpContext
