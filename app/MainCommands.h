#pragma once

#include "app/frmMain.h"

#include <QString>

#include <span>

// One row of the main window's command table: a menu, menu item or
// separator of the menu bar, a toolbar button or separator, or an entry of a
// toolbar button's menu. Menus and toolbar are built from the rows in table
// order, and every click is dispatched through the row's member.
struct MainCommand {
    enum class Kind { Menu, Item, Separator, Button, ButtonSeparator, ButtonMenuEntry };

    Kind kind;
    // Menus and items: the control name of the enclosing menu ("" for the
    // menu bar). Button-menu entries: the key of their toolbar button.
    const char* parent;
    // Control name (menu bar) or key (toolbar, button menus).
    const char* name;
    // As stored: "&" marks the access key, "&&" shows one ampersand.
    const char* caption;
    // Portable key sequence text ("Ctrl+O", "F5"); "" for none.
    const char* shortcut = "";
    // Run on click; null for menus, separators and the buttons that only
    // open their button menu.
    frmMain::Command member = nullptr;
    // Toolbar buttons: the 1-based image in TBIL, and the tooltip ("" for the
    // text).
    int image = 0;
    const char* tooltip = "";
    // Never shown (Help, Add Bulk Issues).
    bool hidden = false;
};

namespace MainCommands {

// Every row, in the order the menus and the toolbar show them.
std::span<const MainCommand> table();

// The row of `name` of the given kind (button-menu entries: with the given
// owning button key, or any owner when it is empty); null when none.
const MainCommand* find(MainCommand::Kind kind, const QString& name, const QString& parent = QString());

// Text of a control or key as the table stores it.
inline QString text(const char* s) { return QString::fromLatin1(s); }

} // namespace MainCommands
