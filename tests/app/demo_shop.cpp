#include "demo_shop.h"

#include "sign_in_script.h"

#include "app/application_shell.h"
#include "common/app_settings.h"
#include "common/language.h"
#include "data_directory_setup.h"
#include "sale/sale_window.h"

#include <QtTest>

DemoShop::DemoShop()
{
    SetupOptions o;
    o.directory = dataDirectory();
    o.settingsPath = settingsPath();
    o.demo = true;
    if (!prepareDataDirectory(o).isEmpty())
        qFatal("cannot prepare the demo shop");
    setSetting(QStringLiteral("Tips"), QStringLiteral("N"));
    SettingsStore(settingsPath()).write(oposDeviceSection(QStringLiteral("CashDrawer"), QStringLiteral("CashDrawer")),
                                        QStringLiteral("AutoClose"), QStringLiteral("Y"));
}

DemoShop::~DemoShop()
{
    shell_.reset();
    setLanguageSetting(QStringLiteral("0"));
}

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
    StartOptions options;
    options.files = ProgramFiles({});
    options.inDataDirectory = true;
    shell_ = std::make_unique<ApplicationShell>(settingsPath(), options);
    shell_->show();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    return *shell_;
}

void DemoShop::ring(const QString &code)
{
    TForm1 &window = shell_->mainWindow();
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
    QTest::keyClick(shell_->mainWindow().focusWidget(), Qt::Key_F2);
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}
