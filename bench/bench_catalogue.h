#pragma once

// A catalogue of products for the benchmarks, built once with bare SQL
// into a data directory under /tmp and reused by later runs.

#include "store/data_module.h"
#include "store/sqlite_statement.h"

#include <QDir>
#include <QFileInfo>
#include <functional>

// Product codes spread like real ones.
inline double catalogueUpc(int i)
{
    return 100000000000.0 + double(i) * 7;
}

inline QString catalogueDescription(int i)
{
    return QStringLiteral("Product number %1, long description").arg(i);
}

// The directory with `products` products (in departments 1 to 10, every
// other one bearing tax 1) and whatever `more` adds; made when missing.
inline QString preparedCatalogue(const QString &directory, int products,
                                 const std::function<void(Database &)> &more = {})
{
    if (QFileInfo::exists(directory + QStringLiteral("/posdb.sqlite3")))
        return directory;
    QDir().mkpath(directory);
    TDataModule2::createDatabase(directory);
    Database db;
    db.open(directory);
    StoreTransaction t(db);
    SqliteStatement product(db.handle(),
                            QStringLiteral("INSERT INTO product (Product_upc, Product_desc, Product_short_desc, "
                                           "Product_price, Product_avg_cost, Product_qty, Product_dept, Product_tx1) "
                                           "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    for (int i = 0; i < products; ++i)
        product.run({catalogueUpc(i), catalogueDescription(i), QStringLiteral("Product %1").arg(i), 1.0 + i % 100,
                     0.5 + i % 50, 10 + i % 20, 1 + i % 10, i % 2});
    if (more)
        more(db);
    t.commit();
    return directory;
}
