#include "product_search.h"

#include "store/data_module.h"
#include "store/sqlite_statement.h"

#include <QRegularExpression>

namespace {

// The first product after `afterCode` (or from the first one) whose
// description is like the pattern; 0 when there is none.
qint64 nextDescribed(Database &db, const QString &pattern, const QVariant &afterCode)
{
    const QString condition = afterCode.isNull() ? QString() : QStringLiteral("Product_upc > ?2 AND ");
    SqliteStatement query(db.handle(), QStringLiteral("SELECT rowid FROM product WHERE ") + condition
                                           + QStringLiteral("Product_desc LIKE ?1 ESCAPE '\\' "
                                                            "ORDER BY Product_upc LIMIT 1"));
    query.start(afterCode.isNull() ? QVariantList{pattern} : QVariantList{pattern, afterCode});
    return query.step() ? query.integer(0) : 0;
}

}

bool findProduct(TDataModule2 &dm, const QString &text)
{
    Table &products = dm.producttb;
    const QString wanted = text.trimmed();
    if (wanted.isEmpty() || !products.active())
        return false;
    static const QRegularExpression wholeNumber(QStringLiteral("^\\d{1,15}$"));
    if (wholeNumber.match(wanted).hasMatch() && products.findKey(wanted.toDouble()))
        return true;

    QString escaped = wanted;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
        .replace(QLatin1Char('%'), QLatin1String("\\%"))
        .replace(QLatin1Char('_'), QLatin1String("\\_"));
    const QString pattern = QLatin1Char('%') + escaped + QLatin1Char('%');
    Database &db = dm.database();
    const QVariant current = products.hasCurrent() ? products.field(QStringLiteral("Product_upc")).value() : QVariant();
    qint64 rowid = nextDescribed(db, pattern, current);
    if (rowid == 0 && !current.isNull())
        rowid = nextDescribed(db, pattern, QVariant());
    return rowid != 0 && products.moveToRowid(rowid);
}
