#include "app/frmMain.h"

#include "common/clsSystem.h"
#include "common/ui/ObjectTag.h"
#include "common/ui/clsWndStartupPos.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

frmMain::frmMain(QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setObjectTag(this, QStringLiteral("MAINFORM"));
    setWindowTitle(Sys().GetAppTitle());
    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(m_mdiArea);
    resize(900, 640);
    clsWndStartupPos().RestorePosition(this);
    WindowRegistry::install(this);
}

frmMain::~frmMain()
{
    if (WindowRegistry::isInstalled(this))
        WindowRegistry::install(nullptr);
}

void frmMain::SetCustomMenuLabels() {}

QMdiSubWindow* frmMain::addMdiChild(QWidget* form)
{
    QMdiSubWindow* sub = m_mdiArea->addSubWindow(form);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->show();
    return sub;
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
        if (w != this && !w->isHidden() && !objectTag(w).isEmpty())
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

void frmMain::closeEvent(QCloseEvent* event)
{
    clsWndStartupPos().SavePosition(this);
    QMainWindow::closeEvent(event);
}
