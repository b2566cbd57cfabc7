// The cashier, product and department editors worked from the keyboard,
// as their menu entries show them: the fields open only while a record is
// inserted or edited, Enter walks the focus stops, the close checks keep
// the window open, and F9 finds a product for the product editor.
#include "keyboard.h"
#include "on_screen.h"
#include "scripted_dialogs.h"
#include "test_database.h"

#include "backoffice/cashier_editor.h"
#include "backoffice/department_editor.h"
#include "backoffice/product_editor.h"
#include "common/language.h"
#include "sale/lookup_window.h"
#include "widgets/db_check_box.h"
#include "widgets/db_edit.h"

#include <QPushButton>
#include <QtTest>

class TestMasterDataEditors : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void cashierCodeOpenOnlyForANewCashier();
    void enterWalksTheFocusStops_data();
    void enterWalksTheFocusStops();
    void closeChecks_data();
    void closeChecks();
    void closingWritesTheRecordLeftInEdit();
    void productPriceWithinWhatASaleRings();
    void deleteAsksFirst_data();
    void deleteAsksFirst();
    void findProductPutsTheEditorOnIt_data();
    void findProductPutsTheEditorOnIt();

private:
    MasterDataEditor &editor(const QString &which);
    // Shows an editor as its menu entry does, the table closed before and
    // opened after; `keys` works it while it is shown.
    void visit(MasterDataEditor &editor, const std::function<void()> &keys);
    QStringList cashierRows();
    // The entry fields whose repaints, once done, left them unlike a whole
    // repaint; the focused one is left out, its caret blinking.
    QStringList staleFields(QWidget &window);

    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<TForm4> cashiers;
    std::unique_ptr<TForm5> products;
    std::unique_ptr<TForm18> departments;
};

void TestMasterDataEditors::init()
{
    db = std::make_unique<TestDatabase>();
    dialogs = std::make_unique<ScriptedDialogs>();
    cashiers = std::make_unique<TForm4>(db->dm());
    products = std::make_unique<TForm5>(db->dm());
    departments = std::make_unique<TForm18>(db->dm());
}

void TestMasterDataEditors::cleanup()
{
    cashiers.reset();
    products.reset();
    departments.reset();
    dialogs.reset();
    db.reset();
    setLanguageSetting(QStringLiteral("0"));
}

MasterDataEditor &TestMasterDataEditors::editor(const QString &which)
{
    if (which == QLatin1String("cashier"))
        return *cashiers;
    if (which == QLatin1String("product"))
        return *products;
    return *departments;
}

void TestMasterDataEditors::visit(MasterDataEditor &editor, const std::function<void()> &keys)
{
    editor.table().close();
    dialogs->onModalOnce(QLatin1String(editor.metaObject()->className()), [&](QDialog &) {
        keys();
        return -1;
    });
    dialogs->exec(editor);
    editor.table().open();
}

QStringList TestMasterDataEditors::staleFields(QWidget &window)
{
    QCoreApplication::processEvents();
    QStringList stale;
    for (DBEdit *field : window.findChildren<DBEdit *>()) {
        const QImage shown = onScreen(*field);
        if (!field->hasFocus() && shown != repaintedWhole(*field))
            stale << field->objectName();
    }
    return stale;
}

QStringList TestMasterDataEditors::cashierRows()
{
    QStringList rows;
    Table &t = db->dm().cashiertb;
    for (t.first(); !t.eof(); t.next())
        rows << QStringLiteral("%1 %2 manager=%3 training=%4")
                    .arg(t.field("Cashier_id").asInteger())
                    .arg(t.field("Cashier_name").asString())
                    .arg(t.field("Cashier_type").asBoolean())
                    .arg(t.field("Cashier_train").asBoolean());
    return rows;
}

void TestMasterDataEditors::cashierCodeOpenOnlyForANewCashier()
{
    db->addCashier(1, "Manager", true);
    TForm4 &w = *cashiers;
    const QList<QWidget *> fields{w.DBEdit1, w.DBEdit2, w.DBCheckBox1, w.DBCheckBox2};
    auto enabled = [&] {
        QString states;
        for (QWidget *f : fields)
            states += f->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        return states;
    };
    visit(w, [&] {
        QCOMPARE(w.DBEdit2->text(), QStringLiteral("Manager"));
        QCOMPARE(enabled(), QStringLiteral("0000"));
        press(Qt::Key_F2);
        QCOMPARE(enabled(), QStringLiteral("0111"));
        QCOMPARE(focusedName(), QStringLiteral("DBEdit2"));
        press(Qt::Key_F3);
        QCOMPARE(enabled(), QStringLiteral("0000"));

        press(Qt::Key_Insert);
        QCOMPARE(enabled(), QStringLiteral("1111"));
        QCOMPARE(focusedName(), QStringLiteral("DBEdit1"));
        QVERIFY(w.DBCheckBox1->isChecked()); // a new cashier is a manager until told otherwise
        QVERIFY(!w.DBCheckBox2->isChecked());
        type("5");
        press(Qt::Key_Return);
        type("Ann Smith");
        press(Qt::Key_Return);
        QCOMPARE(focusedName(), QStringLiteral("DBCheckBox1"));
        press(Qt::Key_Space);
        press(Qt::Key_F10);
        QCOMPARE(enabled(), QStringLiteral("0000"));

        // A code already taken: the table's message, the record still in insert.
        press(Qt::Key_Insert);
        type("1");
        press(Qt::Key_F10);
        QCOMPARE(w.table().state(), TableState::Insert);
        QCOMPARE(enabled(), QStringLiteral("1111"));
        press(Qt::Key_F3);
        press(Qt::Key_Space); // on Close
        QVERIFY(!w.isVisible());
    });
    QCOMPARE(cashierRows(), (QStringList{"1 Manager manager=1 training=0", "5 Ann Smith manager=0 training=0"}));
    QCOMPARE(dialogs->messages().size(), 1);
    QVERIFY2(dialogs->messages().first().contains("already exists"), qPrintable(dialogs->messages().first()));
}

void TestMasterDataEditors::enterWalksTheFocusStops_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QStringList>("stops"); // the first field from the insert on, then Enter after Enter
    QTest::newRow("cashier: the code only from the insert")
        << "cashier" << QStringList{"DBEdit1", "DBEdit2", "DBCheckBox1", "DBCheckBox2", "DBEdit2"};
    QTest::newRow("product: past the tax boxes")
        << "product"
        << QStringList{"DBEdit1", "DBEdit2", "DBEdit3", "DBEdit4", "DBEdit5", "DBEdit6", "DBEdit7",
                       "DBEdit8", "DBEdit9", "DBLookupComboBox1", "DBEdit10", "DBEdit1"};
    QTest::newRow("department: entry fields only")
        << "department" << QStringList{"DBEdit1", "DBEdit2", "DBEdit10", "DBEdit1"};
}

void TestMasterDataEditors::enterWalksTheFocusStops()
{
    QFETCH(QString, which);
    QFETCH(QStringList, stops);
    MasterDataEditor &w = editor(which);
    QStringList visited;
    visit(w, [&] {
        press(Qt::Key_Insert);
        visited << focusedName();
        for (int i = 1; i < stops.size(); ++i) {
            press(Qt::Key_Return);
            visited << focusedName();
        }
        press(Qt::Key_Up);
        visited << focusedName();
        press(Qt::Key_F3);
    });
    QCOMPARE(visited, stops + QStringList{stops[stops.size() - 2]});
}

void TestMasterDataEditors::closeChecks_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("records"); // "none", "cashier", "manager", "one"
    QTest::addColumn<bool>("closeBox");   // the title bar's close box rather than "Close"
    QTest::addColumn<QString>("refusal"); // empty: the window closes

    QTest::newRow("no cashier") << "cashier" << "0" << "none" << false << "There must be at least one cashier";
    QTest::newRow("no cashier, French") << "cashier" << "1" << "none" << false << "Vous devez créer un caissier";
    QTest::newRow("no manager") << "cashier" << "0" << "cashier" << false << "There must be at least one manager";
    QTest::newRow("no manager, French") << "cashier" << "2" << "cashier" << false
                                        << "Vous devez créer un caissier gérant";
    QTest::newRow("no manager, close box") << "cashier" << "0" << "cashier" << true
                                           << "There must be at least one manager";
    QTest::newRow("a manager") << "cashier" << "0" << "manager" << false << "";
    QTest::newRow("a manager, close box") << "cashier" << "0" << "manager" << true << "";
    QTest::newRow("no product") << "product" << "0" << "none" << false << "There must be at least one product";
    QTest::newRow("no product, French") << "product" << "1" << "none" << true << "Vous devez créer un produit";
    QTest::newRow("a product") << "product" << "0" << "one" << false << "";
    QTest::newRow("no department") << "department" << "0" << "none" << false
                                   << "There must be at least one Department";
    QTest::newRow("no department, French") << "department" << "1" << "none" << false
                                           << "Vous devez créer un département";
    QTest::newRow("a department") << "department" << "0" << "one" << true << "";
}

void TestMasterDataEditors::closeChecks()
{
    QFETCH(QString, which);
    QFETCH(QString, language);
    QFETCH(QString, records);
    QFETCH(bool, closeBox);
    QFETCH(QString, refusal);
    setLanguageSetting(language);
    if (records == QLatin1String("cashier") || records == QLatin1String("manager")) {
        db->addCashier(1, "Ann", false);
        db->addCashier(2, "Bob", records == QLatin1String("manager"));
    } else if (records == QLatin1String("one")) {
        db->addProduct(1001, "Cola", 1.99);
        db->addDepartment(10, "Grocery");
    }
    MasterDataEditor &w = editor(which);
    bool stayedOpen = false;
    visit(w, [&] {
        if (closeBox)
            w.close();
        else
            press(Qt::Key_Space); // on Close
        if (w.isVisible()) {
            press(Qt::Key_Escape); // no way out past the checks either
            stayedOpen = w.isVisible();
        }
    });
    QCOMPARE(dialogs->messages(), refusal.isEmpty() ? QStringList() : QStringList{refusal});
    QCOMPARE(stayedOpen, !refusal.isEmpty());
    if (which == QLatin1String("cashier") && records != QLatin1String("none"))
        QCOMPARE(w.table().field("Cashier_id").asInteger(), 1); // left on the first record
}

void TestMasterDataEditors::closingWritesTheRecordLeftInEdit()
{
    // The last manager takes his own rights away and closes: the record is
    // written, and the check keeps the window open until a manager exists.
    db->addCashier(1, "Manager", true);
    TForm4 &w = *cashiers;
    visit(w, [&] {
        press(Qt::Key_F2);
        press(Qt::Key_Return);
        press(Qt::Key_Space);
        w.close();
        QVERIFY(w.isVisible());
        QCOMPARE(w.table().state(), TableState::Browse);
        press(Qt::Key_F2);
        press(Qt::Key_Return);
        press(Qt::Key_Space);
        press(Qt::Key_F10);
        press(Qt::Key_Space);
        QVERIFY(!w.isVisible());
    });
    QCOMPARE(dialogs->messages(), QStringList{"There must be at least one manager"});
    QCOMPARE(cashierRows(), QStringList{"1 Manager manager=1 training=0"});
}

void TestMasterDataEditors::productPriceWithinWhatASaleRings()
{
    db->addProduct(1001, "Cola", 1.99);
    TForm5 &w = *products;
    visit(w, [&] {
        press(Qt::Key_F2);
        w.DBEdit4->setFocus();
        w.DBEdit4->selectAll();
        type("1000000");
        press(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.DBEdit4);
        w.DBEdit4->selectAll();
        type("999999.99");
        press(Qt::Key_F10);
        w.close();
    });
    QCOMPARE(dialogs->messages(), QStringList{"Product unit price: '1000000' is not between -999,999.99 and 999,999.99"});
    QVERIFY(db->dm().producttb.findKey(1001));
    QCOMPARE(db->dm().producttb.field("Product_price").asFloat(), 999999.99);
}

void TestMasterDataEditors::deleteAsksFirst_data()
{
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("No keeps it") << false << QStringList{"1 Manager manager=1 training=0", "2 Bob manager=0 training=0"};
    QTest::newRow("Yes deletes it") << true << QStringList{"1 Manager manager=1 training=0"};
}

void TestMasterDataEditors::deleteAsksFirst()
{
    QFETCH(bool, yes);
    QFETCH(QStringList, left);
    db->addCashier(1, "Manager", true);
    db->addCashier(2, "Bob");
    dialogs->answerQuestions({yes});
    visit(*cashiers, [] {
        press(Qt::Key_End);
        press(Qt::Key_Delete);
    });
    QCOMPARE(dialogs->questions(), QStringList{"Delete record?"});
    QCOMPARE(cashierRows(), left);
}

void TestMasterDataEditors::findProductPutsTheEditorOnIt_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("searches");  // Enter in the search line
    QTest::addColumn<int>("listMoves"); // Down in the list
    QTest::addColumn<bool>("chosen");   // Return in the list, else Escape
    QTest::addColumn<double>("shown");
    QTest::addColumn<int>("beeps");

    QTest::newRow("by code") << "1003" << 1 << 0 << true << 1003.0 << 0;
    QTest::newRow("by words, any case") << "SOAP" << 1 << 0 << true << 1002.0 << 0;
    QTest::newRow("the next match") << "soap" << 2 << 0 << true << 1003.0 << 0;
    QTest::newRow("round to the first match") << "soap" << 3 << 0 << true << 1002.0 << 0;
    QTest::newRow("a number in the words") << "500" << 1 << 0 << true << 1002.0 << 0;
    QTest::newRow("then down the list") << "soap" << 1 << 2 << true << 1004.0 << 0;
    QTest::newRow("nothing found") << "tea" << 1 << 0 << true << 1001.0 << 1;
    QTest::newRow("Escape goes back") << "soap" << 2 << 0 << false << 1001.0 << 0;
}

void TestMasterDataEditors::findProductPutsTheEditorOnIt()
{
    QFETCH(QString, typed);
    QFETCH(int, searches);
    QFETCH(int, listMoves);
    QFETCH(bool, chosen);
    QFETCH(double, shown);
    QFETCH(int, beeps);
    const QList<QPair<double, const char *>> catalogue{
        {1001, "Cola, 355 ml can"}, {1002, "Dish soap 500 ml"}, {1003, "Soap bar"}, {1004, "Coffee beans"}};
    for (const auto &[code, description] : catalogue) {
        db->addProduct(code, "P", 1.0);
        Table &t = db->dm().producttb;
        t.edit();
        t.field("Product_desc").setString(QLatin1String(description));
        t.post();
    }
    TForm16 lookup(db->dm());
    TForm5 &w = *products;
    w.findProduct = [&lookup] { lookup.findForEditor(); };
    dialogs->onModalOnce("TForm16", [&](QDialog &) {
        type(typed);
        for (int i = 0; i < searches; ++i)
            press(Qt::Key_Return);
        press(Qt::Key_Down);
        for (int i = 0; i < listMoves; ++i)
            press(Qt::Key_Down);
        press(chosen ? Qt::Key_Return : Qt::Key_Escape);
        return -1;
    });
    QString shownText;
    QStringList stale;
    visit(w, [&] {
        press(Qt::Key_F9);
        shownText = w.DBEdit1->text();
        stale << staleFields(w);
    });
    QCOMPARE(shownText, QString::number(shown));
    QCOMPARE(stale, QStringList());
    QCOMPARE(dialogs->beeps(), beeps);
    QCOMPARE(db->dm().tmpdetail.recordCount(), 0); // the sale is left alone
}

QTEST_MAIN(TestMasterDataEditors)
#include "test_master_data_editors.moc"
