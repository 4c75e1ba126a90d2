#pragma once

#include "common/ui/WindowRegistry.h"

#include <QMainWindow>

class QMdiArea;
class QMdiSubWindow;

// The main window: one for the whole run, tagged "MAINFORM". It owns the MDI
// area where record windows, lists and reports open, and is the registry of
// open windows by tag (installed while it exists). Its position is restored
// when it is made and saved when it closes, in the settings file of
// SettingsFile (tests point that at a temporary file first).
class frmMain : public QMainWindow, public WindowRegistry {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // The owner of the program's dialogs.
    QWidget* hWnd() { return this; }

    // Captions of the List Management entries from the open database's
    // custom labels; nothing to do until a database can be opened.
    void SetCustomMenuLabels();

    // Opens `form` (tagged, owned by the MDI area from now on) as an MDI
    // child and shows it.
    QMdiSubWindow* addMdiChild(QWidget* form);

    QMdiArea* mdiArea() const { return m_mdiArea; }

    // WindowRegistry
    QWidget* mainForm() const override;
    QList<QWidget*> openForms() const override;
    void activateForm(QWidget* form) override;
    bool closeForm(QWidget* form) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QMdiSubWindow* subWindowOf(const QWidget* form) const;

    QMdiArea* m_mdiArea = nullptr;
};
