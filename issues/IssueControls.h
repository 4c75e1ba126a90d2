#pragma once

#include "xbase/c4.h"

#include <QString>

#include <initializer_list>
#include <utility>

class QComboBox;
class QPlainTextEdit;

// Small pieces that the issue windows share.
namespace IssueControls {

// Selects the user in a list of the active users. A stored user who is no
// longer active is added after them first, so that a save keeps the user
// instead of storing none. An identifier of no user leaves the selection.
void selectUser(QComboBox* cbo, qint32 userId);

// A text box's text with the line breaks it is stored with (CR LF).
QString storedText(const QPlainTextEdit* box);

// Selects the tag of an open table, goes to its top and fetches the named
// fields. When the tag or a field is missing the error is shown under
// `errorLabel` and the result is false (the caller closes the table).
bool prepareTable(DATA4* table, const char* tag, std::initializer_list<std::pair<FIELD4**, const char*>> fields,
                  const QString& errorLabel);

} // namespace IssueControls
