#include "app/frmMain.h"
#include "common/SettingsFile.h"
#include "common/ui/ObjectTag.h"
#include "common/ui/clsSystemUI.h"

#include "TestSupport.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <gtest/gtest.h>

namespace {

class Stubborn : public QWidget {
protected:
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

QWidget* tagged(QWidget* w, const QString& tag)
{
    setObjectTag(w, tag);
    return w;
}

class WindowRegistryTest : public ::testing::Test {
protected:
    QStringList openTags() const
    {
        QStringList tags;
        for (QWidget* w : m_main.openForms())
            tags.append(objectTag(w));
        return tags;
    }

    bmtest::TempFolder m_temp;
    SettingsFile::Override m_settings{m_temp.file(QStringLiteral("settings.ini"))};
    frmMain m_main;
};

TEST_F(WindowRegistryTest, FindsWindowsByTheirExactTag)
{
    m_main.show();
    m_main.addMdiChild(tagged(new QWidget, QStringLiteral("C1001")));
    m_main.addMdiChild(tagged(new QWidget, QStringLiteral("REPORTS")));
    EXPECT_EQ(openTags(), (QStringList{QStringLiteral("MAINFORM"), QStringLiteral("C1001"), QStringLiteral("REPORTS")}));
    EXPECT_TRUE(SysUI().IsFormLoaded(QStringLiteral("C1001")));
    EXPECT_FALSE(SysUI().IsFormLoaded(QStringLiteral("c1001")));
    EXPECT_FALSE(SysUI().IsFormLoaded(QStringLiteral("C100")));
    QWidget* found = nullptr;
    EXPECT_TRUE(SysUI().GetFormWithTag(QStringLiteral("MAINFORM"), found));
    EXPECT_EQ(found, &m_main);
    EXPECT_FALSE(SysUI().GetFormWithTag(QStringLiteral("MYISSUES"), found));
    EXPECT_EQ(found, &m_main);
}

TEST_F(WindowRegistryTest, BringFormToTopRestoresAndActivatesTheWindow)
{
    m_main.show();
    QWidget* customer = tagged(new QWidget, QStringLiteral("C1001"));
    QMdiSubWindow* sub = m_main.addMdiChild(customer);
    m_main.addMdiChild(tagged(new QWidget, QStringLiteral("REPORTS")));
    sub->showMinimized();
    EXPECT_TRUE(SysUI().BringFormToTop(QStringLiteral("C1001")));
    EXPECT_FALSE(sub->isMinimized());
    EXPECT_EQ(m_main.mdiArea()->activeSubWindow(), sub);
    EXPECT_FALSE(SysUI().BringFormToTop(QStringLiteral("I1")));
}

TEST_F(WindowRegistryTest, UnloadAllLeavesOnlyTheMainWindow)
{
    m_main.show();
    m_main.addMdiChild(tagged(new QWidget, QStringLiteral("C1001")));
    m_main.addMdiChild(tagged(new QWidget, QStringLiteral("C1001")));
    m_main.addMdiChild(tagged(new QWidget, QStringLiteral("REPORTS")));
    QWidget find;
    tagged(&find, QStringLiteral("FIND"));
    find.show();
    SysUI().UnloadForm(QStringLiteral("C1001"));
    EXPECT_EQ(openTags(), (QStringList{QStringLiteral("MAINFORM"), QStringLiteral("REPORTS"), QStringLiteral("FIND")}));
    SysUI().UnloadAll(QStringLiteral("MAINFORM"));
    EXPECT_EQ(openTags(), QStringList{QStringLiteral("MAINFORM")});
    EXPECT_TRUE(m_main.isVisible());
}

TEST_F(WindowRegistryTest, AWindowThatRefusesToCloseIsPassedOver)
{
    m_main.show();
    m_main.addMdiChild(tagged(new QWidget, QStringLiteral("C1")));
    m_main.addMdiChild(tagged(new Stubborn, QStringLiteral("I5")));
    m_main.addMdiChild(tagged(new QWidget, QStringLiteral("C2")));
    SysUI().UnloadAll(QStringLiteral("MAINFORM"));
    EXPECT_EQ(openTags(), (QStringList{QStringLiteral("MAINFORM"), QStringLiteral("I5")}));
}

} // namespace
