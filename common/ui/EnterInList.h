#pragma once

#include <functional>

class QAbstractItemView;

// Runs `open` whenever Enter or Return is pressed in the list (a filter the
// list owns).
void onEnterInList(QAbstractItemView* list, std::function<void()> open);
