#include "common/mdlRegistry.h"

#include "common/Product.h"
#include "common/SettingsFile.h"
#include "common/clsSystem.h"

#include <QStringList>

#include <cmath>
#include <limits>

namespace {

QString settingsKey(const QString& keyPath, const QString& valueName)
{
    const QString ownRoot = QStringLiteral("Software\\%1\\%2\\").arg(Product::maker(), Product::name());
    QString group = keyPath.startsWith(ownRoot, Qt::CaseInsensitive) ? keyPath.mid(ownRoot.size()) : keyPath;
    group.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QString name = valueName.isEmpty() ? QStringLiteral("(Default)") : valueName;
    return group.isEmpty() ? name : group + QLatin1Char('/') + name;
}

} // namespace

QString PrefKeyPath()
{
    return QStringLiteral("Software\\%1\\%2\\Pref").arg(Product::maker(), Product::name());
}

bool RegWriteString(const QString& keyPath, const QString& text, const QString& valueName)
{
    auto settings = SettingsFile::open();
    settings->setValue(settingsKey(keyPath, valueName), text);
    settings->sync();
    return settings->status() == QSettings::NoError;
}

bool RegReadValue(RegRoot, const QString& keyPath, const QString& valueName, QString& text)
{
    text.clear();
    auto settings = SettingsFile::open();
    const QString key = settingsKey(keyPath, valueName);
    if (settings->status() != QSettings::NoError || !settings->contains(key))
        return false;
    const QVariant value = settings->value(key);
    // An unquoted comma in a hand-edited file makes the value a list.
    text = value.typeId() == QMetaType::QStringList ? value.toStringList().join(QLatin1Char(','))
                                                    : value.toString();
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text.truncate(nul);
    return true;
}

void SavePrefLong(const QString& valueName, qint32 value)
{
    SavePrefString(valueName, QString::number(value));
}

void SavePrefString(const QString& valueName, const QString& text)
{
    (void)RegWriteString(PrefKeyPath(), text, valueName);
}

qint32 GetPrefLong(const QString& valueName)
{
    const auto value = Sys().numericValue(GetPrefString(valueName));
    if (!value)
        return 0;
    const double rounded = std::nearbyint(*value); // the default rounding mode: halves to even
    if (!(rounded >= std::numeric_limits<qint32>::min() && rounded <= std::numeric_limits<qint32>::max()))
        return 0;
    return static_cast<qint32>(rounded);
}

QString GetPrefString(const QString& valueName)
{
    QString text;
    RegReadValue(RegRoot::CurrentUser, PrefKeyPath(), valueName, text);
    return text;
}
