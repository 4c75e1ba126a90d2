#include "common/ui/clsSystemUI.h"

#include "common/ui/EditEnabledControl.h"
#include "common/ui/ObjectTag.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTextEdit>

namespace {

const QColor kLockedColour(0xFF, 0xFF, 0xC0);
const QColor kUnlockedColour(0xFF, 0xFF, 0xFF);
const char* const kLockedProperty = "bmLocked";
const char* const kFilteredProperty = "bmLockFilter";

// A combo box has no read-only state: while locked, this filter swallows
// the input that would change it, and the box keeps showing its text.
class ComboLock final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!watched->property(kLockedProperty).toBool())
            return false;
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
            return true;
        case QEvent::KeyPress: {
            // Ctrl+E changes nothing here: it belongs to the window the box
            // stands in (edit mode), whose filter may come after this one.
            const auto* key = static_cast<QKeyEvent*>(event);
            return key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab
                   && !SysUI().KeyPressedCtrlE(key->key(), key->modifiers());
        }
        default:
            return false;
        }
    }
};

void paintBackground(QWidget* w, bool lock)
{
    QPalette palette = w->palette();
    palette.setColor(QPalette::Base, lock ? kLockedColour : kUnlockedColour);
    w->setPalette(palette);
}

void lockCombo(QComboBox* cbo, bool lock)
{
    if (!cbo->property(kFilteredProperty).toBool()) {
        cbo->installEventFilter(new ComboLock(cbo));
        cbo->setProperty(kFilteredProperty, true);
    }
    cbo->setProperty(kLockedProperty, lock);
    if (cbo->lineEdit())
        cbo->lineEdit()->setReadOnly(lock);
}

// Text boxes keep showing their text but refuse changes.
bool lockText(QWidget* w, bool lock)
{
    if (auto* e = qobject_cast<QLineEdit*>(w))
        e->setReadOnly(lock);
    else if (auto* t = qobject_cast<QTextEdit*>(w))
        t->setReadOnly(lock);
    else if (auto* p = qobject_cast<QPlainTextEdit*>(w))
        p->setReadOnly(lock);
    else if (auto* s = qobject_cast<QAbstractSpinBox*>(w))
        s->setReadOnly(lock);
    else
        return false;
    return true;
}

void lockOne(QWidget* w, bool lock)
{
    if (auto* own = dynamic_cast<EditEnabledControl*>(w)) {
        own->SetEditEnabled(!lock);
    } else if (auto* cbo = qobject_cast<QComboBox*>(w)) {
        paintBackground(w, lock);
        lockCombo(cbo, lock);
    } else if (lockText(w, lock)) {
        paintBackground(w, lock);
    } else if (qobject_cast<QListView*>(w) || qobject_cast<QTableView*>(w)) {
        paintBackground(w, lock);
        w->setEnabled(!lock);
    } else {
        w->setEnabled(!lock);
    }
}

} // namespace

void clsSystemUI::LockControls(QWidget* window, bool lock, const QString& tag) const
{
    const QList<QWidget*> controls = window->findChildren<QWidget*>();
    for (QWidget* w : controls) {
        if (objectTag(w) == tag)
            lockOne(w, lock);
    }
}

void clsSystemUI::TxtCtlInsertStr(QLineEdit* txt, const QString& text) const { txt->insert(text); }

void clsSystemUI::TxtCtlInsertStr(QTextEdit* txt, const QString& text) const
{
    QTextCursor cursor = txt->textCursor();
    cursor.insertText(text);
    txt->setTextCursor(cursor);
}

void clsSystemUI::TxtCtlInsertStr(QPlainTextEdit* txt, const QString& text) const
{
    QTextCursor cursor = txt->textCursor();
    cursor.insertText(text);
    txt->setTextCursor(cursor);
}
