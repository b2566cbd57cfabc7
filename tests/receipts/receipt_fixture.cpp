#include "receipt_fixture.h"

#include "sale_builder.h"

#include <QtTest>

ReceiptFixture::ReceiptFixture()
{
    const QList<QPair<QString, QVariant>> control{
        {"Ctrl_company_name", "Tillano Corner Store"}, {"Ctrl_company_adr1", "12 Main Street"},
        {"Ctrl_company_adr2", "Springfield"},         {"Ctrl_company_tel", "555-0100"},
        {"Ctrl_slip_mess", "Thank you!"},              {"Ctrl_slip_mess2", ""},
        {"Ctrl_slip_mess3", "Come again"},             {"Ctrl_tx1", "GST"},
        {"Ctrl_tx2", "PST"},                           {"Ctrl_pmt1", "Cash"},
        {"Ctrl_pmt2", "Visa"},                         {"Ctrl_cpn1", "Coupon"},
        {"Ctrl_terminal_id", 3},                       {"Ctrl_fc_rate", 1.25}};
    for (const auto &[field, value] : control)
        db.setControl(field, value);
    db.addCashier(7, QStringLiteral("Ann"));
    db.addCashier(9, QStringLiteral("Tom"), false, true);

    Table &work = dm().tmpmaster;
    work.append();
    work.field("Trxh_date").setDate(QDate(2026, 3, 9));
    work.field("Trxh_time").setTime(QTime(14, 5, 3));
    work.field("Trxh_cashier").setInteger(7);
    work.field("Trxh_total").setFloat(3.23);
    work.field("Trxh_tx1").setFloat(0.16);
    work.field("Trxh_tx2").setFloat(0.26);
    work.field("Trxh_grand_total").setFloat(3.65);
    work.field("Trxh_pmt1").setFloat(5.00);
    work.post();

    for (const SaleLine &line : {SaleLine{12345678901, "Apples", 2.5, 0, 4.98},
                                 SaleLine{42, "Chocolate bar deluxe", 1, 0, 1.25}, SaleLine{7, "Return", -1.5, 0, -3.00}})
        addWorkLine(dm(), line);

    Table &posted = dm().tranmaster;
    posted.append();
    posted.field("Trxh_id").setFloat(1005);
    for (int i = 0; i < work.fieldCount(); ++i) {
        const QString name = work.field(i).name();
        if (name != QLatin1String("Trxh_id") && !work.field(i).isNull())
            posted.field(name).setValue(work.field(i).value());
    }
    posted.field("Trxh_change").setFloat(-1.35);
    posted.field("Trxh_terminal_id").setInteger(3);
    posted.post();

    signIn(7);
}

void ReceiptFixture::signIn(int cashierId)
{
    QVERIFY(dm().cashiertb.findKey(cashierId));
}

void ReceiptFixture::setHeader(Table &table, const QString &field, const QVariant &value)
{
    table.edit();
    table.field(field).setValue(value);
    table.post();
}

ShopRecords ReceiptFixture::shop()
{
    return {currentRecord(dm().Control), currentRecord(dm().tmpmaster)};
}

SaleRecord ReceiptFixture::sale()
{
    Table &cashier = dm().cashiertb;
    const bool training = cashier.field("Cashier_train").asBoolean();
    SaleRecord sale = readWorkSale(dm(), cashier.field("Cashier_id").asInteger(), training);
    if (!training)
        sale.header = currentRecord(dm().tranmaster);
    return sale;
}

QStringList ReceiptFixture::print(void (ReceiptPrinting::*printout)())
{
    devices.printed.clear();
    (printing.*printout)();
    return devices.printed;
}

QStringList ReceiptFixture::print(void (ReceiptPrinting::*printout)(const SaleRecord &))
{
    SaleRecord printed = sale();
    if (printout == &ReceiptPrinting::print_receipt_stock) // a receiving is never posted
        printed = readWorkSale(dm(), printed.cashierId, printed.training);
    devices.printed.clear();
    (printing.*printout)(printed);
    return devices.printed;
}

QStringList ReceiptFixture::print(void (ReceiptPrinting::*printout)(int))
{
    devices.printed.clear();
    (printing.*printout)(dm().cashiertb.field("Cashier_id").asInteger());
    return devices.printed;
}
