#include "common/ProgramEnv.h"

#include <QCoreApplication>
#include <QSysInfo>

namespace ProgramEnv {
namespace {
std::optional<QString>& computerNameOverride()
{
    static std::optional<QString> name;
    return name;
}
} // namespace

QString programFolder()
{
    const QString fromEnv = qEnvironmentVariable("BM_PROGRAM_DIR");
    if (!fromEnv.isEmpty())
        return fromEnv;
    return QCoreApplication::applicationDirPath();
}

QString computerName()
{
    const QString name = computerNameOverride() ? *computerNameOverride() : QSysInfo::machineHostName();
    return name.left(255);
}

void setComputerName(std::optional<QString> name) { computerNameOverride() = std::move(name); }

} // namespace ProgramEnv
