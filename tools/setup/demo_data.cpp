#include "demo_data.h"

#include "common/clock.h"
#include "store/data_module.h"

namespace {

struct DemoProduct {
    long long item;    // the last five digits before the check digit
    const char *desc;
    const char *shortDesc;
    int dept;
    double price;
    double cost;
    double quantity;
    bool tx1;
    bool tx2;
};

// Groceries are not taxed; prepared and household goods bear both taxes.
const DemoProduct Products[] = {
    {10001, "White bread, sliced, 675 g", "White bread", 30, 2.99, 1.45, 40, false, false},
    {10002, "Whole wheat bread, 675 g", "Whole wheat bread", 30, 3.29, 1.60, 35, false, false},
    {10003, "Butter croissants, 6 pack", "Croissants 6pk", 30, 4.99, 2.40, 20, false, false},
    {10004, "Bagels, plain, 6 pack", "Bagels 6pk", 30, 3.79, 1.70, 24, false, false},
    {10005, "Blueberry muffins, 4 pack", "Muffins 4pk", 30, 5.49, 2.60, 18, true, true},
    {20001, "Milk 2%, 2 L", "Milk 2% 2L", 20, 4.79, 3.10, 60, false, false},
    {20002, "Milk 1%, 1 L", "Milk 1% 1L", 20, 2.89, 1.85, 48, false, false},
    {20003, "Cheddar cheese, old, 400 g", "Old cheddar 400g", 20, 7.99, 4.90, 30, false, false},
    {20004, "Plain yogurt, 750 g", "Yogurt 750g", 20, 3.99, 2.20, 36, false, false},
    {20005, "Salted butter, 454 g", "Butter 454g", 20, 5.99, 4.10, 40, false, false},
    {20006, "Large eggs, dozen", "Eggs dozen", 20, 4.29, 2.75, 50, false, false},
    {10011, "Spaghetti, 900 g", "Spaghetti 900g", 10, 2.49, 1.10, 45, false, false},
    {10012, "Tomato sauce, 680 ml", "Tomato sauce", 10, 2.79, 1.30, 40, false, false},
    {10013, "Long grain rice, 2 kg", "Rice 2kg", 10, 5.99, 3.20, 25, false, false},
    {10014, "Rolled oats, 1 kg", "Rolled oats 1kg", 10, 4.49, 2.30, 30, false, false},
    {10015, "Peanut butter, smooth, 1 kg", "Peanut butter 1kg", 10, 6.99, 4.10, 22, false, false},
    {10016, "Maple syrup, amber, 540 ml", "Maple syrup 540ml", 10, 11.99, 7.50, 15, false, false},
    {10017, "Ground coffee, medium roast, 340 g", "Coffee 340g", 10, 9.49, 5.80, 28, false, false},
    {10018, "Orange pekoe tea, 72 bags", "Tea 72 bags", 10, 5.29, 2.90, 26, false, false},
    {10019, "Potato chips, salted, 200 g", "Chips 200g", 10, 3.49, 1.60, 48, true, true},
    {10020, "Milk chocolate bar, 100 g", "Chocolate bar", 10, 1.99, 0.85, 96, true, true},
    {50001, "Spring water, 24 x 500 ml", "Water 24pk", 50, 4.99, 2.60, 30, false, false},
    {50002, "Orange juice, not from concentrate, 1.75 L", "Orange juice", 50, 5.49, 3.30, 24, false, false},
    {50003, "Cola, 12 x 355 ml cans", "Cola 12pk", 50, 7.99, 4.20, 36, true, true},
    {50004, "Sparkling water, lime, 1 L", "Sparkling lime 1L", 50, 1.79, 0.80, 40, true, true},
    {50005, "Iced tea, lemon, 2 L", "Iced tea 2L", 50, 3.29, 1.60, 30, true, true},
    {40001, "Paper towels, 6 rolls", "Paper towels 6", 40, 8.99, 5.10, 20, true, true},
    {40002, "Bathroom tissue, 12 double rolls", "Tissue 12 rolls", 40, 9.99, 5.90, 20, true, true},
    {40003, "Dish soap, 950 ml", "Dish soap", 40, 3.99, 1.90, 30, true, true},
    {40004, "Laundry detergent, 2.95 L", "Detergent 2.95L", 40, 12.99, 7.80, 14, true, true},
    {40005, "Garbage bags, 40 count", "Garbage bags 40", 40, 7.49, 3.90, 18, true, true},
    {40006, "AA batteries, 8 pack", "AA batteries 8pk", 40, 10.99, 6.20, 16, true, true},
    {40007, "Light bulbs, LED, 4 pack", "LED bulbs 4pk", 40, 14.99, 8.40, 10, true, true},
    {40008, "Hand soap, 500 ml", "Hand soap", 40, 2.99, 1.30, 24, true, true},
    {30006, "Cinnamon rolls, 6 pack", "Cinnamon rolls", 30, 5.99, 2.80, 12, true, true},
    {50006, "Sports drink, 710 ml", "Sports drink", 50, 2.29, 1.05, 48, true, true},
};

// The store's own manufacturer prefix: a UPC-A code is 0, the five-digit
// prefix, the five-digit item number and the check digit.
constexpr long long ManufacturerPrefix = 62813;

double upcOf(long long item)
{
    const long long eleven = ManufacturerPrefix * 100000 + item;
    return static_cast<double>(eleven * 10 + upcCheckDigit(eleven));
}

void addCashier(Table &t, int id, const QString &name, bool manager, bool training)
{
    t.append();
    t.field(QStringLiteral("Cashier_id")).setInteger(id);
    t.field(QStringLiteral("Cashier_name")).setString(name);
    t.field(QStringLiteral("Cashier_type")).setBoolean(manager);
    t.field(QStringLiteral("Cashier_train")).setBoolean(training);
    t.post();
}

void addDepartment(Table &t, int code, const QString &desc, int account)
{
    t.append();
    t.field(QStringLiteral("Dept_code")).setInteger(code);
    t.field(QStringLiteral("Dept_desc")).setString(desc);
    t.field(QStringLiteral("Dept_sales_accnt")).setInteger(account);
    t.post();
}

void setText(Table &t, const QString &field, const QString &value)
{
    t.field(field).setString(value);
}

}

int upcCheckDigit(long long elevenDigits)
{
    // Odd positions (from the left, 1-based) weigh 3, even positions 1.
    int sum = 0;
    for (int position = 11; position >= 1; --position, elevenDigits /= 10)
        sum += int(elevenDigits % 10) * (position % 2 == 1 ? 3 : 1);
    return (10 - sum % 10) % 10;
}

void fillDemoData(TDataModule2 &dm)
{
    StoreTransaction transaction(dm.database());
    for (Table *t : dm.tables())
        t->open();

    addCashier(dm.cashiertb, 1, QStringLiteral("Marie Tremblay"), true, false);
    addCashier(dm.cashiertb, 2, QStringLiteral("Luc Gagnon"), false, false);
    addCashier(dm.cashiertb, 9, QStringLiteral("Trainee"), false, true);

    addDepartment(dm.DeptTb, 10, QStringLiteral("Grocery"), 4010);
    addDepartment(dm.DeptTb, 20, QStringLiteral("Dairy"), 4020);
    addDepartment(dm.DeptTb, 30, QStringLiteral("Bakery"), 4030);
    addDepartment(dm.DeptTb, 40, QStringLiteral("Household"), 4040);
    addDepartment(dm.DeptTb, 50, QStringLiteral("Beverages"), 4050);

    const QDate today = Clock::today();
    Table &p = dm.producttb;
    for (const DemoProduct &d : Products) {
        p.append();
        p.field(QStringLiteral("Product_upc")).setFloat(upcOf(d.item));
        p.field(QStringLiteral("Product_desc")).setString(QString::fromUtf8(d.desc));
        p.field(QStringLiteral("Product_short_desc")).setString(QString::fromUtf8(d.shortDesc));
        p.field(QStringLiteral("Product_dept")).setInteger(d.dept);
        p.field(QStringLiteral("Product_price")).setFloat(d.price);
        p.field(QStringLiteral("Product_avg_cost")).setFloat(d.cost);
        p.field(QStringLiteral("Product_qty")).setFloat(d.quantity);
        p.field(QStringLiteral("Product_tx1")).setBoolean(d.tx1);
        p.field(QStringLiteral("Product_tx2")).setBoolean(d.tx2);
        p.field(QStringLiteral("Product_accnt")).setInteger(4000 + d.dept);
        if (d.item == 10017) { // coffee on promotion for a month from today
            p.field(QStringLiteral("Product_promo")).setFloat(7.99);
            p.field(QStringLiteral("Product_promo_start")).setDate(today);
            p.field(QStringLiteral("Product_promo_end")).setDate(today.addDays(30));
        }
        p.post();
    }

    Table &c = dm.Control;
    c.first();
    c.edit();
    setText(c, QStringLiteral("Ctrl_company_name"), QStringLiteral("Corner Market"));
    setText(c, QStringLiteral("Ctrl_company_adr1"), QStringLiteral("125 Main Street"));
    setText(c, QStringLiteral("Ctrl_company_adr2"), QStringLiteral("Springfield ON  K2P 1L4"));
    setText(c, QStringLiteral("Ctrl_company_tel"), QStringLiteral("Tel. 613-555-0142"));
    setText(c, QStringLiteral("Ctrl_slip_mess"), QStringLiteral("Thank you for shopping with us"));
    setText(c, QStringLiteral("Ctrl_slip_mess2"), QStringLiteral("Returns within 30 days"));
    setText(c, QStringLiteral("Ctrl_slip_mess3"), QStringLiteral("with your receipt"));
    const QStringList tenders{"Cash", "Cheque", "Debit", "Visa", "MasterCard"};
    for (int i = 0; i < tenders.size(); ++i)
        setText(c, QStringLiteral("Ctrl_pmt%1").arg(i + 1), tenders[i]);
    c.field(QStringLiteral("Ctrl_pmt1_type")).setBoolean(true);
    for (int i = 2; i <= 5; ++i)
        c.field(QStringLiteral("Ctrl_pmt%1_type").arg(i)).setBoolean(false);
    setText(c, QStringLiteral("Ctrl_cpn1"), QStringLiteral("Store cpn"));
    setText(c, QStringLiteral("Ctrl_cpn2"), QStringLiteral("Mfr coupon"));
    setText(c, QStringLiteral("Ctrl_cpn3"), QStringLiteral("Gift cert"));
    setText(c, QStringLiteral("Ctrl_tx1"), QStringLiteral("GST"));
    setText(c, QStringLiteral("Ctrl_tx2"), QStringLiteral("PST"));
    c.field(QStringLiteral("Ctrl_tx1_rate")).setFloat(0.05);
    c.field(QStringLiteral("Ctrl_tx2_rate")).setFloat(0.08);
    c.field(QStringLiteral("Ctrl_tx3_rate")).setFloat(0);
    c.field(QStringLiteral("Ctrl_tx2_txontx")).setBoolean(false);
    c.field(QStringLiteral("Ctrl_tx3_txontx")).setBoolean(false);
    c.field(QStringLiteral("Ctrl_slip")).setBoolean(true);
    c.field(QStringLiteral("Ctrl_invoice")).setBoolean(false);
    c.field(QStringLiteral("Ctrl_eod_cashier")).setBoolean(true);
    c.field(QStringLiteral("Ctrl_eod_fin")).setBoolean(true);
    c.field(QStringLiteral("Ctrl_eod_product")).setBoolean(false);
    c.field(QStringLiteral("Ctrl_export")).setBoolean(true);
    c.field(QStringLiteral("Ctrl_fc_rate")).setFloat(1.35);
    c.field(QStringLiteral("Ctrl_cashdrawer")).setBoolean(true);
    c.field(QStringLiteral("Ctrl_linedisp")).setBoolean(true);
    c.field(QStringLiteral("Ctrl_invoice_no")).setFloat(1000);
    c.field(QStringLiteral("Ctrl_terminal_id")).setInteger(1);
    c.post();

    transaction.commit();
    for (Table *t : dm.tables())
        t->close();
}
