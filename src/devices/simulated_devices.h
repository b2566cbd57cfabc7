#pragma once

#include "devices/device_settings.h"
#include "devices/opos_controls.h"

#include <QByteArray>

// Service objects that stand in for real devices: what a device would
// print or show is appended (UTF-8) to the file named by "Output", so a
// user can watch receipts appear. FailOpen=N, FailClaim=N and FailPrint=N
// make the first N calls of that kind fail, to try every retry path by
// hand; FailPrintFrom=K moves the printer's failures to start at its K-th
// PrintNormal call (a paper-out in the middle of a receipt).

// The first `count` calls from call number `first` on fail.
class ScriptedFailures {
public:
    ScriptedFailures(int count = 0, int first = 1) : first_(first), last_(first + count - 1) {}
    bool nextCallFails();

private:
    int first_;
    int last_;
    int calls_ = 0;
};

// What the three simulated devices share: the output file and the
// scripted failures of Open and ClaimDevice.
class SimulatedOutput {
public:
    explicit SimulatedOutput(const DeviceSettings &settings);
    int open();
    int claim();
    int append(const QByteArray &data) const;
    // Why the last append failed; empty after one that succeeded.
    const QString &failureText() const { return failure_; }

private:
    QString path_;
    mutable QString failure_;
    ScriptedFailures failOpen_;
    ScriptedFailures failClaim_;
};

template <class Control>
class SimulatedDevice : public Control {
public:
    explicit SimulatedDevice(const DeviceSettings &settings) : settings_(settings), output_(settings) {}
    int Open(const QString &) override { return output_.open(); }
    int ClaimDevice(int) override { return output_.claim(); }
    void setDeviceEnabled(bool) override {}
    int ReleaseDevice() override { return Opos::Success; }
    int Close() override { return Opos::Success; }
    QString failureText() const override { return output_.failureText(); }

protected:
    int append(const QByteArray &data) const { return output_.append(data); }
    DeviceSettings settings_;

private:
    SimulatedOutput output_;
};

// Appends the data of every accepted PrintNormal unchanged and a form feed
// for every cut; RecLinesToPaperCut from its setting (default 4).
class SimulatedPrinter : public SimulatedDevice<PosPrinterControl> {
public:
    explicit SimulatedPrinter(const DeviceSettings &settings);
    int PrintNormal(int station, const QString &data) override;
    int RecLinesToPaperCut() override;
    int CutPaper(int percentage) override;

private:
    ScriptedFailures failPrint_;
};

// Writes "open" and "closed" lines. With AutoClose=Y the drawer shuts at
// once; otherwise a small window waits for the user to say it is shut.
class SimulatedDrawer : public SimulatedDevice<CashDrawerControl> {
public:
    using SimulatedDevice::SimulatedDevice;
    int OpenDrawer() override;
    int WaitForDrawerClose(int beepTimeout, int beepFrequency, int beepDuration, int beepDelay) override;

private:
    bool drawerOpen_ = false;
};

// Appends each displayed text and a line feed.
class SimulatedDisplay : public SimulatedDevice<LineDisplayControl> {
public:
    using SimulatedDevice::SimulatedDevice;
    int ClearText() override { return Opos::Success; }
    int DisplayText(const QString &data, int attribute) override;
};
