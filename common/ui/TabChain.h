#pragma once

#include <QTabBar>
#include <QTabWidget>
#include <QWidget>

#include <initializer_list>

// The stop of a control in the Tab order. A tab control takes its place by
// its row of tabs: the control itself stands for everything on its pages,
// so a field ordered after it would follow the last control of the last page.
inline QWidget* tabStop(QWidget* w)
{
    if (auto* tabs = qobject_cast<QTabWidget*>(w))
        return tabs->tabBar();
    return w;
}

// Sets the Tab order of `widgets` as listed: each one passes the focus on to
// the next.
inline void setTabChain(std::initializer_list<QWidget*> widgets)
{
    QWidget* previous = nullptr;
    for (QWidget* w : widgets) {
        if (previous)
            QWidget::setTabOrder(tabStop(previous), tabStop(w));
        previous = w;
    }
}
