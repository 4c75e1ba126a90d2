#pragma once

#include <QPlainTextEdit>
#include <QString>

class QFocusEvent;
class QInputMethodEvent;
class QKeyEvent;
class QMimeData;

// A multi-line box for a field stored in Windows-1252, so that what the box
// shows is what is saved: what the user types, composes, pastes or drops
// goes in only as far as it fits, as a single-line box leaves out what goes
// beyond its maximum length: at most `width` characters as stored, where a
// line break is stored as CR LF and so counts two (0: no limit), and only
// characters that the code page holds. Text that the program puts in is
// taken as it is. Tab moves the focus on; Ctrl+Tab types a tab.
class FieldTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    FieldTextEdit(QWidget* parent, int width);

signals:
    // A character that the code page cannot hold was left out of an input
    // (the first one, when there were several).
    void refused(const QString& character);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // What of `text`, put in place of the selection, the field has room
    // for; tells of a refused character.
    QString fitted(const QString& text);
    // Puts `text` in place of the selection as one step of undo.
    void insertAsOneStep(const QString& text);

    int m_width;
};
