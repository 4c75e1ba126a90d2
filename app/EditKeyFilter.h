#pragma once

#include <QObject>

class QWidget;
class RecordForm;

// Ctrl+E, with any other keys held, anywhere in one record window. The
// filter sits on the window and on every widget inside it, those made later
// included, so that the window sees the key before its controls do (a text
// box would take Ctrl+E as "end of line" on some desktops), and no other
// window's events pass through it. It belongs to the window (its QObject
// parent) and lives as long as the window.
class EditKeyFilter final : public QObject {
public:
    EditKeyFilter(QWidget* window, RecordForm& form);

protected:
    // Takes every Ctrl+E meant for the window or one of its controls; a key
    // press runs the form's editKeyPressed.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Installs the filter on the widget and the widgets under it.
    void watch(QObject* object);

    QWidget* m_window = nullptr;
    RecordForm& m_form;
};
