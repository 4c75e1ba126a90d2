#include "app/frmMain.h"

#include "app/frmTip.h"
#include "common/ui/ObjectTag.h"
#include "common/ui/clsWndStartupPos.h"
#include "data/clsDB.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

frmMain::frmMain(QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setObjectTag(this, QStringLiteral("MAINFORM"));
    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(m_mdiArea);
    // A child window larger than the area can be scrolled to its far side.
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    buildMenus();
    buildToolBar();
    buildStatusBar();
    for (QStyle::StandardPixmap image : {QStyle::SP_DirHomeIcon, QStyle::SP_DriveHDIcon, QStyle::SP_FileIcon,
                                         QStyle::SP_MessageBoxWarning, QStyle::SP_FileDialogDetailedView})
        SysImageList.append(style()->standardIcon(image));
    if (const QScreen* screen = this->screen())
        resize(firstSize(screen->availableGeometry()));

    SetWindowCaption();
    InitToolBar();
    clsWndStartupPos().RestorePosition(this);
    SetUI();
    WindowRegistry::install(this);
    QCoreApplication::instance()->installEventFilter(this);
}

frmMain::~frmMain()
{
    if (WindowRegistry::isInstalled(this))
        WindowRegistry::install(nullptr);
}

QSize frmMain::firstSize(const QRect& available)
{
    // The largest child window (the report definition) with the menu,
    // tool and status bars around it.
    return QSize(1100, 860).boundedTo(available.size());
}

QMdiSubWindow* frmMain::addMdiChild(QWidget* form)
{
    // A window that chose its size keeps it inside the frame.
    const QSize chosen = form->testAttribute(Qt::WA_Resized) ? form->size() : QSize();
    QMdiSubWindow* sub = m_mdiArea->addSubWindow(form);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->installEventFilter(this);
    sub->show();
    if (chosen.isValid() && form->size() != chosen)
        sub->resize(sub->size() + (chosen - form->size()));
    return sub;
}

bool frmMain::closeChildren()
{
    const QList<QWidget*> forms = openForms();
    for (QWidget* form : forms) {
        if (form != this)
            (void)closeForm(form);
    }
    return openForms().size() == 1;
}

// Children go first, so that a window that refuses to close (an edit the
// user keeps) also keeps its database open.
bool frmMain::closeDatabase()
{
    if (!closeChildren())
        return false;
    DB().CloseDB();
    return true;
}

QWidget* frmMain::mainForm() const { return const_cast<frmMain*>(this); }

QList<QWidget*> frmMain::openForms() const
{
    QList<QWidget*> forms{const_cast<frmMain*>(this)};
    // A closed sub-window stays listed until it is deleted; it is hidden by then.
    const QList<QMdiSubWindow*> subs = m_mdiArea->subWindowList(QMdiArea::CreationOrder);
    for (QMdiSubWindow* sub : subs) {
        if (sub->widget() && !sub->isHidden())
            forms.append(sub->widget());
    }
    // Modeless windows of our own outside the MDI area carry a tag too.
    const QList<QWidget*> topLevel = QApplication::topLevelWidgets();
    for (QWidget* w : topLevel) {
        if (!qobject_cast<frmMain*>(w) && !w->isHidden() && !objectTag(w).isEmpty())
            forms.append(w);
    }
    return forms;
}

QMdiSubWindow* frmMain::subWindowOf(const QWidget* form) const
{
    const QList<QMdiSubWindow*> subs = m_mdiArea->subWindowList();
    for (QMdiSubWindow* sub : subs) {
        if (sub->widget() == form)
            return sub;
    }
    return nullptr;
}

void frmMain::activateForm(QWidget* form)
{
    if (QMdiSubWindow* sub = subWindowOf(form)) {
        sub->showNormal();
        m_mdiArea->setActiveSubWindow(sub);
        return;
    }
    form->showNormal();
    form->raise();
    form->activateWindow();
}

bool frmMain::closeForm(QWidget* form)
{
    if (QMdiSubWindow* sub = subWindowOf(form))
        return sub->close();
    return form->close();
}

void frmMain::runCommand(Command command) { (this->*command)(); }

// A key reaches a child's frame only when no control of the child took it;
// a frame being moved or sized from its system menu keeps Esc for ending
// that. The close runs after the key is done, so that a question it asks
// (the discard question of a record in edit mode) never opens inside a
// control's key handling; further Esc keys until it is over add nothing.
bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (keepKeyFromShortcuts(watched, event))
        return true;
    auto* sub = qobject_cast<QMdiSubWindow*>(watched);
    if (sub && event->type() == QEvent::KeyPress && QWidget::mouseGrabber() != sub) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier && sub->widget()) {
            if (m_closingOnEscape != sub->widget()) {
                m_closingOnEscape = sub->widget();
                QMetaObject::invokeMethod(this, &frmMain::closeOnEscape, Qt::QueuedConnection);
            }
            return true;
        }
        // Return presses the focused button, as it does in a dialog.
        auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget());
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && button && sub->isAncestorOf(button)
            && button->isEnabled()) {
            button->click();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::closeOnEscape()
{
    if (m_closingOnEscape)
        (void)closeForm(m_closingOnEscape);
    m_closingOnEscape = nullptr;
}

// Closing the main window is the program's shut-down; it stops short when a
// child window keeps itself open, since closing the database under it would
// drop that window's edit.
void frmMain::closeEvent(QCloseEvent* event)
{
    if (!closeDatabase()) {
        event->ignore();
        return;
    }
    clsWndStartupPos().SavePosition(this);
    if (m_tip)
        m_tip->close();
    event->accept();
    emit unloaded();
}
