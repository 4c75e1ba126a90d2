#include "common/Clock.h"

#include <optional>

namespace Clock {
namespace {
std::optional<QDateTime>& fixedTime()
{
    static std::optional<QDateTime> fixed;
    return fixed;
}
} // namespace

QDateTime now()
{
    return fixedTime() ? *fixedTime() : QDateTime::currentDateTime();
}

QDate today() { return now().date(); }

void setFixed(const QDateTime& fixed) { fixedTime() = fixed; }
void clearFixed() { fixedTime().reset(); }

} // namespace Clock
