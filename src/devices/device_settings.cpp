#include "device_settings.h"

#include "common/app_settings.h"
#include "common/settings_store.h"

DeviceSettings DeviceSettings::read(const SettingsStore &store, const QString &deviceClass, const QString &deviceName)
{
    DeviceSettings settings;
    const QMap<QString, QString> values = store.values(oposDeviceSection(deviceClass, deviceName));
    for (auto it = values.begin(); it != values.end(); ++it)
        settings.set(it.key(), it.value());
    return settings;
}

QString DeviceSettings::text(const QString &name, const QString &defaultValue) const
{
    return values_.value(name.toLower(), defaultValue).trimmed();
}

int DeviceSettings::number(const QString &name, int defaultValue) const
{
    bool ok = false;
    const int value = text(name).toInt(&ok);
    return ok ? value : defaultValue;
}

bool DeviceSettings::flag(const QString &name, bool defaultValue) const
{
    const QString value = text(name).toUpper();
    if (value == QLatin1String("Y"))
        return true;
    if (value == QLatin1String("N"))
        return false;
    return defaultValue;
}

int lineDisplayColumns(const SettingsStore &store, const QString &displayName)
{
    const int columns = DeviceSettings::read(store, QStringLiteral("LineDisplay"), displayName)
                            .number(QStringLiteral("Columns"), 20);
    return columns > 0 ? columns : 20;
}
