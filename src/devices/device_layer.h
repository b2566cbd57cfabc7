#pragma once

#include "devices/device_operations.h"

struct AppSettings;
class CashDrawerControl;
class LineDisplayControl;
class OposDevice;
class PosPrinterControl;
class TDataModule2;
class QWidget;

// The eleven device operations over the three OPOS-style controls. Every
// message and question goes through the Dialogs seam, in the language of
// the "Language" setting. The settings are held by reference, so a
// "PaperCut" changed by the general parameters counts from the next
// printout on.
class DeviceLayer : public DeviceOperations {
public:
    DeviceLayer(TDataModule2 &dm, const AppSettings &settings, PosPrinterControl &printer, CashDrawerControl &drawer,
                LineDisplayControl &display, QWidget *dialogParent = nullptr);

    QString StartPrinter(const QString &name) override;
    QString StartCashDrawer(const QString &name) override;
    QString StartLineDisplay(const QString &name) override;
    void StopPrinter() override;
    void StopCashDrawer() override;
    void StopLineDisplay() override;

    void BeginPrintout(const QString &stopNote) override;
    bool PrintLine(const QString &text) override;
    void EndPrintout() override;

    void OpenCashDrawer() override;
    void WaitCashDrawerClosed() override;

    void ShowOnLineDisplay(const QString &text) override;

private:
    bool devicesWanted(const QString &name) const;
    // One attempt; on failure the device is given up for the run, with a message.
    QString startOrGiveUp(OposDevice &device, const QString &name, const QString &english, const QString &french);
    bool printUntilAcceptedOrStopped(const QString &data);
    // "There is a problem with the printer", with the printer's own words
    // on it when it has any.
    QString printerProblemText() const;
    void showPrinterProblem();
    void showMessage(const QString &english, const QString &french);

    TDataModule2 &dm_;
    const AppSettings &settings_;
    PosPrinterControl &printer_;
    CashDrawerControl &drawer_;
    LineDisplayControl &display_;
    QWidget *dialogParent_;
    QString stopNote_;
};
