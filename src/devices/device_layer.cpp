#include "device_layer.h"

#include "common/app_settings.h"
#include "common/language.h"
#include "devices/opos_controls.h"
#include "store/data_module.h"
#include "widgets/dialogs.h"

namespace {

const QString TextLineEnd = QStringLiteral("\r\n");
// A feed line is the reverse of a text line's end.
const QString FeedLine = QStringLiteral("\n\r");

}

DeviceLayer::DeviceLayer(TDataModule2 &dm, const AppSettings &settings, PosPrinterControl &printer,
                         CashDrawerControl &drawer, LineDisplayControl &display, QWidget *dialogParent)
    : dm_(dm), settings_(settings), printer_(printer), drawer_(drawer), display_(display), dialogParent_(dialogParent)
{
}

bool DeviceLayer::devicesWanted(const QString &name) const
{
    // "Print Slip Receipts" of the control record gates all three devices.
    return !name.isEmpty() && dm_.Control.field(QStringLiteral("Ctrl_slip")).asBoolean();
}

QString DeviceLayer::StartPrinter(const QString &name)
{
    if (!devicesWanted(name))
        return QString();
    while (!openClaimEnable(printer_, name)) {
        releaseAndClose(printer_);
        const bool again = dialogs().question(
            dialogParent_, chooseText(QStringLiteral("There is a problem opening the printer.  Try again?"),
                                      QStringLiteral("Il y a un problème à ouvrir l'imprimante.  Essayer à nouveau?")));
        if (!again)
            return QString();
    }
    return name;
}

QString DeviceLayer::StartCashDrawer(const QString &name)
{
    return startOrGiveUp(drawer_, name,
                         QStringLiteral("There is a problem selecting the cash drawer.  It will not be available "
                                        "during this session."),
                         QStringLiteral("Il y a un problème à sélectionner le tiroir caisse.  Il ne sera pas "
                                        "disponible pour cette session."));
}

QString DeviceLayer::StartLineDisplay(const QString &name)
{
    return startOrGiveUp(display_, name,
                         QStringLiteral("There is a problem selecting the Line Display.  It will not be available "
                                        "during this session."),
                         QStringLiteral("Il y a un problème à sélectionner l'afficheur client.  Il ne sera pas "
                                        "disponible pour cette session."));
}

QString DeviceLayer::startOrGiveUp(OposDevice &device, const QString &name, const QString &english,
                                   const QString &french)
{
    if (!devicesWanted(name))
        return QString();
    if (openClaimEnable(device, name))
        return name;
    releaseAndClose(device);
    showMessage(english, french);
    return QString();
}

void DeviceLayer::StopPrinter() { releaseAndClose(printer_); }
void DeviceLayer::StopCashDrawer() { releaseAndClose(drawer_); }
void DeviceLayer::StopLineDisplay() { releaseAndClose(display_); }

void DeviceLayer::BeginPrintout(const QString &stopNote)
{
    stopNote_ = stopNote;
}

bool DeviceLayer::printUntilAcceptedOrStopped(const QString &data)
{
    // A refused line (paper out, cover open, off line, a printer that
    // takes nothing any more) is sent again only when the cashier says so:
    // nothing is lost or doubled, and a dead printer cannot hold the till.
    while (printer_.PrintNormal(Opos::ReceiptStation, data) != Opos::Success) {
        QString question = printerProblemText() + QLatin1Char('.');
        if (!stopNote_.isEmpty())
            question += QStringLiteral("\n\n") + stopNote_;
        question += chooseText(QStringLiteral("\n\nTry again? (No stops this printout.)"),
                               QStringLiteral("\n\nEssayer à nouveau? (Non arrête cette impression.)"));
        if (!dialogs().question(dialogParent_, question))
            return false;
    }
    return true;
}

bool DeviceLayer::PrintLine(const QString &text)
{
    return printUntilAcceptedOrStopped(text + TextLineEnd);
}

void DeviceLayer::EndPrintout()
{
    const int linesToCutter = printer_.RecLinesToPaperCut();
    for (int i = 0; i <= linesToCutter; ++i)
        if (!printUntilAcceptedOrStopped(FeedLine))
            return;
    if (settings_.paperCutOn() && printer_.CutPaper(90) != Opos::Success)
        showPrinterProblem();
}

void DeviceLayer::OpenCashDrawer()
{
    if (drawer_.OpenDrawer() != Opos::Success)
        showMessage(QStringLiteral("There is a problem opening the cash drawer"),
                    QStringLiteral("Il y a un problème à ouvrir le tiroir"));
}

void DeviceLayer::WaitCashDrawerClosed()
{
    drawer_.WaitForDrawerClose(0, 0, 0, 0);
}

void DeviceLayer::ShowOnLineDisplay(const QString &text)
{
    display_.ClearText();
    if (display_.DisplayText(text, Opos::NormalAttribute) != Opos::Success)
        showMessage(QStringLiteral("There is a problem displaying to the line display"),
                    QStringLiteral("Il y a un problème avec l'afficheur client"));
}

QString DeviceLayer::printerProblemText() const
{
    // What the printer says about it (a full output, a device file that
    // refuses), when it says anything.
    const QString cause = printer_.failureText();
    const QString problem = chooseText(QStringLiteral("There is a problem with the printer"),
                                       QStringLiteral("Il y a un problème avec l'imprimante"));
    return cause.isEmpty() ? problem : problem + chooseText(QStringLiteral(": "), QStringLiteral(" : ")) + cause;
}

void DeviceLayer::showPrinterProblem()
{
    dialogs().message(dialogParent_, printerProblemText());
}

void DeviceLayer::showMessage(const QString &english, const QString &french)
{
    dialogs().message(dialogParent_, chooseText(english, french));
}
