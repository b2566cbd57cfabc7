#include "report_fixture.h"

namespace ReportFixture {

void configureControl(TestDatabase &db)
{
    const QList<std::pair<const char *, QVariant>> values{
        {"Ctrl_company_name", "Corner Store"},  {"Ctrl_company_adr1", "12 Main Street"},
        {"Ctrl_company_adr2", "Springfield"},   {"Ctrl_company_tel", "555-0100"},
        {"Ctrl_slip_mess", "Thank you"},        {"Ctrl_slip_mess2", "Come again"},
        {"Ctrl_slip_mess3", "No refunds"},      {"Ctrl_cpn1", "Store cpn"},
        {"Ctrl_cpn2", "Maker cpn"},             {"Ctrl_cpn3", "Gift cert"},
        {"Ctrl_tx1", "GST"},                    {"Ctrl_tx2", "PST"},
        {"Ctrl_tx3", "HST"},                    {"Ctrl_terminal_id", 3},
        {"Ctrl_fc_rate", 1.25},
    };
    for (const auto &[field, value] : values)
        db.setControl(QLatin1String(field), value);
    nameTenders(db, {"Cash", "Cheque", "Visa", "MC", "Debit"});
}

void nameTenders(TestDatabase &db, const QStringList &paymentNames)
{
    for (int i = 0; i < 5; ++i)
        db.setControl(QStringLiteral("Ctrl_pmt%1").arg(i + 1), paymentNames.value(i));
}

void postSale(TDataModule2 &dm, const PostedSale &sale)
{
    Table &h = dm.tranmaster;
    h.append();
    h.field("Trxh_id").setFloat(sale.id);
    h.field("Trxh_date").setDate(sale.date);
    h.field("Trxh_time").setTime(sale.time);
    h.field("Trxh_cashier").setInteger(sale.cashier);
    h.field("Trxh_total").setFloat(sale.subtotal);
    h.field("Trxh_tx1").setFloat(sale.tx1);
    h.field("Trxh_tx2").setFloat(sale.tx2);
    h.field("Trxh_tx3").setFloat(sale.tx3);
    h.field("Trxh_grand_total").setFloat(sale.subtotal + sale.tx1 + sale.tx2 + sale.tx3);
    for (int i = 0; i < 5; ++i)
        h.field(QStringLiteral("Trxh_pmt%1").arg(i + 1)).setFloat(sale.payments[i]);
    h.field("Trxh_fc1").setFloat(sale.foreign);
    for (int i = 1; i <= 3; ++i)
        h.field(QStringLiteral("Trxh_cpn%1").arg(i)).setFloat(0);
    h.field("Trxh_change").setFloat(sale.change);
    h.field("Trxh_terminal_id").setInteger(3);
    h.post();
    for (const SaleLine &line : sale.lines)
        addPostedLine(dm, sale.id, line);
}

void setWorkHeader(TDataModule2 &dm, int cashier, const QDate &date, double subtotal, double tx1,
                   const QList<double> &payments, double foreign)
{
    Table &h = dm.tmpmaster;
    h.append();
    h.field("Trxh_cashier").setInteger(cashier);
    h.field("Trxh_date").setDate(date);
    h.field("Trxh_time").setTime(QTime(10, 0));
    h.field("Trxh_total").setFloat(subtotal);
    h.field("Trxh_tx1").setFloat(tx1);
    h.field("Trxh_tx2").setFloat(0);
    h.field("Trxh_tx3").setFloat(0);
    h.field("Trxh_grand_total").setFloat(subtotal + tx1);
    for (int i = 0; i < 5; ++i)
        h.field(QStringLiteral("Trxh_pmt%1").arg(i + 1)).setFloat(payments.value(i));
    h.field("Trxh_fc1").setFloat(foreign);
    h.post();
}

SaleRecord invoiceSale(TDataModule2 &dm)
{
    SaleRecord sale = readWorkSale(dm, 0, false);
    sale.header = currentRecord(dm.tranmaster);
    return sale;
}

PostedSale sampleSale(double id, const QDate &date, int lineCount)
{
    PostedSale sale{id, date, QTime(9, 30, 5), 7, 0, 0, 0, 0, {0, 0, 0, 0, 0}, 0, 0, {}};
    for (int i = 0; i < lineCount; ++i) {
        const double total = 2.5 * (i + 1);
        sale.lines.append({5000.0 + i, QStringLiteral("Item %1 of sale %2").arg(i + 1).arg(id), 1, total, total});
        sale.subtotal += total;
    }
    sale.tx1 = sale.subtotal * 0.05;
    sale.payments[0] = sale.subtotal + sale.tx1;
    return sale;
}

}
