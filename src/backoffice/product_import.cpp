#include "product_import.h"

#include "product_file.h"

#include "store/data_module.h"
#include "store/keyed_writes.h"
#include "store/store_error.h"

#include <QScopeGuard>

namespace {

// The product's fields an import writes, its key first.
const QStringList ImportedFields{
    QStringLiteral("Product_upc"),         QStringLiteral("Product_desc"),      QStringLiteral("Product_short_desc"),
    QStringLiteral("Product_dept"),        QStringLiteral("Product_price"),     QStringLiteral("Product_promo"),
    QStringLiteral("Product_promo_start"), QStringLiteral("Product_promo_end"), QStringLiteral("Product_avg_cost"),
    QStringLiteral("Product_tx1"),         QStringLiteral("Product_tx2"),       QStringLiteral("Product_tx3"),
    QStringLiteral("Product_accnt"),
    // a new product's only
    QStringLiteral("Product_qty"), QStringLiteral("Product_sales"), QStringLiteral("Product_sales_ptd"),
    QStringLiteral("Product_sales_by_week"), QStringLiteral("Product_qty_sales"),
    QStringLiteral("Product_qty_sales_pdt")};

QVariant valueOrNone(const std::optional<double> &value)
{
    return value ? QVariant(*value) : QVariant();
}

QVariant valueOrNone(const QDate &date)
{
    return date.isValid() ? QVariant(date) : QVariant();
}

// The line's values for an existing product: a value that did not convert
// (no value) leaves the product's own, and its stock and sales stay.
QVariantList updateValues(const ProductLine &line)
{
    return {line.upc,          line.desc,
            line.shortDesc,    line.dept,
            valueOrNone(line.price), valueOrNone(line.promo),
            valueOrNone(line.promoStart), valueOrNone(line.promoEnd),
            valueOrNone(line.avgCost), line.tx1,
            line.tx2,          line.tx3,
            line.accnt,        QVariant(),
            QVariant(),        QVariant(),
            QVariant(),        QVariant(),
            QVariant()};
}

// The line's values for a new product: 0 for a value that did not convert,
// no promotion dates, zero quantities and totals, an empty sales history.
QVariantList newProductValues(const ProductLine &line)
{
    return {line.upc,
            line.desc,
            line.shortDesc,
            line.dept,
            line.price.value_or(0.0),
            line.promo.value_or(0.0),
            valueOrNone(line.promoStart),
            valueOrNone(line.promoEnd),
            line.avgCost.value_or(0.0),
            line.tx1,
            line.tx2,
            line.tx3,
            line.accnt,
            0.0,
            0.0,
            0.0,
            QStringLiteral(""), // emptied, not left without value
            0.0,
            0.0};
}

}

ImportSummary ProductImport::write(const ProductFile &file, const Progress &progress)
{
    ImportSummary summary = file.summary;
    Table &products = dm_.producttb;
    products.disableControls(); // views refresh once, at the end
    const auto resumeViews = qScopeGuard([&] { products.enableControls(); });
    StoreTransaction transaction(dm_.database());
    {
        KeyedWrites writes(dm_.database(), products, ImportedFields);
        for (const ProductLine &line : file.products) {
            if (progress)
                progress(line.lineNumber);
            try {
                if (writes.update(updateValues(line))) {
                    ++summary.updated;
                } else {
                    writes.add(newProductValues(line));
                    ++summary.added;
                }
            } catch (const StoreError &e) {
                if (dm_.database().transactionLost()) {
                    summary.stoppedAtLine = line.lineNumber;
                    summary.stoppedBecause = e.message();
                    return summary; // the guard closes what is left of the transaction
                }
                summary.skip(line.lineNumber, SkipReason::Refused, e.message());
            }
        }
    }
    transaction.commit();
    return summary;
}
