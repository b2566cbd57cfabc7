#include "escpos_devices.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

namespace {

constexpr char ESC = 0x1B;
constexpr char GS = 0x1D;
constexpr char DLE = 0x10;
constexpr char EOT = 0x04;
constexpr quint8 PrinterStatus = 1;
constexpr int StatusTimeoutMs = 1000;
constexpr int StatusRetries = 3;

QByteArray command(std::initializer_list<char> bytes)
{
    return QByteArray(bytes.begin(), qsizetype(bytes.size()));
}

EscPosCodePage codePageOf(const DeviceSettings &settings)
{
    return EscPosCodePage::named(settings.text(QStringLiteral("CodePage"), QStringLiteral("1252")),
                                 settings.number(QStringLiteral("CodeTable"), -1));
}

// ESC @ (initialise) then ESC t n (character table).
QByteArray initialiseWithCodePage(const EscPosCodePage &codePage)
{
    return command({ESC, '@', ESC, 't', char(codePage.tableNumber())});
}

}

EscPosStatus EscPosStatus::query(DevicePort &port, quint8 which, int timeoutMs)
{
    EscPosStatus status;
    port.discardInput();
    if (port.write(command({DLE, EOT, char(which)})) != Opos::Success)
        return status;
    // A status byte has bits 1 and 4 set and bits 0 and 7 clear; other
    // bytes (answers to earlier requests that came late) are skipped.
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        for (char c : port.read(16, int(deadline.remainingTime()))) {
            const auto b = quint8(c);
            if ((b & 0x93) == 0x12) {
                status.answered = true;
                status.byte = b;
                return status;
            }
        }
    }
    return status;
}

EscPosPrinter::EscPosPrinter(const DeviceSettings &settings) : EscPosDevice(settings), codePage_(codePageOf(settings))
{
}

QByteArray EscPosPrinter::setUpBytes() const
{
    return initialiseWithCodePage(codePage_);
}

int EscPosPrinter::checkOnline()
{
    if (!settings_.flag(QStringLiteral("StatusCheck"), true) || !port_->canRead())
        return Opos::Success;
    const EscPosStatus status = EscPosStatus::query(*port_, PrinterStatus, StatusTimeoutMs);
    if (!status.answered)
        return Opos::Timeout;
    return status.offline() ? Opos::Extended : Opos::Success;
}

int EscPosPrinter::PrintNormal(int station, const QString &data)
{
    if (station != Opos::ReceiptStation)
        return Opos::Illegal;
    if (!port_)
        return Opos::NotClaimed;
    const int online = checkOnline();
    return online != Opos::Success ? online : send(codePage_.encode(data));
}

int EscPosPrinter::RecLinesToPaperCut()
{
    return settings_.number(QStringLiteral("RecLinesToPaperCut"), 4);
}

int EscPosPrinter::CutPaper(int percentage)
{
    if (!settings_.flag(QStringLiteral("Cutter"), true))
        return Opos::Illegal;
    return send(command({GS, 'V', char(percentage >= 100 ? 0 : 1)}));
}

EscPosDrawer::EscPosDrawer(const DeviceSettings &settings) : EscPosDevice(settings) {}

int EscPosDrawer::OpenDrawer()
{
    // ESC p m t1 t2: pulse on pin 2 (m = 0) or 5 (m = 1), on for t1 x 2 ms
    // and off for t2 x 2 ms.
    const char pin = settings_.number(QStringLiteral("DrawerPin"), 2) == 5 ? 1 : 0;
    const auto units = [this](const char *name, int defaultMs) {
        return char(qBound(1, settings_.number(QLatin1String(name), defaultMs) / 2, 255));
    };
    return send(command({ESC, 'p', pin, units("PulseOn", 120), units("PulseOff", 240)}));
}

int EscPosDrawer::WaitForDrawerClose(int, int, int, int)
{
    if (!port_)
        return Opos::NotClaimed;
    if (!port_->canRead())
        return Opos::Illegal; // no sensor to read: the cashier's word must do
    const bool openWhenHigh = settings_.text(QStringLiteral("OpenLevel"), QStringLiteral("High")).toLower()
        != QLatin1String("low");
    const int interval = qMax(20, settings_.number(QStringLiteral("PollInterval"), 200));
    int unanswered = 0;
    while (unanswered < StatusRetries) {
        const EscPosStatus status = EscPosStatus::query(*port_, PrinterStatus, StatusTimeoutMs);
        if (!status.answered) {
            ++unanswered;
            continue;
        }
        unanswered = 0;
        if (status.drawerPinHigh() != openWhenHigh)
            return Opos::Success;
        pause(interval);
    }
    return Opos::Offline;
}

void EscPosDrawer::pause(int ms) const
{
    // Windows are still repainted while the cashier shuts the drawer, but
    // no key or click is taken.
    if (!QCoreApplication::instance()) {
        QThread::msleep(ulong(ms));
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

EscPosDisplay::EscPosDisplay(const DeviceSettings &settings) : EscPosDevice(settings), codePage_(codePageOf(settings))
{
}

QByteArray EscPosDisplay::setUpBytes() const
{
    return initialiseWithCodePage(codePage_);
}

int EscPosDisplay::ClearText()
{
    return send(QByteArray(1, '\x0C')); // CLR: clear, cursor to the top left
}

int EscPosDisplay::DisplayText(const QString &data, int)
{
    return send(codePage_.encode(data));
}
