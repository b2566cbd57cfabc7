#include "running_shop.h"

#include "menu_click.h"
#include "sign_in_script.h"
#include "test_files.h"

#include "app/application_shell.h"
#include "common/app_settings.h"
#include "common/language.h"
#include "common/settings_store.h"
#include "data_directory_setup.h"
#include "sale/sale_window.h"

#include <QCoreApplication>
#include <QtTest>

RunningShop::RunningShop(const QString &language, bool demo)
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
    store.write(PrintingSection, {{QStringLiteral("PdfDirectory"), printedDirectory()},
                                  // its manager knows where the receipts go without a receipt printer
                                  {QStringLiteral("NoReceiptPrinterNotice"), printedDirectory()}});
    const QList<QPair<QString, QString>> devices{{"POSPrinter", "ReceiptPrinter"}, {"CashDrawer", "CashDrawer"}};
    for (const auto &[deviceClass, name] : devices) {
        const QString section = oposDeviceSection(deviceClass, name);
        store.write(section, QStringLiteral("Service"), QStringLiteral("simulated"));
        store.write(section, QStringLiteral("Output"), dataDirectory() + "/" + name + ".txt");
    }
    store.write(oposDeviceSection("CashDrawer", "CashDrawer"), QStringLiteral("AutoClose"), QStringLiteral("Y"));
}

RunningShop::~RunningShop()
{
    shell_.reset();
    setLanguageSetting(QStringLiteral("0"));
}

QByteArray RunningShop::printerOutput() const
{
    return fileBytes(dataDirectory() + QStringLiteral("/ReceiptPrinter.txt"), {});
}

void RunningShop::setSetting(const QString &name, const QString &value)
{
    SettingsStore(settingsPath()).write(TillanoSection, name, value);
}

void RunningShop::setPrinterSetting(const QString &name, const QString &value)
{
    SettingsStore(settingsPath())
        .write(oposDeviceSection(QStringLiteral("POSPrinter"), QStringLiteral("ReceiptPrinter")), name, value);
}

ApplicationShell &RunningShop::start(const QString &cashierCode)
{
    if (cashierCode.isEmpty())
        dialogs.onModal(QStringLiteral("TPasswordDlg"), [](QDialog &) { return int(QDialog::Rejected); });
    else
        dialogs.onModal(QStringLiteral("TPasswordDlg"), typeCashierCode(cashierCode));
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

void RunningShop::ring(const QString &code)
{
    TForm1 &window = shell().mainWindow();
    QTest::keyClicks(window.focusWidget(), code);
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(window.focusWidget(), Qt::Key_Return);
}

void RunningShop::leaveWorkLines(int count)
{
    Table &lines = shell().dataModule().tmpdetail;
    lines.emptyTable();
    for (int i = 0; i < count; ++i) {
        lines.append();
        lines.field("Trx_qty").setFloat(1);
        lines.post();
    }
}

void RunningShop::totalPaidExactly()
{
    dialogs.onModalOnce(QStringLiteral("TForm8"), [](QDialog &payment) {
        QTest::keyClick(payment.focusWidget(), Qt::Key_F5);
        return -1;
    });
    QTest::keyClick(shell().mainWindow().focusWidget(), Qt::Key_F2);
}
