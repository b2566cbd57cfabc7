#pragma once

#include "devices/device_operations.h"

#include <QStringList>

// A device layer that records every call: "PrintLine: text",
// "EndPrintout", "OpenCashDrawer" ... in `calls`; what the printouts
// printed (each line's text, and End for every EndPrintout) in `printed`;
// what the customer display showed in `displayed`.
class RecordingDevices : public DeviceOperations {
public:
    QStringList calls;
    QStringList printed;
    QStringList displayed;
    static inline const QString End = QStringLiteral("<EndPrintout>");

    QString StartPrinter(const QString &name) override { return record("StartPrinter", name); }
    QString StartCashDrawer(const QString &name) override { return record("StartCashDrawer", name); }
    QString StartLineDisplay(const QString &name) override { return record("StartLineDisplay", name); }
    void StopPrinter() override { record("StopPrinter"); }
    void StopCashDrawer() override { record("StopCashDrawer"); }
    void StopLineDisplay() override { record("StopLineDisplay"); }
    bool PrintLine(const QString &text) override
    {
        printed.append(text);
        record("PrintLine", text);
        return true;
    }
    void EndPrintout() override
    {
        printed.append(End);
        record("EndPrintout");
    }
    void OpenCashDrawer() override { record("OpenCashDrawer"); }
    void WaitCashDrawerClosed() override { record("WaitCashDrawerClosed"); }
    void ShowOnLineDisplay(const QString &text) override
    {
        displayed.append(text);
        record("ShowOnLineDisplay", text);
    }

private:
    QString record(const char *call, const QString &argument = QString())
    {
        calls.append(QLatin1String(call) + (argument.isNull() ? QString() : QStringLiteral(": ") + argument));
        return argument;
    }
};
