#pragma once

#include <QString>

class QComboBox;
class QLabel;
class QWidget;

// Names for screen readers where Qt derives none of its own.
namespace AccessibleNames {

// The text box inside an editable combo box is what takes the focus, but
// nothing names it. From now on it carries the combo's name (the combo's
// accessible name, else the text of the label whose buddy it is), taken
// afresh each time the combo shows and each time the box gets the focus, so
// a label renamed later is followed. `combo` must be editable.
void nameTextOfCombo(QComboBox* combo);

// Names a list or table by the label beside it, which becomes its buddy:
// item views take no name from a buddy of their own accord.
void nameByLabel(QWidget* view, QLabel* label);

// `caption` without its mnemonic markers ("Last Edi&t" -> "Last Edit",
// "&&" -> "&").
QString withoutMnemonic(const QString& caption);

} // namespace AccessibleNames
