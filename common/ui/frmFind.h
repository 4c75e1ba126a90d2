#pragma once

#include <QDialog>
#include <QPointer>

class FindTarget;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The find dialog: one modeless window for the whole run, owned by the main
// window, made on first use by instance(). The opening window sets itself as
// the owner and the caption, then shows it; "Find Next" calls the owner's
// Find, "Cancel" hides the dialog and keeps the text and options.
class frmFind : public QDialog {
    Q_OBJECT
public:
    static frmFind& instance();

    // The window to search: a widget that implements FindTarget (any other
    // widget, or null, leaves the dialog without an owner). The dialog lets
    // go of an owner that is closed or destroyed and never calls it again.
    void setOwner(QWidget* owner);
    QWidget* owner() const { return m_owner; }
    void setTitle(const QString& title) { setWindowTitle(title); }

    QLineEdit* textFind = nullptr;
    QRadioButton* optUp = nullptr;    // optDirection(0)
    QRadioButton* optDown = nullptr;  // optDirection(1)
    QCheckBox* ckWholeWordOnly = nullptr;
    QCheckBox* ckMatchCase = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit frmFind(QWidget* parent);
    void textFind_Change();
    void OKButton_Click();

    QPointer<QWidget> m_owner;
    FindTarget* m_target = nullptr;
};
