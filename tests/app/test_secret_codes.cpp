// Secret codes on the running demo shop: the sign-in with a code and a PIN,
// the choice of a new PIN, the wait after wrong tries across a restart, and
// a whole day, after which no PIN is found in clear anywhere.
#include "keyboard.h"
#include "running_shop.h"
#include "sign_in_script.h"
#include "test_files.h"

#include "app/application_shell.h"
#include "common/clock.h"
#include "sale/sale_window.h"
#include "store/sign_in_tables.h"
#include "widgets/db_check_box.h"

#include <QDir>
#include <QtTest>
#include <cstdio>
#include <unistd.h>

namespace {

const QString ManagerPin = QStringLiteral("73915824");
const QString Refusal = QStringLiteral("Wrong code or PIN.");
const QString Wait = QStringLiteral("Wrong code or PIN. Next try in %1 s.");

// A code and a PIN typed at sign-in, then the pairs typed into the
// new-PIN dialog until it takes one (none: it is cancelled).
struct Try {
    QString code, pin;
    QStringList newPins = {};
};

int cancel(QDialog &) { return QDialog::Rejected; }

// Queues the tries for the next sign-in, then Close; `shown` receives the
// wait line of each sign-in dialog and the problem of each new PIN
// refused, in order. A wait is waited out.
void script(ScriptedDialogs &dialogs, const QList<Try> &tries, QStringList &shown)
{
    for (const Try &t : tries) {
        dialogs.onModalOnce(QStringLiteral("TPasswordDlg"), [t, &shown](QDialog &d) {
            auto &dlg = static_cast<TPasswordDlg &>(d);
            shown << dlg.WaitLabel->text();
            if (!dlg.OKBtn->isEnabled()) {
                Clock::setFixed(Clock::now().addSecs(30));
                if (!QTest::qWaitFor([&] { return dlg.OKBtn->isEnabled(); }))
                    return int(QDialog::Rejected);
            }
            return dlg.secretCodes() ? typeCodeAndPin(t.code, t.pin)(d) : typeCashierCode(t.code)(d);
        });
        if (!t.newPins.isEmpty()) // without, the new-PIN dialog is cancelled
            dialogs.onModalOnce(QStringLiteral("NewPinDialog"), [pins = t.newPins, &shown](QDialog &d) mutable {
                for (; d.result() != QDialog::Accepted && pins.size() >= 2; pins = pins.mid(2)) {
                    typeNewPin(pins[0], pins[1])(d);
                    if (d.result() != QDialog::Accepted)
                        shown << static_cast<NewPinDialog &>(d).Problem->text();
                }
                return d.result();
            });
    }
    dialogs.onModalOnce(QStringLiteral("TPasswordDlg"), [&shown](QDialog &d) {
        shown << static_cast<TPasswordDlg &>(d).WaitLabel->text();
        return int(QDialog::Rejected); // Close ends the program
    });
}

// A connection of the test's own to the shop's database.
struct ShopData {
    explicit ShopData(RunningShop &shop) { dm.connectTo(shop.dataDirectory()); }
    Database &db() { return dm.database(); }
    TDataModule2 dm;
};

// Standard error of this process, with the program's log messages, sent
// to a file while it lives.
struct CapturedStderr {
    explicit CapturedStderr(const QString &file) : saved_(::dup(STDERR_FILENO))
    {
        std::fflush(stderr);
        FILE *f = std::fopen(qPrintable(file), "w");
        ::dup2(::fileno(f), STDERR_FILENO);
        std::fclose(f);
        testLog_ = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &text) {
            std::fprintf(stderr, "%s\n", qPrintable(text));
        });
    }
    ~CapturedStderr()
    {
        qInstallMessageHandler(testLog_);
        std::fflush(stderr);
        ::dup2(saved_, STDERR_FILENO);
        ::close(saved_);
    }
    int saved_;
    QtMessageHandler testLog_;
};

}

Q_DECLARE_METATYPE(Try)

class TestSecretCodes : public QObject {
    Q_OBJECT
private slots:
    void init() { Clock::setFixed(QDateTime(QDate(2026, 3, 9), QTime(10, 15))); }
    void signIn_data();
    void signIn();
    void aDayWithSecretCodes();
};

void TestSecretCodes::signIn_data()
{
    QTest::addColumn<QString>("kept"); // cashier 2's PIN: none, "1357", "!1357" given to be replaced, "off": no secret codes
    QTest::addColumn<QList<Try>>("tries");
    QTest::addColumn<int>("cashier");  // signed in, or 0 (the program was closed)
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("pinAfter");
    QTest::addColumn<QString>("afterRestart"); // the wait line when Tillano starts again 1 s later

    const QString codeWait = QStringLiteral("Wrong code. Next try in %1 s.");
    QTest::newRow("right pair") << "1357" << QList<Try>{{"2", "1357"}} << 2 << QStringList{""} << "1357" << "";
    QTest::newRow("wrong PIN, unknown code, no PIN: one wait")
        << "1357" << QList<Try>{{"2", "1358"}, {"77", "1357"}, {"2", ""}, {"78", "0000"}, {"2", "2468"}} << 0
        << QStringList{"", Refusal, Refusal, Wait.arg(1), Wait.arg(2), Wait.arg(4)} << "1357" << Wait.arg(3);
    QTest::newRow("no secret codes: wrong codes") << "off" << QList<Try>(5, Try{"77", "1357"}) << 0
                                                  << QStringList{"", "", "", codeWait.arg(1), codeWait.arg(2), codeWait.arg(4)}
                                                  << "" << codeWait.arg(3);
    QTest::newRow("first sign-in chooses a PIN")
        << "" << QList<Try>{{"2", "", {"482", "482", "4821", "4812", "0002", "0002", "24681357", "24681357"}}} << 2
        << QStringList{"", "A PIN has 4 to 8 digits.", "The two PINs differ.",
                       "The PIN cannot be the cashier code, which is printed on receipts."}
        << "24681357" << "";
    QTest::newRow("first sign-in, choice cancelled") << "" << QList<Try>{{"2", ""}} << 0 << QStringList{"", ""} << ""
                                                     << "";
    QTest::newRow("given PIN replaced") << "!1357" << QList<Try>{{"2", "1357", {"1357", "1357", "8642", "8642"}}}
                                        << 2 << QStringList{"", "Choose a PIN other than the one you were given."}
                                        << "8642" << "";
    QTest::newRow("given PIN, choice cancelled") << "!1357" << QList<Try>{{"2", "1357"}} << 0 << QStringList{"", ""}
                                                 << "!1357" << "";
}

// The sign-in at start-up, with cashier 2's PIN as kept.
void TestSecretCodes::signIn()
{
    QFETCH(QString, kept);
    QFETCH(QList<Try>, tries);
    QFETCH(int, cashier);
    QFETCH(QStringList, shown);
    QFETCH(QString, pinAfter);
    QFETCH(QString, afterRestart);
    DemoShop shop;
    {
        ShopData data(shop);
        SignInTables::setSecretCodesRequired(data.db(), kept != QLatin1String("off"));
        if (kept.contains(u'1'))
            SignInTables::keepSecret(data.db(), 2, PinSecret::forPin(QString(kept).remove(u'!'), kept.startsWith(u'!')));
    }
    QStringList seen;
    script(shop.dialogs, tries, seen);
    ApplicationShell &shell = shop.start(QString());
    QCOMPARE(seen, shown);
    QCOMPARE(shell.mainWindow().ShuttingDown, cashier == 0);
    QCOMPARE(shell.shift().cashierId(), cashier);
    QVERIFY(cashier == 0 || !shell.mainWindow().managerMenuAttached());
    if (!afterRestart.isEmpty()) {
        Clock::setFixed(Clock::now().addSecs(1));
        seen.clear();
        script(shop.dialogs, {}, seen);
        shop.start(QString());
        QCOMPARE(seen, QStringList{afterRestart});
    }

    ShopData data(shop);
    const std::optional<PinSecret> after = SignInTables::secretOf(data.db(), 2);
    QCOMPARE(after.has_value(), !pinAfter.isEmpty());
    QVERIFY(!after || (after->matches(QString(pinAfter).remove(u'!')) && after->mustChange == pinAfter.startsWith(u'!')));
    QCOMPARE(SignInTables::tries(data.db()).wrongInRow, afterRestart.isEmpty() ? 0 : int(tries.size())); // all wrong
}

void TestSecretCodes::aDayWithSecretCodes()
{
    const QString chosenPin = QStringLiteral("82640319");
    DemoShop shop;
    const QString previousDirectory = QDir::currentPath();
    QDir::setCurrent(shop.directory()); // where the export journal is written
    const QString stderrFile = shop.directory() + QStringLiteral("/stderr.txt");
    auto captured = std::make_unique<CapturedStderr>(stderrFile);
    ScriptedDialogs &dialogs = shop.dialogs;
    TForm1 &window = shop.start().mainWindow();
    Database &db = shop.shell().dataModule().database();
    QVERIFY(!SignInTables::secretCodesRequired(db)); // off in the demo shop

    // The manager ticks "Secret codes required" and the export journal;
    // having no PIN yet, they choose one at "Ok" (cancelled once: the
    // window stays).
    dialogs.onModalOnce(QStringLiteral("TForm3"), [](QDialog &d) {
        auto &parameters = static_cast<TForm3 &>(d);
        parameters.SecretCodes->click();
        parameters.ExportTransactions->click();
        for (int ok = 0; ok < 2 && d.isVisible(); ++ok)
            parameters.OKBtn->click();
        return -1;
    });
    dialogs.onModalOnce(QStringLiteral("NewPinDialog"), cancel);
    dialogs.onModalOnce(QStringLiteral("NewPinDialog"), typeNewPin(ManagerPin, ManagerPin));
    shop.clickMenuEntry(window.Parameters1, 0);
    QVERIFY(SignInTables::secretCodesRequired(db));

    // In the cashier editor, F5 gives cashier 2 a PIN to be replaced: the
    // manager's own, which is kept with a salt and a hash of its own.
    QStringList states;
    dialogs.onModalOnce(QStringLiteral("TForm4"), [&](QDialog &d) {
        auto &editor = static_cast<TForm4 &>(d);
        press(Qt::Key_Down);
        states << editor.PinState->text();
        press(Qt::Key_F5);
        states << editor.PinState->text();
        editor.Button1->click();
        return -1;
    });
    dialogs.onModalOnce(QStringLiteral("NewPinDialog"), typeNewPin(ManagerPin, ManagerPin)); // "must change" ticked
    shop.clickMenuEntry(window.Parameters1, 2);
    QCOMPARE(states, (QStringList{"No PIN: chosen at the next sign-in", "PIN given: replaced at the next sign-in"}));
    const PinSecret marie = *SignInTables::secretOf(db, 1), luc = *SignInTables::secretOf(db, 2);
    QVERIFY(marie.matches(ManagerPin) && luc.matches(ManagerPin) && luc.mustChange && !marie.mustChange);
    QVERIFY(marie.salt != luc.salt && marie.hash != luc.hash && !marie.hash.contains(ManagerPin.toUtf8()));
    QCOMPARE(marie.iterations, PinSecret::DefaultIterations);

    // At the change of cashier someone tries the manager's code from a
    // receipt, without the PIN and with a guess; then cashier 2 signs in
    // with the PIN given, chooses one of their own and sells.
    QStringList seen;
    script(dialogs, {{"1", ""}, {"1", "1234"}, {"2", ManagerPin, {chosenPin, chosenPin}}}, seen);
    dialogs.onModal(QStringLiteral("TMoneyCountDlg"), cancel);
    shop.activateMainWindow();
    press(Qt::Key_F12);
    QCOMPARE(seen, (QStringList{"", Refusal, Refusal}));
    QCOMPARE(shop.shell().shift().cashierId(), 2);
    QVERIFY(!window.managerMenuAttached());
    shop.activateMainWindow();
    shop.ring(QStringLiteral("62813100018")); // white bread
    shop.totalPaidExactly();
    QCOMPARE(shop.shell().dataModule().tranmaster.recordCount(), 1);
    shop.activateMainWindow();
    press(Qt::Key_F12); // Close at the sign-in ends the program
    QVERIFY(window.ShuttingDown);
    captured.reset();
    QDir::setCurrent(previousDirectory);

    const QDir data(shop.dataDirectory());
    const QStringList files{data.filePath("posdb.sqlite3"), data.filePath("posdb.sqlite3-wal"),
                            shop.directory() + QStringLiteral("/Exportjrnl"), stderrFile};
    QVERIFY(!fileBytes(files[2]).isEmpty() && !shop.printerOutput().isEmpty());
    for (const QString &pin : {ManagerPin, chosenPin}) {
        QVERIFY(!shop.printerOutput().contains(pin.toUtf8()));
        for (const QString &file : files)
            QVERIFY2(!fileBytes(file, {}).contains(pin.toUtf8()), qPrintable(file));
    }

    // Deleting a cashier deletes their secret.
    ShopData after(shop);
    QVERIFY(SignInTables::secretOf(after.db(), 2)->matches(chosenPin));
    after.dm.cashiertb.open();
    QVERIFY(after.dm.cashiertb.findKey(2));
    after.dm.cashiertb.deleteRecord();
    QVERIFY(!SignInTables::secretOf(after.db(), 2) && SignInTables::secretOf(after.db(), 1));
}

QTEST_MAIN(TestSecretCodes)
#include "test_secret_codes.moc"
