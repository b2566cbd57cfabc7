#include "simulated_devices.h"

#include "common/language.h"
#include "widgets/dialogs.h"
#include "widgets/drawer_close_prompt.h"

#include <QFile>

bool ScriptedFailures::nextCallFails()
{
    ++calls_;
    return calls_ >= first_ && calls_ <= last_;
}

SimulatedOutput::SimulatedOutput(const DeviceSettings &settings)
    : path_(settings.text(QStringLiteral("Output"))),
      failOpen_(settings.number(QStringLiteral("FailOpen"), 0)),
      failClaim_(settings.number(QStringLiteral("FailClaim"), 0))
{
}

int SimulatedOutput::open()
{
    if (failOpen_.nextCallFails())
        return Opos::NoHardware;
    // An output file that cannot be written makes the device unusable
    // from the start, rather than refusing every line later.
    return append(QByteArray());
}

int SimulatedOutput::claim()
{
    return failClaim_.nextCallFails() ? Opos::Claimed : Opos::Success;
}

int SimulatedOutput::append(const QByteArray &data) const
{
    failure_.clear();
    if (path_.isEmpty())
        return Opos::NoHardware;
    QFile file(path_);
    // A new output file is readable by the till's user only, as the
    // receipts in it are the shop's.
    if (file.open(QIODevice::WriteOnly | QIODevice::Append, QFile::ReadOwner | QFile::WriteOwner)
        && file.write(data) == data.size() && file.flush())
        return Opos::Success;
    failure_ = chooseText(QStringLiteral("its output file %1 cannot be written (%2)"),
                          QStringLiteral("son fichier de sortie %1 ne peut pas être écrit (%2)"))
                   .arg(path_, file.errorString());
    return Opos::Failure;
}

SimulatedPrinter::SimulatedPrinter(const DeviceSettings &settings)
    : SimulatedDevice(settings),
      failPrint_(settings.number(QStringLiteral("FailPrint"), 0), settings.number(QStringLiteral("FailPrintFrom"), 1))
{
}

int SimulatedPrinter::PrintNormal(int station, const QString &data)
{
    if (station != Opos::ReceiptStation)
        return Opos::Illegal;
    if (failPrint_.nextCallFails())
        return Opos::Extended; // paper out
    return append(data.toUtf8());
}

int SimulatedPrinter::RecLinesToPaperCut()
{
    return settings_.number(QStringLiteral("RecLinesToPaperCut"), 4);
}

int SimulatedPrinter::CutPaper(int)
{
    return append(QByteArrayLiteral("\f"));
}

int SimulatedDrawer::OpenDrawer()
{
    const int result = append(QByteArrayLiteral("open\n"));
    drawerOpen_ = drawerOpen_ || result == Opos::Success;
    return result;
}

int SimulatedDrawer::WaitForDrawerClose(int, int, int, int)
{
    if (!drawerOpen_)
        return Opos::Success;
    if (!settings_.flag(QStringLiteral("AutoClose"), false)) {
        DrawerClosePrompt prompt;
        dialogs().exec(prompt);
    }
    drawerOpen_ = false;
    return append(QByteArrayLiteral("closed\n"));
}

int SimulatedDisplay::DisplayText(const QString &data, int)
{
    return append(data.toUtf8() + '\n');
}
