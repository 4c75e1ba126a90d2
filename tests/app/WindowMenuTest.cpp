#include "AppFixture.h"

#include "app/frmMain.h"
#include "common/ui/ObjectTag.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTest>

namespace {

class WindowMenuTest : public AppFixture {
protected:
    WindowMenuTest()
    {
        openNewDatabase();
        m_main.SetUI();
        m_main.setWindowState(Qt::WindowNoState);
        m_main.resize(800, 600);
        m_main.show();
    }

    QWidget* addChild(const QString& tag)
    {
        auto* form = new QWidget;
        setObjectTag(form, tag);
        form->setWindowTitle(QStringLiteral("Window ") + tag);
        m_main.addMdiChild(form);
        return form;
    }

    QList<QMdiSubWindow*> children() const
    {
        QList<QMdiSubWindow*> shown;
        for (QMdiSubWindow* sub : m_main.mdiArea()->subWindowList(QMdiArea::CreationOrder)) {
            if (!sub->isHidden())
                shown.append(sub);
        }
        return shown;
    }

    frmMain m_main;
};

TEST_F(WindowMenuTest, CloseAllLeavesOnlyTheMainWindow)
{
    addChild(QStringLiteral("C1000"));
    addChild(QStringLiteral("REPORTS"));
    m_main.findChild<QAction*>(QStringLiteral("mnuWindowCloseAll"))->trigger();
    EXPECT_TRUE(children().isEmpty());
    EXPECT_EQ(m_main.openForms(), QList<QWidget*>{&m_main});
}

TEST_F(WindowMenuTest, CtrlXClosesEveryChildWindow)
{
    addChild(QStringLiteral("C1000"));
    addChild(QStringLiteral("I1001"));
    m_main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_main));
    QTest::keyClick(&m_main, Qt::Key_X, Qt::ControlModifier);
    EXPECT_TRUE(children().isEmpty());
}

TEST_F(WindowMenuTest, TilingStacksOrSetsTheWindowsSideBySide)
{
    addChild(QStringLiteral("C1000"));
    addChild(QStringLiteral("C1001"));
    const QRect area = m_main.mdiArea()->viewport()->rect();

    m_main.mnuWindowTH_Click();
    QList<QMdiSubWindow*> subs = children();
    EXPECT_EQ(subs.at(0)->geometry(), QRect(0, 0, area.width(), area.height() / 2));
    EXPECT_EQ(subs.at(1)->geometry().top(), area.height() / 2);
    EXPECT_EQ(subs.at(1)->geometry().width(), area.width());

    m_main.mnuWindowTV_Click();
    EXPECT_EQ(subs.at(0)->geometry(), QRect(0, 0, area.width() / 2, area.height()));
    EXPECT_EQ(subs.at(1)->geometry().left(), area.width() / 2);
    EXPECT_EQ(subs.at(1)->geometry().height(), area.height());

    m_main.mnuWindowCascade_Click();
    EXPECT_LT(subs.at(0)->geometry().top(), subs.at(1)->geometry().top());
}

TEST_F(WindowMenuTest, ArrangeIconsLinesUpMinimizedWindowsAtTheBottom)
{
    addChild(QStringLiteral("C1000"))->parentWidget()->showMinimized();
    addChild(QStringLiteral("C1001"))->parentWidget()->showMinimized();
    m_main.mnuWindowArrangeIcons_Click();
    const QList<QMdiSubWindow*> subs = children();
    const int bottom = m_main.mdiArea()->viewport()->rect().height();
    EXPECT_EQ(subs.at(0)->geometry().left(), 0);
    EXPECT_EQ(subs.at(0)->geometry().bottom() + 1, bottom);
    EXPECT_EQ(subs.at(1)->geometry().left(), subs.at(0)->geometry().right() + 1);
}

TEST_F(WindowMenuTest, TheWindowMenuListsTheChildrenAndBringsOneUp)
{
    QWidget* first = addChild(QStringLiteral("C1000"));
    addChild(QStringLiteral("C1001"));
    QMenu* menu = m_main.findChild<QMenu*>(QStringLiteral("mnuWindow"));
    emit menu->aboutToShow();
    QStringList listed;
    for (QAction* action : menu->actions()) {
        if (action->objectName().startsWith(QLatin1String("mnuWindowList")))
            listed.append(action->text());
    }
    EXPECT_EQ(listed, (QStringList{QStringLiteral("&1 Window C1000"), QStringLiteral("&2 Window C1001")}));
    m_main.findChild<QAction*>(QStringLiteral("mnuWindowList1"))->trigger();
    EXPECT_EQ(m_main.mdiArea()->activeSubWindow()->widget(), first);

    // Showing the menu again lists what is open now, once.
    m_main.mnuWindowCloseAll_Click();
    emit menu->aboutToShow();
    EXPECT_EQ(m_main.findChild<QAction*>(QStringLiteral("mnuWindowList1")), nullptr);
}

} // namespace
