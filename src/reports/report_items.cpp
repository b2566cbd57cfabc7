#include "report_items.h"

#include "common/formats.h"
#include "reports/display_mask.h"
#include "store/table.h"

QString NumberFormat::text(double value) const
{
    switch (kind_) {
    case Kind::Currency:
        return currencyText(value);
    case Kind::Mask:
        return formatWithMask(value, mask_);
    case Kind::General:
        break;
    }
    return generalNumberText(value);
}

PlacedItem TextItem::place(const RenderContext &context, QPointF origin) const
{
    PlacedItem placed;
    placed.kind = PlacedItem::Kind::Text;
    placed.rect = geometry().translated(origin);
    placed.text = text(context);
    placed.style = style_;
    return placed;
}

FieldItem::FieldItem(const QRectF &geometry, Table &table, const QString &fieldName, const TextStyle &style)
    : TextItem(geometry, style), table_(&table), fieldName_(fieldName), index_(table.fieldIndex(fieldName))
{
}

void FieldItem::setTable(Table &table)
{
    index_ = table.fieldIndex(fieldName_);
    table_ = &table;
}

QString FieldItem::text(const RenderContext &) const
{
    const Field field = table_->field(index_);
    const FieldType type = field.type();
    const bool numeric = type == FieldType::Integer || type == FieldType::Float || type == FieldType::Money
        || type == FieldType::AutoIncrement;
    if (format_ && numeric)
        return format_->text(field.asFloat());
    // A number never written reads as zero, and a totals report shows it so.
    if (field.isNull() && numeric)
        return type == FieldType::Money ? currencyText(0) : QStringLiteral("0");
    return field.displayText();
}

QString ExpressionItem::text(const RenderContext &) const
{
    return format_.text(static_cast<double>(expression_.value()));
}

SystemItem::SystemItem(const QRectF &geometry, Kind kind, const TextStyle &style)
    : TextItem(geometry, style),
      kind_(kind),
      caption_(kind == Kind::DateTime ? QStringLiteral("Date: ") : QStringLiteral("Page: "))
{
}

QString SystemItem::text(const RenderContext &context) const
{
    if (kind_ == Kind::PageNumber)
        return caption_ + QString::number(context.pageNumber);
    return caption_ + shortDateText(context.startedAt.date()) + QLatin1Char(' ')
        + longTimeText(context.startedAt.time());
}

PlacedItem ShapeItem::place(const RenderContext &, QPointF origin) const
{
    PlacedItem placed;
    placed.kind = kind_ == Kind::Box ? PlacedItem::Kind::Box : PlacedItem::Kind::Line;
    placed.rect = geometry().translated(origin);
    placed.lineWidth = lineWidth_;
    return placed;
}
