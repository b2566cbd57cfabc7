#include "lane_settings.h"

#include "common/settings_store.h"

LaneSettings LaneSettings::load(const SettingsStore &store)
{
    return {store.read(StoreSection, QStringLiteral("Server")), store.read(StoreSection, QStringLiteral("Store"))};
}

int LaneSettings::store() const
{
    bool ok = false;
    const int n = storeText.trimmed().toInt(&ok);
    return ok && n >= 1 ? n : 0;
}
