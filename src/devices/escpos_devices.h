#pragma once

#include "devices/device_port.h"
#include "devices/device_settings.h"
#include "devices/escpos_code_page.h"
#include "devices/opos_controls.h"

#include <memory>

// Service objects for real ESC/POS hardware on a device file or a TCP port
// (see DevicePort). Open checks the settings, ClaimDevice connects,
// enabling sets the device up; every later call maps a failure to an OPOS
// result code within the port's timeout.
template <class Control>
class EscPosDevice : public Control {
public:
    explicit EscPosDevice(const DeviceSettings &settings) : settings_(settings) {}

    int Open(const QString &) override
    {
        return PortAddress::parse(settings_.text(QStringLiteral("Port"))).isValid() ? Opos::Success
                                                                                    : Opos::NoHardware;
    }
    int ClaimDevice(int) override
    {
        int result = Opos::Success;
        claimError_.clear();
        port_ = DevicePort::shared(settings_, result, &claimError_);
        return result;
    }
    void setDeviceEnabled(bool enabled) override
    {
        if (enabled && port_)
            setUp();
    }
    int ReleaseDevice() override
    {
        port_.reset();
        return Opos::Success;
    }
    int Close() override { return Opos::Success; }
    QString failureText() const override { return port_ ? port_->errorText() : claimError_; }

protected:
    // Sends the device's set-up again when the connection was made anew
    // since the last one (a printer switched off and on forgets it).
    int send(const QByteArray &bytes)
    {
        if (!port_)
            return Opos::NotClaimed;
        const int connected = port_->reconnectIfDropped();
        if (connected != Opos::Success)
            return connected;
        if (port_->connectionCount() != setUpForConnection_) {
            const int result = setUp();
            if (result != Opos::Success)
                return result;
        }
        return port_->write(bytes);
    }
    virtual QByteArray setUpBytes() const { return QByteArray(); }

    DeviceSettings settings_;
    std::shared_ptr<DevicePort> port_;

private:
    QString claimError_;
    int setUp()
    {
        const QByteArray bytes = setUpBytes();
        const int result = bytes.isEmpty() ? Opos::Success : port_->write(bytes);
        if (result == Opos::Success)
            setUpForConnection_ = port_->connectionCount();
        return result;
    }
    int setUpForConnection_ = -1;
};

// Real-time status of an ESC/POS printer ("DLE EOT n"): one status byte, or
// none when the printer did not answer within the timeout.
struct EscPosStatus {
    bool answered = false;
    quint8 byte = 0;
    static EscPosStatus query(DevicePort &port, quint8 which, int timeoutMs);
    bool offline() const { return byte & 0x08; }
    bool drawerPinHigh() const { return byte & 0x04; }
};

// A receipt printer. Settings: Port; CodePage (1252, 858, 850, 437;
// default 1252) and CodeTable (the number "ESC t" sends, when the printer
// numbers its tables differently); RecLinesToPaperCut (default 4);
// Cutter (Y/N, default Y); StatusCheck (Y/N, default Y: a line is refused
// while the printer reports itself off line, for example out of paper or
// with its cover open; N for printers that cannot answer); Timeout.
class EscPosPrinter : public EscPosDevice<PosPrinterControl> {
public:
    explicit EscPosPrinter(const DeviceSettings &settings);
    int PrintNormal(int station, const QString &data) override;
    int RecLinesToPaperCut() override;
    // A partial cut below 100 %, a full cut at 100 %.
    int CutPaper(int percentage) override;

protected:
    QByteArray setUpBytes() const override;

private:
    int checkOnline();
    EscPosCodePage codePage_;
};

// A cash drawer on its printer's drawer port; Port is the printer's.
// Settings: DrawerPin (2 or 5, default 2); PulseOn and PulseOff (ms,
// default 120 and 240); OpenLevel (High or Low: the sensor level that
// means open, default High); PollInterval (ms, default 200); Timeout.
class EscPosDrawer : public EscPosDevice<CashDrawerControl> {
public:
    explicit EscPosDrawer(const DeviceSettings &settings);
    int OpenDrawer() override;
    // Asks for the drawer sensor until it reads shut. Gives up only when
    // the printer stops answering, so a lost printer cannot hold the till.
    int WaitForDrawerClose(int beepTimeout, int beepFrequency, int beepDuration, int beepDelay) override;

private:
    void pause(int ms) const;
};

// A customer display (ESC/POS command set) on a serial port or TCP.
// Settings: Port, Baud, CodePage, CodeTable, Timeout.
class EscPosDisplay : public EscPosDevice<LineDisplayControl> {
public:
    explicit EscPosDisplay(const DeviceSettings &settings);
    int ClearText() override;
    int DisplayText(const QString &data, int attribute) override;

protected:
    QByteArray setUpBytes() const override;

private:
    EscPosCodePage codePage_;
};
