#pragma once

#include "reports/report_band.h"

#include <QList>

struct AmountFamily;

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

// The bands of a listing: the heading and the column headings as page
// header, and a detail line of the columns' fields.
void addListing(ReportBand &header, ReportBand &detail, const QString &title, const QList<ReportColumn> &columns,
                const TextStyle &headingStyle);

// A summary line ruled above its totals: a bold label in labelColumn,
// then each bold total expression under its column.
struct ColumnTotal {
    ReportColumn column;
    QString expression;
};
void addTotalLine(ReportBand &summary, const ReportColumn &labelColumn, const QString &label,
                  const QList<ColumnTotal> &totals, const NumberFormat &format);

// A caption: fixed text, or a name the control record keeps ("Ctrl_pmt1").
struct Caption {
    QString text;
    QString controlField;
    static Caption fixed(const QString &text) { return {text, {}}; }
    static Caption control(const QString &field) { return {{}, field}; }
};
void addCaption(ReportBand &band, const QRectF &cell, const Caption &caption, const TextStyle &style = {});

// A caption and the field whose value goes beside it.
struct CaptionedField {
    Caption caption;
    QString field;
};
// The fields prefix + stem + 1 .. count of a family, each captioned with
// its name in the control record ("Ctrl_pmt3").
QList<CaptionedField> familyCaptions(const QString &prefix, const AmountFamily &family);

// A value in a drawn box, its text kept clear of the lines.
FieldItem *addBoxedField(ReportBand &band, const QRectF &box, const QString &fieldPath, const TextStyle &style = {});
