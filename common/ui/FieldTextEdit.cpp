#include "common/ui/FieldTextEdit.h"

#include "common/Win1252.h"

#include <QApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>

#include <limits>

namespace {

// The text a key puts into a plain-text box, as the box decides it: Enter
// makes a line break; a printable character or a tab goes in as it is.
// Nothing for keys that edit, move or run commands.
QString insertedByKey(const QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return QStringLiteral("\n");
    const QString text = event->text();
    if (text.isEmpty())
        return QString();
    const QChar first = text.at(0);
    const bool control = first.unicode() < 0x20 || first.unicode() == 0x7F;
    return control && first != QLatin1Char('\t') ? QString() : text;
}

// The length of `text` as stored: each line break counts two. A selection's
// text has its breaks as paragraph separators.
qsizetype storedLength(const QString& text)
{
    qsizetype length = text.size();
    for (const QChar c : text) {
        if (c == QLatin1Char('\n') || c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            ++length;
    }
    return length;
}

} // namespace

FieldTextEdit::FieldTextEdit(QWidget* parent, int width)
    : QPlainTextEdit(parent)
    , m_width(width)
{
    // Tab goes on to the next control, as in the rest of the form, so that
    // a keyboard user is not held in the box; Ctrl+Tab types a tab.
    setTabChangesFocus(true);
}

QString FieldTextEdit::fitted(const QString& text)
{
    qsizetype room = std::numeric_limits<qsizetype>::max();
    if (m_width > 0)
        room = m_width - (storedLength(toPlainText()) - storedLength(textCursor().selectedText()));
    QString kept;
    QString refusedCharacter;
    qsizetype used = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!inWin1252(c)) {
            const bool pair = c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
            if (refusedCharacter.isEmpty())
                refusedCharacter = text.mid(i, pair ? 2 : 1);
            i += pair ? 1 : 0;
            continue;
        }
        // A CR LF pair that comes in is one line break.
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
            continue;
        const bool lineBreak = c == QLatin1Char('\n') || c == QLatin1Char('\r');
        const qsizetype cost = lineBreak ? 2 : 1;
        if (used + cost > room)
            break;
        used += cost;
        kept.append(lineBreak ? QChar(QLatin1Char('\n')) : c);
    }
    if (!refusedCharacter.isEmpty())
        emit refused(refusedCharacter);
    return kept;
}

void FieldTextEdit::insertAsOneStep(const QString& text)
{
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.insertText(text);
    cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
}

// Ctrl+Tab would reach the window area first, which switches windows with
// it; while the box has the focus it sees the key before anyone else.
void FieldTextEdit::focusInEvent(QFocusEvent* event)
{
    qApp->installEventFilter(this);
    QPlainTextEdit::focusInEvent(event);
}

void FieldTextEdit::focusOutEvent(QFocusEvent* event)
{
    qApp->removeEventFilter(this);
    QPlainTextEdit::focusOutEvent(event);
}

bool FieldTextEdit::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched != this || (type != QEvent::KeyPress && type != QEvent::ShortcutOverride))
        return QPlainTextEdit::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Tab || key->modifiers() != Qt::ControlModifier)
        return QPlainTextEdit::eventFilter(watched, event);
    event->accept();
    if (type == QEvent::KeyPress && !isReadOnly())
        insertAsOneStep(fitted(QStringLiteral("\t")));
    return true;
}

void FieldTextEdit::keyPressEvent(QKeyEvent* event)
{
    const QString text = isReadOnly() ? QString() : insertedByKey(event);
    if (text.isEmpty()) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    const QString kept = fitted(text);
    if (kept == text) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    // A key refused takes nothing, but is used up: Enter must not reach the
    // dialog's default button.
    if (!kept.isEmpty())
        insertAsOneStep(kept);
    event->accept();
}

void FieldTextEdit::inputMethodEvent(QInputMethodEvent* event)
{
    const QString commit = event->commitString();
    const QString kept = commit.isEmpty() || isReadOnly() ? commit : fitted(commit);
    if (kept == commit) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent fittedEvent(event->preeditString(), event->attributes());
    fittedEvent.setCommitString(kept, event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&fittedEvent);
    event->accept();
}

void FieldTextEdit::insertFromMimeData(const QMimeData* source)
{
    if (!source || !source->hasText() || isReadOnly()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    const QString kept = fitted(source->text());
    if (!kept.isEmpty())
        insertAsOneStep(kept);
}
