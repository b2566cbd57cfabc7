#include "lane_listing.h"

#include "lanes/server_connection.h"

#include <QDateTime>

namespace {

QString moment(const QVariant &v)
{
    return v.isNull() ? QStringLiteral("-") : v.toDateTime().toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString number(const QVariant &v)
{
    return v.isNull() ? QStringLiteral("-") : QString::number(v.toDouble(), 'f', 0);
}

// Columns padded to their widest cell; numbers to the right.
QString table(const QList<QStringList> &rows, const QList<bool> &rightAligned)
{
    QList<int> widths(rows.first().size(), 0);
    for (const QStringList &row : rows)
        for (int i = 0; i < row.size(); ++i)
            widths[i] = std::max(widths[i], int(row[i].size()));
    QString out;
    for (const QStringList &row : rows) {
        QStringList cells;
        for (int i = 0; i < row.size(); ++i)
            cells << (rightAligned[i] ? row[i].rightJustified(widths[i]) : row[i].leftJustified(widths[i]));
        QString line = cells.join(QStringLiteral("  "));
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        out += line + QLatin1Char('\n');
    }
    return out;
}

}

QString laneListing(ServerConnection &server)
{
    const QList<QVariantList> lanes = server.query(QStringLiteral(
        "SELECT l.\"Store_id\", l.\"Terminal_id\", l.sales_received, l.last_sale_id, l.last_sale_date, "
        "l.last_sale_time, l.last_sale_received_at, l.sales_waiting, l.waiting_since, "
        "(SELECT count(*) FROM tillano.set_aside s WHERE s.\"Store_id\" = l.\"Store_id\" "
        " AND s.\"Terminal_id\" = l.\"Terminal_id\"), l.last_contact_at "
        "FROM tillano.lanes l ORDER BY 1, 2"));
    if (lanes.isEmpty())
        return QStringLiteral("No lane has been prepared yet (tillano-setup --server).\n");

    QList<QStringList> rows{{QStringLiteral("Store"), QStringLiteral("Terminal"), QStringLiteral("Sales"),
                             QStringLiteral("Last sale"), QStringLiteral("Sold"), QStringLiteral("Received"),
                             QStringLiteral("Waiting"), QStringLiteral("Since"), QStringLiteral("Set aside"),
                             QStringLiteral("Last call")}};
    for (const QVariantList &l : lanes) {
        const QString sold = l[4].isNull() ? QStringLiteral("-")
                                           : l[4].toDate().toString(Qt::ISODate) + QLatin1Char(' ')
                                                 + l[5].toTime().toString(QStringLiteral("HH:mm:ss"));
        rows << QStringList{l[0].toString(), l[1].toString(), l[2].toString(), number(l[3]), sold, moment(l[6]),
                            l[7].toString(), moment(l[8]), l[9].toString(), moment(l[10])};
    }
    QString out = table(rows, {true, true, true, true, false, false, true, false, true, false});

    const QList<QVariantList> aside = server.query(QStringLiteral(
        "SELECT \"Store_id\", \"Terminal_id\", kind, \"Trxh_id\", received_at, reason FROM tillano.set_aside "
        "ORDER BY id"));
    if (!aside.isEmpty()) {
        out += QStringLiteral("\nSet aside (kept whole in tillano.set_aside, never stored as sales):\n");
        for (const QVariantList &a : aside)
            out += QStringLiteral("  store %1 terminal %2, %3 %4, received %5: %6\n")
                       .arg(a[0].toString(), a[1].toString(), a[2].toString(), number(a[3]), moment(a[4]),
                            a[5].toString());
    }

    const QList<QVariantList> edits = server.query(QStringLiteral(
        "SELECT \"Store_id\", \"Terminal_id\", table_name, row_key, received_at, reason FROM tillano.edits_set_aside "
        "ORDER BY id"));
    if (!edits.isEmpty()) {
        out += QStringLiteral("\nEdits not applied (kept whole in tillano.edits_set_aside, with the lane's row and the "
                              "server's):\n");
        for (const QVariantList &e : edits)
            out += QStringLiteral("  store %1 terminal %2, %3 %4, received %5: %6\n")
                       .arg(e[0].toString(), e[1].toString(), e[2].toString(), number(e[3]), moment(e[4]),
                            e[5].toString());
    }
    return out;
}
