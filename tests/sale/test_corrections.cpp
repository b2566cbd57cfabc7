// Void item, Void trans, Clear and Cancel, and ringing in receiving mode.
// How void-item mode ends with the transaction is tried in test_checkout.
#include "on_screen.h"
#include "sale_window_fixture.h"

#include "common/language.h"
#include "widgets/db_edit.h"
#include "widgets/db_grid.h"
#include "widgets/line_edit_panels.h"

#include <QPainter>
#include <QScrollBar>
#include <QtTest>

class TestCorrections : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void voidItemTakesOneItemBack();
    void voidItemOverridesAQuantityBeingTyped();
    void voidTransTurnsTheSaleIntoAReturn();
    void voidTransDuringASaleOnlyRefocuses();
    void clear_data();
    void clear();
    void clearTheLineChosenInTheGrid();
    void cancelThrowsTheSaleAway_data();
    void cancelThrowsTheSaleAway();
    void receivingRingsAtAverageCostWithoutTaxes();
    void receivingRefusedDuringATransaction_data();
    void receivingRefusedDuringATransaction();
    void gridAndFieldsOnScreenAsPaintedWhole_data();
    void gridAndFieldsOnScreenAsPaintedWhole();

private:
    std::unique_ptr<SaleWindowFixture> f;
};

void TestCorrections::init()
{
    f = std::make_unique<SaleWindowFixture>();
}

void TestCorrections::cleanup()
{
    f.reset();
    setLanguageSetting(QStringLiteral("0"));
}

void TestCorrections::voidItemTakesOneItemBack()
{
    f->ring(QStringLiteral("1001"), QStringLiteral("2")); // 3.98
    f->press(Qt::Key_F5);
    QCOMPARE(f->dm().tmpdetail.field("Trx_qty").asFloat(), -1.0); // on the entry line at once
    QCOMPARE(f->focusedName(), QStringLiteral("DBEdit1"));
    f->ring(QStringLiteral("1002"));
    f->ring(QStringLiteral("1002"));
    QCOMPARE(f->lineValues("Trx_qty"), (QList<double>{2, -1, 1, 1}));
    QCOMPARE(f->lineValues("Trx_total"), (QList<double>{3.98, -2.00, 2.00, 0}));
    QCOMPARE(f->header("Trxh_total"), 3.98);
    QVERIFY(!f->form().modes.voidItem);
    QVERIFY(f->dialogs.log.isEmpty());
}

void TestCorrections::voidItemOverridesAQuantityBeingTyped()
{
    f->type(QStringLiteral("1002"));
    f->press(Qt::Key_Return);
    f->type(QStringLiteral("5"));
    f->press(Qt::Key_F5); // the line's quantity is now -1, not what was half typed
    QCOMPARE(f->form().DBEdit3->text(), QStringLiteral("-1"));
    QCOMPARE(f->focusedName(), QStringLiteral("DBEdit1"));
    f->press(Qt::Key_Return);
    f->type(QStringLiteral("3"));
    f->press(Qt::Key_Return);
    QCOMPARE(f->dm().tmpdetail.field("Trx_qty").asFloat(), -3.0);
}

void TestCorrections::voidTransTurnsTheSaleIntoAReturn()
{
    f->press(Qt::Key_F4);
    QVERIFY(f->form().modes.returnMode);
    f->ring(QStringLiteral("1002"));
    f->ring(QStringLiteral("1001"), QStringLiteral("2"));
    QCOMPARE(f->lineValues("Trx_qty"), (QList<double>{-1, -2, 1}));
    QCOMPARE(f->header("Trxh_total"), -5.98);
    QCOMPARE(f->header("Trxh_tx1"), -0.20); // -0.199 to cents
    QVERIFY(f->form().modes.returnMode); // for the whole transaction
}

void TestCorrections::voidTransDuringASaleOnlyRefocuses()
{
    f->ring(QStringLiteral("1002"));
    f->type(QStringLiteral("1001"));
    f->press(Qt::Key_Return);
    f->press(Qt::Key_F4);
    QVERIFY(!f->form().modes.returnMode);
    QCOMPARE(f->focusedName(), QStringLiteral("DBEdit1"));
    QVERIFY(f->dialogs.log.isEmpty());
}

void TestCorrections::clear_data()
{
    QTest::addColumn<QString>("pending"); // what the line being entered holds
    QTest::addColumn<int>("linesBefore");
    QTest::newRow("entry line current") << "" << 2;
    QTest::newRow("code found, not priced") << "1002" << 2;
    QTest::newRow("code not found") << "999" << 2;
    QTest::newRow("nothing rung") << "" << 1;
}

void TestCorrections::clear()
{
    QFETCH(QString, pending);
    QFETCH(int, linesBefore);
    if (linesBefore == 2)
        f->ring(QStringLiteral("1001"));
    if (!pending.isEmpty()) {
        f->type(pending);
        f->press(Qt::Key_Return);
    }
    const double total = f->header("Trxh_total");
    const double tax = f->header("Trxh_tx1");
    f->press(Qt::Key_F6);
    QCOMPARE(f->lineCount(), linesBefore);
    QCOMPARE(f->lineValues("Trx_total").first(), linesBefore == 2 ? 1.99 : 0.0);
    QCOMPARE(f->lineValues("Trx_upc").last(), 0.0); // a fresh entry line
    QCOMPARE(f->header("Trxh_total"), total);
    QCOMPARE(f->header("Trxh_tx1"), tax);
    QCOMPARE(f->focusedName(), QStringLiteral("DBEdit1"));
    QCOMPARE(f->devices.displayed.size(), linesBefore == 2 ? 1 : 0); // Clear does not show anything
}

void TestCorrections::clearTheLineChosenInTheGrid()
{
    f->ring(QStringLiteral("1001"));
    f->ring(QStringLiteral("1002"), QStringLiteral("2"));
    QCOMPARE(f->header("Trxh_total"), 5.99);
    f->clickGridRow(0);
    QCOMPARE(f->focusedName(), QStringLiteral("DBGrid1"));
    QCOMPARE(f->dm().tmpdetail.field("Trx_upc").asFloat(), 1001.0);
    f->press(Qt::Key_F6);
    // The cola and its tax are gone; the old entry line stays and a second
    // empty one follows it.
    QCOMPARE(f->lineValues("Trx_upc"), (QList<double>{1002, 0, 0}));
    QCOMPARE(f->header("Trxh_total"), 4.0);
    QCOMPARE(f->header("Trxh_tx1"), 0.0);
    QCOMPARE(f->focusedName(), QStringLiteral("DBEdit1"));
    f->ring(QStringLiteral("1002"));
    QCOMPARE(f->lineValues("Trx_upc"), (QList<double>{1002, 0, 1002, 0}));
}

void TestCorrections::cancelThrowsTheSaleAway_data()
{
    QTest::addColumn<bool>("fromUpcField");
    QTest::addColumn<int>("linesAfter");
    QTest::newRow("from the UPC field: no line until a code is typed") << true << 0;
    QTest::newRow("from the quantity field: entering the UPC field adds one") << false << 1;
}

void TestCorrections::cancelThrowsTheSaleAway()
{
    QFETCH(bool, fromUpcField);
    QFETCH(int, linesAfter);
    f->press(Qt::Key_F4);
    f->ring(QStringLiteral("1001"));
    f->type(QStringLiteral("1002"));
    if (!fromUpcField)
        f->press(Qt::Key_Return);
    f->press(Qt::Key_F3);
    QCOMPARE(f->lineCount(), linesAfter);
    QCOMPARE(f->dm().tmpmaster.recordCount(), 1);
    QCOMPARE(f->header("Trxh_total"), 0.0);
    QCOMPARE(f->header("Trxh_grand_total"), 0.0);
    QCOMPARE(f->dm().tmpmaster.field("Trxh_cashier").asInteger(), 7);
    QVERIFY(!f->form().modes.returnMode);
    QCOMPARE(f->focusedName(), QStringLiteral("DBEdit1"));
    QCOMPARE(f->dm().tranmaster.recordCount(), 0); // nothing posted
    f->ring(QStringLiteral("1002"));
    QCOMPARE(f->lineValues("Trx_qty"), (QList<double>{1, 1}));
}

void TestCorrections::receivingRingsAtAverageCostWithoutTaxes()
{
    f->press(Qt::Key_F8);
    QVERIFY(f->form().modes.receiving);
    f->ring(QStringLiteral("1005"), QStringLiteral("10"));
    f->ring(QStringLiteral("1001"), QStringLiteral("6"), {}, QStringLiteral("0.80")); // taxed product, cost typed
    QCOMPARE(f->lineValues("Trx_price"), (QList<double>{2.40, 0.80, 0}));
    QCOMPARE(f->header("Trxh_total"), 28.80);
    QCOMPARE(f->header("Trxh_tx1"), 0.0);
    QCOMPARE(f->header("Trxh_grand_total"), 28.80);
    QCOMPARE(f->devices.displayed.last(), QStringLiteral("Cola           $4.80"));

    // Clear computes the taxes even while receiving.
    f->press(Qt::Key_F6);
    QCOMPARE(f->header("Trxh_tx1"), 0.24);
    QCOMPARE(f->header("Trxh_grand_total"), 29.04);

    f->press(Qt::Key_F3);
    QVERIFY(!f->form().modes.receiving);
    f->ring(QStringLiteral("1005"));
    QCOMPARE(f->lineValues("Trx_price").first(), 3.49);
}

void TestCorrections::receivingRefusedDuringATransaction_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("message");
    QTest::newRow("English") << "0" << "Operation can not be done durring a transaction";
    QTest::newRow("French") << "1" << "Cette opération ne peut pas être fait durant une transaction";
}

void TestCorrections::receivingRefusedDuringATransaction()
{
    QFETCH(QString, language);
    QFETCH(QString, message);
    setLanguageSetting(language);
    f->ring(QStringLiteral("1002"));
    f->press(Qt::Key_F8);
    QCOMPARE(f->dialogs.messages(), QStringList{message});
    QVERIFY(!f->form().modes.receiving);
    QCOMPARE(f->focusedName(), QStringLiteral("DBEdit1"));
}

void TestCorrections::gridAndFieldsOnScreenAsPaintedWhole_data()
{
    // Steps: a code rung, "clear" (F6), "void" (F5), "pick N" (row N
    // chosen with the mouse, then back to the UPC field with Down), "enter
    // CODE" (the code and Enter: the focus stays in the quantity).
    QTest::addColumn<QStringList>("steps");
    QStringList seventy;
    for (int i = 0; i < 70; ++i)
        seventy << QString::number(1001 + i % 3);
    QTest::newRow("seventy lines, the grid scrolling") << seventy;
    QTest::newRow("lines cleared and voided while scrolled")
        << seventy.mid(0, 40) + QStringList{"clear", "1002", "void", "1001", "clear", "clear"} + seventy.mid(0, 25);
    QTest::newRow("a row chosen far up, then more lines")
        << seventy.mid(0, 45) + QStringList{"pick 3", "1005", "pick 40", "clear"} + seventy.mid(0, 20);
    // Past about a hundred lines a line shrinks the slider by less than a
    // pixel: the scroll bar mostly keeps what it shows.
    QTest::newRow("a long sale") << seventy + seventy;
    QTest::newRow("the focus left in the quantity")
        << seventy.mid(0, 40) + QStringList{"enter 1002", "clear", "enter 1003", "clear", "1002"};
}

// The grid paints only the rows appended as lines are rung: what it shows
// must be what painting it whole shows, with no row left stale or drawn
// where it scrolled away from.
void TestCorrections::gridAndFieldsOnScreenAsPaintedWhole()
{
    QFETCH(QStringList, steps);
    DBGrid *grid = f->form().DBGrid1;
    QWidget &rows = *grid->viewport();
    int step = 0;
    for (const QString &s : steps) {
        if (s == QLatin1String("clear") || s == QLatin1String("void")) {
            f->press(s == QLatin1String("clear") ? Qt::Key_F6 : Qt::Key_F5);
        } else if (s.startsWith(QLatin1String("enter "))) {
            f->type(s.mid(6));
            f->press(Qt::Key_Return);
        } else if (s.startsWith(QLatin1String("pick "))) {
            const int row = s.mid(5).toInt();
            grid->scrollTo(grid->model()->index(row, 0));
            f->clickGridRow(row);
            f->press(Qt::Key_Down);
        } else {
            f->ring(s);
        }
        for (int turn = 0; turn < 3; ++turn) // the grid follows, then paints
            f->settle();
        ++step;
        const QImage shown = onScreen(rows);
        QVERIFY2(shown == repaintedWhole(rows), qPrintable(QStringLiteral("after step %1 (%2)").arg(step).arg(s)));
        // Its scroll bar repaints only when the slider's look changes.
        QScrollBar &bar = *grid->verticalScrollBar();
        const QImage barShown = onScreen(bar);
        QVERIFY2(barShown == repaintedWhole(bar), qPrintable(QStringLiteral("scroll bar after step %1").arg(step)));
        // The entry fields repaint only their text for a new value, over
        // panels copied rather than painted by the style: what they show
        // must be what the style paints whole. The focused field's text is
        // left out, its caret blinking.
        for (DBEdit *field : f->form().findChildren<DBEdit *>()) {
            QImage fieldShown = onScreen(*field);
            LineEditPanels::setEnabled(false);
            QImage painted = repaintedWhole(*field);
            LineEditPanels::setEnabled(true);
            if (field->hasFocus()) {
                const QRect text = field->rect().adjusted(3, 3, -3, -3); // inside the frame
                for (QImage *image : {&fieldShown, &painted})
                    QPainter(image).fillRect(text, Qt::black);
            }
            QVERIFY2(fieldShown == painted, qPrintable(field->objectName()));
        }
    }
    QVERIFY(grid->verticalScrollBar()->value() > 0);
    const QRect entry = grid->visualRect(grid->model()->index(grid->model()->rowCount() - 1, 0));
    QVERIFY(rows.rect().contains(entry)); // the entry line at the bottom is in view
}

QTEST_MAIN(TestCorrections)
#include "test_corrections.moc"
