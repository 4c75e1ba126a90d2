#pragma once

#include <QList>

class QWidget;

// The open windows of the program, found by their tag (ObjectTag.h). The
// main window implements it over its MDI area and installs itself; without
// one, the tagged top-level windows of the application are used.
class WindowRegistry {
public:
    virtual ~WindowRegistry() = default;

    // The main window, the owner of the program's dialogs; may be null.
    virtual QWidget* mainForm() const = 0;
    // Every open window, the main window first, then in the order opened.
    virtual QList<QWidget*> openForms() const = 0;
    // Gives the window its normal state and brings it to the front.
    virtual void activateForm(QWidget* form) = 0;
    // Closes the window; false when it refused to close.
    virtual bool closeForm(QWidget* form) = 0;

    // The installed registry (installing null goes back to the fallback).
    static WindowRegistry& current();
    static void install(WindowRegistry* registry);
    static bool isInstalled(const WindowRegistry* registry);
};
