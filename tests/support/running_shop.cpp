#include "running_shop.h"

#include "app/application_shell.h"
#include "common/app_settings.h"
#include "common/settings_store.h"
#include "data_directory_setup.h"
#include "menu_click.h"
#include "sale/sale_window.h"

#include <QCoreApplication>
#include <QFile>
#include <QtTest>

RunningShop::RunningShop(const QString &directory, const QString &language, bool demo) : directory_(directory)
{
    SetupOptions options;
    options.directory = dataDirectory();
    options.settingsPath = settingsPath();
    options.language = language;
    options.demo = demo;
    const QString refused = prepareDataDirectory(options);
    if (!refused.isEmpty())
        qFatal("the shop cannot be prepared: %s", qPrintable(refused));

    SettingsStore store(settingsPath());
    store.write(TillanoSection, QStringLiteral("Tips"), QStringLiteral("N"));
    store.write(PrintingSection, QStringLiteral("PdfDirectory"), printedDirectory());
    const QList<QPair<QString, QString>> devices{{"POSPrinter", "ReceiptPrinter"}, {"CashDrawer", "CashDrawer"}};
    for (const auto &[deviceClass, name] : devices) {
        const QString section = oposDeviceSection(deviceClass, name);
        store.write(section, QStringLiteral("Service"), QStringLiteral("simulated"));
        store.write(section, QStringLiteral("Output"), dataDirectory() + "/" + name + ".txt");
    }
    store.write(oposDeviceSection("CashDrawer", "CashDrawer"), QStringLiteral("AutoClose"), QStringLiteral("Y"));
}

RunningShop::~RunningShop() = default;

QByteArray RunningShop::printerOutput() const
{
    QFile file(dataDirectory() + QStringLiteral("/ReceiptPrinter.txt"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

ApplicationShell &RunningShop::start()
{
    shell_.reset();
    shell_ = std::make_unique<ApplicationShell>(settingsPath());
    shell_->show();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    if (!shell_->mainWindow().ShuttingDown)
        activateMainWindow();
    return *shell_;
}

void RunningShop::activateMainWindow()
{
    shell_->mainWindow().activateWindow();
    if (!QTest::qWaitForWindowActive(&shell_->mainWindow()))
        qWarning("the main window did not become active");
}

void RunningShop::clickMenuEntry(QMenu *menu, int entry)
{
    ::clickMenuEntry(shell_->mainWindow().MainMenu1, menu, menu->actions().at(entry));
}
