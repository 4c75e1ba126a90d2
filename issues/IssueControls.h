#pragma once

#include "data/CategoryTypes.h"
#include "data/Schema.h"
#include "xbase/c4.h"

#include <QString>

#include <initializer_list>
#include <utility>

class QComboBox;
class QLabel;
class QLineEdit;
class QObject;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QWidget;

// Small pieces that the issue windows share.
namespace IssueControls {

// The fields that the issue window and the template window share, each with
// its label and, for a list, the "..." button of its editor.
struct IssueFields {
    QLabel *lblPS = nullptr, *lblShortDesc = nullptr, *lblAssigned = nullptr, *lblPriority = nullptr,
           *lblStatus = nullptr, *lblCat = nullptr, *lblCustom1 = nullptr, *lblCustom2 = nullptr;
    QComboBox *cboPS = nullptr, *cboAssignedTo = nullptr, *cboPriority = nullptr, *cboStatus = nullptr,
              *cboIssueCategory = nullptr, *txtCust1 = nullptr, *txtCust2 = nullptr;
    QLineEdit* txtShortDesc = nullptr;
    QPushButton *cmdCatPS = nullptr, *cmdCatPriority = nullptr, *cmdCatStatus = nullptr,
                *cmdCatIssueCategory = nullptr, *cmdCust1Cat = nullptr, *cmdCust2Cat = nullptr;

    // Makes them on `page`: each label the buddy of its field, the labels
    // of the custom-labelled fields tagged with their field names, the
    // controls that change only in edit mode tagged "E", the text controls
    // fitted to their fields of `table`. The list buttons open their
    // editors; `window` is the context of those connections.
    void makeIssueFields(QWidget* page, QObject* window, Schema::Table table);
    // The category type behind one of the pick lists (not the quick lists).
    CatType::Kind listType(const QComboBox* cbo) const;
};

// Selects the user in a list of the active users. A stored user who is no
// longer active is added after them first, so that a save keeps the user
// instead of storing none. An identifier of no user leaves the selection.
void selectUser(QComboBox* cbo, qint32 userId);

// The list editor of a category list (product/service 2, status 101,
// priority 102, issue category 105 with its blank first entry), then the
// list refilled with the entry that was selected selected again; the list
// gets the focus.
void editCategoryList(QComboBox* cbo, CatType::Kind type);

// A tab of its own for a long text, the box fitted to `field` of `table`:
// the stamp button above the box, both changing only in edit mode. The box
// is handed back, the button in `stamp`.
QPlainTextEdit* textTab(QTabWidget* tabs, const QString& caption, Schema::Table table, const char* field,
                        const char* boxName, const char* stampName, QPushButton*& stamp);

// A text box's text with the line breaks it is stored with (CR LF).
QString storedText(const QPlainTextEdit* box);

// Selects the tag of an open table, goes to its top and fetches the named
// fields. When the tag or a field is missing the error is shown under
// `errorLabel` and the result is false (the caller closes the table).
bool prepareTable(DATA4* table, const char* tag, std::initializer_list<std::pair<FIELD4**, const char*>> fields,
                  const QString& errorLabel);

} // namespace IssueControls
