#include "store_figures_check.h"

#include "common/money.h"
#include "store/database.h"
#include "test_database.h"

#include <QDir>
#include <QMap>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

// One row of a report added up sale by sale (or line by line) as a lane's
// running totals are: a double after every addition, extended within it.
struct Figures {
    QMap<QString, double> sums;

    void add(const QString &figure, long double amount)
    {
        sums[figure] = double(static_cast<long double>(sums.value(figure)) + amount);
    }

    void addSale(const QSqlRecord &sale, bool cashier)
    {
        const auto v = [&](const QString &stem) { return sale.value(QStringLiteral("Trxh_") + stem).toDouble(); };
        for (const QString stem : {"tx1", "tx2", "tx3", "pmt1", "pmt2", "pmt3", "pmt4", "pmt5", "cpn1", "cpn2", "cpn3", "fc1"})
            add(stem, v(stem));
        add(QStringLiteral("sales"), v(QStringLiteral("total")));
        // The store's change leaves the foreign currency out and takes the
        // coupons off; a cashier's is the register's.
        long double change = v(QStringLiteral("grand_total"));
        for (const QString tender : {"pmt1", "pmt2", "pmt3", "pmt4", "pmt5", "cpn1", "cpn2", "cpn3"})
            change -= v(tender);
        add(QStringLiteral("change"), cashier ? v(QStringLiteral("change")) : change);
        if (v(QStringLiteral("total")) < 0) {
            add(QStringLiteral("voids"), v(QStringLiteral("total")));
            add(QStringLiteral("no_voids"), 1);
        }
        add(QStringLiteral("transactions"), 1);
    }

    // As the lane prints it: an amount to four decimals, then to cents; a
    // count as it is; a quantity to the millionth.
    QString text(const QString &figure) const
    {
        if (figure == QLatin1String("transactions") || figure == QLatin1String("no_voids"))
            return QString::number(qint64(sums.value(figure)));
        if (figure == QLatin1String("quantity"))
            return QString::number(sums.value(figure), 'f', 6);
        long double amount = sums.value(figure);
        if (figure == QLatin1String("grand_total"))
            amount = static_cast<long double>(sums.value(QStringLiteral("sales"))) + sums.value(QStringLiteral("tx1"))
                + sums.value(QStringLiteral("tx2")) + sums.value(QStringLiteral("tx3"));
        return QString::number(double(Money::fromDouble(amount).cents()) / 100, 'f', 2);
    }
};

struct Report {
    QStringList keys;    // the columns naming a row: terminal, then cashier, upc or department
    QStringList figures; // the columns compared
};

const QMap<QString, Report> Reports{
    {"financial", {{"terminal"}, {}}},
    {"cashiers", {{"terminal", "cashier"}, {}}},
    {"products", {{"terminal", "upc"}, {"quantity", "sales"}}},
    {"departments", {{"terminal", "department"}, {"quantity", "sales"}}},
    {"line_totals", {{"terminal"}, {"quantity", "sales"}}},
};
const QStringList SaleFigures{"transactions", "sales", "tx1", "tx2", "tx3", "grand_total", "pmt1", "pmt2", "pmt3",
                              "pmt4", "pmt5", "cpn1", "cpn2", "cpn3", "fc1", "change", "voids", "no_voids"};

// "terminal=1 upc=62813100049"; a NULL terminal is every lane's.
QString key(const QStringList &names, const QVariantList &values)
{
    QStringList parts;
    for (int i = 0; i < names.size(); ++i)
        parts << names[i] + QLatin1Char('=') + (values[i].isNull() ? QString() : QString::number(values[i].toDouble(), 'g', 15));
    return parts.join(QLatin1Char(' '));
}

// Every row the lanes' registers give for the report, by key.
QMap<QString, Figures> fromLanes(const QString &name, const Report &report, const QDate &from, const QDate &to,
                                 const QStringList &laneDirectories)
{
    QMap<QString, Figures> rows;
    const bool lines = !report.figures.isEmpty();
    const bool everyLane = report.keys.size() == 1; // a row for every lane, sales or not
    if (everyLane)
        rows[key(report.keys, {QVariant()})];
    for (const QString &directory : laneDirectories) {
        OwnConnection lane(QDir(directory).filePath(QLatin1String(Database::FileName)), QStringLiteral("QSQLITE_OPEN_READONLY"));
        QSqlQuery terminalQuery(QStringLiteral("SELECT Ctrl_terminal_id FROM control"), lane.db());
        terminalQuery.next();
        const QVariant laneTerminal = terminalQuery.value(0);
        if (everyLane)
            rows[key(report.keys, {laneTerminal})];
        QSqlQuery q(lane.db());
        q.prepare((lines ? QStringLiteral("SELECT d.*, p.Product_dept FROM tranmaster h JOIN trandetail d ON d.Trx_id = h.Trxh_id "
                                          "LEFT JOIN product p ON p.Product_upc = d.Trx_upc")
                         : QStringLiteral("SELECT * FROM tranmaster h"))
                  + QStringLiteral(" WHERE h.Trxh_date BETWEEN ? AND ?"));
        q.addBindValue(from.toString(Qt::ISODate));
        q.addBindValue(to.toString(Qt::ISODate));
        q.exec();
        while (q.next()) {
            const QSqlRecord r = q.record();
            const QVariant second = r.value(name == QLatin1String("cashiers") ? QStringLiteral("Trxh_cashier")
                                            : name == QLatin1String("products") ? QStringLiteral("Trx_upc")
                                                                                : QStringLiteral("Product_dept"));
            // The lane's row, and every lane's (the store's, or the cashier's).
            for (const QVariant &terminal : {laneTerminal, QVariant()}) {
                Figures &figures = rows[key(report.keys, QVariantList{terminal, second}.mid(0, report.keys.size()))];
                if (!lines) {
                    figures.addSale(r, name == QLatin1String("cashiers"));
                    continue;
                }
                figures.add(QStringLiteral("quantity"), r.value(QStringLiteral("Trx_qty")).toDouble());
                figures.add(QStringLiteral("sales"), r.value(QStringLiteral("Trx_total")).toDouble());
            }
        }
    }
    // Like the lanes' reports, a product or department without sales (to
    // the ten-thousandth) is left out.
    if (lines && !everyLane)
        rows.removeIf([](const auto &row) { return Money::fromDouble(row.value().sums.value(QStringLiteral("sales"))).isZero(); });
    return rows;
}

}

QStringList storeReportDifferences(QSqlDatabase &server, const QString &name, int store, const QDate &from,
                                   const QDate &to, const QStringList &laneDirectories)
{
    const Report report = Reports.value(name);
    const QStringList figures = report.figures.isEmpty() ? SaleFigures : report.figures;
    QMap<QString, Figures> expected = fromLanes(name, report, from, to, laneDirectories);

    QSqlQuery q(server);
    q.setNumericalPrecisionPolicy(QSql::HighPrecision);
    q.prepare(QStringLiteral("SELECT * FROM tillano.report_%1(?, ?, ?)").arg(name));
    q.addBindValue(store);
    q.addBindValue(from);
    q.addBindValue(to);
    if (!q.exec())
        return {name + QStringLiteral(": ") + q.lastError().text()};
    QStringList differences;
    while (q.next()) {
        QVariantList values;
        for (const QString &k : report.keys)
            values << q.value(k);
        const QString rowKey = key(report.keys, values);
        if (!expected.contains(rowKey)) {
            differences << rowKey + QStringLiteral(": a row the lanes do not have");
            continue;
        }
        const Figures lanes = expected.take(rowKey);
        for (const QString &figure : figures) {
            const QVariant v = q.value(figure);
            const QString onServer = figure == QLatin1String("quantity") ? QString::number(v.toDouble(), 'f', 6) : v.toString();
            if (onServer != lanes.text(figure))
                differences << QStringLiteral("%1 %2: server %3, lanes %4").arg(rowKey, figure, onServer, lanes.text(figure));
        }
    }
    for (const QString &missing : expected.keys())
        differences << missing + QStringLiteral(": a row the server does not have");
    return differences;
}
