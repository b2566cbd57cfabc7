#include "demo_data.h"

#include "common/amount_families.h"
#include "common/clock.h"
#include "store/data_module.h"

namespace {

struct DemoProduct {
    long long item; // the last five digits before the check digit
    // English and French descriptions; the short ones fit the 12 columns
    // the receipt gives them.
    const char *desc;
    const char *shortDesc;
    const char *descFr;
    const char *shortDescFr;
    int dept;
    double price;
    double cost;
    double quantity;
    bool tx1;
    bool tx2;
};

// Groceries are not taxed; prepared and household goods bear both taxes.
const DemoProduct Products[] = {
    {10001, "White bread, sliced, 675 g", "White bread", "Pain blanc tranché, 675 g", "Pain blanc", 30, 2.99, 1.45, 40, false, false},
    {10002, "Whole wheat bread, 675 g", "Wheat bread", "Pain de blé entier, 675 g", "Pain blé", 30, 3.29, 1.60, 35, false, false},
    {10003, "Butter croissants, 6 pack", "Croissants 6", "Croissants au beurre, paquet de 6", "Croissants 6", 30, 4.99, 2.40, 20, false, false},
    {10004, "Bagels, plain, 6 pack", "Bagels 6pk", "Bagels nature, paquet de 6", "Bagels 6", 30, 3.79, 1.70, 24, false, false},
    {10005, "Blueberry muffins, 4 pack", "Muffins 4pk", "Muffins aux bleuets, paquet de 4", "Muffins 4", 30, 5.49, 2.60, 18, true, true},
    {20001, "Milk 2%, 2 L", "Milk 2% 2L", "Lait 2 %, 2 L", "Lait 2% 2L", 20, 4.79, 3.10, 60, false, false},
    {20002, "Milk 1%, 1 L", "Milk 1% 1L", "Lait 1 %, 1 L", "Lait 1% 1L", 20, 2.89, 1.85, 48, false, false},
    {20003, "Cheddar cheese, old, 400 g", "Cheddar 400g", "Fromage cheddar fort, 400 g", "Cheddar 400g", 20, 7.99, 4.90, 30, false, false},
    {20004, "Plain yogurt, 750 g", "Yogurt 750g", "Yogourt nature, 750 g", "Yogourt 750g", 20, 3.99, 2.20, 36, false, false},
    {20005, "Salted butter, 454 g", "Butter 454g", "Beurre salé, 454 g", "Beurre 454g", 20, 5.99, 4.10, 40, false, false},
    {20006, "Large eggs, dozen", "Eggs dozen", "Gros oeufs, douzaine", "Oeufs 12", 20, 4.29, 2.75, 50, false, false},
    {10011, "Spaghetti, 900 g", "Spaghetti", "Spaghetti, 900 g", "Spaghetti", 10, 2.49, 1.10, 45, false, false},
    {10012, "Tomato sauce, 680 ml", "Tomato sauce", "Sauce tomate, 680 ml", "Sauce tomate", 10, 2.79, 1.30, 40, false, false},
    {10013, "Long grain rice, 2 kg", "Rice 2kg", "Riz à grain long, 2 kg", "Riz 2kg", 10, 5.99, 3.20, 25, false, false},
    {10014, "Rolled oats, 1 kg", "Oats 1kg", "Flocons d'avoine, 1 kg", "Avoine 1kg", 10, 4.49, 2.30, 30, false, false},
    {10015, "Peanut butter, smooth, 1 kg", "Peanut 1kg", "Beurre d'arachide crémeux, 1 kg", "Arachide 1kg", 10, 6.99, 4.10, 22, false, false},
    {10016, "Maple syrup, amber, 540 ml", "Maple syrup", "Sirop d'érable ambré, 540 ml", "Sirop érable", 10, 11.99, 7.50, 15, false, false},
    {10017, "Ground coffee, medium roast, 340 g", "Coffee 340g", "Café moulu, torréfaction moyenne, 340 g", "Café 340g", 10, 9.49, 5.80, 28, false, false},
    {10018, "Orange pekoe tea, 72 bags", "Tea 72 bags", "Thé orange pekoe, 72 sachets", "Thé 72 sach.", 10, 5.29, 2.90, 26, false, false},
    {10019, "Potato chips, salted, 200 g", "Chips 200g", "Croustilles salées, 200 g", "Croustilles", 10, 3.49, 1.60, 48, true, true},
    {10020, "Milk chocolate bar, 100 g", "Choc. bar", "Tablette de chocolat au lait, 100 g", "Chocolat", 10, 1.99, 0.85, 96, true, true},
    {50001, "Spring water, 24 x 500 ml", "Water 24pk", "Eau de source, 24 x 500 ml", "Eau 24", 50, 4.99, 2.60, 30, false, false},
    {50002, "Orange juice, not from concentrate, 1.75 L", "Orange juice", "Jus d'orange, non fait de concentré, 1,75 L", "Jus d'orange", 50, 5.49, 3.30, 24, false, false},
    {50003, "Cola, 12 x 355 ml cans", "Cola 12pk", "Cola, 12 canettes de 355 ml", "Cola 12", 50, 7.99, 4.20, 36, true, true},
    {50004, "Sparkling water, lime, 1 L", "Sparkling 1L", "Eau pétillante, lime, 1 L", "Eau pét. 1L", 50, 1.79, 0.80, 40, true, true},
    {50005, "Iced tea, lemon, 2 L", "Iced tea 2L", "Thé glacé, citron, 2 L", "Thé glacé 2L", 50, 3.29, 1.60, 30, true, true},
    {40001, "Paper towels, 6 rolls", "Towels 6", "Essuie-tout, 6 rouleaux", "Essuie-tout", 40, 8.99, 5.10, 20, true, true},
    {40002, "Bathroom tissue, 12 double rolls", "Tissue 12", "Papier hygiénique, 12 rouleaux doubles", "Papier hyg.", 40, 9.99, 5.90, 20, true, true},
    {40003, "Dish soap, 950 ml", "Dish soap", "Savon à vaisselle, 950 ml", "Savon vaiss.", 40, 3.99, 1.90, 30, true, true},
    {40004, "Laundry detergent, 2.95 L", "Detergent", "Détergent à lessive, 2,95 L", "Détergent", 40, 12.99, 7.80, 14, true, true},
    {40005, "Garbage bags, 40 count", "Garbage bags", "Sacs à ordures, 40", "Sacs ordures", 40, 7.49, 3.90, 18, true, true},
    {40006, "AA batteries, 8 pack", "AA batts 8", "Piles AA, paquet de 8", "Piles AA 8", 40, 10.99, 6.20, 16, true, true},
    {40007, "Light bulbs, LED, 4 pack", "LED bulbs 4", "Ampoules DEL, paquet de 4", "Ampoules 4", 40, 14.99, 8.40, 10, true, true},
    {40008, "Hand soap, 500 ml", "Hand soap", "Savon à mains, 500 ml", "Savon mains", 40, 2.99, 1.30, 24, true, true},
    {30006, "Cinnamon rolls, 6 pack", "Cinnamon 6", "Brioches à la cannelle, paquet de 6", "Brioches 6", 30, 5.99, 2.80, 12, true, true},
    {50006, "Sports drink, 710 ml", "Sports drink", "Boisson pour sportifs, 710 ml", "Bois. sport", 50, 2.29, 1.05, 48, true, true},
};

// The shop's own texts; tender, coupon and tax names fit the ten columns
// the receipt gives them.
struct DemoShop {
    const char *company[4]; // name, two address lines, telephone
    const char *messages[3];
    const char *tenders[PaymentCount];
    const char *coupons[CouponCount];
    const char *taxes[2];
    double secondTaxRate;
    const char *departments[5]; // 10 grocery, 20 dairy, 30 bakery, 40 household, 50 beverages
    const char *trainee;
};

const DemoShop EnglishShop{
    {"Corner Market", "125 Main Street", "Springfield ON  K2P 1L4", "Tel. 613-555-0142"},
    {"Thank you for shopping with us", "Returns within 30 days", "with your receipt"},
    {"Cash", "Cheque", "Debit", "Visa", "MasterCard"},
    {"Store cpn", "Mfr coupon", "Gift cert"},
    {"GST", "PST"},
    0.08,
    {"Grocery", "Dairy", "Bakery", "Household", "Beverages"},
    "Trainee",
};

const DemoShop FrenchShop{
    {"Marché du Coin", "125, rue Principale", "Gatineau QC  J8X 1L4", "Tél. 819-555-0142"},
    {"Merci de votre visite", "Retours acceptés sous 30 jours", "avec votre reçu"},
    {"Comptant", "Chèque", "Débit", "Visa", "MasterCard"},
    {"Coupon mag", "Coupon fab", "Bon cadeau"},
    {"TPS", "TVQ"},
    0.09975,
    {"Épicerie", "Produits laitiers", "Boulangerie", "Entretien", "Boissons"},
    "Stagiaire",
};

// The store's own manufacturer prefix: a UPC-A code is 0, the five-digit
// prefix, the five-digit item number and the check digit.
constexpr long long ManufacturerPrefix = 62813;

double upcOf(long long item)
{
    const long long eleven = ManufacturerPrefix * 100000 + item;
    return static_cast<double>(eleven * 10 + upcCheckDigit(eleven));
}

void addDepartment(Table &t, int code, const QString &desc, int account)
{
    t.append();
    t.field(QStringLiteral("Dept_code")).setInteger(code);
    t.field(QStringLiteral("Dept_desc")).setString(desc);
    t.field(QStringLiteral("Dept_sales_accnt")).setInteger(account);
    t.post();
}

void setText(Table &t, const QString &field, const char *value)
{
    t.field(field).setString(QString::fromUtf8(value));
}

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

int upcCheckDigit(long long elevenDigits)
{
    // Odd positions (from the left, 1-based) weigh 3, even positions 1.
    int sum = 0;
    for (int position = 11; position >= 1; --position, elevenDigits /= 10)
        sum += int(elevenDigits % 10) * (position % 2 == 1 ? 3 : 1);
    return (10 - sum % 10) % 10;
}

void setDemoTerminal(Table &c)
{
    c.field(QStringLiteral("Ctrl_slip")).setBoolean(true);
    c.field(QStringLiteral("Ctrl_invoice")).setBoolean(false);
    c.field(QStringLiteral("Ctrl_eod_cashier")).setBoolean(true);
    c.field(QStringLiteral("Ctrl_eod_fin")).setBoolean(true);
    c.field(QStringLiteral("Ctrl_eod_product")).setBoolean(false);
    c.field(QStringLiteral("Ctrl_export")).setBoolean(true);
    c.field(QStringLiteral("Ctrl_cashdrawer")).setBoolean(true);
    c.field(QStringLiteral("Ctrl_linedisp")).setBoolean(true);
    c.field(QStringLiteral("Ctrl_invoice_no")).setFloat(1000);
    c.field(QStringLiteral("Ctrl_terminal_id")).setInteger(1);
}

void fillDemoData(TDataModule2 &dm, bool french)
{
    const DemoShop &shop = french ? FrenchShop : EnglishShop;
    StoreTransaction transaction(dm.database());
    for (Table *t : dm.tables())
        t->open();

    addCashier(dm.cashiertb, 1, QStringLiteral("Marie Tremblay"), true, false);
    addCashier(dm.cashiertb, 2, QStringLiteral("Luc Gagnon"), false, false);
    addCashier(dm.cashiertb, 9, QString::fromUtf8(shop.trainee), false, true);

    for (int i = 0; i < 5; ++i)
        addDepartment(dm.DeptTb, 10 * (i + 1), QString::fromUtf8(shop.departments[i]), 4010 + 10 * i);

    const QDate today = Clock::today();
    Table &p = dm.producttb;
    for (const DemoProduct &d : Products) {
        p.append();
        p.field(QStringLiteral("Product_upc")).setFloat(upcOf(d.item));
        setText(p, QStringLiteral("Product_desc"), french ? d.descFr : d.desc);
        setText(p, QStringLiteral("Product_short_desc"), french ? d.shortDescFr : d.shortDesc);
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
    const char *const companyFields[] = {"Ctrl_company_name", "Ctrl_company_adr1", "Ctrl_company_adr2",
                                         "Ctrl_company_tel"};
    for (int i = 0; i < 4; ++i)
        setText(c, QLatin1String(companyFields[i]), shop.company[i]);
    const char *const messageFields[] = {"Ctrl_slip_mess", "Ctrl_slip_mess2", "Ctrl_slip_mess3"};
    for (int i = 0; i < 3; ++i)
        setText(c, QLatin1String(messageFields[i]), shop.messages[i]);
    for (int i = 1; i <= PaymentCount; ++i) {
        setText(c, numbered("Ctrl_pmt", i), shop.tenders[i - 1]);
        c.field(numbered("Ctrl_pmt", i, "_type")).setBoolean(i == 1); // cash
    }
    for (int i = 1; i <= CouponCount; ++i)
        setText(c, numbered("Ctrl_cpn", i), shop.coupons[i - 1]);
    setText(c, QStringLiteral("Ctrl_tx1"), shop.taxes[0]);
    setText(c, QStringLiteral("Ctrl_tx2"), shop.taxes[1]);
    c.field(QStringLiteral("Ctrl_tx1_rate")).setFloat(0.05);
    c.field(QStringLiteral("Ctrl_tx2_rate")).setFloat(shop.secondTaxRate);
    c.field(QStringLiteral("Ctrl_tx3_rate")).setFloat(0);
    c.field(QStringLiteral("Ctrl_tx2_txontx")).setBoolean(false);
    c.field(QStringLiteral("Ctrl_tx3_txontx")).setBoolean(false);
    c.field(QStringLiteral("Ctrl_fc_rate")).setFloat(1.35);
    setDemoTerminal(c);
    c.post();

    transaction.commit();
    for (Table *t : dm.tables())
        t->close();
}
