#pragma once

#include "data/CategoryTypes.h"

#include <QPushButton>
#include <QString>

#include <functional>

class QComboBox;
class QLineEdit;
class QObject;
class QPlainTextEdit;
class QWidget;
class RecordForm;

// The frame that the tabbed record windows (product/service, issue) share:
// the tab control above a button bar that holds the edit-mode controls and
// the buttons, and the caption.
namespace RecordFrame {

struct ButtonBar {
    QWidget* bar = nullptr;
    QPushButton *cmdPrint = nullptr, *cmdEmail = nullptr, *OKButton = nullptr, *CancelButton = nullptr,
                *cmdApply = nullptr, *cmdDelete = nullptr, *cmdRefresh = nullptr;
};

// The bar under the tabs: EM and the edit button, then Preview, Email, OK,
// Cancel, Apply, Delete and Refresh (the form's own buttons point at them).
// Preview and Email run the form's FormPrint and FormEmail, Refresh its
// LoadData; the window connects the others. Tab goes from the tab control
// to the first field of the first tab and from its last field to the bar.
ButtonBar makeButtonBar(RecordForm& form, QWidget* window, const QString& printTip, const QString& emailTip,
                        QWidget* tabs, QWidget* firstField, QWidget* lastField);

// Hands the bar to a record window: its members BtnBar, cmdPrint, cmdEmail,
// OKButton and CancelButton, and OK, Cancel, Apply and Delete to its
// handlers of those names.
template <class Window>
void adoptButtonBar(Window* w, const ButtonBar& b)
{
    w->BtnBar = b.bar;
    w->cmdPrint = b.cmdPrint;
    w->cmdEmail = b.cmdEmail;
    w->OKButton = b.OKButton;
    w->CancelButton = b.CancelButton;
    QObject::connect(b.OKButton, &QPushButton::clicked, w, [w] { w->OKButton_Click(); });
    QObject::connect(b.CancelButton, &QPushButton::clicked, w, [w] { w->CancelButton_Click(); });
    QObject::connect(b.cmdApply, &QPushButton::clicked, w, [w] { w->cmdApply_Click(); });
    QObject::connect(b.cmdDelete, &QPushButton::clicked, w, [w] { w->cmdDelete_Click(); });
}


// "<kind>: <product/service> - <first 15 of the short description>... @<time>",
// "New" standing for both when they are blank.
QString caption(const QString& kind, const QString& productService, const QString& shortDesc);

// The quick list editor of a free-text combo, then the combo refilled with
// the text that was typed in it kept; the combo gets the focus.
void editQuickList(QComboBox* cbo, CatType::Kind catType);

// The calendar, opened at the date in the box; a date picked there goes
// into it. The box gets the focus.
void pickDate(QLineEdit* box);

// Puts today's date, the time and the login at the caret of the box (over
// the selected text) and gives it the focus.
void insertStamp(QPlainTextEdit* box);

// The main window's services that the record windows use, unless a test
// puts its own in their place: the calendar, the list editors (by category
// type) and the mail hand-off. Without a main window they do nothing.
std::function<QString(const QString& initialDate)>& calendar();
std::function<void(qint32 catType)>& listEditor();
std::function<bool(const QString& to, const QString& subject, const QString& body)>& mailSender();

} // namespace RecordFrame
