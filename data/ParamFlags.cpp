#include "data/ParamFlags.h"

#include "data/clsDB.h"

bool IsIssueTemplatesEnabled()
{
    return DB().GetParamValue(QStringLiteral("ENABLE_ISSUE_TEMPLATES")) == QLatin1String("1");
}

long CustomerNameDisplayFlag()
{
    return DB().GetParamValue(QStringLiteral("CUSTOMERNAME_DISPLAY")) == QLatin1String("1") ? 1 : 0;
}
