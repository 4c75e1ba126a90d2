#include "common/Product.h"

namespace Product {

QString name() { return QStringLiteral("Brindlemark"); }
QString maker() { return QStringLiteral("Tarvelon"); }
QString title() { return name(); }
QString website() { return QStringLiteral("https://www.tarvelon.example/"); }
QString version() { return QStringLiteral(BM_VERSION); }

} // namespace Product
