#pragma once

#include <QDateTime>

// The program's one source of the current date and time. Tests fix it.
namespace Clock {

QDateTime now();
QDate today();

// From now on now() answers `fixed` (local time) until clearFixed().
void setFixed(const QDateTime& fixed);
void clearFixed();

} // namespace Clock
