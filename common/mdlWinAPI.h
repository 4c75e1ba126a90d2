#pragma once

#include <QString>

// Locale texts by locale id and item number, answered from the default
// QLocale at each call (never cached, so a changed default shows at once).
namespace mdlWinAPI {

// Locale ids that stand for the user's own locale; any other id is unknown.
constexpr int kLocaleNeutral = 0x0000;
constexpr int kLocaleUserDefault = 0x0400;
constexpr int kLocaleSystemDefault = 0x0800;

// Locale items.
constexpr int kLocaleDecimalSep = 14;
constexpr int kLocaleThousandSep = 15;
constexpr int kLocaleCurrencySymbol = 20;
constexpr int kLocaleMonetaryDecimalSep = 22;
constexpr int kLocaleMonetaryThousandSep = 23;
constexpr int kLocaleAMDesignator = 40;
constexpr int kLocalePMDesignator = 41;

// The text of `localeItem` for `localeId`; "" for an unknown id or item.
QString GetLocaleString(int localeId, int localeItem);
QString LocaleCurrencySymbol();
QString LocaleMonetaryThousandSep();

} // namespace mdlWinAPI
