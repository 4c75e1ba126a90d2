#pragma once

#include "data/Schema.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

// The one way a text control bound to a stored field is fitted to it, so
// that what the control shows is what a save stores: no more characters
// than the field's width in the schema (the width of the shipped table
// templates), and only characters that the tables' code page holds. A
// character that the code page cannot hold is refused, and the user is told
// so in a message box once the key press or paste that brought it has been
// handled (never inside the control's own event handling).
namespace FieldBox {

// The width of a character field of the schema; 0 for a memo, and for a
// field the table does not have.
int width(Schema::Table table, const char* field);

// A single-line box: at most the field's width, or `cap` where the window
// keeps the box narrower than its field (0: no narrower limit).
void fit(QLineEdit* box, Schema::Table table, const char* field, int cap = 0);
// An editable combo box: its line edit as above.
void fit(QComboBox* combo, Schema::Table table, const char* field);
// A new multi-line box on `parent` for the field: a line break counts as the
// two characters (CR LF) it is stored as; a memo has no length limit.
QPlainTextEdit* textBox(QWidget* parent, Schema::Table table, const char* field);

} // namespace FieldBox
