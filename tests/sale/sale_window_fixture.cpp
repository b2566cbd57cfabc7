#include "sale_window_fixture.h"

#include "common/clock.h"
#include "common/language.h"
#include "widgets/db_grid.h"

#include <QtTest>

SaleWindowFixture::SaleWindowFixture()
{
    setLanguageSetting(QStringLiteral("0"));
    Clock::setFixed(QDateTime(QDate(2026, 3, 5), QTime(12, 0)));
    names.display = QStringLiteral("LineDisplay");

    db.addCashier(7, QStringLiteral("Ann"));
    db.addProduct(1001, QStringLiteral("Cola"), 1.99, true);
    db.addProduct(1002, QStringLiteral("Chips"), 2.00);
    db.addProduct(1003, QStringLiteral("Coffee"), 9.99);
    db.addProduct(1004, QStringLiteral("Bag"), 0.00);
    db.addProduct(1005, QStringLiteral("Flour"), 3.49);
    Table &p = dm().producttb;
    QVERIFY(p.findKey(1003.0));
    p.edit();
    p.field("Product_promo").setFloat(7.99);
    p.field("Product_promo_start").setDate(QDate(2026, 3, 1));
    p.field("Product_promo_end").setDate(QDate(2026, 3, 10));
    p.field("Product_avg_cost").setFloat(6.50);
    p.post();
    QVERIFY(p.findKey(1005.0));
    p.edit();
    p.field("Product_avg_cost").setFloat(2.40);
    p.post();
    db.setControl(QStringLiteral("Ctrl_tx1"), QStringLiteral("GST"));
    db.setControl(QStringLiteral("Ctrl_tx1_rate"), 0.05);
    QVERIFY(dm().cashiertb.findKey(7));

    form_ = std::make_unique<TForm1>(dm(), settings, devices, names);
    form_->show();
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    form_->StartWorkHeader();
    form_->FocusUpcField();
    settle();
}

SaleWindowFixture::~SaleWindowFixture()
{
    form_.reset();
    Clock::useSystemClock();
}

QWidget *SaleWindowFixture::focused() const
{
    return form_->focusWidget();
}

QString SaleWindowFixture::focusedName() const
{
    return focused() ? focused()->objectName() : QString();
}

void SaleWindowFixture::type(const QString &text)
{
    QTest::keyClicks(focused(), text);
}

void SaleWindowFixture::press(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(focused(), key, modifiers);
}

void SaleWindowFixture::ring(const QString &code, const QString &quantity, const QString &discount,
                             const QString &price)
{
    type(code);
    press(Qt::Key_Return);
    for (const QString &entry : {quantity, discount, price}) {
        if (!entry.isEmpty())
            type(entry);
        press(Qt::Key_Return);
    }
}

void SaleWindowFixture::clickGridRow(int row)
{
    settle();
    DBGrid *grid = form_->DBGrid1;
    const QRect cell = grid->visualRect(grid->model()->index(row, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
}

QList<double> SaleWindowFixture::lineValues(const char *field)
{
    QList<double> values;
    Table &lines = dm().tmpdetail;
    for (const TableRow &row : lines.rows(0, 1000))
        values.append(row.values[lines.fieldIndex(QLatin1String(field))].toDouble());
    return values;
}

double SaleWindowFixture::header(const char *field)
{
    return dm().tmpmaster.field(QLatin1String(field)).asFloat();
}

int SaleWindowFixture::lineCount()
{
    return dm().tmpdetail.recordCount();
}

void SaleWindowFixture::settle()
{
    QCoreApplication::processEvents();
}
