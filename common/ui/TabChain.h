#pragma once

#include <QWidget>

#include <initializer_list>

// Sets the Tab order of `widgets` as listed: each one passes the focus on to
// the next.
inline void setTabChain(std::initializer_list<QWidget*> widgets)
{
    QWidget* previous = nullptr;
    for (QWidget* w : widgets) {
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
}
