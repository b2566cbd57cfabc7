#pragma once

// A catalogue of products for the benchmarks of the windows, cached in a
// directory under /tmp and reused by later runs.

#include "cached_database.h"
#include "held_data_directory.h"

#include <QFileInfo>

// Product codes spread like real ones.
inline double catalogueUpc(int i)
{
    return 100000000000.0 + double(i) * 7;
}

// The data directory with `products` products (in departments 1 to 10,
// every other one bearing tax 1), departments 1 to 10 and cashier 1.
inline QString preparedCatalogue(const QString &cacheDirectory, int products)
{
    const QString database = cachedDatabase(cacheDirectory, [products](sqlite3 *db) {
        executeSql(db, QStringLiteral("BEGIN"));
        SqliteStatement product(db, QStringLiteral("INSERT INTO product (Product_upc, Product_desc, Product_short_desc, "
                                                   "Product_price, Product_avg_cost, Product_qty, Product_dept, "
                                                   "Product_tx1) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
        for (int i = 0; i < products; ++i)
            product.run({catalogueUpc(i), QStringLiteral("Product number %1, long description").arg(i),
                         QStringLiteral("Product %1").arg(i), 1.0 + i % 100, 0.5 + i % 50, 10 + i % 20, 1 + i % 10,
                         i % 2});
        SqliteStatement department(db, QStringLiteral("INSERT INTO Dept (Dept_code, Dept_desc) VALUES (?, ?)"));
        for (int d = 1; d <= 10; ++d)
            department.run({d, QStringLiteral("Department %1").arg(d)});
        executeSql(db, QStringLiteral("INSERT INTO cashier (Cashier_id, Cashier_name) VALUES (1, 'Ann')"));
        executeSql(db, QStringLiteral("COMMIT"));
    });
    const QString directory = QFileInfo(database).absolutePath();
    holdDataDirectory(directory);
    return directory;
}
