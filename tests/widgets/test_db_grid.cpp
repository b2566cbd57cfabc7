// The bound grid: lazy reading, the record in edit, choosing a row,
// coalesced and deferred refreshes.
#include "scripted_dialogs.h"
#include "test_database.h"

#include "store/database.h"
#include "store/sqlite_statement.h"
#include "widgets/db_grid.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QtTest>

class TestDbGrid : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void readsOnlyWhatIsOnScreen();
    void columnsTitlesAndAlignment();
    void recordInEditAndInsertShowTheirBuffer();
    void mouseChoiceMovesTheTable();
    void followsTheTablesCurrentRecord();
    void refreshesOncePerTurnOfTheLoop();
    void announcesOnlyTheRowsThatChanged();
    void hiddenGridReadsNothing();
    void watchedGridReadsAgainOnlyAfterAChange_data();
    void watchedGridReadsAgainOnlyAfterAChange();
    void suspendedTableDoesNotRefresh();
    void closedTableShowsNothing();

private:
    QString cell(int row, int column) { return grid_->model()->index(row, column).data().toString(); }
    void addProducts(int count);
    // Products 1 to count in a grid on screen, the table on the first.
    Table &showProducts(int count);
    static void settle() { QCoreApplication::processEvents(); }
    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<DBGrid> grid_;
};

void TestDbGrid::init()
{
    db_ = std::make_unique<TestDatabase>();
    dialogs_ = std::make_unique<ScriptedDialogs>();
    grid_ = std::make_unique<DBGrid>();
    grid_->resize(500, 300);
    grid_->setColumns({{QStringLiteral("Product_upc"), QStringLiteral("UPC"), Qt::AlignRight, 100},
                       {QStringLiteral("Product_desc"), QStringLiteral("Description"), Qt::AlignLeft, 200},
                       {QStringLiteral("Product_price"), QStringLiteral("Price"), Qt::AlignRight, 100}});
    grid_->setRowSelect(true);
}

void TestDbGrid::cleanup()
{
    grid_.reset();
    dialogs_.reset();
    db_.reset();
}

void TestDbGrid::addProducts(int count)
{
    TDataModule2 &dm = db_->dm();
    StoreTransaction transaction(dm.database());
    Table &p = dm.producttb;
    for (int i = 1; i <= count; ++i) {
        p.append();
        p.field("Product_upc").setFloat(i);
        p.field("Product_desc").setString(QStringLiteral("Product %1").arg(i));
        p.field("Product_price").setFloat(i / 100.0);
        p.post();
    }
    transaction.commit();
    p.first();
}

Table &TestDbGrid::showProducts(int count)
{
    addProducts(count);
    Table &p = db_->dm().producttb;
    grid_->setDataSource(&p);
    grid_->show();
    settle();
    return p;
}

void TestDbGrid::readsOnlyWhatIsOnScreen()
{
    showProducts(5000);
    TableModel &model = grid_->tableModel();
    QCOMPARE(model.rowCount(), 5000);
    QVERIFY2(model.databaseReads() <= 3, qPrintable(QString::number(model.databaseReads()))); // count + first page
    QCOMPARE(cell(0, 1), QStringLiteral("Product 1"));

    const int before = model.databaseReads();
    grid_->scrollToBottom();
    settle();
    QCOMPARE(cell(4999, 1), QStringLiteral("Product 5000"));
    QVERIFY(model.databaseReads() - before <= 2);
    QCOMPARE(grid_->tableModel().currentRow(), 0);
}

void TestDbGrid::columnsTitlesAndAlignment()
{
    db_->addProduct(12, QStringLiteral("Cola"), 1234.5);
    grid_->setDataSource(&db_->dm().producttb);
    grid_->show();
    settle();
    QAbstractItemModel *m = grid_->model();
    QCOMPARE(m->headerData(0, Qt::Horizontal).toString(), QStringLiteral("UPC"));
    QCOMPARE(Qt::Alignment(m->headerData(0, Qt::Horizontal, Qt::TextAlignmentRole).toInt()) & Qt::AlignHorizontal_Mask,
             Qt::AlignRight);
    QCOMPARE(Qt::Alignment(m->headerData(1, Qt::Horizontal, Qt::TextAlignmentRole).toInt()) & Qt::AlignHorizontal_Mask,
             Qt::AlignLeft);
    QCOMPARE(Qt::Alignment(m->index(0, 2).data(Qt::TextAlignmentRole).toInt()) & Qt::AlignHorizontal_Mask,
             Qt::AlignRight);
    QCOMPARE(Qt::Alignment(m->index(0, 1).data(Qt::TextAlignmentRole).toInt()) & Qt::AlignHorizontal_Mask,
             Qt::AlignLeft);
    QCOMPARE(cell(0, 0), QStringLiteral("12"));
    QCOMPARE(cell(0, 2), QStringLiteral("$1,234.50"));
    QCOMPARE(grid_->columnWidth(1), 200);
    grid_->setColumnTitle(2, QStringLiteral("Prix"));
    QCOMPARE(m->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Prix"));
    QVERIFY(grid_->editTriggers() == QAbstractItemView::NoEditTriggers);
}

void TestDbGrid::recordInEditAndInsertShowTheirBuffer()
{
    Table &p = showProducts(3);
    p.next();
    p.edit();
    p.field("Product_desc").setString(QStringLiteral("Being edited"));
    settle();
    QCOMPARE(cell(1, 1), QStringLiteral("Being edited"));
    QCOMPARE(cell(0, 1), QStringLiteral("Product 1"));
    p.cancel();
    settle();
    QCOMPARE(cell(1, 1), QStringLiteral("Product 2"));

    p.append();
    p.field("Product_upc").setFloat(99);
    settle();
    QCOMPARE(grid_->model()->rowCount(), 4);
    QCOMPARE(cell(3, 0), QStringLiteral("99"));
    QCOMPARE(grid_->currentIndex().row(), 3);
    p.cancel();
    settle();
    QCOMPARE(grid_->model()->rowCount(), 3);
}

void TestDbGrid::mouseChoiceMovesTheTable()
{
    Table &p = showProducts(10);
    const QPoint row4 = grid_->visualRect(grid_->model()->index(4, 1)).center();
    QTest::mouseClick(grid_->viewport(), Qt::LeftButton, Qt::NoModifier, row4);
    QCOMPARE(p.field("Product_upc").asFloat(), 5.0);
    QTest::keyClick(grid_.get(), Qt::Key_Down);
    QCOMPARE(p.field("Product_upc").asFloat(), 6.0);

    // A record in edit is posted before the table moves.
    p.edit();
    p.field("Product_desc").setString(QStringLiteral("Changed"));
    settle();
    QTest::mouseClick(grid_->viewport(), Qt::LeftButton, Qt::NoModifier, row4);
    QCOMPARE(p.field("Product_upc").asFloat(), 5.0);
    QVERIFY(p.findKey(6.0));
    QCOMPARE(p.field("Product_desc").asString(), QStringLiteral("Changed"));
}

void TestDbGrid::followsTheTablesCurrentRecord()
{
    addProducts(300);
    Table &p = db_->dm().producttb;
    grid_->setDataSource(&p);
    grid_->setRowIndicator(true);
    grid_->show();
    QVERIFY(p.findKey(250.0));
    settle();
    QCOMPARE(grid_->currentIndex().row(), 249);
    QCOMPARE(grid_->model()->headerData(249, Qt::Vertical).toString(), QStringLiteral("\u25B6"));
    QCOMPARE(grid_->model()->headerData(248, Qt::Vertical).toString(), QString());
    QVERIFY(grid_->viewport()->rect().intersects(grid_->visualRect(grid_->currentIndex())));
}

void TestDbGrid::refreshesOncePerTurnOfTheLoop()
{
    Table &p = showProducts(3);
    const int before = grid_->tableModel().databaseReads();
    p.edit();
    for (int i = 0; i < 20; ++i)
        p.field("Product_qty").setFloat(i);
    p.post();
    QCOMPARE(grid_->tableModel().databaseReads(), before);
    settle();
    QVERIFY(grid_->tableModel().databaseReads() - before <= 2); // one reload: count and a page
}

void TestDbGrid::announcesOnlyTheRowsThatChanged()
{
    Table &p = showProducts(8);
    QSignalSpy changed(grid_->model(), &QAbstractItemModel::dataChanged);
    QVERIFY(p.findKey(3.0));
    p.edit();
    p.field("Product_desc").setString(QStringLiteral("Renamed"));
    p.post();
    settle();
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed[0][0].toModelIndex().row(), 2);
    QCOMPARE(changed[0][1].toModelIndex().row(), 2);
    QCOMPARE(cell(2, 1), QStringLiteral("Renamed"));

    // A record taking a place in the middle moves every row after it.
    changed.clear();
    db_->addProduct(4.5, QStringLiteral("Between"), 1);
    settle();
    QList<int> rows;
    for (const QList<QVariant> &signal : changed)
        rows << signal[0].toModelIndex().row();
    QCOMPARE(rows, (QList<int>{4, 5, 6, 7}));
    QCOMPARE(cell(4, 1), QStringLiteral("Between (long)"));
    QCOMPARE(cell(8, 1), QStringLiteral("Product 8"));
}

void TestDbGrid::hiddenGridReadsNothing()
{
    Table &p = showProducts(3);
    grid_->hide();
    const int before = grid_->tableModel().databaseReads();
    for (int i = 0; i < 5; ++i)
        p.next();
    db_->addProduct(50, QStringLiteral("Late"), 1);
    settle();
    QCOMPARE(grid_->tableModel().databaseReads(), before);
    grid_->show();
    settle();
    QCOMPARE(grid_->model()->rowCount(), 4);
    QCOMPARE(cell(3, 1), QStringLiteral("Late (long)"));
}

void TestDbGrid::watchedGridReadsAgainOnlyAfterAChange_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("readsAgain");
    QTest::newRow("nothing") << "" << false;
    QTest::newRow("another program's commit") << "other" << true;
    QTest::newRow("a write past the table") << "past" << true;
}

void TestDbGrid::watchedGridReadsAgainOnlyAfterAChange()
{
    QFETCH(QString, change);
    QFETCH(bool, readsAgain);
    const QString late = QStringLiteral("INSERT INTO product (Product_upc, Product_desc) VALUES (50, 'Late')");
    grid_->watchDatabase(db_->dm().database());
    showProducts(3);
    grid_->hide();
    const int before = grid_->tableModel().databaseReads();
    if (change == QLatin1String("other")) {
        OwnConnection other(db_->databaseFile());
        QVERIFY(other.exec(late));
    } else if (change == QLatin1String("past")) {
        executeSql(db_->dm().database().handle(), late);
    }
    grid_->show();
    settle();
    QCOMPARE(grid_->tableModel().databaseReads() > before, readsAgain);
    QCOMPARE(grid_->model()->rowCount(), readsAgain ? 4 : 3);
}

void TestDbGrid::suspendedTableDoesNotRefresh()
{
    Table &p = showProducts(3);
    const int before = grid_->tableModel().databaseReads();
    p.disableControls();
    for (p.first(); !p.eof(); p.next()) {
        p.edit();
        p.field("Product_desc").setString(QStringLiteral("Zeroed"));
        p.post();
    }
    settle();
    QCOMPARE(grid_->tableModel().databaseReads(), before);
    p.enableControls();
    settle();
    QCOMPARE(cell(0, 1), QStringLiteral("Zeroed"));
}

void TestDbGrid::closedTableShowsNothing()
{
    Table &p = showProducts(3);
    p.close();
    settle();
    QCOMPARE(grid_->model()->rowCount(), 0);
    p.open();
    settle();
    QCOMPARE(grid_->model()->rowCount(), 3);
}

QTEST_MAIN(TestDbGrid)
#include "test_db_grid.moc"
