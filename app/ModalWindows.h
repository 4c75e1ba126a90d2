#pragma once

#include <functional>

class QDialog;

// How the main window's administration commands show their modal windows
// (list editor, password dialog, e-mail options, customizations). The
// window is made by the command, which reads its answer afterwards; the
// display itself goes through the prompt service unless a runner is
// installed, which tests use to drive the window instead.
namespace ModalWindows {

using Runner = std::function<void(QDialog& dialog)>;

// Installs `runner` (an empty one goes back to the prompt service) and
// returns the one it replaces.
Runner setRunner(Runner runner);

// Shows `dialog` modally and returns when it is hidden.
void exec(QDialog& dialog);

} // namespace ModalWindows
