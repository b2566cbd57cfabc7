#include "product_import.h"

#include "import_file.h"

#include "store/data_module.h"
#include "store/store_error.h"

#include <QScopeGuard>

ImportSummary ProductImport::run(ImportText &text, const Progress &progress)
{
    ImportSummary summary;
    Table &products = dm_.producttb;
    products.disableControls(); // views refresh once, at the end
    const auto resumeViews = qScopeGuard([&] { products.enableControls(); });
    StoreTransaction transaction(dm_.database());

    QString line;
    while (text.nextLine(line)) {
        const int number = text.lineNumber();
        if (progress)
            progress(number);
        ProductLine product;
        const SkipReason reason = readProductLine(line, product);
        if (product.fieldCount == 0)
            continue; // a blank line holds no product
        if (reason != SkipReason::None) {
            summary.skip(number, reason,
                         reason == SkipReason::FieldCount ? QString::number(product.fieldCount) : product.upcText);
            continue;
        }
        try {
            ++(post(product) ? summary.added : summary.updated);
        } catch (const StoreError &e) {
            products.cancel();
            if (dm_.database().transactionLost()) {
                summary.stoppedAtLine = number;
                summary.stoppedBecause = e.message();
                return summary; // the guard closes what is left of the transaction
            }
            summary.skip(number, SkipReason::Refused, e.message());
        }
    }
    transaction.commit();
    return summary;
}

bool ProductImport::post(const ProductLine &line)
{
    Table &p = dm_.producttb;
    const bool adding = !p.findKey(line.upc);
    if (adding) {
        p.insert(); // the new-record defaults first
        p.field(QStringLiteral("Product_upc")).setFloat(line.upc);
    } else {
        p.edit();
    }
    // A value that does not convert leaves an existing product's as it is
    // and gives a new one 0; a new one's dates stay empty.
    const auto setMoney = [&](const QString &field, const std::optional<double> &value) {
        if (value || adding)
            p.field(field).setFloat(value.value_or(0.0));
    };
    const auto setDate = [&](const QString &field, const QDate &value) {
        if (value.isValid())
            p.field(field).setDate(value);
    };
    p.field(QStringLiteral("Product_desc")).setString(line.desc);
    p.field(QStringLiteral("Product_short_desc")).setString(line.shortDesc);
    p.field(QStringLiteral("Product_dept")).setInteger(line.dept);
    setMoney(QStringLiteral("Product_price"), line.price);
    setMoney(QStringLiteral("Product_promo"), line.promo);
    setDate(QStringLiteral("Product_promo_start"), line.promoStart);
    setDate(QStringLiteral("Product_promo_end"), line.promoEnd);
    setMoney(QStringLiteral("Product_avg_cost"), line.avgCost);
    p.field(QStringLiteral("Product_tx1")).setBoolean(line.tx1);
    p.field(QStringLiteral("Product_tx2")).setBoolean(line.tx2);
    p.field(QStringLiteral("Product_tx3")).setBoolean(line.tx3);
    p.field(QStringLiteral("Product_accnt")).setInteger(line.accnt);
    if (adding) {
        for (const QString &field : {QStringLiteral("Product_qty"), QStringLiteral("Product_sales"),
                                     QStringLiteral("Product_sales_ptd"), QStringLiteral("Product_qty_sales"),
                                     QStringLiteral("Product_qty_sales_pdt")})
            p.field(field).setFloat(0.0);
        p.field(QStringLiteral("Product_sales_by_week")).setString(QStringLiteral("")); // emptied, not left without value
    }
    p.post();
    return adding;
}
