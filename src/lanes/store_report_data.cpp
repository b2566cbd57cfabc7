#include "store_report_data.h"

#include "common/formats.h"
#include "common/language.h"

#include <stdexcept>

int StoreReportTable::column(const QString &name) const
{
    const qsizetype index = columns_.indexOf(name);
    if (index < 0)
        throw std::logic_error(
            QStringLiteral("The store server's report has no column \"%1\": upgrade it with tillano-server init.")
                .arg(name)
                .toStdString());
    return int(index);
}

const StoreReportTable &StoreReportData::table(const QString &name) const
{
    const auto found = tables.constFind(name);
    if (found == tables.constEnd())
        throw std::logic_error(QStringLiteral("The store report was read without \"%1\".").arg(name).toStdString());
    return *found;
}

QStringList storeReportTables(StoreReportKind kind)
{
    switch (kind) {
    case StoreReportKind::Financial:
        return {QStringLiteral("financial")};
    case StoreReportKind::Cashiers:
        return {QStringLiteral("cashiers")};
    case StoreReportKind::Products:
        return {QStringLiteral("products"), QStringLiteral("line_totals")};
    case StoreReportKind::Departments:
        return {QStringLiteral("departments"), QStringLiteral("line_totals")};
    case StoreReportKind::Register:
        return {QStringLiteral("register"), QStringLiteral("register_lines"), QStringLiteral("financial")};
    }
    return {};
}

namespace {

QString moment(const QDate &date, const QTime &time)
{
    return shortDateText(date) + QLatin1Char(' ') + longTimeText(time);
}

QString moment(const QVariant &stamp)
{
    const QDateTime local = stamp.toDateTime().toLocalTime();
    return moment(local.date(), local.time());
}

}

QString laneCaption(const QVariant &terminal)
{
    if (terminal.isNull())
        return chooseText(QStringLiteral("Store"), QStringLiteral("Magasin"));
    return chooseText(QStringLiteral("Lane %1"), QStringLiteral("Caisse %1")).arg(terminal.toInt());
}

QList<LaneSummary> laneSummaries(const StoreReportTable &lanes)
{
    const int terminal = lanes.column(QStringLiteral("terminal"));
    const int sales = lanes.column(QStringLiteral("sales"));
    const int number = lanes.column(QStringLiteral("last_sale_number"));
    const int date = lanes.column(QStringLiteral("last_sale_date"));
    const int time = lanes.column(QStringLiteral("last_sale_time"));
    const int arrived = lanes.column(QStringLiteral("last_sale_received_at"));
    const int contact = lanes.column(QStringLiteral("last_contact_at"));
    const int waiting = lanes.column(QStringLiteral("sales_waiting"));
    const int since = lanes.column(QStringLiteral("waiting_since"));
    const int setAside = lanes.column(QStringLiteral("set_aside"));

    QList<LaneSummary> summaries;
    for (int r = 0; r < lanes.rowCount(); ++r) {
        LaneSummary lane;
        lane.lane = laneCaption(lanes.value(r, terminal));
        if (lanes.value(r, number).isNull())
            lane.received = chooseText(QStringLiteral("No sale received yet."), QStringLiteral("Aucune vente reçue."));
        else
            lane.received =
                chooseText(QStringLiteral("%1 sales in these days; last sale received: no. %2 of %3, arrived %4."),
                           QStringLiteral("%1 ventes dans ces jours; dernière vente reçue : no %2 du %3, "
                                          "arrivée le %4."))
                    .arg(lanes.value(r, sales).toLongLong())
                    .arg(generalNumberText(lanes.number(r, number)),
                         moment(lanes.value(r, date).toDate(), lanes.value(r, time).toTime()),
                         moment(lanes.value(r, arrived)));
        QStringList missing;
        if (const int held = lanes.value(r, waiting).toInt(); held > 0)
            missing << chooseText(QStringLiteral("Still on the lane: %1 sales, waiting since %2 (as the lane said %3)."),
                                  QStringLiteral("Encore sur la caisse : %1 ventes, en attente depuis le %2 (selon "
                                                 "la caisse le %3)."))
                           .arg(held)
                           .arg(moment(lanes.value(r, since)), moment(lanes.value(r, contact)));
        if (const qlonglong aside = lanes.value(r, setAside).toLongLong(); aside > 0)
            missing << chooseText(QStringLiteral("%1 of its sales set aside on the server."),
                                  QStringLiteral("%1 de ses ventes mises de côté sur le serveur."))
                           .arg(aside);
        lane.missing = missing.join(QLatin1Char(' '));
        summaries.append(lane);
    }
    return summaries;
}
