#pragma once

#include <QString>

#include <functional>

// The main window's services that the issue windows use, unless a test puts
// its own in their place: the calendar, the list editors (by category type)
// and the mail hand-off. Without a main window they do nothing.
namespace IssueServices {

std::function<QString(const QString& initialDate)>& calendar();
std::function<void(qint32 catType)>& listEditor();
std::function<bool(const QString& to, const QString& subject, const QString& body)>& mailSender();

} // namespace IssueServices

class QComboBox;
class QPlainTextEdit;

namespace IssueControls {

// Selects the user in a list of the active users. A stored user who is no
// longer active is added after them first, so that a save keeps the user
// instead of storing none. An identifier of no user leaves the selection.
void selectUser(QComboBox* cbo, qint32 userId);

// A text box's text with the line breaks it is stored with (CR LF).
QString storedText(const QPlainTextEdit* box);

} // namespace IssueControls
