// The sale window's key map: the navigation table cell by cell, the
// function keys and their guards, and the menu bar.
#include "sale_window_fixture.h"

#include "common/language.h"
#include "sale/lookup_window.h"
#include "store/store_error.h"
#include "widgets/db_edit.h"
#include "widgets/db_grid.h"
#include "widgets/db_text.h"

#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

class TestSaleWindowKeys : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void navigation_data();
    void navigation();
    void tabNeverLeavesTheFieldsOrder();
    void enteringTheUpcField_data();
    void enteringTheUpcField();
    void guards_data();
    void guards();
    void guardsInFrench();
    void guardedOperationsRunBetweenTransactions();
    void totalRunsCheckoutOnlyDuringATransaction();
    void inOutDuringATransactionOnlyRefocuses();
    void cashierEditorSignsInAgainWhenCashierGone();
    void productEditorHasTheTableClosed();
    void menuBarFollowsTheCashier();
    void frenchCaptions();
    void trainingLabel();
    void modeIndicator_data();
    void modeIndicator();

private:
    void reach(const QString &place);
    std::unique_ptr<SaleWindowFixture> f;
};

void TestSaleWindowKeys::init()
{
    f = std::make_unique<SaleWindowFixture>();
}

void TestSaleWindowKeys::cleanup()
{
    f.reset();
    setLanguageSetting(QStringLiteral("0"));
}

// Puts the focus in one place of the window, with code 1001 typed in the
// UPC field and, from the quantity field on, found.
void TestSaleWindowKeys::reach(const QString &place)
{
    f->type(QStringLiteral("1001"));
    if (place == QLatin1String("DBEdit1"))
        return;
    f->press(Qt::Key_Return);
    if (place == QLatin1String("DBEdit2")) {
        QTest::mouseClick(f->form().DBEdit2, Qt::LeftButton);
    } else if (place == QLatin1String("DBGrid1")) {
        f->clickGridRow(0);
    } else {
        for (const char *field : {"DBEdit3", "DBEdit4", "DBEdit5"}) {
            if (place == QLatin1String(field))
                break;
            f->press(Qt::Key_Return);
        }
    }
    QCOMPARE(f->focusedName(), place);
}

void TestSaleWindowKeys::navigation_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("to");
    QTest::addColumn<bool>("priced"); // the line got its total

    const QString upc = QStringLiteral("DBEdit1"), desc = QStringLiteral("DBEdit2"), qty = QStringLiteral("DBEdit3"),
                  dsc = QStringLiteral("DBEdit4"), price = QStringLiteral("DBEdit5"), grid = QStringLiteral("DBGrid1");
    struct Cell {
        const char *name;
        QString from;
        int key;
        QString to;
        bool priced;
    };
    const Cell cells[] = {
        {"UPC Enter processes the code", upc, Qt::Key_Return, qty, false},
        {"UPC keypad Enter processes the code", upc, Qt::Key_Enter, qty, false},
        {"UPC Tab as Enter", upc, Qt::Key_Tab, qty, false},
        {"UPC Down nothing", upc, Qt::Key_Down, upc, false},
        {"UPC Up nothing", upc, Qt::Key_Up, upc, false},
        {"quantity Enter to discount", qty, Qt::Key_Return, dsc, false},
        {"quantity Tab to discount", qty, Qt::Key_Tab, dsc, false},
        {"quantity Down nothing", qty, Qt::Key_Down, qty, false},
        {"quantity Up to UPC", qty, Qt::Key_Up, upc, false},
        {"discount Enter to price", dsc, Qt::Key_Return, price, false},
        {"discount Tab to price", dsc, Qt::Key_Tab, price, false},
        {"discount Down to price", dsc, Qt::Key_Down, price, false},
        {"discount Up to quantity", dsc, Qt::Key_Up, qty, false},
        {"price Enter prices", price, Qt::Key_Return, upc, true},
        {"price Tab prices", price, Qt::Key_Tab, upc, true},
        {"price Shift+Tab prices too", price, Qt::Key_Backtab, upc, true},
        {"price Down nothing", price, Qt::Key_Down, price, false},
        {"price Up to discount", price, Qt::Key_Up, dsc, false},
        {"description Enter to quantity", desc, Qt::Key_Return, qty, false},
        {"description Tab nothing", desc, Qt::Key_Tab, desc, false},
        {"description Down to quantity", desc, Qt::Key_Down, qty, false},
        {"description Up to UPC", desc, Qt::Key_Up, upc, false},
        {"grid Enter to UPC", grid, Qt::Key_Return, upc, false},
        {"grid Tab stays in the grid", grid, Qt::Key_Tab, grid, false},
        {"grid Down to UPC", grid, Qt::Key_Down, upc, false},
        {"grid Up to unit price", grid, Qt::Key_Up, price, false},
    };
    for (const Cell &c : cells)
        QTest::newRow(c.name) << c.from << c.key << c.to << c.priced;
}

void TestSaleWindowKeys::navigation()
{
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(QString, to);
    QFETCH(bool, priced);
    reach(from);
    f->press(Qt::Key(key));
    QCOMPARE(f->focusedName(), to);
    const QList<double> totals = f->lineValues("Trx_total");
    QCOMPARE(totals.first() != 0, priced);
    // Pricing leaves the next entry line behind the priced one.
    QCOMPARE(f->lineCount(), priced ? 2 : 1);
    QVERIFY(f->dialogs.messages().isEmpty());
}

void TestSaleWindowKeys::tabNeverLeavesTheFieldsOrder()
{
    // Tab through a whole line, then Tab again: the fields in order, never
    // the grid, the description or a button.
    QStringList visited;
    f->type(QStringLiteral("1002"));
    for (int i = 0; i < 5; ++i) {
        f->press(Qt::Key_Tab);
        visited << f->focusedName();
    }
    QCOMPARE(visited, (QStringList{"DBEdit3", "DBEdit4", "DBEdit5", "DBEdit1", "DBEdit1"}));
    QCOMPARE(f->dialogs.messages(), QStringList{"Item does not exist"}); // the last Tab on an empty code
}

void TestSaleWindowKeys::enteringTheUpcField_data()
{
    QTest::addColumn<int>("reason");
    QTest::addColumn<bool>("entering");
    QTest::newRow("mouse click") << int(Qt::MouseFocusReason) << true;
    QTest::newRow("tab") << int(Qt::TabFocusReason) << true;
    QTest::newRow("a dialog closing") << int(Qt::ActiveWindowFocusReason) << false;
    QTest::newRow("a menu closing") << int(Qt::PopupFocusReason) << false;
}

void TestSaleWindowKeys::enteringTheUpcField()
{
    // The bag (regular price 0) found and left as it is is a finished
    // line: entering the UPC field adds the next entry line after it.
    QFETCH(int, reason);
    QFETCH(bool, entering);
    f->type(QStringLiteral("1004"));
    f->press(Qt::Key_Return);
    QCOMPARE(f->focusedName(), QStringLiteral("DBEdit3"));
    QFocusEvent focusIn(QEvent::FocusIn, Qt::FocusReason(reason));
    QApplication::sendEvent(f->form().DBEdit1, &focusIn);
    QCOMPARE(f->lineCount(), entering ? 2 : 1);
    QApplication::sendEvent(f->form().DBEdit1, &focusIn); // already there: nothing more
    QCOMPARE(f->lineCount(), entering ? 2 : 1);
}

void TestSaleWindowKeys::guards_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("message"); // when a line has been priced

    QTest::newRow("F7 End of Day") << int(Qt::Key_F7) << "Operation can not be done durring a transaction";
    QTest::newRow("F8 Receiving") << int(Qt::Key_F8) << "Operation can not be done durring a transaction";
    QTest::newRow("F11 Re-Print") << int(Qt::Key_F11) << "Operation can not be done durring a transaction";
    QTest::newRow("F4 Void trans") << int(Qt::Key_F4) << QString();
    QTest::newRow("F12 In/Out") << int(Qt::Key_F12) << QString();
}

void TestSaleWindowKeys::guards()
{
    QFETCH(int, key);
    QFETCH(QString, message);
    int hookRuns = 0;
    auto count = [&hookRuns] { ++hookRuns; };
    f->form().hooks.endOfDay = count;
    f->form().hooks.rePrint = count;
    f->form().hooks.signOutAndIn = count;

    f->ring(QStringLiteral("1002"));
    f->type(QStringLiteral("1001"));
    f->press(Qt::Key_Return); // focus in the quantity field
    f->press(Qt::Key(key));
    QCOMPARE(f->dialogs.messages(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(hookRuns, 0);
    QVERIFY(!f->form().modes.receiving);
    QVERIFY(!f->form().modes.returnMode);
    QCOMPARE(f->focusedName(), key == Qt::Key_F7 ? QStringLiteral("DBEdit3") : QStringLiteral("DBEdit1"));
}

void TestSaleWindowKeys::guardsInFrench()
{
    setLanguageSetting(QStringLiteral("1"));
    f->press(Qt::Key_F2);
    f->ring(QStringLiteral("1002"));
    f->press(Qt::Key_F8);
    f->form().Zeroperiodtotals1->trigger();
    f->form().Createeditcashiers1->trigger();
    QCOMPARE(f->dialogs.messages(),
             (QStringList{"Cette opération peut seulement être fait durant une transaction",
                          "Cette opération ne peut pas être fait durant une transaction",
                          "Cette opération ne peut pas être fait durant une transaction",
                          "Cette opération ne peut pas être fait durant une transaction"}));
}

void TestSaleWindowKeys::guardedOperationsRunBetweenTransactions()
{
    // With only the entry line the guarded entries run their work; with a
    // priced line each shows its own text and runs nothing.
    QStringList ran;
    TForm1 &w = f->form();
    auto note = [&ran](const char *what) { return [&ran, what] { ran << QLatin1String(what); }; };
    w.hooks.endOfDay = note("end of day");
    w.hooks.printCashierReport = note("cashier report");
    w.hooks.printStockLevels = note("stock levels");
    w.hooks.zeroPeriodTotals = note("zero period");
    w.hooks.importProducts = note("import");
    w.hooks.purgeSalesRegister = note("purge");
    w.hooks.editGeneralParameters = note("parameters");

    const QList<QAction *> entries{w.PrintCashierreport1, w.Printstockcount1, w.Zeroperiodtotals1,
                                   w.Importproducts1, w.Purgeperiodtodatesalesregister1,
                                   w.Editgeneralparameters1};
    f->press(Qt::Key_F7);
    for (QAction *a : entries)
        a->trigger();
    QCOMPARE(ran, (QStringList{"end of day", "cashier report", "stock levels", "zero period", "import", "purge",
                               "parameters"}));
    QVERIFY(f->dialogs.messages().isEmpty());

    ran.clear();
    f->ring(QStringLiteral("1002"));
    for (QAction *a : entries)
        a->trigger();
    QCOMPARE(ran, (QStringList{"purge", "parameters"})); // not guarded
    const QString refusal = QStringLiteral("This operation can not be done durring a transaction");
    QCOMPARE(f->dialogs.messages(), (QStringList{refusal, refusal, refusal, refusal}));
    w.Createeditcashiers1->trigger();
    QCOMPARE(f->dialogs.messages().last(), QStringLiteral("This operation can not be done during a transaction"));
}

void TestSaleWindowKeys::totalRunsCheckoutOnlyDuringATransaction()
{
    int checkouts = 0;
    f->form().hooks.checkout = [&checkouts] { ++checkouts; };
    f->type(QStringLiteral("1002"));
    f->press(Qt::Key_Return);
    f->press(Qt::Key_F2); // a line found but not priced is not a transaction yet
    QCOMPARE(f->dialogs.messages(), QStringList{"Operation can only be done durring a transaction"});
    QCOMPARE(f->focusedName(), QStringLiteral("DBEdit1"));
    QCOMPARE(checkouts, 0);

    f->press(Qt::Key_Return);
    f->press(Qt::Key_Return);
    f->press(Qt::Key_Return);
    f->press(Qt::Key_Return); // priced
    f->press(Qt::Key_F2);
    QCOMPARE(checkouts, 1);
    QCOMPARE(f->dialogs.messages().size(), 1);
}

void TestSaleWindowKeys::inOutDuringATransactionOnlyRefocuses()
{
    int signIns = 0;
    f->form().hooks.signOutAndIn = [&signIns, this] {
        ++signIns;
        QVERIFY(!f->form().ShuttingDown);
    };
    f->form().ShuttingDown = true;
    f->press(Qt::Key_F12);
    QCOMPARE(signIns, 1);

    f->ring(QStringLiteral("1002"));
    f->type(QStringLiteral("1001"));
    f->press(Qt::Key_Return);
    f->press(Qt::Key_F12);
    QCOMPARE(signIns, 1);
    QCOMPARE(f->focusedName(), QStringLiteral("DBEdit1"));
    QVERIFY(f->dialogs.log.isEmpty());
}

void TestSaleWindowKeys::cashierEditorSignsInAgainWhenCashierGone()
{
    TForm1 &w = f->form();
    int signIns = 0;
    bool closedDuringEditor = false;
    w.hooks.signOutAndIn = [&signIns] { ++signIns; };
    w.hooks.findSignedInCashier = [this] { return f->dm().cashiertb.findKey(7); };
    w.hooks.editCashiers = [&] { closedDuringEditor = !f->dm().cashiertb.active(); };
    w.Createeditcashiers1->trigger();
    QVERIFY(closedDuringEditor);
    QVERIFY(f->dm().cashiertb.active());
    QCOMPARE(f->dm().cashiertb.field("Cashier_id").asInteger(), 7);
    QCOMPARE(signIns, 0);

    w.hooks.editCashiers = [this] {
        Table &c = f->dm().cashiertb;
        c.open();
        QVERIFY(c.findKey(7));
        c.deleteRecord();
        c.close();
    };
    w.Createeditcashiers1->trigger();
    QCOMPARE(signIns, 1);
}

void TestSaleWindowKeys::productEditorHasTheTableClosed()
{
    TForm1 &w = f->form();
    bool closed = false;
    w.hooks.editProducts = [&] { closed = !f->dm().producttb.active(); };
    w.Createeditproducts1->trigger();
    QVERIFY(closed);
    QVERIFY(f->dm().producttb.active());

    w.hooks.editDepartments = [&] { throw StoreError(QStringLiteral("editor failed")); };
    QVERIFY_THROWS_EXCEPTION(StoreError, w.CreateEditDepartments1Click());
    QVERIFY(f->dm().DeptTb.active()); // reopened all the same
}

void TestSaleWindowKeys::menuBarFollowsTheCashier()
{
    TForm1 &w = f->form();
    QVERIFY(w.managerMenuAttached());
    QVERIFY(w.MainMenu1->isVisible());
    auto top = [&w] { return w.DateText->mapTo(&w, QPoint(0, 0)).y(); };
    const int belowMenu = top();
    w.setManagerMenu(false);
    QVERIFY(!w.managerMenuAttached());
    QVERIFY(!w.MainMenu1->isVisible());
    f->settle();
    QVERIFY(top() < belowMenu); // the menu bar's room is given back
    w.setManagerMenu(true);
    QVERIFY(w.MainMenu1->isVisible());
    QCOMPARE(w.MainMenu1->actions().size(), 4);
}

void TestSaleWindowKeys::frenchCaptions()
{
    TForm1 &w = f->form();
    w.applyFrenchCaptions();
    QCOMPARE(w.BitBtn10->text(), QStringLiteral("F9 Recherche"));
    QCOMPARE(w.BitBtn2->text(), QStringLiteral("Annuler <F3>"));
    QCOMPARE(w.BitBtn1->text(), QStringLiteral("Total <F2>"));
    QCOMPARE(w.DiscountCaption->text(), QStringLiteral("% Escompte"));
    QCOMPARE(w.Parameters1->title(), QStringLiteral("Paramêtres"));
    QCOMPARE(w.Createeditproducts1->text(), QStringLiteral("Créer/modifier produuits"));
    QCOMPARE(w.Importproducts1->text(), QStringLiteral("Import products"));
    QCOMPARE(w.DBGrid1->model()->headerData(4, Qt::Horizontal).toString(), QStringLiteral("$Esc"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Tillano"));
    QCOMPARE(w.lookupWindow().windowTitle(), QStringLiteral("Recherche"));
}

void TestSaleWindowKeys::trainingLabel()
{
    TForm1 &w = f->form();
    QVERIFY(!w.TrainLabel->isVisible());
    w.setTrainingMode(true);
    QVERIFY(w.TrainLabel->isVisible());
    QCOMPARE(w.TrainLabel->text(), QStringLiteral("Training Mode"));
    w.setTrainingMode(false);
    QVERIFY(!w.TrainLabel->isVisible());
}

void TestSaleWindowKeys::modeIndicator_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("steps"); // function keys, or "ring" for one item rung
    QTest::addColumn<QString>("shown");     // empty: the indicator is hidden
    QTest::newRow("return") << "0" << QStringList{"F4"} << "RETURN";
    QTest::newRow("void item") << "0" << QStringList{"F5"} << "VOID ITEM";
    QTest::newRow("receiving") << "0" << QStringList{"F8"} << "RECEIVING";
    QTest::newRow("return and void item") << "0" << QStringList{"F4", "ring", "F5"} << "RETURN / VOID ITEM";
    QTest::newRow("void item ends with its line") << "0" << QStringList{"F5", "ring"} << "";
    QTest::newRow("return lasts the transaction") << "0" << QStringList{"F4", "ring", "ring"} << "RETURN";
    QTest::newRow("Cancel ends every mode") << "0" << QStringList{"F8", "F5", "F3"} << "";
    QTest::newRow("retour") << "1" << QStringList{"F4"} << "RETOUR";
    QTest::newRow("annuler article") << "2" << QStringList{"F5"} << "ANNULER ARTICLE";
    QTest::newRow("réception") << "1" << QStringList{"F8"} << "RÉCEPTION";
}

void TestSaleWindowKeys::modeIndicator()
{
    QFETCH(QString, language);
    QFETCH(QStringList, steps);
    QFETCH(QString, shown);
    setLanguageSetting(language);
    for (const QString &step : steps) {
        if (step == "ring")
            f->ring(QStringLiteral("1002"));
        else
            f->press(Qt::Key(Qt::Key_F1 + step.mid(1).toInt() - 1));
    }
    QLabel *indicator = f->form().ModeLabel;
    QCOMPARE(indicator->isVisible(), !shown.isEmpty());
    if (!shown.isEmpty())
        QCOMPARE(indicator->text(), shown);
}

QTEST_MAIN(TestSaleWindowKeys)
#include "test_sale_window_keys.moc"
