#include "application_shell.h"
#include "tillano_application.h"

#include "common/settings_store.h"

#include <QCommandLineParser>

int main(int argc, char *argv[])
{
    TillanoApplication app(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Tillano point of sale"));
    parser.addHelpOption();
    QCommandLineOption settingsOption(QStringLiteral("settings"), QStringLiteral("Settings file to use."),
                                      QStringLiteral("FILE"));
    parser.addOption(settingsOption);
    parser.process(app);

    ApplicationShell shell(parser.isSet(settingsOption) ? parser.value(settingsOption) : SettingsStore::defaultPath());
    shell.show();
    return app.exec();
}
