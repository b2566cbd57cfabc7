#include "data_directory_setup.h"
#include "lane_setup.h"

#include "common/pin_secret.h"
#include "common/settings_store.h"
#include "common/shop_preparation.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

namespace {

// Lines longer than the width broken at spaces, for a terminal.
QString wrapped(const QString &text, int width)
{
    QStringList lines;
    for (QString rest : text.split(QLatin1Char('\n'))) {
        for (qsizetype cut; rest.size() > width && (cut = rest.lastIndexOf(QLatin1Char(' '), width)) > 0;) {
            lines << rest.left(cut);
            rest = rest.mid(cut + 1);
        }
        lines << rest;
    }
    return lines.join(QLatin1Char('\n'));
}

}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tillano-setup"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TILLANO_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        wrapped(QStringLiteral("Prepares a shop for Tillano: a data directory with its ten empty tables, named in "
                               "the settings.\n\n")
                    + shopPreparationText(),
                79));
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption settings(QStringLiteral("settings"), QStringLiteral("Settings file to write."), QStringLiteral("FILE"));
    QCommandLineOption language(QStringLiteral("language"),
                                QStringLiteral("Language setting: 0 English, 1 French (and a French demo shop)."),
                                QStringLiteral("VALUE"), QStringLiteral("0"));
    QCommandLineOption demo(QStringLiteral("demo"), QStringLiteral("Fill in a demo shop with simulated devices."));
    QCommandLineOption existing(QStringLiteral("existing"),
                                QStringLiteral("DIRECTORY already holds a database: write only the settings for it."));
    QCommandLineOption manager(QStringLiteral("manager"),
                               QStringLiteral("Code of the manager cashier created in a new shop without --demo."),
                               QStringLiteral("CODE"), QStringLiteral("1"));
    QCommandLineOption pin(QStringLiteral("pin"),
                           QStringLiteral("The manager's PIN, 4 to 8 digits: every cashier then signs in with a "
                                          "code and a PIN."),
                           QStringLiteral("PIN"));
    QCommandLineOption server(QStringLiteral("server"),
                              QStringLiteral("Prepare a lane of the store server CONNINFO (a libpq connection "
                                             "string): with --store and --terminal."),
                              QStringLiteral("CONNINFO"));
    QCommandLineOption storeNumber(QStringLiteral("store"), QStringLiteral("The lane's store number (1 or more)."),
                                   QStringLiteral("N"));
    QCommandLineOption terminal(QStringLiteral("terminal"), QStringLiteral("The lane's terminal number."),
                                QStringLiteral("T"));
    QCommandLineOption replace(QStringLiteral("replace"),
                               QStringLiteral("With --server: this database takes over the lane from the database "
                                              "that holds it on the server (a new computer, a restored backup)."));
    parser.addOptions({settings, language, demo, existing, manager, pin, server, storeNumber, terminal, replace});
    parser.addPositionalArgument(QStringLiteral("DIRECTORY"), QStringLiteral("The data directory to prepare."));
    parser.process(app);

    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);

    SetupOptions options;
    options.directory = parser.positionalArguments().first();
    options.settingsPath = parser.isSet(settings) ? parser.value(settings) : SettingsStore::defaultPath();
    options.language = parser.value(language);
    options.demo = parser.isSet(demo);
    options.existing = parser.isSet(existing);

    // The code is what a cashier types at sign-in: a whole number.
    bool codeValid = false;
    options.managerCode = parser.value(manager).toInt(&codeValid);
    if (!codeValid || options.managerCode < 0) {
        std::fprintf(stderr, "tillano-setup: the manager code must be a whole number from 0 to 2147483647, not \"%s\"\n",
                     qPrintable(parser.value(manager)));
        return 2;
    }
    if (options.demo && parser.isSet(manager)) {
        std::fprintf(stderr, "tillano-setup: --manager is for a real shop; the demo shop has its own cashiers "
                             "(manager 1, cashier 2, training cashier 9)\n");
        return 2;
    }
    if (options.existing && parser.isSet(manager)) {
        std::fprintf(stderr, "tillano-setup: --manager is for a new shop; an existing one keeps its cashiers\n");
        return 2;
    }
    // The PIN itself is never repeated: not in a refusal, not in what is printed.
    options.managerPin = parser.value(pin);
    if (parser.isSet(pin) && (options.demo || options.existing)) {
        std::fprintf(stderr, "tillano-setup: --pin is for a new real shop; in the others a manager turns "
                             "secret codes on in Parameters > Edit general parameters\n");
        return 2;
    }
    if (parser.isSet(pin) && !PinSecret::isValidPin(options.managerPin)) {
        std::fprintf(stderr, "tillano-setup: the PIN must have 4 to 8 digits\n");
        return 2;
    }
    if (parser.isSet(pin) && options.managerPin.toLongLong() == options.managerCode) {
        std::fprintf(stderr, "tillano-setup: the PIN cannot be the manager code, which is printed on receipts\n");
        return 2;
    }

    if (parser.isSet(server)) {
        bool storeValid = false;
        bool terminalValid = false;
        options.server = parser.value(server);
        options.store = parser.value(storeNumber).toInt(&storeValid);
        options.terminal = parser.value(terminal).toInt(&terminalValid);
        options.replace = parser.isSet(replace);
        if (!storeValid || options.store < 1 || !terminalValid) {
            std::fprintf(stderr, "tillano-setup: --server needs --store N (a whole number of 1 or more) and "
                                 "--terminal T (a whole number)\n");
            return 2;
        }
    } else if (parser.isSet(storeNumber) || parser.isSet(terminal) || parser.isSet(replace)) {
        std::fprintf(stderr, "tillano-setup: --store, --terminal and --replace are for a lane: give --server too\n");
        return 2;
    }

    LaneSetupResult lane;
    const QString failure = prepareDataDirectory(options, &lane);
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "tillano-setup: %s\n", qPrintable(failure));
        return 1;
    }
    std::printf("Data directory %s is ready; settings in %s\n", qPrintable(options.directory),
                qPrintable(options.settingsPath));
    if (!lane.report.isEmpty())
        std::printf("%s\n", qPrintable(lane.report));
    if (!options.demo && !options.existing && !lane.shopFromServer)
        std::printf("Manager code: %d (sign in with it and set up the shop from the Parameters menu)\n",
                    options.managerCode);
    if (options.existing)
        return 0;
    if (!options.managerPin.isEmpty())
        std::printf("Secret codes are on: every cashier signs in with a code and a PIN; the manager's PIN is the "
                    "one given\n");
    else
        std::printf("Secret codes are off: a cashier code alone signs in; to require a PIN with it, tick \"Secret "
                    "codes required\" in Parameters > Edit general parameters (or prepare a shop with --pin PIN)\n");
    return 0;
}
