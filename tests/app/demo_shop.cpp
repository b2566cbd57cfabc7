#include "demo_shop.h"

#include "sign_in_script.h"

#include "app/application_shell.h"
#include "common/app_settings.h"
#include "common/settings_store.h"
#include "sale/sale_window.h"

DemoShop::DemoShop() : shop_(dir_.path(), QStringLiteral("0"), true) {}

QString DemoShop::databaseFile() const
{
    return dataDirectory() + QStringLiteral("/posdb.sqlite3");
}

void DemoShop::setSetting(const QString &name, const QString &value)
{
    SettingsStore(settingsPath()).write(TillanoSection, name, value);
}

void DemoShop::setPrinterSetting(const QString &name, const QString &value)
{
    SettingsStore(settingsPath())
        .write(oposDeviceSection(QStringLiteral("POSPrinter"), QStringLiteral("ReceiptPrinter")), name, value);
}

ApplicationShell &DemoShop::start(const QString &cashierCode)
{
    if (cashierCode.isEmpty())
        dialogs.onModal(QStringLiteral("TPasswordDlg"), [](QDialog &) { return int(QDialog::Rejected); });
    else
        dialogs.onModal(QStringLiteral("TPasswordDlg"), typeCashierCode(cashierCode));
    return shop_.start();
}

void DemoShop::ring(const QString &code)
{
    TForm1 &window = shell().mainWindow();
    QTest::keyClicks(window.focusWidget(), code);
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(window.focusWidget(), Qt::Key_Return);
}

void DemoShop::totalPaidExactly()
{
    dialogs.onModalOnce(QStringLiteral("TForm8"), [](QDialog &payment) {
        QTest::keyClick(payment.focusWidget(), Qt::Key_F5);
        return -1;
    });
    QTest::keyClick(shell().mainWindow().focusWidget(), Qt::Key_F2);
}
