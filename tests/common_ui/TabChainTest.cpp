#include "common/ui/TabChain.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// Of `among`, the widgets that follow `from` in the Tab order, in order.
QList<QWidget*> tabWalk(QWidget* from, const QList<QWidget*>& among)
{
    QList<QWidget*> walk;
    for (QWidget* w = from->nextInFocusChain(); w && w != from && walk.size() < among.size(); w = w->nextInFocusChain()) {
        if (among.contains(w) && !walk.contains(w))
            walk.append(w);
    }
    return walk;
}

// A window as the record windows build it: the fields on the pages are made
// first, the button after the tab control last; the chain then names the
// tab control before the first field and after a button.
TEST(TabChain, FieldsFollowTheRowOfTabsNotTheLastPage)
{
    QWidget window;
    auto* tabs = new QTabWidget(&window);
    auto* first = new QWidget;
    auto* name = new QLineEdit(first);
    auto* city = new QLineEdit(first);
    (new QVBoxLayout(first))->addWidget(name);
    first->layout()->addWidget(city);
    auto* second = new QWidget;
    auto* notes = new QLineEdit(second);
    (new QVBoxLayout(second))->addWidget(notes);
    tabs->addTab(first, QStringLiteral("&Primary"));
    tabs->addTab(second, QStringLiteral("&Notes"));
    auto* ok = new QPushButton(QStringLiteral("OK"), &window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(tabs);
    layout->addWidget(ok);

    setTabChain({tabs, city, name});
    setTabChain({ok, tabs});
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    const QList<QWidget*> all{tabs->tabBar(), name, city, notes, ok};
    EXPECT_EQ(tabWalk(tabs->tabBar(), all).mid(0, 2), (QList<QWidget*>{city, name}));
    EXPECT_EQ(tabWalk(ok, all).first(), tabs->tabBar());

    tabs->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), tabs->tabBar());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), city);
}

} // namespace
