#include "data/clsDB.h"

#include "common/clsSystem.h"
#include "data/DbNotices.h"

namespace {

constexpr int kPermissionLength = 30;
constexpr int kDefaultGranted = 4;   // customers, products/services, issues, reports

} // namespace

QString clsDB::GetDefaultPermissionsStr() const
{
    return QString(kDefaultGranted, QLatin1Char('1')) + QString(kPermissionLength - kDefaultGranted, QLatin1Char('0'));
}

bool clsDB::CheckPerm(int position, bool noMsg) const
{
    if (m_isAdmin || m_permissions.mid(position - 1, 1) == QLatin1String("1"))
        return true;
    if (!noMsg)
        NoPermissionMsg();
    return false;
}

void clsDB::NoPermissionMsg() const
{
    Sys().ShowMsg(DbNotice::noPermission(m_loginName), 4, -1);
}
