#include "app/WindowCreators.h"

#include <QHash>

namespace WindowCreators {
namespace {

QHash<int, Creator>& creators()
{
    static QHash<int, Creator> table;
    return table;
}

} // namespace

void set(Kind kind, Creator creator)
{
    if (creator)
        creators().insert(int(kind), std::move(creator));
    else
        creators().remove(int(kind));
}

bool has(Kind kind) { return creators().contains(int(kind)); }

QWidget* create(Kind kind, QWidget* parent)
{
    const auto it = creators().constFind(int(kind));
    return it == creators().constEnd() ? nullptr : (*it)(parent);
}

void clear() { creators().clear(); }

} // namespace WindowCreators
