#include "opos_devices.h"

#include "devices/escpos_devices.h"
#include "devices/simulated_devices.h"

namespace {

const QString Simulated = QStringLiteral("simulated");
const QString EscPos = QStringLiteral("escpos");

// The service object a "Service" value names, or null.
template <class Control, class SimulatedService, class EscPosService>
std::unique_ptr<Control> makeService(const QString &service, const DeviceSettings &settings)
{
    if (service == Simulated)
        return std::make_unique<SimulatedService>(settings);
    if (service == EscPos)
        return std::make_unique<EscPosService>(settings);
    return nullptr;
}

}

std::unique_ptr<PosPrinterControl> makePrinterService(const DeviceSettings &settings)
{
    return makeService<PosPrinterControl, SimulatedPrinter, EscPosPrinter>(
        settings.text(QStringLiteral("Service")).toLower(), settings);
}

std::unique_ptr<CashDrawerControl> makeDrawerService(const DeviceSettings &settings)
{
    return makeService<CashDrawerControl, SimulatedDrawer, EscPosDrawer>(
        settings.text(QStringLiteral("Service")).toLower(), settings);
}

std::unique_ptr<LineDisplayControl> makeDisplayService(const DeviceSettings &settings)
{
    return makeService<LineDisplayControl, SimulatedDisplay, EscPosDisplay>(
        settings.text(QStringLiteral("Service")).toLower(), settings);
}

OposPosPrinter::OposPosPrinter(const SettingsStore &store)
    : OposControlObject(store, QStringLiteral("POSPrinter"),
                        makeService<PosPrinterControl, SimulatedPrinter, EscPosPrinter>)
{
}

int OposPosPrinter::PrintNormal(int station, const QString &data)
{
    return whenReady([&](PosPrinterControl &s) { return s.PrintNormal(station, data); });
}

int OposPosPrinter::RecLinesToPaperCut()
{
    // A property of a closed control reads as zero.
    return readiness() == Opos::Closed ? 0 : service().RecLinesToPaperCut();
}

int OposPosPrinter::CutPaper(int percentage)
{
    return whenReady([&](PosPrinterControl &s) { return s.CutPaper(percentage); });
}

OposCashDrawer::OposCashDrawer(const SettingsStore &store)
    : OposControlObject(store, QStringLiteral("CashDrawer"),
                        makeService<CashDrawerControl, SimulatedDrawer, EscPosDrawer>)
{
}

int OposCashDrawer::OpenDrawer()
{
    return whenReady([](CashDrawerControl &s) { return s.OpenDrawer(); });
}

int OposCashDrawer::WaitForDrawerClose(int beepTimeout, int beepFrequency, int beepDuration, int beepDelay)
{
    return whenReady([&](CashDrawerControl &s) {
        return s.WaitForDrawerClose(beepTimeout, beepFrequency, beepDuration, beepDelay);
    });
}

OposLineDisplay::OposLineDisplay(const SettingsStore &store)
    : OposControlObject(store, QStringLiteral("LineDisplay"),
                        makeService<LineDisplayControl, SimulatedDisplay, EscPosDisplay>)
{
}

int OposLineDisplay::ClearText()
{
    return whenReady([](LineDisplayControl &s) { return s.ClearText(); });
}

int OposLineDisplay::DisplayText(const QString &data, int attribute)
{
    return whenReady([&](LineDisplayControl &s) { return s.DisplayText(data, attribute); });
}
