#include "app_settings.h"

#include "settings_store.h"

AppSettings AppSettings::load(const SettingsStore &store)
{
    AppSettings s;
    s.data = store.read(TillanoSection, QStringLiteral("Data"), s.data);
    s.language = store.read(TillanoSection, QStringLiteral("Language"), s.language);
    s.tips = store.read(TillanoSection, QStringLiteral("Tips"), s.tips);
    s.pod = store.read(TillanoSection, QStringLiteral("POD"), s.pod);
    s.paperCut = store.read(TillanoSection, QStringLiteral("PaperCut"), s.paperCut);
    s.columns30 = store.read(TillanoSection, QStringLiteral("Columns30"), s.columns30);
    return s;
}

QString oposDeviceSection(const QString &deviceClass, const QString &deviceName)
{
    return OposRoot + QLatin1Char('\\') + deviceClass + QLatin1Char('\\') + deviceName;
}

QString oposDeviceName(const SettingsStore &store, const QString &deviceClass)
{
    const QStringList names = store.subkeys(OposRoot + QLatin1Char('\\') + deviceClass);
    return names.isEmpty() ? QString() : names.first();
}
