#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QWidget>

#include <map>
#include <string>

namespace bmtest {

// The maximum length of every single-line box of `window` that can be typed
// into, by name: the box's own, or the editable combo box's for its line
// edit. Read-only boxes (the last-edit control's) are left out, so a record
// window is asked in edit mode.
inline std::map<std::string, int> typingBoxWidths(const QWidget* window)
{
    std::map<std::string, int> widths;
    for (const QLineEdit* box : window->findChildren<QLineEdit*>()) {
        if (box->isReadOnly())
            continue;
        const auto* combo = qobject_cast<const QComboBox*>(box->parentWidget());
        widths[(combo ? combo->objectName() : box->objectName()).toStdString()] = box->maxLength();
    }
    return widths;
}

} // namespace bmtest
