// The general parameters worked from the keyboard: the control record and
// the three printing settings, in memory and in the settings file; Cancel
// changes nothing; what cannot be saved is said, naming field or file.
#include "keyboard.h"
#include "scripted_dialogs.h"
#include "test_database.h"
#include "test_files.h"

#include "backoffice/general_parameters_window.h"
#include "common/app_settings.h"
#include "common/language.h"
#include "common/settings_store.h"
#include "widgets/db_edit.h"

#include <QCheckBox>
#include <QPushButton>
#include <QtTest>

class TestGeneralParameters : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void enterWalksTheFieldsInLayoutOrder();
    void settingsBoxes_data();
    void settingsBoxes();
    void cancelChangesNothing();
    void refusedRecordKeepsTheWindowOpen();
    void rateRefusedBeforeLeavingTheField_data();
    void rateRefusedBeforeLeavingTheField();
    void unwritableSettingsFileIsSaid();

private:
    // Shows the window by its menu entry's sequence, `keys` working it.
    void edit(const std::function<void()> &keys);
    QString settingsSection() const;

    QTemporaryDir dir;
    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<SettingsStore> store;
    AppSettings settings;
    std::unique_ptr<TForm3> window;
};

void TestGeneralParameters::init()
{
    db = std::make_unique<TestDatabase>();
    db->setControl("Ctrl_company_name", "Corner Store");
    db->setControl("Ctrl_tx2_rate", 0.07);
    dialogs = std::make_unique<ScriptedDialogs>();
    QFile::remove(dir.filePath("settings.ini"));
    store = std::make_unique<SettingsStore>(dir.filePath("settings.ini"));
    settings = AppSettings();
    window = std::make_unique<TForm3>(db->dm(), settings, *store);
}

void TestGeneralParameters::cleanup()
{
    window.reset();
    dialogs.reset();
    db.reset();
    setLanguageSetting(QStringLiteral("0"));
}

void TestGeneralParameters::edit(const std::function<void()> &keys)
{
    dialogs->onModalOnce("TForm3", [&](QDialog &) {
        keys();
        return -1;
    });
    window->EditParameters();
}

QString TestGeneralParameters::settingsSection() const
{
    return QString::fromUtf8(fileBytes(store->path(), {}));
}

void TestGeneralParameters::enterWalksTheFieldsInLayoutOrder()
{
    QStringList visited;
    edit([&] {
        visited << focusedName();
        for (int i = 0; i < 37; ++i) {
            press(Qt::Key_Return);
            visited << focusedName();
        }
        press(Qt::Key_Up);
        visited << focusedName();
    });
    QStringList order{"Ctrl_terminal_id", "Ctrl_company_name", "Ctrl_company_adr1", "Ctrl_company_adr2",
                      "Ctrl_company_tel"};
    for (int i = 1; i <= 5; ++i)
        order << QStringLiteral("Ctrl_pmt%1").arg(i) << QStringLiteral("Ctrl_pmt%1_type").arg(i);
    order << "Ctrl_cpn1" << "Ctrl_cpn2" << "Ctrl_cpn3" << "Ctrl_tx1" << "Ctrl_tx1_rate" << "Ctrl_tx2"
          << "Ctrl_tx2_rate" << "Ctrl_tx2_txontx" << "Ctrl_tx3" << "Ctrl_tx3_rate" << "Ctrl_tx3_txontx"
          << "Ctrl_invoice" << "Ctrl_slip" << "Ctrl_fc_rate" << "Ctrl_export" << "Ctrl_invoice_no"
          << "Ctrl_eod_cashier" << "Ctrl_eod_fin" << "Ctrl_eod_product" << "Ctrl_slip_mess" << "Ctrl_slip_mess2"
          << "Ctrl_slip_mess3";
    QCOMPARE(visited, order + QStringList({"Ctrl_terminal_id", "Ctrl_slip_mess3"}));
}

void TestGeneralParameters::settingsBoxes_data()
{
    QTest::addColumn<QStringList>("stored"); // POD, PaperCut, Columns30; empty: none stored
    QTest::addColumn<QString>("shown");      // ticks as "x" and "-"
    QTest::addColumn<QString>("toggled");    // boxes the user ticks or clears
    QTest::addColumn<QString>("section");    // the file's section afterwards

    QTest::newRow("none stored: the defaults")
        << QStringList() << "-x-" << "---" << "[software\\Tillano]\nPOD=N\nPaperCut=Y\nColumns30=N\n";
    QTest::newRow("POD stored as x shows empty and stores N")
        << QStringList{"x", "y", "n"} << "-x-" << "---" << "[software\\Tillano]\nPOD=N\nPaperCut=Y\nColumns30=N\n";
    QTest::newRow("all three changed") << QStringList{"Y", "N", "N"} << "x--" << "xxx"
                                       << "[software\\Tillano]\nPOD=N\nPaperCut=Y\nColumns30=Y\n";
}

void TestGeneralParameters::settingsBoxes()
{
    QFETCH(QStringList, stored);
    QFETCH(QString, shown);
    QFETCH(QString, toggled);
    QFETCH(QString, section);
    const QStringList names{"POD", "PaperCut", "Columns30"};
    for (int i = 0; i < stored.size(); ++i)
        store->write(TillanoSection, names[i], stored[i]);
    settings = AppSettings::load(*store);
    const QList<QCheckBox *> boxes{window->PrintOnDemand, window->PaperCut, window->Columns30};
    QString ticks;
    edit([&] {
        for (QCheckBox *box : boxes)
            ticks += box->isChecked() ? QLatin1Char('x') : QLatin1Char('-');
        press(Qt::Key_Up); // the last field, then Tab to the boxes
        for (int i = 0; i < 3; ++i) {
            press(Qt::Key_Tab);
            if (toggled[i] == QLatin1Char('x'))
                press(Qt::Key_Space);
        }
        press(Qt::Key_Tab);
        QCOMPARE(focusedName(), QString()); // Ok has no name; Enter presses it
        QCOMPARE(QApplication::focusWidget(), window->OKBtn);
        press(Qt::Key_Return);
    });
    QCOMPARE(ticks, shown);
    QCOMPARE(settingsSection(), section);
    const QString inMemory =
        QStringLiteral("[software\\Tillano]\nPOD=%1\nPaperCut=%2\nColumns30=%3\n")
            .arg(settings.pod, settings.paperCut, settings.columns30);
    QCOMPARE(inMemory, section);
}

void TestGeneralParameters::cancelChangesNothing()
{
    edit([&] {
        enterUntil("Ctrl_company_name");
        type("Other Store");
        enterUntil("Ctrl_tx2_rate");
        type("0.09");
        press(Qt::Key_Return);
        QTest::mouseClick(window->PrintOnDemand, Qt::LeftButton);
        press(Qt::Key_Escape);
    });
    Table &control = db->dm().Control;
    QCOMPARE(control.state(), TableState::Browse);
    control.refresh();
    QCOMPARE(control.field("Ctrl_company_name").asString(), QStringLiteral("Corner Store"));
    QCOMPARE(control.field("Ctrl_tx2_rate").asFloat(), 0.07);
    QCOMPARE(settings.pod, QStringLiteral("N"));
    QCOMPARE(settingsSection(), QString());
}

void TestGeneralParameters::refusedRecordKeepsTheWindowOpen()
{
    bool stayedOpen = false;
    edit([&] {
        QTest::mouseClick(window->PrintOnDemand, Qt::LeftButton);
        enterUntil("Ctrl_invoice_no");
        type("1e5e");
        QTest::mouseClick(window->OKBtn, Qt::LeftButton);
        stayedOpen = window->isVisible();
        QCOMPARE(db->dm().Control.state(), TableState::Edit);
        QCOMPARE(settings.pod, QStringLiteral("N"));
        QCOMPARE(focusedName(), QStringLiteral("Ctrl_invoice_no"));
        window->NextInvoiceNumber->selectAll();
        type("1000");
        QTest::mouseClick(window->OKBtn, Qt::LeftButton);
    });
    QVERIFY(stayedOpen);
    QCOMPARE(dialogs->messages(),
             QStringList{"Next invoice number: '1e5e' is not a valid number\n\nThe general parameters were not saved."});
    db->dm().Control.refresh();
    QCOMPARE(db->dm().Control.field("Ctrl_invoice_no").asFloat(), 1000.0);
    QCOMPARE(settings.pod, QStringLiteral("Y"));
}

void TestGeneralParameters::rateRefusedBeforeLeavingTheField_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("tax");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("not a number") << "0" << 2 << "0.0.8" << "Tax Rates 2: '0.0.8' is not a valid number";
    QTest::newRow("5 for 5 %") << "0" << 1 << "5" << "Tax Rates 1: 5 would be 500 %. Write 0.05 for 5 %.";
    QTest::newRow("9.975 for 9.975 %")
        << "0" << 2 << "9.975" << "Tax Rates 2: 9.975 would be 997.5 %. Write 0.09975 for 9.975 %.";
    QTest::newRow("1 is 100 %") << "0" << 3 << "1" << "Tax Rates 3: 1 would be 100 %. Write 0.01 for 1 %.";
    QTest::newRow("French") << "1" << 1 << "5" << "Taux taxe 1: 5 serait 500 %. Écrivez 0.05 pour 5 %.";
}

void TestGeneralParameters::rateRefusedBeforeLeavingTheField()
{
    QFETCH(QString, language);
    QFETCH(int, tax);
    QFETCH(QString, typed);
    QFETCH(QString, refusal);
    setLanguageSetting(language);
    if (language == QLatin1String("1"))
        window->applyFrenchCaptions();
    const QString field = QStringLiteral("Ctrl_tx%1_rate").arg(tax);
    QStringList focus;
    edit([&] {
        enterUntil(field);
        window->TaxRates[tax - 1]->selectAll();
        type("x%");
        type(typed);
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Down, Qt::Key_Up, Qt::Key_Tab}) {
            press(key);
            focus << focusedName();
        }
        window->TaxRates[tax - 1]->selectAll();
        type("0.999");
        press(Qt::Key_Return);
        focus << focusedName();
        QTest::mouseClick(window->OKBtn, Qt::LeftButton);
    });
    QCOMPARE(dialogs->beeps(), 2);
    QCOMPARE(dialogs->messages(), QStringList(4, refusal));
    QCOMPARE(focus.mid(0, 4), QStringList(4, field));
    QVERIFY(focus[4] != field);
    db->dm().Control.refresh();
    QCOMPARE(db->dm().Control.field(field).asFloat(), 0.999); // a fraction of one is taken
}

void TestGeneralParameters::unwritableSettingsFileIsSaid()
{
    writeFileBytes(dir.filePath("not-a-directory"), {});
    SettingsStore unwritable(dir.filePath("not-a-directory/settings.ini"));
    TForm3 w(db->dm(), settings, unwritable);
    dialogs->onModalOnce("TForm3", [&](QDialog &) {
        enterUntil("Ctrl_company_name");
        type("New Name");
        QTest::mouseClick(w.Columns30, Qt::LeftButton);
        QTest::mouseClick(w.OKBtn, Qt::LeftButton);
        return -1;
    });
    w.EditParameters();
    QCOMPARE(dialogs->messages().size(), 1);
    const QString said = dialogs->messages().first();
    QVERIFY2(said.startsWith("The settings file " + unwritable.path() + " could not be written: ") && said.size() > 80,
             qPrintable(said));
    QVERIFY2(said.endsWith("\n\nThe printing settings apply until Tillano is closed."), qPrintable(said));
    QCOMPARE(settings.columns30, QStringLiteral("Y")); // in force until the program ends
    db->dm().Control.refresh();
    QCOMPARE(db->dm().Control.field("Ctrl_company_name").asString(), QStringLiteral("New Name"));
}

QTEST_MAIN(TestGeneralParameters)
#include "test_general_parameters.moc"
