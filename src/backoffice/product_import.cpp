#include "product_import.h"

#include "product_file.h"

#include "store/data_module.h"
#include "store/keyed_writes.h"
#include "store/store_error.h"

#include <QScopeGuard>

namespace {

// The product's fields a line gives, its key first.
const QStringList ImportedFields{
    QStringLiteral("Product_upc"),         QStringLiteral("Product_desc"),      QStringLiteral("Product_short_desc"),
    QStringLiteral("Product_dept"),        QStringLiteral("Product_price"),     QStringLiteral("Product_promo"),
    QStringLiteral("Product_promo_start"), QStringLiteral("Product_promo_end"), QStringLiteral("Product_avg_cost"),
    QStringLiteral("Product_tx1"),         QStringLiteral("Product_tx2"),       QStringLiteral("Product_tx3"),
    QStringLiteral("Product_accnt")};

// A new product: 0 for a value that did not convert, no promotion dates,
// zero quantities and totals, an empty sales history (not none).
const KeyedWrites::NewRecordValues NewProduct{
    {QStringLiteral("Product_price"), 0.0},        {QStringLiteral("Product_promo"), 0.0},
    {QStringLiteral("Product_avg_cost"), 0.0},     {QStringLiteral("Product_qty"), 0.0},
    {QStringLiteral("Product_sales"), 0.0},        {QStringLiteral("Product_sales_ptd"), 0.0},
    {QStringLiteral("Product_sales_by_week"), QStringLiteral("")}, {QStringLiteral("Product_qty_sales"), 0.0},
    {QStringLiteral("Product_qty_sales_pdt"), 0.0}};

QVariant valueOrNone(const std::optional<double> &value)
{
    return value ? QVariant(*value) : QVariant();
}

QVariant valueOrNone(const QDate &date)
{
    return date.isValid() ? QVariant(date) : QVariant();
}

// The line's values: one that did not convert is none, which leaves an
// existing product's own.
QVariantList lineValues(const ProductLine &line)
{
    return {line.upc,
            line.desc,
            line.shortDesc,
            qint64(line.dept),
            valueOrNone(line.price),
            valueOrNone(line.promo),
            valueOrNone(line.promoStart),
            valueOrNone(line.promoEnd),
            valueOrNone(line.avgCost),
            line.tx1,
            line.tx2,
            line.tx3,
            qint64(line.accnt)};
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
        KeyedWrites writes(dm_.database(), products, ImportedFields, NewProduct);
        for (const ProductLine &line : file.products) {
            if (progress)
                progress(line.lineNumber);
            try {
                ++(writes.write(lineValues(line)) ? summary.added : summary.updated);
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
