#pragma once

#include "common/settings_store.h"
#include "devices/device_settings.h"
#include "devices/opos_controls.h"

#include <functional>
#include <memory>

// The control object of one device class, as the program owns it: Open
// looks the device name up in the settings, starts the service object its
// "Service" value names and from then on passes every call to it, keeping
// the open / claimed / enabled states the OPOS rules ask for. The service
// object stays alive across Close while its settings stay the same, so a
// device that failed to open keeps its state (the simulated FailOpen
// counter) for the next try; settings changed in the meantime (the
// devices window) give a new one.
template <class Control>
class OposControlObject : public Control {
public:
    // Makes the service object for a "Service" value; null when unknown.
    using ServiceFactory = std::function<std::unique_ptr<Control>(const QString &service, const DeviceSettings &)>;

    OposControlObject(SettingsStore store, QString deviceClass, ServiceFactory factory)
        : store_(std::move(store)), deviceClass_(std::move(deviceClass)), factory_(std::move(factory))
    {
    }

    int Open(const QString &deviceName) override
    {
        if (opened_)
            return Opos::Illegal;
        const DeviceSettings settings = DeviceSettings::read(store_, deviceClass_, deviceName);
        if (!service_ || deviceName != deviceName_ || !(settings == settings_)) {
            service_.reset();
            deviceName_ = deviceName;
            settings_ = settings;
            if (settings.isEmpty())
                return Opos::NoService;
            service_ = factory_(settings.text(QStringLiteral("Service")).toLower(), settings);
            if (!service_)
                return Opos::NoService;
        }
        const int result = service_->Open(deviceName);
        opened_ = result == Opos::Success;
        return result;
    }

    int ClaimDevice(int timeoutMs) override
    {
        if (!opened_)
            return Opos::Closed;
        if (claimed_)
            return Opos::Success;
        const int result = service_->ClaimDevice(timeoutMs);
        claimed_ = result == Opos::Success;
        return result;
    }

    void setDeviceEnabled(bool enabled) override
    {
        if (!claimed_)
            return;
        service_->setDeviceEnabled(enabled);
        enabled_ = enabled;
    }

    int ReleaseDevice() override
    {
        if (!claimed_)
            return opened_ ? Opos::NotClaimed : Opos::Closed;
        enabled_ = false;
        claimed_ = false;
        return service_->ReleaseDevice();
    }

    int Close() override
    {
        if (!opened_)
            return Opos::Closed;
        if (claimed_)
            ReleaseDevice();
        opened_ = false;
        return service_->Close();
    }

    // Also after a failed Open or ClaimDevice, which is when the words
    // matter most ("Permission denied").
    QString failureText() const override { return service_ ? service_->failureText() : QString(); }

protected:
    // Success when the device may be used, else the code that says why not.
    int readiness() const
    {
        if (!opened_)
            return Opos::Closed;
        if (!claimed_)
            return Opos::NotClaimed;
        return enabled_ ? Opos::Success : Opos::Disabled;
    }
    Control &service() { return *service_; }

    // Passes a call on to the service object when the device is ready.
    template <class Call>
    int whenReady(Call call)
    {
        const int ready = readiness();
        return ready != Opos::Success ? ready : call(*service_);
    }

private:
    SettingsStore store_;
    QString deviceClass_;
    ServiceFactory factory_;
    std::unique_ptr<Control> service_;
    QString deviceName_;
    DeviceSettings settings_; // the service object's
    bool opened_ = false;
    bool claimed_ = false;
    bool enabled_ = false;
};
