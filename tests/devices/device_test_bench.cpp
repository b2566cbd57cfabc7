#include "device_test_bench.h"

#include "common/app_settings.h"

#include <QtTest>

DeviceTestBench::DeviceTestBench(TDataModule2 &dm, AppSettings &settings) : dm_(dm), settings_(settings) {}

QByteArray DeviceTestBench::fileContents(const QString &file) const
{
    QFile f(path(file));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

void DeviceTestBench::configure(const QString &deviceClass, const QString &name, const QMap<QString, QString> &values)
{
    for (auto it = values.begin(); it != values.end(); ++it)
        QVERIFY(store.write(oposDeviceSection(deviceClass, name), it.key(), it.value()));
}

DeviceLayer &DeviceTestBench::layer()
{
    if (!layer_)
        layer_ = std::make_unique<DeviceLayer>(dm_, settings_, devices().Printer1, devices().CashDrawer1,
                                               devices().Linedisp1);
    return *layer_;
}

OposDevices &DeviceTestBench::devices()
{
    if (!devices_)
        devices_ = std::make_unique<OposDevices>(store);
    return *devices_;
}
