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

void setOrNone(QVariant &value, const std::optional<double> &number)
{
    if (number)
        value.setValue(*number);
    else
        value = QVariant();
}

void setOrNone(QVariant &value, const QDate &date)
{
    if (date.isValid())
        value.setValue(date);
    else
        value = QVariant();
}

// The line's values, set over those of the line before (no list made and
// dropped for each of thousands of lines): one that did not convert is
// none, which leaves an existing product's own.
void setLineValues(const ProductLine &line, QVariantList &values)
{
    values.resize(ImportedFields.size());
    values[0].setValue(line.upc);
    values[1].setValue(line.desc);
    values[2].setValue(line.shortDesc);
    values[3].setValue(qint64(line.dept));
    setOrNone(values[4], line.price);
    setOrNone(values[5], line.promo);
    setOrNone(values[6], line.promoStart);
    setOrNone(values[7], line.promoEnd);
    setOrNone(values[8], line.avgCost);
    values[9].setValue(line.tx1);
    values[10].setValue(line.tx2);
    values[11].setValue(line.tx3);
    values[12].setValue(qint64(line.accnt));
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
        QVariantList values;
        for (const ProductLine &line : file.products) {
            if (progress)
                progress(line.lineNumber);
            try {
                setLineValues(line, values);
                ++(writes.write(values) ? summary.added : summary.updated);
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
