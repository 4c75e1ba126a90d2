#include "common/mdlWinAPI.h"

#include <QLocale>

namespace mdlWinAPI {

QString GetLocaleString(int localeId, int localeItem)
{
    if (localeId != kLocaleNeutral && localeId != kLocaleUserDefault
        && localeId != kLocaleSystemDefault)
        return QString();
    const QLocale locale;
    switch (localeItem) {
    case kLocaleDecimalSep:
    case kLocaleMonetaryDecimalSep:
        return locale.decimalPoint();
    case kLocaleThousandSep:
    case kLocaleMonetaryThousandSep:
        return locale.groupSeparator();
    case kLocaleCurrencySymbol:
        return locale.currencySymbol(QLocale::CurrencySymbol);
    case kLocaleAMDesignator:
        return locale.amText();
    case kLocalePMDesignator:
        return locale.pmText();
    default:
        return QString();
    }
}

QString LocaleCurrencySymbol()
{
    return GetLocaleString(kLocaleUserDefault, kLocaleCurrencySymbol);
}

QString LocaleMonetaryThousandSep()
{
    return GetLocaleString(kLocaleUserDefault, kLocaleMonetaryThousandSep);
}

} // namespace mdlWinAPI
