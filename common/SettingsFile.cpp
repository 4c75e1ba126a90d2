#include "common/SettingsFile.h"

#include "common/Product.h"

namespace SettingsFile {
namespace {
QString& overridePath()
{
    static QString path;
    return path;
}
} // namespace

std::unique_ptr<QSettings> open()
{
    if (!overridePath().isEmpty())
        return std::make_unique<QSettings>(overridePath(), QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, Product::maker(),
                                       Product::name());
}

QString path() { return open()->fileName(); }

void setPath(const QString& iniPath) { overridePath() = iniPath; }

Override::Override(const QString& iniPath)
    : m_previous(overridePath())
{
    setPath(iniPath);
}

Override::~Override() { setPath(m_previous); }

} // namespace SettingsFile
