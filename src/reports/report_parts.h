#pragma once

#include "reports/report_band.h"

#include <QList>

// Building blocks the page reports share. Positions are in points from
// the band's top-left corner; the band spans PageGeometry::ContentWidth.

constexpr qreal RowHeight = 14;

// "Date: " at the left and "Page: " at the right, the bold centred title
// under them, then "Terminal ID" with the terminal number. Returns the
// height it takes.
qreal addReportHeading(ReportBand &band, const QString &title);

// One column of a tabular report: its heading and the field it shows
// ("producttb.Product_upc"; none for a column filled otherwise).
struct ReportColumn {
    qreal x;
    qreal width;
    QString heading;
    QString field;
    bool rightAligned = false;

    QRectF cell(qreal y, qreal height = RowHeight) const { return QRectF(x, y, width, height); }
};

void addColumnHeadings(ReportBand &band, qreal y, const QList<ReportColumn> &columns, const TextStyle &style);
void addColumnFields(ReportBand &band, qreal y, const QList<ReportColumn> &columns, const TextStyle &style = {});

// A value in a drawn box, its text kept clear of the lines.
FieldItem *addBoxedField(ReportBand &band, const QRectF &box, const QString &fieldPath, const TextStyle &style = {});
