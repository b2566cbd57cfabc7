#pragma once

#include "reports/page_report.h"
#include "reports/report_parts.h"
#include "store/sale_record.h"

// A page report of one sale (the invoice) or one receiving (the stock
// receipt): its items name the header's fields "sale.Trxh_..." and, in the
// detail band placed once per line, the line's fields "line.Trx_...".
class SaleDocument : public PageReport {
public:
    SaleDocument(TDataModule2 &dm, const QString &documentName);
    // The sale the next layout or print shows.
    virtual void setSale(const SaleRecord &sale) { sale_ = sale; }

private:
    SaleRecord sale_;
    Record line_{Schema::trandetail()};
};

// The frame the invoice and the stock receipt share: the store's name,
// address and telephone centred in the page header, a boxed row of line
// headings as the title band, and one detail line per sale line.
namespace InvoiceFrame {

constexpr qreal LabelHeight = 12;
constexpr qreal BoxHeight = 18;
constexpr qreal RightX = 430;
constexpr qreal RightWidth = 110;

// The bold centred title, and the four company lines centred under it.
void addTitleAndCompany(ReportBand &header, const QString &title);

// The date of the sale in a box at the right, the page number below;
// returns the date's item.
FieldItem *addDateAndPage(ReportBand &header, const QString &dateField, qreal pageTop);

// A caption with a boxed value under it; returns the value's item.
FieldItem *addCaptionedBox(ReportBand &band, qreal x, qreal y, qreal width, const QString &caption,
                           const QString &fieldPath);

// Title band: the boxed line headings; detail band: the line itself.
void addLineHeadings(ReportBand &title);
void addLine(ReportBand &detail);

}
