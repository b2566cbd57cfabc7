// The line grid as it stands on screen, painted a piece at a time as lines
// are rung, cleared and chosen, must show exactly what painting it whole
// shows: no row left stale or drawn at the place it scrolled away from.
#include "sale_window_fixture.h"

#include "widgets/db_grid.h"

#include <QScreen>
#include <QScrollBar>
#include <QtTest>

class TestSaleGridScreen : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void gridOnScreenIsTheGridPaintedWhole_data();
    void gridOnScreenIsTheGridPaintedWhole();

private:
    // What the window shows of the grid's rows now, and the same rows
    // painted afresh.
    QImage onScreen();
    // The grid follows at the next turn of the loop, and paints at the one after.
    void paintPending();
    QImage paintedWhole();
    std::unique_ptr<SaleWindowFixture> f;
};

void TestSaleGridScreen::init()
{
    f = std::make_unique<SaleWindowFixture>();
}

void TestSaleGridScreen::cleanup()
{
    f.reset();
}

QImage TestSaleGridScreen::onScreen()
{
    QWidget *rows = f->form().DBGrid1->viewport();
    const QPoint at = rows->mapTo(rows->window(), QPoint(0, 0));
    return rows->screen()
        ->grabWindow(rows->window()->winId(), at.x(), at.y(), rows->width(), rows->height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

void TestSaleGridScreen::paintPending()
{
    for (int turn = 0; turn < 3; ++turn)
        f->settle();
}

QImage TestSaleGridScreen::paintedWhole()
{
    return f->form().DBGrid1->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void TestSaleGridScreen::gridOnScreenIsTheGridPaintedWhole_data()
{
    // Steps: a code rung, "clear" (F6), "void" (F5 and a code), "pick N"
    // (row N chosen with the mouse, then back to the UPC field).
    QTest::addColumn<QStringList>("steps");
    QStringList seventy;
    for (int i = 0; i < 70; ++i)
        seventy << QString::number(1001 + i % 3);
    QTest::newRow("seventy lines, the grid scrolling") << seventy;
    QTest::newRow("lines cleared and voided while scrolled")
        << seventy.mid(0, 40) + QStringList{"clear", "1002", "void", "1001", "clear", "clear"} + seventy.mid(0, 25);
    QTest::newRow("a row chosen far up, then more lines")
        << seventy.mid(0, 45) + QStringList{"pick 3", "1005", "pick 40", "clear"} + seventy.mid(0, 20);
}

void TestSaleGridScreen::gridOnScreenIsTheGridPaintedWhole()
{
    QFETCH(QStringList, steps);
    DBGrid *grid = f->form().DBGrid1;
    int step = 0;
    for (const QString &s : steps) {
        if (s == QLatin1String("clear")) {
            f->press(Qt::Key_F6);
        } else if (s == QLatin1String("void")) {
            f->press(Qt::Key_F5);
        } else if (s.startsWith(QLatin1String("pick "))) {
            const int row = s.mid(5).toInt();
            grid->scrollTo(grid->model()->index(row, 0));
            f->clickGridRow(row);
            paintPending();
            QCOMPARE(onScreen(), paintedWhole());
            f->press(Qt::Key_Down); // back to the UPC field
        } else {
            f->ring(s);
        }
        paintPending();
        ++step;
        QVERIFY2(onScreen() == paintedWhole(), qPrintable(QStringLiteral("after step %1 (%2)").arg(step).arg(s)));
    }
    QVERIFY(grid->verticalScrollBar()->value() > 0);
    // The entry line at the bottom is in view.
    const QRect entry = grid->visualRect(grid->model()->index(grid->model()->rowCount() - 1, 0));
    QVERIFY(grid->viewport()->rect().contains(entry));
}

QTEST_MAIN(TestSaleGridScreen)
#include "test_sale_grid_screen.moc"
