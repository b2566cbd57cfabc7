#include "application_shell.h"
#include "printed_dialogs.h"
#include "tillano_application.h"

#include "common/settings_store.h"

#include <QCommandLineParser>

int main(int argc, char *argv[])
{
    TillanoApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(TILLANO_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Tillano point of sale"));
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption settingsOption(QStringLiteral("settings"), QStringLiteral("Settings file to use."),
                                      QStringLiteral("FILE"));
    QCommandLineOption inDataDirectory(
        QStringLiteral("in-data-directory"),
        QStringLiteral("Work in the data directory named by the settings: the export journal is written there, "
                       "and the tips and the help page are looked for there first."));
    QCommandLineOption checkStartUp(
        QStringLiteral("check-start-up"),
        QStringLiteral("Check an installation: start, print the windows and messages of the start-up instead "
                       "of showing them, close the sign-in and end."));
    parser.addOptions({settingsOption, inDataDirectory, checkStartUp});
    parser.process(app);

    PrintedDialogs check;
    if (parser.isSet(checkStartUp))
        setDialogs(&check);

    StartOptions options;
    options.inDataDirectory = parser.isSet(inDataDirectory);
    ApplicationShell shell(parser.isSet(settingsOption) ? parser.value(settingsOption) : SettingsStore::defaultPath(),
                           std::move(options));
    shell.show();
    return app.exec();
}
