#pragma once

#include "scripted_dialogs.h"

#include "common/settings_store.h"
#include "devices/device_layer.h"
#include "devices/opos_devices.h"

#include <QMap>
#include <QTemporaryDir>
#include <memory>

struct AppSettings;

// The device layer over the program's own control objects, configured by a
// settings file in a temporary folder, with the Dialogs seam scripted.
class DeviceTestBench {
public:
    DeviceTestBench(TDataModule2 &dm, AppSettings &settings);

    QString path(const QString &file) const { return dir_.filePath(file); }
    QByteArray fileContents(const QString &file) const;
    // Writes values into the section of one device.
    void configure(const QString &deviceClass, const QString &name, const QMap<QString, QString> &values);
    // Made at first use, so configure first.
    DeviceLayer &layer();
    OposDevices &devices();

private:
    QTemporaryDir dir_;
    TDataModule2 &dm_;
    AppSettings &settings_;
    std::unique_ptr<OposDevices> devices_;
    std::unique_ptr<DeviceLayer> layer_;

public:
    SettingsStore store{dir_.filePath(QStringLiteral("settings.ini"))};
    ScriptedDialogs dialogs;
};
