#include "data/ParamFlags.h"

#include "data/clsDB.h"

bool IsIssueTemplatesEnabled()
{
    return DB().GetParamValue(QStringLiteral("ENABLE_ISSUE_TEMPLATES")) == QLatin1String("1");
}

namespace {

long g_customerNameDisplayReads = 0;

} // namespace

long CustomerNameDisplayFlag()
{
    ++g_customerNameDisplayReads;
    return DB().GetParamValue(QStringLiteral("CUSTOMERNAME_DISPLAY")) == QLatin1String("1") ? 1 : 0;
}

long CustomerNameDisplayReads()
{
    return g_customerNameDisplayReads;
}
