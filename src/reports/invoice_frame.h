#pragma once

#include "reports/report_parts.h"

// The frame the invoice and the stock receipt share: the store's name,
// address and telephone centred in the page header, a boxed row of line
// headings as the title band, and one detail line per work line.
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
