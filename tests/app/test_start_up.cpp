// Start-up and shutdown of the whole program on a real data directory,
// with simulated devices and the dialogs scripted.
#include "scripted_dialogs.h"
#include "sign_in_script.h"
#include "test_files.h"

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
#include <QLocalServer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QMenuBar>
#include <QProcess>
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
    void unusablePlacesAreNamed_data();
    void unusablePlacesAreNamed();
    void tipsShownFromWorkingDirectory();
    void missingTipsFileGoesOnToSignIn();
    void programFilesFoundInOrder_data();
    void programFilesFoundInOrder();
    void noShopExplainsHowToPrepareOne_data();
    void noShopExplainsHowToPrepareOne();
    void startUpCheckOfTheProgram_data();
    void startUpCheckOfTheProgram();
    void secondStartOnTheSameDirectoryIsRefused();
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

// A settings file or a data directory that is there but cannot serve is
// named with what is wrong with it, not as missing.
void TestStartUp::unusablePlacesAreNamed_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("said"); // %1: the place
    QTest::newRow("Data names a file")
        << "data file"
        << "The data directory %1 is a file, not a directory: the setting Data must name the directory that holds "
           "the shop's database, posdb.sqlite3.";
    QTest::newRow("the settings file is a directory")
        << "settings directory"
        << "Tillano cannot read its settings file %1: it is a directory, not a file.\n\nMove that directory "
           "elsewhere, then name the shop's data directory in a new settings file with\n"
           "    tillano-setup --settings %1 --existing DIRECTORY";
    QTest::newRow("the settings file cannot be read") // a socket: as root, permissions would not stop it
        << "settings socket"
        << "Tillano cannot read its settings file %1 (No such device or address).\n\nIt must be a text file that "
           "the user who runs Tillano may read and write.";
}

void TestStartUp::unusablePlacesAreNamed()
{
    QFETCH(QString, what);
    QFETCH(QString, said);
    const QString place = QDir::current().absoluteFilePath(QStringLiteral("place"));
    QString settings = settingsPath_;
    QLocalServer socket;
    if (what == QLatin1String("data file")) {
        writeFileBytes(place, "not a directory");
        setSetting(QStringLiteral("Data"), place);
    } else {
        settings = place;
        QVERIFY(what == QLatin1String("settings directory") ? QDir().mkdir(place) : socket.listen(place));
    }
    ApplicationShell shell(settings);
    start(shell);
    QVERIFY(shell.startUpFailed());
    QCOMPARE(dialogs_->log, QStringList{"message: " + said.arg(place)});
}

void TestStartUp::tipsShownFromWorkingDirectory()
{
    setSetting(QStringLiteral("Tips"), QStringLiteral("y"));
    setSetting(QStringLiteral("Language"), QStringLiteral("2"));
    writeFileBytes(QStringLiteral("trucs.txt"), "F2 pour le total.\n");
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
    ApplicationShell shell(settingsPath_, {ProgramFiles({}), false});
    start(shell);
    QCOMPARE(dialogs_->log, QStringList{"exec: TPasswordDlg"});
    QCOMPARE(shell.shift().cashierId(), 2);
}

// The tips and the help page: the working directory's, else the first share
// directory's that has them (installed, then the source tree's data/).
void TestStartUp::programFilesFoundInOrder_data()
{
    QTest::addColumn<QStringList>("placesWithFiles");
    QTest::addColumn<QString>("found");
    QTest::newRow("working directory first") << QStringList{"work", "installed", "source"} << "work";
    QTest::newRow("installed next") << QStringList{"installed", "source"} << "installed";
    QTest::newRow("source tree last") << QStringList{"source"} << "source";
    QTest::newRow("nowhere") << QStringList{} << "";
}

void TestStartUp::programFilesFoundInOrder()
{
    QFETCH(QStringList, placesWithFiles);
    QFETCH(QString, found);
    const QString work = QDir::currentPath();
    auto place = [&](const QString &name) { return name == QLatin1String("work") ? work : work + '/' + name; };
    for (const QString &name : placesWithFiles) {
        writeFileBytes(place(name) + QStringLiteral("/Tips.txt"), name.toUtf8());
        writeFileBytes(place(name) + QStringLiteral("/doc/Tillano.htm"), name.toUtf8());
    }
    setSetting(QStringLiteral("Tips"), QStringLiteral("Y"));
    QString shown = QStringLiteral("(no tips)");
    dialogs_->onModal(QStringLiteral("TTipsDlg"), [&](QDialog &d) {
        shown = static_cast<TTipsDlg &>(d).Memo1->toPlainText();
        return int(QDialog::Rejected);
    });
    dialogs_->onModal(QStringLiteral("TPasswordDlg"), typeCashierCode(QStringLiteral("1")));
    ApplicationShell shell(settingsPath_, {ProgramFiles({place("installed"), place("source")}), false});
    start(shell);
    QCOMPARE(shown, found.isEmpty() ? QStringLiteral("(no tips)") : found);

    shell.mainWindow().Helpfiles1Click();
    const QString help = (found.isEmpty() ? work : place(found)) + QStringLiteral("/doc/Tillano.htm");
    QCOMPARE(dialogs_->log.last(), "url: " + QUrl::fromLocalFile(help).toString());
}

void TestStartUp::noShopExplainsHowToPrepareOne_data()
{
    QTest::addColumn<QString>("settings");     // what the settings file holds; "none": there is none
    QTest::addColumn<bool>("defaultSettings"); // the settings file is the default one
    QTest::addColumn<QString>("why");
    QTest::newRow("no settings file") << "none" << false << "Tillano has no shop yet: there is no settings file %1.";
    QTest::newRow("default file missing") << "none" << true
                                          << "Tillano has no shop yet: there is no settings file %1.";
    QTest::newRow("no Data in it") << "[software\\Tillano]\nTips=N\n" << false
                                   << "Tillano has no shop yet: the settings file %1 names no data directory.";
    QTest::newRow("French, no Data")
        << "[software\\Tillano]\nLanguage=1\nData=\n" << false
        << "Tillano n'a pas encore de magasin : le fichier de paramètres %1 ne nomme aucun répertoire de données.";
}

void TestStartUp::noShopExplainsHowToPrepareOne()
{
    QFETCH(QString, settings);
    QFETCH(bool, defaultSettings);
    QFETCH(QString, why);
    const QString path = QDir::current().filePath(QStringLiteral("new-machine.ini"));
    if (settings != QLatin1String("none"))
        writeFileBytes(path, settings.toUtf8());
    const QByteArray savedEnvironment = qgetenv("TILLANO_SETTINGS");
    if (defaultSettings)
        qputenv("TILLANO_SETTINGS", path.toUtf8());
    {
        ApplicationShell shell(path);
        start(shell);
        QVERIFY(shell.startUpFailed());
    }
    qputenv("TILLANO_SETTINGS", savedEnvironment);

    QCOMPARE(dialogs_->log.size(), 1); // the message alone: no tables, no tips, no sign-in
    const QStringList lines = dialogs_->messages().value(0).split('\n');
    QCOMPARE(lines.first(), why.arg(path));
    // The commands name the settings file unless it is the default one.
    const QString setup = defaultSettings ? QStringLiteral("    tillano-setup") : "    tillano-setup --settings " + path;
    QVERIFY2(lines.contains(setup + " --demo ~/tillano-demo"), qPrintable(lines.join('\n')));
    QVERIFY(lines.contains(setup + " --manager CODE ~/tillano"));
    QCOMPARE(QFileInfo::exists(path), settings != QLatin1String("none")); // nothing written
}

// The real program, as the package check runs it: --check-start-up prints
// what start-up shows instead of showing it and closes the sign-in.
void TestStartUp::startUpCheckOfTheProgram_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("tipsIn"); // where the tips are put; "": only in the source tree
    QTest::addColumn<QString>("tipsShown"); // the data directory is "data" in the working directory
    QTest::newRow("from the build") << QStringList{} << "" << TILLANO_SOURCE_DIR "/data/Tips.txt";
    QTest::newRow("working directory") << QStringList{} << "work" << "Tips.txt";
    QTest::newRow("in the data directory") << QStringList{"--in-data-directory"} << "data" << "data/Tips.txt";
    QTest::newRow("no settings") << QStringList{"--settings", "none.ini"} << "work" << "";
}

void TestStartUp::startUpCheckOfTheProgram()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, tipsIn);
    QFETCH(QString, tipsShown);
    if (tipsIn == QLatin1String("work"))
        writeFileBytes(QStringLiteral("Tips.txt"), "Here.\n");
    if (tipsIn == QLatin1String("data"))
        writeFileBytes(dataDir_ + QStringLiteral("/Tips.txt"), "There.\n");
    setSetting(QStringLiteral("Tips"), QStringLiteral("Y"));
    if (!arguments.contains(QStringLiteral("--settings")))
        arguments << QStringLiteral("--settings") << settingsPath_;

    QProcess tillano;
    tillano.start(QCoreApplication::applicationDirPath() + QStringLiteral("/tillano"),
                  QStringList{"--check-start-up"} + arguments);
    QVERIFY(tillano.waitForFinished());
    const QStringList printed = QString::fromUtf8(tillano.readAllStandardOutput()).split('\n');
    if (tipsShown.isEmpty()) {
        QCOMPARE(tillano.exitCode(), 1);
        QCOMPARE(printed.first(), "message: Tillano has no shop yet: there is no settings file "
                                      + QDir::current().absoluteFilePath("none.ini") + '.');
        return;
    }
    QCOMPARE(tillano.exitCode(), 0);
    QCOMPARE(printed.size(), 3); // two windows and the last line's end
    const QString tipsWindow = QStringLiteral("window: TTipsDlg \"Tips\" ");
    QVERIFY2(printed[0].startsWith(tipsWindow), qPrintable(printed[0]));
    QCOMPARE(QFileInfo(printed[0].mid(tipsWindow.size())).canonicalFilePath(), QFileInfo(tipsShown).canonicalFilePath());
    QCOMPARE(printed[1], QStringLiteral("window: TPasswordDlg \"Cashier login\""));
    QCOMPARE(SettingsStore(settingsPath_).read(TillanoSection, QStringLiteral("Tips")), QStringLiteral("Y"));
}

// A second till on the data directory (a double click on the menu entry)
// is refused before it touches a table: the first one's sale goes on.
void TestStartUp::secondStartOnTheSameDirectoryIsRefused()
{
    dialogs_->onModal(QStringLiteral("TPasswordDlg"), typeCashierCode(QStringLiteral("1")));
    dialogs_->onModal(QStringLiteral("TForm8"), [](QDialog &payment) {
        QTest::keyClick(payment.focusWidget(), Qt::Key_F5); // paid exactly
        return -1;
    });
    ApplicationShell first(settingsPath_);
    start(first);
    TForm1 &window = first.mainWindow();
    QTest::keyClicks(window.DBEdit1, QStringLiteral("062813100018"));
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(window.focusWidget(), Qt::Key_Return);
    const auto files = [this] {
        return fileBytes(dataDir_ + "/posdb.sqlite3") + fileBytes(dataDir_ + "/posdb.sqlite3-wal");
    };
    const QByteArray before = files();

    QProcess second;
    second.start(QCoreApplication::applicationDirPath() + QStringLiteral("/tillano"),
                 {QStringLiteral("--check-start-up"), QStringLiteral("--settings"), settingsPath_});
    QVERIFY(second.waitForFinished());
    QCOMPARE(second.exitCode(), 1);
    QCOMPARE(QString::fromUtf8(second.readAllStandardOutput()),
             "message: Tillano is already running on the data directory " + dataDir_
                 + ". Use the Tillano that is open: only one program at a time may work on a shop's data.\n");
    QVERIFY(files() == before); // not a byte written

    QTest::keyClick(window.focusWidget(), Qt::Key_F2);
    TDataModule2 &dm = first.dataModule();
    QCOMPARE(dm.tranmaster.recordCount(), 1);
    QCOMPARE(dm.trandetail.recordCount(), 1);
    QCOMPARE(dm.trandetail.field("Trx_upc").asFloat(), 62813100018.0);
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
    ApplicationShell shell(settingsPath_, {ProgramFiles({}), false});
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
