#include "byte_mutations.h"
#include "test_files.h"

#include "common/app_settings.h"
#include "common/settings_store.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestSettingsStore : public QObject {
    Q_OBJECT
private slots:
    void missingFileGivesDefaults();
    void readsValuesWithoutRegardToCase();
    void writeKeepsEverythingElse();
    void writeAddsSectionAndValue();
    void subkeysInFileOrder();
    void deviceNameIsFirstSubkey();
    void flagsCompareUpperCased_data();
    void flagsCompareUpperCased();
    void unwritableFileReportsFailure();
    void pathFromEnvironment();
    void damagedFilesReadAndWrittenSafely();

private:
    QString writeFile(const QString &text);
    QString readFile(const QString &path) const { return QString::fromUtf8(fileBytes(path)); }
    QTemporaryDir dir_;
};

QString TestSettingsStore::writeFile(const QString &text)
{
    static int counter = 0;
    return writeFileBytes(dir_.filePath(QStringLiteral("settings%1.ini").arg(++counter)), text.toUtf8());
}

void TestSettingsStore::missingFileGivesDefaults()
{
    const SettingsStore store(dir_.filePath(QStringLiteral("none.ini")));
    const AppSettings s = AppSettings::load(store);
    QCOMPARE(s.data, QString());
    QCOMPARE(s.language, QStringLiteral("0"));
    QCOMPARE(s.tips, QStringLiteral("Y"));
    QCOMPARE(s.pod, QStringLiteral("N"));
    QCOMPARE(s.paperCut, QStringLiteral("Y"));
    QCOMPARE(s.columns30, QStringLiteral("N"));
    QVERIFY(s.printAtCheckout());
    QCOMPARE(s.paperWidth(), 40);
    QVERIFY(store.subkeys(OposRoot + QStringLiteral("\\POSPrinter")).isEmpty());
    QVERIFY(!QFile::exists(store.path())); // reading writes nothing
}

void TestSettingsStore::readsValuesWithoutRegardToCase()
{
    const SettingsStore store(writeFile(QStringLiteral("[SOFTWARE\\tillano]\r\ndata=/srv/shop\r\nLanguage=1\r\n"
                                                       "this line is not understood\r\nTips=n\r\n")));
    const AppSettings s = AppSettings::load(store);
    QCOMPARE(s.data, QStringLiteral("/srv/shop"));
    QCOMPARE(s.language, QStringLiteral("1"));
    QCOMPARE(s.tips, QStringLiteral("n"));
    QVERIFY(!s.tipsShown());
    QCOMPARE(store.read(QStringLiteral("software\\Other"), QStringLiteral("Data"), QStringLiteral("x")), QStringLiteral("x"));
}

void TestSettingsStore::writeKeepsEverythingElse()
{
    const QString original = QStringLiteral("# kept comment\n"
                                            "[software\\Tillano]\n"
                                            "Data=/srv/shop\n"
                                            "POD=x\n"
                                            "garbage without equals\n"
                                            "\n"
                                            "[software\\OLEforRetail\\ServiceOPOS\\POSPrinter\\Receipt]\n"
                                            "Service=simulated\n");
    const QString path = writeFile(original);
    SettingsStore store(path);
    QVERIFY(store.write(TillanoSection, QStringLiteral("pod"), QStringLiteral("N")));
    QVERIFY(store.write(TillanoSection, QStringLiteral("Tips"), QStringLiteral("N")));
    QCOMPARE(readFile(path), QStringLiteral("# kept comment\n"
                                            "[software\\Tillano]\n"
                                            "Data=/srv/shop\n"
                                            "pod=N\n"
                                            "garbage without equals\n"
                                            "Tips=N\n"
                                            "\n"
                                            "[software\\OLEforRetail\\ServiceOPOS\\POSPrinter\\Receipt]\n"
                                            "Service=simulated\n"));
    QCOMPARE(store.read(TillanoSection, QStringLiteral("POD")), QStringLiteral("N"));
}

void TestSettingsStore::writeAddsSectionAndValue()
{
    const QString path = dir_.filePath(QStringLiteral("sub/dir/new.ini"));
    SettingsStore store(path);
    QVERIFY(store.write(TillanoSection, QStringLiteral("Tips"), QStringLiteral("N")));
    QVERIFY(store.write(PrintingSection, QStringLiteral("PdfDirectory"), QStringLiteral("/tmp/pdf")));
    QCOMPARE(readFile(path), QStringLiteral("[software\\Tillano]\nTips=N\n\n[software\\Tillano\\Printing]\n"
                                            "PdfDirectory=/tmp/pdf\n"));
}

void TestSettingsStore::subkeysInFileOrder()
{
    const SettingsStore store(writeFile(QStringLiteral("[software\\OLEforRetail\\ServiceOPOS\\POSPrinter\\Second]\n"
                                                       "[software\\OLEforRetail\\ServiceOPOS\\CashDrawer\\Drawer]\n"
                                                       "[software\\OLEforRetail\\ServiceOPOS\\POSPrinter\\First]\n"
                                                       "[software\\OLEforRetail\\ServiceOPOS\\POSPrinter\\second\\deeper]\n")));
    QCOMPARE(store.subkeys(OposRoot + QStringLiteral("\\POSPrinter")), (QStringList{"Second", "First"}));
    QCOMPARE(store.subkeys(OposRoot), (QStringList{"POSPrinter", "CashDrawer"}));
    QCOMPARE(store.subkeys(OposRoot + QStringLiteral("\\LineDisplay")), QStringList());
}

void TestSettingsStore::deviceNameIsFirstSubkey()
{
    const SettingsStore store(writeFile(QStringLiteral("[software\\OLEforRetail\\ServiceOPOS\\LineDisplay\\Pole]\n"
                                                       "Service=simulated\nOutput=/tmp/display.txt\n"
                                                       "[software\\OLEforRetail\\ServiceOPOS\\LineDisplay\\Other]\n")));
    QCOMPARE(oposDeviceName(store, QStringLiteral("LineDisplay")), QStringLiteral("Pole"));
    QCOMPARE(oposDeviceName(store, QStringLiteral("POSPrinter")), QString());
    const auto values = store.values(oposDeviceSection(QStringLiteral("LineDisplay"), QStringLiteral("Pole")));
    QCOMPARE(values.value(QStringLiteral("Output")), QStringLiteral("/tmp/display.txt"));
}

void TestSettingsStore::flagsCompareUpperCased_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("yes");
    QTest::newRow("Y") << "Y" << true;
    QTest::newRow("y") << "y" << true;
    QTest::newRow("Yes") << "Yes" << false;
    QTest::newRow("N") << "N" << false;
    QTest::newRow("empty") << "" << false;
}

void TestSettingsStore::flagsCompareUpperCased()
{
    QFETCH(QString, value);
    QFETCH(bool, yes);
    AppSettings s;
    s.columns30 = value;
    s.paperCut = value;
    QCOMPARE(s.columns30Layout(), yes);
    QCOMPARE(s.paperCutOn(), yes);
    s.pod = value == QLatin1String("Y") ? QStringLiteral("n") : QStringLiteral("x");
    QCOMPARE(s.printAtCheckout(), value == QLatin1String("Y")); // "n" prints, "x" does not
}

void TestSettingsStore::unwritableFileReportsFailure()
{
    SettingsStore store(QStringLiteral("/dev/null/tillano/settings.ini"));
    QVERIFY(!store.write(TillanoSection, QStringLiteral("Tips"), QStringLiteral("N")));
}

void TestSettingsStore::pathFromEnvironment()
{
    qputenv("TILLANO_SETTINGS", "/tmp/explicit.ini");
    QCOMPARE(SettingsStore::defaultPath(), QStringLiteral("/tmp/explicit.ini"));
    qunsetenv("TILLANO_SETTINGS");
    qputenv("XDG_CONFIG_HOME", "/tmp/xdg");
    QCOMPARE(SettingsStore::defaultPath(), QStringLiteral("/tmp/xdg/tillano/settings.ini"));
}

// Fuzzing: settings files damaged at random are read without harm, and a
// write into them still keeps every other line and reads back.
void TestSettingsStore::damagedFilesReadAndWrittenSafely()
{
    const QByteArray sound = "[software\\Tillano]\nData=/var/lib/tillano\nLanguage=1\nTips=N\nPOD=N\n\n"
                             "[software\\Tillano\\Printing]\nPdfDirectory=/var/lib/tillano/printed\n\n"
                             "[software\\OLEforRetail\\ServiceOPOS\\POSPrinter\\ReceiptPrinter]\n"
                             "Service=escpos\nPort=/dev/usb/lp0\nRecLinesToPaperCut=4\n\n"
                             "[software\\OLEforRetail\\ServiceOPOS\\CashDrawer\\CashDrawer]\nAutoClose=N\n";
    const quint32 seed = fuzzSeed();
    QRandomGenerator random(seed);
    const QString path = dir_.filePath(QStringLiteral("fuzzed.ini"));
    for (int round = 0; round < 1500; ++round) {
        const QByteArray bytes = mutated(sound, random, 1 + int(random.bounded(8)));
        writeFileBytes(path, bytes);
        const QString failure = QStringLiteral("seed %1, round %2").arg(seed).arg(round);

        SettingsStore store(path);
        AppSettings::load(store);
        for (const char *deviceClass : {"POSPrinter", "CashDrawer", "LineDisplay"}) {
            const QString name = oposDeviceName(store, QLatin1String(deviceClass));
            store.values(oposDeviceSection(QLatin1String(deviceClass), name));
        }
        if (round % 5 != 0)
            continue; // a write waits for the disk: one round in five
        const QStringList before = readFile(path).replace(QLatin1String("\r\n"), QLatin1String("\n")).split('\n');
        const QString probe = QStringLiteral("p%1").arg(round);
        QVERIFY2(store.write(TillanoSection, QStringLiteral("Probe"), probe), qPrintable(failure));
        QVERIFY2(store.read(TillanoSection, QStringLiteral("probe")) == probe, qPrintable(failure));
        QStringList after = readFile(path).split('\n');
        after.removeOne(QStringLiteral("Probe=") + probe);
        for (const QString &line : before)
            QVERIFY2(line.trimmed().isEmpty() || after.contains(line), qPrintable(failure + ": lost " + line));
    }
}

QTEST_APPLESS_MAIN(TestSettingsStore)
#include "test_settings_store.moc"
