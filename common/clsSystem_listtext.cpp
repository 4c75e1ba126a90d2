#include "common/clsSystem.h"

QString clsSystem::PadOrTruncate(const QString& text, int width) const
{
    const int room = width - 1;
    if (room <= 0)
        return QString();
    if (text.size() <= room)
        return PadSpaces(text, room, 2);
    // Too narrow for the marker: an empty column rather than a cut of
    // fewer than no characters.
    if (width < 4)
        return QString(room, u' ');
    return text.left(width - 4) + QStringLiteral(".. ");
}
