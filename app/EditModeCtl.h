#pragma once

#include <QWidget>

class QLabel;

// The edit-mode control (EM on every record window): one label filling the
// control that reads "edit-data" on white in edit mode and "read-only" on
// light yellow in view mode, and the window's edit-mode flag. It starts in
// view mode; only its window's calls change the mode.
class EditModeCtl : public QWidget {
    Q_OBJECT
public:
    explicit EditModeCtl(QWidget* parent = nullptr);

    void EditMode();
    void ViewMode();
    bool InEditMode() const { return m_editMode; }

    QLabel* lblMode = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void show(const QString& caption, const QColor& back);

    bool m_editMode = false;
};
