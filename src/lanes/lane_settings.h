#pragma once

#include <QString>

class SettingsStore;

inline const QString StoreSection = QStringLiteral("software\\Tillano\\Store");

// The lane's settings, section [software\Tillano\Store]: Server, a libpq
// connection string, and Store, the store number. Without Server the
// program is a single terminal.
struct LaneSettings {
    QString server;
    QString storeText;

    static LaneSettings load(const SettingsStore &store);
    bool isLane() const { return !server.trimmed().isEmpty(); }
    // The store number; 0 when Store is not a whole number of 1 or more.
    int store() const;
};
