#include "customers/frmCustomer.h"

#include "app/EditModeCtl.h"
#include "common/Product.h"
#include "common/PromptService.h"
#include "common/clsSystem.h"
#include "common/ui/GridTabExit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QValidator>

namespace {

// The characters that separate the cells and rows of the stored contacts.
bool isSeparator(QChar c) { return c == QChar(0x00FE) || c == u'\r' || c == u'\n'; }

// Refuses a cell text that holds a separator.
class ContactTextValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        for (const QChar c : input) {
            if (isSeparator(c))
                return Invalid;
        }
        return Acceptable;
    }
};

// Cells are edited only in edit mode, in a text box that does not take the
// separators (and says why).
class ContactCellDelegate : public QStyledItemDelegate {
public:
    ContactCellDelegate(const frmCustomer* window, QObject* parent)
        : QStyledItemDelegate(parent)
        , m_window(window)
    {
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        if (!m_window->EM->InEditMode())
            return nullptr;
        auto* editor = new QLineEdit(parent);
        editor->setValidator(new ContactTextValidator(editor));
        // The box waits until the key or paste is over: while it is up the
        // grid ends the editor, which must not happen inside the editor's
        // own key handling. A window gone by then tells nothing.
        QObject::connect(
            editor, &QLineEdit::inputRejected, m_window,
            [] {
                MsgBox(QStringLiteral("A contact entry cannot hold the character \u00FE or a line break."),
                       MsgStyle::Exclamation, Product::name());
            },
            Qt::QueuedConnection);
        return editor;
    }

    // Tab out of the last cell, or Shift+Tab out of the first, ends the
    // edit and leaves the grid instead of going round to its other end.
    bool eventFilter(QObject* object, QEvent* event) override
    {
        auto* editor = qobject_cast<QWidget*>(object);
        auto* view = qobject_cast<QAbstractItemView*>(parent());
        if (!editor || !view || event->type() != QEvent::KeyPress
            || !keyLeavesGrid(view, static_cast<QKeyEvent*>(event)))
            return QStyledItemDelegate::eventFilter(object, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
        QKeyEvent again(key->type(), key->key(), key->modifiers(), key->text());
        QApplication::sendEvent(view, &again);
        return true;
    }

private:
    const frmCustomer* m_window;
};

} // namespace

void frmCustomer::installContactEditor()
{
    grdContacts->setItemDelegate(new ContactCellDelegate(this, grdContacts));
}

QString frmCustomer::GridDelimBuffer(const QTableWidget* grid, const QString& colDelim, const QString& rowDelim,
                                     int startRow, int startCol)
{
    QString text;
    const int columns = grid->columnCount();
    for (int r = startRow - 1; r < grid->rowCount(); ++r) {
        for (int c = startCol - 1; c < columns; ++c) {
            const QTableWidgetItem* item = grid->item(r, c);
            QString cell = item ? item->text() : QString();
            for (QChar& ch : cell) {
                if (isSeparator(ch))
                    ch = u' ';
            }
            text += cell;
            if (c < columns - 1)
                text += colDelim;
        }
        text += rowDelim;
    }
    return text;
}

void frmCustomer::GridSetFromDelimBuffer(QTableWidget* grid, const QString& text, QChar colDelim, QChar rowDelim)
{
    grid->clearContents();
    QStringList lines;
    Sys().StrParse2Array(text, lines, rowDelim, false);
    for (int i = 1; i < lines.size() && i <= grid->rowCount(); ++i) {
        QStringList parts;
        Sys().StrParse2Array(lines.at(i), parts, colDelim, false);
        for (int j = 1; j < parts.size() && j <= grid->columnCount(); ++j) {
            if (!parts.at(j).isEmpty())
                grid->setItem(i - 1, j - 1, new QTableWidgetItem(parts.at(j)));
        }
    }
}
