#include "reports/RepNumber.h"

#include <QRegularExpression>

#include <cfenv>
#include <cmath>
#include <limits>

std::optional<qint32> repIdentifier(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("\\A[+-]?[0-9]+(\\.[0-9]+)?\\z"));
    const QString item = text.trimmed();
    if (!pattern.match(item).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = item.toDouble(&ok); // QString::toDouble reads the C locale
    if (!ok)
        return std::nullopt;
    // The default rounding mode takes halves to the even neighbour.
    const double whole = std::nearbyint(value);
    if (whole < double(std::numeric_limits<qint32>::min()) || whole > double(std::numeric_limits<qint32>::max()))
        return std::nullopt;
    return qint32(whole);
}
