#pragma once

#include "devices/opos_control_object.h"

// The three control objects the main window owns (Printer1, CashDrawer1,
// Linedisp1). Their service objects come from the device sections of the
// settings: "simulated" or "escpos".
class OposPosPrinter : public OposControlObject<PosPrinterControl> {
public:
    explicit OposPosPrinter(const SettingsStore &store);
    int PrintNormal(int station, const QString &data) override;
    int RecLinesToPaperCut() override;
    int CutPaper(int percentage) override;
};

class OposCashDrawer : public OposControlObject<CashDrawerControl> {
public:
    explicit OposCashDrawer(const SettingsStore &store);
    int OpenDrawer() override;
    int WaitForDrawerClose(int beepTimeout, int beepFrequency, int beepDuration, int beepDelay) override;
};

class OposLineDisplay : public OposControlObject<LineDisplayControl> {
public:
    explicit OposLineDisplay(const SettingsStore &store);
    int ClearText() override;
    int DisplayText(const QString &data, int attribute) override;
};

// The service object a device's "Service" value names (simulated or
// escpos); null for any other value.
std::unique_ptr<PosPrinterControl> makePrinterService(const DeviceSettings &settings);
std::unique_ptr<CashDrawerControl> makeDrawerService(const DeviceSettings &settings);
std::unique_ptr<LineDisplayControl> makeDisplayService(const DeviceSettings &settings);

// The three control objects together, for their owner.
struct OposDevices {
    explicit OposDevices(const SettingsStore &store) : Printer1(store), CashDrawer1(store), Linedisp1(store) {}
    OposPosPrinter Printer1;
    OposCashDrawer CashDrawer1;
    OposLineDisplay Linedisp1;
};
