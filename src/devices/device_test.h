#pragma once

#include <QString>
#include <QStringList>

class DeviceSettings;

// What a device answered to a test, in words for the manager.
struct DeviceAnswer {
    bool ok = false;
    QString text;
};

// Tries a device with settings that are not saved yet, as the devices
// window does: each test opens, claims and enables the device, does its
// work and releases it again, and says what the device answered: the
// system's words for a port that cannot be opened (with the group to join
// when access is denied), the printer's state for a line it refused.
namespace DeviceTest {

// Prints the lines as a printout does: each line, the feed to the cutter,
// and the cut when `cut`.
DeviceAnswer printLines(const DeviceSettings &printer, const QStringList &lines, bool cut);
DeviceAnswer openDrawer(const DeviceSettings &drawer);
DeviceAnswer showText(const DeviceSettings &display, const QString &text);

}
