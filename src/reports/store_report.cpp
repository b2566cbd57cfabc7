#include "store_report.h"

#include "common/formats.h"
#include "common/language.h"
#include "reports/report_parts.h"
#include "reports/store_figures_report.h"
#include "reports/store_register_report.h"
#include "reports/store_sales_listing.h"
#include "store/data_module.h"

namespace {
constexpr qreal LaneCaptionWidth = 60;
}

StoreReport::StoreReport(TDataModule2 &dm, const QString &title, StoreReportData data)
    : PageReport(dm, title), data_(std::move(data))
{
    const qreal width = PageGeometry::ContentWidth;
    ReportBand &header = band(BandType::PageHeader);
    header.addSystemItem(QRectF(0, 0, 250, RowHeight), SystemItem::Kind::DateTime);
    header.addSystemItem(QRectF(width - 150, 0, 150, RowHeight), SystemItem::Kind::PageNumber, TextStyle().right());
    header.addLabel(QRectF(0, 16, width, 22), title, TextStyle().strong().centred().sized(14));
    const StoreReportRange &range = data_.range;
    header.addLabel(QRectF(0, 42, width, RowHeight),
                    chooseText(QStringLiteral("Store %1, from %2 to %3"), QStringLiteral("Magasin %1, du %2 au %3"))
                        .arg(range.store)
                        .arg(shortDateText(range.from), shortDateText(range.to)),
                    TextStyle().strong());
    headingBottom_ = 42 + RowHeight + 4;
    header.setHeight(headingBottom_);

    // The lanes included, under the heading of the first page.
    ReportBand &lanes = band(BandType::Title);
    lanes.addLabel(QRectF(0, 0, width, RowHeight),
                   chooseText(QStringLiteral("Lanes included"), QStringLiteral("Caisses incluses")),
                   TextStyle().strong().underlined());
    qreal y = RowHeight + 2;
    const TextStyle small = TextStyle().sized(8);
    for (const LaneSummary &lane : laneSummaries(data_.lanes)) {
        lanes.addLabel(QRectF(0, y, LaneCaptionWidth, RowHeight), lane.lane, small);
        lanes.addLabel(QRectF(LaneCaptionWidth, y, width - LaneCaptionWidth, RowHeight), lane.received, small);
        y += RowHeight - 2;
        if (!lane.missing.isEmpty()) {
            lanes.addLabel(QRectF(LaneCaptionWidth, y, width - LaneCaptionWidth, RowHeight), lane.missing,
                           small.strong());
            y += RowHeight - 2;
        }
    }
    if (data_.lanes.rowCount() == 0) {
        lanes.addLabel(QRectF(0, y, width, RowHeight),
                       chooseText(QStringLiteral("The store server knows no lane of this store."),
                                  QStringLiteral("Le serveur du magasin ne connaît aucune caisse de ce magasin.")),
                       small);
        y += RowHeight;
    }
    lanes.setHeight(y + 8);
    setHeldRows({[this] { return int(rows_.size()); }, [this](int row) { current_ = row; }});
    setDetailChoice([this] { return row().band; });
}

void StoreReport::addHeadingNote(const QString &note)
{
    ReportBand &header = band(BandType::PageHeader);
    header.addLabel(QRectF(0, headingBottom_, PageGeometry::ContentWidth, RowHeight), note,
                    TextStyle().sized(8).slanted());
    headingBottom_ += RowHeight;
    header.setHeight(headingBottom_);
}

QString StoreReport::controlName(const char *stem, int number) const
{
    const QString name = dm.Control.field(QStringLiteral("Ctrl_%1%2").arg(QLatin1String(stem)).arg(number))
                             .asString()
                             .trimmed();
    if (!name.isEmpty())
        return name;
    const QLatin1String kind(stem);
    if (kind == QLatin1String("tx"))
        return chooseText(QStringLiteral("Tax %1"), QStringLiteral("Taxe %1")).arg(number);
    if (kind == QLatin1String("pmt"))
        return chooseText(QStringLiteral("Payment %1"), QStringLiteral("Paiement %1")).arg(number);
    return QStringLiteral("Coupon %1").arg(number);
}

QString storeReportTitle(StoreReportKind kind)
{
    switch (kind) {
    case StoreReportKind::Financial:
        return chooseText(QStringLiteral("Store Financial Report"), QStringLiteral("Rapport Financier du Magasin"));
    case StoreReportKind::Cashiers:
        return chooseText(QStringLiteral("Store Cashier Report"), QStringLiteral("Rapport Caissier du Magasin"));
    case StoreReportKind::Products:
        return chooseText(QStringLiteral("Store Product Sales Report"),
                          QStringLiteral("Rapport Ventes des Produits du Magasin"));
    case StoreReportKind::Departments:
        return chooseText(QStringLiteral("Store Department Sales Report"),
                          QStringLiteral("Rapport Ventes des Départements du Magasin"));
    case StoreReportKind::Register:
        return chooseText(QStringLiteral("Store Sales Register Report"),
                          QStringLiteral("Registre des Ventes du Magasin"));
    }
    return {};
}

std::unique_ptr<StoreReport> makeStoreReport(TDataModule2 &dm, StoreReportData data)
{
    switch (data.kind) {
    case StoreReportKind::Financial:
    case StoreReportKind::Cashiers:
        return std::make_unique<StoreFiguresReport>(dm, std::move(data));
    case StoreReportKind::Products:
    case StoreReportKind::Departments:
        return std::make_unique<StoreSalesListing>(dm, std::move(data));
    case StoreReportKind::Register:
        return std::make_unique<StoreRegisterReport>(dm, std::move(data));
    }
    return nullptr;
}
