#pragma once

#include "reports/report_items.h"

#include <QHash>
#include <memory>
#include <vector>

// The bands of a page report, in the order a page is built:
//   page header  top of every page
//   title        under the page header of the first page
//   detail       once per record of the data set (once without one)
//   sub-detail   once per record of the linked table, after its detail
//   summary      once, after the last detail
//   page footer  bottom of every page
enum class BandType { PageHeader, Title, Detail, SubDetail, Summary, PageFooter };

// A band: a height in points and the items placed on it. A band of zero
// height is not printed. Items are added through the band, which owns them.
class ReportBand {
public:
    // Fields are found in the tables, or in the records the report holds
    // as values, by name.
    ReportBand(BandType type, const TableResolver &tables, const QHash<QString, const Record *> &records)
        : type_(type), tables_(tables), records_(records)
    {
    }

    BandType type() const { return type_; }
    qreal height() const { return height_; }
    void setHeight(qreal points) { height_ = points; }
    bool printed() const { return height_ > 0; }
    // A heading band that must not end a page: this much of what follows
    // it (its first rows) goes on the same page.
    qreal keptWith() const { return keptWith_; }
    void setKeptWith(qreal points) { keptWith_ = points; }
    const std::vector<std::unique_ptr<ReportItem>> &items() const { return items_; }

    LabelItem *addLabel(const QRectF &geometry, const QString &caption, const TextStyle &style = {});
    // fieldPath is "table.field", e.g. "Control.Ctrl_tx1", or "record.field".
    FieldItem *addField(const QRectF &geometry, const QString &fieldPath, const TextStyle &style = {});
    ExpressionItem *addExpression(const QRectF &geometry, const QString &expression, const NumberFormat &format,
                                  const TextStyle &style = {});
    ComputedItem *addComputed(const QRectF &geometry, std::function<double()> value, const NumberFormat &format,
                              const TextStyle &style = {});
    ComputedTextItem *addText(const QRectF &geometry, std::function<QString()> text, const TextStyle &style = {});
    SystemItem *addSystemItem(const QRectF &geometry, SystemItem::Kind kind, const TextStyle &style = {});
    ShapeItem *addBox(const QRectF &geometry, qreal lineWidth = 0.75);
    // A horizontal rule at y from x to x + width.
    ShapeItem *addRule(qreal x, qreal y, qreal width, qreal lineWidth = 0.75);

private:
    template <typename Item>
    Item *add(std::unique_ptr<Item> item)
    {
        Item *raw = item.get();
        items_.push_back(std::move(item));
        return raw;
    }

    BandType type_;
    const TableResolver &tables_;
    const QHash<QString, const Record *> &records_;
    qreal height_ = 0;
    qreal keptWith_ = 0;
    std::vector<std::unique_ptr<ReportItem>> items_;
};
