#include "store_stock.h"

#include "lane_identity.h"
#include "lane_tables.h"

#include "common/clock.h"
#include "common/language.h"
#include "store/database.h"
#include "store/sqlite_statement.h"

#include <QLocale>

namespace StoreStock {

void note(Database &db, const QList<Lane> &lanes)
{
    StoreTransaction transaction(db);
    executeSql(db.handle(), QStringLiteral("DELETE FROM \"lane_store_lanes\""));
    SqliteStatement add(db.handle(), QStringLiteral("INSERT INTO \"lane_store_lanes\" (\"Terminal_id\", "
                                                    "\"Last_sale_date\", \"Last_sale_time\") VALUES (?, ?, ?)"));
    for (const Lane &l : lanes)
        add.run({l.terminal, l.lastSaleDate.isValid() ? QVariant(l.lastSaleDate) : QVariant(),
                 l.lastSaleTime.isValid() ? QVariant(l.lastSaleTime) : QVariant()});
    SqliteStatement(db.handle(), QStringLiteral("UPDATE \"lane_sync_state\" SET \"State_store_checked_at\" = ?"))
        .run({Clock::now().toString(Qt::ISODate)});
    transaction.commit();
}

std::optional<Counted> read(Database &db)
{
    const std::optional<LaneIdentity> id = LaneIdentity::read(db);
    if (!id)
        return std::nullopt;
    Counted counted;
    counted.ownTerminal = id->terminal;
    SqliteStatement state(db.handle(), QStringLiteral("SELECT \"State_store_checked_at\" FROM \"lane_sync_state\""));
    state.start();
    if (state.step())
        counted.checkedAt = QDateTime::fromString(state.text(0), Qt::ISODate);
    SqliteStatement lanes(db.handle(), QStringLiteral("SELECT \"Terminal_id\", \"Last_sale_date\", \"Last_sale_time\" "
                                                      "FROM \"lane_store_lanes\" ORDER BY 1"));
    lanes.start();
    while (lanes.step())
        counted.lanes.append({int(lanes.integer(0)), QDate::fromString(lanes.text(1), Qt::ISODate),
                              QTime::fromString(lanes.text(2), QStringLiteral("HH:mm:ss"))});
    return counted;
}

QStringList text(const Counted &counted, int lanesPerLine)
{
    const QLocale locale;
    const QString reached = counted.checkedAt.isValid()
        ? chooseText(QStringLiteral("Store stock as the store server counted it when last reached, %1; this lane's "
                                    "own sales counted up to now."),
                     QStringLiteral("Stock du magasin tel que compté par le serveur du magasin, joint le %1; ventes "
                                    "de cette caisse comptées jusqu'à maintenant."))
              .arg(locale.toString(counted.checkedAt, QLocale::ShortFormat))
        : chooseText(QStringLiteral("Store stock: the store server has not been reached yet; this lane's own sales "
                                    "counted up to now."),
                     QStringLiteral("Stock du magasin : serveur du magasin pas encore joint; ventes de cette caisse "
                                    "comptées jusqu'à maintenant."));
    QStringList lines{reached};
    QStringList lanes;
    for (const Lane &l : counted.lanes) {
        if (l.terminal == counted.ownTerminal)
            continue;
        lanes << (l.lastSaleDate.isValid()
                      ? chooseText(QStringLiteral("lane %1 up to %2"), QStringLiteral("caisse %1 jusqu'au %2"))
                            .arg(l.terminal)
                            .arg(locale.toString(QDateTime(l.lastSaleDate, l.lastSaleTime), QLocale::ShortFormat))
                      : chooseText(QStringLiteral("lane %1 none yet"), QStringLiteral("caisse %1 aucune encore"))
                            .arg(l.terminal));
    }
    for (qsizetype i = 0; i < lanes.size(); i += lanesPerLine)
        lines << (i == 0 ? chooseText(QStringLiteral("Other lanes' sales counted: "),
                                      QStringLiteral("Ventes des autres caisses comptées : "))
                         : QStringLiteral("    "))
                + lanes.mid(i, lanesPerLine).join(QStringLiteral("; "));
    return lines;
}

}
