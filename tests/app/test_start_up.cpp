// Start-up and shutdown of the whole program on a real data directory,
// with simulated devices and the dialogs scripted.
#include "scripted_dialogs.h"
#include "sign_in_script.h"

#include "app/application_shell.h"
#include "app/tips_dialog.h"
#include "common/app_settings.h"
#include "common/language.h"
#include "data_directory_setup.h"
#include "sale/sale_window.h"
#include "widgets/db_edit.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>

namespace {

int reject(QDialog &) { return QDialog::Rejected; }

}

class TestStartUp : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void signInStartsDevicesAndWorkHeader();
    void closingSignInEndsProgramWithoutDevices();
    void leftoverTransactionIsGone();
    void missingDataDirectoryExplainsHowToPrepare();
    void tipsShownFromWorkingDirectory();
    void missingTipsFileGoesOnToSignIn();
    void noSlipMeansNoDevices();
    void frenchCaptionsForLanguage1_data();
    void frenchCaptionsForLanguage1();
    void reactivationDoesNotRepeatStartUp();
    void helpMenuOpensDocuments();
    void f12SignsOutBetweenSalesOnly();
    void mainWindowClosesOnlyOnShutdown();
    void checkoutScreenAsTheCashierSeesIt_data();
    void checkoutScreenAsTheCashierSeesIt();

private:
    void start(ApplicationShell &shell);
    void setSetting(const QString &name, const QString &value);
    QTemporaryDir dir_;
    QString settingsPath_;
    QString dataDir_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    QString savedCwd_;
};

void TestStartUp::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    savedCwd_ = QDir::currentPath();
}

void TestStartUp::init()
{
    static int n = 0;
    const QString base = dir_.filePath(QString::number(++n));
    QDir().mkpath(base);
    QDir::setCurrent(base); // tips files and the help page are looked for here
    settingsPath_ = base + QStringLiteral("/settings.ini");
    dataDir_ = base + QStringLiteral("/data");
    SetupOptions o;
    o.directory = dataDir_;
    o.settingsPath = settingsPath_;
    o.demo = true;
    QCOMPARE(prepareDataDirectory(o), QString());
    setSetting(QStringLiteral("Tips"), QStringLiteral("N"));
    SettingsStore(settingsPath_).write(oposDeviceSection(QStringLiteral("CashDrawer"), QStringLiteral("CashDrawer")),
                                       QStringLiteral("AutoClose"), QStringLiteral("Y"));
    dialogs_ = std::make_unique<ScriptedDialogs>();
}

void TestStartUp::cleanup()
{
    dialogs_.reset();
    QDir::setCurrent(savedCwd_);
    setLanguageSetting(QStringLiteral("0"));
}

void TestStartUp::setSetting(const QString &name, const QString &value)
{
    SettingsStore(settingsPath_).write(TillanoSection, name, value);
}

void TestStartUp::start(ApplicationShell &shell)
{
    shell.show();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

void TestStartUp::signInStartsDevicesAndWorkHeader()
{
    dialogs_->onModal(QStringLiteral("TPasswordDlg"), typeCashierCode(QStringLiteral("1")));
    ApplicationShell shell(settingsPath_);
    start(shell);

    QCOMPARE(dialogs_->log, QStringList{"exec: TPasswordDlg"});
    QCOMPARE(shell.shift().cashierId(), 1);
    QVERIFY(shell.mainWindow().managerMenuAttached());
    QCOMPARE(shell.deviceNames().printer, QStringLiteral("ReceiptPrinter"));
    QCOMPARE(shell.deviceNames().drawer, QStringLiteral("CashDrawer"));
    QCOMPARE(shell.deviceNames().display, QStringLiteral("CustomerDisplay"));

    TDataModule2 &dm = shell.dataModule();
    QCOMPARE(dm.tmpmaster.recordCount(), 1);
    QCOMPARE(dm.tmpmaster.field("Trxh_cashier").asInteger(), 1);
    QCOMPARE(dm.tmpdetail.recordCount(), 1); // the first entry line
    QCOMPARE(shell.mainWindow().focusWidget(), static_cast<QWidget *>(shell.mainWindow().DBEdit1));
}

void TestStartUp::closingSignInEndsProgramWithoutDevices()
{
    dialogs_->onModal(QStringLiteral("TPasswordDlg"), reject);
    ApplicationShell shell(settingsPath_);
    start(shell);
    QVERIFY(shell.mainWindow().ShuttingDown);
    QVERIFY(!shell.dataModule().connected());
    QVERIFY(!shell.mainWindow().isVisible());
    QVERIFY(shell.deviceNames().printer.isEmpty());
    QVERIFY(!QFile::exists(dataDir_ + QStringLiteral("/receipt-printer.txt")));
    QVERIFY(!QFile::exists(dataDir_ + QStringLiteral("/line-display.txt")));
}

void TestStartUp::leftoverTransactionIsGone()
{
    {
        TDataModule2 dm;
        dm.connectTo(dataDir_);
        dm.tmpdetail.open();
        for (int i = 0; i < 3; ++i) {
            dm.tmpdetail.append();
            dm.tmpdetail.field("Trx_qty").setFloat(i + 1);
            dm.tmpdetail.post();
        }
    }
    dialogs_->onModal(QStringLiteral("TPasswordDlg"), typeCashierCode(QStringLiteral("2")));
    ApplicationShell shell(settingsPath_);
    start(shell);
    QCOMPARE(shell.dataModule().tmpdetail.recordCount(), 1); // only the new entry line
    QVERIFY(!shell.mainWindow().managerMenuAttached());
}

void TestStartUp::missingDataDirectoryExplainsHowToPrepare()
{
    setSetting(QStringLiteral("Data"), dir_.filePath(QStringLiteral("nowhere")));
    ApplicationShell shell(settingsPath_);
    start(shell);
    QVERIFY(shell.startUpFailed());
    QCOMPARE(dialogs_->messages().size(), 1);
    const QString message = dialogs_->messages().first();
    QVERIFY2(message.contains(dir_.filePath(QStringLiteral("nowhere"))) && message.contains(QStringLiteral("tillano-setup")),
             qPrintable(message));
    QVERIFY(dialogs_->questions().isEmpty());
    QVERIFY(!dialogs_->log.contains(QStringLiteral("exec: TPasswordDlg")));
}

void TestStartUp::tipsShownFromWorkingDirectory()
{
    setSetting(QStringLiteral("Tips"), QStringLiteral("y"));
    setSetting(QStringLiteral("Language"), QStringLiteral("2"));
    QFile tips(QStringLiteral("trucs.txt"));
    QVERIFY(tips.open(QIODevice::WriteOnly));
    tips.write("F2 pour le total.\n");
    tips.close();
    QString shown;
    dialogs_->onModal(QStringLiteral("TTipsDlg"), [&](QDialog &d) {
        shown = static_cast<TTipsDlg &>(d).Memo1->toPlainText();
        QTest::mouseClick(static_cast<TTipsDlg &>(d).OKBtn, Qt::LeftButton);
        return -1;
    });
    dialogs_->onModal(QStringLiteral("TPasswordDlg"), typeCashierCode(QStringLiteral("2")));
    ApplicationShell shell(settingsPath_);
    start(shell);
    QCOMPARE(dialogs_->log, (QStringList{"exec: TTipsDlg", "exec: TPasswordDlg"}));
    QCOMPARE(shown, QStringLiteral("F2 pour le total.\n"));
    QCOMPARE(SettingsStore(settingsPath_).read(TillanoSection, QStringLiteral("Tips")), QStringLiteral("N"));
}

void TestStartUp::missingTipsFileGoesOnToSignIn()
{
    setSetting(QStringLiteral("Tips"), QStringLiteral("Y"));
    dialogs_->onModal(QStringLiteral("TPasswordDlg"), typeCashierCode(QStringLiteral("2")));
    ApplicationShell shell(settingsPath_);
    start(shell);
    QCOMPARE(dialogs_->log, QStringList{"exec: TPasswordDlg"});
    QCOMPARE(shell.shift().cashierId(), 2);
}

void TestStartUp::noSlipMeansNoDevices()
{
    {
        TDataModule2 dm;
        dm.connectTo(dataDir_);
        dm.Control.open();
        dm.Control.edit();
        dm.Control.field("Ctrl_slip").setBoolean(false);
        dm.Control.post();
    }
    dialogs_->onModal(QStringLiteral("TPasswordDlg"), typeCashierCode(QStringLiteral("2")));
    ApplicationShell shell(settingsPath_);
    start(shell);
    QVERIFY(shell.deviceNames().printer.isEmpty());
    QVERIFY(shell.deviceNames().drawer.isEmpty());
    QVERIFY(shell.deviceNames().display.isEmpty());
    QVERIFY(dialogs_->messages().isEmpty());
}

void TestStartUp::frenchCaptionsForLanguage1_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("loginTitle");
    QTest::newRow("0") << "0" << "Parameters" << "Cashier login";
    QTest::newRow("1") << "1" << "Paramêtres" << "Entrée du caissier";
    QTest::newRow("2") << "2" << "Parameters" << "Cashier login";
}

void TestStartUp::frenchCaptionsForLanguage1()
{
    QFETCH(QString, language);
    QFETCH(QString, menu);
    QFETCH(QString, loginTitle);
    setSetting(QStringLiteral("Language"), language);
    QString title;
    dialogs_->onModal(QStringLiteral("TPasswordDlg"), [&](QDialog &d) {
        title = d.windowTitle();
        return typeCashierCode(QStringLiteral("1"))(d);
    });
    ApplicationShell shell(settingsPath_);
    start(shell);
    QCOMPARE(title, loginTitle);
    QCOMPARE(shell.mainWindow().Parameters1->title(), menu);
    QCOMPARE(englishTexts(), language == QLatin1String("0"));
}

void TestStartUp::reactivationDoesNotRepeatStartUp()
{
    dialogs_->onModal(QStringLiteral("TPasswordDlg"), typeCashierCode(QStringLiteral("2")));
    ApplicationShell shell(settingsPath_);
    start(shell);
    const double headerBefore = shell.dataModule().tmpmaster.currentRowid();
    shell.FormActivate();
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&shell.mainWindow(), &activate);
    QCoreApplication::processEvents();
    QCOMPARE(dialogs_->log.count(QStringLiteral("exec: TPasswordDlg")), 1);
    QCOMPARE(double(shell.dataModule().tmpmaster.currentRowid()), headerBefore);
}

void TestStartUp::helpMenuOpensDocuments()
{
    dialogs_->onModal(QStringLiteral("TPasswordDlg"), typeCashierCode(QStringLiteral("1")));
    ApplicationShell shell(settingsPath_);
    start(shell);
    shell.mainWindow().Helpfiles1Click();
    shell.mainWindow().Helponline1Click();
    shell.mainWindow().Purchasesourcecode1Click();
    QCOMPARE(dialogs_->log.mid(1),
             (QStringList{"url: " + QUrl::fromLocalFile(QDir::current().absoluteFilePath(QStringLiteral("doc/Tillano.htm"))).toString(),
                          "url: mailto:support@tillano.example?subject=Help required",
                          "url: mailto:sales@tillano.example?subject=Source code"}));
}

void TestStartUp::f12SignsOutBetweenSalesOnly()
{
    dialogs_->onModal(QStringLiteral("TPasswordDlg"), typeCashierCode(QStringLiteral("1")));
    ApplicationShell shell(settingsPath_);
    start(shell);
    TForm1 &window = shell.mainWindow();
    TDataModule2 &dm = shell.dataModule();

    // Only the blank entry line: it goes, the count is offered, the next cashier signs in.
    dialogs_->log.clear();
    dialogs_->onModal(QStringLiteral("TMoneyCountDlg"), reject);
    dialogs_->onModal(QStringLiteral("TPasswordDlg"), typeCashierCode(QStringLiteral("2")));
    QTest::keyClick(window.DBEdit1, Qt::Key_F12);
    QCOMPARE(dialogs_->log, (QStringList{"exec: TMoneyCountDlg", "exec: TPasswordDlg"}));
    QCOMPARE(shell.shift().cashierId(), 2);
    QVERIFY(!window.managerMenuAttached());
    QCOMPARE(dm.tmpmaster.field("Trxh_cashier").asInteger(), 2); // the waiting header names the new cashier
    // The focus stayed in the UPC field, so no entry line until a code is typed.
    QCOMPARE(dm.tmpdetail.recordCount(), 0);

    // A line rung: F12 only puts the focus back.
    QTest::keyClicks(window.DBEdit1, QStringLiteral("062813100018"));
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(window.focusWidget(), Qt::Key_Return);
    const int lines = dm.tmpdetail.recordCount();
    QVERIFY(lines >= 2);
    dialogs_->log.clear();
    QTest::keyClick(window.DBEdit1, Qt::Key_F12);
    QVERIFY(dialogs_->log.isEmpty());
    QCOMPARE(dm.tmpdetail.recordCount(), lines);
    QCOMPARE(shell.shift().cashierId(), 2);
}

void TestStartUp::mainWindowClosesOnlyOnShutdown()
{
    dialogs_->onModal(QStringLiteral("TPasswordDlg"), typeCashierCode(QStringLiteral("2")));
    ApplicationShell shell(settingsPath_);
    start(shell);
    QVERIFY(!shell.mainWindow().close()); // a window manager's close is refused
    QVERIFY(shell.mainWindow().isVisible());
    QVERIFY(shell.dataModule().connected());
}

void TestStartUp::checkoutScreenAsTheCashierSeesIt_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("columns"); // the display section's Columns value
    QTest::addColumn<QString>("cashier");
    QTest::addColumn<int>("displayColumns");
    QTest::newRow("English, a 20-column display") << "0" << "" << "Cashier: Luc Gagnon" << 20;
    QTest::newRow("French, 26 columns") << "1" << "26" << "Caissier : Luc Gagnon" << 26;
}

void TestStartUp::checkoutScreenAsTheCashierSeesIt()
{
    QFETCH(QString, language);
    QFETCH(QString, columns);
    QFETCH(QString, cashier);
    QFETCH(int, displayColumns);
    setSetting(QStringLiteral("Language"), language);
    if (!columns.isEmpty())
        SettingsStore(settingsPath_).write(oposDeviceSection(QStringLiteral("LineDisplay"), QStringLiteral("CustomerDisplay")),
                                           QStringLiteral("Columns"), columns);
    dialogs_->onModal(QStringLiteral("TPasswordDlg"), typeCashierCode(QStringLiteral("2")));
    ApplicationShell shell(settingsPath_);
    start(shell);
    TForm1 &window = shell.mainWindow();
    QVERIFY(window.windowState() & Qt::WindowMaximized);
    QVERIFY(window.CashierLabel->isVisible());
    QCOMPARE(window.CashierLabel->text(), cashier);
    QCOMPARE(shell.deviceNames().displayColumns, displayColumns);
}

QTEST_MAIN(TestStartUp)
#include "test_start_up.moc"
