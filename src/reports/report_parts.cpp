#include "report_parts.h"

#include "common/amount_families.h"
#include "reports/page_report.h"

namespace {
constexpr qreal BoxPadding = 4;
}

qreal addReportHeading(ReportBand &band, const QString &title)
{
    const qreal width = PageGeometry::ContentWidth;
    band.addSystemItem(QRectF(0, 0, 250, RowHeight), SystemItem::Kind::DateTime);
    band.addSystemItem(QRectF(width - 150, 0, 150, RowHeight), SystemItem::Kind::PageNumber, TextStyle().right());
    band.addLabel(QRectF(0, 16, width, 22), title, TextStyle().strong().centred().sized(14));
    band.addLabel(QRectF(0, 42, 70, RowHeight), QStringLiteral("Terminal ID"));
    band.addField(QRectF(72, 42, 80, RowHeight), QStringLiteral("Control.Ctrl_terminal_id"));
    return 62;
}

void addColumnHeadings(ReportBand &band, qreal y, const QList<ReportColumn> &columns, const TextStyle &style)
{
    for (const ReportColumn &c : columns)
        band.addLabel(c.cell(y), c.heading, c.rightAligned ? style.right() : style);
}

void addColumnFields(ReportBand &band, qreal y, const QList<ReportColumn> &columns, const TextStyle &style)
{
    for (const ReportColumn &c : columns)
        if (!c.field.isEmpty())
            band.addField(c.cell(y), c.field, c.rightAligned ? style.right() : style);
}

void addListing(ReportBand &header, ReportBand &detail, const QString &title, const QList<ReportColumn> &columns,
                const TextStyle &headingStyle)
{
    const qreal headingsTop = addReportHeading(header, title);
    addColumnHeadings(header, headingsTop, columns, headingStyle);
    header.setHeight(headingsTop + RowHeight + 6);
    addColumnFields(detail, 0, columns);
    detail.setHeight(RowHeight);
}

void addTotalLine(ReportBand &summary, const ReportColumn &labelColumn, const QString &label,
                  const QList<ColumnTotal> &totals, const NumberFormat &format)
{
    const TextStyle bold = TextStyle().strong();
    const qreal ruleFrom = totals.value(0).column.x;
    summary.addRule(ruleFrom, 3, PageGeometry::ContentWidth - ruleFrom);
    summary.addLabel(labelColumn.cell(6), label, bold);
    for (const ColumnTotal &total : totals)
        summary.addExpression(total.column.cell(6), total.expression, format, bold.right());
    summary.setHeight(6 + RowHeight + 4);
}

void addCaption(ReportBand &band, const QRectF &cell, const Caption &caption, const TextStyle &style)
{
    if (caption.controlField.isEmpty())
        band.addLabel(cell, caption.text, style);
    else
        band.addField(cell, QStringLiteral("Control.") + caption.controlField, style);
}

QList<CaptionedField> familyCaptions(const QString &prefix, const AmountFamily &family)
{
    const QStringList names = familyFields(QStringLiteral("Ctrl_"), family);
    const QStringList fields = familyFields(prefix, family);
    QList<CaptionedField> captioned;
    for (int i = 0; i < family.count; ++i)
        captioned.append({Caption::control(names[i]), fields[i]});
    return captioned;
}

FieldItem *addBoxedField(ReportBand &band, const QRectF &box, const QString &fieldPath, const TextStyle &style)
{
    band.addBox(box);
    return band.addField(box.adjusted(BoxPadding, 0, -BoxPadding, 0), fieldPath, style);
}
