#pragma once

#include <QHash>
#include <QString>

class SettingsStore;

// The values of one device's settings section (for example
// [software\OLEforRetail\ServiceOPOS\POSPrinter\ReceiptPrinter]); names
// compare without regard to case, as registry value names do.
class DeviceSettings {
public:
    DeviceSettings() = default;
    static DeviceSettings read(const SettingsStore &store, const QString &deviceClass, const QString &deviceName);

    bool isEmpty() const { return values_.isEmpty(); }
    bool operator==(const DeviceSettings &other) const { return values_ == other.values_; }
    void set(const QString &name, const QString &value) { values_.insert(name.toLower(), value); }

    QString text(const QString &name, const QString &defaultValue = QString()) const;
    // A whole number; a missing or unreadable value gives the default.
    int number(const QString &name, int defaultValue) const;
    // "Y"/"N" in any case; anything else gives the default.
    bool flag(const QString &name, bool defaultValue) const;

private:
    QHash<QString, QString> values_;
};

// The characters in a row of the customer display named `displayName`:
// its "Columns" value, 20 when it has none.
int lineDisplayColumns(const SettingsStore &store, const QString &displayName);
