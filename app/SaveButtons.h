#pragma once

#include <functional>

class QDialog;
class QHBoxLayout;
class QPushButton;

// The OK, Cancel and Apply buttons of a settings dialog, named "OKButton",
// "CancelButton" and "cmdApply": OK and Apply run `save`; OK then accepts
// the dialog, Cancel rejects it without saving. `row` holds them at its
// right end, for the dialog's layout to take.
struct SaveButtons {
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
    QPushButton* apply = nullptr;
    QHBoxLayout* row = nullptr;
};
SaveButtons makeSaveButtons(QDialog* dialog, std::function<void()> save);
