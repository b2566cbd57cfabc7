// tillano-setup: a fresh data directory, the demo shop, and refusals.
#include "data_directory_setup.h"
#include "demo_data.h"

#include "common/app_settings.h"
#include "common/settings_store.h"
#include "devices/simulated_devices.h"
#include "store/data_directory_lock.h"
#include "store/data_module.h"
#include "store/sign_in_tables.h"
#include "test_files.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

namespace {
// Files created meanwhile would be readable by everyone, unless the
// program itself says otherwise.
struct PermissiveUmask {
    PermissiveUmask() : before(::umask(0)) {}
    ~PermissiveUmask() { ::umask(before); }
    mode_t before;
};
}

class TestSetup : public QObject {
    Q_OBJECT
private slots:
    void emptyDirectory_data();
    void emptyDirectory();
    void commandLine_data();
    void commandLine();
    void demoShop_data();
    void demoShop();
    void refusesExistingDatabase();
    void unwritableDirectorySaysWhichPath();
    void upcCheckDigits_data();
    void upcCheckDigits();
};

void TestSetup::emptyDirectory_data()
{
    QTest::addColumn<int>("managerCode");
    QTest::addColumn<QString>("pin");
    QTest::newRow("default code") << 1 << "";
    QTest::newRow("code 4711 and a PIN") << 4711 << "903571";
}

void TestSetup::emptyDirectory()
{
    QFETCH(int, managerCode);
    QFETCH(QString, pin);
    QTemporaryDir tmp;
    SetupOptions o;
    o.directory = tmp.filePath(QStringLiteral("shop/data"));
    o.settingsPath = tmp.filePath(QStringLiteral("settings.ini"));
    o.managerCode = managerCode;
    o.managerPin = pin;
    QCOMPARE(prepareDataDirectory(o), QString());

    const SettingsStore store(o.settingsPath);
    const AppSettings s = AppSettings::load(store);
    QCOMPARE(s.data, QFileInfo(o.directory).absoluteFilePath());
    QCOMPARE(s.language, QStringLiteral("0"));
    QVERIFY(store.subkeys(OposRoot).isEmpty());

    TDataModule2 dm;
    dm.connectTo(s.data);
    for (Table *t : dm.tables())
        t->open();
    QCOMPARE(dm.Control.recordCount(), 1);
    QCOMPARE(dm.fintb.recordCount(), 1);
    QCOMPARE(dm.producttb.recordCount(), 0);
    // The one manager, so that someone can sign in and set the shop up.
    Table &cashiers = dm.cashiertb;
    QCOMPARE(cashiers.recordCount(), 1);
    QCOMPARE(cashiers.field("Cashier_id").asInteger(), managerCode);
    QCOMPARE(cashiers.field("Cashier_name").asString(), QStringLiteral("Manager"));
    QVERIFY(cashiers.field("Cashier_type").asBoolean());
    QVERIFY(!cashiers.field("Cashier_train").asBoolean());
    QCOMPARE(cashiers.field("Cashier_sales").asFloat(), 0.0);
    // A PIN turns secret codes on, the manager's PIN kept as its hash only.
    QCOMPARE(SignInTables::secretCodesRequired(dm.database()), !pin.isEmpty());
    const std::optional<PinSecret> secret = SignInTables::secretOf(dm.database(), managerCode);
    QVERIFY(pin.isEmpty() ? !secret : secret->matches(pin) && !secret->mustChange);
}

void TestSetup::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output"); // a line expected on stdout, or on stderr on failure
    QTest::newRow("default manager") << QStringList{} << 0 << "Manager code: 1 (sign in with it";
    QTest::newRow("--manager 25") << QStringList{"--manager", "25"} << 0 << "Manager code: 25 (";
    QTest::newRow("letters") << QStringList{"--manager", "abc"} << 2
                             << "the manager code must be a whole number from 0 to 2147483647, not \"abc\"";
    QTest::newRow("negative") << QStringList{"--manager", "-3"} << 2 << "not \"-3\"";
    QTest::newRow("with --demo") << QStringList{"--demo", "--manager", "5"} << 2 << "--manager is for a real shop";
    QTest::newRow("with --existing") << QStringList{"--existing", "--manager", "5"} << 2 << "--manager is for a new shop";
    QTest::newRow("secret codes off") << QStringList{} << 0 << "Secret codes are off: a cashier code alone signs in;";
    QTest::newRow("--pin") << QStringList{"--manager", "25", "--pin", "903571"} << 0 << "Secret codes are on";
    QTest::newRow("short PIN") << QStringList{"--pin", "903"} << 2 << "the PIN must have 4 to 8 digits";
    QTest::newRow("PIN is the code") << QStringList{"--manager", "4711", "--pin", "4711"} << 2
                                     << "the PIN cannot be the manager code";
    QTest::newRow("--pin with --demo") << QStringList{"--demo", "--pin", "903571"} << 2 << "--pin is for a new real shop";
    QTest::newRow("lane without store") << QStringList{"--server", "dbname=x", "--terminal", "1"} << 2
                                        << "--server needs --store N (a whole number of 1 or more)";
    QTest::newRow("store without server") << QStringList{"--store", "1", "--terminal", "1"} << 2
                                          << "--store, --terminal and --replace are for a lane: give --server too";
    QTest::newRow("server unreachable") << QStringList{"--server", "host=/nonexistent dbname=x", "--store", "1",
                                                       "--terminal", "1"}
                                        << 1 << "as a lane: connection to server on socket";
}

void TestSetup::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QTemporaryDir tmp;
    QProcess setup;
    setup.start(QCoreApplication::applicationDirPath() + QStringLiteral("/tillano-setup"),
                arguments + QStringList{"--settings", tmp.filePath("settings.ini"), tmp.filePath("data")});
    QVERIFY(setup.waitForFinished());
    QCOMPARE(setup.exitCode(), exitCode);
    const QString text = QString::fromUtf8(exitCode == 0 ? setup.readAllStandardOutput() : setup.readAllStandardError());
    QVERIFY2(text.contains(output), qPrintable(text));
    QVERIFY(!text.contains("903571")); // a PIN is never repeated
    // A refused command line prepares nothing.
    QCOMPARE(QFileInfo::exists(tmp.filePath("data/posdb.sqlite3")), exitCode == 0);
}

void TestSetup::demoShop_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("names"); // first tender, the two taxes, first message
    QTest::newRow("English") << "0" << QStringList{"Cash", "GST", "PST", "Thank you for shopping with us"};
    QTest::newRow("French") << "1" << QStringList{"Comptant", "TPS", "TVQ", "Merci de votre visite"};
    QTest::newRow("French texts, English captions") << "2" << QStringList{"Comptant", "TPS", "TVQ", "Merci de votre visite"};
}

void TestSetup::demoShop()
{
    QFETCH(QString, language);
    QFETCH(QStringList, names);
    const PermissiveUmask umask;
    QTemporaryDir tmp;
    SetupOptions o;
    o.directory = tmp.filePath(QStringLiteral("shop"));
    o.settingsPath = tmp.filePath(QStringLiteral("settings.ini"));
    o.language = language;
    o.demo = true;
    QCOMPARE(prepareDataDirectory(o), QString());

    const SettingsStore store(o.settingsPath);
    QCOMPARE(AppSettings::load(store).language, language);
    QCOMPARE(oposDeviceName(store, QStringLiteral("POSPrinter")), QStringLiteral("ReceiptPrinter"));
    QCOMPARE(oposDeviceName(store, QStringLiteral("CashDrawer")), QStringLiteral("CashDrawer"));
    QCOMPARE(oposDeviceName(store, QStringLiteral("LineDisplay")), QStringLiteral("CustomerDisplay"));
    const auto printer = store.values(oposDeviceSection(QStringLiteral("POSPrinter"), QStringLiteral("ReceiptPrinter")));
    QCOMPARE(printer.value(QStringLiteral("Service")), QStringLiteral("simulated"));
    QCOMPARE(printer.value(QStringLiteral("Output")), QDir(o.directory).filePath(QStringLiteral("receipt-printer.txt")));

    TDataModule2 dm;
    dm.connectTo(o.directory);
    for (Table *t : dm.tables())
        t->open();
    // Whatever the umask, only the till's user may read the shop's files.
    SimulatedPrinter simulated(DeviceSettings::read(store, QStringLiteral("POSPrinter"), QStringLiteral("ReceiptPrinter")));
    QCOMPARE(simulated.Open(QStringLiteral("ReceiptPrinter")), Opos::Success);
    QMap<QString, int> modes{{QStringLiteral("settings.ini"), fileMode(o.settingsPath)}};
    for (const char *name :
         {"", "posdb.sqlite3", "posdb.sqlite3-wal", "posdb.sqlite3-shm", "receipt-printer.txt", "tillano.lock"})
        modes.insert(QLatin1String(name), fileMode(QDir(o.directory).filePath(QLatin1String(name))));
    QCOMPARE(modes, (QMap<QString, int>{{"", 0700},
                                        {"posdb.sqlite3", 0600},
                                        {"posdb.sqlite3-wal", 0600},
                                        {"posdb.sqlite3-shm", 0600},
                                        {"receipt-printer.txt", 0600},
                                        {"settings.ini", 0600},
                                        {"tillano.lock", 0600}}));

    Table &cashiers = dm.cashiertb;
    QVERIFY(cashiers.findKey(1) && cashiers.field("Cashier_type").asBoolean());
    QVERIFY(cashiers.findKey(2) && !cashiers.field("Cashier_type").asBoolean() && !cashiers.field("Cashier_train").asBoolean());
    QVERIFY(cashiers.findKey(9) && cashiers.field("Cashier_train").asBoolean());
    QVERIFY(dm.DeptTb.recordCount() >= 3);

    Table &p = dm.producttb;
    QVERIFY(p.recordCount() >= 30);
    int onPromotion = 0;
    for (p.first(); !p.eof(); p.next()) {
        const qint64 upc = qint64(p.field("Product_upc").asFloat());
        QVERIFY(upc >= 10000000000LL && upc <= 999999999999LL);
        QCOMPARE(int(upc % 10), upcCheckDigit(upc / 10));
        QVERIFY(p.field("Product_price").asFloat() > 0);
        QVERIFY(dm.DeptTb.findKey(p.field("Product_dept").asInteger()));
        QVERIFY2(p.field("Product_short_desc").asString().size() <= 12, // the receipt's column
                 qPrintable(p.field("Product_short_desc").asString()));
        if (p.field("Product_promo_start").asDate().isValid())
            ++onPromotion;
    }
    QCOMPARE(onPromotion, 1);

    Table &c = dm.Control;
    QVERIFY(!c.field("Ctrl_company_name").asString().isEmpty());
    QCOMPARE((QStringList{c.field("Ctrl_pmt1").asString(), c.field("Ctrl_tx1").asString(),
                          c.field("Ctrl_tx2").asString(), c.field("Ctrl_slip_mess").asString()}),
             names);
    QVERIFY(c.field("Ctrl_tx1_rate").asFloat() > 0 && c.field("Ctrl_tx2_rate").asFloat() > 0);
    QVERIFY(c.field("Ctrl_pmt1_type").asBoolean());
    QVERIFY(!c.field("Ctrl_cpn1").asString().isEmpty());
    QVERIFY(c.field("Ctrl_fc_rate").asFloat() > 0);
    QVERIFY(c.field("Ctrl_slip").asBoolean());
    QCOMPARE(c.field("Ctrl_invoice_no").asFloat(), 1000.0);
}

void TestSetup::refusesExistingDatabase()
{
    QTemporaryDir tmp;
    SetupOptions o;
    o.directory = tmp.path();
    o.settingsPath = tmp.filePath(QStringLiteral("settings.ini"));
    o.demo = true;
    QCOMPARE(prepareDataDirectory(o), QString());
    QFile::remove(o.settingsPath);
    {
        const DataDirectoryLock tillRunning(tmp.path());
        QCOMPARE(prepareDataDirectory(o), "Tillano is running on the data directory " + tmp.path()
                                              + "; close it, then run tillano-setup again. Nothing was changed.");
    }
    const QByteArray before = [&] {
        QFile f(QDir(tmp.path()).filePath(QStringLiteral("posdb.sqlite3")));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    const QString failure = prepareDataDirectory(o);
    QVERIFY(failure.contains(QStringLiteral("already exists")));
    QVERIFY(!QFile::exists(o.settingsPath)); // nothing written
    QFile f(QDir(tmp.path()).filePath(QStringLiteral("posdb.sqlite3")));
    f.open(QIODevice::ReadOnly);
    QCOMPARE(f.readAll(), before);

    // Told that the directory is an existing one, it writes the settings
    // for it and leaves the database alone.
    o.existing = true;
    QCOMPARE(prepareDataDirectory(o), QString());
    const SettingsStore store(o.settingsPath);
    QCOMPARE(AppSettings::load(store).data, QFileInfo(tmp.path()).absoluteFilePath());
    QCOMPARE(oposDeviceName(store, QStringLiteral("POSPrinter")), QStringLiteral("ReceiptPrinter"));
    f.seek(0);
    QCOMPARE(f.readAll(), before);
    o.directory = tmp.filePath(QStringLiteral("empty"));
    QVERIFY(prepareDataDirectory(o).contains(QStringLiteral("no database")));
}

void TestSetup::unwritableDirectorySaysWhichPath()
{
    SetupOptions o;
    o.directory = QStringLiteral("/dev/null/tillano");
    o.settingsPath = QStringLiteral("/dev/null/settings.ini");
    const QString failure = prepareDataDirectory(o);
    QVERIFY2(failure.contains(QStringLiteral("/dev/null/tillano")), qPrintable(failure));
}

void TestSetup::upcCheckDigits_data()
{
    QTest::addColumn<qint64>("eleven");
    QTest::addColumn<int>("check");
    QTest::newRow("03600029145") << qint64(3600029145) << 2;
    QTest::newRow("04210000526") << qint64(4210000526) << 4;
    QTest::newRow("zeros") << qint64(0) << 0;
}

void TestSetup::upcCheckDigits()
{
    QFETCH(qint64, eleven);
    QFETCH(int, check);
    QCOMPARE(upcCheckDigit(eleven), check);
}

QTEST_MAIN(TestSetup)
#include "test_setup.moc"
