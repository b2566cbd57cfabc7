// The bound entry field, label, check box, lookup drop-down and record
// navigator, on real tables; the Yes/No question of the real dialogs.
#include "scripted_dialogs.h"
#include "test_database.h"

#include "store/store_error.h"
#include "widgets/db_check_box.h"
#include "widgets/db_edit.h"
#include "widgets/db_lookup_combo_box.h"
#include "widgets/db_navigator.h"
#include "widgets/db_text.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

class TestDbControls : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void editShowsTheCurrentRecord_data();
    void editShowsTheCurrentRecord();
    void moneyShowsPlainWhileFocused();
    void typingStartsEditAndPostWritesIt();
    void typingIntoAnEmptyTableStartsARecord();
    void focusLossWritesWhatWasTyped();
    void programWriteReplacesTypedText();
    void cancelDropsTypedText();
    void numberCharacters_data();
    void numberCharacters();
    void pastedLettersAreRefused();
    void invalidNumberRefusesThePost();
    void closedTableRefusesTyping();
    void suspendedTableDoesNotRefresh();
    void labelShowsDisplayText();
    void checkBoxStoresEveryChange_data();
    void checkBoxStoresEveryChange();
    void lookupComboListsAndStores();
    void lookupComboReadsOnlyWhenVisible();
    void navigatorActs();
    void navigatorDeleteAsksFirst();
    void enterOnAQuestion();

private:
    void addDepartments();
    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<QWidget> window_;
    QLineEdit *elsewhere_ = nullptr; // holds the focus until a test moves it
};

void TestDbControls::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestDbControls::init()
{
    db_ = std::make_unique<TestDatabase>();
    dialogs_ = std::make_unique<ScriptedDialogs>();
    window_ = std::make_unique<QWidget>();
    elsewhere_ = new QLineEdit(window_.get());
    (new QVBoxLayout(window_.get()))->addWidget(elsewhere_);
    db_->addProduct(1001, QStringLiteral("Cola"), 1.99, true);
    db_->addProduct(1002, QStringLiteral("Chips"), 1234.5);
    db_->dm().producttb.first();
}

void TestDbControls::cleanup()
{
    window_.reset();
    dialogs_.reset();
    db_.reset();
}

// Puts a control in the test window and shows it.
template <typename Control>
Control *place(QWidget *window, Control *control)
{
    window->layout()->addWidget(control);
    control->show();
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        qWarning("the test window did not become active");
    return control;
}

// Moves the focus into a control the way the Tab key does.
void focusOn(QWidget *control)
{
    control->setFocus(Qt::TabFocusReason);
}

void TestDbControls::addDepartments()
{
    db_->addDepartment(10, QStringLiteral("Grocery"));
    db_->addDepartment(20, QStringLiteral("Snacks"));
    db_->dm().DeptTb.first();
}

void TestDbControls::editShowsTheCurrentRecord_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("shown");
    QTest::newRow("money") << "Product_price" << QVariant(4321.5) << "$4,321.50";
    QTest::newRow("negative money") << "Product_price" << QVariant(-7.66) << "($7.66)";
    QTest::newRow("money rounds ties to even") << "Product_price" << QVariant(0.125) << "$0.12";
    QTest::newRow("15-digit code") << "Product_upc" << QVariant(123456789012345.0) << "123456789012345";
    QTest::newRow("float in general format") << "Product_qty" << QVariant(2.5) << "2.5";
    QTest::newRow("float sum") << "Product_qty" << QVariant(0.1 + 0.2) << "0.3";
    QTest::newRow("integer") << "Product_dept" << QVariant(42) << "42";
    QTest::newRow("text") << "Product_desc" << QVariant(QStringLiteral("Big cola")) << "Big cola";
    QTest::newRow("date") << "Product_promo_start" << QVariant(QDate(2026, 3, 9)) << "3/9/26";
    QTest::newRow("no value") << "Product_promo_end" << QVariant() << "";
}

void TestDbControls::editShowsTheCurrentRecord()
{
    QFETCH(QString, field);
    QFETCH(QVariant, value);
    QFETCH(QString, shown);
    Table &p = db_->dm().producttb;
    auto *edit = place(window_.get(), new DBEdit);
    edit->setDataSource(&p, field);
    p.edit();
    p.field(field).setValue(value);
    QCOMPARE(edit->text(), shown); // while in edit
    p.post();
    QCOMPARE(edit->text(), shown);
    const qint64 edited = p.currentRowid();
    QVERIFY(p.findKey(1002.0));
    QVERIFY(edit->text() != shown || shown.isEmpty());
    QVERIFY(p.moveToRowid(edited));
    QCOMPARE(edit->text(), shown);
}

void TestDbControls::moneyShowsPlainWhileFocused()
{
    Table &p = db_->dm().producttb;
    p.last();
    auto *price = place(window_.get(), new DBEdit);
    auto *other = place(window_.get(), new DBEdit);
    price->setDataSource(&p, QStringLiteral("Product_price"));
    QCOMPARE(price->text(), QStringLiteral("$1,234.50"));
    focusOn(price);
    QCOMPARE(price->text(), QStringLiteral("1234.50"));
    QCOMPARE(price->selectedText(), QStringLiteral("1234.50"));
    focusOn(other);
    QCOMPARE(price->text(), QStringLiteral("$1,234.50"));
}

void TestDbControls::typingStartsEditAndPostWritesIt()
{
    Table &p = db_->dm().producttb;
    auto *desc = place(window_.get(), new DBEdit);
    desc->setDataSource(&p, QStringLiteral("Product_short_desc"));
    focusOn(desc);
    QCOMPARE(p.state(), TableState::Browse);
    QTest::keyClicks(desc, QStringLiteral("Pop"));
    QCOMPARE(p.state(), TableState::Edit);
    QVERIFY(desc->hasPendingText());
    QCOMPARE(p.field("Product_short_desc").asString(), QStringLiteral("Cola")); // not written yet
    p.post();
    QVERIFY(!desc->hasPendingText());
    QVERIFY(p.findKey(1001.0));
    QCOMPARE(p.field("Product_short_desc").asString(), QStringLiteral("Pop"));
}

void TestDbControls::typingIntoAnEmptyTableStartsARecord()
{
    Table &d = db_->dm().DeptTb;
    QCOMPARE(d.recordCount(), 0);
    auto *code = place(window_.get(), new DBEdit);
    auto *name = place(window_.get(), new DBEdit);
    code->setDataSource(&d, QStringLiteral("Dept_code"));
    name->setDataSource(&d, QStringLiteral("Dept_desc"));
    focusOn(code);
    QTest::keyClicks(code, QStringLiteral("30"));
    QCOMPARE(d.state(), TableState::Insert);
    QCOMPARE(code->text(), QStringLiteral("30")); // the new record's defaults do not wipe what is typed
    focusOn(name);
    QTest::keyClicks(name, QStringLiteral("Dairy"));
    d.post();
    QCOMPARE(d.recordCount(), 1);
    QCOMPARE(d.field("Dept_code").asInteger(), 30);
    QCOMPARE(d.field("Dept_desc").asString(), QStringLiteral("Dairy"));
    QCOMPARE(d.field("Dept_sales").asFloat(), 0.0);
}

void TestDbControls::focusLossWritesWhatWasTyped()
{
    Table &p = db_->dm().producttb;
    auto *qty = place(window_.get(), new DBEdit);
    auto *other = place(window_.get(), new DBEdit);
    qty->setDataSource(&p, QStringLiteral("Product_qty"));
    focusOn(qty);
    QTest::keyClicks(qty, QStringLiteral("12.5"));
    focusOn(other);
    QVERIFY(!qty->hasPendingText());
    QCOMPARE(p.state(), TableState::Edit);
    QCOMPARE(p.field("Product_qty").asFloat(), 12.5);
}

void TestDbControls::programWriteReplacesTypedText()
{
    Table &p = db_->dm().producttb;
    auto *qty = place(window_.get(), new DBEdit);
    qty->setDataSource(&p, QStringLiteral("Product_qty"));
    focusOn(qty);
    QTest::keyClicks(qty, QStringLiteral("5"));
    p.field("Product_desc").setString(QStringLiteral("Other field")); // not ours: the typing stays
    QCOMPARE(qty->text(), QStringLiteral("5"));
    QVERIFY(qty->hasPendingText());
    p.field("Product_qty").setFloat(-1);
    QCOMPARE(qty->text(), QStringLiteral("-1"));
    p.post();
    QCOMPARE(p.field("Product_qty").asFloat(), -1.0);
}

void TestDbControls::cancelDropsTypedText()
{
    Table &p = db_->dm().producttb;
    auto *desc = place(window_.get(), new DBEdit);
    desc->setDataSource(&p, QStringLiteral("Product_short_desc"));
    focusOn(desc);
    QTest::keyClicks(desc, QStringLiteral("xyz"));
    p.cancel();
    QVERIFY(!desc->hasPendingText());
    QCOMPARE(desc->text(), QStringLiteral("Cola"));
}

void TestDbControls::numberCharacters_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<int>("beeps");
    const QLocale us(QLocale::English, QLocale::UnitedStates), ca(QLocale::French, QLocale::Canada);
    QTest::newRow("digits and signs") << us << "Product_qty" << "+-12E3e" << "+-12E3e" << 0;
    QTest::newRow("letters refused") << us << "Product_qty" << "1a2b" << "12" << 2;
    QTest::newRow("decimal point") << us << "Product_price" << "1.5" << "1.5" << 0;
    QTest::newRow("comma is not the separator here") << us << "Product_price" << "1,5" << "15" << 1;
    QTest::newRow("French decimal comma") << ca << "Product_price" << "1,5" << "1,5" << 0;
    QTest::newRow("French refuses the point") << ca << "Product_price" << "1.5" << "15" << 1;
    QTest::newRow("integer field") << us << "Product_dept" << "7$" << "7" << 1;
    QTest::newRow("text field takes anything") << us << "Product_desc" << "a1$" << "a1$" << 0;
    QTest::newRow("blank refused in numbers") << us << "Product_qty" << "1 2" << "12" << 1;
}

void TestDbControls::numberCharacters()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    QFETCH(int, beeps);
    QLocale::setDefault(locale);
    auto *edit = place(window_.get(), new DBEdit);
    edit->setDataSource(&db_->dm().producttb, field);
    focusOn(edit);
    edit->clear();
    QTest::keyClicks(edit, typed);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE(edit->text(), kept);
    QCOMPARE(dialogs_->beeps(), beeps);
}

void TestDbControls::pastedLettersAreRefused()
{
    auto *edit = place(window_.get(), new DBEdit);
    edit->setDataSource(&db_->dm().producttb, QStringLiteral("Product_qty"));
    focusOn(edit);
    edit->clear();
    QGuiApplication::clipboard()->setText(QStringLiteral("12ab"));
    edit->paste();
    QCOMPARE(edit->text(), QString());
    QGuiApplication::clipboard()->setText(QStringLiteral("12"));
    edit->paste();
    QCOMPARE(edit->text(), QStringLiteral("12"));
}

void TestDbControls::invalidNumberRefusesThePost()
{
    Table &p = db_->dm().producttb;
    auto *qty = place(window_.get(), new DBEdit);
    qty->setDataSource(&p, QStringLiteral("Product_qty"));
    focusOn(qty);
    QTest::keyClicks(qty, QStringLiteral("1-2"));
    try {
        p.post();
        QFAIL("the post went through");
    } catch (const StoreError &e) {
        QCOMPARE(e.message(), QStringLiteral("'1-2' is not a valid number"));
    }
    QCOMPARE(p.state(), TableState::Edit);
    QVERIFY(!qty->commit());
    QCOMPARE(dialogs_->messages(), QStringList{"'1-2' is not a valid number"});
    QCOMPARE(qty->text(), QStringLiteral("1-2")); // kept for correction
    qty->selectAll();
    QTest::keyClicks(qty, QStringLiteral("3"));
    QVERIFY(qty->commit());
    p.post();
    QCOMPARE(p.field("Product_qty").asFloat(), 3.0);
}

void TestDbControls::closedTableRefusesTyping()
{
    Table &p = db_->dm().producttb;
    auto *desc = place(window_.get(), new DBEdit);
    desc->setDataSource(&p, QStringLiteral("Product_desc"));
    p.close();
    QCOMPARE(desc->text(), QString());
    focusOn(desc);
    QTest::keyClicks(desc, QStringLiteral("x"));
    QCOMPARE(desc->text(), QString());
    QCOMPARE(dialogs_->beeps(), 1);
}

void TestDbControls::suspendedTableDoesNotRefresh()
{
    Table &p = db_->dm().producttb;
    auto *desc = place(window_.get(), new DBText);
    desc->setDataSource(&p, QStringLiteral("Product_short_desc"));
    QCOMPARE(desc->text(), QStringLiteral("Cola"));
    p.disableControls();
    p.next();
    QCOMPARE(desc->text(), QStringLiteral("Cola"));
    p.enableControls();
    QCOMPARE(desc->text(), QStringLiteral("Chips"));
}

void TestDbControls::labelShowsDisplayText()
{
    Table &h = db_->dm().tmpmaster;
    auto *date = place(window_.get(), new DBText);
    auto *time = place(window_.get(), new DBText);
    auto *total = place(window_.get(), new DBText);
    date->setDataSource(&h, QStringLiteral("Trxh_date"));
    time->setDataSource(&h, QStringLiteral("Trxh_time"));
    total->setDataSource(&h, QStringLiteral("Trxh_grand_total"));
    QCOMPARE(total->text(), QString()); // no header yet
    h.append();
    h.field("Trxh_date").setDate(QDate(2026, 3, 9));
    h.field("Trxh_time").setTime(QTime(14, 5, 3));
    h.field("Trxh_grand_total").setFloat(1234.5);
    h.post();
    QCOMPARE(date->text(), QStringLiteral("3/9/26"));
    QCOMPARE(time->text(), QStringLiteral("2:05:03 PM"));
    QCOMPARE(total->text(), QStringLiteral("$1,234.50"));
}

// However the box changes, by the user or by assistive technology, the
// record holds what it shows; moving to a record only shows it.
void TestDbControls::checkBoxStoresEveryChange_data()
{
    QTest::addColumn<QString>("how");
    for (const char *how : {"mouse", "space bar", "accessible toggle action", "toggle()"})
        QTest::newRow(how) << QString::fromLatin1(how);
}

void TestDbControls::checkBoxStoresEveryChange()
{
    QFETCH(QString, how);
    Table &p = db_->dm().producttb;
    auto *tax = place(window_.get(), new DBCheckBox(QStringLiteral("Tax 1")));
    tax->setDataSource(&p, QStringLiteral("Product_tx1"));
    p.next(); // without tax 1
    QVERIFY(!tax->isChecked());
    QCOMPARE(p.state(), TableState::Browse); // the refresh wrote nothing
    for (bool ticked : {true, false, true}) {
        if (how == QLatin1String("mouse"))
            QTest::mouseClick(tax, Qt::LeftButton, {}, QPoint(6, tax->height() / 2)); // on the box itself
        else if (how == QLatin1String("space bar"))
            QTest::keyClick(tax, Qt::Key_Space);
        else if (how == QLatin1String("toggle()"))
            tax->toggle();
        else
            QAccessible::queryAccessibleInterface(tax)->actionInterface()->doAction(
                QAccessibleActionInterface::toggleAction());
        QCOMPARE(p.field("Product_tx1").asBoolean(), ticked);
    }
    p.post();
    p.first(); // read back from the table
    p.next();
    QVERIFY(tax->isChecked() && p.field("Product_tx1").asBoolean());
}

void TestDbControls::lookupComboListsAndStores()
{
    addDepartments();
    Table &p = db_->dm().producttb;
    p.edit();
    p.field("Product_dept").setInteger(20);
    p.post();
    auto *dept = place(window_.get(), new DBLookupComboBox);
    dept->setDataSource(&p, QStringLiteral("Product_dept"));
    dept->setLookup(&db_->dm().DeptTb, QStringLiteral("Dept_code"), QStringLiteral("Dept_desc"));
    QCOMPARE(dept->count(), 2);
    QCOMPARE(dept->currentText(), QStringLiteral("Snacks"));
    p.next(); // department 0: none of the list
    QCOMPARE(dept->currentIndex(), -1);

    focusOn(dept);
    QTest::keyClick(dept, Qt::Key_Down); // Grocery
    QCOMPARE(p.state(), TableState::Edit);
    QCOMPARE(p.field("Product_dept").asInteger(), 10);
}

void TestDbControls::lookupComboReadsOnlyWhenVisible()
{
    addDepartments();
    auto *dept = new DBLookupComboBox;
    window_->layout()->addWidget(dept);
    dept->setDataSource(&db_->dm().producttb, QStringLiteral("Product_dept"));
    dept->setLookup(&db_->dm().DeptTb, QStringLiteral("Dept_code"), QStringLiteral("Dept_desc"));
    QCOMPARE(dept->count(), 0); // hidden: nothing read yet
    place(window_.get(), dept);
    QCOMPARE(dept->count(), 2);
    db_->addDepartment(30, QStringLiteral("Dairy"));
    QCOMPARE(dept->count(), 2); // read again at the next turn of the loop
    QCoreApplication::processEvents();
    QCOMPARE(dept->count(), 3);
}

void TestDbControls::navigatorActs()
{
    Table &p = db_->dm().producttb;
    auto *nav = place(window_.get(), new DBNavigator);
    nav->setDataSource(&p);
    QSignalSpy clicked(nav, &DBNavigator::clicked);
    QVERIFY(!nav->button(DBNavigator::Post)->isEnabled());

    QTest::mouseClick(nav->button(DBNavigator::Last), Qt::LeftButton);
    QCOMPARE(p.field("Product_upc").asFloat(), 1002.0);
    QTest::mouseClick(nav->button(DBNavigator::First), Qt::LeftButton);
    QCOMPARE(p.field("Product_upc").asFloat(), 1001.0);
    QVERIFY(!nav->button(DBNavigator::Prior)->isEnabled());
    nav->BtnClick(DBNavigator::Next);
    QCOMPARE(p.field("Product_upc").asFloat(), 1002.0);

    nav->BtnClick(DBNavigator::Insert);
    QCOMPARE(p.state(), TableState::Insert);
    QVERIFY(nav->button(DBNavigator::Post)->isEnabled());
    QVERIFY(!nav->button(DBNavigator::Edit)->isEnabled());
    p.field("Product_upc").setFloat(1003);
    nav->BtnClick(DBNavigator::Post);
    QCOMPARE(p.recordCount(), 3);
    nav->BtnClick(DBNavigator::Edit);
    QCOMPARE(p.state(), TableState::Edit);
    nav->BtnClick(DBNavigator::Cancel);
    QCOMPARE(p.state(), TableState::Browse);

    const QList<DBNavigator::Button> expected{DBNavigator::Last, DBNavigator::First, DBNavigator::Next,
                                              DBNavigator::Insert, DBNavigator::Post, DBNavigator::Edit,
                                              DBNavigator::Cancel};
    QCOMPARE(clicked.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(clicked[i].first().value<DBNavigator::Button>(), expected[i]);
}

void TestDbControls::navigatorDeleteAsksFirst()
{
    Table &p = db_->dm().producttb;
    auto *nav = place(window_.get(), new DBNavigator);
    nav->setDataSource(&p);
    QSignalSpy clicked(nav, &DBNavigator::clicked);
    dialogs_->answerQuestions({false, true});
    nav->BtnClick(DBNavigator::Delete);
    QCOMPARE(p.recordCount(), 2);
    nav->BtnClick(DBNavigator::Delete);
    QCOMPARE(p.recordCount(), 1);
    QCOMPARE(p.field("Product_upc").asFloat(), 1002.0);
    QCOMPARE(dialogs_->questions(), (QStringList{"Delete record?", "Delete record?"}));
    QCOMPARE(clicked.size(), 2); // after the action, whatever the answer
}

// The real message box: Enter presses the button the question names.
void TestDbControls::enterOnAQuestion()
{
    for (bool enterMeansNo : {false, true}) {
        QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return); });
        const auto enter = enterMeansNo ? Dialogs::EnterMeans::No : Dialogs::EnterMeans::Yes;
        QCOMPARE(QtDialogs().question(nullptr, QStringLiteral("Quantity 1002?"), enter), !enterMeansNo);
    }
}

QTEST_MAIN(TestDbControls)
#include "test_db_controls.moc"
