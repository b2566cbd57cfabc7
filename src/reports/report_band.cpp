#include "report_band.h"

#include "store/table.h"

LabelItem *ReportBand::addLabel(const QRectF &geometry, const QString &caption, const TextStyle &style)
{
    return add(std::make_unique<LabelItem>(geometry, caption, style));
}

FieldItem *ReportBand::addField(const QRectF &geometry, const QString &fieldPath, const TextStyle &style)
{
    const qsizetype dot = fieldPath.indexOf(QLatin1Char('.'));
    const QString source = dot > 0 ? fieldPath.left(dot) : QString();
    if (Table *table = dot > 0 ? tables_(source) : nullptr)
        return add(std::make_unique<FieldItem>(geometry, *table, fieldPath.mid(dot + 1), style));
    if (const Record *record = records_.value(source))
        return add(std::make_unique<FieldItem>(geometry, *record, fieldPath.mid(dot + 1), style));
    throw ReportDefinitionError(QStringLiteral("Field \"%1\" names no table").arg(fieldPath).toStdString());
}

ExpressionItem *ReportBand::addExpression(const QRectF &geometry, const QString &expression,
                                          const NumberFormat &format, const TextStyle &style)
{
    return add(std::make_unique<ExpressionItem>(geometry, ReportExpression(expression, tables_), format, style));
}

ComputedItem *ReportBand::addComputed(const QRectF &geometry, std::function<double()> value,
                                      const NumberFormat &format, const TextStyle &style)
{
    return add(std::make_unique<ComputedItem>(geometry, std::move(value), format, style));
}

ComputedTextItem *ReportBand::addText(const QRectF &geometry, std::function<QString()> text, const TextStyle &style)
{
    return add(std::make_unique<ComputedTextItem>(geometry, std::move(text), style));
}

SystemItem *ReportBand::addSystemItem(const QRectF &geometry, SystemItem::Kind kind, const TextStyle &style)
{
    return add(std::make_unique<SystemItem>(geometry, kind, style));
}

ShapeItem *ReportBand::addBox(const QRectF &geometry, qreal lineWidth)
{
    return add(std::make_unique<ShapeItem>(geometry, ShapeItem::Kind::Box, lineWidth));
}

ShapeItem *ReportBand::addRule(qreal x, qreal y, qreal width, qreal lineWidth)
{
    return add(std::make_unique<ShapeItem>(QRectF(x, y, width, 0), ShapeItem::Kind::Line, lineWidth));
}
