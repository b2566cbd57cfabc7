#pragma once

#include <QString>

// OPOS result codes (0 is success). The device layer only tells zero from
// non-zero; the distinct codes help whoever reads a trace.
namespace Opos {
constexpr int Success = 0;
constexpr int Closed = 101;     // the control is not open
constexpr int Claimed = 102;    // another program holds the device
constexpr int NotClaimed = 103; // used before ClaimDevice
constexpr int NoService = 104;  // no service object for this device name
constexpr int Disabled = 105;   // used before DeviceEnabled
constexpr int Illegal = 106;    // not supported by this device
constexpr int NoHardware = 107; // the device is not there
constexpr int Offline = 108;    // the device does not answer or is off line
constexpr int Failure = 111;    // any other failure
constexpr int Timeout = 112;    // the device did not take the data in time
constexpr int Extended = 114;   // paper out, cover open

constexpr int ReceiptStation = 2; // PTR_S_RECEIPT
constexpr int NormalAttribute = 0; // DISP_DT_NORMAL
}

// The calls the three device classes share, named after their OPOS methods
// and properties.
class OposDevice {
public:
    virtual ~OposDevice() = default;
    virtual int Open(const QString &deviceName) = 0;
    virtual int ClaimDevice(int timeoutMs) = 0;
    virtual void setDeviceEnabled(bool enabled) = 0;
    virtual int ReleaseDevice() = 0;
    virtual int Close() = 0;
    // What the device can say, in words, about why its last call failed:
    // the system's words for a port ("Permission denied", "Connection
    // refused"), or a whole clause for a simulated device's output file
    // ("its output file … cannot be written (No space left on device)").
    // Empty when it has nothing to add to the result code; the program
    // tells results apart by their codes only, people by these words.
    virtual QString failureText() const { return QString(); }
};

// Open, claim and enable, as a device is started; false when Open or
// ClaimDevice refused.
inline bool openClaimEnable(OposDevice &device, const QString &name, int claimTimeoutMs = 10)
{
    if (device.Open(name) != Opos::Success || device.ClaimDevice(claimTimeoutMs) != Opos::Success)
        return false;
    device.setDeviceEnabled(true);
    return true;
}

// Release and close, whatever state the device is in.
inline void releaseAndClose(OposDevice &device)
{
    device.ReleaseDevice();
    device.Close();
}

// The POSPrinter calls the program makes.
class PosPrinterControl : public OposDevice {
public:
    virtual int PrintNormal(int station, const QString &data) = 0;
    virtual int RecLinesToPaperCut() = 0;
    virtual int CutPaper(int percentage) = 0;
};

// The CashDrawer calls the program makes.
class CashDrawerControl : public OposDevice {
public:
    virtual int OpenDrawer() = 0;
    // Returns once the drawer is shut (the beep arguments are not used).
    virtual int WaitForDrawerClose(int beepTimeout, int beepFrequency, int beepDuration, int beepDelay) = 0;
};

// The LineDisplay calls the program makes.
class LineDisplayControl : public OposDevice {
public:
    virtual int ClearText() = 0;
    virtual int DisplayText(const QString &data, int attribute) = 0;
};
