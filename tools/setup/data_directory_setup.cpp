#include "data_directory_setup.h"

#include "demo_data.h"
#include "lane_setup.h"

#include "common/app_settings.h"
#include "common/settings_store.h"
#include "lanes/lane_settings.h"
#include "lanes/server_connection.h"
#include "store/data_directory_lock.h"
#include "store/data_module.h"
#include "store/sign_in_tables.h"
#include "store/store_error.h"

#include <QDir>
#include <QFileInfo>

namespace {

struct DemoDevice {
    const char *deviceClass;
    const char *name;
    const char *outputFile;
    QList<QPair<QString, QString>> extra;
};

// A new data directory is the till's user's alone: only that user may
// read the shop's data. Its parents are made as usual.
bool createDataDirectory(const QString &directory)
{
    if (QFileInfo(directory).isDir())
        return true;
    return QDir().mkpath(QFileInfo(directory).absolutePath())
        && QDir().mkdir(directory, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

}

QString prepareDataDirectory(const SetupOptions &options, LaneSetupResult *laneResult)
{
    if (options.directory.isEmpty())
        return QStringLiteral("No data directory given.");
    const QString directory = QFileInfo(options.directory).absoluteFilePath();
    const bool hasDatabase = QFileInfo::exists(QDir(directory).filePath(QLatin1String(Database::FileName)));
    if (options.existing && !hasDatabase)
        return QStringLiteral("There is no database in %1; nothing was changed.").arg(directory);
    if (!options.existing && !createDataDirectory(directory))
        return QStringLiteral("Cannot create the directory %1.").arg(directory);
    // Nothing is done in a directory that Tillano (or another tillano-setup)
    // is working in.
    const DataDirectoryLock lock(directory);
    if (lock.state() == DataDirectoryLock::State::HeldElsewhere)
        return QStringLiteral("Tillano is running on the data directory %1; close it, then run tillano-setup "
                              "again. Nothing was changed.")
            .arg(directory);
    if (!lock.held())
        return QStringLiteral("Cannot lock the data directory %1 (%2); nothing was changed.")
            .arg(directory, lock.errorString());
    if (!options.existing && hasDatabase)
        return QStringLiteral("A database already exists in %1; nothing was changed.").arg(directory);

    const bool lane = !options.server.isEmpty();
    try {
        if (!options.existing)
            TDataModule2::createDatabase(directory);
        // An existing database is only opened to make it a lane.
        TDataModule2 dm;
        if (!options.existing || lane)
            dm.connectTo(directory);
        const auto fillOwnShop = [&] {
            if (options.demo) {
                // Run-time texts are English only for the language "0".
                fillDemoData(dm, options.language != QLatin1String("0"));
            } else {
                StoreTransaction transaction(dm.database());
                dm.cashiertb.open();
                addCashier(dm.cashiertb, options.managerCode, QStringLiteral("Manager"), true, false);
                dm.cashiertb.close();
                if (!options.managerPin.isEmpty()) {
                    SignInTables::keepSecret(dm.database(), options.managerCode, PinSecret::forPin(options.managerPin));
                    SignInTables::setSecretCodesRequired(dm.database(), true);
                }
                transaction.commit();
            }
        };
        if (lane) {
            StoreTransaction transaction(dm.database());
            const LaneSetupResult done =
                prepareLane(dm, options, options.existing ? std::function<void()>() : fillOwnShop,
                            options.demo ? std::function<void(Table &)>(setDemoTerminal) : nullptr);
            transaction.commit();
            if (laneResult)
                *laneResult = done;
        } else if (!options.existing) {
            fillOwnShop();
        }
    } catch (const StoreError &e) {
        if (lane && !options.existing)
            TDataModule2::removeDatabase(directory);
        return QStringLiteral("Cannot prepare %1: %2").arg(directory, e.message());
    } catch (const ServerError &e) {
        if (!options.existing)
            TDataModule2::removeDatabase(directory);
        return QStringLiteral("Cannot prepare %1 as a lane: %2").arg(directory, e.message());
    }

    SettingsStore store(options.settingsPath);
    bool written = store.write(TillanoSection,
                               {{QStringLiteral("Data"), directory}, {QStringLiteral("Language"), options.language}});
    if (written && lane)
        written = store.write(StoreSection, {{QStringLiteral("Server"), options.server},
                                             {QStringLiteral("Store"), QString::number(options.store)}});
    if (written && options.demo) {
        const QDir dir(directory);
        const DemoDevice devices[] = {
            {"POSPrinter", "ReceiptPrinter", "receipt-printer.txt", {{QStringLiteral("RecLinesToPaperCut"), QStringLiteral("4")}}},
            {"CashDrawer", "CashDrawer", "cash-drawer.txt", {{QStringLiteral("AutoClose"), QStringLiteral("N")}}},
            {"LineDisplay", "CustomerDisplay", "line-display.txt", {}},
        };
        for (const DemoDevice &d : devices) {
            QList<QPair<QString, QString>> values{{QStringLiteral("Service"), QStringLiteral("simulated")},
                                                  {QStringLiteral("Output"), dir.filePath(QLatin1String(d.outputFile))}};
            values += d.extra;
            written = written
                && store.write(oposDeviceSection(QLatin1String(d.deviceClass), QLatin1String(d.name)), values);
        }
        written = written
            && store.write(PrintingSection, QStringLiteral("PdfDirectory"), dir.filePath(QStringLiteral("printed")));
    }
    if (!written)
        return QStringLiteral("The database is ready in %1, but the settings file %2 cannot be written.")
            .arg(directory, store.path());
    return QString();
}
