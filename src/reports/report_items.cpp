#include "report_items.h"

#include "common/formats.h"
#include "reports/display_mask.h"
#include "store/field_values.h"
#include "store/record.h"
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

FieldItem::FieldItem(const QRectF &geometry, const Record &record, const QString &fieldName, const TextStyle &style)
    : TextItem(geometry, style), record_(&record), fieldName_(fieldName), index_(record.indexOf(fieldName))
{
}

QString FieldItem::text(const RenderContext &) const
{
    const FieldDef &def = table_ ? table_->definition().fields[index_] : record_->definition().fields[index_];
    const QVariant value = table_ ? table_->field(index_).value() : record_->values().value(index_);
    const FieldType type = def.type;
    const bool numeric = type == FieldType::Integer || type == FieldType::Float || type == FieldType::Money
        || type == FieldType::AutoIncrement;
    if (format_ && numeric)
        return format_->text(FieldValues::asFloat(value));
    // A number never written reads as zero, and a totals report shows it so.
    if (value.isNull() && numeric)
        return type == FieldType::Money ? currencyText(0) : QStringLiteral("0");
    return FieldValues::displayText(def, value);
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
