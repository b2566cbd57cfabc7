#pragma once

#include "devices/device_operations.h"

#include <QStringList>

// Records the printout calls: the text of every PrintLine, and
// "<EndPrintout>" for every EndPrintout.
class RecordingDevices : public DeviceOperations {
public:
    QStringList calls;
    static inline const QString End = QStringLiteral("<EndPrintout>");

    QString StartPrinter(const QString &name) override { return name; }
    QString StartCashDrawer(const QString &name) override { return name; }
    QString StartLineDisplay(const QString &name) override { return name; }
    void StopPrinter() override {}
    void StopCashDrawer() override {}
    void StopLineDisplay() override {}
    bool PrintLine(const QString &text) override
    {
        calls << text;
        return true;
    }
    void EndPrintout() override { calls << End; }
    void OpenCashDrawer() override {}
    void WaitCashDrawerClosed() override {}
    void ShowOnLineDisplay(const QString &) override {}
};
