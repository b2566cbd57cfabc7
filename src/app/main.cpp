#include "tillano_application.h"

#include "common/app_settings.h"
#include "common/language.h"
#include "common/settings_store.h"
#include "store/data_module.h"
#include "store/store_error.h"
#include "widgets/dialogs.h"

#include <QCommandLineParser>
#include <QLocale>
#include <QMainWindow>

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

    const SettingsStore store(parser.isSet(settingsOption) ? parser.value(settingsOption) : SettingsStore::defaultPath());
    const AppSettings settings = AppSettings::load(store);
    setLanguageSetting(settings.language);

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Tillano"));
    window.resize(1024, 700);

    TDataModule2 dataModule;
    try {
        dataModule.connectTo(settings.data);
    } catch (const StoreError &e) {
        dialogs().message(nullptr, e.message() + QStringLiteral("\n\nPrepare a data directory with:\n"
                                                                "  tillano-setup --demo DIRECTORY\n"
                                                                "and name it as Data in ")
                                       + store.path());
        return 1;
    }
    window.show();
    return app.exec();
}
