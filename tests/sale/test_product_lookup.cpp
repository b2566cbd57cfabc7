// The product lookup: F9 from the UPC field rings the chosen product, the
// button only writes its code, Escape changes nothing, and what is typed
// finds a product by code or words of its description.
#include "keyboard.h"
#include "sale_window_fixture.h"

#include "sale/lookup_window.h"
#include "widgets/db_edit.h"
#include "widgets/db_grid.h"

#include <QPushButton>
#include <QtTest>

class TestProductLookup : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void f9ChoosesAndRings();
    void escapeChangesNothing();
    void buttonOnlyWritesTheCode();
    void buttonOverAFilledLineChangesOnlyTheCode();
    void f9ElsewhereDoesNothing();
    void listsEveryProductInCodeOrder();
    void opensOnTheCurrentProduct();
    void doubleClickChooses();
    void typingFindsAProduct_data();
    void typingFindsAProduct();

private:
    // Drives the lookup when it opens: the keys given, in order.
    void onLookup(const QList<Qt::Key> &keys);
    std::unique_ptr<SaleWindowFixture> f;
};

void TestProductLookup::init()
{
    f = std::make_unique<SaleWindowFixture>();
}

void TestProductLookup::cleanup()
{
    f.reset();
}

void TestProductLookup::onLookup(const QList<Qt::Key> &keys)
{
    f->dialogs.onModal(QStringLiteral("TForm16"), [keys](QDialog &dialog) {
        auto &lookup = static_cast<TForm16 &>(dialog);
        lookup.DBGrid1->setFocus();
        for (Qt::Key key : keys) {
            QTest::keyClick(lookup.DBGrid1, key);
            QCoreApplication::processEvents();
        }
        return -1;
    });
}

void TestProductLookup::f9ChoosesAndRings()
{
    f->dm().producttb.findKey(1001.0); // the lookup opens here
    onLookup({Qt::Key_Down, Qt::Key_Return});
    f->press(Qt::Key_F9);
    QCOMPARE(f->dialogs.log, QStringList{"exec: TForm16"});
    Table &line = f->dm().tmpdetail;
    QCOMPARE(line.field("Trx_upc").asFloat(), 1002.0);
    QCOMPARE(line.field("Trx_short_desc").asString(), QStringLiteral("Chips"));
    QCOMPARE(line.field("Trx_price").asFloat(), 2.0);
    QCOMPARE(line.field("Trx_qty").asFloat(), 1.0);
    QCOMPARE(f->focusedName(), QStringLiteral("DBEdit3"));
}

void TestProductLookup::escapeChangesNothing()
{
    f->type(QStringLiteral("1001"));
    f->press(Qt::Key_Return);
    f->press(Qt::Key_Up); // back in the UPC field with the cola found
    onLookup({Qt::Key_Down, Qt::Key_Escape});
    f->press(Qt::Key_F9);
    Table &line = f->dm().tmpdetail;
    QCOMPARE(line.field("Trx_upc").asFloat(), 1001.0);
    QCOMPARE(line.field("Trx_short_desc").asString(), QStringLiteral("Cola"));
    QCOMPARE(f->focusedName(), QStringLiteral("DBEdit1"));
    QCOMPARE(f->lineCount(), 1);
}

void TestProductLookup::buttonOnlyWritesTheCode()
{
    f->dm().producttb.findKey(1004.0);
    onLookup({Qt::Key_Down, Qt::Key_Return});
    QTest::mouseClick(f->form().BitBtn10, Qt::LeftButton);
    QCOMPARE(f->form().DBEdit1->text(), QStringLiteral("1005"));
    Table &line = f->dm().tmpdetail;
    QCOMPARE(line.field("Trx_short_desc").asString(), QString());
    QCOMPARE(f->focusedName(), QStringLiteral("DBEdit1"));
    f->press(Qt::Key_Return);
    QCOMPARE(line.field("Trx_short_desc").asString(), QStringLiteral("Flour"));
    QCOMPARE(f->focusedName(), QStringLiteral("DBEdit3"));
}

void TestProductLookup::buttonOverAFilledLineChangesOnlyTheCode()
{
    f->type(QStringLiteral("1001"));
    f->press(Qt::Key_Return);
    onLookup({Qt::Key_Down, Qt::Key_Return}); // opens on the cola: the chips
    QTest::mouseClick(f->form().BitBtn10, Qt::LeftButton);
    Table &line = f->dm().tmpdetail;
    QCOMPARE(line.field("Trx_upc").asFloat(), 1002.0);
    QCOMPARE(line.field("Trx_short_desc").asString(), QStringLiteral("Cola"));
    QCOMPARE(line.field("Trx_price").asFloat(), 1.99);
    QVERIFY(line.field("Trx_tx1").asBoolean());
}

void TestProductLookup::f9ElsewhereDoesNothing()
{
    f->type(QStringLiteral("1001"));
    f->press(Qt::Key_Return);
    f->press(Qt::Key_F9);
    QVERIFY(f->dialogs.log.isEmpty());
    QCOMPARE(f->focusedName(), QStringLiteral("DBEdit3"));
}

void TestProductLookup::listsEveryProductInCodeOrder()
{
    f->db.addProduct(2002, QStringLiteral("Chips"), 2.50);
    f->db.addProduct(900, QStringLiteral("Chips"), 1.50);
    TForm16 &lookup = f->form().lookupWindow();
    lookup.show();
    f->settle();
    QAbstractItemModel *grid = lookup.DBGrid1->model();
    QStringList rows;
    for (int r = 0; r < grid->rowCount(); ++r)
        rows << grid->index(r, 0).data().toString() + QLatin1Char(' ') + grid->index(r, 1).data().toString();
    QCOMPARE(rows, (QStringList{"Chips (long) $1.50", "Cola (long) $1.99", "Chips (long) $2.00",
                                "Coffee (long) $9.99", "Bag (long) $0.00", "Flour (long) $3.49",
                                "Chips (long) $2.50"}));
    QCOMPARE(grid->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Price"));
    lookup.hide();
}

void TestProductLookup::opensOnTheCurrentProduct()
{
    f->ring(QStringLiteral("1003"));
    int shownRow = -1;
    f->dialogs.onModal(QStringLiteral("TForm16"), [&shownRow](QDialog &dialog) {
        shownRow = static_cast<TForm16 &>(dialog).DBGrid1->currentIndex().row();
        return QDialog::Rejected;
    });
    f->press(Qt::Key_F9);
    QCOMPARE(shownRow, 2);
}

void TestProductLookup::doubleClickChooses()
{
    f->dialogs.onModal(QStringLiteral("TForm16"), [](QDialog &dialog) {
        DBGrid *grid = static_cast<TForm16 &>(dialog).DBGrid1;
        const QPoint row4 = grid->visualRect(grid->model()->index(3, 0)).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, row4);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, row4);
        return -1;
    });
    f->press(Qt::Key_F9);
    QCOMPARE(f->dm().tmpdetail.field("Trx_short_desc").asString(), QStringLiteral("Bag"));
}

void TestProductLookup::typingFindsAProduct_data()
{
    QTest::addColumn<QString>("typed"); // in the list, where the lookup opens
    QTest::addColumn<int>("enters");    // in the search line
    QTest::addColumn<int>("downs");     // the first one back into the list
    QTest::addColumn<double>("rung");
    QTest::newRow("by code") << "1005" << 1 << 1 << 1005.0;
    QTest::newRow("by words inside the description, any case") << "OFFE" << 1 << 1 << 1003.0;
    QTest::newRow("Enter again: the next match") << "co" << 2 << 1 << 1003.0;
    QTest::newRow("then down the list") << "co" << 1 << 2 << 1002.0;
}

void TestProductLookup::typingFindsAProduct()
{
    QFETCH(QString, typed);
    QFETCH(int, enters);
    QFETCH(int, downs);
    QFETCH(double, rung);
    f->dm().producttb.findKey(1004.0); // where the lookup opens and a search starts
    QString startedIn;
    f->dialogs.onModal(QStringLiteral("TForm16"), [&](QDialog &) {
        startedIn = focusedName();
        for (QChar c : typed) // each key where the focus is then
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        for (int i = 0; i < enters + downs; ++i)
            press(i < enters ? Qt::Key_Return : Qt::Key_Down);
        press(Qt::Key_Return);
        return -1;
    });
    f->press(Qt::Key_F9);
    QCOMPARE(startedIn, QStringLiteral("DBGrid1"));
    QCOMPARE(f->dm().tmpdetail.field("Trx_upc").asFloat(), rung);
    QCOMPARE(f->focusedName(), QStringLiteral("DBEdit3")); // rung as if typed
}

QTEST_MAIN(TestProductLookup)
#include "test_product_lookup.moc"
