#pragma once

#include "xbase/c4.h"

#include <QString>

#include <initializer_list>
#include <utility>

class QComboBox;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

// Small pieces that the issue windows share.
namespace IssueControls {

// Selects the user in a list of the active users. A stored user who is no
// longer active is added after them first, so that a save keeps the user
// instead of storing none. An identifier of no user leaves the selection.
void selectUser(QComboBox* cbo, qint32 userId);

// The list editor of a category list (product/service 2, status 101,
// priority 102, issue category 105 with its blank first entry), then the
// list refilled with the entry that was selected selected again; the list
// gets the focus.
void editCategoryList(QComboBox* cbo, qint32 type);

// A tab of its own for a long text: the stamp button above the box, both
// changing only in edit mode. The box is handed back, the button in `stamp`.
QPlainTextEdit* textTab(QTabWidget* tabs, const QString& caption, const char* boxName, const char* stampName,
                        QPushButton*& stamp);

// A text box's text with the line breaks it is stored with (CR LF).
QString storedText(const QPlainTextEdit* box);

// Selects the tag of an open table, goes to its top and fetches the named
// fields. When the tag or a field is missing the error is shown under
// `errorLabel` and the result is false (the caller closes the table).
bool prepareTable(DATA4* table, const char* tag, std::initializer_list<std::pair<FIELD4**, const char*>> fields,
                  const QString& errorLabel);

} // namespace IssueControls
