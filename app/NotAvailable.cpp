#include "app/NotAvailable.h"

#include "common/PromptService.h"

void notAvailableYet(const QString& what)
{
    MsgBox(what + QStringLiteral(" is not available yet."), MsgStyle::Information);
}
