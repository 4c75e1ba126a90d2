#include "app/MainCommands.h"
#include "app/frmMain.h"

#include <QAbstractItemView>
#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

// Menus, toolbar and button menus are made from the command table; each
// entry runs its row's member through runCommand.

using MainCommands::text;

namespace {

// The item view that `widget` is or lies in (a cell editor lies in its
// view), within one window; null when none.
const QAbstractItemView* itemViewOf(const QWidget* widget)
{
    for (; widget; widget = widget->parentWidget()) {
        if (const auto* view = qobject_cast<const QAbstractItemView*>(widget))
            return view;
        if (widget->isWindow())
            break;
    }
    return nullptr;
}

// F2 in an item view edits its current cell, as Qt's views do, where the
// view opens editors on that key and the cell can be edited; a shortcut
// does not know that and would take the key first.
bool itemViewTakesKey(const QWidget* focus, const QKeyEvent* key)
{
    if (key->key() != Qt::Key_F2)
        return false;
    const QAbstractItemView* view = itemViewOf(focus);
    if (!view || !view->editTriggers().testFlag(QAbstractItemView::EditKeyPressed))
        return false;
    const QModelIndex current = view->currentIndex();
    return current.isValid() && current.flags().testFlag(Qt::ItemIsEditable);
}

} // namespace

bool frmMain::keepKeyFromShortcuts(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && watched->isWidgetType()
        && itemViewTakesKey(static_cast<QWidget*>(watched), static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return false;
}

void frmMain::buildMenus()
{
    for (const MainCommand& row : MainCommands::table()) {
        switch (row.kind) {
        case MainCommand::Kind::Menu:
        case MainCommand::Kind::Item:
        case MainCommand::Kind::Separator:
            addMenuEntry(row);
            break;
        default:
            break;
        }
    }
    m_windowMenu = menuNamed(QStringLiteral("mnuWindow"));
    m_windowMenu->addSeparator()->setObjectName(QStringLiteral("mnuWindowSepList"));
    connect(m_windowMenu, &QMenu::aboutToShow, this, &frmMain::fillWindowList);
}

void frmMain::addMenuEntry(const MainCommand& row)
{
    const QString parentName = text(row.parent);
    QMenu* parentMenu = parentName.isEmpty() ? nullptr : menuNamed(parentName);
    if (row.kind == MainCommand::Kind::Menu) {
        QMenu* menu = parentMenu ? parentMenu->addMenu(text(row.caption)) : menuBar()->addMenu(text(row.caption));
        menu->setObjectName(text(row.name));
        menu->menuAction()->setObjectName(text(row.name));
        return;
    }
    QAction* action = row.kind == MainCommand::Kind::Separator ? parentMenu->addSeparator()
                                                               : parentMenu->addAction(text(row.caption));
    action->setObjectName(text(row.name));
    if (*row.shortcut)
        action->setShortcut(QKeySequence(text(row.shortcut)));
    action->setVisible(!row.hidden);
    if (row.member) {
        const Command member = row.member;
        connect(action, &QAction::triggered, this, [this, member] { runCommand(member); });
    }
}

void frmMain::buildToolBar()
{
    TB = new QToolBar(QStringLiteral("Toolbar"), this);
    TB->setObjectName(QStringLiteral("TB"));
    TB->setMovable(false);
    TB->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    addToolBar(Qt::TopToolBarArea, TB);
    // The images are the style's own; the command table numbers them 1 to 7.
    const QStyle::StandardPixmap images[] = {
        QStyle::SP_FileIcon,           QStyle::SP_FileDialogContentsView, QStyle::SP_FileDialogDetailedView,
        QStyle::SP_FileDialogInfoView, QStyle::SP_FileDialogListView,     QStyle::SP_DirIcon,
        QStyle::SP_ComputerIcon,
    };
    for (QStyle::StandardPixmap image : images)
        TBIL.append(style()->standardIcon(image));
    for (const MainCommand& row : MainCommands::table()) {
        if (row.kind == MainCommand::Kind::Button)
            addToolButton(row);
        else if (row.kind == MainCommand::Kind::ButtonSeparator)
            TB->addSeparator()->setObjectName(text(row.name));
    }
}

void frmMain::addToolButton(const MainCommand& row)
{
    const QString key = text(row.name);
    auto* buttonMenu = new QMenu(this);
    buttonMenu->setObjectName(key + QStringLiteral("_menu"));
    for (const MainCommand& e : MainCommands::table()) {
        if (e.kind != MainCommand::Kind::ButtonMenuEntry || text(e.parent) != key)
            continue;
        QAction* action = buttonMenu->addAction(text(e.caption));
        action->setObjectName(text(e.name));
        const QString entryKey = text(e.name);
        connect(action, &QAction::triggered, this, [this, entryKey] { TB_ButtonMenuClick(entryKey); });
    }
    auto* button = new QToolButton(TB);
    button->setObjectName(key);
    auto* action = new QAction(text(row.caption), button);
    action->setObjectName(key);
    action->setToolTip(*row.tooltip ? text(row.tooltip) : text(row.caption));
    button->setDefaultAction(action);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    if (buttonMenu->isEmpty()) {
        delete buttonMenu;
    } else {
        button->setMenu(buttonMenu);
        button->setPopupMode(QToolButton::MenuButtonPopup);
    }
    connect(action, &QAction::triggered, this, [this, key] { TB_ButtonClick(key); });
    TB->addWidget(button);
}

void frmMain::InitToolBar()
{
    for (const MainCommand& row : MainCommands::table()) {
        if (row.kind != MainCommand::Kind::Button)
            continue;
        QToolButton* button = toolButton(text(row.name));
        if (row.image >= 1 && row.image <= TBIL.size())
            button->defaultAction()->setIcon(TBIL.at(row.image - 1));
    }
}

void frmMain::TB_ButtonClick(const QString& key)
{
    const MainCommand* row = MainCommands::find(MainCommand::Kind::Button, key);
    if (row && row->member)
        runCommand(row->member);
}

void frmMain::TB_ButtonMenuClick(const QString& key)
{
    const MainCommand* row = MainCommands::find(MainCommand::Kind::ButtonMenuEntry, key);
    if (row && row->member)
        runCommand(row->member);
}

QMenu* frmMain::menuNamed(const QString& name) const
{
    return menuBar()->findChild<QMenu*>(name);
}

QAction* frmMain::actionNamed(const QString& name) const
{
    return menuBar()->findChild<QAction*>(name);
}

QToolButton* frmMain::toolButton(const QString& key) const
{
    return TB->findChild<QToolButton*>(key);
}

QAction* frmMain::buttonMenuEntry(const QString& buttonKey, const QString& entryKey) const
{
    const QToolButton* button = toolButton(buttonKey);
    if (!button || !button->menu())
        return nullptr;
    return button->menu()->findChild<QAction*>(entryKey);
}
