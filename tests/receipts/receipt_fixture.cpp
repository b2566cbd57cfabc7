#include "receipt_fixture.h"

#include <QtTest>

namespace {
struct WorkLine {
    double upc;
    const char *description;
    double qty;
    double total;
};
}

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

    const WorkLine lines[] = {{12345678901, "Apples", 2.5, 4.98},
                              {42, "Chocolate bar deluxe", 1, 1.25},
                              {7, "Return", -1.5, -3.00}};
    for (const WorkLine &l : lines) {
        Table &detail = dm().tmpdetail;
        detail.append();
        detail.field("Trx_upc").setFloat(l.upc);
        detail.field("Trx_short_desc").setString(QLatin1String(l.description));
        detail.field("Trx_qty").setFloat(l.qty);
        detail.field("Trx_total").setFloat(l.total);
        detail.post();
    }

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

QStringList ReceiptFixture::print(void (ReceiptPrinting::*printout)())
{
    devices.calls.clear();
    (printing.*printout)();
    return devices.calls;
}
