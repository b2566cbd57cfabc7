// Expressions over table fields, their SUMs and their errors.
#include "test_database.h"

#include "reports/report_expression.h"

#include <QtTest>

class TestReportExpression : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { db_.reset(); }
    void values_data();
    void values();
    void errors_data();
    void errors();
    void sumsAddTheCurrentRecords();

private:
    std::unique_ptr<TestDatabase> db_;
};

void TestReportExpression::init()
{
    db_ = std::make_unique<TestDatabase>();
    db_->addProduct(1, "First", 10);
    Table &p = db_->dm().producttb;
    p.edit();
    p.field("Product_qty").setFloat(4);
    p.field("Product_avg_cost").setFloat(2.5);
    p.post();
    db_->setControl("Ctrl_fc_rate", 1.25);
}

void TestReportExpression::values_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<double>("expected");

    QTest::newRow("product of fields") << "producttb.Product_qty * producttb.Product_avg_cost" << 10.0;
    QTest::newRow("sum of fields") << "producttb.Product_price + producttb.Product_qty + producttb.Product_avg_cost" << 16.5;
    QTest::newRow("precedence") << "1 + 2 * 3 - 4 / 2" << 5.0;
    QTest::newRow("parentheses") << "(1 + 2) * 3" << 9.0;
    QTest::newRow("left to right") << "10 - 4 - 3" << 3.0;
    QTest::newRow("unary minus") << "-producttb.Product_qty + 1" << -3.0;
    QTest::newRow("division") << "producttb.Product_price / producttb.Product_qty" << 2.5;
    QTest::newRow("division by zero gives zero") << "producttb.Product_price / producttb.Product_sales" << 0.0;
    QTest::newRow("another table") << "Control.Ctrl_fc_rate * 4" << 5.0;
    QTest::newRow("field never written reads zero") << "producttb.Product_qty_sales + 1" << 1.0;
    QTest::newRow("blanks anywhere") << "  ( producttb.Product_qty*2 )+0.5 " << 8.5;
    QTest::newRow("SUM before any record") << "SUM(producttb.Product_qty) + 1" << 1.0;
}

void TestReportExpression::values()
{
    QFETCH(QString, expression);
    QFETCH(double, expected);
    const ReportExpression e(expression, dataModuleTables(db_->dm()));
    QCOMPARE(double(e.value()), expected);
}

void TestReportExpression::errors_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("message");

    QTest::newRow("unknown table") << "stock.Product_qty" << "no table is named \"stock\"";
    QTest::newRow("unknown field") << "producttb.Product_colour" << "Product_colour";
    QTest::newRow("missing operand") << "producttb.Product_qty *" << "missing";
    QTest::newRow("unclosed parenthesis") << "(1 + 2" << "\")\" is expected";
    QTest::newRow("two values") << "1 2" << "unexpected";
    QTest::newRow("table without field") << "producttb" << "\".\" is expected";
    QTest::newRow("SUM inside SUM") << "SUM(SUM(producttb.Product_qty))" << "SUM inside SUM";
    QTest::newRow("empty") << "" << "missing";
}

void TestReportExpression::errors()
{
    QFETCH(QString, expression);
    QFETCH(QString, message);
    try {
        ReportExpression e(expression, dataModuleTables(db_->dm()));
        QFAIL("no error");
    } catch (const ReportDefinitionError &error) {
        QVERIFY2(QString::fromStdString(error.what()).contains(message), error.what());
    }
}

void TestReportExpression::sumsAddTheCurrentRecords()
{
    db_->addProduct(2, "Second", 1);
    Table &p = db_->dm().producttb;
    p.edit();
    p.field("Product_qty").setFloat(-1.5);
    p.field("Product_avg_cost").setFloat(3);
    p.post();

    ReportExpression e("SUM(producttb.Product_qty * producttb.Product_avg_cost) + producttb.Product_qty",
                       dataModuleTables(db_->dm()));
    QVERIFY(e.hasSums());
    p.first();
    e.accumulate();
    QCOMPARE(double(e.value()), 10.0 + 4);
    p.next();
    e.accumulate();
    QCOMPARE(double(e.value()), 10.0 - 4.5 - 1.5);
    e.resetSums();
    QCOMPARE(double(e.value()), -1.5);
    QVERIFY(!ReportExpression("producttb.Product_qty", dataModuleTables(db_->dm())).hasSums());
}

QTEST_MAIN(TestReportExpression)
#include "test_report_expression.moc"
