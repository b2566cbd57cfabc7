#include "device_test.h"

#include "common/language.h"
#include "devices/device_files.h"
#include "devices/device_port.h"
#include "devices/device_settings.h"
#include "devices/opos_devices.h"

#include <QScopeGuard>

#include <utility>

namespace {

bool isSimulated(const DeviceSettings &settings)
{
    return settings.text(QStringLiteral("Service")).toLower() == QLatin1String("simulated");
}

// Where the device is: its output file, its device file or host and port.
QString place(const DeviceSettings &settings)
{
    if (isSimulated(settings))
        return settings.text(QStringLiteral("Output"));
    const QString port = settings.text(QStringLiteral("Port"));
    const PortAddress address = PortAddress::parse(port);
    return address.isTcp() ? address.host + QLatin1Char(':') + QString::number(address.tcpPort) : port;
}

// The system's words, when it gave any, after a sentence.
QString withWords(const QString &sentence, const OposDevice &device)
{
    const QString words = device.failureText();
    return words.isEmpty() ? sentence + QLatin1Char('.') : sentence + QStringLiteral(": ") + words + QLatin1Char('.');
}

// Why Open or ClaimDevice failed.
QString cannotOpenText(const DeviceSettings &settings, const OposDevice &device)
{
    const QString where = place(settings);
    if (isSimulated(settings)) {
        if (where.isEmpty())
            return chooseText(QStringLiteral("No output file is given."),
                              QStringLiteral("Aucun fichier de sortie n'est indiqué."));
        // A simulated device names its file and the system's words itself.
        const QString clause = device.failureText();
        if (clause.isEmpty())
            return chooseText(QStringLiteral("The output file %1 cannot be written."),
                              QStringLiteral("Le fichier de sortie %1 ne peut pas être écrit."))
                .arg(where);
        return chooseText(QStringLiteral("The simulated device failed: %1."),
                          QStringLiteral("Le périphérique simulé a échoué : %1."))
            .arg(clause);
    }
    const PortAddress address = PortAddress::parse(settings.text(QStringLiteral("Port")));
    if (!address.isValid())
        return chooseText(QStringLiteral("\"%1\" is no port: choose a device file such as /dev/usb/lp0, or write "
                                         "tcp://host:9100 for a network printer."),
                          QStringLiteral("« %1 » n'est pas un port : choisissez un fichier de périphérique comme "
                                         "/dev/usb/lp0, ou écrivez tcp://hôte:9100 pour une imprimante réseau."))
            .arg(settings.text(QStringLiteral("Port")));
    if (address.isTcp())
        return withWords(chooseText(QStringLiteral("%1 cannot be reached"), QStringLiteral("%1 est injoignable"))
                             .arg(where),
                         device);
    QString text = withWords(chooseText(QStringLiteral("%1 cannot be opened"),
                                        QStringLiteral("%1 ne peut pas être ouvert"))
                                 .arg(where),
                             device);
    const QString advice = deviceAccessAdvice(address.path);
    if (!advice.isEmpty())
        text += QLatin1Char(' ') + advice;
    return text;
}

// Why the printer refused a line.
QString refusedText(int result, const DeviceSettings &settings, const OposDevice &device)
{
    switch (result) {
    case Opos::Extended:
        return chooseText(QStringLiteral("The printer reports itself off line: it is out of paper, or its cover is "
                                         "open."),
                          QStringLiteral("L'imprimante se déclare hors ligne : elle n'a plus de papier, ou son "
                                         "couvercle est ouvert."));
    case Opos::Timeout: {
        QString text = chooseText(QStringLiteral("The printer did not answer in time."),
                                  QStringLiteral("L'imprimante n'a pas répondu à temps."));
        if (settings.flag(QStringLiteral("StatusCheck"), true))
            text += chooseText(QStringLiteral(" If it cannot tell its state (a one-way connection), untick \"Ask "
                                              "the printer's state\"."),
                               QStringLiteral(" Si elle ne peut pas donner son état (une liaison à sens unique), "
                                              "décochez « Demander l'état de l'imprimante »."));
        return text;
    }
    default:
        return isSimulated(settings) ? cannotOpenText(settings, device)
                                     : withWords(chooseText(QStringLiteral("The printer stopped answering"),
                                                            QStringLiteral("L'imprimante ne répond plus")),
                                                 device);
    }
}

// The words for a simulated device, or for a real one.
QString forKind(const DeviceSettings &settings, const QString &simulated, const QString &real)
{
    return isSimulated(settings) ? simulated : real;
}

// Starts the device its settings name, as the program does, runs the test
// on it and releases it again; the answer says why a device did not start.
template <class Control, class Test>
DeviceAnswer tried(std::unique_ptr<Control> device, const DeviceSettings &settings, Test test)
{
    if (!device)
        return {false, chooseText(QStringLiteral("\"%1\" is no kind of device."),
                                  QStringLiteral("« %1 » n'est pas une sorte de périphérique."))
                           .arg(settings.text(QStringLiteral("Service")))};
    if (!openClaimEnable(*device, QStringLiteral("test"))) {
        const DeviceAnswer refused{false, cannotOpenText(settings, *device)};
        releaseAndClose(*device);
        return refused;
    }
    const auto released = qScopeGuard([&] { releaseAndClose(*device); });
    return test(*device);
}

}

namespace DeviceTest {

DeviceAnswer printLines(const DeviceSettings &settings, const QStringList &lines, bool cut)
{
    return tried(makePrinterService(settings), settings, [&](PosPrinterControl &printer) {
        QStringList data;
        for (const QString &line : lines)
            data.append(line + QStringLiteral("\r\n"));
        for (int i = 0; i <= printer.RecLinesToPaperCut(); ++i)
            data.append(QStringLiteral("\n\r")); // the feed past the cutter
        for (const QString &piece : std::as_const(data)) {
            const int result = printer.PrintNormal(Opos::ReceiptStation, piece);
            if (result != Opos::Success)
                return DeviceAnswer{false, refusedText(result, settings, printer)};
        }
        DeviceAnswer answer{true, forKind(settings,
                                          chooseText(QStringLiteral("The test receipt was written to %1."),
                                                     QStringLiteral("Le reçu d'essai a été écrit dans %1.")),
                                          chooseText(QStringLiteral("The printer at %1 took the test receipt."),
                                                     QStringLiteral("L'imprimante sur %1 a pris le reçu d'essai.")))
                                      .arg(place(settings))};
        if (cut && printer.CutPaper(90) != Opos::Success) {
            answer.ok = false;
            answer.text += QLatin1Char(' ')
                + chooseText(QStringLiteral("It refused to cut the paper: with no cutter, untick \"Activate Paper "
                                            "Cut\" in the general parameters, or every receipt ends with a printer "
                                            "problem."),
                             QStringLiteral("Elle a refusé de couper le papier : sans coupe-papier, décochez « Activer "
                                            "Coupe Papier » dans les paramètres généraux, sinon chaque reçu finit par "
                                            "un problème d'imprimante."));
        }
        return answer;
    });
}

DeviceAnswer openDrawer(const DeviceSettings &settings)
{
    return tried(makeDrawerService(settings), settings, [&](CashDrawerControl &drawer) {
        if (drawer.OpenDrawer() != Opos::Success)
            return DeviceAnswer{false, forKind(settings, cannotOpenText(settings, drawer),
                                               withWords(chooseText(QStringLiteral("The pulse did not reach the drawer"),
                                                                    QStringLiteral("L'impulsion n'a pas atteint le "
                                                                                   "tiroir")),
                                                         drawer))};
        return DeviceAnswer{
            true, forKind(settings,
                          chooseText(QStringLiteral("The simulated drawer wrote \"open\" to %1."),
                                     QStringLiteral("Le tiroir simulé a écrit « open » dans %1."))
                              .arg(place(settings)),
                          chooseText(QStringLiteral("The pulse went to the drawer through %1 (pin %2, %3 ms): the "
                                                    "drawer should be open now."),
                                     QStringLiteral("L'impulsion est partie vers le tiroir par %1 (broche %2, %3 ms) : "
                                                    "le tiroir devrait être ouvert."))
                              .arg(place(settings))
                              .arg(settings.number(QStringLiteral("DrawerPin"), 2) == 5 ? 5 : 2)
                              .arg(settings.number(QStringLiteral("PulseOn"), 120)))};
    });
}

DeviceAnswer showText(const DeviceSettings &settings, const QString &text)
{
    return tried(makeDisplayService(settings), settings, [&](LineDisplayControl &display) {
        display.ClearText();
        if (display.DisplayText(text, Opos::NormalAttribute) != Opos::Success)
            return DeviceAnswer{false, forKind(settings, cannotOpenText(settings, display),
                                               withWords(chooseText(QStringLiteral("The display did not take the text"),
                                                                    QStringLiteral("L'afficheur n'a pas pris le "
                                                                                   "texte")),
                                                         display))};
        return DeviceAnswer{true, forKind(settings,
                                          chooseText(QStringLiteral("The text was written to %1."),
                                                     QStringLiteral("Le texte a été écrit dans %1.")),
                                          chooseText(QStringLiteral("The display on %1 took the text."),
                                                     QStringLiteral("L'afficheur sur %1 a pris le texte.")))
                                      .arg(place(settings))};
    });
}

}
