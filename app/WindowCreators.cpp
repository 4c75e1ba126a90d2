#include "app/WindowCreators.h"

#include <QHash>
#include <QMetaEnum>
#include <QtGlobal>

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
    if (it != creators().constEnd())
        return (*it)(parent);
    const char* name = QMetaEnum::fromType<Kind>().valueToKey(int(kind));
    Q_ASSERT_X(false, "WindowCreators::create", name);
    qCritical("No window is registered for the kind %s.", name);
    return nullptr;
}

QList<Kind> missing()
{
    QList<Kind> kinds;
    const QMetaEnum all = QMetaEnum::fromType<Kind>();
    for (int i = 0; i < all.keyCount(); ++i) {
        const auto kind = Kind(all.value(i));
        if (!has(kind))
            kinds.append(kind);
    }
    return kinds;
}

void clear() { creators().clear(); }

} // namespace WindowCreators
