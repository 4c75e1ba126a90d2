#pragma once

#include <QScreen>
#include <QWidget>

// Gives a window that has not been sized yet the size its content asks for
// (the size hint), within the available area of its screen; Qt's own first
// size stops at two thirds of the screen.
inline void fitFirstSize(QWidget* window)
{
    const QScreen* screen = window->screen();
    const QSize room = screen ? screen->availableGeometry().size() : window->sizeHint();
    window->resize(window->sizeHint().boundedTo(room));
}
